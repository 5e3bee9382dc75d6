// The "Compress Database" dialog, and the window layer's answers to the
// questions and messages of compressing.
#pragma once

#include "vorlen/store/compress.h"

#include <wx/dialog.h>

namespace vorlen {

enum ArchiveControl : int {
    archiveCount = 24010,
    archiveDelete = 101,
    archiveHelp = 9,
};

// ShowModal gives wxID_OK for "Archive", archiveDelete for "Delete" and
// wxID_CANCEL for "Cancel".
class TArchiveDlg : public wxDialog {
public:
    TArchiveDlg(wxWindow* parent, int oldCount);

private:
    void OnArchive(wxCommandEvent& event);
    void OnDelete(wxCommandEvent& event);
    void OnHelp(wxCommandEvent& event);
    wxDECLARE_EVENT_TABLE();
};

// Message boxes and the dialog above, owned by `parent`.
class WindowCompressPrompts : public store::CompressPrompts {
public:
    explicit WindowCompressPrompts(wxWindow* parent) : parent_(parent) {}
    store::CompressChoice ChooseArchiveOrDelete(int oldCount) override;
    void ShowMessage(std::string_view caption, std::string_view text) override;
    bool AskYesNo(std::string_view caption, std::string_view text) override;
    void Notify(std::string_view caption, std::string_view text) override;

private:
    wxWindow* parent_;
};

}  // namespace vorlen
