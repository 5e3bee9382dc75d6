#include "vorlen/core/occurrences.h"

#include <gtest/gtest.h>

#include <random>

namespace vorlen {
namespace {

struct TestEvent : EventNode {
    TestEvent(int32_t periodKind, Date start, int32_t warning = 0) {
        period = periodKind;
        startDate = start;
        warningDays = warning;
    }
};

std::string Show(const Date& d) {
    return d.IsEmpty() ? "-" : d.CompactText();
}

// One entry as text, so that a whole result compares in one assertion:
// "daysAhead occurrenceDate occurrenceEnd [continuing]".
std::string Show(const OccurrenceEntry& e) {
    return std::to_string(e.daysAhead) + " " + Show(e.occurrenceDate) + " " + Show(e.occurrenceEnd) +
           (e.continuing ? " continuing" : "");
}

std::vector<std::string> On(const EventNode& event, const Date& day, bool withWarnings = true) {
    std::vector<std::string> shown;
    for (const OccurrenceEntry& entry : Occurrences(event, day, withWarnings)) {
        EXPECT_EQ(entry.event, &event);
        shown.push_back(Show(entry));
    }
    return shown;
}

using Entries = std::vector<std::string>;

TEST(OnceOffOccurrences, WarnWithinTheWindowAndOccurOnTheDay) {
    TestEvent event(PeriodOnceOff, Date(10, 3, 1998), 3);
    EXPECT_EQ(On(event, Date(7, 3, 1998)), Entries{"3 19980310 -"});
    EXPECT_EQ(On(event, Date(6, 3, 1998)), Entries{});
    EXPECT_EQ(On(event, Date(10, 3, 1998)), Entries{"0 19980310 -"});
    EXPECT_EQ(On(event, Date(11, 3, 1998)), Entries{});
    EXPECT_EQ(On(event, Date(7, 3, 1998), false), Entries{});
}

TEST(OnceOffOccurrences, MultiDayEventsContinue) {
    TestEvent event(PeriodOnceOff, Date(10, 3, 1998), 2);
    event.SetEndDate(12, 3, 1998);
    EXPECT_EQ(On(event, Date(8, 3, 1998)), Entries{"2 19980310 19980312"});
    EXPECT_EQ(On(event, Date(10, 3, 1998)), Entries{"0 19980310 19980312"});
    EXPECT_EQ(On(event, Date(11, 3, 1998)), Entries{"0 19980311 19980312 continuing"});
    EXPECT_EQ(On(event, Date(12, 3, 1998)), Entries{"0 19980312 19980312 continuing"});
    EXPECT_EQ(On(event, Date(13, 3, 1998)), Entries{});
}

TEST(OnceOffOccurrences, AnEndEqualToTheStartIsAOneDayEvent) {
    TestEvent event(PeriodOnceOff, Date(10, 3, 1998));
    event.SetEndDate(10, 3, 1998);
    EXPECT_EQ(On(event, Date(10, 3, 1998)), Entries{"0 19980310 -"});
}

TEST(OccurrenceExpiry, NothingAfterTheExpiryDateButWarningsMayPointPastIt) {
    TestEvent event(PeriodWeekly, Date(2, 3, 1998), 7);  // a Monday
    event.SetRangeEndDate(30, 3, 1998);
    EXPECT_EQ(On(event, Date(2, 3, 1998), false), Entries{"0 19980302 -"});
    EXPECT_EQ(On(event, Date(30, 3, 1998), false), Entries{"0 19980330 -"});
    EXPECT_EQ(On(event, Date(6, 4, 1998), false), Entries{});
    EXPECT_EQ(On(event, Date(27, 3, 1998)), Entries{"3 19980330 -"});
    // Only the day asked is tested against the expiry date.
    EXPECT_EQ(On(event, Date(29, 3, 1998)), Entries{"1 19980330 -"});
    EXPECT_EQ(On(event, Date(30, 3, 1998)), (Entries{"0 19980330 -", "7 19980406 -"}));
    EXPECT_EQ(On(event, Date(31, 3, 1998)), Entries{});
}

TEST(SteppedOccurrences, WeeklyWarningsFindOnlyTheFirstComingDay) {
    TestEvent event(PeriodWeekly, Date(15, 3, 1998), 14);
    EXPECT_EQ(On(event, Date(1, 3, 1998)), Entries{"14 19980315 -"});
    EXPECT_EQ(On(event, Date(28, 2, 1998)), Entries{});
    EXPECT_EQ(On(event, Date(8, 3, 1998)), Entries{"7 19980315 -"});
    EXPECT_EQ(On(event, Date(15, 3, 1998)), (Entries{"0 19980315 -", "7 19980322 -"}));
    EXPECT_EQ(On(event, Date(16, 3, 1998)), Entries{"6 19980322 -"});
}

TEST(SteppedOccurrences, BiweeklyAndEveryNDays) {
    TestEvent biweekly(PeriodBiweekly, Date(2, 3, 1998));
    EXPECT_EQ(On(biweekly, Date(16, 3, 1998)), Entries{"0 19980316 -"});
    EXPECT_EQ(On(biweekly, Date(9, 3, 1998)), Entries{});
    EXPECT_EQ(On(biweekly, Date(2, 3, 1998)), Entries{"0 19980302 -"});
    EXPECT_EQ(On(biweekly, Date(16, 2, 1998)), Entries{});

    TestEvent daily(PeriodDaily, Date(1, 3, 1998), 2);
    daily.repeatDays = 3;
    for (int day : {1, 4, 7})
        EXPECT_EQ(On(daily, Date(day, 3, 1998), false).size(), 1u) << day;
    for (int day : {2, 3, 5, 6})
        EXPECT_EQ(On(daily, Date(day, 3, 1998), false).size(), 0u) << day;
    EXPECT_EQ(On(daily, Date(2, 3, 1998)), Entries{"2 19980304 -"});
    EXPECT_EQ(On(daily, Date(28, 2, 1998)), Entries{"1 19980301 -"});
}

TEST(SteppedOccurrences, RepeatDaysZeroNeverOccursAndNegativeActsAsPositive) {
    TestEvent daily(PeriodDaily, Date(1, 3, 1998), 5);
    daily.repeatDays = 0;
    EXPECT_EQ(On(daily, Date(1, 3, 1998)), Entries{});
    daily.repeatDays = -3;
    EXPECT_EQ(On(daily, Date(4, 3, 1998)), (Entries{"0 19980304 -", "3 19980307 -"}));
}

TEST(SteppedOccurrences, MultiDayOccurrencesShowTheirEndAndOnlyStartOnTheFirstDay) {
    TestEvent event(PeriodWeekly, Date(2, 3, 1998), 3);
    event.SetEndDate(4, 3, 1998);
    EXPECT_EQ(On(event, Date(9, 3, 1998)), Entries{"0 19980309 19980311"});
    EXPECT_EQ(On(event, Date(10, 3, 1998)), Entries{});
    EXPECT_EQ(On(event, Date(13, 3, 1998)), Entries{"3 19980316 19980318"});
}

TEST(SteppedOccurrences, OldWeeklyEventsUseTheWeekdayNumberInJanuary1900) {
    // Day 3 of January 1900 stands for Wednesday; day 0 for Sunday.
    TestEvent wednesday(PeriodWeekly, Date(3, 1, 1900));
    EXPECT_EQ(On(wednesday, Date(9, 12, 2026)).size(), 1u);
    EXPECT_EQ(On(wednesday, Date(8, 12, 2026)).size(), 0u);
    TestEvent sunday(PeriodWeekly, Date(0, 1, 1900));
    EXPECT_EQ(On(sunday, Date(6, 12, 2026)).size(), 1u);
    EXPECT_EQ(On(sunday, Date(7, 12, 2026)).size(), 0u);
}

TEST(SteppedOccurrences, NegativeWarningDaysGiveNoWarnings) {
    TestEvent event(PeriodWeekly, Date(2, 3, 1998), -3);
    EXPECT_EQ(On(event, Date(2, 3, 1998)), Entries{"0 19980302 -"});
    EXPECT_EQ(On(event, Date(1, 3, 1998)), Entries{});
}

TEST(YearlyOccurrences, AnniversariesAndUnknownYears) {
    TestEvent birthday(PeriodYearly, Date(5, 5, 1960), 3);
    birthday.SetTypeName("Birthday");
    std::vector<OccurrenceEntry> entries = Occurrences(birthday, Date(5, 5, 1998), true);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(AnniversaryYears(birthday, entries[0].occurrenceDate), 38);
    EXPECT_EQ(On(birthday, Date(5, 5, 1959)), Entries{});
    EXPECT_EQ(On(birthday, Date(3, 5, 1959)), Entries{});
    EXPECT_EQ(On(birthday, Date(3, 5, 1998)), Entries{"2 19980505 -"});
    entries = Occurrences(birthday, Date(5, 5, 1960), true);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(AnniversaryYears(birthday, entries[0].occurrenceDate), std::nullopt);

    birthday.startDate.year = 1900;
    entries = Occurrences(birthday, Date(5, 5, 1998), true);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(AnniversaryYears(birthday, entries[0].occurrenceDate), std::nullopt);

    birthday.startDate.year = 0;
    EXPECT_EQ(On(birthday, Date(5, 5, 1901)), Entries{"0 19010505 -"});
    entries = Occurrences(birthday, Date(5, 5, 1998), true);
    EXPECT_EQ(AnniversaryYears(birthday, entries[0].occurrenceDate), std::nullopt);
}

TEST(YearlyOccurrences, WarningsCountTheOccurrenceYearNotTheViewingYear) {
    TestEvent birthday(PeriodYearly, Date(2, 1, 1960), 10);
    std::vector<OccurrenceEntry> entries = Occurrences(birthday, Date(28, 12, 1998), true);
    EXPECT_TRUE(entries.empty());  // only this year's occurrence warns
    birthday.startDate = Date(30, 12, 1960);
    entries = Occurrences(birthday, Date(28, 12, 1998), true);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].daysAhead, 2);
    EXPECT_EQ(AnniversaryYears(birthday, entries[0].occurrenceDate), 38);
}

