// The program's pictures: every id draws something of its own, sizes are
// as documented, the low-colour pictures keep to their palette, and a
// sheet of the tool bar buttons and icons is saved for a person to judge.
#include "vorlen/resources/art.h"

#include "../gui/gui_support.h"

#include <wx/dcclient.h>
#include <wx/filename.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/panel.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <vector>

namespace vorlen::art {
namespace {

const int toolbarIds[] = {bitmapNew,
                          bitmapOpen,
                          bitmapSave,
                          bitmapAddNewEvent,
                          bitmapDelete,
                          bitmapCopy,
                          bitmapPaste,
                          bitmapUndo,
                          bitmapFind,
                          bitmapFindNext,
                          bitmapTitleScreen,
                          bitmapInformationTree,
                          bitmapCalendarDisplay,
                          bitmapEventList,
                          bitmapTodaysReminders,
                          bitmapHelpContents};

// The pixels of a picture, with alpha, as one byte string to compare.
std::string Pixels(const wxBitmap& bitmap) {
    wxImage image = bitmap.ConvertToImage();
    std::string bytes(reinterpret_cast<const char*>(image.GetData()),
                      image.GetWidth() * image.GetHeight() * 3);
    if (image.HasAlpha())
        bytes.append(reinterpret_cast<const char*>(image.GetAlpha()), image.GetWidth() * image.GetHeight());
    return bytes;
}

int OpaquePixels(const wxBitmap& bitmap) {
    wxImage image = bitmap.ConvertToImage();
    if (!image.HasAlpha())
        return image.GetWidth() * image.GetHeight();
    int count = 0;
    for (int i = 0; i < image.GetWidth() * image.GetHeight(); ++i)
        count += image.GetAlpha()[i] > 0;
    return count;
}

TEST(ToolbarArt, EveryButtonHasItsOwnPictureAtEachSize) {
    for (int size : {16, 24, 32}) {
        std::set<std::string> pictures;
        for (int id : toolbarIds) {
            SCOPED_TRACE("bitmap " + std::to_string(id) + " at " + std::to_string(size));
            wxBitmapBundle bundle = ToolbarBitmap(id);
            ASSERT_TRUE(bundle.IsOk());
            EXPECT_EQ(bundle.GetDefaultSize(), wxSize(16, 16));
            wxBitmap bitmap = bundle.GetBitmap(wxSize(size, size));
            ASSERT_EQ(bitmap.GetSize(), wxSize(size, size));
            // Drawn, but not a filled square.
            int opaque = OpaquePixels(bitmap);
            EXPECT_GT(opaque, size * size / 8);
            EXPECT_LT(opaque, size * size);
            pictures.insert(Pixels(bitmap));
        }
        EXPECT_EQ(pictures.size(), std::size(toolbarIds)) << "two buttons look the same";
    }
    for (int id : {0, 1, 24325, 2, 32002})
        EXPECT_FALSE(ToolbarBitmap(id).IsOk()) << id;
}

TEST(ProgramArt, IconsComeInTheFourSizes) {
    wxIconBundle icons = ProgramIcons();
    ASSERT_EQ(icons.GetIconCount(), 4u);
    for (int size : {16, 24, 32, 48}) {
        wxIcon icon = icons.GetIcon(wxSize(size, size), wxIconBundle::FALLBACK_NONE);
        EXPECT_EQ(icon.GetSize(), wxSize(size, size));
        EXPECT_EQ(icon.GetLogicalSize(), wxSize(size, size)) << "drawn at another size";
    }
    EXPECT_EQ(DocumentIcon().GetLogicalSize(), wxSize(32, 32));
}

TEST(TitleArt, PicturesHaveTheirSizesAtEveryScale) {
    const std::pair<int, wxSize> pictures[] = {{bitmapBannerLeft, {320, 64}},
                                               {bitmapBannerLeftLow, {320, 64}},
                                               {bitmapBannerRight, {320, 64}},
                                               {bitmapCentrePicture, {240, 180}},
                                               {bitmapCentrePictureLow, {240, 180}}};
    for (double scale : {1.0, 2.0}) {
        for (const auto& [id, size] : pictures) {
            SCOPED_TRACE("picture " + std::to_string(id) + " at scale " + std::to_string(scale));
            wxBitmap bitmap = TitleBitmap(id, scale);
            ASSERT_TRUE(bitmap.IsOk());
            EXPECT_EQ(bitmap.GetLogicalSize(), size);
            EXPECT_EQ(bitmap.GetSize(), size * scale);
        }
        EXPECT_EQ(WizardPicture(scale).GetLogicalSize(), wxSize(164, 314));
    }
    // For a person to look at, each at its own size.
    wxFileName::Mkdir(VORLEN_SCREENSHOT_DIR, wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    for (const auto& [id, size] : pictures)
        TitleBitmap(id).ConvertToImage().SaveFile(
            wxString::Format("%s/picture_%d.png", VORLEN_SCREENSHOT_DIR, id), wxBITMAP_TYPE_PNG);
    WizardPicture().ConvertToImage().SaveFile(wxString(VORLEN_SCREENSHOT_DIR) + "/picture_32019.png",
                                              wxBITMAP_TYPE_PNG);
    EXPECT_FALSE(TitleBitmap(bitmapWizardPicture).IsOk());
    EXPECT_FALSE(TitleBitmap(24331).IsOk());
}

TEST(TitleArt, LowColourPicturesUseOnlyTheSixteenColours) {
    std::set<unsigned long> palette;
    for (int i = 0; i < lowColourCount; ++i)
        palette.insert(LowColourPalette()[i].GetRGB());
    ASSERT_EQ(palette.size(), 16u);
    for (int id : {bitmapBannerLeftLow, bitmapCentrePictureLow}) {
        wxImage image = TitleBitmap(id).ConvertToImage();
        std::set<unsigned long> used;
        for (int y = 0; y < image.GetHeight(); ++y)
            for (int x = 0; x < image.GetWidth(); ++x)
                if (!image.HasAlpha() || image.GetAlpha(x, y) > 0)
                    used.insert(
                        wxColour(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y)).GetRGB());
        for (unsigned long colour : used)
            EXPECT_EQ(palette.count(colour), 1u) << id << ": colour " << std::hex << colour;
        EXPECT_GE(used.size(), 4u) << id;
    }
}

// One sheet: each button at 16 and 24 pixels, then the icon sizes, at the
// display's scale, saved for a person to judge.
TEST(ArtSheet, ShowsEveryButtonAndIcon) {
    wxFrame frame(nullptr, wxID_ANY, "Vorlen art");
    frame.SetBackgroundColour(*wxWHITE);
    auto* sheet = new wxPanel(&frame);
    sheet->SetBackgroundColour(wxColour(236, 236, 236));
    sheet->Bind(wxEVT_PAINT, [sheet](wxPaintEvent&) {
        wxPaintDC dc(sheet);
        int x = 8;
        for (int id : toolbarIds) {
            wxBitmapBundle bundle = ToolbarBitmap(id);
            dc.DrawBitmap(bundle.GetBitmapFor(sheet), x + 4, 8, true);
            double scale = sheet->GetContentScaleFactor();
            wxBitmap large = bundle.GetBitmap(wxSize(24, 24) * scale);
            large.SetScaleFactor(scale);
            dc.DrawBitmap(large, x, 32, true);
            x += 32;
        }
        x = 8;
        wxIconBundle icons = ProgramIcons();
        for (int size : {16, 24, 32, 48}) {
            dc.DrawIcon(icons.GetIcon(wxSize(size, size)), x, 64);
            x += size + 12;
        }
        dc.DrawIcon(DocumentIcon(), x + 12, 64);
    });
    frame.SetClientSize(8 + 32 * static_cast<int>(std::size(toolbarIds)), 124);
    frame.Show();
    std::string shot = test::SaveScreenshot(sheet, "toolbar_and_icons");
    EXPECT_TRUE(std::filesystem::exists(shot)) << shot;
}

}  // namespace
}  // namespace vorlen::art
