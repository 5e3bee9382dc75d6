// The application object and its main frame under Xvfb: start-up paths,
// the frame's commands and enabling rules, the file commands' questions,
// the window state kept across runs and the file type registration.
#include "vorlen/shell/application.h"

#include "vorlen/platform/help.h"
#include "vorlen/platform/settings.h"
#include "vorlen/shell/main_frame.h"
#include "vorlen/shell/setup_wizard_dialog.h"
#include "vorlen/shell/statistics_dialog.h"
#include "vorlen/views/calendar_window.h"
#include "vorlen/views/event_clipboard.h"
#include "vorlen/views/event_edit_dialog.h"
#include "vorlen/views/event_list_window.h"
#include "vorlen/views/types_dialog.h"
#include "vorlen/views/rich_edit.h"
#include "vorlen/views/view_window.h"
#include "tests/vorlen/support/config_home.h"

#include "../gui/gui_support.h"

#include <wx/aui/auibar.h>
#include <wx/combobox.h>
#include <wx/textctrl.h>
#include <wx/filedlg.h>
#include <wx/listbox.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/notebook.h>
#include <wx/uiaction.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace vorlen {
namespace {

namespace setting = platform::setting;
using test::AnswerModal;

// Expects a message box with this text and caption, answered with `answer`.
AnswerModal<wxMessageDialog> Message(const std::string& text, const std::string& caption, int answer = wxID_OK) {
    return AnswerModal<wxMessageDialog>([=](wxMessageDialog* box) {
        EXPECT_EQ(box->GetMessage(), text);
        EXPECT_EQ(box->GetTitle(), caption);
        return answer;
    });
}

class ApplicationTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* data = std::getenv("XDG_DATA_HOME");
        savedDataHome_ = data ? data : "";
        hadDataHome_ = data != nullptr;
        ::setenv("XDG_DATA_HOME", dir.File("share").c_str(), 1);
        shell::Document fresh;
        ASSERT_TRUE(fresh.CreateNew(dataFile, Date::Today()));
        ASSERT_TRUE(fresh.Save());
        platform::registryAccess key;
        key.Open();
        platform::WriteFileName(key, setting::defaultFile, dataFile);
    }
    void TearDown() override {
        app.reset();
        test::LetEventsRun(100);
        hadDataHome_ ? ::setenv("XDG_DATA_HOME", savedDataHome_.c_str(), 1) : ::unsetenv("XDG_DATA_HOME");
    }

    void SetInt(const platform::IntSetting& value, int32_t number) {
        platform::registryAccess key;
        key.Open();
        platform::WriteInt(key, value, number);
    }

    TSDIDecFrame* Start(std::vector<std::string> args = {}) {
        app = std::make_unique<TVorlenApp>(shell::StartupFacts{std::move(args), Date::Today(), Time::Now()});
        EXPECT_EQ(app->Construct(), keepRunning);
        app->CreateMainWindow();
        test::LetEventsRun(200);
        return app->Frame();
    }

    // Closes the frame as the close box would, answering no question.
    void CloseFrame() {
        app->Data().file.saved = 1;
        app->Frame()->Close();
        test::LetEventsRun(200);
    }

    bool MenuEnabled(int id) {
        app->Frame()->UpdateWindowUI(wxUPDATE_UI_RECURSE);
        return app->Frame()->GetMenuBar()->IsEnabled(id);
    }

    // "New Event" from the menu, its dialog filled in with an appointment
    // "Dentist" and confirmed.
    void NewDentistAppointment() {
        wxTheApp->CallAfter([] {
            for (wxWindow* window : wxTopLevelWindows) {
                if (auto* dialog = dynamic_cast<TEventEditDlg*>(window)) {
                    static_cast<wxTextCtrl*>(dialog->FindWindow(eventDescription))->ChangeValue("Dentist");
                    static_cast<wxComboBox*>(dialog->FindWindow(eventCategory))->SetValue("Appointment");
                    test::Press(dialog, eventOk);
                }
            }
        });
        wxCommandEvent newEvent(wxEVT_MENU, cmNewEvent);
        app->Frame()->ProcessWindowEvent(newEvent);
    }

    // For the items whose state is asked in the background (Paste).
    bool MenuBecomesEnabled(int id) {
        for (int waited = 0; waited < 3000; waited += 50) {
            if (MenuEnabled(id))
                return true;
            test::LetEventsRun(50);
        }
        return false;
    }

    test::ConfigHomeGuard home;
    test::TempDir dir;
    std::string dataFile = dir.File("events.vor");
    std::unique_ptr<TVorlenApp> app;

