#include "info_tree.h"

#include "vorlen/platform/wx_text.h"
#include "vorlen/views/record_details.h"
#include "vorlen/views/value_field.h"

#include <wx/button.h>
#include <wx/dcbuffer.h>
#include <wx/settings.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/toplevel.h>

#include <utility>

namespace vorlen {
namespace {

using platform::ToWx;

// Heights of the banner and of the strip beside it.
constexpr int bannerHeight = 25;
constexpr int fillerHeight = 25;

// One row of the details panel: the label and its value field, placed
// relative to the client's right edge (x) and the strip's foot (y).
struct DetailRow {
    const char* label;
    int labelId;
    int valueId;
    int labelY, labelWidth;
    int valueX, valueY, valueWidth;
};

constexpr DetailRow detailRows[detailRowCount] = {
    {"Description:", descriptionLabelId, descriptionValueId, 30, 60, 210, 45, 200},
    {"Event Type:", eventTypeLabelId, eventTypeValueId, 65, 60, 210, 80, 200},
    {"Start:", startLabelId, startValueId, 106, 30, 180, 106, 170},
    {"End:", endLabelId, endValueId, 128, 30, 180, 128, 170},
    {"Range End:", rangeEndLabelId, rangeEndValueId, 153, 60, 145, 153, 135},
    {"Where:", whereLabelId, whereValueId, 183, 60, 210, 200, 200},
    {"Period:", periodLabelId, periodValueId, 222, 60, 210, 242, 200},
};
constexpr int rowEnd = 3;
constexpr int rowRangeEnd = 4;
constexpr int rowWhere = 5;

}  // namespace

wxBEGIN_EVENT_TABLE(TInfoTree, wxPanel)
    EVT_PAINT(TInfoTree::OnPaint)
    EVT_SIZE(TInfoTree::OnSize)
    EVT_BUTTON(treeAddEvent, TInfoTree::OnAddEvent)
    EVT_MENU(treeAddEvent, TInfoTree::OnAddEvent)
    EVT_BUTTON(treeEditEvent, TInfoTree::OnEditEvent)
    EVT_MENU(treeDelete, TInfoTree::OnTreeCommand)
    EVT_MENU(treeCut, TInfoTree::OnTreeCommand)
    EVT_MENU(treeCopy, TInfoTree::OnTreeCommand)
    EVT_MENU(treeSaveAsVCalendar, TInfoTree::OnTreeCommand)
    EVT_MENU(treeCopyAsVCalendar, TInfoTree::OnTreeCommand)
    EVT_MENU(treePaste, TInfoTree::OnPaste)
    EVT_UPDATE_UI(treeDelete, TInfoTree::OnUpdateTreeCommand)
    EVT_UPDATE_UI(treeCut, TInfoTree::OnUpdateTreeCommand)
    EVT_UPDATE_UI(treeCopy, TInfoTree::OnUpdateTreeCommand)
    EVT_UPDATE_UI(treeSaveAsVCalendar, TInfoTree::OnUpdateTreeCommand)
    EVT_UPDATE_UI(treeCopyAsVCalendar, TInfoTree::OnUpdateTreeCommand)
    EVT_TREE_SEL_CHANGED(infoTreeId, TInfoTree::OnSelectionChanged)
    EVT_TREE_BEGIN_LABEL_EDIT(infoTreeId, TInfoTree::OnBeginLabelEdit)
    EVT_TREE_END_LABEL_EDIT(infoTreeId, TInfoTree::OnEndLabelEdit)
wxEND_EVENT_TABLE()

TInfoTree::TInfoTree(wxWindow* parent, EventEditData data, int depth)
    : wxPanel(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL | wxFULL_REPAINT_ON_RESIZE),
      data(data),
      banner(*this, depth) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE));
    if (wxWindow* frame = wxGetTopLevelParent(parent))
        frame->SetLabel("Tolvane Vorlen - Information Tree");
    tree = NewTree(true);
    tree->SetSize(Scaled(10, 60, 250, 180));
    group = new wxStaticBox(this, detailsGroupId, "Record Details");
    for (int row = 0; row < detailRowCount; ++row) {
        const DetailRow& r = detailRows[row];
        labels[row] = new wxStaticText(this, r.labelId, r.label, wxDefaultPosition, wxDefaultSize,
                                       wxST_NO_AUTORESIZE);
        values[row] = new TValueField(this, r.valueId);
    }
    new wxButton(this, treeAddEvent, "Add Event");
    editButton = new wxButton(this, treeEditEvent, "Edit Event");
    group->Disable();
    for (wxStaticText* label : labels)
        label->Disable();
    editButton->Disable();
    wxFont font = FittingFont();
    SetOwnFont(font);
    for (wxWindow* child : GetChildren())
        if (child != tree)
            child->SetFont(font);
    tree->BuildTree();
}

