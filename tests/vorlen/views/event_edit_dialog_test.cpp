// The event properties dialog under Xvfb, driven through its controls:
// presets, the fields' focus rules, category defaults, the confirmation
// with its messages, locales, and an event read back by the console
// commands.
#include "vorlen/views/event_edit_dialog.h"

#include "tests/vorlen/core/date_settings_guard.h"
#include "tests/vorlen/support/config_home.h"
#include "vorlen/platform/help.h"
#include "vorlen/platform/locale_format.h"
#include "vorlen/shell/document.h"
#include "vorlen/views/period_group_box.h"

#include "../gui/gui_support.h"

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/combobox.h>
#include <wx/filedlg.h>
#include <wx/msgdlg.h>
#include <wx/notebook.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>
#include <wx/valtext.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace vorlen {
namespace {

using test::AnswerModal;
using test::Press;

AnswerModal<wxMessageDialog> Message(const std::string& text) {
    return AnswerModal<wxMessageDialog>([=](wxMessageDialog* box) {
        EXPECT_EQ(box->GetMessage(), text);
        EXPECT_EQ(box->GetTitle(), "Error");
        return wxID_OK;
    });
}

std::string Text(wxWindow* dialog, int id) {
    return static_cast<wxTextCtrl*>(dialog->FindWindow(id))->GetValue().utf8_string();
}

// Typed by the user: the field counts as changed.
void Type(wxWindow* dialog, int id, const char* text) {
    if (id == eventCategory) {
        static_cast<wxComboBox*>(dialog->FindWindow(id))->SetValue(text);
        return;
    }
    auto* edit = static_cast<wxTextCtrl*>(dialog->FindWindow(id));
    edit->ChangeValue(text);
    edit->MarkDirty();
}

// The focus moves away from the field.
void Leave(wxWindow* dialog, int id) {
    wxWindow* field = dialog->FindWindow(id);
    wxFocusEvent left(wxEVT_KILL_FOCUS, id);
    left.SetEventObject(field);
    field->GetEventHandler()->ProcessEvent(left);
}

void Click(wxWindow* dialog, int radioId) {
    auto* radio = static_cast<wxRadioButton*>(dialog->FindWindow(radioId));
    radio->SetValue(true);
    wxCommandEvent clicked(wxEVT_RADIOBUTTON, radioId);
    clicked.SetEventObject(radio);
    radio->GetEventHandler()->ProcessEvent(clicked);
}

class EventDialog : public ::testing::Test {
protected:
    void SetUp() override { file.saved = 1; }
    void Fill(TEventEditDlg& dialog, const char* description, const char* category, const char* start) {
        Type(&dialog, eventDescription, description);
        Type(&dialog, eventCategory, category);
        Type(&dialog, eventStartDate, start);
    }
    // Runs the dialog, does what `user` does once it shows, then presses OK.
    int Confirm(
        TEventEditDlg& dialog, std::function<void()> user = [] {}) {
        return test::RunModal(dialog, [&dialog, user] {
            user();
            Press(&dialog, eventOk);
        });
    }

