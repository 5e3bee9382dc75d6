#include "calendar_window.h"

#include "vorlen/platform/wx_text.h"

#include <wx/button.h>
#include <wx/dcbuffer.h>
#include <wx/settings.h>
#include <wx/toplevel.h>

namespace vorlen {
namespace {

const wxRect calendarRect(20, 75, 180, 180);
const wxRect jumpButtonRect(20, 275, 180, 25);
// The selected day: its name right of its large number.
const wxRect dayNameRect(wxPoint(65, 50), wxPoint(180 - 1, 68 - 1));
const wxRect dayNumberRect(wxPoint(25, 40), wxPoint(65 - 1, 70 - 1));
const wxRect selectedDayBand(wxPoint(25, 40), wxPoint(180 - 1, 70 - 1));
constexpr int dayViewLeft = 220;

wxFont DayFont(int pixels) {
    wxFont font = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    font.SetPixelSize(wxSize(0, pixels));
    font.SetWeight(wxFONTWEIGHT_SEMIBOLD);
    return font;
}

}  // namespace

wxBEGIN_EVENT_TABLE(TCalendarWindow, wxWindow)
    EVT_PAINT(TCalendarWindow::OnPaint)
    EVT_SIZE(TCalendarWindow::OnSize)
    EVT_BUTTON(jumpToTodayId, TCalendarWindow::OnJumpToToday)
    EVT_COMMAND(calendarControlId, CalDateChanged, TCalendarWindow::OnCalDateChanged)
    EVT_COMMAND(calendarControlId, CalDayDoubleClicked, TCalendarWindow::OnCalDayDoubleClicked)
wxEND_EVENT_TABLE()

TCalendarWindow::TCalendarWindow(wxWindow* parent, EventEditData data, Clock clock, int depth)
    : wxWindow(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxFULL_REPAINT_ON_RESIZE),
      data(data),
      clock(clock),
      selectedDate(clock()),
      banner(*this, depth),
      dayView(selectedDate, this, data, ViewKindSlots) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE));
    if (wxWindow* frame = wxGetTopLevelParent(parent))
        frame->SetLabel("Tolvane Vorlen");
    auto* jump = new wxButton(this, jumpToTodayId, "Jump to today", FromDIP(jumpButtonRect.GetPosition()),
                              FromDIP(jumpButtonRect.GetSize()));
    jump->SetFont(wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT));
    calendar = new TCal(this, calendarControlId, FromDIP(calendarRect.GetPosition()),
                        FromDIP(calendarRect.GetSize()), childModeScreen, &data.events, selectedDate);
    // The day view made its controls when it was constructed.
    dayView.Refresh();
    dayView.ShowListPane();
}

wxRect TCalendarWindow::Scaled(const wxRect& rect) const {
    return wxRect(FromDIP(rect.GetPosition()), FromDIP(rect.GetSize()));
}

void TCalendarWindow::JumpToToday() {
    Date today = clock();
    calendar->SetDate(today);
    selectedDate = today;
    dayView.SetDate(today);
    LayoutDayView();
    RefreshRect(Scaled(selectedDayBand));
}

void TCalendarWindow::ShowSelectedDay() {
    RefreshRect(Scaled(selectedDayBand));
    dayView.SetDate(selectedDate);
    LayoutDayView();
}

void TCalendarWindow::ResizeChildren() {
    if (wxWindow* jump = FindWindow(jumpToTodayId))
        jump->SetSize(Scaled(jumpButtonRect));
    LayoutDayView();
}

void TCalendarWindow::LayoutDayView() {
    wxSize client = GetClientSize();
    int top = banner.BannerHeight();
    dayView.SetLayout(FromDIP(dayViewLeft), top + FromDIP(10), client.x - FromDIP(20), client.y - top + FromDIP(10));
}

void TCalendarWindow::DrawSelectedDay(wxDC& dc) {
    dc.SetTextForeground(*wxBLACK);
    dc.SetFont(DayFont(12));
    wxRect name = Scaled(dayNameRect);
    dc.DrawLabel(platform::ToWx(selectedDate.DayName()), name.Deflate(FromDIP(4), 0),
                 wxALIGN_LEFT | wxALIGN_CENTRE_VERTICAL);
    dc.SetTextForeground(wxColour(0, 0, 255));
    dc.SetFont(DayFont(30));
    dc.DrawLabel(wxString::Format("%d", selectedDate.day), Scaled(dayNumberRect),
                 wxALIGN_RIGHT | wxALIGN_CENTRE_VERTICAL);
}

void TCalendarWindow::OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    dc.SetBackground(wxBrush(GetBackgroundColour()));
    dc.Clear();
    banner.Draw(dc);
    // The first paint selects today. The screen was built on today a
    // moment ago, so the jump is needed only when the day has changed since:
    // it would mark the month and fill the day view a second time.
    if (firstPaint) {
        firstPaint = false;
        if (clock() != selectedDate)
            CallAfter([this] { JumpToToday(); });
    }
    DrawSelectedDay(dc);
}

void TCalendarWindow::OnSize(wxSizeEvent& event) {
    ResizeChildren();
    event.Skip();
}

void TCalendarWindow::OnJumpToToday(wxCommandEvent&) {
    JumpToToday();
}

void TCalendarWindow::OnCalDateChanged(wxCommandEvent&) {
    if (calendar->GetDate() == selectedDate)
        return;
    selectedDate = calendar->GetDate();
    ShowSelectedDay();
}

void TCalendarWindow::OnCalDayDoubleClicked(wxCommandEvent&) {
    selectedDate = calendar->GetDate();
    TEventEditDlg dialog(this, data);
    dialog.SetDate(selectedDate.day, selectedDate.month, selectedDate.year);
    if (dialog.ShowModal() != wxID_OK)
        return;
    dayView.SetDate(selectedDate);
    LayoutDayView();
}

}  // namespace vorlen
