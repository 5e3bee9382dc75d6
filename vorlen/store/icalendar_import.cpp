#include "icalendar.h"

#include "vorlen/platform/file_io.h"
#include "vorlen/platform/text_encoding.h"
#include "vorlen/store/icalendar_rules.h"
#include "vorlen/store/icalendar_support.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace vorlen::store {
namespace {

using ical::ComponentPtr;
using platform::Utf8ToWindows1252;

constexpr size_t maxInputBytes = size_t{16} << 20;
constexpr size_t maxLineBytes = size_t{1} << 20;
// libical keeps INTERVAL in a short.
constexpr long maxInterval = 10000;
constexpr long maxCount = 1000000;
constexpr int32_t maxWarningDays = 3660;
constexpr int64_t maxAlarmMinutes = 366 * 24 * 60;
constexpr int maxOccurrenceSteps = 10000;
constexpr int64_t maxDurationSeconds = int64_t{20} * 366 * 24 * 3600;
constexpr char defaultCategory[] = "Normal";

struct LibraryTextFree {
    void operator()(char* text) const { icalmemory_free_buffer(text); }
};
using LibraryText = std::unique_ptr<char, LibraryTextFree>;

std::string Upper(std::string_view text) {
    std::string upper(text);
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper;
}

std::string LineMessage(size_t line, const std::string& what) {
    return "line " + std::to_string(line) + ": " + what;
}

// INTERVAL and COUNT of a rule line: whole numbers from 1 to their
// bound.
bool CheckRuleNumbers(const std::string& upper, size_t line, std::string& problem) {
    struct Part {
        const char* name;
        long bound;
    };
    for (auto [part, bound] : {Part{"INTERVAL=", maxInterval}, Part{"COUNT=", maxCount}}) {
        for (size_t at = upper.find(part); at != std::string::npos; at = upper.find(part, at + 1)) {
            size_t begin = at + std::char_traits<char>::length(part);
            size_t end = upper.find_first_of(";\r", begin);
            std::string number = upper.substr(begin, end == std::string::npos ? std::string::npos : end - begin);
            bool digits = !number.empty() && number.size() <= 7 &&
                          std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; });
            if (!digits || std::atol(number.c_str()) < 1 || std::atol(number.c_str()) > bound) {
                problem = LineMessage(line, std::string(part, std::char_traits<char>::length(part) - 1) +
                                                " must be a number from 1 to " + std::to_string(bound));
                return false;
            }
        }
    }
    return true;
}

// One unfolded line: BEGIN and END nesting, and the rule numbers.
bool CheckLine(const std::string& line, size_t number, std::vector<std::string>& open, std::string& problem) {
    std::string upper = Upper(line.substr(0, std::min<size_t>(line.size(), 4096)));
    while (!upper.empty() && (upper.back() == '\r' || upper.back() == ' '))
        upper.pop_back();
    if (upper.rfind("BEGIN:", 0) == 0) {
        open.push_back(upper.substr(6));
    } else if (upper.rfind("END:", 0) == 0) {
        if (open.empty() || open.back() != upper.substr(4)) {
            problem = LineMessage(number, upper + (open.empty() ? " closes nothing" : " where END:" + open.back() +
                                                                                         " was due"));
            return false;
        }
        open.pop_back();
    } else if (upper.rfind("RRULE", 0) == 0 || upper.rfind("EXRULE", 0) == 0) {
        return CheckRuleNumbers(upper, number, problem);
    }
    return true;
}