    test::DateSettingsGuard dayFirst{1, '/', 1};
    Eventlist events;
    Typelist types;
    store::DataFile file;
    EventEditData data{events, types, file};
    Date today{10, 3, 1998};
};

TEST_F(EventDialog, EmptyDescriptionAndCategoryAreBothReported) {
    TEventEditDlg dialog(nullptr, data, today);
    EXPECT_EQ(dialog.GetTitle(), "Event Properties");
    EXPECT_EQ(Text(&dialog, eventStartDate), "Tu 10/03/1998");
    EXPECT_EQ(Text(&dialog, eventFinishDate), "Tu 10/03/1998");
    EXPECT_EQ(dialog.SelectedPeriodId(), periodOnceOff);
    int code = test::RunModal(dialog, [&] {
        wxTEST_DIALOG(Press(&dialog, eventOk), Message("You need a event description!"),
                      Message("You need to specify a event type!"));
        EXPECT_TRUE(dialog.IsModal());
        EXPECT_EQ(events.count, 0);
        Press(&dialog, eventCancel);
    });
    EXPECT_EQ(code, wxID_CANCEL);
    EXPECT_EQ(file.saved, 1);
}

TEST_F(EventDialog, FinishBeforeStartAndBadTimesAreRefused) {
    TEventEditDlg dialog(nullptr, data, today);
    Fill(dialog, "Dentist", "Normal", "05/03/1998");
    Type(&dialog, eventFinishDate, "04/03/1998");
    Type(&dialog, eventStartTime, "25:00");
    Type(&dialog, eventFinishTime, "half past");
    test::RunModal(dialog, [&] {
        wxTEST_DIALOG(Press(&dialog, eventOk), Message("The start time is invalid!"),
                      Message("The end date is invalid! (Either invalid date or occurs before start date)"),
                      Message("The end time is invalid!"));
        EXPECT_EQ(events.count, 0);
        Press(&dialog, eventCancel);
    });
}

TEST_F(EventDialog, OnceOffDateWithoutAYearTakesTheComingOne) {
    for (const Date& day : {Date(10, 3, 1998), Date(1, 3, 1998)}) {
        TEventEditDlg dialog(nullptr, data, day);
        Fill(dialog, "Dentist", "Normal", "5/3");
        Type(&dialog, eventFinishDate, "");  // else today's, which may lie before the start
        Leave(&dialog, eventStartDate);      // a day and month alone are no mistake
        EXPECT_EQ(Confirm(dialog), wxID_OK);
    }
    ASSERT_EQ(events.count, 2);
    EXPECT_EQ(events.head->startDate.year, 1999);
    EXPECT_EQ(events.tail->startDate.year, 1998);
    EXPECT_EQ(file.saved, 0);
}

TEST_F(EventDialog, BirthdayWithoutAYearIsKeptSo) {
    TEventEditDlg dialog(nullptr, data, today);
    Fill(dialog, "Anna", "", "5/3");
    // The focus really leaves the category field here.
    dialog.Show();
    dialog.FindWindow(eventCategory)->SetFocus();
    test::LetEventsRun(100);
    Type(&dialog, eventCategory, "Birthday");
    dialog.FindWindow(eventDescription)->SetFocus();
    test::LetEventsRun(200);
    dialog.Hide();
    EXPECT_EQ(dialog.SelectedPeriodId(), periodYearly);
    EXPECT_EQ(Confirm(dialog), wxID_OK);
    ASSERT_EQ(events.count, 1);
    EXPECT_EQ(events.head->startDate.day, 5);
    EXPECT_EQ(events.head->startDate.month, 3);
    EXPECT_EQ(events.head->startDate.year, 0);
    EXPECT_EQ(events.head->period, PeriodYearly);

    // Edited again, it shows and keeps its day and month.
    TEventEditDlg again(nullptr, data, today);
    again.SetEvent(events.head);
    EXPECT_EQ(Text(&again, eventStartDate), "05/03");
    EXPECT_EQ(Confirm(again), wxID_OK);
    EXPECT_EQ(events.head->startDate.year, 0);
}

TEST_F(EventDialog, StartTimeProposesTheFinishAndEnablesTheAlarm) {
    TEventEditDlg dialog(nullptr, data, today);
    const int alarmIds[] = {eventAlarmLabel, eventAlarm, eventAlarmMinutes,
                            eventSoundLabel, eventSound, eventBrowse};
    for (int id : alarmIds)
        EXPECT_FALSE(dialog.FindWindow(id)->IsEnabled()) << id;
    Type(&dialog, eventStartTime, "9:00");
    Leave(&dialog, eventStartTime);
    EXPECT_EQ(Text(&dialog, eventStartTime), "09:00");
    EXPECT_EQ(Text(&dialog, eventFinishTime), "09:30");
    for (int id : alarmIds)
        EXPECT_TRUE(dialog.FindWindow(id)->IsEnabled()) << id;
    Type(&dialog, eventStartTime, "");
    Leave(&dialog, eventStartTime);
    EXPECT_FALSE(dialog.FindWindow(eventAlarm)->IsEnabled());

    Type(&dialog, eventStartTime, "9:3");
    wxTEST_DIALOG(Leave(&dialog, eventStartTime), Message("The time you have entered is invalid"));
    Type(&dialog, eventStartDate, "30/02/1998");
    wxTEST_DIALOG(Leave(&dialog, eventStartDate), Message("The date you have entered is invalid"));

    // A day and time given by a view preset both, and the alarm with them.
    TEventEditDlg given(nullptr, data, today);
    given.SetDate(21, 3, 1998);
    given.SetTime(23, 45);
    EXPECT_EQ(Text(&given, eventStartDate), "Sa 21/03/1998");
    EXPECT_EQ(Text(&given, eventFinishTime), "00:15");
    EXPECT_TRUE(given.FindWindow(eventAlarm)->IsEnabled());
}

TEST_F(EventDialog, CategoryDefaultsFillOnlyUntouchedFields) {
    TypeNode* dentist = types.Add("Dentist");
    dentist->defaultPeriod = PeriodMonthlyByDay;
    dentist->defaultWarningDays = 3;
    dentist->SetDefaultLocation("Surgery");
    dentist->defaultAutoDelete = 1;

    TEventEditDlg dialog(nullptr, data, today);
    Type(&dialog, eventStartDate, "21/03/1998");
    Type(&dialog, eventWhere, "Home");
    Type(&dialog, eventCategory, "Dentist");
    Leave(&dialog, eventCategory);
    EXPECT_TRUE(static_cast<wxRadioButton*>(dialog.FindWindow(periodMonthlyByDay))->GetValue());
    EXPECT_EQ(dialog.SelectedPeriodId(), periodMonthlyByDay);
    EXPECT_EQ(dialog.FindWindow(eventPeriodText)->GetLabel(), "Occurs every month on 21st");
    EXPECT_TRUE(dialog.FindWindow(eventExpires)->IsEnabled());
    EXPECT_EQ(Text(&dialog, eventWhere), "Home");
    EXPECT_EQ(Text(&dialog, eventWarningDays), "3");
    EXPECT_EQ(static_cast<wxCheckBox*>(dialog.FindWindow(eventAutoDelete))->Get3StateValue(), wxCHK_CHECKED);

    TEventEditDlg touched(nullptr, data, today);
    Type(&touched, eventWarningDays, "7");
    Type(&touched, eventCategory, "Dentist");
    Leave(&touched, eventCategory);
    EXPECT_EQ(Text(&touched, eventWhere), "Surgery");
    EXPECT_EQ(Text(&touched, eventWarningDays), "7");
}

TEST_F(EventDialog, MonthlyByPositionShowsItsListsAndStoresThem) {
    TEventEditDlg dialog(nullptr, data, today);
    dialog.Show();
    Fill(dialog, "Club", "Meeting", "10/03/1998");
    Click(&dialog, periodMonthlyByPosition);
    EXPECT_TRUE(dialog.FindWindow(eventPositionWeekday)->IsShown());
    EXPECT_FALSE(dialog.FindWindow(eventPeriodText)->IsShown());
    EXPECT_FALSE(dialog.FindWindow(eventEvery)->IsShown());
    static_cast<wxChoice*>(dialog.FindWindow(eventPositionOrdinal))->SetStringSelection("Second");
    static_cast<wxChoice*>(dialog.FindWindow(eventPositionWeekday))->SetStringSelection("Tuesday");
    dialog.Hide();
    EXPECT_EQ(Confirm(dialog), wxID_OK);
    ASSERT_EQ(events.count, 1);
    const MonthlyPosition& stored = events.head->monthlyPosition;
    EXPECT_EQ(events.head->period, PeriodMonthlyByPosition);
    EXPECT_EQ((std::vector<int>{stored.weekOrdinal, stored.weekday, stored.monthSel}),
              (std::vector<int>{2, 3, 0}));
    ASSERT_NE(types.Find("Meeting"), nullptr);
}

TEST_F(EventDialog, EditedEventKeepsWhatWasStoredWhenTheStartDateFails) {
    EventNode* event = events.Add();
    event->SetDescription("Old");
    event->SetTypeName("Normal");
    event->startDate = Date(5, 3, 1998);
    event->period = PeriodDaily;
    event->repeatDays = 4;
    event->extraInfo = OptionalText("keep me");
    TEventEditDlg dialog(nullptr, data, today);
    dialog.SetEvent(event);
    EXPECT_EQ(Text(&dialog, eventDescription), "Old");
    EXPECT_EQ(Text(&dialog, eventEvery), "4");
    EXPECT_EQ(Text(&dialog, eventFinishDate), "");
    EXPECT_EQ(Text(&dialog, eventExtraInfo), "keep me");
    EXPECT_EQ(dialog.SelectedPeriodId(), periodDaily);
    Type(&dialog, eventDescription, "New");
    Type(&dialog, eventStartDate, "31/02/1998");
    test::RunModal(dialog, [&] {
        wxTEST_DIALOG(Press(&dialog, eventOk), Message("The start date is invalid!"));
        Press(&dialog, eventCancel);
    });
    EXPECT_EQ(events.count, 1);
    EXPECT_EQ(event->description, "New");
    EXPECT_EQ(event->startDate.day, 5);
    EXPECT_EQ(event->extraInfo, "keep me");
    EXPECT_EQ(file.saved, 1);
}

TEST_F(EventDialog, TheSameTypingReadsInEachLocalesOwnOrderAndClock) {
    struct Case {
        const char* locale;
        const char* shownDate;
        const char* shownTime;
        Date stored;
    };
    for (const Case& c : {Case{"en_GB", "Th 05/03/1998", "21:30", Date(5, 3, 1998)},
                          Case{"en_US", "Su 05/03/1998", "09:30 pm", Date(3, 5, 1998)}}) {
        platform::SetFormatLocale(c.locale);
        platform::LocaleDateSettings settings = platform::ReadLocaleDateSettings();
        test::DateSettingsGuard locale(settings.dateOrder, settings.dateSeparator, settings.time24Hour);
        TEventEditDlg dialog(nullptr, data, today);
        Fill(dialog, "Dinner", "Normal", "05/03/1998");
        Type(&dialog, eventFinishDate, "");
        Type(&dialog, eventStartTime, "9:30 pm");
        Leave(&dialog, eventStartDate);
        Leave(&dialog, eventStartTime);
        EXPECT_EQ(Text(&dialog, eventStartDate), c.shownDate) << c.locale;
        EXPECT_EQ(Text(&dialog, eventFinishDate), c.shownDate) << c.locale;
        EXPECT_EQ(Text(&dialog, eventStartTime), c.shownTime) << c.locale;
        EXPECT_EQ(Confirm(dialog), wxID_OK);
        EXPECT_EQ(events.tail->startDate, c.stored) << c.locale;
        EXPECT_EQ(events.tail->startDate.month, c.stored.month) << c.locale;
        EXPECT_EQ(events.tail->startTime.hour, 21);
    }
    platform::SetFormatLocale("");
}

TEST_F(EventDialog, PagesPeriodsAndScreenshots) {
    TEventEditDlg dialog(nullptr, data, today);
    dialog.Show();
    for (int id : {eventWarningDays, eventEvery}) {
        auto* validator = dynamic_cast<wxTextValidator*>(dialog.FindWindow(id)->GetValidator());
        ASSERT_NE(validator, nullptr);
        EXPECT_TRUE(validator->HasFlag(wxFILTER_DIGITS));
    }
    EXPECT_FALSE(dialog.FindWindow(eventExpires)->IsEnabled());
    // Tab follows the page from top to bottom.
    const wxWindowList& fields = dialog.FindWindow(eventDescription)->GetParent()->GetChildren();
    auto place = [&](int id) { return fields.IndexOf(dialog.FindWindow(id)); };
    EXPECT_LT(place(eventCategory), place(eventStartDate));
    EXPECT_LT(place(eventFinishTime), place(eventWarningDays));
    EXPECT_LT(place(eventWarningDays), place(periodGroup));
    const std::pair<int, const char*> periods[] = {{periodOnceOff, "once_off"},
                                                   {periodDaily, "daily"},
                                                   {periodWeekly, "weekly"},
                                                   {periodBiweekly, "biweekly"},
                                                   {periodMonthlyByDay, "monthly_by_day"},
                                                   {periodMonthlyByPosition, "monthly_by_position"},
                                                   {periodYearly, "yearly"}};
    for (const auto& [id, name] : periods) {
        Click(&dialog, id);
        EXPECT_EQ(dialog.FindWindow(eventEvery)->IsShown(), id == periodDaily) << name;
        EXPECT_FALSE(test::SaveScreenshot(&dialog, std::string("event_general_") + name).empty());
    }
    EXPECT_EQ(dialog.FindWindow(eventPeriodText)->GetLabel(), "Occurs every year on 10/03");

    auto* tabs = static_cast<wxNotebook*>(dialog.FindWindow(eventTabs));
    EXPECT_EQ(tabs->GetPageText(0), "General Settings");
    EXPECT_EQ(tabs->GetPageText(1), "Advanced");
    tabs->SetSelection(1);
    test::LetEventsRun(100);
    EXPECT_TRUE(dialog.FindWindow(eventExtraInfo)->IsShown());
    EXPECT_FALSE(dialog.FindWindow(eventDescription)->IsShown());
    EXPECT_FALSE(test::SaveScreenshot(&dialog, "event_advanced").empty());
    tabs->SetSelection(0);
    test::LetEventsRun(100);
    EXPECT_TRUE(dialog.FindWindow(eventDescription)->IsShown());
    EXPECT_FALSE(dialog.FindWindow(eventExtraInfo)->IsShown());
    wxTEST_DIALOG(dialog.ShowTabPage(2), Message("Undefined Tab Page. Contact Author."));

    // F1 on a field opens its pop-up topic.
    dialog.FindWindow(eventDescription)->SetFocus();
    test::LetEventsRun(100);
    wxUIActionSimulator().Char(WXK_F1);
    test::LetEventsRun(300);
    EXPECT_NE(wxWindow::FindWindowByName(platform::kHelpPopupName), nullptr);
    platform::CloseHelp();
    dialog.Hide();
}

TEST_F(EventDialog, SoundBrowserRefusesAMissingFileAndCalendarButtonsTargetTheirField) {
    test::TempDir dir;
    std::string sound = dir.File("bell.wav");
    std::ofstream(sound) << "RIFF";
    TEventEditDlg dialog(nullptr, data, today);
    // The file chooser takes a name in the background; the second one is
    // gone by the time the chooser hands it over.
    auto choose = [](const std::string& path, bool remove) {
        return AnswerModal<wxFileDialog>([=](wxFileDialog* chooser) {
            chooser->SetPath(path);
            test::LetEventsRun(300);
            EXPECT_EQ(chooser->GetPath(), path);
            if (remove)
                std::filesystem::remove(path);
            return wxID_OK;
        });
    };
    std::string gone = dir.File("gone.wav");
    std::ofstream(gone) << "RIFF";
    wxTEST_DIALOG(Press(&dialog, eventBrowse), choose(gone, true),
                  Message("The sound file \"" + gone + "\" does not exist."));
    EXPECT_EQ(Text(&dialog, eventSound), "");
    wxTEST_DIALOG(Press(&dialog, eventBrowse), choose(sound, false));
    EXPECT_EQ(Text(&dialog, eventSound), sound);

    Date opened;
    dialog.SetCalendarOpener([&](wxWindow*, const Date& preset) { opened = preset; });
    Press(&dialog, eventFinishCalendar);
    EXPECT_EQ(dialog.PickTargetField(), pickFinishDate);
    EXPECT_EQ(opened, today);
    dialog.PickDate(Date(2, 3, 1998));
    EXPECT_EQ(Text(&dialog, eventFinishDate), "Mo 02/03/1998");
}

// An event made in the dialog, saved, and read back by the console program.
TEST_F(EventDialog, SavedEventIsReadBackByTheConsoleCommands) {
    test::ConfigHomeGuard home;
    test::TempDir dir;
    shell::Document document;
    ASSERT_TRUE(document.CreateNew(dir.File("events.vor"), today));
    TEventEditDlg dialog(nullptr, {document.events, document.types, document.file}, today);
    Fill(dialog, "Dentist", "Appointment", "12/03/1998");
    Type(&dialog, eventFinishDate, "");
    Leave(&dialog, eventStartDate);
    EXPECT_EQ(Text(&dialog, eventFinishDate), "Th 12/03/1998");
    Type(&dialog, eventStartTime, "9:00");
    Leave(&dialog, eventStartTime);
    Type(&dialog, eventWhere, "Surgery");
    EXPECT_EQ(Confirm(dialog), wxID_OK);
    EXPECT_TRUE(document.IsUnsaved());
    ASSERT_TRUE(document.Save());

    auto run = [&](const std::string& args) {
        std::string command =
            std::string("'") + VORLEN_PROGRAM + "' " + args + " '" + dir.File("events.vor") + "'";
        std::string output;
        if (FILE* pipe = ::popen(command.c_str(), "r")) {
            char buffer[256];
            while (std::fgets(buffer, sizeof buffer, pipe))
                output += buffer;
            ::pclose(pipe);
        }
        return output;
    };
    EXPECT_NE(run("--info").find("1998-03-12\tOnce Off\tAppointment\tDentist\n"), std::string::npos);
    std::string reminders = run("--reminders --date 1998-03-12 --time 08:00");
    EXPECT_NE(reminders.find("Dentist"), std::string::npos) << reminders;
    EXPECT_NE(reminders.find("09:00"), std::string::npos) << reminders;
}

}  // namespace
}  // namespace vorlen
