// Events as comma-separated values for spreadsheets. Nothing reads this
// format back.
#pragma once

#include "vorlen/core/event_list.h"

#include <string>

namespace vorlen::store {

// The header line and one line per event, in list order, each ended by the
// platform's line break.
std::string CsvText(const Eventlist& events);

}  // namespace vorlen::store
