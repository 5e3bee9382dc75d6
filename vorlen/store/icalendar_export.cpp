#include "icalendar.h"

#include "vorlen/platform/file_io.h"
#include "vorlen/platform/text_encoding.h"
#include "vorlen/store/icalendar_rules.h"
#include "vorlen/store/icalendar_support.h"

#include <cstdint>
#include <cstdio>
#include <map>
#include <string>

namespace vorlen::store {

namespace ical {

void SetUpLibical() {
    static const bool done = [] {
        icalerror_set_errors_are_fatal(0);
        return true;
    }();
    (void)done;
}

}  // namespace ical

namespace {

using ical::ComponentPtr;
using platform::Windows1252ToUtf8;

constexpr char productId[] = "-//Tolvane Software Australia//Tolvane Vorlen//EN";

struct LibraryTextFree {
    void operator()(char* text) const { icalmemory_free_buffer(text); }
};

// Where the times of the events are written.
struct Zone {
    icaltimezone* zone = nullptr;  // null: UTC
};

// FNV-1a: a UID that stays the same for the same event in every export.
uint64_t Hash(uint64_t hash, std::string_view bytes) {
    for (unsigned char byte : bytes) {
        hash ^= byte;
        hash *= 1099511628211ull;
    }
    return hash;
}

std::string Uid(const EventNode& event, std::map<std::string, int>& seen) {
    uint64_t hash = 14695981039346656037ull;
    hash = Hash(hash, event.startDate.CompactText());
    hash = Hash(hash, std::to_string(event.period));
    hash = Hash(hash, event.description.view());
    hash = Hash(hash, event.typeName.view());
    char text[40];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    std::string uid = text;
    // Equal events are told apart by their order.
    int repeat = seen[uid]++;
    if (repeat > 0)
        uid += "-" + std::to_string(repeat + 1);
    return uid + "@vorlen.tolvane";
}

icaltimetype DateValue(const Date& date) {
    icaltimetype value = icaltime_null_date();
    value.year = date.year;
    value.month = date.month;
    value.day = date.day;
    return value;
}

// A local time of the event in the chosen zone, or shifted to UTC.
icaltimetype TimeValue(const Date& date, const Time& time, const Zone& zone) {
    DateTime moment(date, time);
    if (!zone.zone)
        moment.ToUtc();
    icaltimetype value = icaltime_null_time();
    value.year = moment.date.year;
    value.month = moment.date.month;
    value.day = moment.date.day;
    value.hour = moment.time.hour;
    value.minute = moment.time.minute;
    value.zone = zone.zone ? zone.zone : icaltimezone_get_utc_timezone();
    return value;
}

icalproperty* WithZone(icalproperty* property, const Zone& zone, bool timed) {
    if (timed && zone.zone)
        icalproperty_add_parameter(property, icalparameter_new_tzid(icaltimezone_get_location(zone.zone)));
    return property;
}

// The first day of the event as written: a monthly position's first day;
// 1900 for a yearly event of no year (year 0), which occurs every year.
Date FirstDay(const EventNode& event) {
    if (event.period == PeriodMonthlyByPosition)
        return FirstPositionDay(event.monthlyPosition, event.startDate);
    if (event.period == PeriodYearly && event.startDate.year == 0)
        return Date(event.startDate.day, event.startDate.month, 1900);
    return event.startDate;
}

void AddTimes(icalcomponent* vevent, const EventNode& event, const Zone& zone) {
    Date start = FirstDay(event);
    // A multi-day event keeps its length when its first day moves.
    Date last = start;
    if (event.endDate.IsValid() && event.endDate.DayNumber() > event.startDate.DayNumber())
        last.AddDays(static_cast<int32_t>(event.endDate.DayNumber() - event.startDate.DayNumber()));
    if (!event.startTime.IsValid()) {
        // An all-day event ends (exclusively) the day after its last day.
        last.AddDays(1);
        icalcomponent_add_property(vevent, icalproperty_new_dtstart(DateValue(start)));
        icalcomponent_add_property(vevent, icalproperty_new_dtend(DateValue(last)));
        return;
    }
    icalcomponent_add_property(
        vevent, WithZone(icalproperty_new_dtstart(TimeValue(start, event.startTime, zone)), zone, true));
    if (event.endTime.IsValid() || event.endDate.IsValid()) {
        // Without an end time the end is the start time of the last day.
        Time end = event.endTime.IsValid() ? event.endTime : event.startTime;
        icalcomponent_add_property(vevent,
                                   WithZone(icalproperty_new_dtend(TimeValue(last, end, zone)), zone, true));
    }
}

// UNTIL is a date for all-day events; for timed ones the end of the
// expiry day, in UTC as the standard requires.
std::string UntilText(const EventNode& event) {
    if (!event.startTime.IsValid())
        return event.rangeEndDate.CompactText();
    DateTime end(event.rangeEndDate, Time(23, 59));
    end.ToUtc();
    return end.date.CompactText() + "T" + (end.time.VCalText().substr(1, 4)) + "59Z";
}

void AddRule(icalcomponent* vevent, const EventNode& event) {
    std::string rule = ICalRuleText(event);
    if (rule.empty())
        return;
    if (event.rangeEndDate.IsValid())
        rule += ";UNTIL=" + UntilText(event);
    icalcomponent_add_property(vevent,
                               icalproperty_new_rrule(icalrecurrencetype_from_string(rule.c_str())));
}

// A file URI for the alarm's sound: bytes outside the safe set as %XX.
std::string FileUri(std::string_view path) {
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string uri = "file://";
    for (unsigned char byte : Windows1252ToUtf8(path)) {
        bool safe = (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') || (byte >= '0' && byte <= '9') ||
                    std::string_view("/-._~").find(static_cast<char>(byte)) != std::string_view::npos;
        if (safe) {
            uri += static_cast<char>(byte);
        } else {
            uri += '%';
            uri += hex[byte >> 4];
            uri += hex[byte & 15];
        }
    }
    return uri;
}

void AddAlarm(icalcomponent* vevent, const EventNode& event) {
    if (event.alarmMinutes <= 0)
        return;
    icalcomponent* alarm = icalcomponent_new_valarm();
    icaltriggertype trigger{};
    trigger.time = icaltime_null_time();
    trigger.duration = icaldurationtype_from_int(-event.alarmMinutes * 60);
    icalcomponent_add_property(alarm, icalproperty_new_trigger(trigger));
    if (event.soundFile.view().empty()) {
        icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
        icalcomponent_add_property(
            alarm, icalproperty_new_description(Windows1252ToUtf8(event.description.view()).c_str()));
    } else {
        icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_AUDIO));
        icalattach* sound = icalattach_new_from_url(FileUri(event.soundFile.view()).c_str());
        icalcomponent_add_property(alarm, icalproperty_new_attach(sound));
        icalattach_unref(sound);
    }
    icalcomponent_add_component(vevent, alarm);
}

void AddNumber(icalcomponent* vevent, const char* name, int32_t value) {
    if (value == 0)
        return;
    icalproperty* property = icalproperty_new_x(std::to_string(value).c_str());
    icalproperty_set_x_name(property, name);
    icalcomponent_add_property(vevent, property);
}

void AddText(icalcomponent* vevent, icalproperty* (*make)(const char*), const OptionalText& text) {
    if (!text.view().empty())
        icalcomponent_add_property(vevent, make(Windows1252ToUtf8(text.view()).c_str()));
}

icalcomponent* EventComponent(const EventNode& event, const std::string& uid, const DateTime& stampUtc,
                              const Zone& zone) {
    icalcomponent* vevent = icalcomponent_new_vevent();
    icalcomponent_add_property(vevent, icalproperty_new_uid(uid.c_str()));
    icaltimetype stamp = TimeValue(stampUtc.date, stampUtc.time, Zone{icaltimezone_get_utc_timezone()});
    icalcomponent_add_property(vevent, icalproperty_new_dtstamp(stamp));
    AddTimes(vevent, event, zone);
    AddRule(vevent, event);
    AddText(vevent, icalproperty_new_summary, event.description);
    AddText(vevent, icalproperty_new_description, event.extraInfo);
    AddText(vevent, icalproperty_new_location, event.location);
    AddText(vevent, icalproperty_new_categories, event.typeName);
    AddNumber(vevent, ical::warningDaysProperty, event.warningDays);
    AddNumber(vevent, ical::autoDeleteProperty, event.autoDelete);
    AddAlarm(vevent, event);
    return vevent;
}

// The zone's definition from the earliest event on, not from 1847.
void AddZone(icalcomponent* calendar, const Eventlist& events, const Zone& zone) {
    if (!zone.zone)
        return;
    icaltimetype earliest = icaltime_null_time();
    for (const EventNode& event : events) {
        icaltimetype start = TimeValue(event.startDate, Time(0, 0), zone);
        if (event.startDate.IsValid() && (icaltime_is_null_time(earliest) || icaltime_compare(start, earliest) < 0))
            earliest = start;
    }
    icalcomponent* definition = icalcomponent_new_clone(icaltimezone_get_component(zone.zone));
    // The zone's plain name, as today's programs write it, not libical's
    // own prefixed TZID.
    icalproperty* tzid = icalcomponent_get_first_property(definition, ICAL_TZID_PROPERTY);
    icalproperty_set_tzid(tzid, icaltimezone_get_location(zone.zone));
    if (!icaltime_is_null_time(earliest)) {
        icaltimezone_convert_time(&earliest, zone.zone, icaltimezone_get_utc_timezone());
        earliest.zone = icaltimezone_get_utc_timezone();
        icaltimezone_truncate_vtimezone(definition, earliest, icaltime_null_time(), 0);
    }
    icalcomponent_add_component(calendar, definition);
}

Zone ZoneNamed(const std::string& name) {
    if (name.empty() || name == "UTC" || name == "Etc/UTC")
        return {};
    return Zone{icaltimezone_get_builtin_timezone(name.c_str())};
}

}  // namespace

std::string ICalendarText(const Eventlist& events, const std::string& zoneName, const DateTime& stampUtc) {
    ical::SetUpLibical();
    Zone zone = ZoneNamed(zoneName);
    ComponentPtr calendar(icalcomponent_new_vcalendar());
    icalcomponent_add_property(calendar.get(), icalproperty_new_prodid(productId));
    icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_calscale("GREGORIAN"));
    AddZone(calendar.get(), events, zone);
    std::map<std::string, int> seen;
    for (const EventNode& event : events) {
        if (!FirstDay(event).IsValid())
            continue;  // no day to write it on; it never occurs either
        icalcomponent_add_component(calendar.get(), EventComponent(event, Uid(event, seen), stampUtc, zone));
    }
    std::unique_ptr<char, LibraryTextFree> text(icalcomponent_as_ical_string_r(calendar.get()));
    return text ? std::string(text.get()) : std::string();
}

bool WriteICalendarFile(const std::string& path, const Eventlist& events, const std::string& zoneName,
                        std::string* error) {
    DateTime now(Date::Today(), Time::Now());
    now.ToUtc();
    return platform::WriteFileAtomically(path, ICalendarText(events, zoneName, now), error);
}

}  // namespace vorlen::store
