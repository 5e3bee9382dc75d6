// The application object: it owns the open database and the program's
// state for the whole run, carries out start-up, builds the main frame and
// handles the file, screen, tool and help commands that the frame passes on.
// It is an event handler, not the wxApp itself, so that tests can build one
// inside their own application.
#pragma once

#include "vorlen/remind/alarm_monitor.h"
#include "vorlen/shell/command_ids.h"
#include "vorlen/shell/document.h"
#include "vorlen/shell/startup.h"
#include "vorlen/views/event_clipboard.h"

#include <wx/event.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class wxFileDialog;

namespace vorlen {

class TSDIDecFrame;
struct EventEditData;

namespace shell {
class WindowUi;
}

// Exit codes of the window program.
inline constexpr int exitNormally = 0;
inline constexpr int exitSetupCancelled = 1;
inline constexpr int keepRunning = -1;

class TVorlenApp : public wxEvtHandler {
public:
    explicit TVorlenApp(shell::StartupFacts facts);
    ~TVorlenApp() override;

    // Settings, the data file, the boot check and the first-run wizard.
    // keepRunning when the main window is to be built, else the exit code.
    int Construct();
    // Builds and shows the main frame, minimised for a boot start that
    // stays loaded; "Invalid Startup Screen" for a stored screen out of range.
    void CreateMainWindow();
    // Registers the data file type unless an option asks not to.
    void RegisterFileTypeUnlessOptedOut(const std::string& programPath);

    void SwitchScreen(ScreenId target);
    // False when the user cancelled at the save question.
    bool LoadDataFile(const std::string& name, bool merge);
    bool SaveData();
    bool SaveAs();
    // False when the wizard was cancelled.
    bool RunSetupWizard();
    // The exit questions; false when the user keeps the program open.
    bool CanClose();
    // The first dropped file is opened like Open does.
    void OpenDroppedFile(const std::string& name);
    // The new day's reminders, the tray tip and the appointment alarms, at
    // the clock's today and now.
    void TimerTick();

    shell::Document& Data() { return document_; }
    const shell::StartupState& State() const { return state_; }
    TSDIDecFrame* Frame() const { return frame_; }
    bool HelpMode() const { return helpMode_; }

    // Chooses file names instead of the file dialogs: the toolkit's GTK
    // file dialog cannot be given a name from a test. Returns "" for Cancel.
    using FileChooser = std::function<std::string(const wxString& title, bool save, const char* filter)>;
    void SetFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }
    void SetHelpMode(bool on);
    // In help mode a chosen command opens its help topic instead.
    bool HandleHelpModeCommand(int id);

private:
    TSDIDecFrame* BuildFrame(ScreenId screen, int hostKind);
    void RunReminderScreen();
    void ReadTimerSettings();
    // "View Events" for a new day, and "Goto..." of an alarm.
    void ShowTodayFromTimer();
    void EditAlarmEvent(const EventNode& event);
    // The chosen name, "" when cancelled; `filter` in the "desc|pattern|" form.
    std::string AskFileName(const wxString& title, bool save, const char* filter);
    std::string ShowFileDialog(const wxString& title, bool save, const char* filter);
    // What the dialogs and the clipboard change.
    EventEditData EditData();
    void AfterNewEvent();
    void FullViewRefresh();
    void WriteDefaultFile(const std::string& name);
    void ShowLoadOutcome(shell::LoadOutcome outcome);

    void OnNew(wxCommandEvent&);
    void OnOpen(wxCommandEvent&);
    void OnOpenArchive(wxCommandEvent&);
    void OnMerge(wxCommandEvent&);
    void OnSave(wxCommandEvent&);
    void OnSaveAs(wxCommandEvent&);
    void OnImportVCalendar(wxCommandEvent&);
    void OnExportVCalendar(wxCommandEvent&);
    void OnImportICalendar(wxCommandEvent&);
    void OnExportICalendar(wxCommandEvent&);
    void OnExportCsv(wxCommandEvent&);
    void OnProperties(wxCommandEvent&);
    void OnExit(wxCommandEvent&);
    void OnPaste(wxCommandEvent&);
    void OnNewEvent(wxCommandEvent&);
    void OnScreen(wxCommandEvent&);
    void OnCompress(wxCommandEvent&);
    void OnCategories(wxCommandEvent&);
    void OnSetupWizard(wxCommandEvent&);
    void OnOptions(wxCommandEvent&);
    void OnHelpContents(wxCommandEvent&);
    void OnContactInformation(wxCommandEvent&);
    void OnUsingHelp(wxCommandEvent&);
    void OnAbout(wxCommandEvent&);
    void OnUpdateSave(wxUpdateUIEvent&);
    void OnUpdatePaste(wxUpdateUIEvent&);
    void OnUpdateDelete(wxUpdateUIEvent&);
    // Commands that work on the open data.
    void OnUpdateNeedsData(wxUpdateUIEvent&);
    void OnUpdateScreen(wxUpdateUIEvent&);
    void OnContextHelp(wxCommandEvent&);

    shell::StartupFacts facts_;  // as the process started; commands later take the day they run on
    shell::StartupState state_;
    shell::Document document_;
    std::unique_ptr<shell::WindowUi> ui_;
    TSDIDecFrame* frame_ = nullptr;
    std::string dialogFileName_;  // the last name chosen in a file dialog
    FileChooser chooseFile_;
    bool helpMode_ = false;
    bool helpWindowOpened_ = false;
    AlarmMonitor alarms_;
    ClipboardWatch pasteWatch_;
    wxDECLARE_EVENT_TABLE();
};

}  // namespace vorlen
