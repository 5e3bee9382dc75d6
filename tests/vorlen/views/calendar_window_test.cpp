// The calendar display under Xvfb: its layout, the day chosen in the
// calendar shown in the day view, a new event by double click, and the
// screenshot of the whole screen.
#include "vorlen/views/calendar_window.h"

#include "tests/vorlen/core/date_settings_guard.h"
#include "tests/vorlen/support/config_home.h"

#include "../gui/gui_support.h"

#include <wx/button.h>
#include <wx/frame.h>
#include <wx/statbox.h>
#include <wx/textctrl.h>

#include <gtest/gtest.h>

namespace vorlen {
namespace {

using test::AnswerModal;
using test::LetEventsRun;

Date Today() {
    return Date(5, 6, 2026);
}

class CalendarScreen : public ::testing::Test {
protected:
    void SetUp() override {
        file.saved = 1;
        frame = new wxFrame(nullptr, wxID_ANY, "frame", wxDefaultPosition, wxSize(820, 520));
        Add(PeriodOnceOff, Date(15, 6, 2026), Time(), "Mother's birthday");
        Add(PeriodWeekly, Date(29, 5, 2026), Time(9, 0), "Team meeting").endTime = Time(10, 0);
        Add(PeriodOnceOff, Date(5, 6, 2026), Time(14, 0), "Dentist");
        screen = new TCalendarWindow(frame, data, &Today);
        frame->Show();
        LetEventsRun(300);
    }
    void TearDown() override { frame->Destroy(); }

    EventNode& Add(int32_t period, const Date& start, const Time& time, const char* text) {
        EventNode& event = *events.Add();
        event.period = period;
        event.startDate = start;
        event.startTime = time;
        event.description = OptionalText(text);
        event.typeName = OptionalText("Normal");
        return event;
    }
    bool Marked(int day) {
        int row = 0, column = 0;
        const views::MonthLayout& grid = screen->Calendar()->MonthGrid();
        return views::FindDay(grid, day, &row, &column) && grid.cells[row][column].hasEvents;
    }
    // A cell's middle in the calendar's client coordinates.
    wxPoint CellOf(int row, int column) {
        wxRect cell = screen->Calendar()->Geometry().Cell(row, column);
        return screen->Calendar()->FromDIP(wxPoint(cell.x + 10, cell.y + 9));
    }

    test::ConfigHomeGuard home;
    test::DateSettingsGuard dayFirst{1, '/', 1};
    Eventlist events;
    Typelist types;
    store::DataFile file;
    EventEditData data{events, types, file};
    wxFrame* frame = nullptr;
    TCalendarWindow* screen = nullptr;
};

TEST_F(CalendarScreen, ShowsTodayWithTheDayViewOnTheRight) {
    EXPECT_EQ(frame->GetTitle(), "Tolvane Vorlen");
    TCal* cal = screen->Calendar();
    EXPECT_EQ(cal->GetId(), calendarControlId);
    EXPECT_EQ(cal->ChildMode(), childModeScreen);
    EXPECT_EQ(wxRect(screen->ToDIP(cal->GetPosition()), screen->ToDIP(cal->GetSize())), wxRect(20, 75, 180, 180));
    wxWindow* jump = screen->FindWindow(jumpToTodayId);
    ASSERT_NE(jump, nullptr);
    EXPECT_EQ(static_cast<wxButton*>(jump)->GetLabel(), "Jump to today");
    EXPECT_EQ(wxRect(screen->ToDIP(jump->GetPosition()), screen->ToDIP(jump->GetSize())), wxRect(20, 275, 180, 25));
    EXPECT_EQ(screen->SelectedDate(), Today());
    EXPECT_EQ(screen->DayView().Kind(), ViewKindSlots);
    EXPECT_EQ(screen->DayView().GetDate(), Today());
    EXPECT_EQ(screen->DayView().Reminders().count, 2);  // the meeting and the dentist
    wxRect group = screen->DayView().TodayGroup()->GetRect();
    EXPECT_EQ(screen->ToDIP(group.GetPosition()).x, 220);
    EXPECT_EQ(group.GetRight() + 1, screen->GetClientSize().x - screen->FromDIP(20));
    EXPECT_TRUE(Marked(15));
    EXPECT_FALSE(Marked(16));
    EXPECT_FALSE(test::SaveScreenshot(frame, "calendar_screen").empty());
}

TEST_F(CalendarScreen, AClickedDayGoesToTheDayView) {
    screen->Calendar()->ClickAt(CellOf(2, 1));
    EXPECT_EQ(screen->SelectedDate(), Date(15, 6, 2026));
    EXPECT_EQ(screen->DayView().GetDate(), Date(15, 6, 2026));
    EXPECT_EQ(screen->DayView().Reminders().count, 1);
    screen->Calendar()->PressArrow(views::calNextMonth);
    EXPECT_EQ(screen->DayView().GetDate(), Date(1, 7, 2026)) << "the arrows report the new day too";
    test::Press(screen, jumpToTodayId);
    EXPECT_EQ(screen->Calendar()->GetDate(), Today());
    EXPECT_EQ(screen->DayView().GetDate(), Today());
}

// A double click proposes the day to a new event; the day view lists the
// event at once, the grid marks it when the month is built anew.
TEST_F(CalendarScreen, DoubleClickAddsAnEventOnTheDay) {
    TCal* cal = screen->Calendar();
    cal->ClickAt(CellOf(3, 3));  // Wednesday 24 June
    ASSERT_EQ(screen->SelectedDate(), Date(24, 6, 2026));
    std::string proposed;
    wxTEST_DIALOG(cal->DoubleClickAt(CellOf(3, 3)), AnswerModal<TEventEditDlg>([&](TEventEditDlg* dialog) {
                      proposed = static_cast<wxTextCtrl*>(dialog->FindWindow(eventStartDate))->GetValue().utf8_string();
                      Add(PeriodOnceOff, Date(24, 6, 2026), Time(), "Added");
                      return wxID_OK;
                  }));
    EXPECT_EQ(proposed, "We 24/06/2026");
    EXPECT_EQ(screen->DayView().Reminders().count, 1);
    EXPECT_FALSE(Marked(24));
    test::Press(screen, jumpToTodayId);
    EXPECT_TRUE(Marked(24));
    EXPECT_EQ(screen->SelectedDate(), Today());
}

}  // namespace
}  // namespace vorlen
