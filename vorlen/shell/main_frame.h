// The main window: menu, accelerators, the dockable "Toolbar", the tab
// strip of the five screens, the status bar with the menu hints, the client
// window of the current screen, the timer and the tray icon object. The
// frame keeps its place and maximised state from run to run; its commands
// go to the current screen first and then to the application object.
#pragma once

#include "vorlen/shell/command_ids.h"

#include <wx/aui/framemanager.h>
#include <wx/frame.h>
#include <wx/timer.h>

#include <memory>

class wxNotebook;
class wxBookCtrlEvent;
class wxAuiToolBar;

namespace vorlen {

class TVorlenApp;
class TrayIcon;

class TSDIDecFrame : public wxFrame {
public:
    TSDIDecFrame(TVorlenApp& app, ScreenId screen, int timerPeriodMs);
    ~TSDIDecFrame() override;

    // Replaces the client window by `screen` and selects its tab.
    void SetScreen(wxWindow* screen, ScreenId id);
    wxWindow* Screen() const { return screen_; }
    ScreenId CurrentScreen() const { return current_; }

    // Shows the frame; a normal show becomes maximised when "Maximised"
    // is stored as 1.
    void ShowFrame(bool minimised = false);
    void RestartTimer(int periodMs);
    wxAuiToolBar* Toolbar() const { return toolbar_; }
    wxNotebook* Tabs() const { return tabs_; }
    TrayIcon* Tray() const { return trayIcon_.get(); }

private:
    void BuildMenu();
    void BuildAccelerators();
    void BuildToolbar();
    void BuildTabStrip();
    void PlaceFromSettings();
    void StorePlacement();
    bool TryAfter(wxEvent& event) override;
    bool TryBefore(wxEvent& event) override;

    void OnClose(wxCloseEvent& event);
    void OnTabChanged(wxBookCtrlEvent& event);
    void OnTimer(wxTimerEvent& event);
    void OnSize(wxSizeEvent& event);
    void OnIconize(wxIconizeEvent& event);
    void OnTrayOpen(wxCommandEvent& event);

    TVorlenApp& app_;
    wxAuiManager aui_;
    wxAuiToolBar* toolbar_ = nullptr;
    wxNotebook* tabs_ = nullptr;
    wxWindow* screen_ = nullptr;
    ScreenId current_;
    wxTimer timer_;
    std::unique_ptr<TrayIcon> trayIcon_;
    bool placementStored_ = false;
    bool ownIconize_ = false;  // minimised by ShowFrame, not by the user
    wxDECLARE_EVENT_TABLE();
};

}  // namespace vorlen
