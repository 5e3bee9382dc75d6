// What the iCalendar writer and reader share: the owner of a libical
// component tree, libical's one-time set-up and this program's own
// properties.
#pragma once

#include <libical/ical.h>

#include <memory>

namespace vorlen::store::ical {

struct ComponentDeleter {
    void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
using ComponentPtr = std::unique_ptr<icalcomponent, ComponentDeleter>;

// libical errors are reported, never fatal. libical keeps that in a
// global: call before any use.
void SetUpLibical();

// Kept so that a round trip gives them back.
inline constexpr char warningDaysProperty[] = "X-VORLEN-WARNING-DAYS";
inline constexpr char autoDeleteProperty[] = "X-VORLEN-AUTO-DELETE";

}  // namespace vorlen::store::ical
