#include "options_dialog.h"

#include "dialog_controls.h"

#include "vorlen/platform/help.h"
#include "vorlen/platform/settings.h"
#include "vorlen/platform/wx_text.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/filedlg.h>
#include <wx/notebook.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/slider.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <algorithm>

namespace vorlen {
namespace {

constexpr int helpTopic = 119;
constexpr char writeTag[] = "Create: Vorlen Key(Destroy TOptionsDlg)";
constexpr char archiveWriteTag[] = "OptionsDLG.ArchiveFile!";
constexpr int timerTickSpacing = 30;
constexpr int margin = 8;

template <typename Control>
Control* Find(const wxWindow* dialog, int id) {
    return static_cast<Control*>(dialog->FindWindow(id));
}

}  // namespace

wxBEGIN_EVENT_TABLE(TOptionsDlg, wxDialog)
    EVT_BUTTON(optionsOk, TOptionsDlg::OnOk)
    EVT_BUTTON(optionsCancel, TOptionsDlg::OnCancel)
    EVT_BUTTON(optionsBrowse, TOptionsDlg::OnBrowse)
    EVT_BUTTON(optionsHelp, TOptionsDlg::OnHelp)
    EVT_CLOSE(TOptionsDlg::OnClose)
wxEND_EVENT_TABLE()

TOptionsDlg::TOptionsDlg(wxWindow* parent) : wxDialog(parent, wxID_ANY, "Options") {
    auto* tabs = new wxNotebook(this, optionsTabs);
    tabs->AddPage(BuildGeneralTab(tabs), "General");
    tabs->AddPage(BuildArchiveTab(tabs), "Archive");
    tabs->AddPage(BuildAdvancedTab(tabs), "Advanced");

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    auto* ok = new wxButton(this, optionsOk, "OK");
    ok->SetDefault();
    buttons->Add(ok, 0, wxRIGHT, 6);
    buttons->Add(new wxButton(this, optionsCancel, "Cancel"), 0, wxRIGHT, 6);
    buttons->Add(new wxButton(this, optionsHelp, "Help"));

    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(tabs, 1, wxEXPAND | wxALL, 6);
    sizer->Add(buttons, 0, wxALIGN_RIGHT | wxLEFT | wxRIGHT | wxBOTTOM, 6);
    SetSizerAndFit(sizer);
    SetEscapeId(optionsCancel);

    ShowSettings();
    tabs->SetSelection(0);
    Centre();
}

wxWindow* TOptionsDlg::BuildGeneralTab(wxWindow* tabs) {
    auto* page = new wxPanel(tabs);
    auto* grid = new wxFlexGridSizer(2, margin, margin);
    auto row = [&](int labelId, const char* label, wxWindow* list) {
        grid->Add(new wxStaticText(page, labelId, label), 0, wxALIGN_CENTER_VERTICAL);
        grid->Add(list, 0, wxEXPAND);
    };
    row(optionsBootupLabel, "Show Event Reminders:",
        MakeDropDownList(page, optionsBootupOption, {"Once-a-day", "Every Bootup", "Never"}));
    grid->AddSpacer(0);
    grid->Add(new wxCheckBox(page, optionsBypass, "Bypass Bootup Dialog"));
    row(optionsInitialScreenLabel, "Initial Screen:",
        MakeDropDownList(
            page, optionsInitialScreen,
            {"Title Screen", "Information Tree", "Event List", "Calendar Display", "Day View - Today"}));
    row(optionsDayViewLabel,
        "Day View Format:", MakeDropDownList(page, optionsDayView, {"Full Display", "Compressed Display"}));
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(grid, 0, wxALL, 2 * margin);
    page->SetSizer(sizer);
    return page;
}

wxWindow* TOptionsDlg::BuildArchiveTab(wxWindow* tabs) {
    auto* page = new wxPanel(tabs);
    auto* group =
        new wxStaticBoxSizer(new wxStaticBox(page, optionsArchiveGroup, "Archive File "), wxHORIZONTAL);
    wxWindow* box = group->GetStaticBox();
    auto* name = new wxTextCtrl(box, optionsArchiveFile);
    name->SetMaxLength(kMaxFieldText);
    group->Add(name, 1, wxALIGN_CENTER_VERTICAL | wxALL, margin);
    group->Add(new wxButton(box, optionsBrowse, "Browse"), 0, wxALIGN_CENTER_VERTICAL | wxALL, margin);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(group, 0, wxEXPAND | wxALL, 2 * margin);
    page->SetSizer(sizer);
    return page;
}

wxWindow* TOptionsDlg::BuildAdvancedTab(wxWindow* tabs) {
    auto* page = new wxPanel(tabs);
    auto* group =
        new wxStaticBoxSizer(new wxStaticBox(page, optionsPriorityGroup, "Vorlen Priority"), wxHORIZONTAL);
    wxWindow* box = group->GetStaticBox();
    auto* slider = new wxSlider(box, optionsTimer, kTimerMaximum, kTimerMinimum, kTimerMaximum,
                                wxDefaultPosition, wxDefaultSize, wxSL_HORIZONTAL | wxSL_AUTOTICKS);
    slider->SetTickFreq(timerTickSpacing);
    group->Add(new wxStaticText(box, optionsHigh, "High"), 0, wxALIGN_CENTER_VERTICAL | wxALL, margin);
    group->Add(slider, 1, wxALIGN_CENTER_VERTICAL);
    group->Add(new wxStaticText(box, optionsLow, "Low"), 0, wxALIGN_CENTER_VERTICAL | wxALL, margin);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(group, 0, wxEXPAND | wxALL, 2 * margin);
    sizer->Add(new wxCheckBox(page, optionsMinimizeToTray, "Minimize to System Tray"), 0,
               wxLEFT | wxRIGHT | wxBOTTOM, 2 * margin);
    sizer->Add(new wxCheckBox(page, optionsKeepLoaded,
                              "Stay Loaded after Bootup (minimize after event and appointment check)"),
               0, wxLEFT | wxRIGHT | wxBOTTOM, 2 * margin);
    page->SetSizer(sizer);
    return page;
}

void TOptionsDlg::ShowSettings() {
    platform::Settings stored = platform::ReadSettings();
    Find<wxTextCtrl>(this, optionsArchiveFile)->ChangeValue(platform::FileNameToWx(stored.archiveFile));
    Find<wxCheckBox>(this, optionsBypass)->SetValue(stored.bypassBootupDialog != 0);
    Find<wxCheckBox>(this, optionsKeepLoaded)->SetValue(stored.keepLoaded != 0);
    Find<wxCheckBox>(this, optionsMinimizeToTray)->SetValue(stored.minimizeToTray != 0);
    SelectStored(Find<wxChoice>(this, optionsBootupOption), stored.bootupOption,
                 platform::setting::bootupOption.byDefault);
    SelectStored(Find<wxChoice>(this, optionsDayView), stored.dayView, platform::setting::dayView.byDefault);
    SelectStored(Find<wxChoice>(this, optionsInitialScreen), stored.initialScreen,
                 platform::setting::initialScreen.byDefault);
    // A period outside the slider's range shows at the nearer end.
    Find<wxSlider>(this, optionsTimer)->SetValue(std::clamp(stored.timer, kTimerMinimum, kTimerMaximum));
}

void TOptionsDlg::WriteSettings() {
    namespace setting = platform::setting;
    platform::registryAccess key;
    if (!platform::OpenForWriting(key, writeTag))
        return;
    auto checked = [this](int id) { return Find<wxCheckBox>(this, id)->GetValue() ? 1 : 0; };
    auto selected = [this](int id) { return Find<wxChoice>(this, id)->GetSelection(); };
    platform::WriteInt(key, setting::bootupOption, selected(optionsBootupOption));
    platform::WriteInt(key, setting::timer, Find<wxSlider>(this, optionsTimer)->GetValue());
    platform::WriteInt(key, setting::dayView, selected(optionsDayView));
    platform::WriteInt(key, setting::bypassBootupDialog, checked(optionsBypass));
    platform::WriteInt(key, setting::minimizeToTray, checked(optionsMinimizeToTray));
    platform::WriteInt(key, setting::keepLoaded, checked(optionsKeepLoaded));
    platform::WriteInt(key, setting::initialScreen, selected(optionsInitialScreen));
    std::string archive =
        LimitedText(platform::FileNameFromWx(Find<wxTextCtrl>(this, optionsArchiveFile)->GetValue()));
    platform::WriteFileName(key, setting::archiveFile, archive, archiveWriteTag);
    key.Close();
}

void TOptionsDlg::OnOk(wxCommandEvent&) {
    WriteSettings();
    EndModal(optionsSaved);
}

void TOptionsDlg::OnCancel(wxCommandEvent&) {
    EndModal(optionsCancelled);
}

void TOptionsDlg::OnBrowse(wxCommandEvent&) {
    BrowseForVorlenFile(this, Find<wxTextCtrl>(this, optionsArchiveFile), wxFD_OVERWRITE_PROMPT);
}

void TOptionsDlg::OnHelp(wxCommandEvent&) {
    platform::ShowHelpTopic(helpTopic, platform::HelpStyle::Window);
}

void TOptionsDlg::OnClose(wxCloseEvent&) {
    if (IsModal())
        EndModal(optionsCancelled);
    else
        Destroy();
}

}  // namespace vorlen
