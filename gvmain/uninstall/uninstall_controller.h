// The uninstaller: the run of gvmain without "gvmain.ini" beside it. It
// takes the newest operation log of its directory, lets the user undo it in
// one of three views, and removes itself with the last installation. The
// installation that made the uninstaller's directory (log 000) is undone by
// a copy at the root of the drive, which "movexe.exe" removes at the end.
#pragma once

#include "gvmain/engine/ctl3d.h"
#include "gvmain/engine/program_entry.h"
#include "gvmain/format/log_reader.h"
#include "gvmain/ops/operation_environment.h"
#include "gvmain/uninstall/uninstall_host.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace gvmain {

// What the uninstaller learns from the platform before it starts.
struct UninstallFacts {
    HINSTANCE instance = nullptr;
    std::string programPath;  // the running program's full path
    OperationEnvironment environment;
    // "/S": no window, every question answered by default, errors into errorLog.
    bool unattended = false;
    std::string errorLog;
};

// The facts of this process: its module, path, command line and system
// (with the shell flags of the platform found at entry).
UninstallFacts DetectUninstallFacts(HINSTANCE instance, const OsInfo& os, const std::string& commandLine);
// The error log of an unattended removal: the install run's "gverrors.log",
// in the temporary directory (the uninstaller's own may be removed).
std::string UnattendedErrorLog();

class UninstallController : public ModeController {
public:
    explicit UninstallController(const UninstallFacts& facts);
    ~UninstallController() override;

    // True when this process goes on to Run; false when it failed or
    // handed the work over to the copy at the drive root.
    bool Init() override;
    // 1 when the uninstallation counts as complete, else 0.
    int32_t Run() override;
    void Done() override;

    int32_t uninstallView = 0;
    int32_t languageNumber = 0;
    uint32_t undoPaceMs = 0;
    std::string productName;
    int relaunched = 0;
    std::string runDirectory;
    std::string backDirectory;
    std::string logPath;
    int logNumber = 0;

private:
    bool FindNewestLog();
    bool ReadLog();
    void Relaunch();
    bool ShowViews(class UndoWalk& walk);
    void Finish(bool complete);
    void ReturnToBackDirectory();
    std::vector<std::string> OwnFiles() const;

    UninstallFacts facts_;
    UninstallHost host_;
    std::unique_ptr<Ctl3d> ctl3d_;
    LogContents log_;
    // A copy at the drive root keeps the log there while it walks.
    std::string logAside_;
};

}  // namespace gvmain