private:
    std::string savedDataHome_;
    bool hadDataHome_ = false;
};

TEST_F(ApplicationTest, TitleScreenFrameWithToolbarTabsAndMenu) {
    TSDIDecFrame* frame = Start();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->CurrentScreen(), ScreenTitle);
    EXPECT_EQ(frame->GetTitle(), "Tolvane Vorlen - Title Screen");
    wxNotebook* tabs = frame->Tabs();
    ASSERT_EQ(tabs->GetPageCount(), 5u);
    EXPECT_EQ(tabs->GetId(), tabStripId);
    EXPECT_EQ(tabs->GetPageText(4), "Todays Events/Appointments");
    const int tools[] = {cmNew, cmOpen, cmSave, -1, cmNewEvent, -1, cmDelete, cmCopy, cmPaste, -1, cmUndo, -1,
                         cmFind, cmFindNext, -1, cmTitleScreen, cmInfoTree, cmCalendar, cmEventList, cmToday, -1,
                         cmHelpContents};
    ASSERT_EQ(frame->Toolbar()->GetToolCount(), static_cast<int>(std::size(tools)));
    for (int i = 0; i < static_cast<int>(std::size(tools)); ++i) {
        if (tools[i] > 0) {
            EXPECT_EQ(frame->Toolbar()->FindToolByIndex(i)->GetId(), tools[i]) << i;
        }
    }
    EXPECT_EQ(frame->GetMenuBar()->FindItem(cmOptions)->GetItemLabel(), "&Options...\tAlt+O");

    // Enabling rules: Save only while unsaved, the vCalendar import now
    // that it has a handler, Delete only on the information tree, the
    // current screen checked.
    EXPECT_FALSE(MenuEnabled(cmSave));
    app->Data().MarkChanged();
    EXPECT_TRUE(MenuEnabled(cmSave));
    EXPECT_TRUE(MenuEnabled(cmImportVCalendar));
    EXPECT_FALSE(MenuEnabled(cmDelete));
    EXPECT_TRUE(frame->GetMenuBar()->IsChecked(cmTitleScreen));
    test::SaveScreenshot(frame, "main_frame_title_screen");
    CloseFrame();
}

TEST_F(ApplicationTest, SwitchingBuildsAFreshScreenAndDestroysTheOld) {
    TSDIDecFrame* frame = Start();
    wxWindow* title = frame->Screen();
    bool titleDestroyed = false;
    title->Bind(wxEVT_DESTROY, [&](wxWindowDestroyEvent& event) {
        titleDestroyed = event.GetEventObject() == title;
        event.Skip();
    });
    app->SwitchScreen(ScreenTitle);
    EXPECT_EQ(frame->Screen(), title);  // the current screen: nothing happens
    app->SwitchScreen(ScreenCalendar);
    test::LetEventsRun(100);
    EXPECT_TRUE(titleDestroyed);
    EXPECT_NE(frame->Screen(), title);
    EXPECT_NE(dynamic_cast<TCalendarWindow*>(frame->Screen()), nullptr);
    EXPECT_EQ(frame->Tabs()->GetSelection(), ScreenCalendar);
    MenuEnabled(cmCalendar);
    EXPECT_TRUE(frame->GetMenuBar()->IsChecked(cmCalendar));
    EXPECT_FALSE(frame->GetMenuBar()->IsChecked(cmTitleScreen));
    CloseFrame();
}

