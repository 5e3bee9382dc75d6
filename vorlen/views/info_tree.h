// The "Information Tree" screen: the banner, the tree of the data file's
// categories and events on the left, and on the right the "Record Details"
// of the selected event in words, with "Add Event" and "Edit Event" below.
#pragma once

#include "vorlen/views/screen_banner.h"
#include "vorlen/views/event_tree.h"

#include <wx/bitmap.h>
#include <wx/panel.h>

#include <string>

class wxStaticBox;
class wxStaticText;

namespace vorlen {

class TValueField;

// Control ids of the screen (the tree's is infoTreeId). The design gives
// the group, the "Description:" label and its value the numbers 37001-37003
// (the k...ResourceId constants below), above what wx accepts; the windows
// carry these instead, and the other labels and values follow them.
enum InfoTreeControl : int {
    detailsGroupId = 32741,
    descriptionLabelId,
    descriptionValueId,
    eventTypeLabelId,
    startLabelId,
    endLabelId,
    rangeEndLabelId,
    whereLabelId,
    periodLabelId,
    eventTypeValueId,
    startValueId,
    endValueId,
    rangeEndValueId,
    whereValueId,
    periodValueId,
};
inline constexpr int kDetailsGroupResourceId = 37001;
inline constexpr int kDescriptionLabelResourceId = 37002;
inline constexpr int kDescriptionValueResourceId = 37003;

// The seven rows of the details panel, top to bottom.
inline constexpr int detailRowCount = 7;

class TInfoTree : public wxPanel {
public:
    // `depth` is the display's bits per pixel, which picks the banner.
    TInfoTree(wxWindow* parent, EventEditData data, int depth = wxDisplayDepth());

    // The details of the selected node's event, or none.
    void ShowRecordDetails();
    void ResizeChildren();
    // After events were appended to the list (a new event, a paste): their
    // nodes, the new last one scrolled into view, the tree sorted and given
    // the focus.
    void AddNewEventNode();
    // A new tree control over the data as it is now; its labels can no
    // longer be edited in place.
    void RebuildTree();

    TTree* Tree() const { return tree; }
    wxStaticText* DetailLabel(int row) const { return labels[row]; }
    TValueField* DetailValue(int row) const { return values[row]; }

private:
    TTree* NewTree(bool editLabels);
    wxRect Scaled(int x, int y, int width, int height) const;
    // The dialog font, made smaller where a label would not fit its place.
    wxFont FittingFont() const;

    void OnPaint(wxPaintEvent& event);
    void OnSize(wxSizeEvent& event);
    void OnAddEvent(wxCommandEvent& event);
    void OnEditEvent(wxCommandEvent& event);
    void OnTreeCommand(wxCommandEvent& event);
    void OnPaste(wxCommandEvent& event);
    void OnUpdateTreeCommand(wxUpdateUIEvent& event);
    void OnSelectionChanged(wxTreeEvent& event);
    void OnBeginLabelEdit(wxTreeEvent& event);
    void OnEndLabelEdit(wxTreeEvent& event);

    EventEditData data;
    ScreenBanner banner;
    TTree* tree = nullptr;
    wxStaticBox* group = nullptr;
    wxStaticText* labels[detailRowCount] = {};
    TValueField* values[detailRowCount] = {};
    wxWindow* editButton = nullptr;
    std::string oldLabel;
    wxDECLARE_EVENT_TABLE();
};

}  // namespace vorlen
