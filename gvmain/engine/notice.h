// The modeless notice "DLGMSGDLG" that stands while a long step runs: a
// text, an icon, a caption and optionally an OK button, shown at least for
// a given time so that a quick step does not just flash it.
#pragma once

#include "gvmain/engine/dialog_window.h"

#include <windows.h>

#include <cstdint>
#include <string>

namespace gvmain {

// The time source of the least display time; tests replace it.
class NoticeClock {
public:
    virtual ~NoticeClock() = default;
    virtual uint32_t Now() = 0;  // milliseconds, wrapping as GetTickCount does
    // Waits up to `milliseconds`, handling the thread's messages meanwhile.
    virtual void Wait(uint32_t milliseconds) = 0;
};

NoticeClock& SystemClock();

struct NoticeArgs {
    int x = 500;  // the centre, in thousandths of the parent's client area
    int y = 500;
    std::string text;
    HICON icon = nullptr;
    std::string caption;
    bool okButton = false;
    uint32_t leastDisplayTime = 3000;  // milliseconds
};

class Notice {
public:
    explicit Notice(NoticeClock& clock = SystemClock()) : clock_(clock) {}
    ~Notice() { window_.Destroy(); }

    // Replaces a notice still shown. False when the template is missing.
    bool Show(const DialogResources& resources, HWND parent, const NoticeArgs& args);
    // Waits until the least display time since Show has passed, then
    // removes the notice. Nothing happens when none is shown.
    void Hide();
    HWND Window() const { return window_.Handle(); }

private:
    class NoticeWindow : public DialogWindow {
    public:
        void Init(const NoticeArgs& args) { args_ = &args; }

    protected:
        bool OnInit() override;
        void OnCommand(int id, int notification) override;

    private:
        const NoticeArgs* args_ = nullptr;
    };

    NoticeClock& clock_;
    NoticeWindow window_;
    uint32_t shownAt_ = 0;
    uint32_t leastDisplayTime_ = 0;
};

}  // namespace gvmain
