#include "gvmain/engine/program_entry.h"

#include "gvmain/engine/control_file.h"
#include "gvmain/ops/file_names.h"

namespace gvmain {

int ProgramEntry(const EngineStart& start, const ControllerMakers& makers) {
    std::string controlFile = JoinPath(start.runDirectory, controlFileName);
    bool installing = PathExists(controlFile);
    const ControllerMaker& make = installing ? makers.install : makers.uninstall;
    std::unique_ptr<ModeController> controller = make ? make(start) : nullptr;
    if (!controller || !controller->Init()) {
        return 1;
    }
    int32_t result = controller->Run();
    controller->Done();
    controller.reset();
    if (installing) {
        WriteRunResult(controlFile, result);
    } else {
        ::WriteProfileStringA(uninstallSection, nullptr, nullptr);
    }
    return 0;
}

std::string OwnDirectory() {
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, path, sizeof path);
    return DirectoryOf(path);
}

}  // namespace gvmain
