#include "gvmain/engine/install_screen.h"

#include "gvmain/engine/picture_button.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <vector>

namespace gvmain {
namespace {

constexpr char screenClass[] = "wndclassgvbk";
constexpr char screenCaption[] = "Grevant Installer";
constexpr size_t markLength = 12;
constexpr int buttonGap = 4;

// Up and down bitmaps, in the order of the buttons from the left.
constexpr const char* buttonBitmapNames[] = {"BMMINZUP", "BMMINZDN", "BMHELPUP",
                                             "BMHELPDN", "BMEXITUP", "BMEXITDN"};
constexpr int buttonIds[] = {screenMinimiseButton, screenHelpButton, screenExitButton};

HFONT ArialFont(int height, int weight, bool italic) {
    return CreateFontA(-height, 0, 0, 0, weight, italic, FALSE, FALSE, ANSI_CHARSET, OUT_TT_PRECIS,
                       CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, VARIABLE_PITCH | FF_SWISS, "Arial");
}

// A Windows metafile, with or without the placeable header that drawing
// programs put in front of it.
HENHMETAFILE LoadWindowsMetafile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(file)),
                                     std::istreambuf_iterator<char>());
    constexpr size_t placeableHeader = 22;
    const unsigned char placeableKey[] = {0xD7, 0xCD, 0xC6, 0x9A};
    size_t start = 0;
    if (bytes.size() > placeableHeader &&
        std::equal(std::begin(placeableKey), std::end(placeableKey), bytes.begin())) {
        start = placeableHeader;
    }
    if (bytes.size() <= start) {
        return nullptr;
    }
    return SetWinMetaFileBits(static_cast<UINT>(bytes.size() - start), bytes.data() + start, nullptr,
                              nullptr);
}

