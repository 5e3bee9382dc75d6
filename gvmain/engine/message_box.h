// The engine's own message box, used for every question and error: the
// templates "DLGMSGBOX0" to "DLGMSGBOX4" of the engine's module (one per
// number of buttons), its texts from the language DLL or the engine's own
// string table.
#pragma once

#include "gvmain/engine/dialog_window.h"

#include <windows.h>

#include <string>
#include <vector>

// windows.h maps MessageBox to MessageBoxA; here the name is the engine's
// request. Call the platform's box as MessageBoxA.
#undef MessageBox

namespace gvmain {

// The sets 0, 1, 4 and 5 of the platform's box, and the caller's own texts.
enum class ButtonSet { Ok = 0, OkCancel = 1, YesNo = 4, RetryCancel = 5, Custom = -1 };

// Icon codes; any other code shows MessageBox::icon.
constexpr int iconHand = 16;
constexpr int iconQuestion = 32;
constexpr int iconExclamation = 48;
constexpr int iconInformation = 64;

constexpr int maxMessageBoxText = 1024;
constexpr int maxCustomButtons = 3;

struct MessageBox {
    // printf-style fields filled from args (FormatText), cut at 1023 characters.
    std::string format;
    std::vector<std::string> args;
    std::string caption;  // empty: message 81 "Error"
    int iconCode = iconHand;
    HICON icon = nullptr;  // shown for codes other than the four above
    ButtonSet buttons = ButtonSet::Ok;
    std::vector<std::string> customTexts;  // ButtonSet::Custom: up to three; none is a box without buttons
    int defaultButton = -1;                // -1: the set's own (the first of 0, the second of 1, 4 and 5)
    int escapeButton = -1;                 // what Escape and the close box answer; -1: the last button
    // Modeless: the box does not disable its parent and runs its own message
    // loop, so that the parent's windows keep working meanwhile.
    bool modeless = false;
};

// The number of the pressed button counting from 0 (for set 4: 0 "&Yes",
// 1 "&No"); -1 when the box cannot be shown or, without buttons, is closed.
// Unattended: the default button, without showing the box.
int ShowMessageBox(const DialogResources& resources, HWND parent, const MessageBox& request);

// The texts of the box's buttons, in order.
std::vector<std::string> ButtonTexts(const DialogResources& resources, const MessageBox& request);

}  // namespace gvmain
