#include "view_window.h"

#include "vorlen/platform/settings.h"

#include <wx/dcbuffer.h>
#include <wx/settings.h>
#include <wx/toplevel.h>

namespace vorlen {

DisplayKind DisplayKindOfSetting(int32_t dayView) {
    return dayView == 0 ? ViewKindFull : ViewKindList;
}

wxBEGIN_EVENT_TABLE(TViewWindow, wxWindow)
    EVT_PAINT(TViewWindow::OnPaint)
    EVT_SIZE(TViewWindow::OnSize)
wxEND_EVENT_TABLE()

TViewWindow::TViewWindow(wxWindow* parent, EventEditData data, int hostKind, const Date& today, int depth)
    : wxWindow(parent, wxID_ANY),
      banner(*this, depth),
      hostKind(hostKind),
      dayView(today, this, data, DisplayKindOfSetting(platform::ReadSettings().dayView)) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE));
    if (wxWindow* frame = wxGetTopLevelParent(parent))
        frame->SetLabel("Tolvane Vorlen");
    dayView.CreateControls();
    dayView.Refresh();
}

void TViewWindow::RefreshView() {
    dayView.Refresh();
    LayOut(-20);
}

void TViewWindow::ResizeChildren() {
    LayOut(10);
}

void TViewWindow::LayOut(int bottomOffset) {
    wxSize client = GetClientSize();
    int filler = banner.FillerHeight();
    dayView.SetLayout(10, filler + 10, client.x - 20, client.y - filler + bottomOffset);
}

void TViewWindow::OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    dc.SetBackground(wxBrush(GetBackgroundColour()));
    dc.Clear();
    banner.Draw(dc);
    dayView.ShowListPane();
    if (firstPaint) {
        firstPaint = false;
        ResizeChildren();
    }
}

void TViewWindow::OnSize(wxSizeEvent& event) {
    ResizeChildren();
    Refresh();
    event.Skip();
}

}  // namespace vorlen
