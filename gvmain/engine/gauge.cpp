#include "gvmain/engine/gauge.h"

#include <algorithm>
#include <cstdio>

namespace gvmain {
namespace {

// "MS Sans Serif" where the system has it; the font mapper otherwise hands
// out some other face, and "Arial" reads better than that.
HFONT GaugeFont(HWND window) {
    HDC dc = GetDC(window);
    int height = -MulDiv(8, GetDeviceCaps(dc, LOGPIXELSY), 72);
    for (const char* face : {"MS Sans Serif", "Arial"}) {
        HFONT font =
            CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS, face);
        HGDIOBJ old = SelectObject(dc, font);
        char chosen[LF_FACESIZE] = "";
        GetTextFaceA(dc, sizeof chosen, chosen);
        SelectObject(dc, old);
        if (lstrcmpiA(chosen, face) == 0 || lstrcmpiA(face, "Arial") == 0) {
            ReleaseDC(window, dc);
            return font;
        }
        DeleteObject(font);
    }
    ReleaseDC(window, dc);
    return nullptr;
}

}  // namespace

int GaugePercent(uint64_t part, uint64_t whole) {
    if (whole == 0) {
        return 100;
    }
    return static_cast<int>(std::min<uint64_t>(part * 100 / whole, 100));
}

Gauge::~Gauge() {
    Detach();
}

void Gauge::Detach() {
    Destroy();
    if (font_) {
        DeleteObject(font_);
        font_ = nullptr;
    }
    percent_ = 0;
}

bool Gauge::Attach(const DialogResources& resources, HWND parent, int placeholderId) {
    HWND placeholder = GetDlgItem(parent, placeholderId);
    Detach();
    if (!placeholder || !CreateModeless(resources.language, "DLGGAUGE", parent)) {
        return false;
    }
    RECT area;
    GetWindowRect(placeholder, &area);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&area), 2);
    SetWindowPos(Handle(), placeholder, area.left, area.top, area.right - area.left, area.bottom - area.top,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    DestroyWindow(placeholder);
    SetWindowLongPtrA(Handle(), GWLP_ID, placeholderId);
    font_ = GaugeFont(Handle());
    SetWindowTextA(Handle(), Text().c_str());
    return true;
}

void Gauge::SetPercent(int percent) {
    percent = std::max(0, std::min(percent, 100));
    if (percent == percent_) {
        return;
    }
    percent_ = percent;
    if (Handle()) {
        // The text also lets tests and screen readers see the value.
        SetWindowTextA(Handle(), Text().c_str());
        InvalidateRect(Handle(), nullptr, FALSE);
        UpdateWindow(Handle());
    }
}

std::string Gauge::Text() const {
    char text[8];
    std::snprintf(text, sizeof text, "%d%%", percent_);
    return text;
}

bool Gauge::OnMessage(UINT message, WPARAM, LPARAM, INT_PTR* result) {
    if (message == WM_ERASEBKGND) {
        *result = TRUE;
        return true;
    }
    if (message != WM_PAINT) {
        return false;
    }
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(Handle(), &paint);
    Paint(dc);
    EndPaint(Handle(), &paint);
    return true;
}

// The text is drawn twice, clipped to the filled and to the empty part, so
// that it stays readable where the bar passes under it.
void Gauge::Paint(HDC dc) const {
    RECT whole;
    GetClientRect(Handle(), &whole);
    DrawEdge(dc, &whole, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    RECT filled = whole;
    filled.right = whole.left + MulDiv(whole.right - whole.left, percent_, 100);
    RECT empty = whole;
    empty.left = filled.right;
    std::string text = Text();
    HGDIOBJ oldFont = SelectObject(dc, font_ ? font_ : GetStockObject(ANSI_VAR_FONT));
    SetBkMode(dc, TRANSPARENT);
    const struct {
        RECT part;
        int back;
        int fore;
    } parts[] = {{filled, COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT}, {empty, COLOR_WINDOW, COLOR_WINDOWTEXT}};
    for (const auto& part : parts) {
        FillRect(dc, &part.part, GetSysColorBrush(part.back));
        SetTextColor(dc, GetSysColor(part.fore));
        HRGN clip = CreateRectRgnIndirect(&part.part);
        SelectClipRgn(dc, clip);
        RECT textArea = whole;
        DrawTextA(dc, text.c_str(), -1, &textArea, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        SelectClipRgn(dc, nullptr);
        DeleteObject(clip);
    }
    SelectObject(dc, oldFont);
}

}  // namespace gvmain
