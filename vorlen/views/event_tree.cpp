#include "event_tree.h"

#include "vorlen/platform/wx_text.h"
#include "vorlen/resources/art.h"

#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/textctrl.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace vorlen {
namespace {

using platform::FromWx;
using platform::ToWx;

struct EventItem : wxTreeItemData {
    explicit EventItem(EventNode* event) : event(event) {}
    EventNode* event;
};

// A category node: the name the table knows it by, and the events whose
// nodes are not made yet.
struct CategoryItem : wxTreeItemData {
    explicit CategoryItem(std::string_view name) : tableName(name) {}
    std::string tableName;
    std::vector<EventNode*> pending;
};

// Alphabetical, as a reader expects; letter case decides only between
// labels that are otherwise equal, so that the order is always the same.
bool LabelBefore(const wxString& a, const wxString& b) {
    int order = a.CmpNoCase(b);
    return order != 0 ? order < 0 : a.Cmp(b) < 0;
}

int Style(bool editLabels) {
    int style = wxTR_HAS_BUTTONS | wxTR_LINES_AT_ROOT | wxTR_SINGLE | wxBORDER_SUNKEN;
    return editLabels ? style | wxTR_EDIT_LABELS : style;
}

void Notice(wxWindow* parent, const char* text) {
    wxMessageBox(text, "Notice", wxOK | wxICON_INFORMATION, parent);
}

}  // namespace

TTree::TTree(wxWindow* parent, EventEditData data, const wxPoint& pos, const wxSize& size, bool editLabels)
    : wxTreeCtrl(parent, infoTreeId, pos, size, Style(editLabels)), data(data) {
    SetImages(art::TreeImages());
    Bind(wxEVT_TREE_ITEM_EXPANDING, &TTree::OnExpanding, this);
    Bind(wxEVT_TREE_ITEM_ACTIVATED, &TTree::OnItemActivated, this);
    // Bound rather than tabled: dynamic handlers run before the control's
    // own, which would select the clicked node or toggle it.
    Bind(wxEVT_RIGHT_DOWN, &TTree::OnRightDown, this);
    Bind(wxEVT_LEFT_DCLICK, &TTree::OnLeftDoubleClick, this);
    Bind(wxEVT_CONTEXT_MENU, &TTree::OnContextMenu, this);
    Bind(wxEVT_KEY_DOWN, &TTree::OnKeyDown, this);
    for (int id : {treeDelete, treeCut, treeCopy, treeSaveAsVCalendar, treeCopyAsVCalendar})
        Bind(wxEVT_MENU, &TTree::OnCommand, this, id);
    showMenu = [this](wxMenu& menu, const wxPoint& at) { PopupMenu(&menu, at); };
}

void TTree::BuildTree() {
    DeleteAllItems();
    categoryItems.clear();
    topNode = AddRoot(ToWx(data.file.title.view()), art::treeImageFolder, art::treeImageFolderSelected);
    // Events of one category often follow each other: the last one found
    // is tried first.
    CategoryItem* last = nullptr;
    for (EventNode& event : data.events) {
        std::string_view name = event.typeName.view();
        if (!last || last->tableName != name) {
            wxTreeItemId category = CategoryNode(name);
            if (!category.IsOk())
                category = NewCategoryNode(name);
            last = static_cast<CategoryItem*>(GetItemData(category));
            SetItemHasChildren(category, true);
        }
        last->pending.push_back(&event);
    }
    shownEvents = data.events.count;
    Expand(topNode);
    SortTree();
}

void TTree::SortTree() {
    SortChildren(topNode);
    wxTreeItemIdValue cookie;
    for (wxTreeItemId category = GetFirstChild(topNode, cookie); category.IsOk();
         category = GetNextChild(topNode, cookie))
        SortChildren(category);
}

wxTreeItemId TTree::AddEventNode(EventNode* event) {
    wxTreeItemId category = CategoryNode(event->typeName.view());
    if (category.IsOk())
        FillCategory(category);
    else
        category = NewCategoryNode(event->typeName.view());
    return AppendEventItem(category, event, ToWx(event->description.view()));
}

wxTreeItemId TTree::AddNewEvents() {
    EventNode* first = data.events.tail;
    for (int32_t i = shownEvents + 1; i < data.events.count && first; ++i)
        first = first->Prev();
    wxTreeItemId added;
    for (EventNode* event = shownEvents < data.events.count ? first : nullptr; event; event = event->Next())
        added = AddEventNode(event);
    shownEvents = data.events.count;
    return added;
}

EventNode* TTree::EventOf(const wxTreeItemId& item) const {
    auto* node = item.IsOk() ? dynamic_cast<EventItem*>(GetItemData(item)) : nullptr;
    return node ? node->event : nullptr;
}

