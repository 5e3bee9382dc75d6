#include "tests/gvmain/engine/dialog_test_support.h"

#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace gvmain {
namespace {

struct Waiter {
    std::string caption;
    std::function<void(HWND)> action;
    UINT_PTR timer = 0;
};
Waiter waiter;

void CALLBACK CheckForDialog(HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = FindWindowA("#32770", waiter.caption.c_str());
    if (!dialog || !IsWindowVisible(dialog)) {
        return;
    }
    KillTimer(nullptr, waiter.timer);
    auto action = std::move(waiter.action);
    waiter = Waiter{};
    action(dialog);
}

std::string ProgramDirectory() {
    char program[MAX_PATH];
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    std::string directory(program);
    directory.resize(directory.find_last_of('\\'));
    return directory;
}

std::string ScreenshotPath(const std::string& name) {
    std::string directory = ProgramDirectory() + "\\screenshots";
    CreateDirectoryA(directory.c_str(), nullptr);
    return directory + "\\" + name + ".png";
}

void PutBigEndian(std::vector<unsigned char>& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<unsigned char>(value >> shift));
    }
}

void PutChunk(std::vector<unsigned char>& out, const char* type, const std::vector<unsigned char>& data) {
    PutBigEndian(out, static_cast<uint32_t>(data.size()));
    size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    uLong crc = crc32(0, out.data() + start, static_cast<uInt>(out.size() - start));
    PutBigEndian(out, static_cast<uint32_t>(crc));
}

// An 8-bit RGB PNG of top-down BGRA pixels.
std::vector<unsigned char> EncodePng(const std::vector<unsigned char>& bgra, int width, int height) {
    std::vector<unsigned char> raw;
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);
        for (int x = 0; x < width; ++x) {
            const unsigned char* pixel = &bgra[(static_cast<size_t>(y) * width + x) * 4];
            raw.insert(raw.end(), {pixel[2], pixel[1], pixel[0]});
        }
    }
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::vector<unsigned char> packed(packedSize);
    compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 9);
    packed.resize(packedSize);
    std::vector<unsigned char> header;
    PutBigEndian(header, static_cast<uint32_t>(width));
    PutBigEndian(header, static_cast<uint32_t>(height));
    header.insert(header.end(), {8, 2, 0, 0, 0});
    std::vector<unsigned char> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", packed);
    PutChunk(png, "IEND", {});
    return png;
}

// Wine draws into memory and copies to the display when its thread goes
// idle; without waiting for that the screen still shows older pixels.
void LetTheDisplayCatchUp() {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < 200) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        MSG message;
        while (PeekMessageA(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) {
            DispatchMessageA(&message);
        }
    }
}

}  // namespace

DialogResources TestResources(bool withLanguage) {
    static HMODULE language = LoadLibraryA("gvenu.dll");
    DialogResources resources;
    resources.engine = GetModuleHandleA(nullptr);
    resources.language = withLanguage ? language : nullptr;
    return resources;
}

void WhenDialogAppears(const std::string& caption, std::function<void(HWND)> action) {
    waiter.caption = caption;
    waiter.action = std::move(action);
    waiter.timer = SetTimer(nullptr, 0, 50, &CheckForDialog);
}

void PressKey(UINT key) {
    HWND focus = GetFocus();
    PostMessageA(focus, WM_KEYDOWN, key, 1);
    PostMessageA(focus, WM_KEYUP, key, 0xC0000001);
}

void ClickButton(HWND dialog, int id) {
    PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

std::string TestFile(const std::string& name) {
    return ProgramDirectory() + "\\" + name;
}

std::string WindowText(HWND window) {
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

bool SaveScreenshot(HWND window, const std::string& name) {
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    LetTheDisplayCatchUp();
    RECT area;
    GetWindowRect(window, &area);
    int width = area.right - area.left;
    int height = area.bottom - area.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BOOL copied = BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    GdiFlush();
    std::vector<unsigned char> bgra(
        static_cast<unsigned char*>(bits),
        static_cast<unsigned char*>(bits) + static_cast<size_t>(width) * height * 4);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    if (!copied || width <= 0 || height <= 0) {
        return false;
    }
    std::vector<unsigned char> png = EncodePng(bgra, width, height);
    FILE* file = std::fopen(ScreenshotPath(name).c_str(), "wb");
    if (!file) {
        return false;
    }
    bool written = std::fwrite(png.data(), 1, png.size(), file) == png.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace gvmain
