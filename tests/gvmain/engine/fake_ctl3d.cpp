// A stand-in for "ctl3d32.dll" that counts the engine's calls.
#include <windows.h>

namespace {
LONG calls[4];  // register, auto-subclass, subclass a control, unregister
}

extern "C" {
__declspec(dllexport) BOOL WINAPI Ctl3dRegister(HANDLE) {
    return ++calls[0] > 0;
}
__declspec(dllexport) BOOL WINAPI Ctl3dAutoSubclass(HANDLE) {
    return ++calls[1] > 0;
}
__declspec(dllexport) BOOL WINAPI Ctl3dSubclassCtl(HWND) {
    return ++calls[2] > 0;
}
__declspec(dllexport) BOOL WINAPI Ctl3dUnregister(HANDLE) {
    return ++calls[3] > 0;
}
__declspec(dllexport) LONG WINAPI FakeCtl3dCalls(int which) {
    return calls[which];
}
}
