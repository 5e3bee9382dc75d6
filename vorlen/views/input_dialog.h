// The one-line input dialog: a prompt, an edit field, OK and Cancel. The
// categories dialog asks for new category names with it.
#pragma once

#include <wx/dialog.h>

#include <string>

namespace vorlen {

// Control ids of the dialog.
enum InputControl : int {
    inputOk = 1,
    inputCancel = 2,
    inputPrompt = 101,
    inputText = 102,
};

// What ShowModal gives back: inputOk, or inputCancel (also Escape and the
// close box).
class TInputDialog : public wxDialog {
public:
    // The design's resource number of the dialog.
    static constexpr int resourceId = 32514;

    // `prompt` and `text` are Windows-1252. A prompt too long for the
    // dialog's width is shortened in the middle on screen, never widening
    // the dialog.
    TInputDialog(wxWindow* parent, const std::string& title, const std::string& prompt,
                 const std::string& text = {});

    // The field's text, Windows-1252, at most kMaxCategoryText bytes.
    std::string Text() const;
    void SetText(const std::string& text);

private:
    void OnOk(wxCommandEvent& event);
    void OnCancel(wxCommandEvent& event);
    void OnClose(wxCloseEvent& event);

    wxDECLARE_EVENT_TABLE();
};

}  // namespace vorlen
