// The RRULE texts of vCalendar 1.0 for the periods of events: the few forms
// this program writes, and reading exactly those forms back.
#pragma once

#include <string>
#include <string_view>

#include "vorlen/core/event_node.h"

namespace vorlen::store {

// The rule for the event's period, followed by a blank and the expiry when
// the event has one: "W1", "W2", "MD 15", "D3", "YD1", "MP1 2 TU" or
// "MP12 2 TU". Empty for once-off and undefined periods, and for a
// monthly-by-position event whose weekday is not 1-7 (nothing sound to say).
std::string RuleText(const EventNode& event);

// Reads a rule of the forms RuleText writes (the expiry may end in "Z", or
// be "#0", repeating for ever) into
// period and rangeEndDate, and into repeatDays or monthlyPosition when the
// rule has them; other fields stay as they are. It needs the
// event's startDate: "MD n" must name its day, and "MP12" repeats in its
// month. False, with the event unchanged, for any other text.
bool ReadRule(std::string_view text, EventNode& event);

}  // namespace vorlen::store
