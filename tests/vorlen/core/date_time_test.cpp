#include "vorlen/core/date_time.h"

#include "../support/time_zone_guard.h"
#include "date_settings_guard.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <random>
#include <string>

namespace vorlen {
namespace {

using test::DateSettingsGuard;

using test::TimeZoneGuard;

TEST(DateCalendar, LeapYearsFollowTheGregorianRule) {
    EXPECT_TRUE(Date::IsLeapYear(2000));
    EXPECT_TRUE(Date::IsLeapYear(1996));
    EXPECT_FALSE(Date::IsLeapYear(1900));
    EXPECT_FALSE(Date::IsLeapYear(2100));
    EXPECT_FALSE(Date::IsLeapYear(1999));
    EXPECT_EQ(Date::LeapYearsBetween(1900, 2000), 24);  // 1904..1996
    EXPECT_EQ(Date::LeapYearsBetween(2001, 1900), 25);  // order does not matter, 2000 counts
    EXPECT_EQ(Date::LeapYearsBetween(1996, 1996), 0);
}

TEST(DateCalendar, ValidityCoversTheSupportedRange) {
    EXPECT_TRUE(Date(29, 2, 2000).IsValid());
    EXPECT_FALSE(Date(29, 2, 1900).IsValid());
    EXPECT_FALSE(Date(29, 2, 2100).IsValid());
    EXPECT_TRUE(Date(31, 12, 3000).IsValid());
    EXPECT_FALSE(Date(1, 1, 3001).IsValid());
    EXPECT_FALSE(Date(31, 12, 1899).IsValid());
    EXPECT_FALSE(Date(31, 4, 1998).IsValid());
    EXPECT_FALSE(Date(0, 1, 1998).IsValid());
    EXPECT_FALSE(Date(1, 13, 1998).IsValid());
    EXPECT_FALSE(Date().IsValid());
    EXPECT_TRUE(Date().IsEmpty());
}

TEST(DateCalendar, DayNumbersStartOnMondayTheFirstOfJanuary1900) {
    EXPECT_EQ(Date(1, 1, 1900).DayNumber(), 1u);
    EXPECT_EQ(Date(1, 1, 1900).DayOfWeek(), 1);
    EXPECT_STREQ(Date(1, 1, 1900).DayName(), "Monday");
    EXPECT_EQ(Date(1, 1, 1901).DayNumber(), 366u);
    EXPECT_EQ(Date(1, 3, 2000).DayNumber() - Date(28, 2, 2000).DayNumber(), 2u);
    EXPECT_EQ(Date(1, 3, 1999).DayNumber() - Date(28, 2, 1999).DayNumber(), 1u);
    EXPECT_STREQ(Date(2, 3, 1998).DayName(), "Monday");
    EXPECT_STREQ(Date(8, 12, 2026).ShortDayName(), "Tu");
    EXPECT_STREQ(Date(31, 12, 3000).DayName(), "Wednesday");
    // 29 February of a common year is 1 March by number.
    EXPECT_EQ(Date(29, 2, 1999).DayNumber(), Date(1, 3, 1999).DayNumber());
    EXPECT_TRUE(Date(29, 2, 1999) == Date(1, 3, 1999));
    EXPECT_TRUE(Date(1, 3, 1999) != Date(2, 3, 1999));
    // Day 0 of January 1900 is the Sunday before it.
    EXPECT_EQ(Date(0, 1, 1900).DayNumber(), 0u);
}

TEST(DateCalendar, DayNumbersAgreeWithTheCLibraryOverTheWholeRange) {
    for (int year = 1900; year <= 3000; year += 7) {
        for (int month = 1; month <= 12; ++month) {
            std::tm tm{};
            tm.tm_year = year - 1900;
            tm.tm_mon = month - 1;
            tm.tm_mday = 15;
            time_t t = timegm(&tm);
            int64_t expected = t / 86400 + 25568;  // 1970-01-01 is day 25568
            ASSERT_EQ(Date(15, month, year).DayNumber(), static_cast<uint32_t>(expected))
                << year << "-" << month;
            ASSERT_EQ(Date(15, month, year).DayOfWeek(), tm.tm_wday) << year << "-" << month;
        }
    }
}

TEST(DateCalendar, NameTablesAreShownAsWritten) {
    EXPECT_STREQ(Date(1, 2, 1998).MonthName(), "Feburary");
    EXPECT_STREQ(Date(1, 1, 1998).MonthName(), "January");
    EXPECT_STREQ(Date(1, 12, 1998).MonthName(), "December");
    EXPECT_STREQ(shortDayNames[0], "Su");
    EXPECT_STREQ(dayNames[6], "Saturday");
    EXPECT_EQ(Date(1, 2, 1998).DaysInMonth(), 28);
    EXPECT_EQ(Date(1, 2, 2000).DaysInMonth(), 29);
    EXPECT_EQ(Date(1, 4, 2000).DaysInMonth(), 30);
}

TEST(DateCalendar, DamagedMonthsNeverReadOutsideTheTables) {
    EXPECT_STREQ(Date(1, 0, 1998).MonthName(), "January");
    EXPECT_STREQ(Date(1, 99, 1998).MonthName(), "December");
    EXPECT_EQ(Date(1, 13, 1998).DayNumber(), Date(1, 1, 1999).DayNumber());
    EXPECT_EQ(Date(1, 0, 1998).DayNumber(), Date(1, 1, 1998).DayNumber());
}

TEST(DateAddDays, StepsAcrossMonthAndYearEnds) {
    Date d(31, 12, 1999);
    d.AddDays(1);
    EXPECT_EQ(d.day, 1);
    EXPECT_EQ(d.month, 1);
    EXPECT_EQ(d.year, 2000);

    d = Date(1, 3, 2000);
    d.AddDays(-1);
    EXPECT_EQ(d.day, 29);
    EXPECT_EQ(d.month, 2);

    d = Date(1, 1, 2000);
    d.AddDays(-1);
    EXPECT_EQ(d.day, 31);
    EXPECT_EQ(d.month, 12);
    EXPECT_EQ(d.year, 1999);

    d = Date(15, 6, 1998);
    d.AddDays(0);
    EXPECT_EQ(d.day, 15);
}

TEST(DateAddDays, MovesByExactlyNDaysForAnyDistance) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> years(1900, 2999), months(1, 12), days(1, 28);
    std::uniform_int_distribution<int> shifts(-300000, 300000);
    for (int i = 0; i < 5000; ++i) {
        Date d(days(random), months(random), years(random));
        int n = shifts(random);
        int64_t expected = static_cast<int64_t>(d.DayNumber()) + n;
        if (expected < 1 || expected > Date(31, 12, 3000).DayNumber())
            continue;
        d.AddDays(n);
        ASSERT_TRUE(d.IsValid());
        ASSERT_EQ(static_cast<int64_t>(d.DayNumber()), expected);
    }
}

TEST(TimeArithmetic, AddMinutesCarriesDaysBothWays) {
    Time t(23, 45);
    EXPECT_EQ(t.AddMinutes(30), 1);
    EXPECT_EQ(t.hour, 0);
    EXPECT_EQ(t.minute, 15);

    t = Time(0, 10);
    EXPECT_EQ(t.AddMinutes(-30), -1);
    EXPECT_EQ(t.hour, 23);
    EXPECT_EQ(t.minute, 40);

    t = Time(10, 0);
    EXPECT_EQ(t.AddMinutes(3 * 24 * 60 + 5), 3);
    EXPECT_EQ(t.hour, 10);
    EXPECT_EQ(t.minute, 5);

    t = Time(10, 0);
    EXPECT_EQ(t.AddMinutes(0), 0);
    EXPECT_EQ(Time(9, 30).MinutesUntil(8, 45), -45);
    EXPECT_EQ(Time(9, 30).MinutesUntil(11, 0), 90);
}

// The clock rule taken literally, one hour at a time; only for values
// where it comes to an end.
int32_t ReferenceAddMinutes(Time& t, int32_t n) {
    int32_t carried = 0;
    t.minute += n;
    while (t.minute < 0 || t.minute > 59) {
        if (n >= 1) {
            t.minute -= 60;
            if (++t.hour == 24) {
                t.hour = 0;
                ++carried;
            }
        } else {
            t.minute += 60;
            if (--t.hour < 0) {
                t.hour = 23;
                --carried;
            }
        }
    }
    return carried;
}

TEST(TimeArithmetic, AddMinutesFollowsTheClockRuleForEveryStart) {
    std::mt19937 random(11);
    std::uniform_int_distribution<int> hours(-1, 23), minutes(-1, 59), shifts(-20000, 20000);
    for (int i = 0; i < 20000; ++i) {
        Time start(hours(random), minutes(random));
        int n = shifts(random);
        if (start.minute + n < 0 && n >= 1)
            continue;  // the literal rule would never end
        Time expected = start;
        int32_t expectedCarry = ReferenceAddMinutes(expected, n);
        Time actual = start;
        ASSERT_EQ(actual.AddMinutes(n), expectedCarry) << start.hour << ":" << start.minute << " + " << n;
        ASSERT_EQ(actual.hour, expected.hour);
        ASSERT_EQ(actual.minute, expected.minute);
    }
    Time none;
    EXPECT_EQ(none.AddMinutes(0), -1);  // no time, as the clock rule has it
    EXPECT_EQ(none.hour, 23);
    EXPECT_EQ(none.minute, 59);
}

TEST(TimeArithmetic, DamagedMinutesEndQuicklyWithoutOverflow) {
    Time t(10, 75);
    EXPECT_EQ(t.AddMinutes(-5), 0);
    EXPECT_EQ(t.hour, 11);
    EXPECT_EQ(t.minute, 10);

    t = Time(10, INT32_MAX - 5);
    int32_t carried = t.AddMinutes(-10);
    EXPECT_GE(t.minute, 0);
    EXPECT_LE(t.minute, 59);
    EXPECT_GT(carried, 1000000);

    t = Time(10, INT32_MIN + 5);
    carried = t.AddMinutes(INT32_MAX);
    EXPECT_GE(t.minute, 0);
    EXPECT_LE(t.minute, 59);
    EXPECT_EQ(carried, 0);
}

TEST(TimeArithmetic, DateTimeMovesTheDateWithTheCarry) {
    DateTime value(Date(31, 12, 1999), Time(23, 45));
    value.AddMinutes(30);
    EXPECT_EQ(value.date.day, 1);
    EXPECT_EQ(value.date.year, 2000);
    EXPECT_EQ(value.time.minute, 15);
    value.AddMinutes(-30);
    EXPECT_EQ(value.date.day, 31);
    EXPECT_EQ(value.date.month, 12);
    EXPECT_EQ(value.time.hour, 23);
}

TEST(TimeValidity, OutOfRangeValuesAreNoTime) {
    EXPECT_FALSE(Time().IsValid());
    EXPECT_TRUE(Time(0, 0).IsValid());
    EXPECT_TRUE(Time(23, 59).IsValid());
    EXPECT_FALSE(Time(24, 0).IsValid());
    EXPECT_FALSE(Time(12, 60).IsValid());
}

TEST(DateText, NumericFormsFollowTheDateOrder) {
    Date d(2, 3, 1998);
    {
        DateSettingsGuard settings(1, '/', 0);
        EXPECT_EQ(d.Text(), "02/03/1998");
        EXPECT_EQ(d.WeekdayText(), "Mo 02/03/1998");
        EXPECT_EQ(d.DayMonthText(), "02/03");
    }
    {
        DateSettingsGuard settings(0, '-', 0);
        EXPECT_EQ(d.Text(), "03-02-1998");
        EXPECT_EQ(d.WeekdayText(), "Mo 03-02-1998");
        EXPECT_EQ(d.DayMonthText(), "03-02");
    }
    {
        DateSettingsGuard settings(2, '.', 0);
        EXPECT_EQ(d.Text(), "1998.03.02");
        EXPECT_EQ(d.WeekdayText(), "Mo 1998.03.02");
        EXPECT_EQ(d.DayMonthText(), "03.02");
    }
    EXPECT_EQ(d.YearText(), "1998");
    EXPECT_EQ(d.CompactText(), "19980302");
    EXPECT_EQ(Date().CompactText(), "00000000");
}

TEST(TimeText, TwelveAndTwentyFourHourClocks) {
    {
        DateSettingsGuard settings(1, '/', 0);
        EXPECT_EQ(Time(0, 5).Text(), "12:05 am");
        EXPECT_EQ(Time(12, 0).Text(), "12:00 pm");
        EXPECT_EQ(Time(12, 30).Text(), "12:30 pm");
        EXPECT_EQ(Time(13, 15).Text(), "01:15 pm");
        EXPECT_EQ(Time(23, 59).Text(), "11:59 pm");
        EXPECT_EQ(Time(11, 59).Text(), "11:59 am");
    }
    {
        DateSettingsGuard settings(1, '/', 1);
        EXPECT_EQ(Time(9, 7).Text(), "09:07");
        EXPECT_EQ(Time(23, 59).Text(), "23:59");
        EXPECT_EQ(Time(10, 75).Text(), "10:59");
    }
}

TEST(TimeText, VCalendarForms) {
    EXPECT_EQ(Time().VCalText(), "T000000");
    EXPECT_EQ(Time(14, 30).VCalText(), "T143000");
    EXPECT_EQ(Time(0, 0).VCalText(), "T000000");
    EXPECT_EQ(Time(24, 0).VCalText(), "T000000");
}

struct ParsedDate {
    bool ok;
    int day, month, year;
};

ParsedDate ParseDate(int order, const std::string& text, int referenceYear = 2026) {
    DateSettingsGuard settings(order, '/', 0);
    Date d;
    bool ok = d.Parse(text, referenceYear);
    return {ok, d.day, d.month, d.year};
}

TEST(DateParse, DayFirstOrder) {
    ParsedDate p = ParseDate(1, "7/3/98");
    EXPECT_TRUE(p.ok);
    EXPECT_EQ(p.day, 7);
    EXPECT_EQ(p.month, 3);
    EXPECT_EQ(p.year, 2098);

    p = ParseDate(1, "7/3/98", 1998);
    EXPECT_TRUE(p.ok);
    EXPECT_EQ(p.year, 1998);
    // 1999 is the first year that reads two digits into the next century.
    EXPECT_EQ(ParseDate(1, "7/3/98", 1999).year, 2098);

    p = ParseDate(1, "07.03.1998");
    EXPECT_TRUE(p.ok);
    EXPECT_EQ(p.day, 7);
    EXPECT_EQ(p.year, 1998);

    p = ParseDate(1, "Mo 07/03/1998");
    EXPECT_TRUE(p.ok);
    EXPECT_EQ(p.day, 7);
    EXPECT_EQ(p.month, 3);

    p = ParseDate(1, "07-3-2099");
    EXPECT_TRUE(p.ok);
    EXPECT_EQ(p.year, 2099);

    EXPECT_FALSE(ParseDate(1, "07/03/2100").ok);
    EXPECT_FALSE(ParseDate(1, "07/03/1899").ok);
    EXPECT_FALSE(ParseDate(1, "07/03/199").ok);
    EXPECT_FALSE(ParseDate(1, "07/03/9").ok);
    EXPECT_FALSE(ParseDate(1, "107/03/98").ok);
    EXPECT_FALSE(ParseDate(1, "07 03 98").ok);
    EXPECT_FALSE(ParseDate(1, "").ok);
    EXPECT_FALSE(ParseDate(1, "Monday 07/03/98").ok);
}

TEST(DateParse, MonthFirstOrderSwapsTheFirstTwoParts) {
    ParsedDate p = ParseDate(0, "3/7/1998");
    EXPECT_TRUE(p.ok);
    EXPECT_EQ(p.month, 3);
    EXPECT_EQ(p.day, 7);
    EXPECT_EQ(p.year, 1998);
}

TEST(DateParse, YearFirstOrderNeedsFourDigitYearsAndTwoDigitDays) {
    ParsedDate p = ParseDate(2, "1998/3/07");
    EXPECT_TRUE(p.ok);
    EXPECT_EQ(p.year, 1998);
    EXPECT_EQ(p.month, 3);
    EXPECT_EQ(p.day, 7);
    EXPECT_FALSE(ParseDate(2, "98/03/07").ok);
    EXPECT_FALSE(ParseDate(2, "1998/03/7").ok);
    EXPECT_FALSE(ParseDate(2, "2100/03/07").ok);
    EXPECT_FALSE(ParseDate(2, "1998 03 07").ok);
}

TEST(DateParse, RangesAreLeftToTheCaller) {
    ParsedDate p = ParseDate(1, "31/02/1998");
    EXPECT_TRUE(p.ok);
    EXPECT_FALSE(Date(p.day, p.month, p.year).IsValid());
    p = ParseDate(1, "01/13/1998");
    EXPECT_TRUE(p.ok);
    EXPECT_EQ(p.month, 13);
}

struct ParsedTime {
    bool ok;
    int hour, minute;
};

ParsedTime ParseTime(const std::string& text) {
    Time t;
    bool ok = t.Parse(text);
    return {ok, t.hour, t.minute};
}

TEST(TimeParse, TwentyFourHourAndAmPmForms) {
    ParsedTime t = ParseTime("9:30 pm");
    EXPECT_TRUE(t.ok);
    EXPECT_EQ(t.hour, 21);
    EXPECT_EQ(t.minute, 30);

    t = ParseTime("12:15 am");
    EXPECT_TRUE(t.ok);
    EXPECT_EQ(t.hour, 0);

    t = ParseTime("12:15 pm");
    EXPECT_TRUE(t.ok);
    EXPECT_EQ(t.hour, 12);

    t = ParseTime("9:30");
    EXPECT_TRUE(t.ok);
    EXPECT_EQ(t.hour, 9);
    EXPECT_EQ(t.minute, 30);

    t = ParseTime("09:30PM");
    EXPECT_TRUE(t.ok);
    EXPECT_EQ(t.hour, 21);

    t = ParseTime("9:30 a");
    EXPECT_TRUE(t.ok);
    EXPECT_EQ(t.hour, 9);

    t = ParseTime("12:00 noon");
    EXPECT_TRUE(t.ok);
    EXPECT_EQ(t.hour, 12);

    t = ParseTime("25:61");
    EXPECT_TRUE(t.ok);
    EXPECT_FALSE(Time(t.hour, t.minute).IsValid());

    EXPECT_FALSE(ParseTime("9:3").ok);
    EXPECT_FALSE(ParseTime("13:00 pm").ok);
    EXPECT_FALSE(ParseTime("9:30 x").ok);
    EXPECT_FALSE(ParseTime("930").ok);
    EXPECT_FALSE(ParseTime("").ok);
    EXPECT_FALSE(ParseTime(":30").ok);
}

TEST(VCalParse, ReadsBasicDateTimes) {
    TimeZoneGuard zone("UTC");
    DateTime v;
    EXPECT_TRUE(v.ParseVCal("19980302T1430"));
    EXPECT_EQ(v.date.year, 1998);
    EXPECT_EQ(v.date.month, 3);
    EXPECT_EQ(v.date.day, 2);
    EXPECT_EQ(v.time.hour, 14);
    EXPECT_EQ(v.time.minute, 30);

    EXPECT_TRUE(v.ParseVCal("20261208T235959"));
    EXPECT_EQ(v.time.minute, 59);

    EXPECT_FALSE(DateTime().ParseVCal("19000101T000000"));
    EXPECT_FALSE(DateTime().ParseVCal("19981302T143000"));
    EXPECT_FALSE(DateTime().ParseVCal("19980300T143000"));
    EXPECT_FALSE(DateTime().ParseVCal("19980332T143000"));
    EXPECT_FALSE(DateTime().ParseVCal("19980302T243000"));
    EXPECT_FALSE(DateTime().ParseVCal("19980302T146000"));
    EXPECT_FALSE(DateTime().ParseVCal("19980302 143000"));
    EXPECT_FALSE(DateTime().ParseVCal("19980302T14"));
    EXPECT_FALSE(DateTime().ParseVCal("1998030"));
    EXPECT_FALSE(DateTime().ParseVCal("1998x302T143000"));
}

TEST(VCalParse, FailedChecksKeepTheFieldsReadSoFar) {
    DateTime v;
    EXPECT_FALSE(v.ParseVCal("19981302T143000"));
    EXPECT_EQ(v.date.year, 1998);
    EXPECT_EQ(v.date.month, 13);
    EXPECT_EQ(v.date.day, 0);

    DateTime cut;
    EXPECT_FALSE(cut.ParseVCal("19980302T14"));
    EXPECT_EQ(cut.date.day, 2);
    EXPECT_EQ(cut.time.hour, 14);
    EXPECT_EQ(cut.time.minute, -1);
}

TEST(TimeZoneShift, UsesTheOffsetInForceIncludingDaylightSaving) {
    TimeZoneGuard zone("Europe/London");
    DateTime winter(Date(2, 1, 1998), Time(14, 30));
    EXPECT_EQ(winter.VCalUtcText(), "19980102T143000Z");
    DateTime summer(Date(2, 7, 1998), Time(14, 30));
    EXPECT_EQ(summer.VCalUtcText(), "19980702T133000Z");
    EXPECT_EQ(summer.time.hour, 14);  // the value itself is unchanged

    DateTime parsed;
    ASSERT_TRUE(parsed.ParseVCal("19980702T133000Z"));
    EXPECT_EQ(parsed.time.hour, 14);
    EXPECT_EQ(parsed.time.minute, 30);
    ASSERT_TRUE(parsed.ParseVCal("19980102T133000Z"));
    EXPECT_EQ(parsed.time.hour, 13);
}

TEST(TimeZoneShift, CarriesIntoTheNeighbouringDay) {
    TimeZoneGuard zone("America/New_York");
    DateTime late(Date(31, 12, 1998), Time(22, 0));
    EXPECT_EQ(late.VCalUtcText(), "19990101T030000Z");
    DateTime summerLate(Date(15, 7, 2026), Time(21, 30));
    EXPECT_EQ(summerLate.VCalUtcText(), "20260716T013000Z");

    DateTime parsed;
    ASSERT_TRUE(parsed.ParseVCal("19990101T030000Z"));
    EXPECT_EQ(parsed.date.day, 31);
    EXPECT_EQ(parsed.date.year, 1998);
    EXPECT_EQ(parsed.time.hour, 22);
}

TEST(TimeZoneShift, EastOfGreenwichShiftsBackwards) {
    TimeZoneGuard zone("Asia/Tokyo");
    DateTime morning(Date(1, 1, 2000), Time(8, 0));
    EXPECT_EQ(morning.VCalUtcText(), "19991231T230000Z");
    DateTime utc = morning;
    utc.ToUtc();
    utc.FromUtc();
    EXPECT_EQ(utc.date.day, 1);
    EXPECT_EQ(utc.time.hour, 8);
}

TEST(TimeZoneShift, ValuesWithoutATimeAreNotShifted) {
    TimeZoneGuard zone("America/New_York");
    DateTime allDay(Date(2, 3, 1998), Time());
    EXPECT_EQ(allDay.VCalUtcText(), "19980302T000000Z");
}

}  // namespace
}  // namespace vorlen