// The palette of a 256-colour picture, so that a palette display shows its
// own colours.
HPALETTE PaletteOf(HBITMAP bitmap) {
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(memory, bitmap);
    RGBQUAD colours[256];
    UINT count = GetDIBColorTable(memory, 0, 256, colours);
    SelectObject(memory, old);
    DeleteDC(memory);
    if (count == 0) {
        return nullptr;
    }
    std::vector<unsigned char> storage(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
    auto* palette = reinterpret_cast<LOGPALETTE*>(storage.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = static_cast<WORD>(count);
    for (UINT i = 0; i < count; ++i) {
        palette->palPalEntry[i] = {colours[i].rgbRed, colours[i].rgbGreen, colours[i].rgbBlue, 0};
    }
    return CreatePalette(palette);
}

bool RegisterScreenClass(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSA existing;
    if (GetClassInfoA(instance, screenClass, &existing)) {
        return true;
    }
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
    windowClass.lpszClassName = screenClass;
    return RegisterClassA(&windowClass) != 0;
}

}  // namespace

InstallScreen::~InstallScreen() {
    Destroy();
}

bool InstallScreen::Create(const DialogResources& resources, const ScreenDescription& screen,
                           const std::string& picturePath, const std::string& helpFile) {
    Destroy();
    screen_ = screen;
    helpFile_ = helpFile;
    if (!LoadPicture(picturePath) || !RegisterScreenClass(resources.engine, &InstallScreen::Procedure) ||
        !RegisterPictureButtonClass(resources.engine)) {
        Destroy();
        return false;
    }
    captionFont_ = ArialFont(40, FW_BOLD, true);
    markFont_ = ArialFont(16, FW_BOLD, false);
    window_ = CreateWindowExA(0, screenClass, screenCaption, WS_POPUP | WS_CLIPCHILDREN, 0, 0,
                              GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                              resources.engine, this);
    if (!window_ || !MakeButtons(resources)) {
        Destroy();
        return false;
    }
    ShowWindow(window_, SW_SHOW);
    UpdateWindow(window_);
    return true;
}

void InstallScreen::Destroy() {
    if (window_) {
        SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
        window_ = nullptr;
    }
    for (HGDIOBJ object : {static_cast<HGDIOBJ>(bitmap_), static_cast<HGDIOBJ>(palette_),
                           static_cast<HGDIOBJ>(captionFont_), static_cast<HGDIOBJ>(markFont_)}) {
        if (object) {
            DeleteObject(object);
        }
    }
    for (HBITMAP& bitmap : buttonBitmaps_) {
        if (bitmap) {
            DeleteObject(bitmap);
        }
        bitmap = nullptr;
    }
    if (metafile_) {
        DeleteEnhMetaFile(metafile_);
    }
    bitmap_ = nullptr;
    palette_ = nullptr;
    captionFont_ = nullptr;
    markFont_ = nullptr;
    metafile_ = nullptr;
}

bool InstallScreen::LoadPicture(const std::string& path) {
    if (screen_.pictureKind == screenBitmap) {
        bitmap_ = static_cast<HBITMAP>(
            LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
        if (bitmap_ && screen_.colours == screenColours256) {
            palette_ = PaletteOf(bitmap_);
        }
        return bitmap_ != nullptr;
    }
    if (screen_.pictureKind == screenMetafile) {
        metafile_ = GetEnhMetaFileA(path.c_str());
        if (!metafile_) {
            metafile_ = LoadWindowsMetafile(path);
        }
        return metafile_ != nullptr;
    }
    return true;
}

bool InstallScreen::MakeButtons(const DialogResources& resources) {
    for (size_t i = 0; i < buttonBitmaps_.size(); ++i) {
        buttonBitmaps_[i] = LoadBitmapA(resources.language, buttonBitmapNames[i]);
        if (!buttonBitmaps_[i]) {
            return false;
        }
    }
    BITMAP size = {};
    GetObjectA(buttonBitmaps_[0], sizeof size, &size);
    RECT area;
    GetClientRect(window_, &area);
    int x = area.right - 3 * (size.bmWidth + buttonGap);
    for (size_t i = 0; i < 3; ++i) {
        if (!CreatePictureButton(resources.engine, window_, buttonIds[i], x, buttonGap, buttonBitmaps_[2 * i],
                                 buttonBitmaps_[2 * i + 1])) {
            return false;
        }
        x += size.bmWidth + buttonGap;
    }
    return true;
}

void InstallScreen::Paint(HDC dc) const {
    RECT area;
    GetClientRect(window_, &area);
    HBRUSH background = CreateSolidBrush(screen_.background);
    FillRect(dc, &area, background);
    DeleteObject(background);
    if (palette_) {
        SelectPalette(dc, palette_, FALSE);
        RealizePalette(dc);
    }
    if (bitmap_) {
        BITMAP size;
        GetObjectA(bitmap_, sizeof size, &size);
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(memory, bitmap_);
        SetStretchBltMode(dc, HALFTONE);
        StretchBlt(dc, 0, 0, area.right, area.bottom, memory, 0, 0, size.bmWidth, size.bmHeight, SRCCOPY);
        SelectObject(memory, old);
        DeleteDC(memory);
    } else if (metafile_) {
        PlayEnhMetaFile(dc, metafile_, &area);
    }
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ oldFont = SelectObject(dc, captionFont_);
    SetTextColor(dc, RGB(0, 0, 0));
    TextOutA(dc, 23, 19, screenCaption, lstrlenA(screenCaption));
    SetTextColor(dc, RGB(255, 255, 255));
    TextOutA(dc, 20, 16, screenCaption, lstrlenA(screenCaption));
    if (screen_.flags & screenShowsCaption) {
        // Drawn as stored: the text is kept scrambled and never decoded.
        std::string mark = screen_.scrambledCaption.substr(0, markLength);
        SelectObject(dc, markFont_);
        SetTextColor(dc, RGB(255, 0, 0));
        TextOutA(dc, 8, area.bottom - 24, mark.c_str(), static_cast<int>(mark.size()));
    }
    SelectObject(dc, oldFont);
}

void InstallScreen::OnButton(int id) {
    switch (id) {
    case screenMinimiseButton: ShowWindow(window_, SW_MINIMIZE); break;
    case screenHelpButton: WinHelpA(window_, helpFile_.c_str(), HELP_CONTENTS, 0); break;
    case screenExitButton:
        if (onExit) {
            onExit();
        }
        break;
    }
}

LRESULT CALLBACK InstallScreen::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        SetWindowLongPtrA(
            window, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
    }
    auto* screen = reinterpret_cast<InstallScreen*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!screen) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    switch (message) {
    case WM_ERASEBKGND: return TRUE;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        screen->Paint(dc);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_QUERYNEWPALETTE:
    case WM_PALETTECHANGED:
        if (screen->palette_ && !(message == WM_PALETTECHANGED && reinterpret_cast<HWND>(wParam) == window)) {
            InvalidateRect(window, nullptr, FALSE);
            return TRUE;
        }
        break;
    case WM_COMMAND: screen->OnButton(LOWORD(wParam)); return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace gvmain
