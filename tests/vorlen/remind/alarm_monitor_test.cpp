#include "vorlen/remind/alarm_monitor.h"

#include "vorlen/platform/locale_format.h"

#include "../core/date_settings_guard.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace vorlen {
namespace {

struct RaisedAlarm {
    const EventNode* event;
    AlarmTexts texts;
    Time at;
};

// Records what a tick asks the windows to do.
class RecordingUi : public AlarmUi {
public:
    bool FrameBusy() override { return busy; }
    bool OfferNewDay(const BootupTexts& texts) override {
        newDays.push_back(texts);
        return viewEvents;
    }
    void ShowTodayScreen() override { ++todayShown; }
    void SetTrayTip(const std::string& tip) override { tips.push_back(tip); }
    void RaiseAlarm(const EventNode& event, const AlarmTexts& texts) override {
        alarms.push_back({&event, texts, now});
        if (whileAlarmOpen)
            whileAlarmOpen();
    }

    bool busy = false;
    bool viewEvents = false;
    Time now;  // set by the test before each tick
    std::vector<BootupTexts> newDays;
    int todayShown = 0;
    std::vector<std::string> tips;
    std::vector<RaisedAlarm> alarms;
    std::function<void()> whileAlarmOpen;
};

const Date day(5, 5, 1998);

Date Plus(Date date, int days) {
    date.AddDays(days);
    return date;
}

class AlarmTick : public ::testing::Test {
protected:
    void SetUp() override {
        platform::SetFormatLocale("en_GB");
        list.Build(true, day, Time(0, 0));
    }
    void TearDown() override { platform::SetFormatLocale("en_US_POSIX"); }

    EventNode& Appointment(const char* description, int hour, int minute, int alarmMinutes,
                           int32_t period = PeriodOnceOff) {
        EventNode& e = *events.Add();
        e.SetDescription(description);
        e.SetTypeName("Business");
        e.startDate = day;
        e.period = period;
        e.SetStartTime(hour, minute);
        e.alarmMinutes = alarmMinutes;
        return e;
    }

    void Tick(const Date& today, int hour, int minute) {
        ui.now = Time(hour, minute);
        monitor.Tick(list, today, ui.now, ui);
    }

    // Ticks every `period` seconds from `first` (seconds of the day) to
    // 10:05 and gives the minutes (hour * 100 + minute) of the alarms.
    std::vector<int> AlarmMinutesFor(int period, int first) {
        for (int second = first; second < 10 * 3600 + 5 * 60; second += period)
            Tick(day, second / 3600, second / 60 % 60);
        std::vector<int> minutes;
        for (const RaisedAlarm& alarm : ui.alarms)
            minutes.push_back(alarm.at.hour * 100 + alarm.at.minute);
        return minutes;
    }