// What libical's parser would take wrongly or not at all.
bool CheckText(std::string_view text, std::string& problem) {
    if (text.size() > maxInputBytes) {
        problem = "it is larger than 16 MiB";
        return false;
    }
    std::vector<std::string> open;
    std::string logical;
    size_t number = 0, logicalNumber = 0;
    bool sawCalendar = false;
    for (size_t at = 0; at < text.size();) {
        size_t end = text.find('\n', at);
        std::string_view line = text.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at);
        at = end == std::string_view::npos ? text.size() : end + 1;
        ++number;
        if (line.find('\0') != std::string_view::npos) {
            problem = LineMessage(number, "a NUL byte");
            return false;
        }
        if (!line.empty() && (line[0] == ' ' || line[0] == '\t') && number > 1) {
            logical.append(line.substr(1));
        } else {
            if (!logical.empty() && !CheckLine(logical, logicalNumber, open, problem))
                return false;
            logical.assign(line);
            logicalNumber = number;
        }
        if (logical.size() > maxLineBytes) {
            problem = LineMessage(logicalNumber, "longer than 1 MiB");
            return false;
        }
        sawCalendar = sawCalendar || Upper(line.substr(0, 15)).rfind("BEGIN:VCALENDAR", 0) == 0;
    }
    if (!logical.empty() && !CheckLine(logical, logicalNumber, open, problem))
        return false;
    if (!sawCalendar) {
        problem = "it holds no VCALENDAR";
        return false;
    }
    if (!open.empty()) {
        problem = "it is cut short: END:" + open.back() + " is missing";
        return false;
    }
    return true;
}

// libical marks what it could not read with X-LIC-ERROR properties. An
// empty value ("LOCATION:") is only dropped: real files have them.
const char* FirstParseError(icalcomponent* component) {
    for (icalproperty* error = icalcomponent_get_first_property(component, ICAL_XLICERROR_PROPERTY); error;
         error = icalcomponent_get_next_property(component, ICAL_XLICERROR_PROPERTY)) {
        const char* message = icalproperty_get_xlicerror(error);
        if (message && std::string_view(message).rfind("No value for", 0) != 0)
            return message;
    }
    for (icalcomponent* inner = icalcomponent_get_first_component(component, ICAL_ANY_COMPONENT); inner;
         inner = icalcomponent_get_next_component(component, ICAL_ANY_COMPONENT)) {
        if (const char* message = FirstParseError(inner))
            return message;
    }
    return nullptr;
}

// One event's reading: its calendar (for zone definitions) and its name
// for messages.
struct EventSource {
    icalcomponent* calendar;
    icalcomponent* vevent;
    std::string name;  // UTF-8, as the user will see it

    std::string Problem(const std::string& what) const { return "event \"" + name + "\": " + what; }
};

// The zone of a time property: none (floating or UTC), or the zone its
// TZID names in the file or in the zone database.
bool ZoneOf(const EventSource& source, icalproperty* property, icaltimezone*& zone, std::string& problem) {
    zone = nullptr;
    icalparameter* tzid = icalproperty_get_first_parameter(property, ICAL_TZID_PARAMETER);
    if (!tzid)
        return true;
    const char* name = icalparameter_get_tzid(tzid);
    zone = name ? icalcomponent_get_timezone(source.calendar, name) : nullptr;
    if (!zone && name)
        zone = icaltimezone_get_builtin_timezone(name);
    if (!zone && name)
        zone = icaltimezone_get_builtin_timezone_from_tzid(name);
    if (!zone)
        problem = source.Problem("unknown time zone \"" + std::string(name ? name : "") + "\"");
    return zone != nullptr;
}

// A time of the file as a local day and time. `ownDay` is the day in the
// time's own zone, which the repetition rules count from.
struct Moment {
    Date date;
    Time time;  // none for a date
    Date ownDay;
};

bool ToMoment(const EventSource& source, icaltimetype value, icaltimezone* zone, Moment& moment,
              std::string& problem) {
    moment.ownDay = Date(value.day, value.month, value.year);
    moment.date = moment.ownDay;
    moment.time = value.is_date ? Time() : Time(value.hour, value.minute);
    if (!value.is_date && (zone || icaltime_is_utc(value))) {
        if (zone)
            icaltimezone_convert_time(&value, zone, icaltimezone_get_utc_timezone());
        DateTime local(Date(value.day, value.month, value.year), Time(value.hour, value.minute));
        local.FromUtc();
        moment.date = local.date;
        moment.time = local.time;
    }
    if (!moment.date.IsValid()) {
        problem = source.Problem("a date outside the years 1900 to 3000");
        return false;
    }
    return true;
}

