// The install screen's picture buttons (window class "wndclassgvgadbtn"):
// a bitmap for the button up and one for it pressed. A click sends
// WM_COMMAND with the button's id to its parent, as a push button does.
#pragma once

#include <windows.h>

namespace gvmain {

// Registers the class once per process; false when that fails.
bool RegisterPictureButtonClass(HINSTANCE instance);

// A child of `parent` at (x, y), sized to `up`. The bitmaps stay the
// caller's and must outlive the button.
HWND CreatePictureButton(HINSTANCE instance, HWND parent, int id, int x, int y, HBITMAP up, HBITMAP down);

}  // namespace gvmain
