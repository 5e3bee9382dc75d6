// The month grid of the calendar control, without any window: which day
// sits in which of the 6 x 7 cells (Sunday first), which days carry events,
// and where the four arrows take the selected date. The control draws what
// this computes.
#pragma once

#include "vorlen/core/date_time.h"
#include "vorlen/core/event_list.h"

#include <string>

namespace vorlen::views {

inline constexpr int calRows = 6;
inline constexpr int calColumns = 7;

// The years the calendar moves within: those a Date holds as valid.
inline constexpr int32_t firstCalendarYear = 1900;
inline constexpr int32_t lastCalendarYear = 3000;

struct CalCell {
    Date date;  // day 0 = an empty cell
    bool hasEvents = false;
};

struct MonthLayout {
    CalCell cells[calRows][calColumns];
    int32_t shownMonth = 0;  // 0 = not built
    int32_t shownYear = 0;

    bool Shows(const Date& date) const { return shownMonth != 0 && shownMonth == date.month && shownYear == date.year; }
    void Forget() { shownMonth = 0; }
};

// Empties the grid and lays out the month of `date` (a month 1-12): the
// 1st in row 0 at its weekday's column, a new row after each Saturday.
void BuildMonth(MonthLayout& layout, const Date& date);

// The cell holding `day` of the shown month; false when none does.
bool FindDay(const MonthLayout& layout, int32_t day, int* row, int* column);

// Flags every cell whose day has at least one event falling on it, advance
// warnings not counted: the days a reminder list built without warnings
// would not be empty for.
void MarkEventDays(const Eventlist& events, MonthLayout& layout);

// The arrow buttons' ids, which are also their commands.
enum CalArrow : int {
    calPreviousMonth = 1000,
    calPreviousYear = 1001,
    calNextYear = 1002,
    calNextMonth = 1003,
};

// Where an arrow takes `date`: the new date, or, at the year limits, the
// unchanged date and the message to show (`refusal` not empty).
struct ArrowStep {
    Date date;
    std::string refusal;
};
ArrowStep StepArrow(CalArrow arrow, const Date& date);

}  // namespace vorlen::views
