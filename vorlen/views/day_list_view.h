// The day view's time slots: an owner-drawn list of 48 half-hour rows,
// 16 pixels each, with the day's appointments drawn in. A double click
// opens the event properties dialog on the slot's event, or for a new
// event at the slot's time, and fills the slots afresh unless cancelled.
#pragma once

#include "vorlen/views/day_slots.h"
#include "vorlen/views/event_edit_dialog.h"

#include <wx/vlbox.h>

namespace vorlen {

// The design's id 37011 is above what wx accepts (32767); the window
// carries slotViewId instead.
inline constexpr int kSlotViewResourceId = 37011;
inline constexpr int slotViewId = 32711;
inline constexpr int slotRowHeight = 16;

class TDayListView : public wxVListBox {
public:
    // `reminders` belongs to the owning day view.
    TDayListView(wxWindow* parent, int id, const Date& date, ReminderList& reminders, EventEditData data);

    void SetDate(const Date& day) { date = day; }
    const Date& GetDate() const { return date; }

    void ResetSlots() { slots.ResetSlots(); }
    void FillSlots() { slots.FillSlots(*reminders); }
    void FillRange(const Time& start, const Time& end, std::string_view text, const ReminderNode& entry) {
        slots.FillRange(start, end, text, entry);
    }
    const views::DaySlots& Slots() const { return slots; }
    // Inserts the 48 rows afresh and shows 07:30 as the top row.
    void InsertSlotRows();
    // Where the slot area begins: 50 pixels, or more when the times of the
    // 12-hour clock ("09:00 am") need it in the font at hand.
    int SlotAreaLeft() const { return slotAreaLeft; }

private:
    wxCoord OnMeasureItem(size_t n) const override;
    void OnDrawItem(wxDC& dc, const wxRect& rect, size_t n) const override;
    void OnDrawBackground(wxDC& dc, const wxRect& rect, size_t n) const override;
    void OnDoubleClick(wxCommandEvent& event);
    // The dialog for the slot; true unless it was cancelled.
    bool EditSlot(int index);
    EventNode* EventOf(const ReminderNode& entry) const;
    int MeasureSlotAreaLeft() const;

    views::DaySlots slots;
    Date date;
    ReminderList* reminders;
    EventEditData data;
    int slotAreaLeft;
    wxDECLARE_EVENT_TABLE();
};

}  // namespace vorlen
