// The program's own pictures: tool bar buttons, the program icon, the
// title screen's banner and picture and the setup wizard's picture, each by
// the resource number the windows know it by.
//
// Tool bar bitmaps and the icon are drawn from small SVG documents, so they
// stay sharp at any scale. The title pictures have fixed sizes (below); a
// caller on a scaled display passes its scale and gets a bitmap with that
// many more pixels that still measures the stated size in logical pixels.
#pragma once

#include <wx/bitmap.h>
#include <wx/bmpbndl.h>
#include <wx/icon.h>
#include <wx/iconbndl.h>
#include <wx/vector.h>

namespace vorlen::art {

// Tool bar bitmap ids (the button's bitmap, not always its command).
enum ToolbarBitmapId : int {
    bitmapNew = 24331,
    bitmapOpen = 24332,
    bitmapSave = 24333,
    bitmapAddNewEvent = 6,
    bitmapDelete = 24322,
    bitmapCopy = 24323,
    bitmapPaste = 24324,
    bitmapUndo = 24321,
    bitmapFind = 24351,
    bitmapFindNext = 24353,
    bitmapTitleScreen = 24357,
    bitmapInformationTree = 24355,
    bitmapCalendarDisplay = 5,
    bitmapEventList = 24356,
    bitmapTodaysReminders = 24358,
    bitmapHelpContents = 2001,
};

// Title and wizard picture ids.
enum TitleBitmapId : int {
    bitmapBannerLeft = 32002,        // 320 x 64, high colour
    bitmapBannerLeftLow = 32018,     // 320 x 64, the 16 standard colours only
    bitmapBannerRight = 32003,       // 320 x 64, continues the banner to the right
    bitmapCentrePicture = 32011,     // 240 x 180, high colour
    bitmapCentrePictureLow = 32013,  // 240 x 180, the 16 standard colours only
    bitmapWizardPicture = 32019,     // 164 x 314
};

inline constexpr int programIconId = 1001;

// The button bitmap of `bitmapId`, 16 x 16 by default; an empty bundle for
// an id that is not a tool bar bitmap.
wxBitmapBundle ToolbarBitmap(int bitmapId);

// The program icon at 16, 24, 32 and 48 pixels.
wxIconBundle ProgramIcons();

// The program icon as a picture for dialogs, 32 x 32 by default.
wxBitmapBundle ProgramIconBitmap();

// The icon of the program's data files (a page with the program's bell),
// 32 x 32.
wxIcon DocumentIcon();

// The title picture `resourceId` at its size above, with `scale` times as
// many pixels each way; an invalid bitmap for any other id.
wxBitmap TitleBitmap(int resourceId, double scale = 1.0);

// The setup wizard's picture (32019), 164 x 314.
wxBitmap WizardPicture(double scale = 1.0);

// The banner of the screens other than the title screen, 310 x 25: the
// 16-colour variant below 15 bits per pixel (`depth`), else high colour.
wxBitmap ScreenBanner(int depth, double scale = 1.0);
// The black and white strip drawn right of that banner, 1400 x 25.
wxBitmap ScreenFiller(double scale = 1.0);

// The information tree's node pictures, in this order: a file or category
// node, the same selected, an event without a start time, a selected
// event, an event with a start time (an appointment).
enum TreeImage : int {
    treeImageFolder = 0,
    treeImageFolderSelected = 1,
    treeImageEvent = 2,
    treeImageEventSelected = 3,
    treeImageAppointment = 4,
};
inline constexpr int treeImageCount = 5;
inline constexpr int treeImageWidth = 20;
inline constexpr int treeImageHeight = 16;
wxVector<wxBitmapBundle> TreeImages();

// The sixteen colours the low-colour pictures are limited to: the standard
// palette of 16-colour displays.
const wxColour* LowColourPalette();
inline constexpr int lowColourCount = 16;

}  // namespace vorlen::art
