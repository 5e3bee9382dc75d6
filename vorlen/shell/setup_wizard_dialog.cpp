#include "setup_wizard_dialog.h"

#include "dialog_controls.h"
#include "file_names.h"
#include "vorlen/resources/art.h"

#include "vorlen/platform/help.h"
#include "vorlen/platform/settings.h"
#include "vorlen/platform/wx_text.h"
#include "vorlen/store/data_file.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/msgdlg.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <vector>

namespace vorlen {
namespace {

constexpr int helpTopic = 128;
constexpr int pageCount = 4;
constexpr char newFileDescription[] = "Personal Schedule and Event Database";
constexpr char writeTag[] = "Create: Vorlen Key(Destroy SetupWizardDlg)";

const std::vector<int> pageControls[pageCount] = {
    {wizardDataFileText, wizardDataFileLabel, wizardDataFile, wizardBrowseDataFile, wizardOwnerLabel,
     wizardOwner, wizardDescriptionLabel, wizardDescription},
    {wizardBootupText, wizardBootupOption, wizardBypassText, wizardBypass, wizardDayViewText, wizardDayView},
    {wizardArchiveText, wizardArchiveLabel, wizardArchiveFile, wizardBrowseArchive},
    {wizardFinishedText},
};

// Questions raised while looking into a data file, as message boxes.
class MessageBoxPrompts : public store::DataFilePrompts {
public:
    explicit MessageBoxPrompts(wxWindow* parent) : parent_(parent) {}
    bool AskYesNo(std::string_view caption, std::string_view text) override {
        return wxMessageBox(platform::ToWx(text), platform::ToWx(caption), wxYES_NO | wxICON_QUESTION,
                            parent_) == wxYES;
    }
    void Notify(std::string_view caption, std::string_view text) override {
        wxMessageBox(platform::ToWx(text), platform::ToWx(caption), wxOK | wxICON_WARNING, parent_);
    }

private:
    wxWindow* parent_;
};

}  // namespace

wxBEGIN_EVENT_TABLE(SetupWizardDlg, wxDialog)
    EVT_BUTTON(wizardNext, SetupWizardDlg::OnNext)
    EVT_BUTTON(wizardBack, SetupWizardDlg::OnBack)
    EVT_BUTTON(wizardCancel, SetupWizardDlg::OnCancel)
    EVT_BUTTON(wizardHelp, SetupWizardDlg::OnHelp)
    EVT_BUTTON(wizardBrowseDataFile, SetupWizardDlg::OnBrowseDataFile)
    EVT_BUTTON(wizardBrowseArchive, SetupWizardDlg::OnBrowseArchive)
    EVT_CLOSE(SetupWizardDlg::OnClose)
wxEND_EVENT_TABLE()

SetupWizardDlg::SetupWizardDlg(wxWindow* parent) : wxDialog(parent, wxID_ANY, "Setup Wizard") {
    platform::Settings stored = platform::ReadSettings();
    bootupOption = stored.bootupOption;
    dayView = stored.dayView;
    bypassBootupDialog = stored.bypassBootupDialog;
    archiveFile = stored.archiveFile;
    defaultFile_ = stored.defaultFile.value_or("");

    auto* pages = new wxBoxSizer(wxVERTICAL);
    BuildPages(pages);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->Add(new wxButton(this, wizardBack, "< &Back"));
    auto* next = new wxButton(this, wizardNext, "&Next >");
    next->SetDefault();
    buttons->Add(next, 0, wxRIGHT, 12);
    buttons->Add(new wxButton(this, wizardCancel, "Cancel"), 0, wxRIGHT, 6);
    buttons->Add(new wxButton(this, wizardHelp, "Help"));

    auto* right = new wxBoxSizer(wxVERTICAL);
    right->Add(pages, 1, wxEXPAND | wxALL, 10);
    right->Add(buttons, 0, wxALIGN_RIGHT | wxLEFT | wxRIGHT | wxBOTTOM, 10);

    auto* picture = new wxStaticBitmap(this, wxID_ANY, art::WizardPicture(GetContentScaleFactor()));

    auto* sizer = new wxBoxSizer(wxHORIZONTAL);
    sizer->Add(picture, 0, wxALL, 10);
    sizer->Add(right, 1, wxEXPAND);
    SetSizer(sizer);
    SetEscapeId(wizardCancel);

    SelectStored(Combo(wizardBootupOption), bootupOption, platform::setting::bootupOption.byDefault);
    SelectStored(Combo(wizardDayView), dayView, platform::setting::dayView.byDefault);
    SelectStored(Combo(wizardBypass), bypassBootupDialog, platform::setting::bypassBootupDialog.byDefault);
    Edit(wizardArchiveFile)->ChangeValue(platform::FileNameToWx(archiveFile));
    Edit(wizardDataFile)->ChangeValue(platform::FileNameToWx(defaultFile_));
    Edit(wizardDataFile)->Bind(wxEVT_KILL_FOCUS, &SetupWizardDlg::OnDataFileLosesFocus, this);

    FitToLargestPage();
    ShowPageControls(step);
    FillOwnerFromDataFile();
    Centre();
}

void SetupWizardDlg::BuildPages(wxSizer* pages) {
    const int wrap = ConvertDialogToPixels(wxSize(220, 0)).x;
    auto text = [&](int id, const char* words) {
        auto* label = new wxStaticText(this, id, words);
        label->Wrap(wrap);
        pages->Add(label, 0, wxBOTTOM, 10);
    };
    auto edit = [&](int id) {
        auto* box = new wxTextCtrl(this, id);
        box->SetMaxLength(kMaxFieldText);
        return box;
    };
    auto label = [&](int id, const char* words) { return new wxStaticText(this, id, words); };

    text(wizardDataFileText,
         "Please enter the path and file name of the Vorlen database you wish to use. This can be either a "
         "existing or new file. Also, enter the owner of the database and a short description.");
    auto* fields = new wxFlexGridSizer(3, 6, 6);
    fields->AddGrowableCol(1);
    fields->Add(label(wizardDataFileLabel, "Vorlen Database:"), 0, wxALIGN_CENTER_VERTICAL);
    fields->Add(edit(wizardDataFile), 1, wxEXPAND);
    fields->Add(new wxButton(this, wizardBrowseDataFile, "Browse..."));
    fields->Add(label(wizardOwnerLabel, "Owners name:"), 0, wxALIGN_CENTER_VERTICAL);
    fields->Add(edit(wizardOwner), 1, wxEXPAND);
    fields->AddSpacer(0);
    fields->Add(label(wizardDescriptionLabel, "Description:"), 0, wxALIGN_CENTER_VERTICAL);
    fields->Add(edit(wizardDescription), 1, wxEXPAND);
    pages->Add(fields, 0, wxEXPAND);

    text(wizardBootupText,
         "Current and future events/appointments can be shown once-a-day, every bootup, or never on bootup. "
         "Which do you wish?");
    pages->Add(MakeDropDownList(this, wizardBootupOption, {"Once-a-day", "Every Bootup", "Never"}), 0,
               wxBOTTOM, 14);
    text(wizardBypassText,
         "If you enabled the bootup option, do you wish to be shown a summary dialog before hand?");
    pages->Add(MakeDropDownList(this, wizardBypass, {"Yes", "No"}), 0, wxBOTTOM, 14);
    text(wizardDayViewText,
         "The current day's events and appointments can be shown in either a list or a time-slot format "
         "(where "
         "the time-slots that are filled are shaded in). Which do you wish to use?");
    pages->Add(MakeDropDownList(this, wizardDayView, {"Full Display", "Compressed Display"}));

    text(wizardArchiveText,
         "Old and expired events can be archived to a seperate Vorlen Archive database. What is the filename "
         "and "
         "path of your archive database?");
    auto* archive = new wxBoxSizer(wxHORIZONTAL);
    archive->Add(label(wizardArchiveLabel, "Archive Database:"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 6);
    archive->Add(edit(wizardArchiveFile), 1, wxALIGN_CENTER_VERTICAL | wxRIGHT, 6);
    archive->Add(new wxButton(this, wizardBrowseArchive, "Browse..."));
    pages->Add(archive, 0, wxEXPAND);

    text(
        wizardFinishedText,
        "Congratulations! You have finished setting up Tolvane Vorlen! There are other settings that can set "
        "in Vorlen. To access these choose \"Options\" on the Tools menu.");
}

// The pages share one place: the dialog gets the size of the largest, so
// that it keeps its size from step to step.
void SetupWizardDlg::FitToLargestPage() {
    wxSize largest;
    for (int n = 1; n <= pageCount; ++n) {
        ShowPageControls(n);
        largest.IncTo(GetSizer()->CalcMin());
    }
    SetMinClientSize(largest);
    SetClientSize(largest);
}

void SetupWizardDlg::ShowPageControls(int n) {
    for (int page = 1; page <= pageCount; ++page) {
        for (int id : pageControls[page - 1])
            FindWindow(id)->Show(page == n);
    }
    FindWindow(wizardBack)->Enable(n != 1);
    FindWindow(wizardNext)->SetLabel(n == pageCount ? "Finished" : "&Next >");
    SetTitle(n == pageCount ? wxString("Setup Wizard - Finished")
                            : wxString::Format("Setup Wizard - Step %d of %d", n, pageCount - 1));
    Layout();
}

void SetupWizardDlg::TakeTexts() {
    archiveFile = LimitedText(platform::FileNameFromWx(Edit(wizardArchiveFile)->GetValue()));
    defaultFile_ = LimitedText(platform::FileNameFromWx(Edit(wizardDataFile)->GetValue()));
    owner_ = LimitedText(platform::FromWx(Edit(wizardOwner)->GetValue()));
    description_ = LimitedText(platform::FromWx(Edit(wizardDescription)->GetValue()));
}

void SetupWizardDlg::ShowStep(int n) {
    TakeTexts();
    bool filledOut = true;
    if (n == 2)
        filledOut = !defaultFile_.empty() && !owner_.empty() && !description_.empty();
    else if (n == 4)
        filledOut = !archiveFile.empty();
    if (!filledOut) {
        wxMessageBox(
            "You have not filled out enough information for Vorlen to work properly. Please make sure all "
            "information is included.",
            "Problem", wxOK | wxICON_EXCLAMATION, this);
        return;
    }
    ShowPageControls(n);
    step = n;
    // The focus must not stay on a control that is hidden now.
    for (int id : pageControls[n - 1]) {
        if (FindWindow(id)->AcceptsFocus()) {
            FindWindow(id)->SetFocus();
            return;
        }
    }
    FindWindow(wizardNext)->SetFocus();
}

void SetupWizardDlg::FillOwnerFromDataFile() {
    std::string name = platform::FileNameFromWx(Edit(wizardDataFile)->GetValue());
    lookedUpName = name;
    store::DataFile probeFile;
    probeFile.SetFileName(name.c_str());
    MessageBoxPrompts prompts(this);
    bool known = !name.empty() && probeFile.ReadHeader(prompts);
    Edit(wizardOwner)->ChangeValue(known ? platform::ToWx(probeFile.owner.view()) : wxString());
    Edit(wizardDescription)
        ->ChangeValue(platform::ToWx(known ? probeFile.title.view() : std::string_view(newFileDescription)));
}

// Only a changed name is looked up: the focus also leaves the edit when its
// page is hidden, and the owner typed since must stay.
void SetupWizardDlg::OnDataFileLosesFocus(wxFocusEvent& event) {
    event.Skip();
    if (IsBeingDeleted())
        return;
    wxTextCtrl* edit = Edit(wizardDataFile);
    std::string named = WithVorExtension(platform::FileNameFromWx(edit->GetValue()));
    edit->ChangeValue(platform::FileNameToWx(named));
    if (named != lookedUpName)
        FillOwnerFromDataFile();
}

void SetupWizardDlg::OnNext(wxCommandEvent&) {
    if (step < pageCount)
        ShowStep(step + 1);
    else
        Finish();
}

void SetupWizardDlg::OnBack(wxCommandEvent&) {
    if (step > 1)
        ShowStep(step - 1);
}

void SetupWizardDlg::Finish() {
    bootupOption = Combo(wizardBootupOption)->GetSelection();
    dayView = Combo(wizardDayView)->GetSelection();
    TakeTexts();
    defaultFile_ = WithVorExtension(defaultFile_);
    archiveFile = WithVorExtension(archiveFile);
    bypassBootupDialog = Combo(wizardBypass)->GetSelection();
    WriteSettings();
    EndModal(wizardFinished);
}

void SetupWizardDlg::WriteSettings() {
    platform::registryAccess key;
    if (!platform::OpenForWriting(key, writeTag))
        return;
    platform::WriteInt(key, platform::setting::bootupOption, bootupOption);
    platform::WriteInt(key, platform::setting::dayView, dayView);
    platform::WriteInt(key, platform::setting::bypassBootupDialog, bypassBootupDialog);
    platform::WriteFileName(key, platform::setting::archiveFile, archiveFile);
    key.Close();
}

void SetupWizardDlg::OnBrowseDataFile(wxCommandEvent&) {
    if (BrowseForVorlenFile(this, Edit(wizardDataFile)))
        FillOwnerFromDataFile();
}

void SetupWizardDlg::OnBrowseArchive(wxCommandEvent&) {
    BrowseForVorlenFile(this, Edit(wizardArchiveFile));
}

void SetupWizardDlg::OnHelp(wxCommandEvent&) {
    platform::ShowHelpTopic(helpTopic, platform::HelpStyle::Window);
}

void SetupWizardDlg::OnCancel(wxCommandEvent&) {
    EndModal(wizardCancelled);
}

void SetupWizardDlg::OnClose(wxCloseEvent&) {
    if (IsModal())
        EndModal(wizardCancelled);
    else
        Destroy();
}

wxTextCtrl* SetupWizardDlg::Edit(int id) const {
    return static_cast<wxTextCtrl*>(FindWindow(id));
}

wxChoice* SetupWizardDlg::Combo(int id) const {
    return static_cast<wxChoice*>(FindWindow(id));
}

}  // namespace vorlen