TEST(YearlyOccurrences, SpansOverNewYearKeepTheirLength) {
    TestEvent event(PeriodYearly, Date(30, 12, 1997));
    event.SetEndDate(2, 1, 1998);
    EXPECT_EQ(On(event, Date(30, 12, 1998)), Entries{"0 19981230 19990102"});
    EXPECT_EQ(On(event, Date(31, 12, 1998)), Entries{"0 19981231 19990102 continuing"});
    // Early January belongs to the occurrence that starts that December.
    EXPECT_EQ(On(event, Date(1, 1, 1999)), Entries{});
}

TEST(YearlyOccurrences, TheTwentyNinthOfFebruaryFallsOnTheFirstOfMarchInCommonYears) {
    TestEvent event(PeriodYearly, Date(29, 2, 1996), 1);
    EXPECT_EQ(On(event, Date(1, 3, 1999), false), Entries{"0 19990301 -"});
    EXPECT_EQ(On(event, Date(28, 2, 1999), false), Entries{});
    EXPECT_EQ(On(event, Date(29, 2, 2000), false), Entries{"0 20000229 -"});
    EXPECT_EQ(On(event, Date(28, 2, 1999)), Entries{"1 19990229 -"});
}

TEST(MonthlyByDayOccurrences, OccurInEveryMonthThatHasTheDay) {
    TestEvent event(PeriodMonthlyByDay, Date(31, 1, 1998), 2);
    EXPECT_EQ(On(event, Date(30, 4, 1998), false), Entries{});
    EXPECT_EQ(On(event, Date(31, 5, 1998), false), Entries{"0 19980531 -"});
    // The days before a missing 31st still warn about it, dated as computed.
    EXPECT_EQ(On(event, Date(29, 4, 1998)), Entries{"2 19980431 -"});
    // Monthly events occur before their start date too.
    EXPECT_EQ(On(event, Date(31, 12, 1997), false), Entries{"0 19971231 -"});
    // Only the occurrence in the viewing month warns.
    TestEvent second(PeriodMonthlyByDay, Date(2, 1, 1998), 5);
    EXPECT_EQ(On(second, Date(29, 1, 1998)), Entries{});
    EXPECT_EQ(On(second, Date(1, 2, 1998)), Entries{"1 19980202 -"});
}