EventNode* TTree::SelectedEvent() const {
    return EventOf(GetSelection());
}

wxTreeItemId TTree::CategoryNode(std::string_view name) const {
    auto found = categoryItems.find(name);
    return found != categoryItems.end() ? found->second : wxTreeItemId();
}

void TTree::FillCategory(const wxTreeItemId& category) {
    auto* node = dynamic_cast<CategoryItem*>(GetItemData(category));
    if (!node || node->pending.empty())
        return;
    std::vector<std::pair<wxString, EventNode*>> events;
    events.reserve(node->pending.size());
    for (EventNode* event : node->pending)
        events.emplace_back(ToWx(event->description.view()), event);
    std::vector<EventNode*>().swap(node->pending);
    std::stable_sort(events.begin(), events.end(),
                     [](const auto& a, const auto& b) { return LabelBefore(a.first, b.first); });
    for (const auto& [label, event] : events)
        AppendEventItem(category, event, label);
}

void TTree::DeleteSelected() {
    EventNode* event = SelectedEventOr("Cannot delete the selected node!");
    if (!event)
        return;
    if (wxMessageBox("Are you sure you wish to delete the selected event?", "Confirm Delete",
                     wxYES_NO | wxICON_INFORMATION, this) != wxYES)
        return;
    RemoveEventNode(GetSelection());
    data.events.Remove(event);
    shownEvents = data.events.count;
    data.file.saved = 0;
    TellSelectionChanged();
}

void TTree::CutSelected() {
    EventNode* event = SelectedEventOr("You need to select an event/appointmnet node to cut");
    // The event leaves the list only once the clipboard holds its copy.
    if (!event || !PlaceOnClipboard(CopyEventToClipboard(*event)))
        return;
    RemoveEventNode(GetSelection());
    data.events.Remove(event);
    shownEvents = data.events.count;
    data.file.saved = 0;
    TellSelectionChanged();
}

void TTree::CopySelected() {
    if (EventNode* event = SelectedEventOr("You need to select an event/appointment node to copy"))
        PlaceOnClipboard(CopyEventToClipboard(*event));
}

void TTree::SaveSelectedAsVCalendar() {
    if (EventNode* event = SelectedEventOr("You need to select an event node in order to edit"))
        SaveEventsAsVCalendar(this, {event}, choosePath);
}

void TTree::CopySelectedAsVCalendar() {
    if (EventNode* event = SelectedEventOr("You need to select an event node in order to edit"))
        PlaceOnClipboard(CopyEventsAsVCalendar({event}));
}

void TTree::EditSelectedEvent() {
    if (SelectedEventOr("You need to select an event node in order to edit"))
        EditEventOf(GetSelection());
}

bool TTree::RenameNode(const wxTreeItemId& item, const std::string& oldLabel, const wxString& newText) {
    // An empty label would leave a node that cannot be seen or picked.
    if (newText.empty())
        return false;
    std::string text = FromWx(newText);
    if (item == topNode)
        data.file.SetTitle(text.c_str());
    else if (EventNode* event = EventOf(item))
        event->description = OptionalText(text);
    else
        data.events.RenameType(oldLabel, text);
    data.file.saved = 0;
    return true;
}

void TTree::ShowPopupMenuAt(const wxPoint& at) {
    int flags = 0;
    if (!HitTest(at, flags).IsOk())
        return;
    wxMenu menu;
    menu.Append(treeAddEvent, "Add");
    menu.Append(treeDelete, "Delete");
    menu.AppendSeparator();
    menu.Append(treeCut, "Cut");
    menu.Append(treeCopy, "Copy");
    menu.Append(treePaste, "Paste");
    menu.AppendSeparator();
    menu.Append(treeSaveAsVCalendar, "Save As vCalander...");
    menu.Append(treeCopyAsVCalendar, "Copy vCal to Clipboard");
    showMenu(menu, at);
}

int TTree::OnCompareItems(const wxTreeItemId& first, const wxTreeItemId& second) {
    wxString a = GetItemText(first), b = GetItemText(second);
    return LabelBefore(a, b) ? -1 : (LabelBefore(b, a) ? 1 : 0);
}

wxTreeItemId TTree::NewCategoryNode(std::string_view name) {
    wxTreeItemId item = AppendItem(topNode, ToWx(name), art::treeImageFolder, art::treeImageFolderSelected,
                                   new CategoryItem(name));
    categoryItems.emplace(std::string(name), item);
    return item;
}

wxTreeItemId TTree::AppendEventItem(const wxTreeItemId& category, EventNode* event, const wxString& label) {
    return AppendItem(category, label, event->HasStartTime() ? art::treeImageAppointment : art::treeImageEvent,
                      art::treeImageEventSelected, new EventItem(event));
}

