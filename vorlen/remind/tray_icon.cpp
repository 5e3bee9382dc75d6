#include "tray_icon.h"

#include "vorlen/platform/wx_text.h"

#include <wx/menu.h>

namespace vorlen {

wxBEGIN_EVENT_TABLE(TrayIcon, wxTaskBarIcon)
    EVT_TASKBAR_LEFT_DCLICK(TrayIcon::OnDoubleClick)
    EVT_MENU(trayOpenCommand, TrayIcon::OnMenu)
    EVT_MENU(trayExitCommand, TrayIcon::OnMenu)
wxEND_EVENT_TABLE()

TrayIcon::TrayIcon(wxEvtHandler* owner, const wxIcon& icon) : owner(owner), icon(icon) {}

TrayIcon::~TrayIcon() {
    Hide();
}

namespace {
std::optional<bool> assumedAvailable;
}  // namespace

bool TrayIcon::Available() {
    return assumedAvailable ? *assumedAvailable : wxTaskBarIcon::IsAvailable();
}

void TrayIcon::AssumeAvailable(std::optional<bool> answer) {
    assumedAvailable = answer;
}

void TrayIcon::Show() {
    shown = SetIcon(icon, platform::ToWx(tip));
}

void TrayIcon::Hide() {
    if (!shown)
        return;
    RemoveIcon();
    shown = false;
}

void TrayIcon::SetTip(const std::string& text) {
    tip = text.substr(0, trayTipLength);
    if (shown)
        SetIcon(icon, platform::ToWx(tip));
}

wxMenu* TrayIcon::CreatePopupMenu() {
    auto* menu = new wxMenu;
    menu->Append(trayOpenCommand, "Open");
    menu->AppendSeparator();
    menu->Append(trayExitCommand, "Exit");
    return menu;
}

void TrayIcon::OnDoubleClick(wxTaskBarIconEvent&) {
    // Restoring and hiding is the same toggle as "Open".
    SendToOwner(trayOpenCommand);
}

void TrayIcon::OnMenu(wxCommandEvent& event) {
    SendToOwner(event.GetId());
}

void TrayIcon::SendToOwner(int command) {
    // Queued: "Exit" destroys the owner, and this icon with it.
    owner->QueueEvent(new wxCommandEvent(wxEVT_MENU, command));
}

}  // namespace vorlen
