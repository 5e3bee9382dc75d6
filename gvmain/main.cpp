// gvmain.exe: the installer when the control file lies beside it, else the
// uninstaller.
#include "gvmain/engine/install_controller.h"
#include "gvmain/engine/program_entry.h"
#include "gvmain/uninstall/uninstall_controller.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    gvmain::EngineStart start;
    start.instance = instance;
    start.os = gvmain::DetectOsInfo();
    start.runDirectory = gvmain::OwnDirectory();
    gvmain::ControllerMakers makers;
    makers.install = [](const gvmain::EngineStart& engine) -> std::unique_ptr<gvmain::ModeController> {
        return std::make_unique<gvmain::ScriptInstallController>(engine);
    };
    makers.uninstall = [](const gvmain::EngineStart& engine) -> std::unique_ptr<gvmain::ModeController> {
        return std::make_unique<gvmain::UninstallController>(
            gvmain::DetectUninstallFacts(engine.instance, engine.os, ::GetCommandLineA()));
    };
    return gvmain::ProgramEntry(start, makers);
}
