// Shows a dialog that the install script defines itself (event type 48):
// the frame "DLGUSRDLG", or "DLGUSRDLGNOTITLE" for a dialog without a
// title, from the language DLL, sized and placed as the script says, with
// one child window per item.
#pragma once

#include "gvmain/engine/dialog_window.h"
#include "gvmain/format/script_messages.h"
#include "gvmain/format/script_variables.h"
#include "gvmain/format/user_dialog.h"

#include <windows.h>

#include <cstdint>

namespace gvmain {

constexpr char userDialogErrorMessage[] = "Error evaluting user dialog %s";
constexpr char userDialogNotFoundMessage[] = "User dialog %s not found";

// Runs `dialog` modal over `parent`. Texts are expanded first; a text that
// does not expand, or an item naming no variable of its kind, reports
// "Error evaluting user dialog %s" and returns false without showing it.
// `*result` becomes the index of the push button item that closed the
// dialog, whose edits and lists then go back to their variables; Escape
// closes it with userDialogCancelled and changes no variable.
bool RunUserDialog(const DialogResources& resources, HWND parent, const UserDialog& dialog,
                   Variables& variables, const ErrorReport& report, int32_t* result);

}  // namespace gvmain
