#include "vorlen/views/month_layout.h"

#include "vorlen/remind/reminder_list.h"

#include <gtest/gtest.h>

namespace vorlen::views {
namespace {

int DaysIn(const MonthLayout& layout) {
    int days = 0;
    for (const auto& row : layout.cells)
        for (const CalCell& cell : row)
            days += cell.date.day != 0;
    return days;
}

TEST(MonthLayout, SaturdayFirstOf31DaysFillsSixRows) {
    MonthLayout layout;
    BuildMonth(layout, Date(17, 1, 2022));  // 1 January 2022 is a Saturday
    EXPECT_EQ(layout.cells[0][5].date.day, 0);
    EXPECT_EQ(layout.cells[0][6].date, Date(1, 1, 2022));
    EXPECT_EQ(layout.cells[1][0].date, Date(2, 1, 2022));
    EXPECT_EQ(layout.cells[5][1].date, Date(31, 1, 2022));
    EXPECT_EQ(layout.cells[5][2].date.day, 0);
    EXPECT_EQ(DaysIn(layout), 31);
    int row = -1, column = -1;
    ASSERT_TRUE(FindDay(layout, 17, &row, &column));
    EXPECT_EQ(row, 3);
    EXPECT_EQ(column, 1);
    EXPECT_FALSE(FindDay(layout, 32, &row, &column));
}

TEST(MonthLayout, RebuildEmptiesCellsAndFlagsOfTheMonthBefore) {
    MonthLayout layout;
    BuildMonth(layout, Date(1, 1, 2022));
    layout.cells[5][1].hasEvents = true;
    BuildMonth(layout, Date(1, 2, 2022));  // a Tuesday, 28 days: rows 0-4
    EXPECT_EQ(layout.cells[5][1].date.day, 0);
    EXPECT_FALSE(layout.cells[5][1].hasEvents);
    EXPECT_EQ(layout.cells[0][2].date, Date(1, 2, 2022));
    EXPECT_TRUE(layout.Shows(Date(9, 2, 2022)));
    EXPECT_FALSE(layout.Shows(Date(9, 2, 2023)));
}

TEST(MonthLayout, FebruaryFollowsTheLeapYearRules) {
    MonthLayout layout;
    for (auto [year, days] : {std::pair{2000, 29}, {1900, 28}, {2100, 28}, {2024, 29}, {2023, 28}}) {
        BuildMonth(layout, Date(1, 2, year));
        EXPECT_EQ(DaysIn(layout), days) << year;
    }
}

TEST(CalendarArrows, MonthArrowsGoToTheFirstAcrossTheYearEnd) {
    EXPECT_EQ(StepArrow(calPreviousMonth, Date(20, 1, 1999)).date, Date(1, 12, 1998));
    EXPECT_EQ(StepArrow(calNextMonth, Date(31, 12, 1999)).date, Date(1, 1, 2000));
    EXPECT_EQ(StepArrow(calNextMonth, Date(31, 1, 2001)).date, Date(1, 2, 2001));
    EXPECT_TRUE(StepArrow(calNextMonth, Date(31, 1, 2001)).refusal.empty());
}

TEST(CalendarArrows, YearArrowsMoveTheTwentyNinthOfFebruaryToTheFirst) {
    EXPECT_EQ(StepArrow(calNextYear, Date(29, 2, 2000)).date, Date(1, 2, 2001));
    EXPECT_EQ(StepArrow(calPreviousYear, Date(29, 2, 2000)).date, Date(1, 2, 1999));
    EXPECT_EQ(StepArrow(calNextYear, Date(28, 2, 2000)).date, Date(28, 2, 2001));
    EXPECT_EQ(StepArrow(calPreviousYear, Date(31, 3, 2000)).date, Date(31, 3, 1999));
}

TEST(CalendarArrows, EveryArrowStopsAtTheSupportedYears) {
    const std::string early = "Years before 1900 not supported";
    const std::string late = "Vorlen only supports up to the year 3000";
    struct Case {
        CalArrow arrow;
        Date from;
        std::string refusal;
    } cases[] = {
        {calPreviousYear, Date(5, 6, 1900), early},   {calPreviousMonth, Date(5, 1, 1900), early},
        {calNextYear, Date(5, 6, 3000), late},        {calNextMonth, Date(5, 12, 3000), late},
        {calPreviousYear, Date(5, 6, 1901), ""},      {calPreviousMonth, Date(5, 2, 1900), ""},
        {calNextMonth, Date(5, 11, 3000), ""},        {calNextYear, Date(5, 6, 2999), ""},
    };
    for (const Case& c : cases) {
        ArrowStep step = StepArrow(c.arrow, c.from);
        EXPECT_EQ(step.refusal, c.refusal) << c.arrow << " " << c.from.Text();
        if (!c.refusal.empty()) {
            EXPECT_EQ(step.date.day, c.from.day);
            EXPECT_EQ(step.date.month, c.from.month);
            EXPECT_EQ(step.date.year, c.from.year);
        } else {
            EXPECT_TRUE(step.date.IsValid());
        }
    }
}

EventNode& AddEvent(Eventlist& events, int32_t period, const Date& start) {
    EventNode& event = *events.Add();
    event.period = period;
    event.startDate = start;
    return event;
}

TEST(CalendarMarks, OneOffDayIsMarkedButNotItsWarningDays) {
    Eventlist events;
    AddEvent(events, PeriodOnceOff, Date(15, 3, 2026)).warningDays = 5;
    MonthLayout layout;
    BuildMonth(layout, Date(1, 3, 2026));
    MarkEventDays(events, layout);
    int row = 0, column = 0;
    ASSERT_TRUE(FindDay(layout, 15, &row, &column));
    EXPECT_TRUE(layout.cells[row][column].hasEvents);
    ASSERT_TRUE(FindDay(layout, 14, &row, &column));
    EXPECT_FALSE(layout.cells[row][column].hasEvents);
}

// The marks are the days whose reminder list, built without warnings, is
// not empty: every rule, spans over the month's edges and expiry included.
TEST(CalendarMarks, AgreeWithTheReminderListOfEveryDay) {
    Eventlist events;
    AddEvent(events, PeriodWeekly, Date(3, 2, 2026)).rangeEndDate = Date(17, 3, 2026);
    AddEvent(events, PeriodBiweekly, Date(5, 3, 2026)).warningDays = 3;
    AddEvent(events, PeriodDaily, Date(20, 3, 2026)).repeatDays = 4;
    AddEvent(events, PeriodMonthlyByDay, Date(31, 1, 2026));
    AddEvent(events, PeriodYearly, Date(29, 3, 2020));
    AddEvent(events, PeriodMonthlyByPosition, Date(1, 1, 2026)).monthlyPosition = {2, 3, 0};
    EventNode& span = AddEvent(events, PeriodOnceOff, Date(27, 2, 2026));
    span.endDate = Date(2, 3, 2026);
    ReminderList reminders(events);
    MonthLayout layout;
    for (int month : {2, 3, 4}) {
        BuildMonth(layout, Date(1, month, 2026));
        MarkEventDays(events, layout);
        int marked = 0;
        for (const auto& row : layout.cells)
            for (const CalCell& cell : row) {
                if (cell.date.day == 0)
                    continue;
                bool expected = reminders.Build(false, cell.date, Time()) > 0;
                EXPECT_EQ(cell.hasEvents, expected) << cell.date.Text();
                marked += cell.hasEvents;
            }
        EXPECT_GT(marked, 3) << month;
    }
}

}  // namespace
}  // namespace vorlen::views
