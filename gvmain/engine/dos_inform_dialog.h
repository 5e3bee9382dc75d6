// "DLGDOSINFORM": what AUTOEXEC.BAT or CONFIG.SYS reads after the script's
// lines were merged into it, captioned with the file's path, read-only,
// closed with OK.
#pragma once

#include "gvmain/engine/dialog_window.h"

#include <windows.h>

#include <string>

namespace gvmain {

// Shows nothing in an unattended run. False when the template is missing.
bool ShowDosInform(const DialogResources& resources, HWND parent, const std::string& path,
                   const std::string& content);

}  // namespace gvmain