TEST_F(ApplicationTest, InvalidInitialScreenFallsBackToTheTitle) {
    SetInt(setting::initialScreen, 7);
    wxTEST_DIALOG(Start(), Message("Invalid Startup Screen", "Error"));
    EXPECT_EQ(app->Frame()->CurrentScreen(), ScreenTitle);
    CloseFrame();
}

TEST_F(ApplicationTest, PositionAndMaximisedStateKeptAcrossRuns) {
    TSDIDecFrame* frame = Start();
    frame->SetSize(40, 50, 640, 480);
    test::LetEventsRun(200);
    wxRect placed = frame->GetRect();
    CloseFrame();
    platform::Settings stored = platform::ReadSettings();
    ASSERT_TRUE(stored.mainWindowPosition);
    EXPECT_EQ(stored.mainWindowPosition->right - stored.mainWindowPosition->left, placed.width);
    EXPECT_EQ(stored.maximised, 0);
    ASSERT_TRUE(stored.toolbarPosition);

    frame = Start();
    EXPECT_EQ(frame->GetSize(), placed.GetSize());
    frame->Maximize(true);
    test::LetEventsRun(300);
    bool maximised = frame->IsMaximized();
    CloseFrame();
    EXPECT_EQ(platform::ReadSettings().maximised, maximised ? 1 : 0);
}

TEST_F(ApplicationTest, SaveOfAnUnnamedDatabaseAsksForAName) {
    Start();
    ASSERT_TRUE(app->Data().CreateNew(shell::unknownFileName, Date::Today()));
    wxTEST_DIALOG(EXPECT_FALSE(app->SaveData()), wxExpectModal<wxFileDialog>(wxString(), wxID_CANCEL));
    EXPECT_TRUE(app->Data().IsUnsaved());
    CloseFrame();
}

TEST_F(ApplicationTest, FailedSaveKeepsDataUnsavedAndTheFrameOpen) {
    Start();
    app->Data().file.SetFileName(dir.File("no-such-dir/events.vor").c_str());
    app->Data().MarkChanged();
    wxTEST_DIALOG(EXPECT_FALSE(app->SaveData()),
                  AnswerModal<wxMessageDialog>([](wxMessageDialog* box) {
                      EXPECT_EQ(box->GetTitle(), "Error");
                      EXPECT_NE(box->GetMessage().find("no-such-dir"), wxString::npos);
                      return wxID_OK;
                  }));
    EXPECT_TRUE(app->Data().IsUnsaved());
    wxTEST_DIALOG(EXPECT_FALSE(app->CanClose()),
                  Message("Do you wish to save your data before exiting?", "Data Not Saved", wxID_YES),
                  wxExpectModal<wxMessageDialog>(wxID_OK));
    CloseFrame();
}

TEST_F(ApplicationTest, MergeKeepsTheNameAndStartWithAFileLeavesDefaultFile) {
    std::string other = dir.File("other.vor");
    shell::Document fresh;
    ASSERT_TRUE(fresh.CreateNew(other, Date::Today()));
    ASSERT_TRUE(fresh.Save());
    Start({other});
    EXPECT_EQ(app->Data().file.fileName.view(), other);
    EXPECT_EQ(platform::ReadSettings().defaultFile, dataFile);
    ASSERT_TRUE(app->LoadDataFile(dataFile, true));
    EXPECT_EQ(app->Data().file.fileName.view(), other);
    EXPECT_EQ(app->Data().events.count, 2);
    EXPECT_TRUE(app->Data().IsUnsaved());
    CloseFrame();
}

TEST_F(ApplicationTest, PropertiesMarkTheDataUnsaved) {
    Start();
    wxCommandEvent properties(wxEVT_MENU, cmProperties);
    // OK without any change, pressed once the dialog's modal loop runs.
    wxTheApp->CallAfter([] {
        for (wxWindow* window : wxTopLevelWindows)
            if (auto* dialog = dynamic_cast<TStatisticsDlg*>(window))
                test::Press(dialog, statisticsOk);
    });
    app->Frame()->ProcessWindowEvent(properties);
    EXPECT_TRUE(app->Data().IsUnsaved());
    EXPECT_TRUE(MenuEnabled(cmSave));
    CloseFrame();
}

