// The month calendar control: the month and year with their arrows, the
// weekday header and the 6 x 7 day grid with the selected day in white on
// black. As a child of a screen (childMode 1) it draws the days that carry
// events in red and reports every change of the date; as the date picker
// of the event dialog (childMode 0) it lives in a pop-up, marks nothing and
// reports only days clicked.
#pragma once

#include "vorlen/core/event_list.h"
#include "vorlen/views/month_layout.h"

#include <wx/control.h>
#include <wx/event.h>

class wxStaticText;

namespace vorlen {

// Sent to the parent as command events carrying the control's id (the
// message numbers of the original window messages, 0x26FF and 0x2700).
wxDECLARE_EVENT(CalDateChanged, wxCommandEvent);
wxDECLARE_EVENT(CalDayDoubleClicked, wxCommandEvent);

inline constexpr int calMonthFieldId = 1004;
inline constexpr int calYearFieldId = 1005;

inline constexpr int childModePopup = 0;
inline constexpr int childModeScreen = 1;

// Layout constants, in pixels at the normal scale.
inline constexpr int calArrowWidth = 14;
inline constexpr int calArrowHeight = 16;
inline constexpr int calGap = 2;
inline constexpr int calHeaderHeight = calGap * 10 + calArrowHeight * 2 + 12;  // 64

// The grid and frame rectangles of a control of `client` size.
struct CalGeometry {
    wxRect frameRect;
    wxRect gridRect;
    int cellWidth = 0;
    int cellHeight = 0;

    explicit CalGeometry(const wxSize& client);
    wxRect Cell(int row, int column) const;
};

class TCal : public wxControl {
public:
    // The selected day is `today`. `events` (childMode 1) gives the marks;
    // the list must outlive the control.
    TCal(wxWindow* parent, int id, const wxPoint& position, const wxSize& size, int childMode,
         const Eventlist* events = nullptr, const Date& today = Date::Today());

    // Selects `date` (ignored unless valid) and lays its month out afresh,
    // marks included; in childMode 1 reports CalDateChanged.
    void SetDate(const Date& date);
    const Date& GetDate() const { return date; }
    int ChildMode() const { return childMode; }

    // What the arrow `arrow` does when pressed: the new month or year, or
    // at the year limits a message and no change.
    void PressArrow(views::CalArrow arrow);
    // A press or double click at `point` (client coordinates), as the mouse
    // gives them.
    void ClickAt(const wxPoint& point);
    void DoubleClickAt(const wxPoint& point);

    // The grid as shown: built for the date's month when it is not yet.
    const views::MonthLayout& MonthGrid();
    int SelectedRow() const { return selectedRow; }
    int SelectedColumn() const { return selectedColumn; }
    CalGeometry Geometry() const;

private:
    void CreateChildren();
    void PlaceChildren();
    // DrawDays' first step: a new month's table, its selection and marks.
    void EnsureMonth();
    void SelectCell(int row, int column);
    void Notify(const wxEventType& type);
    void RefreshGrid();

    void OnPaint(wxPaintEvent& event);
    void DrawFrames(wxDC& dc, const CalGeometry& geometry);
    void DrawDays(wxDC& dc, const CalGeometry& geometry);
    void OnSize(wxSizeEvent& event);
    void OnArrow(wxCommandEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnLeftDoubleClick(wxMouseEvent& event);
    void OnKillFocus(wxFocusEvent& event);

    Date date;
    views::MonthLayout layout;
    int childMode;
    const Eventlist* events;
    int selectedRow = -1;
    int selectedColumn = -1;
    wxStaticText* monthField = nullptr;
    wxStaticText* yearField = nullptr;
    wxDECLARE_EVENT_TABLE();
};

}  // namespace vorlen
