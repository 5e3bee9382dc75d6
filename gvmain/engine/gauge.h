// The engine's gauge: a bar with its percentage written across it ("%d%%"
// in "MS Sans Serif", else "Arial"), drawn by the engine itself in a child
// window made from the template "DLGGAUGE" over a placeholder control.
#pragma once

#include "gvmain/engine/dialog_window.h"

#include <windows.h>

#include <cstdint>
#include <string>

namespace gvmain {

// part times 100 divided by whole, at most 100; 100 when whole is 0.
int GaugePercent(uint64_t part, uint64_t whole);

class Gauge : private DialogWindow {
public:
    Gauge() = default;
    ~Gauge() override;

    // Puts the gauge in place of control `placeholderId` of `parent`, under
    // the same number.
    bool Attach(const DialogResources& resources, HWND parent, int placeholderId);
    // Removes the gauge's window.
    void Detach();
    void SetPercent(int percent);
    int Percent() const { return percent_; }
    std::string Text() const;
    using DialogWindow::Handle;

private:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) override;
    void Paint(HDC dc) const;

    HFONT font_ = nullptr;
    int percent_ = 0;
};

}  // namespace gvmain
