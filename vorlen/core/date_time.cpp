#include "date_time.h"

#include "vorlen/platform/local_clock.h"
#include "vorlen/platform/locale_format.h"

#include <algorithm>
#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace vorlen {

int dateOrder = 1;
char dateSeparator = '/';
int time24Hour = 0;

const char* const dayNames[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                 "Thursday", "Friday", "Saturday"};
const char* const shortDayNames[7] = {"Su", "Mo", "Tu", "We", "Th", "Fr", "Sa"};
const char* const monthNames[12] = {"January", "Feburary", "March",     "April",   "May",      "June",
                                    "July",    "August",   "September", "October", "November", "December"};

namespace {

// Index into the month tables that never leaves them, whatever a damaged
// record holds.
int MonthIndex(int32_t month) {
    return std::clamp(month - 1, 0, 11);
}

// Leap years in [0, y) for y >= 0, extended to negative y so that the
// difference formula holds everywhere.
int64_t LeapYearsBefore(int64_t y) {
    auto floorDiv = [](int64_t a, int64_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); };
    return floorDiv(y + 3, 4) - floorDiv(y + 99, 100) + floorDiv(y + 399, 400);
}

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

std::string Format(const char* format, ...) {
    char buffer[96];
    va_list args;
    va_start(args, format);
    int length = std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    return std::string(buffer,
                       static_cast<size_t>(std::clamp(length, 0, static_cast<int>(sizeof buffer) - 1)));
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsDateSeparator(char c) {
    return c == '-' || c == '/' || c == '.';
}

// Reads one or two digits followed by a date separator.
bool ReadDatePart(const char*& p, int32_t& value) {
    if (!IsDigit(p[0]))
        return false;
    if (IsDigit(p[1]) && IsDateSeparator(p[2])) {
        value = (p[0] - '0') * 10 + (p[1] - '0');
        p += 3;
        return true;
    }
    if (IsDateSeparator(p[1])) {
        value = p[0] - '0';
        p += 2;
        return true;
    }
    return false;
}

// Reads exactly `count` digits; `value` changes only on success.
bool ReadDigits(const char*& p, int count, int32_t& value) {
    int32_t read = 0;
    for (int i = 0; i < count; ++i) {
        if (!IsDigit(p[i]))
            return false;
        read = read * 10 + (p[i] - '0');
    }
    value = read;
    p += count;
    return true;
}

// The year at the end of a day-first or month-first date.
bool ReadTrailingYear(const char* p, int32_t referenceYear, int32_t& year) {
    int32_t twoDigits = 0;
    if (!ReadDigits(p, 2, twoDigits))
        return false;
    if (*p == '\0') {
        year = twoDigits + (referenceYear >= 1999 ? 2000 : 1900);
        return true;
    }
    int32_t lowDigits = 0;
    if (!ReadDigits(p, 2, lowDigits))
        return false;
    year = twoDigits * 100 + lowDigits;
    return year >= 1900 && year <= 2099;
}

}  // namespace

void ReadDateSettingsFromLocale() {
    platform::LocaleDateSettings settings = platform::ReadLocaleDateSettings();
    dateOrder = settings.dateOrder;
    dateSeparator = settings.dateSeparator;
    time24Hour = settings.time24Hour;
}

Date Date::Today() {
    platform::ClockReading now = platform::LocalNow();
    return Date(now.day, now.month, now.year);
}

int32_t Date::LeapYearsBetween(int32_t a, int32_t b) {
    int64_t low = std::min(a, b);
    int64_t high = std::max(a, b);
    return static_cast<int32_t>(LeapYearsBefore(high) - LeapYearsBefore(low));
}

bool Date::IsValid() const {
    return year >= 1900 && year <= 3000 && month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth();
}

uint32_t Date::DayNumberSlow() const {
    int64_t number = DaysBeforeMonth(month) + day + ((IsLeapYear(year) && month > 2) ? 1 : 0) +
                     (static_cast<int64_t>(year) - 1900) * 365 + LeapYearsBetween(year, 1900);
    return static_cast<uint32_t>(number);
}

const char* Date::DayName() const {
    return dayNames[DayOfWeek()];
}