    test::DateSettingsGuard settings{1, '/', 1};
    Eventlist events;
    ReminderList list{events};
    AlarmMonitor monitor;
    RecordingUi ui;
};

TEST_F(AlarmTick, RaisesTheAlarmOnceAtItsMinuteWithTwentySecondTicks) {
    Appointment("Dentist", 10, 0, 10);
    EXPECT_EQ(AlarmMinutesFor(20, 9 * 3600 + 45 * 60 + 5), std::vector<int>{950});
    EXPECT_EQ(ui.alarms[0].texts.message, "You have the following appointment in 10 minutes:");
    EXPECT_EQ(ui.alarms[0].texts.time, "10:00");
    EXPECT_EQ(ui.alarms[0].texts.description, "Dentist");
    EXPECT_EQ(ui.alarms[0].texts.type, "Business");
}

TEST_F(AlarmTick, RaisesTheAlarmOnceWithTheDefaultPeriod) {
    Appointment("Dentist", 10, 0, 10);
    EXPECT_EQ(AlarmMinutesFor(60, 9 * 3600 + 45 * 60 + 59), std::vector<int>{950});
}

TEST_F(AlarmTick, TwoMinuteTicksRaiseItOnlyWhenOneFallsInItsMinute) {
    Appointment("Dentist", 10, 0, 10);
    EXPECT_EQ(AlarmMinutesFor(120, 9 * 3600 + 46 * 60 + 10), std::vector<int>{950});
    ui.alarms.clear();
    monitor.Forget();
    // 09:49:30, then 09:51:30: the minute passes between two ticks.
    EXPECT_EQ(AlarmMinutesFor(120, 9 * 3600 + 45 * 60 + 30), std::vector<int>{});
}

TEST_F(AlarmTick, EachTickSetsTheTipWithTheDaysOwnEventsOnly) {
    Tick(day, 8, 0);
    ASSERT_EQ(ui.tips.size(), 1u);
    EXPECT_EQ(ui.tips[0], "Tolvane Vorlen - 0 events today");

    Appointment("Dentist", 10, 0, 0);
    EventNode& untimed = *events.Add();
    untimed.startDate = day;
    untimed.period = PeriodOnceOff;
    EventNode& coming = *events.Add();
    coming.startDate = Plus(day, 2);
    coming.period = PeriodOnceOff;
    coming.warningDays = 5;
    Tick(day, 8, 1);
    EXPECT_EQ(ui.tips.back(), "Tolvane Vorlen - 2 events today");
    EXPECT_EQ(list.withWarnings, 0);
}

TEST_F(AlarmTick, AfterMidnightTheNewDaysRemindersAreOfferedThenAlarmsResume) {
    Date next = Plus(day, 1);
    EventNode& call = Appointment("Call", 0, 10, 10);
    call.startDate = next;
    ui.viewEvents = true;

    Tick(next, 0, 0);
    ASSERT_EQ(ui.newDays.size(), 1u);
    EXPECT_EQ(ui.newDays[0].count, 1);
    EXPECT_EQ(ui.newDays[0].dateText, next.LocaleShortText());
    EXPECT_EQ(ui.newDays[0].lastCheckedText, next.LocaleShortText());
    EXPECT_EQ(ui.newDays[0].timeText, "00:00");
    EXPECT_EQ(ui.todayShown, 1);
    EXPECT_EQ(list.withWarnings, 1);
    EXPECT_TRUE(ui.tips.empty());
    EXPECT_TRUE(ui.alarms.empty());

    Tick(next, 0, 0);
    EXPECT_EQ(ui.newDays.size(), 1u);
    EXPECT_EQ(ui.tips.size(), 1u);
    ASSERT_EQ(ui.alarms.size(), 1u);
    EXPECT_EQ(ui.alarms[0].event, &call);
}

TEST_F(AlarmTick, ANewDayWithoutEntriesOrDeclinedShowsNoTodayScreen) {
    Tick(Plus(day, 1), 0, 0);
    EXPECT_TRUE(ui.newDays.empty());
    EXPECT_EQ(list.day.DayNumber(), Plus(day, 1).DayNumber());

    EventNode& e = *events.Add();
    e.startDate = Plus(day, 2);
    e.period = PeriodOnceOff;
    Tick(Plus(day, 2), 0, 0);
    EXPECT_EQ(ui.newDays.size(), 1u);
    EXPECT_EQ(ui.todayShown, 0);
}

TEST_F(AlarmTick, NothingHappensWhileAFrameOwnedDialogIsOpen) {
    Appointment("Dentist", 10, 0, 10);
    ui.busy = true;
    Tick(Plus(day, 1), 9, 50);
    Tick(day, 9, 50);
    EXPECT_TRUE(ui.newDays.empty());
    EXPECT_TRUE(ui.tips.empty());
    EXPECT_TRUE(ui.alarms.empty());
    EXPECT_EQ(list.day.DayNumber(), day.DayNumber());
    EXPECT_EQ(list.withWarnings, 1);
}

TEST_F(AlarmTick, ASecondAlarmOpensWhileTheFirstIsShown) {
    EventNode& first = Appointment("First", 10, 0, 10);
    EventNode& second = Appointment("Second", 10, 1, 10);
    ui.whileAlarmOpen = [&] {
        ui.whileAlarmOpen = nullptr;
        Tick(day, 9, 50);  // the same alarm again: not repeated
        Tick(day, 9, 51);
    };
    Tick(day, 9, 50);
    ASSERT_EQ(ui.alarms.size(), 2u);
    EXPECT_EQ(ui.alarms[0].event, &first);
    EXPECT_EQ(ui.alarms[1].event, &second);
    EXPECT_EQ(ui.alarms[0].texts.description, "First");
}

TEST_F(AlarmTick, ARepeatingEventAlarmsAgainOnItsNextDay) {
    EventNode& weekly = Appointment("Team", 10, 0, 10, PeriodWeekly);
    Tick(day, 9, 50);
    Date nextWeek = Plus(day, 7);
    Tick(nextWeek, 9, 49);  // the day change
    Tick(nextWeek, 9, 50);
    ASSERT_EQ(ui.alarms.size(), 2u);
    EXPECT_EQ(ui.alarms[1].event, &weekly);
}

TEST(AlarmTexts, EachIsCutToItsCapacityAtAWordWithAnEllipsis) {
    std::string fits(79, 'x');
    EXPECT_EQ(CutToCapacity(fits, 80), fits);
    EXPECT_EQ(CutToCapacity("Dental check  up", 12), "Dental\x85");
    EXPECT_EQ(CutToCapacity("Dental check", 13), "Dental check");
    EXPECT_EQ(CutToCapacity("Dental check", 12), "Dental\x85");
    EXPECT_EQ(CutToCapacity("Dentalcheckup", 8), "Dental\x85");
    EXPECT_EQ(CutToCapacity("x", 1), "");

    AlarmTexts longTexts{std::string(100, 'm'), std::string(60, 't'), std::string(5000, 'd'),
                         "a place " + std::string(4000, 'p'), std::string(200, 'c')};
    AlarmTexts cut = CutToCapacities(longTexts);
    EXPECT_EQ(cut.message.size(), 79u);
    EXPECT_EQ(cut.time.size(), 49u);
    EXPECT_EQ(cut.description.size(), 3199u);
    EXPECT_EQ(cut.place.size(), 3199u);
    EXPECT_EQ(cut.type.size(), 119u);
    EXPECT_EQ(cut.place.back(), '\x85');
}

}  // namespace
}  // namespace vorlen
