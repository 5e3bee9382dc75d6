#include "x_selection.h"

#include <X11/Xlib.h>

#include <thread>

namespace vorlen::test {

bool WaitForClipboardOwner(std::chrono::milliseconds limit) {
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return false;
    Atom clipboard = XInternAtom(display, "CLIPBOARD", False);
    bool owned = false;
    for (auto end = std::chrono::steady_clock::now() + limit;
         !owned && std::chrono::steady_clock::now() < end;
         std::this_thread::sleep_for(std::chrono::milliseconds(20)))
        owned = XGetSelectionOwner(display, clipboard) != None;
    XCloseDisplay(display);
    return owned;
}

}  // namespace vorlen::test
