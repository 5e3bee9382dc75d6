// The set-up wizard: the data file with its owner and description, the
// start-up reminder behaviour and day-view format, and the archive file, in
// three steps and a closing page. Finishing writes the start-up settings;
// the caller applies the data file, owner and description.
#pragma once

#include <wx/dialog.h>

#include <string>

class wxChoice;
class wxTextCtrl;

namespace vorlen {

// Control ids of the dialog.
enum SetupWizardControl : int {
    wizardNext = 1,  // "&Next >", "Finished" on the last page; ends with wizardFinished
    wizardCancel = 2,
    wizardHelp = 9,
    wizardBack = 101,
    wizardDataFile = 102,
    wizardOwner = 103,
    wizardDescription = 104,
    wizardArchiveFile = 105,
    wizardBrowseDataFile = 106,
    wizardBrowseArchive = 107,
    wizardBootupOption = 108,
    wizardDayView = 110,
    wizardBypass = 765,
    // Texts and labels.
    wizardArchiveText = 700,
    wizardArchiveLabel = 701,
    wizardBootupText = 702,
    wizardBypassText = 703,
    wizardDataFileText = 704,
    wizardDayViewText = 705,
    wizardDescriptionLabel = 706,
    wizardDataFileLabel = 707,
    wizardFinishedText = 708,
    wizardOwnerLabel = 709,
};

// What ShowModal gives back.
enum SetupWizardResult : int {
    wizardFinished = 1,   // the last page was confirmed, the settings written
    wizardCancelled = 2,  // Cancel, Escape or the close box; nothing written
};

class SetupWizardDlg : public wxDialog {
public:
    // Reads the current settings (creating the settings key when it is
    // missing) and looks up the owner and description of "DefaultFile".
    explicit SetupWizardDlg(wxWindow* parent);

    // The page shown, 1-4.
    int Step() const { return step; }
    // After wizardFinished: the data file's name (with the extension rule
    // applied), its owner and description, all Windows-1252.
    const std::string& defaultFile() const { return defaultFile_; }
    const std::string& owner() const { return owner_; }
    const std::string& description() const { return description_; }

    // Shows page `n` when the pages before it are filled in; otherwise
    // tells the user and stays.
    void ShowStep(int n);

private:
    void BuildPages(wxSizer* pages);
    void FitToLargestPage();
    void ShowPageControls(int n);
    void TakeTexts();
    void FillOwnerFromDataFile();
    void Finish();
    void WriteSettings();

    void OnNext(wxCommandEvent& event);
    void OnBack(wxCommandEvent& event);
    void OnCancel(wxCommandEvent& event);
    void OnHelp(wxCommandEvent& event);
    void OnBrowseDataFile(wxCommandEvent& event);
    void OnBrowseArchive(wxCommandEvent& event);
    void OnDataFileLosesFocus(wxFocusEvent& event);
    void OnClose(wxCloseEvent& event);

    wxTextCtrl* Edit(int id) const;
    wxChoice* Combo(int id) const;

    int step = 1;
    int bootupOption = 1;
    int dayView = 0;
    int bypassBootupDialog = 0;
    std::string archiveFile;
    std::string defaultFile_;
    std::string owner_;
    std::string description_;
    std::string lookedUpName;  // the data file name owner and description were last taken from
    wxDECLARE_EVENT_TABLE();
};

}  // namespace vorlen
