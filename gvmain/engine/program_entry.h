// The program entry of gvmain, common to both modes: the engine installs
// when the control file "gvmain.ini" lies in its own directory (the
// runDirectory) and uninstalls otherwise. Each mode has a controller with
// the same three steps.
#pragma once

#include "gvmain/engine/os_info.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace gvmain {

class ModeController {
public:
    virtual ~ModeController() = default;
    // False ends the program with exit code 1 and nothing written.
    virtual bool Init() = 0;
    // The install run's RunResult, or the uninstaller's status.
    virtual int32_t Run() = 0;
    // Releases what Run left (libraries, windows).
    virtual void Done() = 0;
};

struct EngineStart {
    HINSTANCE instance = nullptr;
    OsInfo os;
    std::string runDirectory;  // without a trailing backslash
};

using ControllerMaker = std::function<std::unique_ptr<ModeController>(const EngineStart&)>;

struct ControllerMakers {
    ControllerMaker install;
    // Empty while the engine is built without its uninstall mode: a run
    // without the control file then ends with exit code 1.
    ControllerMaker uninstall;
};

constexpr char uninstallSection[] = "Grevant Uninstall";

// Install mode writes the RunResult to key "r" of the control file;
// uninstall mode removes the section "Grevant Uninstall" of win.ini.
// Returns the exit code: 1 when Init refused, else 0.
int ProgramEntry(const EngineStart& start, const ControllerMakers& makers);

// The directory of the running program.
std::string OwnDirectory();

}  // namespace gvmain
