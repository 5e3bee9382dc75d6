// The RRULE texts of iCalendar for the periods of events, and which rules
// have an exact equivalent among the periods.
#pragma once

#include <string>
#include <string_view>

#include "vorlen/core/event_node.h"

namespace vorlen::store {

// The rule for the event's period, without UNTIL: "FREQ=WEEKLY;BYDAY=MO",
// "FREQ=WEEKLY;INTERVAL=2;BYDAY=MO", "FREQ=MONTHLY;BYMONTHDAY=15",
// "FREQ=DAILY;INTERVAL=3", "FREQ=YEARLY", "FREQ=MONTHLY;BYDAY=2TU" or
// "FREQ=YEARLY;BYMONTH=4;BYDAY=2TU". Empty for once-off and undefined
// periods, for a daily event repeating every 0 days and for a position
// whose ordinal or weekday is out of range.
std::string ICalRuleText(const EventNode& event);

// The first day on or after `from` that a monthly-by-position event
// occurs on (within two years), or `from` itself when none does.
Date FirstPositionDay(const MonthlyPosition& position, const Date& from);

// Sets period, repeatDays and monthlyPosition from a rule (UNTIL is left to
// the caller) when a period repeats on exactly its days starting at
// `ruleStart` (DTSTART's day in its own zone). False, with the event
// unchanged, for a rule with no equivalent: COUNT, BYSETPOS, several days,
// a last weekday, every other month, hours and the like.
bool ReadICalRule(std::string_view text, const Date& ruleStart, EventNode& event);

}  // namespace vorlen::store
