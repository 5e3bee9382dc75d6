// The timer's ticks in the running program, with the clock set by the test:
// alarms with their dialogs, the new day, the tray icon and minimising into
// it.
#include "vorlen/shell/application.h"

#include "tests/vorlen/support/config_home.h"
#include "tests/vorlen/support/fixed_clock.h"
#include "vorlen/platform/settings.h"
#include "vorlen/remind/alarm_dialog.h"
#include "vorlen/remind/bootup_dialog.h"
#include "vorlen/remind/tray_icon.h"
#include "vorlen/shell/main_frame.h"
#include "vorlen/views/event_edit_dialog.h"

#include "../gui/gui_support.h"

#include <wx/menu.h>
#include <wx/textctrl.h>

#include <gtest/gtest.h>

namespace vorlen {
namespace {

namespace setting = platform::setting;

// Answers the dialogs of a tick at once and records them.
class DialogAnswers : public wxModalDialogHook {
public:
    DialogAnswers() { Register(); }
    ~DialogAnswers() override { Unregister(); }

    int bootupAnswer = bootupCancel;
    int alarmAnswer = alarmOk;
    int bootups = 0;
    std::vector<AlarmTexts> alarms;
    std::vector<wxString> edited;  // descriptions of the events opened by "Goto..."
    bool editorHadNoOwner = false;

protected:
    int Enter(wxDialog* dialog) override {
        if (auto* alarm = dynamic_cast<TAppDlg*>(dialog)) {
            alarms.push_back(alarm->Texts());
            return alarmAnswer;
        }
        if (dynamic_cast<TBootup*>(dialog)) {
            ++bootups;
            return bootupAnswer;
        }
        if (dynamic_cast<TEventEditDlg*>(dialog)) {
            edited.push_back(static_cast<wxTextCtrl*>(dialog->FindWindow(eventDescription))->GetValue());
            editorHadNoOwner = dialog->HasFlag(wxDIALOG_NO_PARENT);
            return wxID_CANCEL;
        }
        return wxID_NONE;
    }
    void Exit(wxDialog*) override {}
};

// What the window manager reports when the user minimises the frame.
void Minimised(wxFrame* frame) {
    wxIconizeEvent event(frame->GetId(), true);
    event.SetEventObject(frame);
    frame->ProcessWindowEvent(event);
}

// The modal dialogs of type T now open, innermost last.
template <typename T>
std::vector<T*> OpenDialogs() {
    std::vector<T*> open;
    for (wxWindow* window : wxTopLevelWindows)
        if (auto* dialog = dynamic_cast<T*>(window); dialog && dialog->IsModal())
            open.push_back(dialog);
    return open;
}

class AlarmTickTest : public ::testing::Test {
protected:
    void SetUp() override {
        shell::Document fresh;
        ASSERT_TRUE(fresh.CreateNew(dataFile, Date::Today()));
        Appointment(fresh, "Dentist", 10, 0);
        Appointment(fresh, "Call", 10, 1);
        ASSERT_TRUE(fresh.Save());
        platform::registryAccess key;
        key.Open();
        platform::WriteFileName(key, setting::defaultFile, dataFile);
        // The test's own ticks only.
        platform::WriteInt(key, setting::timer, 3600);
        TrayIcon::AssumeAvailable(true);  // Xvfb has no notification area
    }
    void TearDown() override {
        TrayIcon::AssumeAvailable(std::nullopt);
        if (app && app->Frame()) {
            app->Data().file.saved = 1;
            app->Frame()->Close();
        }
        test::LetEventsRun(100);
        app.reset();
    }

    static void Appointment(shell::Document& document, const char* description, int hour, int minute) {
        EventNode& e = *document.events.Add();
        e.SetDescription(description);
        e.SetTypeName("Appointment");
        e.startDate = Date::Today();
        e.period = PeriodOnceOff;
        e.SetStartTime(hour, minute);
        e.alarmMinutes = 10;
    }

    TSDIDecFrame* Start() {
        app = std::make_unique<TVorlenApp>(shell::StartupFacts{{}, Date::Today(), Time::Now()});
        EXPECT_EQ(app->Construct(), keepRunning);
        app->CreateMainWindow();
        test::LetEventsRun(100);
        return app->Frame();
    }

