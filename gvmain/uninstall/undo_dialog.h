// The uninstaller's views over one walk: the simple view "DLGUNDOMAINSIM"
// (status line and gauge), the advanced view "DLGUNDOMAINADV" (every record
// with its state, which the user may change) and the automatic view
// "DLGUNDOMAINSLT" (a walk without questions), and the quit question
// "DLGUNDOASKQUIT". All templates come from the language DLL.
#pragma once

#include "gvmain/engine/dialog_window.h"
#include "gvmain/engine/gauge.h"
#include "gvmain/uninstall/undo_walk.h"
#include "gvmain/uninstall/uninstall_host.h"

#include <windows.h>

#include <cstdint>
#include <string>

namespace gvmain {

enum UndoView { SimpleView = 0, AdvancedView = 1, AutomaticView = 2 };

// The view a log header names; a number of no view opens the simple one.
UndoView ViewOfHeader(int32_t uninstallView);

// Message 200 and the product name joined by "%s %s".
std::string UndoCaption(const DialogResources& resources, const std::string& productName);

// Runs view 0 or 1 modally until the user leaves it; false when its
// template cannot be loaded.
bool ShowUndoView(UndoView view, UndoWalk& walk, UninstallHost& host, const std::string& caption,
                  DialogEnd& end);
// Shows the automatic view and walks at once; the view goes when the walk
// ends. False when its template cannot be loaded.
bool RunAutomaticView(UndoWalk& walk, UninstallHost& host, const std::string& caption);

QuitAnswer AskQuitDialog(const DialogResources& resources, HWND parent);

// What the simple and the advanced view share: the start, close and
// switch buttons, the caption, and the start button's texts.
class UndoDialog : public DialogWindow, public WalkNotifications {
public:
    UndoDialog(UndoWalk& walk, UninstallHost& host, std::string caption);
    ~UndoDialog() override;

    bool ConfirmStart() override { return true; }
    QuitAnswer AskQuit() override { return AskQuitDialog(host_.Resources(), Handle()); }
    void OnWalkStart() override;
    void OnWalkEnd() override;

protected:
    bool OnInit() override;
    void OnCommand(int id, int notification) override;
    // Enables the buttons (and the view's own controls) as the walk allows.
    virtual void UpdateControls();

    UndoWalk& walk_;
    UninstallHost& host_;

private:
    std::string caption_;
};

}  // namespace gvmain