void TInfoTree::ShowRecordDetails() {
    if (!tree)
        return;  // between two trees
    EventNode* event = tree->SelectedEvent();
    group->Enable(event != nullptr);
    if (!event) {
        for (int row = 0; row < detailRowCount; ++row) {
            labels[row]->Disable();
            values[row]->SetLabel(wxString());
        }
        return;
    }
    views::RecordDetails details = views::DescribeEvent(*event);
    const std::string* texts[detailRowCount] = {&details.description, &details.eventType, &details.start,
                                                &details.end,         &details.rangeEnd,  &details.where,
                                                &details.period};
    for (int row = 0; row < detailRowCount; ++row) {
        labels[row]->Enable();
        values[row]->SetLabel(ToWx(*texts[row]));
    }
    labels[rowEnd]->Enable(details.hasEnd);
    labels[rowRangeEnd]->Enable(details.hasRangeEnd);
    labels[rowWhere]->Enable(details.hasWhere);
    editButton->Enable();
}

void TInfoTree::ResizeChildren() {
    wxSize client = ToDIP(GetClientSize());
    int w = client.x, h = client.y, f = fillerHeight;
    tree->SetSize(Scaled(10, f + 10, w - 230, h - bannerHeight - 20));
    group->SetSize(Scaled(w - 215, f + 10, 210, h - bannerHeight - 20));
    for (int row = 0; row < detailRowCount; ++row) {
        const DetailRow& r = detailRows[row];
        labels[row]->SetSize(Scaled(w - 210, f + r.labelY, r.labelWidth, 15));
        values[row]->SetSize(Scaled(w - r.valueX, f + r.valueY, r.valueWidth, 17));
    }
    FindWindow(treeAddEvent)->SetSize(Scaled(w - 210, h - 40, 100, 22));
    editButton->SetSize(Scaled(w - 110, h - 40, 100, 22));
}

void TInfoTree::AddNewEventNode() {
    wxTreeItemId added = tree->AddNewEvents();
    if (!added.IsOk())
        return;
    tree->EnsureVisible(added);
    tree->SortTree();
    tree->SetFocus();
}

void TInfoTree::RebuildTree() {
    wxRect place = tree->GetRect();
    std::exchange(tree, nullptr)->Destroy();
    tree = NewTree(false);
    tree->SetSize(place);
    tree->MoveBeforeInTabOrder(group);
    tree->BuildTree();
    ShowRecordDetails();
}

TTree* TInfoTree::NewTree(bool editLabels) {
    auto* made = new TTree(this, data, wxDefaultPosition, wxDefaultSize, editLabels);
    made->SetSelectionListener([this] { ShowRecordDetails(); });
    return made;
}

wxRect TInfoTree::Scaled(int x, int y, int width, int height) const {
    return wxRect(FromDIP(wxPoint(x, y)), FromDIP(wxSize(width, height)));
}

wxFont TInfoTree::FittingFont() const {
    wxFont font = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    auto fits = [this](const wxFont& candidate) {
        for (const DetailRow& row : detailRows) {
            int width = 0, height = 0;
            GetTextExtent(row.label, &width, &height, nullptr, nullptr, &candidate);
            if (width > FromDIP(row.labelWidth))
                return false;
        }
        return true;
    };
    constexpr double smallest = 6.0;
    while (!fits(font) && font.GetFractionalPointSize() > smallest)
        font.SetFractionalPointSize(font.GetFractionalPointSize() - 0.5);
    return font;
}

void TInfoTree::OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    dc.SetBackground(wxBrush(GetBackgroundColour()));
    dc.Clear();
    banner.Draw(dc);
}

void TInfoTree::OnSize(wxSizeEvent& event) {
    ResizeChildren();
    event.Skip();
}

void TInfoTree::OnAddEvent(wxCommandEvent&) {
    TEventEditDlg dialog(this, data);
    if (dialog.ShowModal() == wxID_OK)
        AddNewEventNode();
}

void TInfoTree::OnEditEvent(wxCommandEvent&) {
    tree->EditSelectedEvent();
}

// The frame hands the screen the commands of its menu and tool bar; the
// tree carries them out on its selected node.
void TInfoTree::OnTreeCommand(wxCommandEvent& event) {
    if (!tree->ProcessWindowEventLocally(event))
        event.Skip();
}

// Paste belongs to the frame, unless it is meant for a label being edited.
void TInfoTree::OnPaste(wxCommandEvent& event) {
    if (!tree->EditorCommand(event.GetId()))
        event.Skip();
}

void TInfoTree::OnUpdateTreeCommand(wxUpdateUIEvent& event) {
    event.Enable(true);
}

void TInfoTree::OnSelectionChanged(wxTreeEvent&) {
    ShowRecordDetails();
}

void TInfoTree::OnBeginLabelEdit(wxTreeEvent& event) {
    oldLabel = platform::FromWx(tree->GetItemText(event.GetItem()));
}

void TInfoTree::OnEndLabelEdit(wxTreeEvent& event) {
    if (event.IsEditCancelled() || !tree->RenameNode(event.GetItem(), oldLabel, event.GetLabel())) {
        event.Veto();
        return;
    }
    ShowRecordDetails();
}

}  // namespace vorlen