TEST_F(ApplicationTest, CategoriesWorkOnTheOpenDataAndCancelKeepsTheChanges) {
    Start();
    EXPECT_TRUE(MenuEnabled(cmCategories));
    ASSERT_NE(app->Data().types.Find("Buisness"), nullptr);
    wxCommandEvent categories(wxEVT_MENU, cmCategories);
    wxTEST_DIALOG(app->Frame()->ProcessWindowEvent(categories), AnswerModal<TTypesDialog>([](TTypesDialog* dialog) {
                      auto* list = static_cast<wxListBox*>(dialog->FindWindow(typesList));
                      list->SetStringSelection("Buisness");
                      wxCommandEvent selected(wxEVT_LISTBOX, typesList);
                      list->GetEventHandler()->ProcessEvent(selected);
                      test::Press(dialog, typesDelete);  // no event uses it: no question
                      return int(typesCancel);
                  }));
    EXPECT_EQ(app->Data().types.Find("Buisness"), nullptr);
    EXPECT_TRUE(app->Data().IsUnsaved());
    CloseFrame();
}

TEST_F(ApplicationTest, NewEventAddsTheEventAndMarksTheDataUnsaved) {
    Start();
    app->SwitchScreen(ScreenToday);
    EXPECT_TRUE(MenuEnabled(cmNewEvent));
    int before = app->Data().events.count;
    NewDentistAppointment();
    ASSERT_EQ(app->Data().events.count, before + 1);
    EXPECT_EQ(app->Data().events.tail->description, "Dentist");
    EXPECT_TRUE(app->Data().IsUnsaved());
    // The today screen shows it at once.
    auto* today = dynamic_cast<TViewWindow*>(app->Frame()->Screen());
    ASSERT_NE(today, nullptr);
    EXPECT_NE(today->DayView().TodayPane()->GetValue().Find("Dentist"), wxNOT_FOUND);
    CloseFrame();
}

// The frame hands the Edit commands and their keys to the event list, and
// shows it a new event and a paste at once, and all rows afresh after a
// compression.
TEST_F(ApplicationTest, EventListScreenTakesTheEditKeysAndShowsNewEvents) {
    Start();
    app->SwitchScreen(ScreenEventList);
    auto* screen = dynamic_cast<TEventListWindow*>(app->Frame()->Screen());
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(app->Frame()->GetTitle(), "Tolvane Vorlen - Event List");
    TEventList* list = screen->List();
    ASSERT_EQ(list->GetItemCount(), app->Data().events.count);
    EXPECT_TRUE(MenuEnabled(cmDelete));
    EXPECT_FALSE(MenuEnabled(cmFindNext));

    NewDentistAppointment();
    long last = list->GetItemCount() - 1;
    ASSERT_EQ(last + 1, app->Data().events.count);
    EXPECT_EQ(list->GetItemText(last), "Dentist");

    // The keys, as a user presses them after a find.
    screen->CmEditFind();
    for (wxWindow* child : screen->FindDialog()->GetChildren())
        if (auto* edit = dynamic_cast<wxTextCtrl*>(child))
            edit->SetValue("dent");
    test::Press(screen->FindDialog(), wxID_FIND);
    EXPECT_EQ(screen->LastFoundIndex(), last);
    EXPECT_TRUE(MenuEnabled(cmFindNext));
    test::LetEventsRun(100);
    wxUIActionSimulator keys;
    wxTEST_DIALOG((keys.Char(WXK_F3), test::LetEventsRun(300)), Message("No matches found!", "Find"));
    wxTEST_DIALOG((keys.Char(WXK_DELETE), test::LetEventsRun(300)),
                  Message("Are you sure you wish to delete the selected event record?", "Confirm Delete", wxID_YES));
    EXPECT_EQ(list->GetItemCount(), last);
    EXPECT_EQ(app->Data().events.count, last);

    // Cut, then Paste puts the event back at the end.
    list->SelectRow(0);
    std::string first(app->Data().events.head->description.view());
    keys.Char(WXK_DELETE, wxMOD_SHIFT);
    test::LetEventsRun(300);
    EXPECT_EQ(app->Data().events.count, last - 1);
    EXPECT_EQ(list->GetItemCount(), last - 1);
    keys.Char(WXK_INSERT, wxMOD_SHIFT);
    test::LetEventsRun(300);
    ASSERT_EQ(list->GetItemCount(), last);
    EXPECT_EQ(app->Data().events.tail->description, first);
    EXPECT_EQ(list->GetItemText(last - 1).utf8_string(), first);

    // Compress Database (with nothing to compress) makes the rows afresh.
    list->SelectRow(0);
    wxCommandEvent compress(wxEVT_MENU, cmCompress);
    wxTEST_DIALOG(app->Frame()->ProcessWindowEvent(compress), wxExpectModal<wxMessageDialog>(wxID_OK));
    EXPECT_EQ(list->GetSelectedItemCount(), 0);
    EXPECT_EQ(list->GetItemCount(), last);
    CloseFrame();
}

