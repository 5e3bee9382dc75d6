#include "day_list_view.h"

#include "vorlen/platform/wx_text.h"

#include <wx/dc.h>
#include <wx/settings.h>

#include <algorithm>

namespace vorlen {
namespace {

constexpr int firstShownSlot = 15;  // 07:30
constexpr int narrowestSlotAreaLeft = 50;
constexpr int timeGap = 4;  // between the widest time and the slot area
constexpr int labelIndent = 5;  // of the label within the slot area

wxColour ToWxColour(const MarkupColour& colour) {
    return wxColour(colour.red, colour.green, colour.blue);
}

wxColour BackOf(const views::DaySlot& slot) {
    return slot.backColour ? ToWxColour(*slot.backColour) : wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW);
}

}  // namespace

wxBEGIN_EVENT_TABLE(TDayListView, wxVListBox)
    EVT_LISTBOX_DCLICK(wxID_ANY, TDayListView::OnDoubleClick)
wxEND_EVENT_TABLE()

TDayListView::TDayListView(wxWindow* parent, int id, const Date& date, ReminderList& reminders, EventEditData data)
    : wxVListBox(parent, id), date(date), reminders(&reminders), data(data) {
    SetFont(wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT));
    SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW));
    slotAreaLeft = MeasureSlotAreaLeft();
}

int TDayListView::MeasureSlotAreaLeft() const {
    int widest = 0;
    for (int i = 0; i < views::slotCount; ++i)
        widest = std::max(widest, GetTextExtent(platform::ToWx(slots[i].slotTime.Text())).x);
    return std::max(narrowestSlotAreaLeft, widest + timeGap);
}

void TDayListView::InsertSlotRows() {
    slotAreaLeft = MeasureSlotAreaLeft();  // the clock setting may have changed
    ScrollToRow(firstShownSlot);
    SetItemCount(0);
    SetItemCount(views::slotCount);
    ScrollToRow(firstShownSlot);
    RefreshAll();
}

wxCoord TDayListView::OnMeasureItem(size_t) const {
    return slotRowHeight;
}

void TDayListView::OnDrawBackground(wxDC& dc, const wxRect& rect, size_t) const {
    // The rows draw their own selection frame; no highlight bar.
    dc.SetBrush(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW)));
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.DrawRectangle(rect);
}

void TDayListView::OnDrawItem(wxDC& dc, const wxRect& rect, size_t n) const {
    const views::DaySlot& slot = slots[static_cast<int>(n)];
    wxRect area(rect.x + slotAreaLeft, rect.y, rect.width - slotAreaLeft, rect.height);
    dc.SetFont(GetFont());
    dc.SetTextForeground(*wxBLACK);
    int textTop = rect.y + (rect.height - dc.GetCharHeight()) / 2;
    dc.DrawText(platform::ToWx(slot.slotTime.Text()), rect.x, textTop);

    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(BackOf(slot)));
    dc.DrawRectangle(area);
    dc.SetTextForeground(ToWxColour(slot.textColour));
    dc.SetTextBackground(BackOf(slot));
    dc.DrawText(platform::ToWx(slot.slotLabel), rect.x + slotAreaLeft + labelIndent, textTop);

    dc.SetPen(wxPen(wxColour(128, 128, 128)));
    dc.DrawLine(area.GetLeft(), area.GetBottom(), area.GetRight() + 1, area.GetBottom());
    dc.SetPen(*wxBLACK_PEN);
    dc.DrawLine(area.GetLeft(), rect.GetTop(), area.GetLeft(), rect.GetBottom() + 1);
    if (IsSelected(n)) {
        dc.SetBrush(*wxTRANSPARENT_BRUSH);
        dc.DrawRectangle(area);
    }
}

void TDayListView::OnDoubleClick(wxCommandEvent& event) {
    int index = event.GetInt();
    if (index < 0 || index >= views::slotCount)
        return;
    if (!EditSlot(index))
        return;
    reminders->Rebuild();
    ResetSlots();
    FillSlots();
    InsertSlotRows();
}

bool TDayListView::EditSlot(int index) {
    const views::DaySlot& slot = slots[index];
    TEventEditDlg dialog(this, data, date);
    if (EventNode* event = slot.slotEntry ? EventOf(*slot.slotEntry) : nullptr) {
        dialog.SetEvent(event);
    } else {
        dialog.SetDate(date.day, date.month, date.year);
        dialog.SetTime(slot.slotTime.hour, slot.slotTime.minute);
    }
    return dialog.ShowModal() != wxID_CANCEL;
}

// The list's own node, found by identity: the reminder entry only reads it.
EventNode* TDayListView::EventOf(const ReminderNode& entry) const {
    for (EventNode& event : data.events) {
        if (&event == entry.event)
            return &event;
    }
    return nullptr;
}

}  // namespace vorlen