    void TickAt(int day, int hour, int minute) {
        clock.Set(day, hour, minute);
        app->TimerTick();
    }

    test::FixedClock clock{1998, 5, 5, 9, 45};
    test::ConfigHomeGuard home;
    test::TempDir dir;
    std::string dataFile = dir.File("events.vor");
    std::unique_ptr<TVorlenApp> app;
};

TEST_F(AlarmTickTest, TheAlarmComesOnceAtItsMinuteAndGotoOpensTheEvent) {
    TSDIDecFrame* frame = Start();
    ASSERT_NE(frame, nullptr);
    DialogAnswers answers;
    answers.alarmAnswer = alarmGoto;
    TickAt(5, 9, 49);
    EXPECT_TRUE(answers.alarms.empty());
    EXPECT_EQ(frame->Tray()->Tip(), "Tolvane Vorlen - 3 events today");
    EXPECT_FALSE(frame->Tray()->IsShown());

    TickAt(5, 9, 50);
    TickAt(5, 9, 50);
    ASSERT_EQ(answers.alarms.size(), 1u);
    EXPECT_EQ(answers.alarms[0].message, "You have the following appointment in 10 minutes:");
    EXPECT_EQ(answers.alarms[0].description, "Dentist");
    EXPECT_EQ(answers.alarms[0].type, "Appointment");
    EXPECT_EQ(answers.edited, std::vector<wxString>{"Dentist"});
    EXPECT_TRUE(answers.editorHadNoOwner);

    answers.alarmAnswer = alarmOk;
    TickAt(5, 9, 51);
    ASSERT_EQ(answers.alarms.size(), 2u);
    EXPECT_EQ(answers.alarms[1].description, "Call");
    EXPECT_EQ(answers.edited.size(), 1u);
}

TEST_F(AlarmTickTest, ASecondAlarmOpensOverTheFirst) {
    ASSERT_NE(Start(), nullptr);
    size_t openTogether = 0;
    wxTheApp->CallAfter([&] {
        wxTheApp->CallAfter([&] {
            openTogether = OpenDialogs<TAppDlg>().size();
            test::Press(OpenDialogs<TAppDlg>().back(), alarmOk);
        });
        TickAt(5, 9, 51);
        test::Press(OpenDialogs<TAppDlg>().back(), alarmOk);
    });
    TickAt(5, 9, 50);
    test::LetEventsRun(50);
    EXPECT_EQ(openTogether, 2u);
    EXPECT_TRUE(OpenDialogs<TAppDlg>().empty());
}

TEST_F(AlarmTickTest, AfterMidnightTheRemindersAreOfferedAndTheTodayScreenShown) {
    TSDIDecFrame* frame = Start();
    ASSERT_NE(frame, nullptr);
    // In the tray: the new day shows the frame and leaves the icon there.
    Minimised(frame);
    ASSERT_FALSE(frame->IsShown());
    Appointment(app->Data(), "Breakfast", 9, 0);
    app->Data().events.tail->startDate.AddDays(1);

    DialogAnswers answers;
    answers.bootupAnswer = bootupViewEvents;
    TickAt(6, 0, 1);
    EXPECT_EQ(answers.bootups, 1);
    EXPECT_TRUE(frame->IsShown());
    EXPECT_TRUE(frame->Tray()->IsShown());
    EXPECT_EQ(frame->CurrentScreen(), ScreenToday);

    // The next tick checks alarms again: none today, the tip counts one.
    TickAt(6, 0, 2);
    EXPECT_EQ(answers.bootups, 1);
    EXPECT_EQ(frame->Tray()->Tip(), "Tolvane Vorlen - 1 events today");
    TickAt(7, 0, 0);
    TickAt(7, 0, 1);
    EXPECT_EQ(answers.bootups, 1);
    EXPECT_EQ(frame->Tray()->Tip(), "Tolvane Vorlen - 0 events today");
}

TEST_F(AlarmTickTest, TicksWaitWhileTheNewDaysDialogIsOpen) {
    ASSERT_NE(Start(), nullptr);
    size_t alarmsMeanwhile = 0;
    wxTheApp->CallAfter([&] {
        // Closes an alarm dialog that should not have opened.
        wxTheApp->CallAfter([&] {
            alarmsMeanwhile = OpenDialogs<TAppDlg>().size();
            if (alarmsMeanwhile)
                test::Press(OpenDialogs<TAppDlg>().back(), alarmOk);
        });
        TickAt(5, 9, 50);
        test::Press(OpenDialogs<TBootup>().back(), bootupCancel);
    });
    app->Data().reminders.day = Date(4, 5, 1998);  // as if the list were yesterday's
    TickAt(5, 9, 45);
    test::LetEventsRun(50);
    EXPECT_EQ(alarmsMeanwhile, 0u);
}

TEST_F(AlarmTickTest, MinimisingHidesIntoTheTrayAndTheTrayBringsItBack) {
    TSDIDecFrame* frame = Start();
    ASSERT_NE(frame, nullptr);
    TrayIcon* tray = frame->Tray();
    Minimised(frame);
    EXPECT_FALSE(frame->IsShown());
    EXPECT_TRUE(tray->IsShown());

    wxTaskBarIconEvent doubleClick(wxEVT_TASKBAR_LEFT_DCLICK, tray);
    tray->ProcessEvent(doubleClick);
    test::LetEventsRun(50);
    EXPECT_TRUE(frame->IsShown());
    EXPECT_FALSE(tray->IsShown());

    std::unique_ptr<wxMenu> menu(tray->CreatePopupMenu());
    ASSERT_EQ(menu->GetMenuItemCount(), 3u);
    EXPECT_EQ(menu->FindItemByPosition(0)->GetItemLabel(), "Open");
    EXPECT_EQ(menu->FindItemByPosition(0)->GetId(), cmTrayOpen);
    EXPECT_TRUE(menu->FindItemByPosition(1)->IsSeparator());
    EXPECT_EQ(menu->FindItemByPosition(2)->GetItemLabel(), "Exit");
    EXPECT_EQ(menu->FindItemByPosition(2)->GetId(), cmExit);

    // "Open" on a visible frame hides it; the icon is not added.
    wxCommandEvent open(wxEVT_MENU, cmTrayOpen);
    tray->ProcessEvent(open);
    test::LetEventsRun(50);
    EXPECT_FALSE(frame->IsShown());
    EXPECT_FALSE(tray->IsShown());

    app->Data().file.saved = 1;
    wxCommandEvent exit(wxEVT_MENU, cmExit);
    tray->ProcessEvent(exit);
    test::LetEventsRun(100);
    EXPECT_EQ(app->Frame(), nullptr);
}

TEST_F(AlarmTickTest, AFrameShownMinimisedAtStartStaysOnTheTaskBar) {
    TSDIDecFrame* frame = Start();
    ASSERT_NE(frame, nullptr);
    frame->ShowFrame(true);
    Minimised(frame);
    EXPECT_TRUE(frame->IsShown());
    EXPECT_FALSE(frame->Tray()->IsShown());
    // The user's own minimise goes into the tray.
    Minimised(frame);
    EXPECT_FALSE(frame->IsShown());
    EXPECT_TRUE(frame->Tray()->IsShown());
}

TEST_F(AlarmTickTest, WithoutANotificationAreaTheFrameIsMinimisedNormally) {
    TrayIcon::AssumeAvailable(false);
    TSDIDecFrame* frame = Start();
    ASSERT_NE(frame, nullptr);
    Minimised(frame);
    EXPECT_TRUE(frame->IsShown());
    EXPECT_FALSE(frame->Tray()->IsShown());
}

TEST_F(AlarmTickTest, WithoutMinimizeToTrayTheFrameIsMinimisedNormally) {
    platform::registryAccess key;
    key.Open();
    platform::WriteInt(key, setting::minimizeToTray, 0);
    key.Close();
    TSDIDecFrame* frame = Start();
    ASSERT_NE(frame, nullptr);
    Minimised(frame);
    EXPECT_TRUE(frame->IsShown());
    EXPECT_FALSE(frame->Tray()->IsShown());
}

}  // namespace
}  // namespace vorlen
