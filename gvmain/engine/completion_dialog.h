// The completion dialog that the script's finish event asks for: a message
// box chosen by the run's status, whose answer gives the RunResult.
#pragma once

#include "gvmain/engine/dialog_window.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace gvmain {

struct CompletionBox {
    int message = 0;  // with the product name in its "%s"
    int caption = 0;
    std::vector<int> buttons;      // message numbers of the button texts
    std::vector<int32_t> results;  // the RunResult of each button
};

// The box of status 0 (completed), 1 (aborted), 2 (Windows restart),
// 5 (Windows restart without choice) or 4 (DOS restart); any other
// status is shown as completed.
CompletionBox CompletionFor(int32_t status);

// Shows the box and returns the RunResult of the button pressed (the
// first button's when the box cannot be shown or the run is unattended).
int32_t ShowCompletion(const DialogResources& resources, HWND parent, HICON icon,
                       const std::string& productName, int32_t status);

}  // namespace gvmain
