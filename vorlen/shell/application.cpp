#include "application.h"

#include "vorlen/platform/help.h"
#include "vorlen/platform/help_topics.h"
#include "vorlen/platform/local_clock.h"
#include "vorlen/platform/settings.h"
#include "vorlen/platform/wx_text.h"
#include "vorlen/remind/alarm_windows.h"
#include "vorlen/shell/about_dialog.h"
#include "vorlen/shell/file_names.h"
#include "vorlen/shell/file_type_registration.h"
#include "vorlen/shell/main_frame.h"
#include "vorlen/shell/options_dialog.h"
#include "vorlen/shell/problem_reports.h"
#include "vorlen/shell/screens.h"
#include "vorlen/shell/setup_wizard_dialog.h"
#include "vorlen/shell/statistics_dialog.h"
#include "vorlen/shell/window_ui.h"
#include "vorlen/store/icalendar.h"
#include "vorlen/views/event_clipboard.h"
#include "vorlen/views/event_edit_dialog.h"
#include "vorlen/views/event_list_window.h"
#include "vorlen/views/info_tree.h"
#include "vorlen/views/types_dialog.h"
#include "vorlen/views/view_window.h"
#include "vorlen/resources/program_icon_svg.h"

#include <wx/app.h>
#include <wx/aui/auibar.h>
#include <wx/evtloop.h>
#include <wx/filedlg.h>
#include <wx/log.h>
#include <wx/msgdlg.h>
#include <wx/utils.h>

