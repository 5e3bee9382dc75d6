// The copy progress dialog "DLGPROG": the program icon, the file being
// copied and a gauge over the kilobytes of the step, shown modeless at the
// script's position while the files are installed.
#pragma once

#include "gvmain/engine/dialog_window.h"
#include "gvmain/engine/gauge.h"

#include <windows.h>

#include <cstdint>
#include <string>

namespace gvmain {

class ProgressDialog {
public:
    // (x, y) is the centre in thousandths of the parent's client area. The
    // gauge starts at 0 % and the counters at nothing copied. False when
    // the template is missing.
    bool Show(const DialogResources& resources, HWND parent, int x, int y, HICON programIcon);
    void Hide();
    bool Shown() const { return window_.Handle() != nullptr; }
    HWND Window() const { return window_.Handle(); }

    // The kilobytes the step will copy; clears the counters.
    void Start(uint64_t totalKb);
    void SetText(const std::string& text);
    // Counts `kb` more as copied; false once the user has pressed Cancel.
    bool Advance(uint32_t kb);
    bool Cancelled() const { return window_.cancelled; }
    int Percent() const { return gauge_.Percent(); }

private:
    class ProgressWindow : public DialogWindow {
    public:
        HICON icon = nullptr;
        bool cancelled = false;

    protected:
        bool OnInit() override;
        void OnCommand(int id, int notification) override;
    };

    ProgressWindow window_;
    Gauge gauge_;
    uint64_t totalKb_ = 0;
    uint64_t doneKb_ = 0;
};

}  // namespace gvmain