TEST(MonthlyByDayOccurrences, SpansIntoTheNextMonthAndOverNewYear) {
    TestEvent event(PeriodMonthlyByDay, Date(30, 1, 1998));
    event.SetEndDate(2, 2, 1998);
    EXPECT_EQ(On(event, Date(30, 3, 1998)), Entries{"0 19980330 19980402"});
    EXPECT_EQ(On(event, Date(30, 12, 1998)), Entries{"0 19981230 19990102"});
    EXPECT_EQ(On(event, Date(31, 12, 1998)), Entries{"0 19981231 19990102 continuing"});

    // Starting in December and ending in January: one month later, not
    // eleven months earlier.
    TestEvent december(PeriodMonthlyByDay, Date(30, 12, 1997));
    december.SetEndDate(2, 1, 1998);
    EXPECT_EQ(On(december, Date(30, 3, 1998)), Entries{"0 19980330 19980402"});
    EXPECT_EQ(On(december, Date(31, 3, 1998)), Entries{"0 19980331 19980402 continuing"});
    EXPECT_EQ(On(december, Date(30, 12, 1998)), Entries{"0 19981230 19990102"});
}

TEST(MonthlyByPositionOccurrences, NthWeekdayOfEveryMonthOrOneMonth) {
    TestEvent event(PeriodMonthlyByPosition, Date());
    event.SetMonthlyPosition(2, 3, 0);  // second Tuesday
    EXPECT_EQ(On(event, Date(10, 3, 1998)), Entries{"0 19980310 -"});
    EXPECT_EQ(On(event, Date(14, 4, 1998)), Entries{"0 19980414 -"});
    EXPECT_EQ(On(event, Date(3, 3, 1998)), Entries{});
    EXPECT_EQ(On(event, Date(17, 3, 1998)), Entries{});
    event.monthlyPosition.monthSel = 4;
    EXPECT_EQ(On(event, Date(10, 3, 1998)), Entries{});
    EXPECT_EQ(On(event, Date(14, 4, 1998)), Entries{"0 19980414 -"});
}