bool ReadTimeProperty(const EventSource& source, icalproperty_kind kind, bool& present, Moment& moment,
                      icaltimezone*& zone, std::string& problem) {
    icalproperty* property = icalcomponent_get_first_property(source.vevent, kind);
    present = property != nullptr;
    if (!property)
        return true;
    icalvalue* value = icalproperty_get_value(property);
    if (!value) {
        problem = source.Problem("a time without a value");
        return false;
    }
    if (!ZoneOf(source, property, zone, problem))
        return false;
    return ToMoment(source, icalvalue_get_datetime(value), zone, moment, problem);
}

std::string Text(const char* utf8) {
    return Utf8ToWindows1252(utf8 ? utf8 : "");
}

void ReadTexts(icalcomponent* vevent, EventNode& event) {
    if (icalproperty* summary = icalcomponent_get_first_property(vevent, ICAL_SUMMARY_PROPERTY))
        event.description = OptionalText(Text(icalproperty_get_summary(summary)));
    if (icalproperty* description = icalcomponent_get_first_property(vevent, ICAL_DESCRIPTION_PROPERTY))
        event.extraInfo = OptionalText(Text(icalproperty_get_description(description)));
    if (icalproperty* location = icalcomponent_get_first_property(vevent, ICAL_LOCATION_PROPERTY))
        event.location = OptionalText(Text(icalproperty_get_location(location)));
    // libical gives each of a list of categories a property of its own.
    icalproperty* categories = icalcomponent_get_first_property(vevent, ICAL_CATEGORIES_PROPERTY);
    std::string category = categories ? Text(icalproperty_get_categories(categories)) : std::string();
    event.typeName = OptionalText(category.empty() ? std::string(defaultCategory) : category);
}

