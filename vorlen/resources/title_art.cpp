// The title screen's banner and picture and the setup wizard's picture.
// Shapes are SVG documents rendered at the picture's size in device pixels;
// the product text is drawn over them with the toolkit's fonts (the SVG
// renderer has no text). The low-colour variants are drawn with colours of
// the 16-colour palette and then every pixel is put on that palette, so
// that smoothed edges do not bring other colours back.
#include "art.h"

#include "vorlen/resources/program_icon_svg.h"

#include <wx/dcmemory.h>
#include <wx/graphics.h>
#include <wx/image.h>

#include <cmath>
#include <map>
#include <memory>
#include <string>

namespace vorlen::art {
namespace {

constexpr char productText[] = "Tolvane Vorlen";
const wxSize bannerSize(320, 64);
const wxSize pictureSize(240, 180);
const wxSize wizardSize(164, 314);
const wxSize screenBannerSize(310, 25);
const wxSize screenFillerSize(1400, 25);

using Colours = std::map<std::string, std::string>;

// `svg` with each "@name@" replaced by its colour.
std::string WithColours(std::string svg, const Colours& colours) {
    for (const auto& [name, colour] : colours) {
        std::string token = "@" + name + "@";
        for (size_t at = svg.find(token); at != std::string::npos; at = svg.find(token, at))
            svg.replace(at, token.size(), colour);
    }
    return svg;
}

wxSize Physical(const wxSize& size, double scale) {
    return wxSize(static_cast<int>(std::lround(size.x * scale)),
                  static_cast<int>(std::lround(size.y * scale)));
}

// Draws `draw` over the SVG `svg` rendered at `size` (logical pixels).
template <typename Draw>
wxBitmap Picture(const std::string& svg, const wxSize& size, double scale, Draw draw) {
    wxBitmap bitmap = wxBitmapBundle::FromSVG(svg.c_str(), size).GetBitmap(Physical(size, scale));
    // The bundle marks a whole multiple of its size as scaled, which the
    // memory DC below would apply a second time.
    bitmap.SetScaleFactor(1);
    {
        wxMemoryDC dc(bitmap);
        std::unique_ptr<wxGraphicsContext> gc(wxGraphicsContext::Create(dc));
        gc->Scale(scale, scale);
        draw(*gc, scale);
    }
    return bitmap;
}

wxFont ProductFont(int pixels, bool bold) {
    wxFontInfo info(wxSize(0, pixels));
    info.Family(wxFONTFAMILY_SWISS);
    if (bold)
        info.Bold();
    return wxFont(info);
}

// Text with a one-pixel shadow down and right.
void ShadowedText(wxGraphicsContext& gc, const wxString& text, const wxFont& font, double x, double y,
                  const wxColour& ink, const wxColour& shadow) {
    gc.SetFont(font, shadow);
    gc.DrawText(text, x + 1, y + 1);
    gc.SetFont(font, ink);
    gc.DrawText(text, x, y);
}

void ProgramIconAt(wxGraphicsContext& gc, double scale, double x, double y, double size) {
    wxBitmapBundle icon = wxBitmapBundle::FromSVG(programIconSvg, wxSize(48, 48));
    int pixels = static_cast<int>(std::lround(size * scale));
    gc.DrawBitmap(icon.GetBitmap(wxSize(pixels, pixels)), x, y, size, size);
}

// Puts every pixel on the 16-colour palette; pixels less than half covered
// become transparent, the rest opaque.
wxBitmap OnPalette(const wxBitmap& bitmap) {
    wxImage image = bitmap.ConvertToImage();
    const wxColour* palette = LowColourPalette();
    unsigned char* rgb = image.GetData();
    unsigned char* alpha = image.HasAlpha() ? image.GetAlpha() : nullptr;
    int pixels = image.GetWidth() * image.GetHeight();
    for (int i = 0; i < pixels; ++i, rgb += 3) {
        int best = 0;
        long bestDistance = -1;
        for (int p = 0; p < lowColourCount; ++p) {
            long dr = rgb[0] - palette[p].Red(), dg = rgb[1] - palette[p].Green(),
                 db = rgb[2] - palette[p].Blue();
            long distance = dr * dr + dg * dg + db * db;
            if (bestDistance < 0 || distance < bestDistance) {
                bestDistance = distance;
                best = p;
            }
        }
        rgb[0] = palette[best].Red();
        rgb[1] = palette[best].Green();
        rgb[2] = palette[best].Blue();
        if (alpha)
            alpha[i] = alpha[i] < 128 ? 0 : 255;
    }
    return wxBitmap(image);
}

// ---------------------------------------------------------------------------
// The banner: a band that runs dark to light across both halves, with a
// gold rule along its foot.

constexpr char bannerSvg[] =
    R"svg(<svg xmlns="http://www.w3.org/2000/svg" width="320" height="64" viewBox="0 0 320 64">
<defs><linearGradient id="band" x1="0%" y1="0%" x2="100%" y2="0%">
<stop offset="0" stop-color="@from@"/><stop offset="1" stop-color="@to@"/></linearGradient></defs>
<rect width="320" height="64" fill="url(#band)"/>
<rect y="58" width="320" height="3" fill="@rule@"/>
@extra@
</svg>)svg";

const Colours bannerLeftHigh{{"from", "#0c1f45"}, {"to", "#1b4a94"}, {"rule", "#f2b705"}, {"extra", ""}};
const Colours bannerLeftLow{{"from", "#000080"}, {"to", "#000080"}, {"rule", "#ffff00"}, {"extra", ""}};

// Faint day squares fading out towards the right end.
std::string DaySquares() {
    std::string squares;
    for (int column = 0; column < 9; ++column) {
        double opacity = 0.22 - column * 0.022;
        for (int row = 0; row < 2; ++row)
            squares += "<rect x=\"" + std::to_string(150 + column * 19) + "\" y=\"" +
                       std::to_string(6 + row * 17) +
                       "\" width=\"14\" height=\"12\" rx=\"2\" fill=\"#ffffff\" fill-opacity=\"" +
                       std::to_string(opacity) + "\"/>";
    }
    return squares;
}

wxBitmap BannerLeft(bool lowColour, double scale) {
    wxBitmap bitmap =
        Picture(WithColours(bannerSvg, lowColour ? bannerLeftLow : bannerLeftHigh), bannerSize, scale,
                [](wxGraphicsContext& gc, double s) {
                    ProgramIconAt(gc, s, 10, 5, 48);
                    ShadowedText(gc, productText, ProductFont(32, true), 70, 11, *wxWHITE, wxColour(0, 0, 0));
                });
    return lowColour ? OnPalette(bitmap) : bitmap;
}

wxBitmap BannerRight(double scale) {
    Colours colours{{"from", "#1b4a94"}, {"to", "#5d8fd3"}, {"rule", "#f2b705"}, {"extra", DaySquares()}};
    return Picture(WithColours(bannerSvg, colours), bannerSize, scale, [](wxGraphicsContext& gc, double) {
        wxFont font = ProductFont(14, false).Italic();
        gc.SetFont(font, wxColour(0xe8, 0xf0, 0xff));
        gc.DrawText("Events, anniversaries and appointments", 12, 38);
    });
}

// ---------------------------------------------------------------------------
// The centre picture: a month page with one day marked and an alarm clock.

std::string CentreSvg() {
    std::string cells;
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 5; ++column) {
            bool marked = row == 2 && column == 3;
            cells += "<rect x=\"" + std::to_string(34 + column * 21) + "\" y=\"" +
                     std::to_string(60 + row * 21) + "\" width=\"16\" height=\"15\" rx=\"2\" fill=\"" +
                     (marked ? "@mark@" : "@cell@") + "\"/>";
        }
    return std::string(
               R"svg(<svg xmlns="http://www.w3.org/2000/svg" width="240" height="180" viewBox="0 0 240 180">
<defs><linearGradient id="sky" x1="0%" y1="0%" x2="0%" y2="100%">
<stop offset="0" stop-color="@sky1@"/><stop offset="1" stop-color="@sky2@"/></linearGradient></defs>
<rect x="1" y="1" width="238" height="178" rx="12" fill="url(#sky)" stroke="@frame@" stroke-width="2"/>
<rect x="30" y="27" width="122" height="130" rx="7" fill="@shadow@"/>
<rect x="24" y="21" width="122" height="130" rx="7" fill="@paper@" stroke="@ink@" stroke-width="2.5"/>
<path d="M25.2 49V28a6 6 0 0 1 6-6h107.6a6 6 0 0 1 6 6v21z" fill="@header@"/>
<path d="M24 50h122" stroke="@ink@" stroke-width="2.5"/>
<rect x="46" y="11" width="9" height="20" rx="3.5" fill="@ink@"/>
<rect x="115" y="11" width="9" height="20" rx="3.5" fill="@ink@"/>
)svg") + cells +
           R"svg(
<circle cx="150" cy="77" r="13" fill="@bell@" stroke="@ink@" stroke-width="2.5"/>
<circle cx="206" cy="77" r="13" fill="@bell@" stroke="@ink@" stroke-width="2.5"/>
<path d="M160 150l-8 12M196 150l8 12" stroke="@ink@" stroke-width="5" stroke-linecap="round"/>
<circle cx="178" cy="116" r="40" fill="@face@" stroke="@ink@" stroke-width="5"/>
<path d="M178 82v8M212 116h-8M178 150v-8M144 116h8" stroke="@ink@" stroke-width="3"/>
<path d="M178 116V92M178 116l17 10" stroke="@hands@" stroke-width="4.5" stroke-linecap="round"/>
<circle cx="178" cy="116" r="4" fill="@ink@"/>
</svg>)svg";
}

