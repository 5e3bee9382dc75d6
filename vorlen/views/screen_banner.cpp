#include "vorlen/views/screen_banner.h"

#include "vorlen/resources/art.h"

#include <wx/dc.h>
#include <wx/window.h>

namespace vorlen {

ScreenBanner::ScreenBanner(const wxWindow& window, int depth)
    : banner_(art::ScreenBanner(depth, window.GetContentScaleFactor())),
      filler_(art::ScreenFiller(window.GetContentScaleFactor())) {}

void ScreenBanner::Draw(wxDC& dc) const {
    if (banner_.IsOk())
        dc.DrawBitmap(banner_, 0, 0);
    if (filler_.IsOk())
        dc.DrawBitmap(filler_, banner_.IsOk() ? banner_.GetLogicalSize().x : 0, 0);
}

int ScreenBanner::BannerHeight() const {
    return banner_.IsOk() ? banner_.GetLogicalSize().y : 0;
}

int ScreenBanner::FillerHeight() const {
    return filler_.IsOk() ? filler_.GetLogicalSize().y : 0;
}

}  // namespace vorlen
