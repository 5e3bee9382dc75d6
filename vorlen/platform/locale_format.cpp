#include "locale_format.h"

#include "text_encoding.h"

#include <unicode/calendar.h>
#include <unicode/datefmt.h>
#include <unicode/gregocal.h>
#include <unicode/locid.h>
#include <unicode/smpdtfmt.h>
#include <unicode/timezone.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <memory>
#include <unordered_map>

namespace vorlen::platform {
namespace {

// The program is single-threaded (one UI thread), so one cache of formatters
// for the chosen locale is enough.
struct FormatCache {
    bool ready = false;
    icu::Locale locale;
    std::unique_ptr<icu::DateFormat> shortDate;
    std::unique_ptr<icu::DateFormat> longDate;
    std::unique_ptr<icu::DateFormat> shortTime;
    std::unique_ptr<icu::Calendar> calendar;
    // Texts already made, by day and form: a reminder text names the same
    // few days over and over, and ICU formatting is slow by comparison.
    std::unordered_map<uint64_t, std::string> texts;
};

FormatCache& Cache() {
    static FormatCache cache;
    return cache;
}

std::string EnvironmentLocaleName() {
    for (const char* var : {"LC_ALL", "LC_TIME", "LANG"}) {
        const char* value = std::getenv(var);
        if (value && *value)
            return value;
    }
    return "C";
}

// "de_DE.UTF-8@euro" -> "de_DE"; "C" and "POSIX" -> ICU's POSIX locale.
std::string IcuLocaleName(std::string name) {
    name = name.substr(0, name.find_first_of(".@"));
    if (name.empty() || name == "C" || name == "POSIX")
        return "en_US_POSIX";
    return name;
}

std::unique_ptr<icu::DateFormat> MakeFormatter(icu::DateFormat* made) {
    std::unique_ptr<icu::DateFormat> formatter(made);
    if (formatter) {
        // Dates are calendar days, not instants: format them in UTC so that
        // no zone transition can shift the day.
        formatter->setTimeZone(*icu::TimeZone::getGMT());
    }
    return formatter;
}

FormatCache& Ready() {
    FormatCache& cache = Cache();
    if (!cache.ready)
        SetFormatLocale("");
    return cache;
}

std::string Pattern(const icu::DateFormat* formatter) {
    std::string pattern;
    auto* simple = dynamic_cast<const icu::SimpleDateFormat*>(formatter);
    if (simple) {
        icu::UnicodeString text;
        simple->toPattern(text);
        text.toUTF8String(pattern);
    }
    return pattern;
}


int OrderOf(const std::string& pattern) {
    size_t day = pattern.find('d');
    size_t month = pattern.find_first_of("ML");
    size_t year = pattern.find_first_of("yu");
    if (year != std::string::npos && year < day && year < month)
        return 2;
    if (day != std::string::npos && day < month)
        return 1;
    return 0;
}

}  // namespace

char SeparatorOf(const std::string& pattern) {
    size_t i = 0;
    while (i < pattern.size() && std::isalpha(static_cast<unsigned char>(pattern[i])))
        ++i;
    while (i < pattern.size() && pattern[i] == ' ')
        ++i;
    if (i < pattern.size()) {
        unsigned char c = static_cast<unsigned char>(pattern[i]);
        if (c < 0x80 && c != '\'' && !std::isalnum(c))
            return static_cast<char>(c);
    }
    return '/';
}

void SetFormatLocale(const std::string& name) {
    FormatCache& cache = Cache();
    cache.locale = icu::Locale(IcuLocaleName(name.empty() ? EnvironmentLocaleName() : name).c_str());
    cache.shortDate =
        MakeFormatter(icu::DateFormat::createDateInstance(icu::DateFormat::kShort, cache.locale));
    cache.longDate = MakeFormatter(icu::DateFormat::createDateInstance(icu::DateFormat::kFull, cache.locale));
    cache.shortTime =
        MakeFormatter(icu::DateFormat::createTimeInstance(icu::DateFormat::kShort, cache.locale));
    UErrorCode status = U_ZERO_ERROR;
    cache.calendar = std::make_unique<icu::GregorianCalendar>(*icu::TimeZone::getGMT(), status);
    if (U_FAILURE(status))
        cache.calendar.reset();
    cache.texts.clear();
    cache.ready = true;
}

std::string FormatLocaleName() {
    return Ready().locale.getName();
}

LocaleDateSettings ReadLocaleDateSettings() {
    FormatCache& cache = Ready();
    LocaleDateSettings settings;
    std::string datePattern = Pattern(cache.shortDate.get());
    if (!datePattern.empty()) {
        settings.dateOrder = OrderOf(datePattern);
        settings.dateSeparator = SeparatorOf(datePattern);
    }
    std::string timePattern = Pattern(cache.shortTime.get());
    if (!timePattern.empty())
        settings.time24Hour = timePattern.find_first_of("Hk") != std::string::npos ? 1 : 0;
    return settings;
}

std::string LocaleDateText(int year, int month, int day, bool longForm, size_t maxBytes) {
    FormatCache& cache = Ready();
    icu::DateFormat* formatter = longForm ? cache.longDate.get() : cache.shortDate.get();
    if (!formatter || !cache.calendar)
        return {};
    uint64_t key = (static_cast<uint64_t>(static_cast<uint32_t>(year)) << 32) |
                   (static_cast<uint64_t>(month & 0xFF) << 16) | (static_cast<uint64_t>(day & 0xFF) << 8) |
                   (longForm ? 1 : 0);
    auto known = cache.texts.find(key);
    if (known == cache.texts.end()) {
        UErrorCode status = U_ZERO_ERROR;
        cache.calendar->clear();
        cache.calendar->set(year, month - 1, day);
        UDate when = cache.calendar->getTime(status);
        if (U_FAILURE(status))
            return {};
        icu::UnicodeString text;
        formatter->format(when, text);
        std::string utf8;
        known = cache.texts.emplace(key, Utf8ToWindows1252(text.toUTF8String(utf8))).first;
    }
    return known->second.substr(0, maxBytes);
}

}  // namespace vorlen::platform
