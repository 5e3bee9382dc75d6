// What the event list shows of an event, column by column, and the widths
// of its columns kept in the settings store.
#pragma once

#include "vorlen/core/event_node.h"
#include "vorlen/platform/settings.h"

#include <string>

namespace vorlen::views {

inline constexpr int eventListColumnCount = 8;

struct EventListColumn {
    const char* header;
    int defaultWidth;
};

inline constexpr EventListColumn eventListColumns[eventListColumnCount] = {
    {"Description", 250}, {"Type", 150},    {"Start Date", 70},  {"Start Time", 70},
    {"End Date", 70},     {"End Time", 70}, {"Expiry Date", 70}, {"Where", 100},
};

// Twelve widths in pixels: the eight columns, then four that are kept
// with them and mean nothing.
using ColumnWidths = platform::StoredInts;

// The text of `column` for `event`: empty for a time that is not valid and
// for an end or expiry date without a day.
std::string EventListCellText(const EventNode& event, int column);

// The stored widths are pixels of the small font the list was laid out
// for, whose digits are 6 pixels wide. A larger font widens the columns in
// proportion (`scale`, never below 1) so that a date still fits its column;
// the widths go back to the store in the stored unit, so that a stored
// width comes back unchanged. Stored widths below 0 or above 10000 are
// nothing a user sets: they count as 0 and 10000.
inline constexpr int layoutDigitWidth = 6;
double ColumnWidthScale(double digitWidth);
int ShownColumnWidth(int stored, double scale);
int StoredColumnWidth(int shown, double scale);

// The stored widths; the defaults when there are none, and 70 and 100 for
// the last two columns when they were stored as 0 (widths saved when the
// list had six columns).
ColumnWidths ReadColumnWidths();
// Stores all twelve widths; a failure is reported as a settings problem.
void WriteColumnWidths(const ColumnWidths& widths);

}  // namespace vorlen::views
