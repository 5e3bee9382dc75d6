#include "gvmain/engine/picture_button.h"

namespace gvmain {
namespace {

constexpr char className[] = "wndclassgvgadbtn";

struct ButtonState {
    HBITMAP up = nullptr;
    HBITMAP down = nullptr;
    bool pressed = false;  // the mouse went down on it and is still held
    bool inside = false;   // ... and is over it now
};

ButtonState* StateOf(HWND window) {
    return reinterpret_cast<ButtonState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

void Paint(HWND window, const ButtonState& state) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    HBITMAP bitmap = state.pressed && state.inside ? state.down : state.up;
    BITMAP size;
    if (bitmap && GetObjectA(bitmap, sizeof size, &size)) {
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(dc, 0, 0, size.bmWidth, size.bmHeight, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteDC(memory);
    }
    EndPaint(window, &paint);
}

bool IsInside(HWND window, LPARAM point) {
    RECT area;
    GetClientRect(window, &area);
    POINT at = {static_cast<short>(LOWORD(point)), static_cast<short>(HIWORD(point))};
    return PtInRect(&area, at) != FALSE;
}

void Track(HWND window, ButtonState& state, bool inside) {
    if (state.inside != inside) {
        state.inside = inside;
        InvalidateRect(window, nullptr, FALSE);
    }
}

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ButtonState* state = StateOf(window);
    if (!state) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    switch (message) {
    case WM_NCDESTROY:
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        delete state;
        break;
    case WM_PAINT: Paint(window, *state); return 0;
    case WM_LBUTTONDOWN:
        state->pressed = true;
        SetCapture(window);
        Track(window, *state, true);
        return 0;
    case WM_MOUSEMOVE:
        if (state->pressed) {
            Track(window, *state, IsInside(window, lParam));
        }
        return 0;
    case WM_LBUTTONUP:
        if (state->pressed) {
            bool clicked = IsInside(window, lParam);
            state->pressed = false;
            ReleaseCapture();
            Track(window, *state, false);
            if (clicked) {
                SendMessageA(GetParent(window), WM_COMMAND, GetDlgCtrlID(window),
                             reinterpret_cast<LPARAM>(window));
            }
        }
        return 0;
    case WM_CAPTURECHANGED:
        state->pressed = false;
        Track(window, *state, false);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

bool RegisterPictureButtonClass(HINSTANCE instance) {
    WNDCLASSA existing;
    if (GetClassInfoA(instance, className, &existing)) {
        return true;
    }
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = &Procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = className;
    return RegisterClassA(&windowClass) != 0;
}

HWND CreatePictureButton(HINSTANCE instance, HWND parent, int id, int x, int y, HBITMAP up, HBITMAP down) {
    BITMAP size = {};
    GetObjectA(up, sizeof size, &size);
    HWND window =
        CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE, x, y, size.bmWidth, size.bmHeight, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    if (window) {
        // Owned by the window from here on, freed at WM_NCDESTROY.
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(new ButtonState{up, down, false, false}));
        InvalidateRect(window, nullptr, FALSE);
    }
    return window;
}

}  // namespace gvmain
