#include "vorlen/shell/title_screen.h"

#include "vorlen/resources/art.h"

#include "../gui/gui_support.h"

#include <wx/frame.h>
#include <wx/image.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace vorlen {
namespace {

TEST(CentrePicturePosition, CentresInAWindowTallEnough) {
    EXPECT_EQ(CentrePicturePosition({800, 600}, {240, 180}, 64), wxPoint(280, 210));
    EXPECT_EQ(CentrePicturePosition({801, 601}, {240, 180}, 64), wxPoint(280, 210));
}

TEST(CentrePicturePosition, GoesJustBelowTheBannerInALowWindow) {
    EXPECT_EQ(CentrePicturePosition({800, 200}, {240, 180}, 64), wxPoint(280, 65));
    EXPECT_EQ(CentrePicturePosition({800, 308}, {240, 180}, 64), wxPoint(280, 65));  // top == banner bottom
    EXPECT_EQ(CentrePicturePosition({800, 312}, {240, 180}, 64), wxPoint(280, 66));
    EXPECT_EQ(CentrePicturePosition({100, 0}, {240, 180}, 64), wxPoint(-70, 65));
}

TEST(TitleScreen, ChoosesPicturesByColourDepthAndNamesTheFrame) {
    const struct {
        int depth, bannerLeft, centre;
    } cases[] = {{24, art::bitmapBannerLeft, art::bitmapCentrePicture},
                 {15, art::bitmapBannerLeft, art::bitmapCentrePicture},
                 {8, art::bitmapBannerLeftLow, art::bitmapCentrePictureLow}};
    for (const auto& c : cases) {
        SCOPED_TRACE("depth " + std::to_string(c.depth));
        wxFrame frame(nullptr, wxID_ANY, "Tolvane Vorlen");
        auto* screen = new TMainWindow(&frame, c.depth);
        EXPECT_EQ(frame.GetTitle(), "Tolvane Vorlen - Title Screen");
        EXPECT_EQ(screen->BannerLeftId(), c.bannerLeft);
        EXPECT_EQ(screen->CentrePictureId(), c.centre);
        EXPECT_EQ(screen->BannerLeft().ConvertToImage().GetData()[0],
                  art::TitleBitmap(c.bannerLeft).ConvertToImage().GetData()[0]);
        EXPECT_EQ(screen->BannerRight().GetLogicalSize(), wxSize(320, 64));
        EXPECT_EQ(screen->CentrePicture().GetLogicalSize(), wxSize(240, 180));
    }
}

bool Near(const wxImage& a, wxPoint pa, const wxImage& b, wxPoint pb) {
    auto close = [](int x, int y) { return std::abs(x - y) <= 8; };
    return close(a.GetRed(pa.x, pa.y), b.GetRed(pb.x, pb.y)) &&
           close(a.GetGreen(pa.x, pa.y), b.GetGreen(pb.x, pb.y)) &&
           close(a.GetBlue(pa.x, pa.y), b.GetBlue(pb.x, pb.y));
}

// Shows the screen in a frame whose client area is `client`, saves it and
// checks the drawing against the pictures: banner intact at the top, the
// picture where the position rule puts it.
void CheckPainted(const wxSize& client, const std::string& name) {
    wxFrame frame(nullptr, wxID_ANY, "Tolvane Vorlen");
    auto* screen = new TMainWindow(&frame, 24);
    frame.SetClientSize(client);
    frame.Show();
    std::string shot = test::SaveScreenshot(screen, name);
    ASSERT_TRUE(std::filesystem::exists(shot)) << shot;
    wxImage drawn(shot, wxBITMAP_TYPE_PNG);
    // Compared in logical pixels, whatever the display's scale.
    drawn.Rescale(screen->GetClientSize().x, screen->GetClientSize().y, wxIMAGE_QUALITY_NEAREST);
    wxImage banner = art::TitleBitmap(art::bitmapBannerLeft).ConvertToImage();
    wxImage picture = art::TitleBitmap(art::bitmapCentrePicture).ConvertToImage();
    wxPoint at = CentrePicturePosition(screen->GetClientSize(), {240, 180}, 64);
    for (int y : {2, 40, 59, 63})
        EXPECT_TRUE(Near(drawn, {300, y}, banner, {300, y})) << "banner row " << y;
    for (int y : {1, 90, 130})
        EXPECT_TRUE(Near(drawn, at + wxPoint(120, y), picture, {120, y})) << "picture row " << y;
    wxColour face = screen->GetBackgroundColour();
    EXPECT_EQ(drawn.GetRed(client.x - 2, client.y - 2), face.Red());
}

TEST(TitleScreen, PaintsBannerAndCentredPicture) {
    CheckPainted({800, 600}, "title_screen");
}

TEST(TitleScreen, ALowWindowDrawsThePictureBelowTheBanner) {
    CheckPainted({700, 200}, "title_screen_low");  // the picture's foot is cut off
}

}  // namespace
}  // namespace vorlen
