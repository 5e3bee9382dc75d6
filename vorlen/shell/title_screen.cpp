#include "title_screen.h"

#include "vorlen/resources/art.h"

#include <wx/dcbuffer.h>
#include <wx/settings.h>
#include <wx/toplevel.h>

namespace vorlen {

wxPoint CentrePicturePosition(const wxSize& client, const wxSize& picture, int bannerHeight) {
    int top = client.y / 2 - picture.y / 2;
    if (top <= bannerHeight)
        top = bannerHeight + 1;
    return wxPoint(client.x / 2 - picture.x / 2, top);
}

wxBEGIN_EVENT_TABLE(TMainWindow, wxWindow)
    EVT_PAINT(TMainWindow::OnPaint)
    EVT_SIZE(TMainWindow::OnSize)
wxEND_EVENT_TABLE()

TMainWindow::TMainWindow(wxWindow* parent, int depth)
    : wxWindow(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxFULL_REPAINT_ON_RESIZE) {
    bool highColour = depth >= highColourDepth;
    bannerLeftId = highColour ? art::bitmapBannerLeft : art::bitmapBannerLeftLow;
    centrePictureId = highColour ? art::bitmapCentrePicture : art::bitmapCentrePictureLow;
    // Pictures with as many pixels as the display gives a logical one.
    double scale = GetContentScaleFactor();
    bannerLeft = art::TitleBitmap(bannerLeftId, scale);
    bannerRight = art::TitleBitmap(art::bitmapBannerRight, scale);
    centrePicture = art::TitleBitmap(centrePictureId, scale);

    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE));
    if (wxWindow* frame = wxGetTopLevelParent(parent))
        frame->SetLabel("Tolvane Vorlen - Title Screen");
}

void TMainWindow::OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    dc.SetBackground(wxBrush(GetBackgroundColour()));
    dc.Clear();
    wxSize left = bannerLeft.GetLogicalSize();
    dc.DrawBitmap(bannerLeft, 0, 0, true);
    dc.DrawBitmap(bannerRight, left.x, 0, true);
    dc.DrawBitmap(centrePicture,
                  CentrePicturePosition(GetClientSize(), centrePicture.GetLogicalSize(), left.y), true);
}

void TMainWindow::OnSize(wxSizeEvent& event) {
    Refresh();
    event.Skip();
}

}  // namespace vorlen
