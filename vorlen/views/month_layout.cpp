#include "month_layout.h"

#include "vorlen/core/occurrences.h"

#include <vector>

namespace vorlen::views {
namespace {

constexpr char tooEarlyText[] = "Years before 1900 not supported";

std::string TooLateText(int32_t year) {
    return "Vorlen only supports up to the year " + std::to_string(year);
}

// Whether any event falls on `day`. Stops at the first one: most days of a
// real month carry something, so this rarely walks the whole list.
bool AnyEventOn(const Eventlist& events, const Date& day, std::vector<OccurrenceEntry>& found) {
    for (const EventNode* event = events.head; event; event = event->Next()) {
        AppendOccurrences(*event, day, false, found);
        if (!found.empty()) {
            found.clear();
            return true;
        }
    }
    return false;
}

}  // namespace

void BuildMonth(MonthLayout& layout, const Date& date) {
    for (auto& row : layout.cells)
        for (CalCell& cell : row)
            cell = CalCell();
    Date first(1, date.month, date.year);
    int row = 0;
    int column = first.DayOfWeek();
    for (int32_t day = 1; day <= first.DaysInMonth(); ++day) {
        layout.cells[row][column].date = Date(day, date.month, date.year);
        if (++column == calColumns) {
            column = 0;
            ++row;
        }
    }
    layout.shownMonth = date.month;
    layout.shownYear = date.year;
}

bool FindDay(const MonthLayout& layout, int32_t day, int* row, int* column) {
    for (int r = 0; r < calRows; ++r)
        for (int c = 0; c < calColumns; ++c)
            if (day != 0 && layout.cells[r][c].date.day == day) {
                *row = r;
                *column = c;
                return true;
            }
    return false;
}

void MarkEventDays(const Eventlist& events, MonthLayout& layout) {
    std::vector<OccurrenceEntry> found;
    for (auto& row : layout.cells)
        for (CalCell& cell : row)
            cell.hasEvents = cell.date.day != 0 && AnyEventOn(events, cell.date, found);
}

ArrowStep StepArrow(CalArrow arrow, const Date& date) {
    Date next = date;
    switch (arrow) {
    case calNextMonth:
        if (date.month >= 12 && date.year >= lastCalendarYear)
            return {date, TooLateText(date.year)};
        next = date.month >= 12 ? Date(1, 1, date.year + 1) : Date(1, date.month + 1, date.year);
        break;
    case calPreviousMonth:
        if (date.month <= 1 && date.year <= firstCalendarYear)
            return {date, tooEarlyText};
        next = date.month <= 1 ? Date(1, 12, date.year - 1) : Date(1, date.month - 1, date.year);
        break;
    case calNextYear:
        if (date.year >= lastCalendarYear)
            return {date, TooLateText(date.year)};
        ++next.year;
        if (next.month == 2 && next.day > 28)
            next.day = 1;
        break;
    case calPreviousYear:
        if (date.year <= firstCalendarYear)
            return {date, tooEarlyText};
        --next.year;
        if (next.month == 2 && next.day == 29)
            next.day = 1;
        break;
    }
    return {next, {}};
}

}  // namespace vorlen::views
