#include "imported_events.h"

namespace vorlen {

int AppendImportedEvents(Eventlist& imported, Eventlist& events, Typelist& types) {
    int count = imported.count;
    for (const EventNode& event : imported) {
        if (!event.typeName.view().empty() && !types.Find(event.typeName.view()))
            types.Add(event.typeName.view());
    }
    events.Splice(imported);
    return count;
}

}  // namespace vorlen
