// The "Appointment Alarm" dialog: the top line with the minutes left and
// the appointment's time, description, place and category, each cut to the
// dialog's fixed capacity.
#pragma once

#include "vorlen/remind/alarm_monitor.h"

#include <wx/dialog.h>

namespace vorlen {

enum AppDlgControl : int {
    alarmOk = 1,
    alarmGoto = 2,
    alarmHelp = 9,
    alarmTime = 101,
    alarmDescription = 102,
    alarmPlace = 103,
    alarmType = 104,
    alarmMessage = 5674,
};

// ShowModal gives alarmOk (1) or alarmGoto (2, also for Escape and the
// close box). The dialog has no owner window, so that the frame stays
// usable and its timer goes on while it is open.
class TAppDlg : public wxDialog {
public:
    explicit TAppDlg(const AlarmTexts& texts);

    // The texts as shown, after cutting.
    const AlarmTexts& Texts() const { return texts; }

private:
    void OnOk(wxCommandEvent& event);
    void OnGoto(wxCommandEvent& event);
    void OnHelp(wxCommandEvent& event);
    void OnClose(wxCloseEvent& event);

    AlarmTexts texts;
    wxDECLARE_EVENT_TABLE();
};

}  // namespace vorlen
