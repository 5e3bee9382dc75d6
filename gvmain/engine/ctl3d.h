// The optional three-dimensional controls library "ctl3d32.dll". The
// registration is process-wide and counted: the first user loads the
// library and registers the engine, the last one unregisters it, so that
// nested users share one registration. Without the library, or without one
// of its entry points, everything runs the same, only flat.
#pragma once

#include <windows.h>

namespace gvmain {

class Ctl3d {
public:
    explicit Ctl3d(HINSTANCE instance, const char* library = "ctl3d32.dll");
    ~Ctl3d();
    Ctl3d(const Ctl3d&) = delete;
    Ctl3d& operator=(const Ctl3d&) = delete;

    // Gives a control the engine creates itself the three-dimensional look.
    static void SubclassControl(HWND control);
    static bool Active();
};

}  // namespace gvmain
