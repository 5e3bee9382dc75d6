#include "event_list_control.h"

#include "vorlen/platform/wx_text.h"
#include "vorlen/views/edit_commands.h"

#include <wx/msgdlg.h>

#include <algorithm>

namespace vorlen {

wxBEGIN_EVENT_TABLE(TEventList, wxListCtrl)
    EVT_MENU(cmDelete, TEventList::OnCommand)
    EVT_MENU(cmCopy, TEventList::OnCommand)
    EVT_MENU(cmCut, TEventList::OnCommand)
    EVT_MENU(cmSaveAsVCalendar, TEventList::OnCommand)
    EVT_MENU(cmCopyAsVCalendar, TEventList::OnCommand)
    EVT_LIST_ITEM_ACTIVATED(eventListId, TEventList::OnItemActivated)
wxEND_EVENT_TABLE()

TEventList::TEventList(wxWindow* parent, EventEditData data)
    : wxListCtrl(parent, eventListId, wxDefaultPosition, wxDefaultSize,
                 wxLC_REPORT | wxLC_VIRTUAL | wxLC_SINGLE_SEL | wxBORDER_SUNKEN),
      data(data),
      columnWidths(views::ReadColumnWidths()),
      widthScale(views::ColumnWidthScale(GetTextExtent("0123456789").x / 10.0)) {
    for (int column = 0; column < views::eventListColumnCount; ++column)
        InsertColumn(column, views::eventListColumns[column].header, wxLIST_FORMAT_LEFT,
                     views::ShownColumnWidth(columnWidths[column], widthScale));
    FillList();
}

TEventList::~TEventList() {
    SaveColumnWidths();
}

void TEventList::FillList() {
    rows.clear();
    rows.reserve(data.events.count);
    for (EventNode& event : data.events)
        rows.push_back(&event);
    MarkShown();
    SetItemCount(RowCount());
    // The arrow keys move from the focused row: without one, no key could
    // ever select a row. Focused is not selected.
    if (!rows.empty() && GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_FOCUSED) == -1)
        SetItemState(0, wxLIST_STATE_FOCUSED, wxLIST_STATE_FOCUSED);
    Refresh();
    SetFocus();
}

void TEventList::AddLastEvent() {
    FillList();
    if (!rows.empty())
        EnsureVisible(RowCount() - 1);
}

void TEventList::RefreshList() {
    DeleteAllItems();
    FillList();
}

EventNode* TEventList::EventAt(long row) const {
    if (IsStale() || row < 0 || row >= RowCount())
        return nullptr;
    return rows[row];
}

wxString TEventList::OnGetItemText(long item, long column) const {
    const EventNode* event = EventAt(item);
    return event ? platform::ToWx(views::EventListCellText(*event, column)) : wxString();
}

long TEventList::FindDescription(const wxString& prefix, long from) const {
    wxString wanted = prefix.Lower();
    for (long row = std::max(from, 0L); row < RowCount(); ++row) {
        const EventNode* event = EventAt(row);
        if (event && platform::ToWx(event->description.view()).Lower().StartsWith(wanted))
            return row;
    }
    return -1;
}

void TEventList::SelectRow(long row) {
    for (long selected : SelectedRows())
        SetItemState(selected, 0, wxLIST_STATE_SELECTED);
    SetItemState(row, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                 wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    EnsureVisible(row);
    SetFocus();
}

std::vector<long> TEventList::SelectedRows() {
    std::vector<long> selected;
    for (long row = GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED); row != -1;
         row = GetNextItem(row, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED))
        selected.push_back(row);
    return selected;
}

std::vector<long> TEventList::SelectionOrTell() {
    std::vector<long> selected = SelectedRows();
    if (selected.empty())
        wxMessageBox("No selected events", "Problem", wxOK | wxICON_NONE, this);
    return selected;
}

std::vector<TEventList::Selected> TEventList::EventsOf(const std::vector<long>& selectedRows) const {
    std::vector<Selected> selection;
    for (long row : selectedRows)
        selection.push_back({row, EventAt(row)});
    return selection;
}