namespace vorlen {
namespace {

namespace setting = platform::setting;
using shell::ShowMessage;

constexpr char dataFileFilter[] = "Vorlen Files (*.vor)|*.vor|QUIB Files (*.cal)|*.cal|All Files (*.*)|*.*|";
constexpr char csvFilter[] = "CSV File (*.csv)|*.csv|Text File (*.txt)|*.txt|All Files (*.*)|*.*|";
constexpr char iCalendarFilter[] = "iCalendar Files (*.ics)|*.ics|All Files (*.*)|*.*|";

constexpr char welcomeText[] =
    "Tolvane Vorlen hasn't been setup fully. Please use the following Wizard to customise Vorlen to your "
    "needs.";
constexpr char setupCancelledText[] =
    "Since you choose to cancel the setup Tolvane Vorlen cannot start. Please re-run Vorlen and complete the "
    "setup process in order to use the program.";

int ScreenOfCommand(int id) {
    for (int screen = 0; screen < screenCount; ++screen)
        if (screenCommands[screen] == id)
            return screen;
    return -1;
}

}  // namespace

wxBEGIN_EVENT_TABLE(TVorlenApp, wxEvtHandler)
    EVT_MENU(cmNew, TVorlenApp::OnNew)
    EVT_MENU(cmOpen, TVorlenApp::OnOpen)
    EVT_MENU(cmOpenArchive, TVorlenApp::OnOpenArchive)
    EVT_MENU(cmMerge, TVorlenApp::OnMerge)
    EVT_MENU(cmSave, TVorlenApp::OnSave)
    EVT_MENU(cmSaveAs, TVorlenApp::OnSaveAs)
    EVT_MENU(cmImportVCalendar, TVorlenApp::OnImportVCalendar)
    EVT_MENU(cmExportVCalendar, TVorlenApp::OnExportVCalendar)
    EVT_MENU(cmImportICalendar, TVorlenApp::OnImportICalendar)
    EVT_MENU(cmExportICalendar, TVorlenApp::OnExportICalendar)
    EVT_MENU(cmExportCsv, TVorlenApp::OnExportCsv)
    EVT_MENU(cmProperties, TVorlenApp::OnProperties)
    EVT_MENU(cmExit, TVorlenApp::OnExit)
    EVT_MENU(cmPaste, TVorlenApp::OnPaste)
    EVT_MENU(cmNewEvent, TVorlenApp::OnNewEvent)
    EVT_MENU(cmTitleScreen, TVorlenApp::OnScreen)
    EVT_MENU(cmInfoTree, TVorlenApp::OnScreen)
    EVT_MENU(cmEventList, TVorlenApp::OnScreen)
    EVT_MENU(cmCalendar, TVorlenApp::OnScreen)
    EVT_MENU(cmToday, TVorlenApp::OnScreen)
    EVT_MENU(cmCompress, TVorlenApp::OnCompress)
    EVT_MENU(cmCategories, TVorlenApp::OnCategories)
    EVT_MENU(cmSetupWizard, TVorlenApp::OnSetupWizard)
    EVT_MENU(cmOptions, TVorlenApp::OnOptions)
    EVT_MENU(cmHelpContents, TVorlenApp::OnHelpContents)
    EVT_MENU(cmContactInformation, TVorlenApp::OnContactInformation)
    EVT_MENU(cmUsingHelp, TVorlenApp::OnUsingHelp)
    EVT_MENU(cmAbout, TVorlenApp::OnAbout)
    EVT_MENU(cmContextHelp, TVorlenApp::OnContextHelp)
    EVT_UPDATE_UI(cmSave, TVorlenApp::OnUpdateSave)
    EVT_UPDATE_UI(cmPaste, TVorlenApp::OnUpdatePaste)
    EVT_UPDATE_UI(cmDelete, TVorlenApp::OnUpdateDelete)
    EVT_UPDATE_UI(cmCategories, TVorlenApp::OnUpdateNeedsData)
    EVT_UPDATE_UI(cmNewEvent, TVorlenApp::OnUpdateNeedsData)
    EVT_UPDATE_UI(cmImportVCalendar, TVorlenApp::OnUpdateNeedsData)
    EVT_UPDATE_UI(cmTitleScreen, TVorlenApp::OnUpdateScreen)
    EVT_UPDATE_UI(cmInfoTree, TVorlenApp::OnUpdateScreen)
    EVT_UPDATE_UI(cmEventList, TVorlenApp::OnUpdateScreen)
    EVT_UPDATE_UI(cmCalendar, TVorlenApp::OnUpdateScreen)
    EVT_UPDATE_UI(cmToday, TVorlenApp::OnUpdateScreen)
wxEND_EVENT_TABLE()

TVorlenApp::TVorlenApp(shell::StartupFacts facts)
    : facts_(std::move(facts)), ui_(std::make_unique<shell::WindowUi>([this] { RunReminderScreen(); })) {}

TVorlenApp::~TVorlenApp() {
    if (frame_)
        frame_->Destroy();
}

int TVorlenApp::Construct() {
    ShowSettingsProblemsInMessageBoxes();
    shell::StartupResult result = shell::ReadStartupSettings(document_, facts_, *ui_, state_);
    if (result == shell::StartupResult::exitProcess)
        return exitNormally;
    if (result == shell::StartupResult::notSetUp) {
        ShowMessage(welcomeText, "Welcome to Tolvane Vorlen!", wxOK);
        if (!RunSetupWizard())
            return exitSetupCancelled;
        SaveData();
    }
    return keepRunning;
}

void TVorlenApp::CreateMainWindow() {
    ScreenId screen = state_.currentScreen;
    if (state_.initialScreen >= 0 && state_.initialScreen < screenCount) {
        screen = static_cast<ScreenId>(state_.initialScreen);
    } else {
        ShowMessage("Invalid Startup Screen", "Error", wxOK | wxICON_INFORMATION);
        screen = ScreenTitle;
    }
    state_.currentScreen = screen;
    frame_ = BuildFrame(screen, hostKindNormal);
    frame_->ShowFrame(state_.bootupMode && state_.keepLoaded != 0);
}

TSDIDecFrame* TVorlenApp::BuildFrame(ScreenId screen, int hostKind) {
    auto* frame = new TSDIDecFrame(*this, screen, state_.timerPeriodMs);
    alarms_.Forget();
    frame->SetScreen(MakeScreenWindow(screen, frame, hostKind, document_), screen);
    wxTheApp->SetTopWindow(frame);
    frame->Bind(wxEVT_DESTROY, [this, frame](wxWindowDestroyEvent& event) {
        if (event.GetEventObject() == frame && frame_ == frame)
            frame_ = nullptr;
        event.Skip();
    });
    return frame;
}

void TVorlenApp::RunReminderScreen() {
    state_.currentScreen = ScreenToday;
    frame_ = BuildFrame(ScreenToday, hostKindBootup);
    TSDIDecFrame* frame = frame_;
    wxGUIEventLoop loop;
    frame->Bind(wxEVT_DESTROY, [&loop, frame](wxWindowDestroyEvent& event) {
        if (event.GetEventObject() == frame)
            loop.Exit();
        event.Skip();
    });
    frame->ShowFrame();
    loop.Run();
}

void TVorlenApp::SwitchScreen(ScreenId target) {
    if (!frame_ || target == frame_->CurrentScreen())
        return;
    wxWindow* window = MakeScreenWindow(target, frame_, hostKindNormal, document_);
    frame_->SetScreen(window, target);
    if (target == ScreenToday)
        frame_->ShowFrame();
    else
        frame_->Show();
    state_.currentScreen = target;
}

bool TVorlenApp::LoadDataFile(const std::string& name, bool merge) {
    if (!merge && document_.IsUnsaved()) {
        int answer = ShowMessage("Do you wish to save your data before loading the new file?", "Data Not Saved",
                                 wxYES_NO | wxCANCEL | wxICON_QUESTION);
        if (answer == wxCANCEL || (answer == wxYES && !SaveData()))
            return false;
    }
    ShowLoadOutcome(document_.Load(name, merge, platform::ReadSettings().archiveFile, Date::Today(), *ui_));
    return true;
}

void TVorlenApp::ShowLoadOutcome(shell::LoadOutcome outcome) {
    switch (outcome) {
    case shell::LoadOutcome::loadedArchive:
        ShowMessage("The file you have just opened is marked as an ARCHIVE file", "Notice",
                    wxOK | wxICON_INFORMATION);
        break;
    case shell::LoadOutcome::invalidReset:
    case shell::LoadOutcome::invalidKept:
        ShowMessage("Data Invalid", "Problem", wxOK | wxICON_ERROR);
        break;
    case shell::LoadOutcome::invalidNoReset:
        ShowMessage("Data Invalid", "Problem", wxOK | wxICON_ERROR);
        ShowMessage("Cannot Reset Data File", "Error", wxOK | wxICON_ERROR);
        break;
    case shell::LoadOutcome::loaded:
    case shell::LoadOutcome::merged:
        break;
    }
}

bool TVorlenApp::SaveData() {
    if (!document_.HasValidData()) {
        ShowMessage("No valid data loaded!", "Error", wxOK | wxICON_INFORMATION);
        return false;
    }
    if (document_.IsUnnamed())
        return SaveAs();
    if (document_.Save())
        return true;
    ShowMessage(document_.LastError(), "Error", wxOK | wxICON_ERROR);
    return false;
}

bool TVorlenApp::SaveAs() {
    if (!document_.HasValidData()) {
        ShowMessage("No valid data loaded!", "Error", wxOK | wxICON_INFORMATION);
        return false;
    }
    std::string name = AskFileName("Save As", true, dataFileFilter);
    if (name.empty())
        return false;
    std::string previous(document_.file.fileName.view());
    document_.file.SetFileName(name.c_str());
    if (!document_.Save()) {
        ShowMessage(document_.LastError(), "Error", wxOK | wxICON_ERROR);
        document_.file.SetFileName(previous.c_str());
        return false;
    }
    WriteDefaultFile(name);
    return true;
}

std::string TVorlenApp::AskFileName(const wxString& title, bool save, const char* filter) {
    std::string chosen = chooseFile_ ? chooseFile_(title, save, filter) : ShowFileDialog(title, save, filter);
    if (chosen.empty())
        return {};
    dialogFileName_ = chosen;
    // The data file dialogs' default extension.
    if (save && filter == dataFileFilter)
        dialogFileName_ = WithDefaultVorExtension(dialogFileName_);
    return dialogFileName_;
}

std::string TVorlenApp::ShowFileDialog(const wxString& title, bool save, const char* filter) {
    long style = save ? wxFD_SAVE | wxFD_OVERWRITE_PROMPT : wxFD_OPEN | wxFD_FILE_MUST_EXIST;
    wxFileDialog dialog(frame_, title, wxEmptyString, platform::FileNameToWx(dialogFileName_),
                        ToWxWildcard(filter), style);
    if (dialog.ShowModal() != wxID_OK)
        return {};
    return platform::FileNameFromWx(dialog.GetPath());
}

void TVorlenApp::WriteDefaultFile(const std::string& name) {
    platform::registryAccess key;
    key.Open();
    platform::WriteFileName(key, setting::defaultFile, name);
}

bool TVorlenApp::RunSetupWizard() {
    SetupWizardDlg wizard(frame_);
    if (wizard.ShowModal() != wizardFinished) {
        if (!frame_)
            ShowMessage(setupCancelledText, "Notice", wxOK | wxICON_INFORMATION);
        return false;
    }
    const std::string& name = wizard.defaultFile();
    if (document_.HasValidData() && document_.file.fileName == name) {
        document_.file.SetOwner(wizard.owner().c_str());
        document_.file.SetTitle(wizard.description().c_str());
        document_.MarkChanged();
        return true;
    }
    if (!wxFileExists(platform::FileNameToWx(name))) {
        if (document_.CreateNew(name, Date::Today()))
            WriteDefaultFile(name);
        else
            ShowMessage("Cannot Create New Data", "Error", wxOK | wxICON_INFORMATION);
    } else if (!LoadDataFile(name, false)) {
        return true;
    }
    document_.file.SetOwner(wizard.owner().c_str());
    document_.file.SetTitle(wizard.description().c_str());
    document_.MarkChanged();
    WriteDefaultFile(name);
    if (frame_)
        SwitchScreen(ScreenTitle);
    return true;
}

bool TVorlenApp::CanClose() {
    if (helpWindowOpened_)
        platform::CloseHelp();
    if (document_.IsUnsaved()) {
        int answer = ShowMessage("Do you wish to save your data before exiting?", "Data Not Saved",
                                 wxYES_NO | wxCANCEL | wxICON_QUESTION);
        // A save that failed keeps the program open: closing now would
        // lose the data without a word.
        if (answer == wxCANCEL || (answer == wxYES && !SaveData()))
            return false;
    }
    if (frame_) {
        wxRect bar = frame_->Toolbar()->GetScreenRect();
        platform::registryAccess key;
        key.Open();
        platform::WriteRect(key, setting::toolbarPosition,
                            {bar.GetLeft(), bar.GetTop(), bar.GetRight() + 1, bar.GetBottom() + 1}, "ToolbarPos");
    }
    return true;
}

void TVorlenApp::OpenDroppedFile(const std::string& name) {
    dialogFileName_ = name;
    if (LoadDataFile(name, false))
        SwitchScreen(ScreenTitle);
}

void TVorlenApp::RegisterFileTypeUnlessOptedOut(const std::string& programPath) {
    for (const std::string& arg : facts_.args)
        if (shell::IsUnregisterOption(arg))
            return;
    std::string error;
    if (!shell::RegisterFileType(programPath, art::programIconSvg, &error))
        wxLogDebug("%s", error);
}

void TVorlenApp::TimerTick() {
    TAlarmWindows ui(frame_, frame_ ? frame_->Tray() : nullptr,
                     {[this] { ShowTodayFromTimer(); },
                      [this](const EventNode& event) { EditAlarmEvent(event); }});
    alarms_.Tick(document_.reminders, Date::Today(), Time::Now(), ui);
}

void TVorlenApp::ShowTodayFromTimer() {
    if (!frame_)
        return;
    if (!frame_->IsShown())
        frame_->ShowFrame();
    SwitchScreen(ScreenToday);
}

// The dialogs of an alarm run while the user can still change the data:
// the event is looked up again before its properties are opened.
void TVorlenApp::EditAlarmEvent(const EventNode& event) {
    for (EventNode& node : document_.events) {
        if (&node != &event)
            continue;
        // Without an owner, as the alarm dialog: ticks go on meanwhile.
        TEventEditDlg dialog(nullptr, {document_.events, document_.types, document_.file});
        dialog.SetWindowStyleFlag(dialog.GetWindowStyleFlag() | wxDIALOG_NO_PARENT);
        dialog.SetEvent(&node);
        if (dialog.ShowModal() == wxID_OK)
            FullViewRefresh();
        return;
    }
}

void TVorlenApp::ReadTimerSettings() {
    platform::Settings settings = platform::ReadSettings();
    state_.timerPeriodMs = settings.timer * 1000;
    state_.minimizeToTray = settings.minimizeToTray;
}

void TVorlenApp::AfterNewEvent() {
    // The other screens show the data afresh when they are next built.
    if (!frame_)
        return;
    wxWindow* screen = frame_->Screen();
    if (auto* today = dynamic_cast<TViewWindow*>(screen))
        today->RefreshView();
    else if (auto* list = dynamic_cast<TEventListWindow*>(screen))
        list->AddLastEvent();
    else if (auto* infoTree = dynamic_cast<TInfoTree*>(screen))
        infoTree->AddNewEventNode();
}

EventEditData TVorlenApp::EditData() {
    return {document_.events, document_.types, document_.file};
}

void TVorlenApp::FullViewRefresh() {
    if (!frame_)
        return;
    wxWindow* screen = frame_->Screen();
    if (auto* list = dynamic_cast<TEventListWindow*>(screen))
        list->RefreshList();
    else if (auto* infoTree = dynamic_cast<TInfoTree*>(screen))
        infoTree->RebuildTree();
}

void TVorlenApp::SetHelpMode(bool on) {
    helpMode_ = on;
    if (on)
        wxSetCursor(wxCursor(wxCURSOR_QUESTION_ARROW));
    else
        wxSetCursor(wxNullCursor);
}

bool TVorlenApp::HandleHelpModeCommand(int id) {
    SetHelpMode(false);
    platform::ShowHelpTopic(id, platform::HelpStyle::Window);
    return true;
}

void TVorlenApp::OnNew(wxCommandEvent&) {
    if (document_.IsUnsaved()) {
        int answer = ShowMessage("Do you wish to save your data before starting a new file?", "Data Not Saved",
                                 wxYES_NO | wxICON_QUESTION);
        if (answer == wxYES && !SaveData())
            return;
    }
    std::string name = AskFileName("Create New Data", true, dataFileFilter);
    if (name.empty())
        return;
    if (!document_.CreateNew(name, Date::Today())) {
        ShowMessage("Cannot Create New Data", "Error", wxOK | wxICON_INFORMATION);
        return;
    }
    WriteDefaultFile(name);
    SwitchScreen(ScreenTitle);
}

void TVorlenApp::OnOpen(wxCommandEvent&) {
    std::string name = AskFileName("Open", false, dataFileFilter);
    if (name.empty() || !LoadDataFile(name, false))
        return;
    SwitchScreen(ScreenTitle);
    WriteDefaultFile(name);
}

void TVorlenApp::OnOpenArchive(wxCommandEvent&) {
    std::string archive = platform::ReadSettings().archiveFile;
    if (archive.empty()) {
        ShowMessage("Archive File not set properly. Please check your settings", "", wxOK);
        return;
    }
    if (LoadDataFile(archive, false))
        SwitchScreen(ScreenTitle);
}

void TVorlenApp::OnMerge(wxCommandEvent&) {
    std::string name = AskFileName("Merge", false, dataFileFilter);
    if (name.empty() || !LoadDataFile(name, true))
        return;
    SwitchScreen(ScreenTitle);
}

void TVorlenApp::OnSave(wxCommandEvent&) {
    SaveData();
}

void TVorlenApp::OnSaveAs(wxCommandEvent&) {
    SaveAs();
}

void TVorlenApp::OnImportVCalendar(wxCommandEvent&) {
    if (ImportVCalendarFile(frame_, EditData(), chooseFile_).count > 0)
        AfterNewEvent();
}

void TVorlenApp::OnExportVCalendar(wxCommandEvent&) {
    std::vector<const EventNode*> events;
    for (const EventNode& event : document_.events)
        events.push_back(&event);
    SaveEventsAsVCalendar(frame_, events, chooseFile_);
}

void TVorlenApp::OnImportICalendar(wxCommandEvent&) {
    std::string name = AskFileName("Import iCalendar", false, iCalendarFilter);
    if (name.empty())
        return;
    store::ICalendarImport calendar;
    std::string error;
    if (!store::ReadICalendarFile(name, calendar, error)) {
        ShowMessage(error, "Error", wxOK | wxICON_ERROR);
        return;
    }
    if (document_.AppendEvents(*calendar.events) > 0)
        AfterNewEvent();
    if (!calendar.simplified.empty())
        ShowMessage(std::to_string(calendar.simplified.size()) +
                        " repeating event(s) had no equivalent repetition and were imported at their first "
                        "occurrence only.",
                    "Import iCalendar", wxOK | wxICON_INFORMATION);
}

void TVorlenApp::OnExportICalendar(wxCommandEvent&) {
    std::string name = AskFileName("Save As iCalendar", true, iCalendarFilter);
    std::string error;
    if (!name.empty() && !store::WriteICalendarFile(name, document_.events, platform::LocalZoneName(), &error))
        ShowMessage(error, "Error", wxOK | wxICON_ERROR);
}

void TVorlenApp::OnExportCsv(wxCommandEvent&) {
    std::string name = AskFileName("Export Data to CSV", true, csvFilter);
    if (!name.empty() && !document_.file.ExportCsv(name, document_.events))
        ShowMessage("Cannot Create Export Data File!", "Error", wxOK | wxICON_INFORMATION);
}

void TVorlenApp::OnProperties(wxCommandEvent&) {
    TStatisticsDlg dialog(frame_, document_.file, document_.events.count);
    if (dialog.ShowModal() == statisticsChanged)
        FullViewRefresh();
}

void TVorlenApp::OnExit(wxCommandEvent&) {
    if (frame_)
        frame_->Close();
}

void TVorlenApp::OnPaste(wxCommandEvent&) {
    if (PasteEvents(frame_, EditData()).count > 0)
        AfterNewEvent();
}

// The dialog adds the event and marks the data unsaved itself.
void TVorlenApp::OnNewEvent(wxCommandEvent&) {
    TEventEditDlg dialog(frame_, EditData());
    if (dialog.ShowModal() == wxID_OK)
        AfterNewEvent();
}

void TVorlenApp::OnScreen(wxCommandEvent& event) {
    int screen = ScreenOfCommand(event.GetId());
    if (screen >= 0)
        SwitchScreen(static_cast<ScreenId>(screen));
}

void TVorlenApp::OnCompress(wxCommandEvent&) {
    if (document_.file.isArchive) {
        ShowMessage("The currently opened file is marked an archive file and therefore you cannot use this command.",
                    "Invalid Action", wxOK | wxICON_ERROR);
        return;
    }
    document_.reminders.Clear();
    WindowCompressPrompts prompts(frame_);
    store::Compress(document_.events, document_.file, false, platform::ReadSettings().archiveFile, Date::Today(),
                    prompts);
    FullViewRefresh();
}

// The dialog changes the lists as it goes: Cancel keeps those changes, and
// only OK over changed data shows them afresh.
void TVorlenApp::OnCategories(wxCommandEvent&) {
    TTypesDialog dialog(frame_, document_.types, document_.events, document_.file);
    if (dialog.ShowModal() == typesOk && document_.file.saved == 0)
        FullViewRefresh();
}

void TVorlenApp::OnSetupWizard(wxCommandEvent&) {
    RunSetupWizard();
}

void TVorlenApp::OnOptions(wxCommandEvent&) {
    TOptionsDlg dialog(frame_);
    if (dialog.ShowModal() != optionsSaved)
        return;
    if (frame_ && frame_->CurrentScreen() == ScreenToday) {
        frame_->SetScreen(MakeScreenWindow(ScreenToday, frame_, hostKindNormal, document_), ScreenToday);
        frame_->ShowFrame();
    }
    ReadTimerSettings();
    if (frame_)
        frame_->RestartTimer(state_.timerPeriodMs);
}

void TVorlenApp::OnHelpContents(wxCommandEvent&) {
    helpWindowOpened_ = platform::ShowHelpContents() || helpWindowOpened_;
}

void TVorlenApp::OnContactInformation(wxCommandEvent&) {
    platform::ShowHelpTopic(help::contact, platform::HelpStyle::Window);
}

void TVorlenApp::OnUsingHelp(wxCommandEvent&) {
    helpWindowOpened_ = platform::ShowHelpTopic(cmUsingHelp, platform::HelpStyle::Window) || helpWindowOpened_;
}

void TVorlenApp::OnAbout(wxCommandEvent&) {
    TVorlenAboutDlg dialog(frame_);
    dialog.ShowModal();
}

void TVorlenApp::OnContextHelp(wxCommandEvent&) {
    SetHelpMode(true);
}

void TVorlenApp::OnUpdateSave(wxUpdateUIEvent& event) {
    event.Enable(document_.IsUnsaved());
}

void TVorlenApp::OnUpdatePaste(wxUpdateUIEvent& event) {
    event.Enable(pasteWatch_.HasEvents());
}

void TVorlenApp::OnUpdateDelete(wxUpdateUIEvent& event) {
    event.Enable(frame_ && frame_->CurrentScreen() == ScreenInfoTree);
}

void TVorlenApp::OnUpdateNeedsData(wxUpdateUIEvent& event) {
    event.Enable(document_.HasValidData());
}

void TVorlenApp::OnUpdateScreen(wxUpdateUIEvent& event) {
    event.Check(frame_ && screenCommands[frame_->CurrentScreen()] == event.GetId());
}

}  // namespace vorlen