// "-3", "12": a whole number of at most six digits within the bound.
bool ReadBoundedNumber(const char* text, int32_t low, int32_t high, int32_t& number) {
    std::string value = text ? text : "";
    size_t digits = value.rfind('-', 0) == 0 ? 1 : 0;
    if (value.size() <= digits || value.size() > digits + 6 ||
        !std::all_of(value.begin() + static_cast<long>(digits), value.end(),
                     [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    number = std::atoi(value.c_str());
    return number >= low && number <= high;
}

bool ReadOwnProperties(const EventSource& source, EventNode& event, std::string& problem) {
    for (icalproperty* property = icalcomponent_get_first_property(source.vevent, ICAL_X_PROPERTY); property;
         property = icalcomponent_get_next_property(source.vevent, ICAL_X_PROPERTY)) {
        std::string name = Upper(icalproperty_get_x_name(property) ? icalproperty_get_x_name(property) : "");
        const char* value = icalproperty_get_x(property);
        if (name == ical::warningDaysProperty &&
            !ReadBoundedNumber(value, -maxWarningDays, maxWarningDays, event.warningDays)) {
            problem = source.Problem(name + " must be a number from -" + std::to_string(maxWarningDays) +
                                     " to " + std::to_string(maxWarningDays));
            return false;
        }
        if (name == ical::autoDeleteProperty && !ReadBoundedNumber(value, 0, 2, event.autoDelete)) {
            problem = source.Problem(name + " must be 0, 1 or 2");
            return false;
        }
    }
    return true;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
}

// "file:///home/a%20b.wav" as a path; other URIs stay as they are.
std::string SoundPath(std::string_view uri) {
    if (uri.rfind("file://", 0) != 0)
        return Text(std::string(uri).c_str());
    uri.remove_prefix(7);
    std::string path;
    for (size_t i = 0; i < uri.size(); ++i) {
        if (uri[i] == '%' && i + 2 < uri.size() + 0 && HexDigit(uri[i + 1]) >= 0 && HexDigit(uri[i + 2]) >= 0) {
            path += static_cast<char>(HexDigit(uri[i + 1]) * 16 + HexDigit(uri[i + 2]));
            i += 2;
        } else {
            path += uri[i];
        }
    }
    return Text(path.c_str());
}

// Counted wide: the parts of a duration may each be as large as the file
// says.
int64_t Seconds(const icaldurationtype& d) {
    return ((int64_t{d.weeks} * 7 + d.days) * 24 + d.hours) * 3600 + int64_t{d.minutes} * 60 + d.seconds;
}

// Minutes before the start of a trigger relative to it; 0 for one after
// the start, at its end or at a fixed time, which no alarm here can be.
int64_t MinutesBefore(icalproperty* trigger) {
    icalparameter* related = icalproperty_get_first_parameter(trigger, ICAL_RELATED_PARAMETER);
    if (related && icalparameter_get_related(related) == ICAL_RELATED_END)
        return 0;
    icaltriggertype value = icalproperty_get_trigger(trigger);
    if (!icaltime_is_null_time(value.time) || !value.duration.is_neg)
        return 0;
    return Seconds(value.duration) / 60;
}

bool ReadAlarm(const EventSource& source, EventNode& event, std::string& problem) {
    for (icalcomponent* alarm = icalcomponent_get_first_component(source.vevent, ICAL_VALARM_COMPONENT); alarm;
         alarm = icalcomponent_get_next_component(source.vevent, ICAL_VALARM_COMPONENT)) {
        icalproperty* trigger = icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY);
        int64_t minutes = trigger ? MinutesBefore(trigger) : 0;
        if (minutes > maxAlarmMinutes) {
            problem = source.Problem("an alarm more than a year before it");
            return false;
        }
        if (minutes <= 0)
            continue;
        event.alarmMinutes = static_cast<int32_t>(minutes);
        icalproperty* attach = icalcomponent_get_first_property(alarm, ICAL_ATTACH_PROPERTY);
        icalproperty* action = icalcomponent_get_first_property(alarm, ICAL_ACTION_PROPERTY);
        icalattach* sound = attach ? icalproperty_get_attach(attach) : nullptr;
        if (action && icalproperty_get_action(action) == ICAL_ACTION_AUDIO && sound && icalattach_get_is_url(sound))
            event.soundFile = OptionalText(SoundPath(icalattach_get_url(sound)));
        return true;
    }
    return true;
}

void SetEnd(const Moment& start, bool hasEnd, const Moment& end, EventNode& event) {
    if (!hasEnd)
        return;
    Date last = end.date;
    if (!start.time.IsValid()) {
        last.AddDays(-1);  // an all-day end is the day after the last
    } else if (end.time.hour != start.time.hour || end.time.minute != start.time.minute) {
        event.endTime = end.time;
    }
    if (last.DayNumber() > start.date.DayNumber())
        event.endDate = last;
}

// An end given as DURATION from the start, in the start's own zone.
bool ReadDuration(const EventSource& source, icaltimezone* zone, bool& present, Moment& end, std::string& problem) {
    icalproperty* duration = icalcomponent_get_first_property(source.vevent, ICAL_DURATION_PROPERTY);
    icalproperty* start = icalcomponent_get_first_property(source.vevent, ICAL_DTSTART_PROPERTY);
    present = duration && start;
    if (!present)
        return true;
    icaldurationtype length = icalproperty_get_duration(duration);
    if (length.is_neg || Seconds(length) > maxDurationSeconds) {
        problem = source.Problem("a DURATION that is negative or longer than about 20 years");
        return false;
    }
    return ToMoment(source, icaltime_add(icalproperty_get_dtstart(start), length), zone, end, problem);
}

bool HasAny(icalcomponent* vevent, icalproperty_kind kind) {
    return icalcomponent_get_first_property(vevent, kind) != nullptr;
}

bool IsExcluded(icalcomponent* vevent, const icaltimetype& day) {
    for (icalproperty* p = icalcomponent_get_first_property(vevent, ICAL_EXDATE_PROPERTY); p;
         p = icalcomponent_get_next_property(vevent, ICAL_EXDATE_PROPERTY)) {
        icaltimetype excluded = icalproperty_get_exdate(p);
        if (excluded.year == day.year && excluded.month == day.month && excluded.day == day.day &&
            (excluded.is_date || (excluded.hour == day.hour && excluded.minute == day.minute)))
            return true;
    }
    return false;
}

// The first occurrence that no EXDATE removes, in the start's own zone.
icaltimetype FirstOccurrence(icalcomponent* vevent, icalproperty* startProperty) {
    icaltimetype start = icalproperty_get_dtstart(startProperty);
    icalproperty* rule = icalcomponent_get_first_property(vevent, ICAL_RRULE_PROPERTY);
    if (!rule || !IsExcluded(vevent, start))
        return start;
    icalrecur_iterator* it = icalrecur_iterator_new(icalproperty_get_rrule(rule), start);
    if (!it)
        return start;
    icaltimetype found = start;
    for (int step = 0; step < maxOccurrenceSteps; ++step) {
        icaltimetype next = icalrecur_iterator_next(it);
        if (icaltime_is_null_time(next))
            break;
        if (!IsExcluded(vevent, next)) {
            found = next;
            break;
        }
    }
    icalrecur_iterator_free(it);
    return found;
}

// A repetition with an exact period, or the first occurrence only.
bool ReadRepetition(const EventSource& source, const Moment& start, icaltimezone* zone, bool overridden,
                    EventNode& event, bool& simplified, std::string& problem) {
    icalcomponent* vevent = source.vevent;
    icalproperty* rule = icalcomponent_get_first_property(vevent, ICAL_RRULE_PROPERTY);
    bool extras = overridden || HasAny(vevent, ICAL_EXDATE_PROPERTY) || HasAny(vevent, ICAL_RDATE_PROPERTY) ||
                  HasAny(vevent, ICAL_EXRULE_PROPERTY) ||
                  (rule && icalcomponent_get_next_property(vevent, ICAL_RRULE_PROPERTY));
    event.period = PeriodOnceOff;
    simplified = false;
    if (!rule && !extras)
        return true;
    LibraryText text(rule ? icalproperty_get_value_as_string_r(rule) : nullptr);
    if (rule && !extras && text && ReadICalRule(text.get(), start.ownDay, event)) {
        icaltimetype until = icalproperty_get_rrule(rule).until;
        Moment end;
        if (!icaltime_is_null_time(until) && !ToMoment(source, until, nullptr, end, problem))
            return false;
        // The last day is the last whose occurrence starts by UNTIL.
        if (!icaltime_is_null_time(until))
            event.rangeEndDate = end.date;
        if (!icaltime_is_null_time(until) && start.time.IsValid() && end.time.IsValid() &&
            end.time.MinutesUntil(start.time.hour, start.time.minute) > 0)
            event.rangeEndDate.AddDays(-1);
        return true;
    }
    simplified = true;
    icalproperty* startProperty = icalcomponent_get_first_property(vevent, ICAL_DTSTART_PROPERTY);
    Moment first;
    if (!ToMoment(source, FirstOccurrence(vevent, startProperty), zone, first, problem))
        return false;
    int32_t shift = static_cast<int32_t>(first.date.DayNumber() - start.date.DayNumber());
    event.startDate.AddDays(shift);
    if (event.endDate.IsValid())
        event.endDate.AddDays(shift);
    return true;
}

std::string Utf8Summary(icalcomponent* vevent) {
    const char* summary = icalcomponent_get_summary(vevent);
    return summary ? summary : "";
}

// UIDs of repeating events some of whose occurrences are given apart
// (moved or changed) by VEVENTs with a RECURRENCE-ID.
std::set<std::string> OverriddenUids(icalcomponent* calendar) {
    std::set<std::string> uids;
    for (icalcomponent* e = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT); e;
         e = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
        if (HasAny(e, ICAL_RECURRENCEID_PROPERTY) && icalcomponent_get_uid(e))
            uids.insert(icalcomponent_get_uid(e));
    }
    return uids;
}

bool ImportEvent(const EventSource& source, const std::set<std::string>& overridden, ICalendarImport& result,
                 std::string& problem) {
    icalcomponent* vevent = source.vevent;
    bool isOverride = HasAny(vevent, ICAL_RECURRENCEID_PROPERTY);
    if (isOverride && icalcomponent_get_status(vevent) == ICAL_STATUS_CANCELLED)
        return true;  // a removed occurrence; its master is kept at its first one
    auto event = std::make_unique<EventNode>();
    ReadTexts(vevent, *event);
    if (!ReadOwnProperties(source, *event, problem) || !ReadAlarm(source, *event, problem))
        return false;
    bool hasStart = false, hasEnd = false;
    Moment start, end;
    icaltimezone *zone = nullptr, *endZone = nullptr;
    if (!ReadTimeProperty(source, ICAL_DTSTART_PROPERTY, hasStart, start, zone, problem) ||
        !ReadTimeProperty(source, ICAL_DTEND_PROPERTY, hasEnd, end, endZone, problem))
        return false;
    if (!hasStart) {
        result.events->Append(std::move(event));  // never occurs; left for the user to mend
        return true;
    }
    if (!hasEnd && !ReadDuration(source, zone, hasEnd, end, problem))
        return false;
    event->startDate = start.date;
    event->startTime = start.time;
    SetEnd(start, hasEnd, end, *event);
    const char* uid = icalcomponent_get_uid(vevent);
    bool hasOverrides = !isOverride && uid && overridden.count(uid);
    bool simplified = false;
    if (!isOverride && !ReadRepetition(source, start, zone, hasOverrides, *event, simplified, problem))
        return false;
    if (isOverride)
        event->period = PeriodOnceOff;
    if (simplified)
        result.simplified.push_back(std::string(event->description.view()));
    result.events->Append(std::move(event));
    return true;
}

bool ImportCalendar(icalcomponent* calendar, ICalendarImport& result, std::string& problem) {
    std::set<std::string> overridden = OverriddenUids(calendar);
    for (icalcomponent* vevent = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT); vevent;
         vevent = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
        if (!ImportEvent(EventSource{calendar, vevent, Utf8Summary(vevent)}, overridden, result, problem))
            return false;
    }
    return true;
}

}  // namespace

