// Asks the X server about a selection; apart, as Xlib's macros (Bool,
// None, Status) clash with other headers.
#pragma once

#include <chrono>

namespace vorlen::test {

// Waits until the CLIPBOARD selection has an owner: someone copied. False
// when none came within `limit` or the display cannot be opened.
bool WaitForClipboardOwner(std::chrono::milliseconds limit);

}  // namespace vorlen::test
