// Readable wordings of an event's repetition rule.
#pragma once

#include "vorlen/core/event_node.h"

#include <string>

namespace vorlen {

// "The second Tuesday of every month", "The fifth Friday of May"; parts
// out of range are left out.
std::string MonthlyPositionText(const MonthlyPosition& position);

}  // namespace vorlen
