// What the information tree's "Record Details" panel says about one event:
// its texts in words, and which of the optional fields have anything to
// show (their labels are greyed out otherwise). Texts are Windows-1252.
#pragma once

#include "vorlen/core/event_node.h"

#include <string>

namespace vorlen::views {

struct RecordDetails {
    std::string description;
    std::string eventType;
    std::string start;
    std::string end;
    std::string rangeEnd;
    std::string where;
    std::string period;
    bool hasEnd = false;
    bool hasRangeEnd = false;
    bool hasWhere = false;
};

RecordDetails DescribeEvent(const EventNode& event);

// "Once Off", "Every Monday, Fortnightly", "Monthly on the 22nd", ...;
// "Undefined!" for a period the program does not know.
std::string PeriodPhrase(const EventNode& event);

// The start as the panel shows it: "09:30, <date>" with a time, day and
// month alone for a date without a year, else the locale's short date.
std::string StartText(const EventNode& event);

}  // namespace vorlen::views
