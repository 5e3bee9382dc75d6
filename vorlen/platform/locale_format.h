// The user's locale as the date and time texts need it: the order and
// separator of short dates, the clock, and the locale's own short and long
// date texts. Backed by ICU; the locale is LC_ALL, LC_TIME or LANG unless a
// caller names one.
#pragma once

#include <string>

namespace vorlen::platform {

struct LocaleDateSettings {
    int dateOrder = 1;  // 0 month-day-year, 1 day-month-year, 2 year-month-day
    char dateSeparator = '/';
    int time24Hour = 0;  // 0 12-hour clock, 1 24-hour clock
};

// Chooses the locale for everything below; an empty name means the
// environment's (LC_ALL, then LC_TIME, then LANG).
void SetFormatLocale(const std::string& name);

// The locale's name as ICU knows it, for example "en_GB".
std::string FormatLocaleName();

// Order, separator and clock derived from the locale's short date and time
// patterns.
LocaleDateSettings ReadLocaleDateSettings();

// The separator of a short date pattern: the first character after the
// first run of pattern letters, blanks skipped; '/' when there is none fit
// for a one-byte separator (a quoted literal, a letter, a multi-byte one).
char SeparatorOf(const std::string& pattern);

// The locale's short or long text for a day, in Windows-1252 (characters
// outside it become '?'), at most maxBytes long. Empty for a day that ICU
// cannot represent.
std::string LocaleDateText(int year, int month, int day, bool longForm, size_t maxBytes);

}  // namespace vorlen::platform
