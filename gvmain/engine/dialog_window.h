// The thin layer between the engine's dialogs and the Win32 dialog manager:
// a dialog is a class whose handlers the template's dialog procedure calls,
// shown modal or modeless from a named template of the engine or of the
// language DLL.
#pragma once

#include <windows.h>

#include <string>

namespace gvmain {

// The longest text an edit takes for a string variable (256 characters with
// the terminating zero).
constexpr int maxVariableText = 255;

// Where the engine's dialogs find templates and numbered texts: the message
// boxes in the engine's own module, every other template in the language
// DLL of the run.
struct DialogResources {
    HINSTANCE engine = nullptr;
    HMODULE language = nullptr;  // none before the language is chosen
    // An unattended run shows no window: every dialog takes its default
    // answer and leaves the values it would edit as they are.
    bool unattended = false;
};

// Message `number` from the language DLL when one is loaded, else from the
// engine's own string table, else the built-in English text.
std::string DialogText(const DialogResources& resources, int number);

class DialogWindow {
public:
    virtual ~DialogWindow();
    DialogWindow(const DialogWindow&) = delete;
    DialogWindow& operator=(const DialogWindow&) = delete;

    // The value passed to EndModal, or -1 when the template cannot be loaded.
    INT_PTR RunModal(HMODULE module, const char* templateName, HWND parent);
    // Null when the template cannot be loaded. The window lives until
    // Destroy or the object's end.
    HWND CreateModeless(HMODULE module, const char* templateName, HWND parent);
    void Destroy();
    HWND Handle() const { return hwnd_; }

protected:
    DialogWindow() = default;

    // Returns false when it has set the focus itself.
    virtual bool OnInit() { return true; }
    // Buttons and notifications; the default ends a modal dialog on OK and
    // Cancel (Escape) with IDOK and IDCANCEL after OnOK and OnCancel.
    virtual void OnCommand(int id, int notification);
    virtual bool OnOK() { return true; }
    virtual void OnCancel() {}
    // Any other message; return true when handled.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result);

    void EndModal(INT_PTR value);
    bool IsModal() const { return modal_; }
    HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
    void SetItemText(int id, const std::string& text) const;
    std::string ItemText(int id) const;

private:
    static INT_PTR CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
    bool modal_ = false;
};

// Moves `window` so that its centre lies at (x, y), given in thousandths of
// the client area of `parent` (of the screen's work area without a parent),
// keeping it on the screen.
void PlaceCentredAt(HWND window, HWND parent, int x, int y);

bool IsDialog(HWND window);

// Handles the thread's waiting messages, giving dialog windows their
// keyboard handling.
void PumpMessages();
// The same at most every few milliseconds: for loops that report progress
// block by block, where looking each time would cost more than the copy
// (under Wine every look is a round trip to the display).
void PumpMessagesWhenDue();

}  // namespace gvmain
