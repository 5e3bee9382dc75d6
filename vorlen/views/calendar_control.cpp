#include "calendar_control.h"

#include "vorlen/platform/wx_text.h"
#include "vorlen/views/glyph_button.h"

#include <wx/dcbuffer.h>
#include <wx/msgdlg.h>
#include <wx/popupwin.h>
#include <wx/settings.h>
#include <wx/stattext.h>

namespace vorlen {

wxDEFINE_EVENT(CalDateChanged, wxCommandEvent);
wxDEFINE_EVENT(CalDayDoubleClicked, wxCommandEvent);

namespace {

using platform::ToWx;
using views::calColumns;
using views::calRows;

constexpr char weekdayHeader[] = "  S    M    T    W    T    F    S";
constexpr int frameInset = 4;

int RightOf(const wxRect& r) {
    return r.x + r.width;
}
int BottomOf(const wxRect& r) {
    return r.y + r.height;
}

// The program's dialog font at `pixels` high: the toolkit's default GUI
// font stands for the stock variable-pitch font of the original screens.
wxFont DialogFont(int pixels, wxFontWeight weight = wxFONTWEIGHT_NORMAL) {
    wxFont font = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    font.SetPixelSize(wxSize(0, pixels));
    font.SetWeight(weight);
    return font;
}

// A window edge of two lines: raised (light above and left) or sunken.
void DrawEdge(wxDC& dc, const wxRect& r, bool raised) {
    wxColour light = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNHIGHLIGHT);
    wxColour dark = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW);
    wxColour darkest = wxSystemSettings::GetColour(wxSYS_COLOUR_3DDKSHADOW);
    wxRect outer = r;
    wxRect inner = wxRect(r).Deflate(1);
    auto frame = [&dc](const wxRect& rect, const wxColour& topLeft, const wxColour& bottomRight) {
        dc.SetPen(wxPen(topLeft));
        dc.DrawLine(rect.GetLeft(), rect.GetBottom(), rect.GetLeft(), rect.GetTop());
        dc.DrawLine(rect.GetLeft(), rect.GetTop(), rect.GetRight(), rect.GetTop());
        dc.SetPen(wxPen(bottomRight));
        dc.DrawLine(rect.GetRight(), rect.GetTop(), rect.GetRight(), rect.GetBottom());
        dc.DrawLine(rect.GetRight(), rect.GetBottom(), rect.GetLeft() - 1, rect.GetBottom());
    };
    if (raised) {
        frame(outer, light, darkest);
        frame(inner, light, dark);
    } else {
        frame(outer, dark, light);
        frame(inner, darkest, light);
    }
}

void DrawGroove(wxDC& dc, const wxRect& r) {
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.SetPen(wxPen(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW)));
    dc.DrawRectangle(r.x, r.y, r.width - 1, r.height - 1);
    dc.SetPen(wxPen(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNHIGHLIGHT)));
    dc.DrawRectangle(r.x + 1, r.y + 1, r.width - 1, r.height - 1);
}

}  // namespace

CalGeometry::CalGeometry(const wxSize& client) {
    frameRect = wxRect(client).Deflate(frameInset);
    int left = frameRect.x + 19;
    gridRect = wxRect(left, calHeaderHeight, frameRect.width - 32, frameRect.height - calHeaderHeight);
    cellWidth = gridRect.width / calColumns;
    cellHeight = gridRect.height / calRows;
}

wxRect CalGeometry::Cell(int row, int column) const {
    return wxRect(gridRect.x + column * cellWidth, gridRect.y + row * cellHeight, cellWidth, cellHeight);
}

wxBEGIN_EVENT_TABLE(TCal, wxControl)
    EVT_PAINT(TCal::OnPaint)
    EVT_SIZE(TCal::OnSize)
    EVT_BUTTON(views::calPreviousMonth, TCal::OnArrow)
    EVT_BUTTON(views::calPreviousYear, TCal::OnArrow)
    EVT_BUTTON(views::calNextYear, TCal::OnArrow)
    EVT_BUTTON(views::calNextMonth, TCal::OnArrow)
    EVT_LEFT_DOWN(TCal::OnLeftDown)
    EVT_LEFT_DCLICK(TCal::OnLeftDoubleClick)
    EVT_KILL_FOCUS(TCal::OnKillFocus)
wxEND_EVENT_TABLE()

TCal::TCal(wxWindow* parent, int id, const wxPoint& position, const wxSize& size, int childMode,
           const Eventlist* events, const Date& today)
    : wxControl(parent, id, position, size, wxBORDER_NONE),
      date(today),
      childMode(childMode),
      events(events) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE));
    CreateChildren();
    PlaceChildren();
}

