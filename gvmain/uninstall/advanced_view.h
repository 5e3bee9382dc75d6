// The advanced view "DLGUNDOMAINADV": every record of the log as a line of
// its text and kind label in "Courier New", the selected record's state as
// five radio buttons (only "undo" and "keep" may be chosen, and only for a
// record still in one of them), and its details with the colons aligned.
#pragma once

#include "gvmain/uninstall/undo_dialog.h"

#include <windows.h>

#include <cstddef>
#include <string>

namespace gvmain {

// One line of the list: the text padded to `textWidth` characters, two
// spaces, then the label.
std::string ListLine(const std::string& text, size_t textWidth, const std::string& label);

// Whether the radio of `state` may be pressed for `record` (no walk running).
bool StateChoosable(const LogRecord& record, UndoState state);

class AdvancedDialog : public UndoDialog {
public:
    AdvancedDialog(UndoWalk& walk, UninstallHost& host, std::string caption);
    ~AdvancedDialog() override;

    void OnRecordStart(size_t index) override;
    void OnRecordDone(size_t index) override;

protected:
    bool OnInit() override;
    void OnCommand(int id, int notification) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) override;
    void UpdateControls() override;

private:
    void FillList();
    void DrawLine(const DRAWITEMSTRUCT& item) const;
    void ShowSelected();
    void ChooseState(UndoState state);
    int Selected() const;

    HFONT font_ = nullptr;
    size_t textWidth_ = 0;
};

}  // namespace gvmain
