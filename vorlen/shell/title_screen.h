// The title screen: the banner across the top and the centre picture,
// drawn on the button-face colour, with pictures chosen once by the
// display's colour depth.
#pragma once

#include <wx/bitmap.h>
#include <wx/gdicmn.h>
#include <wx/window.h>

namespace vorlen {

// Where the centre picture's top left corner goes in a client area of
// `client`: centred across; down, half the height less half the picture,
// unless that would not clear the banner, then one pixel below it.
wxPoint CentrePicturePosition(const wxSize& client, const wxSize& picture, int bannerHeight);

// Displays of this many bits per pixel or more get the high-colour pictures.
inline constexpr int highColourDepth = 15;

class TMainWindow : public wxWindow {
public:
    // `depth` is the display's bits per pixel; tests pass their own.
    explicit TMainWindow(wxWindow* parent, int depth = wxDisplayDepth());

    const wxBitmap& BannerLeft() const { return bannerLeft; }
    const wxBitmap& BannerRight() const { return bannerRight; }
    const wxBitmap& CentrePicture() const { return centrePicture; }
    // The resource numbers of the three pictures, in the order above.
    int BannerLeftId() const { return bannerLeftId; }
    int CentrePictureId() const { return centrePictureId; }

private:
    void OnPaint(wxPaintEvent& event);
    void OnSize(wxSizeEvent& event);

    int bannerLeftId;
    int centrePictureId;
    wxBitmap bannerLeft;
    wxBitmap bannerRight;
    wxBitmap centrePicture;
    wxDECLARE_EVENT_TABLE();
};

}  // namespace vorlen
