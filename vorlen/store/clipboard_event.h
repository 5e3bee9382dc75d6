// The bytes of the private clipboard format: one event, copied whole, so
// that a paste gives the event as it was when it was copied even after the
// listed event was changed, cut or deleted.
#pragma once

#include "vorlen/core/event_node.h"

#include <string>
#include <string_view>

namespace vorlen::store {

// A versioned tag, then the event as a data file record, then the monthly
// position, which the record keeps only for monthly-by-position events.
std::string SerialiseEvent(const EventNode& event);

// False, with `event` left partly filled, for bytes that are not exactly
// one event of this version.
bool DeserialiseEvent(std::string_view bytes, EventNode& event);

}  // namespace vorlen::store
