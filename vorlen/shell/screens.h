// The client windows of the five screens. Each switch builds a fresh one.
#pragma once

#include "vorlen/shell/command_ids.h"

class wxWindow;

namespace vorlen {

// How the today screen was opened: 1 by the boot check, 2 otherwise.
inline constexpr int hostKindBootup = 1;
inline constexpr int hostKindNormal = 2;

wxWindow* MakeScreenWindow(ScreenId screen, wxWindow* frame, int hostKind);

}  // namespace vorlen
