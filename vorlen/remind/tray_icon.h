// The program's icon in the notification area: absent until the frame is
// minimised into it. Its menu ("Open", "Exit") and a double click reach the
// owner as menu commands, so that the owner's command table handles them.
#pragma once

#include <wx/icon.h>
#include <wx/taskbar.h>

#include <optional>
#include <string>

namespace vorlen {

// Commands the icon sends to its owner.
inline constexpr int trayOpenCommand = 14;
inline constexpr int trayExitCommand = 24310;
// The platform's longest tip, without the terminator.
inline constexpr std::size_t trayTipLength = 63;

class TrayIcon : public wxTaskBarIcon {
public:
    TrayIcon(wxEvtHandler* owner, const wxIcon& icon);
    ~TrayIcon() override;

    // Whether the desktop has a notification area: without one, a frame
    // hidden into it could never be brought back. Tests may decide the
    // answer (std::nullopt asks the desktop again).
    static bool Available();
    static void AssumeAvailable(std::optional<bool> answer);

    // Adds the icon with the current tip.
    void Show();
    // Removes it when it is shown.
    void Hide();
    bool IsShown() const { return shown; }
    // Keeps at most 63 characters (Windows-1252); shown at once when the
    // icon is in the notification area, else when it is next shown.
    void SetTip(const std::string& text);
    const std::string& Tip() const { return tip; }

    // The pop-up menu of a right click: "Open", a separator, "Exit".
    wxMenu* CreatePopupMenu() override;

private:
    void OnDoubleClick(wxTaskBarIconEvent& event);
    void OnMenu(wxCommandEvent& event);
    void SendToOwner(int command);

    wxEvtHandler* owner;
    wxIcon icon;
    std::string tip = "Tolvane Vorlen";
    bool shown = false;
    wxDECLARE_EVENT_TABLE();
};

}  // namespace vorlen
