// The start-up reminder dialog: how many reminders wait, today's date and
// time on the "Notice" tab, the day of the last check on the "Extra
// Information" tab, and the question whether to view the events.
#pragma once

#include <wx/dialog.h>

#include <string>

class wxNotebook;
class wxBookCtrlEvent;

namespace vorlen {

// Control ids of the dialog.
enum BootupControl : int {
    bootupCount = 140,
    bootupDate = 141,
    bootupTime = 142,
    bootupLastChecked = 499,
    bootupTabs = 500,
    bootupYouHave = 501,
    bootupWaiting = 502,
    bootupDateLabel = 503,
    bootupTimeLabel = 504,
    bootupLastCheckedLabel = 505,
    bootupViewEvents = 1,
    bootupCancel = 2,
    bootupHelp = 9,
};

// ShowModal gives bootupViewEvents (1) or bootupCancel (2, also when the
// dialog is closed).
class TBootup : public wxDialog {
public:
    // The texts are Windows-1252, as the rest of the program keeps them.
    TBootup(wxWindow* parent, const std::string& countText, const std::string& dateText,
            const std::string& timeText, const std::string& lastCheckedText);

    int CurrentPage() const { return currentPage; }

private:
    void OnTabChanged(wxBookCtrlEvent& event);
    void OnViewEvents(wxCommandEvent& event);
    void OnCancel(wxCommandEvent& event);
    void OnHelp(wxCommandEvent& event);
    void OnClose(wxCloseEvent& event);
    void ShowPage(int page);

    int currentPage = 0;
    wxDECLARE_EVENT_TABLE();
};

// The count as the dialog shows it: in full, however large.
std::string BootupCountText(int count);

}  // namespace vorlen
