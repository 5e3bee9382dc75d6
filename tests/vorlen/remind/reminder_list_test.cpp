#include "vorlen/remind/reminder_list.h"

#include "vorlen/platform/locale_format.h"
#include "vorlen/platform/text_encoding.h"
#include "vorlen/remind/reminder_markup.h"

#include "../core/date_settings_guard.h"

#include <gtest/gtest.h>

namespace vorlen {
namespace {

// An English day-month-year locale with the 24-hour clock.
class Reminders : public ::testing::Test {
protected:
    void SetUp() override { platform::SetFormatLocale("en_GB"); }
    void TearDown() override { platform::SetFormatLocale("en_US_POSIX"); }

    EventNode& Event(const char* description, const char* typeName, Date start,
                     int32_t period = PeriodOnceOff) {
        EventNode& e = *events.Add();
        e.SetDescription(description);
        e.SetTypeName(typeName);
        e.startDate = start;
        e.period = period;
        return e;
    }

    std::string Text(const Date& day, bool warnings = true, bool timedAsText = true) {
        list.Build(warnings, day, Time(8, 0));
        std::string text;
        list.FormatText(text, timedAsText);
        return text;
    }

    test::DateSettingsGuard settings{1, '/', 1};
    Eventlist events;
    ReminderList list{events};
};

TEST_F(Reminders, TheWorkedExample) {
    Event("Ann", "Birthday", Date(5, 5, 1960), PeriodYearly);
    EventNode& dentist = Event("Dentist", "Health", Date(5, 5, 1998));
    dentist.SetStartTime(9, 0);
    dentist.SetEndTime(9, 30);
    dentist.SetLocation("Clinic");
    EXPECT_EQ(Text(Date(5, 5, 1998)),
              "\xB7H10\xB7"
              "C01Ann\xB7"
              "C00\xB7R (Birthday (Born 1960, 38 years old))\r\n"
              "\xB7R\xB7"
              "B\xB7"
              "C0009:00 - 09:30\xB7R\tDentist(Health at Clinic)");
    EXPECT_EQ(list.count, 2);
    EXPECT_EQ(list.timedCount, 1);
    EXPECT_EQ(list.untimedCount, 1);
    EXPECT_EQ(list.warningCount, 0);
}

TEST_F(Reminders, AnEmptyListHasItsOwnMessages) {
    EXPECT_EQ(Text(Date(5, 5, 1998)), "No event/appointment messages");
    EXPECT_EQ(list.count, 0);
    std::string today = "old", warnings = "old";
    list.FormatSplitText(today, warnings, true);
    EXPECT_EQ(today, "No event/appointment messages");
    EXPECT_EQ(warnings, "No warnings for future events/appointments");
}

TEST_F(Reminders, TimedEntriesAreLeftToTheSlotsWhenNotWrittenAsText) {
    Event("Early", "Meeting", Date(5, 5, 1998)).SetStartTime(7, 0);
    Event("Late", "Meeting", Date(5, 5, 1998)).SetStartTime(17, 0);
    EXPECT_EQ(Text(Date(5, 5, 1998), true, false), "");
    Event("All day", "Normal", Date(5, 5, 1998));
    EXPECT_EQ(Text(Date(5, 5, 1998), true, false),
              "\xB7H10\xB7"
              "C01All day\xB7"
              "C00\xB7R (Normal)");
}

TEST_F(Reminders, WarningsForTomorrowAndLater) {
    EventNode& party = Event("Party", "Special Occasion", Date(6, 5, 1998));
    party.warningDays = 5;
    EventNode& trip = Event("Trip", "Travel", Date(7, 5, 1998));
    trip.warningDays = 5;
    trip.SetEndDate(9, 5, 1998);
    trip.SetStartTime(6, 30);
    trip.SetEndTime(20, 0);
    EXPECT_EQ(Text(Date(5, 5, 1998)),
              "\xB7"
              "BSpecial Occasion\xB7"
              "B\xB7R on Wednesday, 06/05/1998 (tommorrow) :\r\n"
              "\xB7U\xB7"
              "C02Party\xB7U\xB7"
              "C00\xB7R\r\n\n"
              "\xB7"
              "BTravel\xB7"
              "B\xB7R on Thursday, 07/05/1998 (in 2 days) at 06:30 till 20:00 09/05/1998:\r\n"
              "\xB7U\xB7"
              "C02Trip\xB7U\xB7"
              "C00\xB7R");
    EXPECT_EQ(list.warningCount, 2);
    EXPECT_EQ(Text(Date(5, 5, 1998), false), "No event/appointment messages");
}

TEST_F(Reminders, AWarningWithoutEndTimeGivesTheLastDay) {
    EventNode& course = Event("Course", "Education", Date(7, 5, 1998));
    course.warningDays = 3;
    course.SetEndDate(8, 5, 1998);
    EXPECT_EQ(Text(Date(5, 5, 1998)),
              "\xB7"
              "BEducation\xB7"
              "B\xB7R on Thursday, 07/05/1998 (in 2 days) till 08/05/1998:\r\n"
              "\xB7U\xB7"
              "C02Course\xB7U\xB7"
              "C00\xB7R");
}

TEST_F(Reminders, ALineBreakSeparatesTheTimedDayFromItsWarnings) {
    Event("Standup", "Meeting", Date(5, 5, 1998)).SetStartTime(9, 15);
    EventNode& wedding = Event("Jo and Sam", "Wedding Aniversary", Date(8, 5, 1990), PeriodYearly);
    wedding.warningDays = 7;
    EXPECT_EQ(Text(Date(5, 5, 1998)),
              "\xB7R\xB7"
              "B\xB7"
              "C0009:15\xB7R\tStandup(Meeting)\r\n\r\n"
              "\xB7"
              "BWedding Aniversary\xB7"
              "B\xB7R on Friday, 08/05/1998 (in 3 days) :\r\n"
              "\xB7U\xB7"
              "C02Jo and Sam\xB7U\xB7"
              "C00\xB7R (Married 1990, 8 years ago)");
}

// Among warnings of the same day, untimed ones come first.
TEST_F(Reminders, WarningsWithAStartTimeOnlyAndTheirAnniversaryNotes) {
    Event("Today", "Normal", Date(5, 5, 1998));
    EventNode& call = Event("Call", "Phone Call", Date(7, 5, 1998));
    call.warningDays = 3;
    call.SetStartTime(10, 0);
    EventNode& born = Event("Bea", "Birthday", Date(7, 5, 1970), PeriodYearly);
    born.warningDays = 3;
    EventNode& wed = Event("Cy", "Wedding Anniversary", Date(8, 5, 1990), PeriodYearly);
    wed.warningDays = 3;
    EXPECT_EQ(Text(Date(5, 5, 1998)),
              "\xB7H10\xB7"
              "C01Today\xB7"
              "C00\xB7R (Normal)\r\n"
              "\xB7"
              "BBirthday\xB7"
              "B\xB7R on Thursday, 07/05/1998 (in 2 days) :\r\n"
              "\xB7U\xB7"
              "C02Bea\xB7U\xB7"
              "C00\xB7R (Born 1970, 28 years old)\r\n\n"
              "\xB7"
              "BPhone Call\xB7"
              "B\xB7R on Thursday, 07/05/1998 (in 2 days) at 10:00:\r\n"
              "\xB7U\xB7"
              "C02Call\xB7U\xB7"
              "C00\xB7R\r\n\n"
              "\xB7"
              "BWedding Anniversary\xB7"
              "B\xB7R on Friday, 08/05/1998 (in 3 days) :\r\n"
              "\xB7U\xB7"
              "C02Cy\xB7U\xB7"
              "C00\xB7R");
}

TEST_F(Reminders, WithoutTimedTextNothingSeparatesTheDayFromItsWarnings) {
    Event("Untimed", "Normal", Date(5, 5, 1998));
    Event("Timed", "Normal", Date(5, 5, 1998)).SetStartTime(9, 0);
    EventNode& soon = Event("Soon", "Normal", Date(6, 5, 1998));
    soon.warningDays = 1;
    soon.SetStartTime(8, 0);
    EXPECT_EQ(Text(Date(5, 5, 1998), true, false),
              "\xB7H10\xB7"
              "C01Untimed\xB7"
              "C00\xB7R (Normal)"
              "\xB7"
              "BNormal\xB7"
              "B\xB7R on Wednesday, 06/05/1998 (tommorrow) at 08:00:\r\n"
              "\xB7U\xB7"
              "C02Soon\xB7U\xB7"
              "C00\xB7R");

    list.Build(true, Date(5, 5, 1998), Time());
    std::string today, warnings;
    list.FormatSplitText(today, warnings, true);
    // The day's text ends with a break when a timed warning follows.
    EXPECT_EQ(today,
              "\xB7H10\xB7"
              "C01Untimed\xB7"
              "C00\xB7R (Normal)\r\n"
              "\xB7R\xB7"
              "B\xB7"
              "C0009:00\xB7R\tTimed(Normal)\r\n");
}

TEST_F(Reminders, AnniversaryNotesNeedAKnownStartYear) {
    Event("Grandpa", "Death Memorial", Date(5, 5, 1980), PeriodYearly);
    Event("Old friend", "Birthday", Date(5, 5, 1900), PeriodYearly);
    Event("Spouse", "Wedding Anniversary", Date(5, 5, 1990), PeriodYearly);
    Event("Misspelt", "Wedding Aniversary", Date(5, 5, 1990), PeriodYearly);
    EXPECT_EQ(Text(Date(5, 5, 1998)),
              "\xB7H10\xB7"
              "C01Grandpa\xB7"
              "C00\xB7R (Death Memorial (Died 1980, 18 years ago))\r\n"
              "\xB7H10\xB7"
              "C01Old friend\xB7"
              "C00\xB7R (Birthday)\r\n"
              "\xB7H10\xB7"
              "C01Spouse\xB7"
              "C00\xB7R (Wedding Anniversary (Married 1990, 8 years ago))\r\n"
              "\xB7H10\xB7"
              "C01Misspelt\xB7"
              "C00\xB7R (Wedding Aniversary)");
}

TEST_F(Reminders, MultiDayEventsShowTheirSpan) {
    EventNode& fair = Event("Fair", "Holiday", Date(4, 5, 1998));
    fair.SetEndDate(6, 5, 1998);
    EXPECT_EQ(Text(Date(5, 5, 1998)),
              "\xB7R\xB7"
              "C0005/05/1998 - 06/05/1998 \xB7H10\xB7"
              "C01Fair\xB7"
              "C00\xB7R (Holiday)");
    ASSERT_NE(list.head, nullptr);
    EXPECT_TRUE(list.head->continuing);
    EXPECT_FALSE(list.head->timed);
}

TEST_F(Reminders, SortingPutsWarningsAfterTheDayAndTimesInOrder) {
    Event("c warn 2", "Normal", Date(7, 5, 1998)).warningDays = 3;
    Event("b timed 10", "Normal", Date(5, 5, 1998)).SetStartTime(10, 0);
    Event("a untimed", "Normal", Date(5, 5, 1998));
    Event("d warn 1 timed", "Normal", Date(6, 5, 1998)).warningDays = 3;
    events.tail->SetStartTime(8, 0);
    Event("e warn 1", "Normal", Date(6, 5, 1998)).warningDays = 3;
    Event("f timed 9", "Normal", Date(5, 5, 1998)).SetStartTime(9, 0);
    Event("g untimed", "Normal", Date(5, 5, 1998));
    list.Build(true, Date(5, 5, 1998), Time());
    list.Sort();
    std::vector<std::string> order;
    for (const ReminderNode& entry : list)
        order.push_back(std::string(entry.event->description.view()));
    EXPECT_EQ(order, (std::vector<std::string>{"a untimed", "g untimed", "f timed 9", "b timed 10",
                                               "e warn 1", "d warn 1 timed", "c warn 2"}));
    EXPECT_EQ(list.Next(list.head)->prev, list.head);
    EXPECT_EQ(list.tail->next, nullptr);
}

TEST_F(Reminders, SplitTextKeepsTheDayAndTheWarningsApart) {
    Event("Lunch", "Meeting", Date(5, 5, 1998)).SetStartTime(12, 0);
    Event("Holiday", "Holiday", Date(5, 5, 1998));
    Event("Soon", "Normal", Date(6, 5, 1998)).warningDays = 1;
    list.Build(true, Date(5, 5, 1998), Time());
    std::string today, warnings;
    list.FormatSplitText(today, warnings, false);
    EXPECT_EQ(today,
              "\xB7H10\xB7"
              "C01Holiday\xB7"
              "C00\xB7R (Holiday)");
    EXPECT_EQ(warnings,
              "\xB7"
              "BNormal\xB7"
              "B\xB7R on Wednesday, 06/05/1998 (tommorrow) :\r\n"
              "\xB7U\xB7"
              "C02Soon\xB7U\xB7"
              "C00\xB7R");

    events.tail->warningDays = 0;
    list.Build(true, Date(5, 5, 1998), Time());
    today.clear();
    warnings.clear();
    list.FormatSplitText(today, warnings, true);
    EXPECT_EQ(today,
              "\xB7H10\xB7"
              "C01Holiday\xB7"
              "C00\xB7R (Holiday)\r\n"
              "\xB7R\xB7"
              "B\xB7"
              "C0012:00\xB7R\tLunch(Meeting)");
    EXPECT_EQ(warnings, "");
}

TEST_F(Reminders, AlarmsAreDueExactlyTheirMinutesBefore) {
    EventNode& call = Event("Call", "Phone Call", Date(5, 5, 1998));
    call.SetStartTime(10, 0);
    call.alarmMinutes = 15;
    Event("Quiet", "Normal", Date(5, 5, 1998)).SetStartTime(9, 45);
    list.Build(false, Date(5, 5, 1998), Time(9, 45));
    EXPECT_EQ(list.FindDueAlarm(Time(9, 44)), nullptr);
    ASSERT_NE(list.FindDueAlarm(Time(9, 45)), nullptr);
    EXPECT_EQ(list.FindDueAlarm(Time(9, 45))->event, &call);
    EXPECT_EQ(list.FindDueAlarm(Time(9, 46)), nullptr);
    call.alarmMinutes = 0;
    EXPECT_EQ(list.FindDueAlarm(Time(10, 0)), nullptr);
    EXPECT_EQ(list.FindDueAlarm(Time(9, 45)), nullptr);
}

TEST_F(Reminders, RebuildUsesTheStoredDayAndTheTextGrowsWithoutLimit) {
    for (int i = 0; i < 3000; ++i)
        Event("A rather long description of an event that happens today", "Normal", Date(5, 5, 1998));
    list.Build(false, Date(5, 5, 1998), Time(7, 0));
    events.Add()->period = PeriodUndefined;
    EXPECT_EQ(list.Rebuild(), 3000);
    EXPECT_EQ(list.day.CompactText(), "19980505");
    EXPECT_EQ(list.time.hour, 7);
    EXPECT_EQ(list.withWarnings, 0);
    std::string text;
    list.FormatText(text, true);
    EXPECT_GT(text.size(), 32000u);
    list.Clear();
    EXPECT_EQ(list.count, 0);
    EXPECT_EQ(list.untimedCount, 0);
}

// The console's one-pass plain text equals the marked-up text with its codes
// removed and converted, for every kind of line and with accents.
TEST_F(Reminders, PlainTextInOnePassEqualsTheMarkupStripped) {
    Event("Caf\xE9 \xB7" "Bmeeting", "Meeting", Date(5, 3, 1998)).SetStartTime(9, 0);
    Event("Ann", "Birthday", Date(5, 3, 1960), PeriodYearly).SetWarningDays(3);
    Event("Trip", "Holiday", Date(4, 3, 1998)).SetEndDate(8, 3, 1998);
    EventNode& timed = Event("Late", "Meeting", Date(6, 3, 1998));
    timed.SetStartTime(18, 0);
    timed.SetEndTime(19, 30);
    timed.SetWarningDays(2);
    Event("Na\xEFve", "Normal", Date(7, 3, 1998)).SetWarningDays(5);
    for (int day : {3, 5, 20}) {
        for (bool timedAsText : {true, false}) {
            std::string markup = Text(Date(day, 3, 1998), true, timedAsText);
            std::string plain = "kept ";
            list.FormatPlainText(plain, timedAsText);
            EXPECT_EQ(plain, "kept " + platform::Windows1252ToUtf8(PlainText(markup))) << day;
        }
    }
}

}  // namespace
}  // namespace vorlen