const char* Date::ShortDayName() const {
    return shortDayNames[DayOfWeek()];
}

const char* Date::MonthName() const {
    return monthNames[MonthIndex(month)];
}

void Date::AddDays(int32_t n) {
    if (n == 0)
        return;
    // The Gregorian calendar repeats every 400 years (146097 days): whole
    // cycles move the year at once, so that a large n needs few month steps.
    constexpr int64_t cycleDays = 146097;
    int64_t offset = static_cast<int64_t>(day) + n;
    int64_t cycles = 0;
    if (n > 0 && offset > cycleDays)
        cycles = (offset - 1) / cycleDays;  // leaves 1..cycleDays
    else if (n < 0 && offset < -cycleDays)
        cycles = offset / cycleDays;  // leaves -cycleDays+1..0
    offset -= cycles * cycleDays;
    year = static_cast<int32_t>(year + cycles * 400);
    if (n > 0) {
        while (offset > DaysInMonth()) {
            offset -= DaysInMonth();
            if (month == 12) {
                month = 1;
                ++year;
            } else {
                ++month;
            }
        }
    } else {
        while (offset < 1) {
            if (month == 1) {
                month = 12;
                --year;
            } else {
                --month;
            }
            offset += DaysInMonth();
        }
    }
    day = static_cast<int32_t>(offset);
}

std::string Date::Text() const {
    switch (dateOrder) {
    case 0: return Format("%02d%c%02d%c%04d", month, dateSeparator, day, dateSeparator, year);
    case 2: return Format("%04d%c%02d%c%02d", year, dateSeparator, month, dateSeparator, day);
    default: return Format("%02d%c%02d%c%04d", day, dateSeparator, month, dateSeparator, year);
    }
}

std::string Date::WeekdayText() const {
    return std::string(ShortDayName()) + ' ' + Text();
}

std::string Date::DayMonthText() const {
    if (dateOrder == 1)
        return Format("%02d%c%02d", day, dateSeparator, month);
    return Format("%02d%c%02d", month, dateSeparator, day);
}

std::string Date::YearText() const {
    return Format("%d", year);
}

std::string Date::CompactText() const {
    return Format("%04d%02d%02d", year, month, day);
}

std::string Date::LocaleShortText() const {
    return platform::LocaleDateText(year, month, day, false, 20);
}

std::string Date::LocaleLongText() const {
    return platform::LocaleDateText(year, month, day, true, 40);
}

bool Date::Parse(const std::string& text) {
    return Parse(text, Today().year);
}

bool Date::Parse(const std::string& text, int32_t referenceYear) {
    const char* p = text.c_str();
    // Skip a two-letter day name such as the one WeekdayText writes.
    if (*p && !IsDigit(*p)) {
        ++p;
        if (*p && !IsDigit(*p))
            ++p;
        if (*p == ' ')
            ++p;
    }
    switch (dateOrder) {
    case 0: return ReadDatePart(p, month) && ReadDatePart(p, day) && ReadTrailingYear(p, referenceYear, year);
    case 2:
        if (!ReadDigits(p, 4, year) || year < 1900 || year > 2099 || !IsDateSeparator(*p++))
            return false;
        return ReadDatePart(p, month) && ReadDigits(p, 2, day);
    default:
        return ReadDatePart(p, day) && ReadDatePart(p, month) && ReadTrailingYear(p, referenceYear, year);
    }
}

Time Time::Now() {
    platform::ClockReading now = platform::LocalNow();
    return Time(now.hour, now.minute);
}

