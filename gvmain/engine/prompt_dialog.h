// The string prompt "DLGPROMPTSTR": a caption, a prompt and one string,
// typed into an edit or, when the caller offers choices, picked or typed
// in a drop-down combo box.
#pragma once

#include "gvmain/engine/dialog_window.h"

#include <windows.h>

#include <string>
#include <vector>

namespace gvmain {

struct PromptArgs {
    std::string caption;
    std::string prompt;
    std::vector<std::string> choices;  // none: a plain edit
};

// `value` gives the first text and takes the accepted one. False when the
// user cancelled or the template is missing.
bool PromptString(const DialogResources& resources, HWND parent, const PromptArgs& args, std::string* value);

}  // namespace gvmain
