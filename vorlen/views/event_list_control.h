// The list control of the "Event List" screen: one row per event of the
// event list, in its order, in eight columns. The rows are pointers to the
// events and the texts are formed when a row is drawn (a virtual list), so
// that a file of many events opens at once. It carries out the Edit
// commands on the selected event and keeps its column widths in the
// settings store.
#pragma once

#include "vorlen/views/event_clipboard.h"
#include "vorlen/views/event_edit_dialog.h"
#include "vorlen/views/event_list_columns.h"

#include <wx/listctrl.h>

#include <cstdint>
#include <vector>

namespace vorlen {

inline constexpr int eventListId = 22010;

class TEventList : public wxListCtrl {
public:
    // The columns at their stored widths, and a row for every event.
    TEventList(wxWindow* parent, EventEditData data);
    // Stores the column widths.
    ~TEventList() override;

    // A row for every event, in order; the selection stays on the rows'
    // places.
    void FillList();
    // After events were added at the end of the event list (a new event, a
    // paste of one or several): their rows too, the last one scrolled into
    // view.
    void AddLastEvent();
    // Every row made afresh, nothing selected.
    void RefreshList();

    // The event of `row`; null for a row past the end, and for every row
    // while the event list has changed behind the rows' back (its events
    // may be gone), until AddLastEvent or RefreshList.
    EventNode* EventAt(long row) const;
    long RowCount() const { return static_cast<long>(rows.size()); }
    // The first row from `from` on whose description begins with `prefix`
    // in any letter case; -1 when there is none.
    long FindDescription(const wxString& prefix, long from) const;
    // Selects `row` alone, scrolls it into view and gives it the focus.
    void SelectRow(long row);

    // The Edit commands act on the selected row and say "No selected
    // events" when there is none. Delete asks first.
    void CmEditDelete();
    void CmEditCopy();
    // Copies, then takes the event out of the list: the clipboard holds
    // a copy of it. An event that could not be copied stays.
    void CmEditCut();
    void CmSaveAsVCalendar();
    void CmCopyAsVCalendar();
    // The event properties dialog on the row's event; the row shows the
    // event afresh unless the dialog was cancelled.
    void EditRow(long row);

    // Tests choose the vCalendar file without the dialog.
    void SetPathChooser(PathChooser chooser) { choosePath = std::move(chooser); }
    // Reads the widths of the eight columns into the table and stores it.
    void SaveColumnWidths();
    // How much wider than stored the columns are shown (see
    // ColumnWidthScale).
    double WidthScale() const { return widthScale; }

protected:
    wxString OnGetItemText(long item, long column) const override;

private:
    struct Selected {
        long row;
        EventNode* event;  // null when the row's event cannot be known
    };
    std::vector<long> SelectedRows();
    // The selected rows; none after telling the user that nothing is
    // selected.
    std::vector<long> SelectionOrTell();
    // The rows with their events, read before any of them changes.
    std::vector<Selected> EventsOf(const std::vector<long>& selectedRows) const;
    // Takes the rows out, the last first.
    void RemoveRows(const std::vector<long>& selectedRows);
    void ShowNullEvent(const char* text, const char* caption);
    void ShowClipboardFailure();
    void MarkShown() { shownChanges = data.events.changeCount; }
    bool IsStale() const { return shownChanges != data.events.changeCount; }

    void OnCommand(wxCommandEvent& event);
    void OnItemActivated(wxListEvent& event);

    EventEditData data;
    std::vector<EventNode*> rows;
    std::uint64_t shownChanges = 0;
    views::ColumnWidths columnWidths{};
    double widthScale = 1;
    PathChooser choosePath;
    wxDECLARE_EVENT_TABLE();
};

}  // namespace vorlen
