#include "gvmain/engine/notice.h"

#include "gvmain/resources/dialog_ids.h"

namespace gvmain {
namespace {

class TickClock : public NoticeClock {
public:
    uint32_t Now() override { return GetTickCount(); }
    void Wait(uint32_t milliseconds) override {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds, QS_ALLINPUT);
        PumpMessages();
    }
};

}  // namespace

NoticeClock& SystemClock() {
    static TickClock clock;
    return clock;
}

bool Notice::NoticeWindow::OnInit() {
    SetWindowTextA(Handle(), args_->caption.c_str());
    SetItemText(IDC_NOTICE_TEXT, args_->text);
    if (args_->icon) {
        SendDlgItemMessageA(Handle(), IDC_NOTICE_ICON, STM_SETICON, reinterpret_cast<WPARAM>(args_->icon), 0);
    }
    ShowWindow(Item(IDOK), args_->okButton ? SW_SHOW : SW_HIDE);
    return true;
}

// OK only takes the notice off the screen; Hide still waits its time out.
void Notice::NoticeWindow::OnCommand(int id, int) {
    if (id == IDOK || id == IDCANCEL) {
        ShowWindow(Handle(), SW_HIDE);
    }
}

bool Notice::Show(const DialogResources& resources, HWND parent, const NoticeArgs& args) {
    window_.Destroy();
    if (resources.unattended) {
        return true;
    }
    window_.Init(args);
    HWND window = window_.CreateModeless(resources.language, "DLGMSGDLG", parent);
    if (!window) {
        return false;
    }
    PlaceCentredAt(window, parent, args.x, args.y);
    ShowWindow(window, args.okButton ? SW_SHOW : SW_SHOWNOACTIVATE);
    UpdateWindow(window);
    shownAt_ = clock_.Now();
    leastDisplayTime_ = args.leastDisplayTime;
    return true;
}

void Notice::Hide() {
    if (!window_.Handle()) {
        return;
    }
    // Unsigned differences stay right across the tick counter's wrap.
    for (uint32_t shown = clock_.Now() - shownAt_; shown < leastDisplayTime_;
         shown = clock_.Now() - shownAt_) {
        clock_.Wait(leastDisplayTime_ - shown);
    }
    window_.Destroy();
}

}  // namespace gvmain
