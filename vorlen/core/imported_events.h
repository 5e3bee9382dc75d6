// Events that come from outside the open file (an import, a paste) join it
// through one path, so that every way in gives the same result.
#pragma once

#include "vorlen/core/event_list.h"
#include "vorlen/core/type_list.h"

namespace vorlen {

// Moves every event of `imported` to the end of `events` in order and adds
// the categories they name that `types` lacks. Returns how many came.
int AppendImportedEvents(Eventlist& imported, Eventlist& events, Typelist& types);

}  // namespace vorlen