TEST(MonthlyByPositionOccurrences, FifthWeekdaysOnlyInMonthsThatHaveThem) {
    TestEvent event(PeriodMonthlyByPosition, Date());
    event.SetMonthlyPosition(5, 3, 0);  // fifth Tuesday
    EXPECT_EQ(On(event, Date(31, 3, 1998)), Entries{"0 19980331 -"});
    // May 1998 has four Tuesdays; June has five.
    event.warningDays = 89;
    EXPECT_EQ(On(event, Date(1, 4, 1998)), Entries{});
    event.warningDays = 90;
    EXPECT_EQ(On(event, Date(1, 4, 1998)), Entries{"90 19980630 -"});
}

TEST(MonthlyByPositionOccurrences, LongWindowsGiveSeveralWarningsAndNegativeOnesNothing) {
    TestEvent event(PeriodMonthlyByPosition, Date(1, 1, 2010));
    event.SetMonthlyPosition(1, 2, 0);  // first Monday
    event.warningDays = 40;
    EXPECT_EQ(On(event, Date(2, 3, 1998)), (Entries{"0 19980302 -", "35 19980406 -"}));
    EXPECT_EQ(On(event, Date(2, 3, 1998), false), Entries{"0 19980302 -"});
    event.warningDays = -1;
    EXPECT_EQ(On(event, Date(2, 3, 1998)), Entries{});
    EXPECT_EQ(On(event, Date(2, 3, 1998), false), Entries{"0 19980302 -"});
}

TEST(MonthlyByDayOccurrences, SpansStayInTheirMonthUpToTheStartDate) {
    // The stretch into the next month applies only after the start date.
    TestEvent event(PeriodMonthlyByDay, Date(30, 6, 1998), 3);
    event.SetEndDate(2, 7, 1998);
    EXPECT_EQ(On(event, Date(30, 3, 1998)), Entries{"0 19980330 19980302"});
    EXPECT_EQ(On(event, Date(30, 8, 1998)), Entries{"0 19980830 19980902"});
    EXPECT_EQ(On(event, Date(27, 8, 1998)), Entries{"3 19980830 19980902"});
}

TEST(YearlyOccurrences, UnknownStartYearsSpanWithinTheViewingYear) {
    TestEvent event(PeriodYearly, Date(10, 3, 0));
    event.SetEndDate(12, 3, 0);
    EXPECT_EQ(On(event, Date(11, 3, 1998)), Entries{"0 19980311 19980312 continuing"});
}

TEST(DamagedEvents, ExtremeFieldsGiveNoEntriesAndNoOverflow) {
    TestEvent position(PeriodMonthlyByPosition, Date(), 40);
    position.SetMonthlyPosition(613566758, 3, 0);  // 7 * (n - 1) would wrap to 3
    EXPECT_EQ(On(position, Date(6, 3, 1998)), Entries{});
    position.SetMonthlyPosition(6, 3, 0);
    EXPECT_EQ(On(position, Date(6, 3, 1998)), Entries{});

    TestEvent yearly(PeriodYearly, Date(1, 1, 1900));
    yearly.SetEndDate(2, 2, INT32_MAX - 10);
    EXPECT_EQ(On(yearly, Date(1, 1, 1998)).size(), 1u);

    TestEvent monthly(PeriodMonthlyByDay, Date(1, 1, 1900));
    monthly.SetEndDate(2, 2, INT32_MAX - 10);
    EXPECT_EQ(On(monthly, Date(1, 3, 1998)).size(), 1u);
    monthly.SetEndDate(2, 2, INT32_MIN + 10);
    EXPECT_EQ(On(monthly, Date(1, 3, 1998)).size(), 1u);
}

