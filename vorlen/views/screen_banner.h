// The strip across the top of the four data screens: the banner picture
// at the left and the filler picture beside it, both at the window's scale.
#pragma once

#include <wx/bitmap.h>

class wxDC;
class wxWindow;

namespace vorlen {

class ScreenBanner {
public:
    // `depth` is the display's bits per pixel, which picks the banner.
    ScreenBanner(const wxWindow& window, int depth);

    void Draw(wxDC& dc) const;
    // Logical heights; 0 for a picture that could not be made.
    int BannerHeight() const;
    int FillerHeight() const;
    const wxBitmap& Banner() const { return banner_; }

private:
    wxBitmap banner_;
    wxBitmap filler_;
};

}  // namespace vorlen
