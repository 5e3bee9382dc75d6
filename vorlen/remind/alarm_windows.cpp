#include "alarm_windows.h"

#include "vorlen/platform/wave_audio.h"
#include "vorlen/platform/wx_text.h"
#include "vorlen/remind/alarm_dialog.h"
#include "vorlen/remind/bootup_dialog.h"

#include <wx/statusbr.h>

namespace vorlen {

bool OwnedDialogOpen() {
    for (wxWindow* window : wxTopLevelWindows) {
        auto* dialog = wxDynamicCast(window, wxDialog);
        if (dialog && dialog->IsModal() && !dialog->HasFlag(wxDIALOG_NO_PARENT))
            return true;
    }
    return false;
}

TAlarmWindows::TAlarmWindows(wxFrame* frame, TrayIcon* tray, Actions actions)
    : frame(frame), tray(tray), actions(std::move(actions)) {}

bool TAlarmWindows::OfferNewDay(const BootupTexts& texts) {
    TBootup dialog(frame.get(), BootupCountText(texts.count), texts.dateText, texts.timeText,
                   texts.lastCheckedText);
    return dialog.ShowModal() == bootupViewEvents;
}

void TAlarmWindows::ShowTodayScreen() {
    actions.showToday();
}

void TAlarmWindows::SetTrayTip(const std::string& tip) {
    if (tray)
        tray->SetTip(tip);
}

void TAlarmWindows::RaiseAlarm(const EventNode& event, const AlarmTexts& texts) {
    platform::WaveAudio sound;
    std::string file(event.soundFile.view());
    std::string error;
    if (!file.empty() && !sound.Play(file, &error))
        ReportSoundProblem(file, error);
    TAppDlg dialog(texts);
    if (dialog.ShowModal() == alarmGoto)
        actions.editEvent(event);
    // The sound stops here, when `sound` closes the device.
}

void TAlarmWindows::ReportSoundProblem(const std::string& file, const std::string& error) {
    // The alarm itself matters more: no message box in front of it.
    if (frame && frame->GetStatusBar())
        frame->SetStatusText("Cannot play the alarm sound \"" + platform::FileNameToWx(file) +
                             "\": " + wxString::FromUTF8(error));
}

}  // namespace vorlen
