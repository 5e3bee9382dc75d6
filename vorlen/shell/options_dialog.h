// The options dialog: start-up reminders, first screen and day-view format
// ("General"), the archive file ("Archive"), the timer period and the tray
// and stay-loaded behaviour ("Advanced"). OK writes every setting.
#pragma once

#include <wx/dialog.h>

namespace vorlen {

// Control ids of the dialog.
enum OptionsControl : int {
    optionsOk = 1,
    optionsCancel = 2,
    optionsHelp = 9,
    optionsTabs = 101,
    optionsBootupOption = 102,
    optionsArchiveGroup = 105,
    optionsArchiveFile = 106,
    optionsBrowse = 107,
    optionsInitialScreen = 108,
    optionsBypass = 109,
    optionsDayView = 110,
    optionsPriorityGroup = 111,
    optionsMinimizeToTray = 112,
    optionsKeepLoaded = 113,
    optionsInitialScreenLabel = 4500,
    optionsHigh = 6789,
    optionsTimer = 6790,
    // The "Low" label's own id, 34554, is above what wx accepts (32767):
    // it lives under the free id next to the slider's.
    optionsLow = 6791,
    optionsBootupLabel = 15003,
    optionsDayViewLabel = 22050,
};
inline constexpr int kOptionsLowResourceId = 34554;

// What ShowModal gives back.
enum OptionsResult : int {
    optionsSaved = 1,      // OK: the settings were written
    optionsCancelled = 2,  // Cancel, Escape or the close box: nothing written
};

// The slider's range: seconds between timer ticks.
inline constexpr int kTimerMinimum = 5;
inline constexpr int kTimerMaximum = 60;

class TOptionsDlg : public wxDialog {
public:
    // Shows the stored settings, or their defaults when the settings key
    // is new.
    explicit TOptionsDlg(wxWindow* parent);

private:
    wxWindow* BuildGeneralTab(wxWindow* tabs);
    wxWindow* BuildArchiveTab(wxWindow* tabs);
    wxWindow* BuildAdvancedTab(wxWindow* tabs);
    void ShowSettings();
    void WriteSettings();

    void OnOk(wxCommandEvent& event);
    void OnCancel(wxCommandEvent& event);
    void OnBrowse(wxCommandEvent& event);
    void OnHelp(wxCommandEvent& event);
    void OnClose(wxCloseEvent& event);
    wxDECLARE_EVENT_TABLE();
};

}  // namespace vorlen
