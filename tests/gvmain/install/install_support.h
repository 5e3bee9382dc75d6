// What the install tests share: the media that build_media.sh made beside
// the runner, a run directory prepared as the launcher prepares it, the
// engine's install controller run in this process (with the drive kind
// given by the test, as Wine has no floppy), and the launcher run as a
// process of its own.
#pragma once

#include "gvmain/engine/install_controller.h"
#include "tests/gvmain/ops/helper_process.h"
#include "tests/gvmain/ops/ops_test_support.h"

#include <functional>
#include <string>

namespace gvmain::test {

// media\<product> beside the runner; "stage" holds the products' sources.
inline std::string Media(const std::string& path) {
    return BesideRunner("media\\" + path);
}

constexpr int32_t initRefused = -1;

class InstallRun {
public:
    explicit InstallRun(const std::string& name = "gvinst");

    // Copies the engine and the script into the run directory and writes
    // the control file with `commandLine`.
    void Launch(const std::string& source, const std::string& commandLine);
    // Init, Run and Done of the install controller; initRefused when Init
    // refuses. `kind` is the kind of the source drive.
    int32_t Install(MediaKind kind = MediaKind::Fixed);

    std::string Errors() const { return ReadBytes(run + "\\" + errorLogName); }

    ScratchDir dir;
    std::string run;
    std::string app;
    OperationEnvironment environment;  // the platform's, with the Windows directory in dir
    int32_t languageNumber = -1;
    PackagingMode packaging = PackagingMode::OnePlace;
};

// Runs `program` with `arguments` and returns its exit code, or -1 when it
// has not ended within a minute (it is then ended).
int RunProcess(const std::string& program, const std::string& arguments);

// Checks `done` every 100 ms until it holds or a minute has passed;
// whether it held. For what other processes finish on their own.
bool WaitUntil(const std::function<bool()>& done);

// The text value `name` of `key`; empty when either is missing.
std::string RegistryText(HKEY root, const std::string& key, const char* name);

// Copies a directory's files (not its subdirectories).
void CopyFiles(const std::string& from, const std::string& to);

}  // namespace gvmain::test