const Colours centreHigh{{"sky1", "#eef4fc"},   {"sky2", "#c6d8f0"},  {"frame", "#7d97bd"},
                         {"shadow", "#9fb3cf"}, {"paper", "#ffffff"}, {"ink", "#2f3e4e"},
                         {"header", "#c8372d"}, {"cell", "#c9d5e3"},  {"mark", "#f2b705"},
                         {"bell", "#f2b705"},   {"face", "#fffdf5"},  {"hands", "#c8372d"}};
const Colours centreLow{{"sky1", "#c0c0c0"},   {"sky2", "#c0c0c0"},  {"frame", "#000080"},
                        {"shadow", "#808080"}, {"paper", "#ffffff"}, {"ink", "#000000"},
                        {"header", "#800000"}, {"cell", "#c0c0c0"},  {"mark", "#ffff00"},
                        {"bell", "#ffff00"},   {"face", "#ffffff"},  {"hands", "#ff0000"}};

wxBitmap CentrePicture(bool lowColour, double scale) {
    wxBitmap bitmap = Picture(WithColours(CentreSvg(), lowColour ? centreLow : centreHigh), pictureSize,
                              scale, [](wxGraphicsContext&, double) {});
    return lowColour ? OnPalette(bitmap) : bitmap;
}

// ---------------------------------------------------------------------------
// The wizard's picture: a tall band with the program's bell and its name.