void TEventList::RemoveRows(const std::vector<long>& selectedRows) {
    for (auto row = selectedRows.rbegin(); row != selectedRows.rend(); ++row) {
        rows.erase(rows.begin() + *row);
        DeleteItem(*row);
    }
}

void TEventList::ShowNullEvent(const char* text, const char* caption) {
    wxMessageBox(text, caption, wxOK | wxICON_ERROR, this);
}

// Copying is never reported done when nothing reached the clipboard.
void TEventList::ShowClipboardFailure() {
    wxMessageBox("The clipboard cannot be opened: nothing was copied.", "Error", wxOK | wxICON_ERROR, this);
}

void TEventList::CmEditDelete() {
    std::vector<long> selected = SelectionOrTell();
    if (selected.empty() || wxMessageBox("Are you sure you wish to delete the selected event record?",
                                         "Confirm Delete", wxYES_NO | wxICON_INFORMATION, this) != wxYES)
        return;
    bool wasShown = !IsStale();
    for (const Selected& row : EventsOf(selected)) {
        if (row.event)
            data.events.Remove(row.event);
        else
            ShowNullEvent("Null pointer trying to be erased!", "Program Error");
    }
    RemoveRows(selected);
    // Without the deleted rows the others match the event list again, when
    // they did before.
    if (wasShown)
        MarkShown();
    data.file.saved = 0;
}

void TEventList::CmEditCopy() {
    for (const Selected& row : EventsOf(SelectionOrTell())) {
        if (!row.event)
            ShowNullEvent("Null pointer trying to be copied!", "EL-EditCopy Command");
        else if (!CopyEventToClipboard(*row.event))
            ShowClipboardFailure();
    }
}

void TEventList::CmEditCut() {
    bool wasShown = !IsStale();
    std::vector<long> cut;
    for (const Selected& row : EventsOf(SelectionOrTell())) {
        if (row.event && !CopyEventToClipboard(*row.event)) {
            ShowClipboardFailure();
            continue;
        }
        if (row.event) {
            data.events.Remove(row.event);
            data.file.saved = 0;
        } else {
            ShowNullEvent("Null pointer trying to be copied!", "EL-EditCut Command");
        }
        cut.push_back(row.row);
    }
    RemoveRows(cut);
    if (wasShown)
        MarkShown();
}

void TEventList::CmSaveAsVCalendar() {
    for (const Selected& row : EventsOf(SelectionOrTell())) {
        if (!row.event)
            ShowNullEvent("Null pointer trying to be exported!", "EL-ConvertvCal Command");
        else
            SaveEventsAsVCalendar(this, {row.event}, choosePath);
    }
}

void TEventList::CmCopyAsVCalendar() {
    for (const Selected& row : EventsOf(SelectionOrTell())) {
        if (!row.event)
            ShowNullEvent("Null pointer trying to be copied!", "EL-EditCopyClipVCal Command");
        else if (!CopyEventsAsVCalendar({row.event}))
            ShowClipboardFailure();
    }
}

void TEventList::EditRow(long row) {
    EventNode* event = EventAt(row);
    if (!event)
        return;
    TEventEditDlg dialog(this, data);
    dialog.SetEvent(event);
    if (dialog.ShowModal() != wxID_CANCEL)
        RefreshItem(row);
}

void TEventList::SaveColumnWidths() {
    for (int column = 0; column < views::eventListColumnCount; ++column)
        columnWidths[column] = views::StoredColumnWidth(GetColumnWidth(column), widthScale);
    views::WriteColumnWidths(columnWidths);
}

void TEventList::OnCommand(wxCommandEvent& event) {
    switch (event.GetId()) {
    case cmDelete: CmEditDelete(); break;
    case cmCopy: CmEditCopy(); break;
    case cmCut: CmEditCut(); break;
    case cmSaveAsVCalendar: CmSaveAsVCalendar(); break;
    case cmCopyAsVCalendar: CmCopyAsVCalendar(); break;
    default: event.Skip();
    }
}

void TEventList::OnItemActivated(wxListEvent& event) {
    EditRow(event.GetIndex());
}

}  // namespace vorlen
