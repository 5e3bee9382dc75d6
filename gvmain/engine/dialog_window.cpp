#include "gvmain/engine/dialog_window.h"

#include "gvmain/engine/messages.h"

#include <algorithm>
#include <vector>

namespace gvmain {

std::string DialogText(const DialogResources& resources, int number) {
    return LoadMessage(resources.language ? resources.language : resources.engine, number);
}

DialogWindow::~DialogWindow() {
    Destroy();
}

INT_PTR DialogWindow::RunModal(HMODULE module, const char* templateName, HWND parent) {
    modal_ = true;
    INT_PTR result = DialogBoxParamA(module, templateName, parent, &DialogWindow::Procedure,
                                     reinterpret_cast<LPARAM>(this));
    hwnd_ = nullptr;
    modal_ = false;
    return result;
}

HWND DialogWindow::CreateModeless(HMODULE module, const char* templateName, HWND parent) {
    modal_ = false;
    CreateDialogParamA(module, templateName, parent, &DialogWindow::Procedure,
                       reinterpret_cast<LPARAM>(this));
    return hwnd_;
}

void DialogWindow::Destroy() {
    if (hwnd_ && !modal_) {
        HWND window = hwnd_;
        hwnd_ = nullptr;
        SetWindowLongPtrA(window, DWLP_USER, 0);
        DestroyWindow(window);
    }
}

void DialogWindow::OnCommand(int id, int) {
    if (id == IDOK && OnOK()) {
        EndModal(IDOK);
    } else if (id == IDCANCEL) {
        OnCancel();
        EndModal(IDCANCEL);
    }
}

bool DialogWindow::OnMessage(UINT, WPARAM, LPARAM, INT_PTR*) {
    return false;
}

void DialogWindow::EndModal(INT_PTR value) {
    if (modal_ && hwnd_) {
        EndDialog(hwnd_, value);
    }
}

void DialogWindow::SetItemText(int id, const std::string& text) const {
    SetDlgItemTextA(hwnd_, id, text.c_str());
}

std::string DialogWindow::ItemText(int id) const {
    HWND item = Item(id);
    std::vector<char> text(static_cast<size_t>(GetWindowTextLengthA(item)) + 1);
    int length = GetWindowTextA(item, text.data(), static_cast<int>(text.size()));
    return std::string(text.data(), static_cast<size_t>(std::max(length, 0)));
}

INT_PTR CALLBACK DialogWindow::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<DialogWindow*>(lParam);
        SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
        dialog->hwnd_ = hwnd;
        return dialog->OnInit() ? TRUE : FALSE;
    }
    auto* dialog = reinterpret_cast<DialogWindow*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    if (!dialog) {
        return FALSE;
    }
    if (message == WM_COMMAND) {
        dialog->OnCommand(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    }
    INT_PTR result = 0;
    if (!dialog->OnMessage(message, wParam, lParam, &result)) {
        return FALSE;
    }
    SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, result);
    return TRUE;
}

void PlaceCentredAt(HWND window, HWND parent, int x, int y) {
    RECT area;
    if (parent) {
        GetClientRect(parent, &area);
        MapWindowPoints(parent, nullptr, reinterpret_cast<POINT*>(&area), 2);
    } else {
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    }
    RECT own;
    GetWindowRect(window, &own);
    int width = own.right - own.left;
    int height = own.bottom - own.top;
    int left = area.left + MulDiv(area.right - area.left, x, 1000) - width / 2;
    int top = area.top + MulDiv(area.bottom - area.top, y, 1000) - height / 2;
    int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    left = std::max(0, std::min(left, screenWidth - width));
    top = std::max(0, std::min(top, screenHeight - height));
    SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool IsDialog(HWND window) {
    char className[16] = "";
    GetClassNameA(window, className, sizeof className);
    return lstrcmpA(className, "#32770") == 0;
}

void PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // Left for the loop that owns the thread.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
        if (root && IsDialog(root) && IsDialogMessageA(root, &message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void PumpMessagesWhenDue() {
    constexpr DWORD periodMs = 30;
    static DWORD lastPump = GetTickCount() - periodMs;
    DWORD now = GetTickCount();
    if (now - lastPump >= periodMs) {
        lastPump = now;
        PumpMessages();
    }
}

}  // namespace gvmain