// A category node that lost its last event goes, and so does its table
// entry: an event of that category added later gets a node of its own
// instead of one that no longer exists.
void TTree::RemoveEventNode(const wxTreeItemId& item) {
    wxTreeItemId category = GetItemParent(item);
    Delete(item);
    auto* node = dynamic_cast<CategoryItem*>(GetItemData(category));
    if (!node || GetChildrenCount(category, false) > 0 || !node->pending.empty())
        return;
    auto entry = categoryItems.find(node->tableName);
    if (entry != categoryItems.end() && entry->second == category)
        categoryItems.erase(entry);
    Delete(category);
}

EventNode* TTree::SelectedEventOr(const char* refusal) {
    EventNode* event = SelectedEvent();
    if (!event)
        Notice(this, refusal);
    return event;
}

void TTree::EditEventOf(const wxTreeItemId& item) {
    EventNode* event = EventOf(item);
    TEventEditDlg dialog(this, data);
    dialog.SetEvent(event);
    if (dialog.ShowModal() == wxID_CANCEL)
        return;
    Delete(item);
    wxTreeItemId moved = AddEventNode(event);
    SelectItem(moved);
    EnsureVisible(moved);
    TellSelectionChanged();
}

bool TTree::PlaceOnClipboard(bool placed) {
    if (!placed)
        wxMessageBox("The clipboard cannot be opened.", "Error", wxOK | wxICON_ERROR, this);
    return placed;
}

void TTree::TellSelectionChanged() {
    if (selectionChanged)
        selectionChanged();
}

void TTree::OnExpanding(wxTreeEvent& event) {
    FillCategory(event.GetItem());
    event.Skip();
}

// Enter on an event node edits it, as a double click does.
void TTree::OnItemActivated(wxTreeEvent& event) {
    if (EventOf(event.GetItem()))
        EditEventOf(event.GetItem());
    else
        event.Skip();
}

void TTree::OnRightDown(wxMouseEvent& event) {
    SetFocus();
    ShowPopupMenuAt(event.GetPosition());
}

// The menu beside the selected node, for the keyboard.
void TTree::ShowMenuBesideSelection() {
    wxRect rect;
    if (GetSelection().IsOk() && GetBoundingRect(GetSelection(), rect, true))
        ShowPopupMenuAt(wxPoint(rect.GetLeft() + rect.GetHeight() / 2, rect.GetBottom()));
}

void TTree::OnContextMenu(wxContextMenuEvent& event) {
    if (event.GetPosition() == wxDefaultPosition)
        ShowMenuBesideSelection();
}

// F2 renames the selected node in place, as in the desktop's file managers;
// the menu key and Shift+F10 show the pop-up menu.
void TTree::OnKeyDown(wxKeyEvent& event) {
    int key = event.GetKeyCode(), modifiers = event.GetModifiers();
    if (key == WXK_F2 && modifiers == wxMOD_NONE && HasFlag(wxTR_EDIT_LABELS) && GetSelection().IsOk())
        EditLabel(GetSelection());
    else if ((key == WXK_MENU && modifiers == wxMOD_NONE) || (key == WXK_F10 && modifiers == wxMOD_SHIFT))
        ShowMenuBesideSelection();
    else
        event.Skip();
}

void TTree::OnLeftDoubleClick(wxMouseEvent& event) {
    int flags = 0;
    wxTreeItemId item = HitTest(event.GetPosition(), flags);
    if (!EventOf(item)) {
        event.Skip();
        return;
    }
    SelectItem(item);
    EditEventOf(item);
}

bool TTree::EditorCommand(int id) {
    wxTextCtrl* editor = GetEditControl();
    if (!editor)
        return false;
    switch (id) {
    case treeDelete: {
        long from = 0, to = 0;
        editor->GetSelection(&from, &to);
        if (from == to && to < editor->GetLastPosition())
            ++to;
        editor->Remove(from, to);
        break;
    }
    case treeCut: editor->Cut(); break;
    case treeCopy: editor->Copy(); break;
    case treePaste:
    case treeCopyAsVCalendar: editor->Paste(); break;
    default: break;
    }
    return true;
}

void TTree::OnCommand(wxCommandEvent& event) {
    if (EditorCommand(event.GetId()))
        return;
    switch (event.GetId()) {
    case treeDelete: DeleteSelected(); break;
    case treeCut: CutSelected(); break;
    case treeCopy: CopySelected(); break;
    case treeSaveAsVCalendar: SaveSelectedAsVCalendar(); break;
    case treeCopyAsVCalendar: CopySelectedAsVCalendar(); break;
    default: event.Skip();
    }
}

}  // namespace vorlen
