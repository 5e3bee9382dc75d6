#include "gvmain/engine/ctl3d.h"

namespace gvmain {
namespace {

using InstanceCall = BOOL(WINAPI*)(HANDLE);
using ControlCall = BOOL(WINAPI*)(HWND);

// One registration for the process: the engine is single-threaded.
struct Registration {
    int users = 0;
    HMODULE library = nullptr;
    HINSTANCE instance = nullptr;
    InstanceCall unregister = nullptr;
    ControlCall subclassControl = nullptr;
};
Registration registration;

template <typename Call>
Call Entry(const char* name) {
    return reinterpret_cast<Call>(reinterpret_cast<void*>(GetProcAddress(registration.library, name)));
}

void Load(HINSTANCE instance, const char* library) {
    registration.library = LoadLibraryA(library);
    if (!registration.library) {
        return;
    }
    auto registerApp = Entry<InstanceCall>("Ctl3dRegister");
    auto autoSubclass = Entry<InstanceCall>("Ctl3dAutoSubclass");
    registration.unregister = Entry<InstanceCall>("Ctl3dUnregister");
    registration.subclassControl = Entry<ControlCall>("Ctl3dSubclassCtl");
    registration.instance = instance;
    if (registerApp) {
        registerApp(instance);
    }
    if (autoSubclass) {
        autoSubclass(instance);
    }
}

}  // namespace

Ctl3d::Ctl3d(HINSTANCE instance, const char* library) {
    if (registration.users++ == 0) {
        Load(instance, library);
    }
}

Ctl3d::~Ctl3d() {
    if (--registration.users > 0 || !registration.library) {
        return;
    }
    if (registration.unregister) {
        registration.unregister(registration.instance);
    }
    FreeLibrary(registration.library);
    registration = Registration{};
}

void Ctl3d::SubclassControl(HWND control) {
    if (registration.subclassControl) {
        registration.subclassControl(control);
    }
}

bool Ctl3d::Active() {
    return registration.library != nullptr;
}

}  // namespace gvmain
