// iCalendar (RFC 5545) interchange: every event written as a VEVENT of one
// VCALENDAR, and the VEVENTs of the files today's calendar programs write
// read back into events. Built on libical's icalcomponent API, whose zone
// data converts times of other zones.
//
// Reading refuses, with a message naming what is wrong, input that would
// give wrong or harmful events rather than no events: a file cut short
// (BEGIN and END unbalanced, no END:VCALENDAR), NUL bytes, a line longer
// than 1 MiB, a TZID that neither the file nor the zone database defines,
// an INTERVAL above 10000 or COUNT above 1000000 or below 1 (libical keeps
// INTERVAL in a short and would wrap it), and advance warnings, alarms,
// durations or deletion settings beyond what the program handles.
#pragma once

#include "vorlen/core/date_time.h"
#include "vorlen/core/event_list.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vorlen::store {

// The events as iCalendar text. Times are written in the zone `zoneName`
// ("Europe/London", with its VTIMEZONE), or in UTC when libical does not
// know that zone; `stampUtc` is every event's DTSTAMP.
std::string ICalendarText(const Eventlist& events, const std::string& zoneName, const DateTime& stampUtc);

// Writes ICalendarText, stamped now, by way of a temporary file beside it.
bool WriteICalendarFile(const std::string& path, const Eventlist& events, const std::string& zoneName,
                        std::string* error = nullptr);

struct ICalendarImport {
    std::unique_ptr<Eventlist> events = std::make_unique<Eventlist>();
    // Descriptions (Windows-1252) of the events whose repetition had no
    // equivalent and that were kept at their first occurrence only.
    std::vector<std::string> simplified;
};

// Reads the VEVENTs of iCalendar text into `result` (emptied first); times
// with a zone are converted to the local zone (TZ). False, with the reason
// in `error` and no events, when the text is damaged (see above).
bool ReadICalendar(std::string_view text, ICalendarImport& result, std::string& error);
bool ReadICalendarFile(const std::string& path, ICalendarImport& result, std::string& error);

}  // namespace vorlen::store