int32_t Time::AddMinutes(int32_t n) {
    // Hour by hour, as a clock turns: reaching 24 wraps to 0 and carries a
    // day forwards, falling below 0 wraps to 23 and carries one backwards.
    // The steps are counted at once rather than taken one by one, and the
    // direction follows the minute's overflow, so that a damaged minute can
    // neither loop for long nor overflow.
    int64_t total = int64_t{minute} + n;
    int64_t hourSteps = 0;
    if (total > 59)
        hourSteps = (total - 60) / 60 + 1;
    else if (total < 0)
        hourSteps = -((-total - 1) / 60 + 1);
    minute = static_cast<int32_t>(total - hourSteps * 60);

    int64_t h = hour;
    int64_t carried = 0;
    if (hourSteps > 0 && h < 24) {
        int64_t toWrap = 24 - h;
        if (hourSteps >= toWrap) {
            int64_t rest = hourSteps - toWrap;
            carried = 1 + rest / 24;
            h = rest % 24;
        } else {
            h += hourSteps;
        }
    } else if (hourSteps < 0) {
        int64_t toWrap = h >= 0 ? h + 1 : 1;
        if (-hourSteps >= toWrap) {
            int64_t rest = -hourSteps - toWrap;
            carried = -(1 + rest / 24);
            h = 23 - rest % 24;
        } else {
            h += hourSteps;
        }
    } else {
        h += hourSteps;  // an hour of 24 or more never reaches 24 again
    }
    hour = static_cast<int32_t>(std::clamp<int64_t>(h, INT32_MIN, INT32_MAX));
    return static_cast<int32_t>(carried);
}

std::string Time::Text() const {
    int32_t shownMinute = std::min(minute, 59);
    if (time24Hour == 1)
        return Format("%02d:%02d", hour, shownMinute);
    int32_t shownHour = hour > 12 ? hour - 12 : (hour == 0 ? 12 : hour);
    bool afternoon = hour >= 12;
    return Format("%02d:%02d %c%c", shownHour, shownMinute, afternoon ? 'p' : 'a', 'm');
}

std::string Time::VCalText() const {
    if (!IsValid())
        return "T000000";
    return Format("T%02d%02d00", hour, minute);
}

bool Time::Parse(const std::string& text) {
    const char* p = text.c_str();
    if (!IsDigit(p[0]))
        return false;
    if (p[1] == ':') {
        hour = p[0] - '0';
        p += 2;
    } else if (IsDigit(p[1]) && p[2] == ':') {
        hour = (p[0] - '0') * 10 + (p[1] - '0');
        p += 3;
    } else {
        return false;
    }
    if (!ReadDigits(p, 2, minute))
        return false;
    if (*p == '\0')
        return true;
    if (*p == ' ')
        ++p;
    switch (std::toupper(static_cast<unsigned char>(*p))) {
    case 'P':
        if (hour > 12)
            return false;
        if (hour < 12)
            hour += 12;
        return true;
    case 'A':
        if (hour == 12)
            hour = 0;
        return true;
    default: return hour == 12;
    }
}

void DateTime::AddMinutes(int32_t n) {
    int32_t carried = time.AddMinutes(n);
    if (carried != 0)
        date.AddDays(carried);
}

namespace {

platform::ClockReading Reading(const DateTime& value) {
    return {value.date.year, value.date.month, value.date.day, value.time.hour, value.time.minute};
}

}  // namespace

void DateTime::ToUtc() {
    if (date.IsValid() && time.IsValid())
        AddMinutes(platform::UtcOffsetWestAtLocal(Reading(*this)));
}

void DateTime::FromUtc() {
    if (date.IsValid() && time.IsValid())
        AddMinutes(-platform::UtcOffsetWestAtUtc(Reading(*this)));
}

std::string DateTime::VCalUtcText() const {
    DateTime utc = *this;
    utc.ToUtc();
    return utc.date.CompactText() + utc.time.VCalText() + "Z";
}

bool DateTime::ParseVCal(const std::string& text) {
    if (text.size() < 9 || text[8] != 'T')
        return false;
    const char* p = text.c_str();
    if (!ReadDigits(p, 4, date.year) || date.year < 1901)
        return false;
    if (!ReadDigits(p, 2, date.month) || date.month < 1 || date.month > 12)
        return false;
    if (!ReadDigits(p, 2, date.day) || date.day < 1 || date.day > 31)
        return false;
    ++p;  // the 'T'
    if (!ReadDigits(p, 2, time.hour) || time.hour >= 24)
        return false;
    if (!ReadDigits(p, 2, time.minute) || time.minute >= 60)
        return false;
    if (text.size() >= 16 && text[15] == 'Z')
        FromUtc();
    return true;
}

}  // namespace vorlen
