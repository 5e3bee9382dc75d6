// The client windows of the five screens. Each switch builds a fresh one.
#pragma once

#include "vorlen/shell/command_ids.h"

class wxWindow;

namespace vorlen {

namespace shell {
class Document;
}

// How the today screen was opened: 1 by the boot check, 2 otherwise.
inline constexpr int hostKindBootup = 1;
inline constexpr int hostKindNormal = 2;

// The screens show and edit `document`, which outlives them.
wxWindow* MakeScreenWindow(ScreenId screen, wxWindow* frame, int hostKind, shell::Document& document);

}  // namespace vorlen
