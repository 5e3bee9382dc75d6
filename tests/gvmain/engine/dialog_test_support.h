// Driving the engine's dialogs from a test: find a window when its modal
// loop runs, press its keys and buttons, and save a picture of it as PNG
// beside the test program (screenshots\NAME.png) for a person to look at.
#pragma once

#include "gvmain/engine/dialog_window.h"

#include <windows.h>

#include <functional>
#include <string>

namespace gvmain {

// The engine's templates from the test program itself; the language DLL
// gvenu.dll, loaded once, when `withLanguage`.
DialogResources TestResources(bool withLanguage = true);

// Runs `action` once a visible dialog of this thread with the caption
// `caption` exists (checked from a timer, so that it runs inside the
// dialog's own message loop).
void WhenDialogAppears(const std::string& caption, std::function<void(HWND)> action);

// Posts a key press to the control that has the focus, as a user's key
// would arrive, so that the dialog manager's keyboard handling runs.
void PressKey(UINT key);

// Posts a click of control `id`.
void ClickButton(HWND dialog, int id);

std::string WindowText(HWND window);

// A file copied beside the test program.
std::string TestFile(const std::string& name);

// Saves what `window` shows on the screen as screenshots\NAME.png; false
// when that fails.
bool SaveScreenshot(HWND window, const std::string& name);

}  // namespace gvmain
