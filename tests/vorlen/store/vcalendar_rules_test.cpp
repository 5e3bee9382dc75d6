#include "vorlen/store/vcalendar_rules.h"

#include <gtest/gtest.h>

namespace vorlen::store {
namespace {

// Starts on Tuesday 10 March 1998, the second Tuesday of its month.
struct EventOn : EventNode {
    explicit EventOn(int32_t kind) {
        SetStartDate(10, 3, 1998);
        SetPeriod(kind);
    }
};

TEST(VCalendarRules, EachPeriodWritesItsRule) {
    EXPECT_EQ(RuleText(EventOn(PeriodWeekly)), "W1");
    EXPECT_EQ(RuleText(EventOn(PeriodBiweekly)), "W2");
    EXPECT_EQ(RuleText(EventOn(PeriodMonthlyByDay)), "MD 10");
    EXPECT_EQ(RuleText(EventOn(PeriodYearly)), "YD1");

    EventOn daily(PeriodDaily);
    daily.SetRepeatDays(3);
    EXPECT_EQ(RuleText(daily), "D3");

    EventOn everyMonth(PeriodMonthlyByPosition);
    everyMonth.SetMonthlyPosition(2, 3, 0);
    EXPECT_EQ(RuleText(everyMonth), "MP1 2 TU");
    EventOn april(PeriodMonthlyByPosition);
    april.SetMonthlyPosition(2, 3, 4);
    EXPECT_EQ(RuleText(april), "MP12 2 TU");
    april.SetMonthlyPosition(5, 7, 4);
    EXPECT_EQ(RuleText(april), "MP12 5 SA");
    april.SetMonthlyPosition(1, 1, 4);
    EXPECT_EQ(RuleText(april), "MP12 1 SU");
}

TEST(VCalendarRules, OnceOffUndefinedAndDamagedPeriodsWriteNoRule) {
    EXPECT_EQ(RuleText(EventOn(PeriodOnceOff)), "");
    EXPECT_EQ(RuleText(EventOn(PeriodUndefined)), "");
    EXPECT_EQ(RuleText(EventOn(42)), "");
    EventOn noWeekday(PeriodMonthlyByPosition);
    noWeekday.SetMonthlyPosition(2, 0, 0);
    EXPECT_EQ(RuleText(noWeekday), "");
    noWeekday.SetMonthlyPosition(2, 8, 0);
    EXPECT_EQ(RuleText(noWeekday), "");
}

TEST(VCalendarRules, AnExpiryFollowsTheRule) {
    EventOn weekly(PeriodWeekly);
    weekly.SetRangeEndDate(30, 6, 1998);
    EXPECT_EQ(RuleText(weekly), "W1 19980630T000000");

    EventOn april(PeriodMonthlyByPosition);
    april.SetMonthlyPosition(2, 3, 4);
    april.SetRangeEndDate(1, 1, 2001);
    EXPECT_EQ(RuleText(april), "MP12 2 TU 20010101T000000");

    // An expiry that is no date is left out, and so is one on a once-off event.
    weekly.SetRangeEndDate(31, 2, 1998);
    EXPECT_EQ(RuleText(weekly), "W1");
    EventOn once(PeriodOnceOff);
    once.SetRangeEndDate(30, 6, 1998);
    EXPECT_EQ(RuleText(once), "");
}

TEST(VCalendarRules, ReadingGivesBackWhatWasWritten) {
    struct Case {
        int32_t period;
        int32_t repeatDays;
        MonthlyPosition position;
    };
    const Case cases[] = {
        {PeriodWeekly, 0, {}},
        {PeriodBiweekly, 0, {}},
        {PeriodMonthlyByDay, 0, {}},
        {PeriodDaily, 14, {}},
        {PeriodYearly, 0, {}},
        {PeriodMonthlyByPosition, 0, {2, 3, 0}},
        {PeriodMonthlyByPosition, 0, {5, 7, 3}},  // the month of startDate
    };
    for (const Case& c : cases) {
        for (bool expires : {false, true}) {
            EventOn written(c.period);
            written.SetRepeatDays(c.repeatDays);
            written.monthlyPosition = c.position;
            if (expires)
                written.SetRangeEndDate(29, 2, 2000);
            std::string rule = RuleText(written);
            SCOPED_TRACE(rule);

            EventOn read(PeriodOnceOff);
            ASSERT_TRUE(ReadRule(rule, read));
            EXPECT_EQ(read.period, c.period);
            EXPECT_EQ(read.repeatDays, c.repeatDays);
            EXPECT_EQ(read.monthlyPosition.weekOrdinal, c.position.weekOrdinal);
            EXPECT_EQ(read.monthlyPosition.weekday, c.position.weekday);
            EXPECT_EQ(read.monthlyPosition.monthSel, c.position.monthSel);
            EXPECT_EQ(read.rangeEndDate.day, expires ? 29 : 0);
            EXPECT_EQ(read.rangeEndDate.month, expires ? 2 : 0);
            EXPECT_EQ(read.rangeEndDate.year, expires ? 2000 : 0);
        }
    }
}

TEST(VCalendarRules, ReadingAcceptsAUtcExpiryForeverAndSurroundingBlanks) {
    EventOn event(PeriodOnceOff);
    ASSERT_TRUE(ReadRule("  W2 19981231T000000Z \r\n", event));
    EXPECT_EQ(event.period, PeriodBiweekly);
    EXPECT_EQ(event.rangeEndDate.day, 31);
    EXPECT_EQ(event.rangeEndDate.month, 12);

    ASSERT_TRUE(ReadRule("YD1 #0", event));
    EXPECT_EQ(event.period, PeriodYearly);
    EXPECT_TRUE(event.rangeEndDate.IsEmpty());
}

TEST(VCalendarRules, ForeignOrDamagedRulesAreRefusedAndChangeNothing) {
    const char* refused[] = {
        "",
        "W1 MO #10",  // full vCalendar rules of other programs
        "MD1 10 #0",
        "D1 #5",
        "W1 #",
        "W1 #0 19980630T000000",
        "W3",
        "MD 11",  // another day than startDate's
        "MD",
        "D0",
        "D-3",
        "D99999999999",
        "MP1 0 TU",
        "MP1 6 TU",
        "MP1 2 XX",
        "MP1 2 tu",
        "MP13 2 TU",
        "YD1 19980230T000000",  // no such day
        "YD1 1998063T000000",
        "YD1 19980630",
        "YD1  19980630T000000",
        "YD1 19980630T000000 extra",
        "W1x",
    };
    for (const char* text : refused) {
        SCOPED_TRACE(text);
        EventOn event(PeriodOnceOff);
        event.SetRepeatDays(4);
        event.SetRangeEndDate(1, 1, 1999);
        EXPECT_FALSE(ReadRule(text, event));
        EXPECT_EQ(event.period, PeriodOnceOff);
        EXPECT_EQ(event.repeatDays, 4);
        EXPECT_EQ(event.rangeEndDate.year, 1999);
    }
}

TEST(VCalendarRules, AOneMonthPositionNeedsAStartMonth) {
    EventNode event;
    event.SetPeriod(PeriodOnceOff);
    EXPECT_FALSE(ReadRule("MP12 2 TU", event));
    EXPECT_TRUE(ReadRule("MP1 2 TU", event));
    EXPECT_EQ(event.monthlyPosition.monthSel, 0);
}

}  // namespace
}  // namespace vorlen::store