TEST_F(ApplicationTest, CompressRefusesAnArchiveFile) {
    Start();
    app->Data().file.isArchive = 1;
    wxCommandEvent compress(wxEVT_MENU, cmCompress);
    wxTEST_DIALOG(app->Frame()->ProcessWindowEvent(compress),
                  Message("The currently opened file is marked an archive file and therefore you cannot use this "
                          "command.",
                          "Invalid Action"));
    CloseFrame();
}

TEST_F(ApplicationTest, ICalendarExportThenImportDoublesTheEvents) {
    Start();
    int before = app->Data().events.count;
    std::string ics = dir.File("all.ics");
    app->SetFileChooser([&](const wxString&, bool, const char*) { return ics; });
    wxCommandEvent exportIcs(wxEVT_MENU, cmExportICalendar);
    app->Frame()->ProcessWindowEvent(exportIcs);
    ASSERT_NE(test::ReadFile(ics).find("BEGIN:VEVENT"), std::string::npos);
    EXPECT_FALSE(app->Data().IsUnsaved());
    wxCommandEvent importIcs(wxEVT_MENU, cmImportICalendar);
    app->Frame()->ProcessWindowEvent(importIcs);
    EXPECT_EQ(app->Data().events.count, 2 * before);
    EXPECT_TRUE(app->Data().IsUnsaved());
    test::WriteFile(ics, "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\n");
    wxTEST_DIALOG(app->Frame()->ProcessWindowEvent(importIcs),
                  AnswerModal<wxMessageDialog>([](wxMessageDialog* box) {
                      EXPECT_EQ(box->GetTitle(), "Error");
                      return wxID_OK;
                  }));
    EXPECT_EQ(app->Data().events.count, 2 * before);  // a damaged file adds nothing
    CloseFrame();
}

TEST_F(ApplicationTest, VCalendarExportImportAndPasteGoThroughTheFrame) {
    Start();
    int before = app->Data().events.count;
    std::string vcs = dir.File("all");
    app->SetFileChooser([&](const wxString&, bool, const char*) { return vcs; });
    wxCommandEvent exportVcs(wxEVT_MENU, cmExportVCalendar);
    app->Frame()->ProcessWindowEvent(exportVcs);
    vcs += ".vcs";  // the default extension
    ASSERT_NE(test::ReadFile(vcs).find("BEGIN:VEVENT"), std::string::npos);
    wxCommandEvent importVcs(wxEVT_MENU, cmImportVCalendar);
    app->Frame()->ProcessWindowEvent(importVcs);
    EXPECT_EQ(app->Data().events.count, 2 * before);
    EXPECT_TRUE(app->Data().IsUnsaved());

    app->Data().file.saved = 1;
    ASSERT_TRUE(CopyEventsAsVCalendar({app->Data().events.head}));
    EXPECT_TRUE(MenuBecomesEnabled(cmPaste));
    wxCommandEvent paste(wxEVT_MENU, cmPaste);
    app->Frame()->ProcessWindowEvent(paste);
    EXPECT_EQ(app->Data().events.count, 2 * before + 1);
    EXPECT_TRUE(app->Data().IsUnsaved());
    CloseFrame();
}

