// The day view: one day's reminders on controls that it places on a host
// window (the today screen or the calendar display). By its kind it shows
// everything as text in one pane, the untimed entries above the time
// slots, or those two with the warnings of coming events in a pane below.
#pragma once

#include "vorlen/views/day_list_view.h"
#include "vorlen/views/day_slots.h"
#include "vorlen/views/event_edit_dialog.h"

#include <string_view>

class wxStaticBox;

namespace vorlen {

class TRichEdit;

using views::DisplayKind;
using views::ViewKindFull;
using views::ViewKindList;
using views::ViewKindSlots;

inline constexpr int todayGroupId = 3856;
inline constexpr int warningsGroupId = 3857;
inline constexpr int todayPaneId = 21000;
inline constexpr int warningsPaneId = 21001;

// Shows the marked-up reminder `text` in `pane` in place of what was there,
// each run in its style, from the first line.
void RenderMarkup(std::string_view text, TRichEdit& pane);

class TDayView {
public:
    // Creates the controls of `kind` as children of `host`; they live and
    // die with the host. The reminder list is built over `data.events`.
    TDayView(const Date& date, wxWindow* host, EventEditData data, DisplayKind kind, int slotViewControlId = slotViewId,
             int todayPaneControlId = todayPaneId, int warningsPaneControlId = warningsPaneId);
    TDayView(const TDayView&) = delete;
    TDayView& operator=(const TDayView&) = delete;

    // The panes read-only in the program's dialog font; the today pane
    // stays hidden until ShowListPane.
    void CreateControls();
    void ShowListPane();
    void SetDate(const Date& day);
    // Builds the reminder list for the date and now, fills the slots and
    // writes the texts into the panes.
    void Refresh();
    // Places the controls in the rectangle left, top, right, bottom.
    void SetLayout(int left, int top, int right, int bottom);

    DisplayKind Kind() const { return displayKind; }
    const Date& GetDate() const { return date; }
    const ReminderList& Reminders() const { return reminders; }
    wxStaticBox* TodayGroup() const { return todayGroup; }
    wxStaticBox* WarningsGroup() const { return warningsGroup; }
    TRichEdit* TodayPane() const { return todayPane; }
    TRichEdit* WarningsPane() const { return warningsPane; }
    TDayListView* SlotView() const { return slotView; }

private:
    DisplayKind displayKind;
    Date date;
    ReminderList reminders;
    wxStaticBox* todayGroup = nullptr;
    wxStaticBox* warningsGroup = nullptr;
    TRichEdit* todayPane = nullptr;
    TRichEdit* warningsPane = nullptr;
    TDayListView* slotView = nullptr;
};

}  // namespace vorlen
