// Calendar days, times of day and the two together, with Gregorian
// arithmetic and every text form the program shows or writes. Texts are
// Windows-1252 byte strings.
#pragma once

#include <cstdint>
#include <string>

namespace vorlen {

// Process-wide text settings, replaced from the user's locale at start-up.
extern int dateOrder;       // 0 month-day-year, 1 day-month-year, 2 year-month-day
extern char dateSeparator;  // separator of the short numeric date
extern int time24Hour;      // 0 12-hour clock with am/pm, 1 24-hour clock

// Replaces the three settings above with the user's locale's (start-up).
void ReadDateSettingsFromLocale();

// Stored in this field order (12 bytes) in the data file. All zeros is the
// "no date" value.
struct Date {
    int32_t day = 0;
    int32_t month = 0;
    int32_t year = 0;

    Date() = default;
    Date(int32_t d, int32_t m, int32_t y) : day(d), month(m), year(y) {}

    static Date Today();
    void SetToday() { *this = Today(); }

    bool IsEmpty() const { return day == 0 && month == 0; }
    bool IsValid() const;
    static bool IsLeapYear(int32_t year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }
    static int32_t LeapYearsBetween(int32_t a, int32_t b);
    // A month outside 1-12 has the length of the nearest real one.
    int32_t DaysInMonth() const {
        constexpr int32_t lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        return lengths[month < 1 ? 0 : (month > 12 ? 11 : month - 1)] +
               (month == 2 && IsLeapYear(year) ? 1 : 0);
    }

    // Serial day number, 1 January 1900 = 1. Meant for valid dates; other
    // values give a number too (never an out-of-table read). Inline: the
    // occurrence rules compute several for every event and day.
    uint32_t DayNumber() const {
        if (year < 1900)
            return DayNumberSlow();
        int32_t y = year - 1;
        int32_t leapYearsSince1900 = y / 4 - y / 100 + y / 400 - 460;
        int64_t days = (static_cast<int64_t>(year) - 1900) * 365 + leapYearsSince1900;
        return static_cast<uint32_t>(days + DaysBeforeMonth(month) + day +
                                     ((month > 2 && IsLeapYear(year)) ? 1 : 0));
    }
    int DayOfWeek() const { return static_cast<int>(DayNumber() % 7); }  // 0 Sunday
    const char* DayName() const;
    const char* ShortDayName() const;
    const char* MonthName() const;

    void AddDays(int32_t n);

    std::string Text() const;
    std::string WeekdayText() const;
    std::string DayMonthText() const;
    std::string YearText() const;
    std::string CompactText() const;
    std::string LocaleShortText() const;
    std::string LocaleLongText() const;

    // Reads a date typed in the user's order. Two-digit years are placed in
    // the century that referenceYear (today's year by default) implies.
    bool Parse(const std::string& text);
    bool Parse(const std::string& text, int32_t referenceYear);

private:
    // Days before the month in a common year; months past December count
    // the whole year, months before January none.
    static int32_t DaysBeforeMonth(int32_t month) {
        constexpr int32_t table[13] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365};
        return table[month < 1 ? 0 : (month > 13 ? 12 : month - 1)];
    }
    uint32_t DayNumberSlow() const;
};

inline bool operator==(const Date& a, const Date& b) {
    return a.DayNumber() == b.DayNumber();
}
inline bool operator!=(const Date& a, const Date& b) {
    return !(a == b);
}

extern const char* const dayNames[7];
extern const char* const shortDayNames[7];
extern const char* const monthNames[12];

// Stored as hour then minute (8 bytes). Anything out of range is "no time".
struct Time {
    int32_t hour = -1;
    int32_t minute = -1;

    Time() = default;
    Time(int32_t h, int32_t m) : hour(h), minute(m) {}

    static Time Now();
    void SetNow() { *this = Now(); }

    bool IsValid() const { return hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59; }
    int32_t MinutesUntil(int32_t h, int32_t m) const { return (m - minute) + (h - hour) * 60; }
    // Returns the days carried: positive forwards, negative backwards.
    int32_t AddMinutes(int32_t n);

    std::string Text() const;
    std::string VCalText() const;
    bool Parse(const std::string& text);
};

struct DateTime {
    Date date;
    Time time;

    DateTime() = default;
    DateTime(const Date& d, const Time& t) : date(d), time(t) {}

    void AddMinutes(int32_t n);
    // Shift between local time and UTC by the zone's offset in force at that
    // moment. A value without a valid date and time has no instant and is
    // left as it is.
    void ToUtc();
    void FromUtc();
    std::string VCalUtcText() const;
    // Reads yyyymmddThhmm[ss][Z]; a trailing Z converts from UTC.
    bool ParseVCal(const std::string& text);
};

}  // namespace vorlen