constexpr char wizardSvg[] =
    R"svg(<svg xmlns="http://www.w3.org/2000/svg" width="164" height="314" viewBox="0 0 164 314">
<defs><linearGradient id="band" x1="0%" y1="0%" x2="0%" y2="100%">
<stop offset="0" stop-color="#0c1f45"/><stop offset="1" stop-color="#2c63b5"/></linearGradient></defs>
<rect width="164" height="314" fill="url(#band)"/>
<rect x="20" y="190" width="124" height="3" fill="#f2b705"/>
<circle cx="82" cy="96" r="62" fill="#ffffff" fill-opacity=".08"/>
<circle cx="82" cy="96" r="46" fill="#ffffff" fill-opacity=".08"/>
</svg>)svg";

wxBitmap Wizard(double scale) {
    return Picture(wizardSvg, wizardSize, scale, [](wxGraphicsContext& gc, double s) {
        ProgramIconAt(gc, s, 34, 48, 96);
        wxFont font = ProductFont(26, true);
        for (auto [text, y] : {std::pair<const char*, double>{"Tolvane", 204}, {"Vorlen", 236}}) {
            double width = 0, height = 0;
            gc.SetFont(font, *wxWHITE);
            gc.GetTextExtent(text, &width, &height);
            ShadowedText(gc, text, font, (wizardSize.x - width) / 2, y, *wxWHITE, wxColour(0, 0, 0));
        }
    });
}

