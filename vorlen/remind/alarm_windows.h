// The windows of the timer's ticks: the start-up reminder dialog for a new
// day, the tray tip, and each alarm with its sound, its dialog and, on
// "Goto...", the event's properties. Made afresh for every tick; the frame
// may be gone when an alarm's dialogs close.
#pragma once

#include "vorlen/remind/alarm_monitor.h"
#include "vorlen/remind/tray_icon.h"

#include <wx/frame.h>
#include <wx/weakref.h>

#include <functional>

namespace vorlen {

// True while a modal dialog that has an owner is open. The alarm dialog
// and the properties dialog opened from it are made with
// wxDIALOG_NO_PARENT and do not count.
bool OwnedDialogOpen();

class TAlarmWindows : public AlarmUi {
public:
    // What lies above this module: the today screen and the properties
    // dialog.
    struct Actions {
        std::function<void()> showToday;
        std::function<void(const EventNode&)> editEvent;
    };

    // `frame` owns the new day's dialog and shows a sound that cannot be
    // played in its status bar; `tray` takes the tip. Either may be null.
    TAlarmWindows(wxFrame* frame, TrayIcon* tray, Actions actions);

    bool FrameBusy() override { return OwnedDialogOpen(); }
    bool OfferNewDay(const BootupTexts& texts) override;
    void ShowTodayScreen() override;
    void SetTrayTip(const std::string& tip) override;
    void RaiseAlarm(const EventNode& event, const AlarmTexts& texts) override;

private:
    void ReportSoundProblem(const std::string& file, const std::string& error);

    wxWeakRef<wxFrame> frame;
    TrayIcon* tray;
    Actions actions;
};

}  // namespace vorlen