void TCal::CreateChildren() {
    using Glyph = TGlyphButton::Glyph;
    wxSize arrow(calArrowWidth, calArrowHeight);
    new TGlyphButton(this, views::calPreviousMonth, Glyph::leftArrow, wxDefaultPosition, arrow);
    new TGlyphButton(this, views::calNextMonth, Glyph::rightArrow, wxDefaultPosition, arrow);
    new TGlyphButton(this, views::calPreviousYear, Glyph::leftArrow, wxDefaultPosition, arrow);
    new TGlyphButton(this, views::calNextYear, Glyph::rightArrow, wxDefaultPosition, arrow);
    long centred = wxALIGN_CENTRE_HORIZONTAL | wxST_NO_AUTORESIZE;
    monthField = new wxStaticText(this, calMonthFieldId, ToWx(date.MonthName()), wxDefaultPosition,
                                  wxDefaultSize, centred);
    yearField = new wxStaticText(this, calYearFieldId, ToWx(date.YearText()), wxDefaultPosition, wxDefaultSize,
                                 centred | wxBORDER_SUNKEN);
    // The fields are 13 and 14 pixels high: the dialog font at a size that
    // fits them.
    monthField->SetFont(DialogFont(12));
    yearField->SetFont(DialogFont(12));
}

// Children in logical pixels from the layout at the normal scale, so that
// the whole control grows with the display's scale factor.
void TCal::PlaceChildren() {
    const wxRect f = Geometry().frameRect;
    auto place = [this](int id, int x, int y, int width, int height) {
        if (wxWindow* child = FindWindow(id))
            child->SetSize(wxRect(FromDIP(wxPoint(x, y)), FromDIP(wxSize(width, height))));
    };
    int right = RightOf(f) - calArrowWidth;
    place(views::calPreviousMonth, f.x, f.y, calArrowWidth, calArrowHeight);
    place(views::calNextMonth, right, f.y, calArrowWidth, calArrowHeight);
    place(views::calPreviousYear, f.x, f.y + 18, calArrowWidth, calArrowHeight);
    place(views::calNextYear, right, f.y + 18, calArrowWidth, calArrowHeight);
    place(calMonthFieldId, f.x + 17, f.y + 2, f.width - 34, 13);
    place(calYearFieldId, f.x + 17, f.y + 18, f.width - 34, 14);
}

CalGeometry TCal::Geometry() const {
    return CalGeometry(ToDIP(GetClientSize()));
}

void TCal::SetDate(const Date& newDate) {
    if (!newDate.IsValid())
        return;
    date = newDate;
    selectedRow = -1;
    layout.Forget();
    RefreshGrid();
    if (childMode == childModeScreen)
        Notify(CalDateChanged);
}

const views::MonthLayout& TCal::MonthGrid() {
    EnsureMonth();
    return layout;
}

void TCal::EnsureMonth() {
    if (layout.Shows(date))
        return;
    views::BuildMonth(layout, date);
    monthField->SetLabel(ToWx(date.MonthName()));
    yearField->SetLabel(ToWx(date.YearText()));
    int row = -1, column = -1;
    views::FindDay(layout, date.day, &row, &column);
    selectedRow = row;
    selectedColumn = column;
    if (childMode == childModeScreen && events)
        views::MarkEventDays(*events, layout);
}

void TCal::SelectCell(int row, int column) {
    date = layout.cells[row][column].date;
    selectedRow = row;
    selectedColumn = column;
    RefreshGrid();
}

void TCal::Notify(const wxEventType& type) {
    wxCommandEvent notice(type, GetId());
    notice.SetEventObject(this);
    ProcessWindowEvent(notice);
}

void TCal::RefreshGrid() {
    Refresh(false);
}

void TCal::PressArrow(views::CalArrow arrow) {
    views::ArrowStep step = views::StepArrow(arrow, date);
    if (!step.refusal.empty()) {
        wxMessageDialog(this, ToWx(step.refusal), wxEmptyString, wxOK).ShowModal();
        return;
    }
    date = step.date;
    EnsureMonth();
    RefreshGrid();
    SetFocus();
    if (childMode == childModeScreen)
        Notify(CalDateChanged);
}

void TCal::OnArrow(wxCommandEvent& event) {
    PressArrow(static_cast<views::CalArrow>(event.GetId()));
}

