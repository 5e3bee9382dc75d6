#include "gvmain/engine/progress_dialog.h"

#include "gvmain/resources/dialog_ids.h"

namespace gvmain {

bool ProgressDialog::ProgressWindow::OnInit() {
    if (icon) {
        SendDlgItemMessageA(Handle(), IDC_PROG_ICON, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    }
    return true;
}

void ProgressDialog::ProgressWindow::OnCommand(int id, int) {
    if (id == IDCANCEL) {
        cancelled = true;
    }
}

bool ProgressDialog::Show(const DialogResources& resources, HWND parent, int x, int y, HICON programIcon) {
    Hide();
    window_.icon = programIcon;
    window_.cancelled = false;
    if (resources.unattended) {
        Start(0);
        return true;
    }
    HWND window = window_.CreateModeless(resources.language, "DLGPROG", parent);
    if (!window || !gauge_.Attach(resources, window, IDC_PROG_GAUGE)) {
        Hide();
        return false;
    }
    Start(0);
    PlaceCentredAt(window, parent, x, y);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    return true;
}

void ProgressDialog::Hide() {
    gauge_.Detach();
    window_.Destroy();
}

void ProgressDialog::Start(uint64_t totalKb) {
    totalKb_ = totalKb;
    doneKb_ = 0;
    gauge_.SetPercent(0);
    SetText("");
}

void ProgressDialog::SetText(const std::string& text) {
    if (window_.Handle()) {
        SetDlgItemTextA(window_.Handle(), IDC_PROG_TEXT, text.c_str());
    }
}

bool ProgressDialog::Advance(uint32_t kb) {
    doneKb_ += kb;
    gauge_.SetPercent(totalKb_ == 0 ? 0 : GaugePercent(doneKb_, totalKb_));
    PumpMessagesWhenDue();
    return !window_.cancelled;
}

}  // namespace gvmain