bool ReadICalendar(std::string_view text, ICalendarImport& result, std::string& error) {
    ical::SetUpLibical();
    result = ICalendarImport();
    if (!CheckText(text, error))
        return false;
    std::string copy(text);
    ComponentPtr root(icalparser_parse_string(copy.c_str()));
    if (!root) {
        error = "nothing in it could be read";
        return false;
    }
    if (const char* message = FirstParseError(root.get())) {
        error = message;
        return false;
    }
    std::vector<icalcomponent*> calendars;
    if (icalcomponent_isa(root.get()) == ICAL_VCALENDAR_COMPONENT)
        calendars.push_back(root.get());
    for (icalcomponent* c = icalcomponent_get_first_component(root.get(), ICAL_VCALENDAR_COMPONENT); c;
         c = icalcomponent_get_next_component(root.get(), ICAL_VCALENDAR_COMPONENT))
        calendars.push_back(c);
    for (icalcomponent* calendar : calendars) {
        if (!ImportCalendar(calendar, result, error)) {
            result = ICalendarImport();
            return false;
        }
    }
    return true;
}

bool ReadICalendarFile(const std::string& path, ICalendarImport& result, std::string& error) {
    result = ICalendarImport();
    std::error_code ignored;
    std::uintmax_t size = std::filesystem::file_size(path, ignored);
    if (!ignored && size > maxInputBytes) {
        error = path + ": not an iCalendar file (it is larger than 16 MiB)";
        return false;
    }
    std::string bytes;
    std::string reason;
    if (!platform::ReadWholeFile(path, bytes, &reason)) {
        error = reason;
        return false;
    }
    if (!ReadICalendar(bytes, result, reason)) {
        error = path + ": not an iCalendar file (" + reason + ")";
        return false;
    }
    return true;
}

}  // namespace vorlen::store
