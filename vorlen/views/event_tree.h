// The information tree's tree control: the data file's title at the top,
// one node per category that an event uses, and the events under their
// categories, each level sorted by label. A category's event nodes are made
// when the category is first expanded (or an event is added to it), so that
// a file of many events opens at once.
//
// The commands Delete, Cut, Copy, Save As vCalendar and Copy As vCalendar
// act on the selected node; a right click on a node shows them in a pop-up
// menu without changing the selection.
#pragma once

#include "vorlen/views/event_clipboard.h"
#include "vorlen/views/event_edit_dialog.h"

#include <wx/treectrl.h>

#include <functional>
#include <map>
#include <string>
#include <string_view>

class wxMenu;

namespace vorlen {

// The design numbers the tree 37000, above what wx accepts (32767); the
// window carries infoTreeId instead.
inline constexpr int infoTreeId = 32740;
inline constexpr int kInfoTreeResourceId = 37000;

// The commands of the tree and its screen; the numbers are the main
// frame's (the views do not see the shell's list).
enum InfoTreeCommand : int {
    treeAddEvent = 6,
    treeEditEvent = 10,
    treeCut = 24322,
    treeCopy = 24323,
    treePaste = 24324,
    treeDelete = 24325,
    treeSaveAsVCalendar = 9399,
    treeCopyAsVCalendar = 9400,
};

class TTree : public wxTreeCtrl {
public:
    // `editLabels`: whether node labels can be edited in place.
    TTree(wxWindow* parent, EventEditData data, const wxPoint& pos, const wxSize& size, bool editLabels);

    // The top node, a node per category, the events under them; sorted.
    void BuildTree();
    // Sorts the categories, then the events of each category shown.
    void SortTree();
    // Adds `event`'s node last under the category node of its typeName,
    // which is made (last under the top) when the table has none.
    wxTreeItemId AddEventNode(EventNode* event);
    // Nodes for the events appended to the list since the tree last saw
    // it (one for a new event, several for a paste of vCalendar data); the
    // last one's, or an invalid id when none came.
    wxTreeItemId AddNewEvents();

    wxTreeItemId TopNode() const { return topNode; }
    // The event of `item`; null for the top and the category nodes.
    EventNode* EventOf(const wxTreeItemId& item) const;
    EventNode* SelectedEvent() const;
    // The category node made for `name` (a renamed node keeps the name it
    // was made with); an invalid id when there is none.
    wxTreeItemId CategoryNode(std::string_view name) const;
    // Makes the event nodes of a category not expanded yet.
    void FillCategory(const wxTreeItemId& category);

    void DeleteSelected();
    void CutSelected();
    void CopySelected();
    void SaveSelectedAsVCalendar();
    void CopySelectedAsVCalendar();
    // The event properties dialog on the selected event; the event's node
    // then moves last under the category it now names (no sorting).
    void EditSelectedEvent();

    // Carries out an in-place rename of `item` from `oldLabel`; false when
    // the new text is refused (nothing changes then).
    bool RenameNode(const wxTreeItemId& item, const std::string& oldLabel, const wxString& newText);

    // Called after a command changed which node is selected or what it shows.
    void SetSelectionListener(std::function<void()> listener) { selectionChanged = std::move(listener); }
    // Shows the pop-up menu at a point of the tree; the default pops it up.
    // Tests put their own in its place.
    using MenuShower = std::function<void(wxMenu& menu, const wxPoint& at)>;
    void SetMenuShower(MenuShower shower) { showMenu = std::move(shower); }
    // Chooses the vCalendar file instead of the save dialog (tests).
    void SetPathChooser(PathChooser chooser) { choosePath = std::move(chooser); }
    // The pop-up menu at `at` (tree coordinates) when it lies on a node.
    void ShowPopupMenuAt(const wxPoint& at);

    // While a label is edited in place, the frame's accelerators (Del,
    // Shift+Del, Ctrl+Ins, Shift+Ins, Ctrl+V) still reach the screen as its
    // commands, ahead of the editor: they edit the label's text then.
    // False when no label is being edited.
    bool EditorCommand(int id);

protected:
    int OnCompareItems(const wxTreeItemId& first, const wxTreeItemId& second) override;

private:
    wxTreeItemId NewCategoryNode(std::string_view name);
    wxTreeItemId AppendEventItem(const wxTreeItemId& category, EventNode* event, const wxString& label);
    // Removes an event node, and its category node when that is left empty.
    void RemoveEventNode(const wxTreeItemId& item);
    // The selected event, or null after telling the user `refusal`.
    EventNode* SelectedEventOr(const char* refusal);
    void EditEventOf(const wxTreeItemId& item);
    // `placed` passed on, after telling the user when it is false.
    bool PlaceOnClipboard(bool placed);
    void TellSelectionChanged();
    void ShowMenuBesideSelection();

    void OnExpanding(wxTreeEvent& event);
    void OnItemActivated(wxTreeEvent& event);
    void OnRightDown(wxMouseEvent& event);
    void OnContextMenu(wxContextMenuEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    void OnLeftDoubleClick(wxMouseEvent& event);
    void OnCommand(wxCommandEvent& event);

    EventEditData data;
    wxTreeItemId topNode;
    // How many events the list held when the tree last changed it or read it.
    int32_t shownEvents = 0;
    // The category table: the name each category node was made with.
    std::map<std::string, wxTreeItemId, std::less<>> categoryItems;
    std::function<void()> selectionChanged;
    MenuShower showMenu;
    PathChooser choosePath;
};

}  // namespace vorlen
