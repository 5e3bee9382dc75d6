// The "Calendar Display" screen: the month calendar on the left with the
// selected day's number and name above it and "Jump to today" below, the
// day view of the selected day on the right. A click on a day shows it; a
// double click opens the event dialog for a new event on that day.
#pragma once

#include "vorlen/views/screen_banner.h"
#include "vorlen/views/calendar_control.h"
#include "vorlen/views/day_view.h"
#include "vorlen/views/event_edit_dialog.h"

#include <wx/bitmap.h>
#include <wx/window.h>

namespace vorlen {

inline constexpr int calendarControlId = 1367;
inline constexpr int jumpToTodayId = 1007;

class TCalendarWindow : public wxWindow {
public:
    using Clock = Date (*)();

    // Selects today (`clock` tells the day); `depth` is the display's bits
    // per pixel, which picks the banner.
    TCalendarWindow(wxWindow* parent, EventEditData data, Clock clock = &Date::Today,
                    int depth = wxDisplayDepth());

    // The calendar, the selected day and the day view on today.
    void JumpToToday();
    // The day number and name drawn afresh, the day view on the day.
    void ShowSelectedDay();
    void ResizeChildren();
    void LayoutDayView();

    const Date& SelectedDate() const { return selectedDate; }
    TCal* Calendar() const { return calendar; }
    TDayView& DayView() { return dayView; }
    const wxBitmap& BannerBitmap() const { return banner.Banner(); }

private:
    // A rectangle of the layout, given at the normal scale.
    wxRect Scaled(const wxRect& rect) const;
    void DrawSelectedDay(wxDC& dc);

    void OnPaint(wxPaintEvent& event);
    void OnSize(wxSizeEvent& event);
    void OnJumpToToday(wxCommandEvent& event);
    void OnCalDateChanged(wxCommandEvent& event);
    void OnCalDayDoubleClicked(wxCommandEvent& event);

    EventEditData data;
    Clock clock;
    Date selectedDate;
    ScreenBanner banner;
    TCal* calendar = nullptr;
    TDayView dayView;
    bool firstPaint = true;
    wxDECLARE_EVENT_TABLE();
};

}  // namespace vorlen
