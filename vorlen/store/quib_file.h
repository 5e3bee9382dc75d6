// Conversion of calendar files of an older foreign program ("QUIB" files,
// "*.cal"), versions 9 and 10.
#pragma once

#include "vorlen/core/event_list.h"

#include <string_view>

namespace vorlen::store {

// Appends one event per record of the file. False for an unknown version,
// a record cut short or a missing trailer; `events` is then unchanged.
bool ConvertQuib(std::string_view bytes, Eventlist& events);

}  // namespace vorlen::store