TEST_F(ApplicationTest, ContextHelpModeOpensTheCommandsTopicInsteadOfRunningIt) {
    Start();
    wxCommandEvent contextHelp(wxEVT_MENU, cmContextHelp);
    app->Frame()->ProcessWindowEvent(contextHelp);
    EXPECT_TRUE(app->HelpMode());
    // The about box would be a modal dialog; none may appear.
    wxCommandEvent about(wxEVT_MENU, cmAbout);
    wxTestingModalHook noDialog;  // fails the test on any modal dialog
    app->Frame()->ProcessWindowEvent(about);
    EXPECT_FALSE(app->HelpMode());
    platform::CloseHelp();
    CloseFrame();
}

TEST_F(ApplicationTest, FileTypeRegisteredUnlessUnregisterIsGiven) {
    Start({"-UNREG"});
    app->RegisterFileTypeUnlessOptedOut("/usr/bin/vorlen");
    EXPECT_FALSE(std::filesystem::exists(dir.File("share/applications/vorlen.desktop")));
    CloseFrame();
    Start();
    app->RegisterFileTypeUnlessOptedOut("/usr/bin/vorlen");
    EXPECT_TRUE(std::filesystem::exists(dir.File("share/applications/vorlen.desktop")));
    EXPECT_TRUE(std::filesystem::exists(dir.File("share/mime/packages/vorlen.xml")));
    CloseFrame();
}

TEST(ApplicationFirstRun, CancelledWizardEndsWithExitCodeOne) {
    test::ConfigHomeGuard home;
    TVorlenApp app(shell::StartupFacts{{}, Date::Today(), Time::Now()});
    int code = keepRunning;
    wxTEST_DIALOG(code = app.Construct(),
                  Message("Tolvane Vorlen hasn't been setup fully. Please use the following Wizard to customise "
                          "Vorlen to your needs.",
                          "Welcome to Tolvane Vorlen!"),
                  AnswerModal<SetupWizardDlg>([](SetupWizardDlg*) { return wizardCancelled; }),
                  Message("Since you choose to cancel the setup Tolvane Vorlen cannot start. Please re-run Vorlen "
                          "and complete the setup process in order to use the program.",
                          "Notice"));
    EXPECT_EQ(code, exitSetupCancelled);
}

// The real program, as a process: the boot check's endings are exit codes.
class WindowProgramTest : public ::testing::Test {
protected:
    int Run(const std::string& args) {
        std::string command = "XDG_CONFIG_HOME='" + dir.Path() + "' XDG_DATA_HOME='" + dir.File("share") + "' '" +
                              VORLEN_PROGRAM + "' " + args + " >/dev/null 2>&1";
        int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    void Configure(int bootupOption, const std::optional<Date>& lastChecked) {
        test::WriteFile(dir.File("events.vor"), "");
        shell::Document fresh;
        ASSERT_TRUE(fresh.CreateNew(dir.File("events.vor"), Date::Today()));
        ASSERT_TRUE(fresh.Save());
        ::setenv("XDG_CONFIG_HOME", dir.Path().c_str(), 1);
        platform::registryAccess key;
        key.Open();
        platform::WriteFileName(key, setting::defaultFile, dir.File("events.vor"));
        platform::WriteInt(key, setting::bootupOption, bootupOption);
        if (lastChecked)
            platform::WriteDate(key, setting::lastChecked, {lastChecked->day, lastChecked->month, lastChecked->year});
    }

    test::ConfigHomeGuard home;
    test::TempDir dir;
};

TEST_F(WindowProgramTest, BootStartsThatEndAtOnceExitWithZero) {
    Configure(2, std::nullopt);
    EXPECT_EQ(Run("-b"), 0);
    EXPECT_TRUE(platform::ReadSettings().lastChecked);  // "Never" still records the check
    Configure(0, Date::Today());
    EXPECT_EQ(Run("-b"), 0);  // once a day, already checked today
    EXPECT_FALSE(std::filesystem::exists(dir.File("share/applications/vorlen.desktop")));
}

}  // namespace
}  // namespace vorlen
