// Which events fall on a given day, and which coming occurrences lie within
// an event's warning window. Everything is computed afresh from the event's
// fields; nothing is cached.
#pragma once

#include "vorlen/core/date_time.h"
#include "vorlen/core/event_list.h"
#include "vorlen/core/event_node.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace vorlen {

struct OccurrenceEntry {
    const EventNode* event = nullptr;  // not owned
    int32_t daysAhead = 0;             // 0 = falls on the day asked
    Date occurrenceDate;               // the day asked, or the coming occurrence
    Date occurrenceEnd;                // last day of a multi-day occurrence, else empty
    bool continuing = false;           // the day asked lies inside an occurrence begun earlier
};

// Appends the entries of one event for day `day` (a valid date) to `out`.
// With warnings, occurrences within the event's warningDays are added too.
void AppendOccurrences(const EventNode& event, const Date& day, bool withWarnings,
                       std::vector<OccurrenceEntry>& out);

// The same for every event of a list, in list order.
void AppendOccurrences(const Eventlist& events, const Date& day, bool withWarnings,
                       std::vector<OccurrenceEntry>& out);

std::vector<OccurrenceEntry> Occurrences(const EventNode& event, const Date& day, bool withWarnings);

// Years since the event's start year at this occurrence, when they are to be
// shown: the start year is known (neither 0 nor 1900) and differs from the
// occurrence's year.
std::optional<int32_t> AnniversaryYears(const EventNode& event, const Date& occurrenceDate);

}  // namespace vorlen