// ---------------------------------------------------------------------------
// The banner across the top of the other screens, and the black and white
// strip that carries its band and rule on to the right edge.

constexpr char screenBannerSvg[] =
    R"svg(<svg xmlns="http://www.w3.org/2000/svg" width="310" height="25" viewBox="0 0 310 25">
<defs><linearGradient id="band" x1="0%" y1="0%" x2="100%" y2="0%">
<stop offset="0" stop-color="@from@"/><stop offset="1" stop-color="@to@"/></linearGradient></defs>
<rect width="310" height="25" fill="url(#band)"/>
<rect y="21" width="310" height="2" fill="@rule@"/>
</svg>)svg";

const Colours screenBannerHigh{{"from", "#0c1f45"}, {"to", "#000000"}, {"rule", "#f2b705"}};
const Colours screenBannerLow{{"from", "#000080"}, {"to", "#000000"}, {"rule", "#ffff00"}};

wxBitmap ScreenBannerPicture(bool lowColour, double scale) {
    wxBitmap bitmap = Picture(WithColours(screenBannerSvg, lowColour ? screenBannerLow : screenBannerHigh),
                              screenBannerSize, scale, [](wxGraphicsContext& gc, double s) {
                                  ProgramIconAt(gc, s, 4, 1, 19);
                                  ShadowedText(gc, productText, ProductFont(15, true), 29, 2, *wxWHITE,
                                               wxColour(0, 0, 0));
                              });
    return lowColour ? OnPalette(bitmap) : bitmap;
}

constexpr char screenFillerSvg[] =
    R"svg(<svg xmlns="http://www.w3.org/2000/svg" width="1400" height="25" viewBox="0 0 1400 25">
<rect width="1400" height="25" fill="#000000"/>
<rect y="21" width="1400" height="2" fill="#ffffff"/>
</svg>)svg";

// With the scale set, the bitmap measures its logical size where it is drawn.
wxBitmap Scaled(wxBitmap bitmap, double scale) {
    bitmap.SetScaleFactor(scale);
    return bitmap;
}

}  // namespace

const wxColour* LowColourPalette() {
    static const wxColour palette[lowColourCount] = {
        {0, 0, 0},     {128, 0, 0},     {0, 128, 0},     {128, 128, 0},  {0, 0, 128}, {128, 0, 128},
        {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0},    {0, 255, 0}, {255, 255, 0},
        {0, 0, 255},   {255, 0, 255},   {0, 255, 255},   {255, 255, 255}};
    return palette;
}

wxBitmap TitleBitmap(int resourceId, double scale) {
    switch (resourceId) {
    case bitmapBannerLeft: return Scaled(BannerLeft(false, scale), scale);
    case bitmapBannerLeftLow: return Scaled(BannerLeft(true, scale), scale);
    case bitmapBannerRight: return Scaled(BannerRight(scale), scale);
    case bitmapCentrePicture: return Scaled(CentrePicture(false, scale), scale);
    case bitmapCentrePictureLow: return Scaled(CentrePicture(true, scale), scale);
    default: return wxBitmap();
    }
}

wxBitmap WizardPicture(double scale) {
    return Scaled(Wizard(scale), scale);
}

wxBitmap ScreenBanner(int depth, double scale) {
    return Scaled(ScreenBannerPicture(depth < 15, scale), scale);
}

wxBitmap ScreenFiller(double scale) {
    return Scaled(Picture(screenFillerSvg, screenFillerSize, scale, [](wxGraphicsContext&, double) {}), scale);
}

}  // namespace vorlen::art