void TCal::ClickAt(const wxPoint& point) {
    CalGeometry g = Geometry();
    wxPoint p = ToDIP(point);
    const wxRect& grid = g.gridRect;
    if (p.x <= grid.x || p.y <= grid.y || p.x >= RightOf(grid) - 1 || p.y >= BottomOf(grid) - 1)
        return;
    int column = (p.x - grid.x) / g.cellWidth;
    int row = (p.y - grid.y) / g.cellHeight;
    EnsureMonth();
    if (column >= calColumns || row >= calRows || layout.cells[row][column].date.day == 0)
        return;
    if (row != selectedRow || column != selectedColumn)
        SelectCell(row, column);
    Notify(CalDateChanged);
}

void TCal::DoubleClickAt(const wxPoint&) {
    Notify(CalDayDoubleClicked);
}

void TCal::OnLeftDown(wxMouseEvent& event) {
    SetFocus();
    ClickAt(event.GetPosition());
}

void TCal::OnLeftDoubleClick(wxMouseEvent& event) {
    DoubleClickAt(event.GetPosition());
}

// The pop-up closes when the focus goes elsewhere with the pointer away
// from it (a click outside); keyboard focus moving inside leaves it open.
void TCal::OnKillFocus(wxFocusEvent& event) {
    event.Skip();
    if (childMode != childModePopup || GetScreenRect().Contains(wxGetMousePosition()))
        return;
    if (auto* popup = dynamic_cast<wxPopupTransientWindow*>(GetParent()))
        popup->Dismiss();
    else
        Hide();
}

void TCal::OnSize(wxSizeEvent& event) {
    PlaceChildren();
    Refresh(false);
    event.Skip();
}

void TCal::OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    double scale = FromDIP(100) / 100.0;
    dc.SetUserScale(scale, scale);
    dc.SetBackground(wxBrush(GetBackgroundColour()));
    dc.Clear();
    CalGeometry g = Geometry();
    EnsureMonth();
    DrawFrames(dc, g);
    DrawDays(dc, g);
}

void TCal::DrawFrames(wxDC& dc, const CalGeometry& g) {
    const wxRect& f = g.frameRect;
    wxColour window = wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW);
    dc.SetPen(wxPen(window));
    dc.SetBrush(wxBrush(window));
    dc.DrawRectangle(f.x, f.y + 36, f.width, f.height - 36);
    wxRect client(ToDIP(GetClientSize()));
    DrawEdge(dc, client, true);
    DrawEdge(dc, client.Deflate(2), false);
    DrawGroove(dc, wxRect(wxPoint(f.x + 16, f.y + 1), wxPoint(RightOf(f) - 16 - 1, f.y + 16 - 1)));
    DrawGroove(dc, wxRect(wxPoint(f.x + 16, f.y + 20), wxPoint(RightOf(f) - 16 - 1, f.y + 36 - 1)));

    // The header's letters, each centred over its column of days.
    dc.SetFont(DialogFont(10));
    dc.SetTextForeground(*wxBLACK);
    int column = 0;
    for (const char* letter = weekdayHeader; *letter; ++letter) {
        if (*letter == ' ')
            continue;
        wxString text(*letter);
        wxRect cell = g.Cell(0, column++);
        wxSize extent = dc.GetTextExtent(text);
        dc.DrawText(text, cell.x + (cell.width - extent.x) / 2, f.y + 38 + (12 - extent.y) / 2);
    }
    dc.SetPen(wxPen(wxSystemSettings::GetColour(wxSYS_COLOUR_INFOTEXT)));
    dc.DrawLine(f.x + 14, f.y + 52, f.width - 14, f.y + 52);
}

void TCal::DrawDays(wxDC& dc, const CalGeometry& g) {
    dc.SetFont(DialogFont(std::min(g.cellHeight - 5, 12)));
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    for (int row = 0; row < calRows; ++row)
        for (int column = 0; column < calColumns; ++column) {
            const views::CalCell& cell = layout.cells[row][column];
            if (cell.date.day == 0)
                continue;
            wxRect r = g.Cell(row, column);
            bool selected = row == selectedRow && column == selectedColumn;
            if (selected) {
                dc.SetPen(*wxBLACK_PEN);
                dc.SetBrush(*wxBLACK_BRUSH);
                dc.DrawRectangle(r);
            }
            dc.SetTextForeground(selected ? *wxWHITE : cell.hasEvents ? wxColour(255, 0, 0) : *wxBLACK);
            dc.DrawText(wxString::Format("%d", cell.date.day), r.x + 2, r.y + 1);
        }
}

}  // namespace vorlen