TEST(ListOccurrences, EachEventInListOrderWithItsOwnExpiry) {
    Eventlist list;
    EventNode* weekly = list.Add();
    weekly->period = PeriodWeekly;
    weekly->startDate = Date(2, 3, 1998);
    weekly->SetDescription("weekly");
    EventNode* expired = list.Add();
    expired->period = PeriodWeekly;
    expired->startDate = Date(2, 3, 1998);
    expired->rangeEndDate = Date(8, 3, 1998);
    EventNode* once = list.Add();
    once->period = PeriodOnceOff;
    once->startDate = Date(11, 3, 1998);
    once->warningDays = 2;

    std::vector<OccurrenceEntry> entries{OccurrenceEntry{}};  // appended to, not replaced
    AppendOccurrences(list, Date(9, 3, 1998), true, entries);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[1].event, weekly);
    EXPECT_EQ(entries[1].daysAhead, 0);
    EXPECT_EQ(entries[2].event, once);
    EXPECT_EQ(entries[2].daysAhead, 2);

    entries.clear();
    AppendOccurrences(list, Date(2, 3, 1998), false, entries);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].event, weekly);
    EXPECT_EQ(entries[1].event, expired);
}

TEST(UnknownPeriods, NeverOccur) {
    for (int32_t period : {0, 8, -1, 1000}) {
        TestEvent event(period, Date(2, 3, 1998), 10);
        EXPECT_EQ(On(event, Date(2, 3, 1998)), Entries{}) << period;
    }
}

// The rules for stepped and by-position events, written day by day as
// plainly as possible, to check the faster searches against.
Entries ReferenceStepped(const EventNode& e, const Date& day, bool withWarnings, int64_t step) {
    Entries shown;
    int64_t s = e.startDate.DayNumber();
    auto occurs = [&](int64_t x) { return step != 0 && x >= s && (x - s) % step == 0; };
    auto entry = [&](int k) {
        Date date = day;
        date.AddDays(k);
        return std::to_string(k) + " " + Show(date) + " -";
    };
    if (occurs(day.DayNumber()))
        shown.push_back(entry(0));
    for (int k = 1; withWarnings && k <= e.warningDays; ++k) {
        if (occurs(day.DayNumber() + k)) {
            shown.push_back(entry(k));
            break;
        }
    }
    return shown;
}

Entries ReferenceByPosition(const EventNode& e, const Date& day, bool withWarnings) {
    Entries shown;
    const MonthlyPosition& p = e.monthlyPosition;
    for (int k = 0; k <= (withWarnings ? e.warningDays : 0); ++k) {
        Date x = day;
        x.AddDays(k);
        if ((p.monthSel == 0 || p.monthSel == x.month) && x.DayOfWeek() == p.weekday - 1 &&
            (p.weekOrdinal - 1) * 7 < x.day && x.day <= p.weekOrdinal * 7)
            shown.push_back(std::to_string(k) + " " + Show(x) + " -");
    }
    return shown;
}

TEST(OccurrenceSearches, AgreeWithADayByDayReading) {
    std::mt19937 random(1998);
    auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    for (int i = 0; i < 20000; ++i) {
        Date day(pick(1, 28), pick(1, 12), pick(1990, 2010));
        bool withWarnings = pick(0, 1) == 1;
        TestEvent event(PeriodMonthlyByPosition, Date(pick(1, 28), pick(1, 12), pick(1985, 2012)),
                        pick(-2, 120));
        event.SetMonthlyPosition(pick(0, 6), pick(0, 8), pick(0, 12) * pick(0, 1));
        ASSERT_EQ(On(event, day, withWarnings), ReferenceByPosition(event, day, withWarnings)) << i;

        const int32_t stepped[] = {PeriodWeekly, PeriodBiweekly, PeriodDaily};
        event.period = stepped[pick(0, 2)];
        event.repeatDays = pick(-20, 40);
        int64_t step = event.period == PeriodWeekly     ? 7
                       : event.period == PeriodBiweekly ? 14
                                                        : std::abs(event.repeatDays);
        ASSERT_EQ(On(event, day, withWarnings), ReferenceStepped(event, day, withWarnings, step)) << i;
    }
}

}  // namespace
}  // namespace vorlen
