// Running the events of the install script: each event in list order is
// gated by its component and its condition, its parameters are expanded and
// evaluated as its class lays them out, and it is executed by its type
// through the operations of gvmain/ops and the engine's dialogs.
//
// What belongs to the install controller itself (the restart flags the
// operations raise, the completion dialog, the uninstaller's directory,
// the copy progress window its host's progress reports go to) is reached
// through EventController; media changes go through the host (ChangeDisk).
#pragma once

#include "gvmain/engine/dialog_window.h"
#include "gvmain/engine/notice.h"
#include "gvmain/engine/progress_dialog.h"
#include "gvmain/format/install_script.h"
#include "gvmain/format/operation_log.h"
#include "gvmain/ops/operation_host.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace gvmain {

// The value of an install run, written to the control file.
enum RunResult : int32_t {
    RunCompleted = 0,
    RunFailed = 1,  // failed or abandoned
    RunWindowsRestart = 2,
    RunDosRestart = 4,
    RunRolledBack = 6,
};

// The statuses the completion dialog takes: the RunResults 0, 1, 2 and 4,
// and a Windows restart the user cannot decline.
constexpr int32_t statusForcedWindowsRestart = 5;

struct RestartFlags {
    bool fileLeftForRestart = false;  // a file waits for replacement at the next start
    bool dosStartupChanged = false;   // AUTOEXEC.BAT or CONFIG.SYS
};

class EventController {
public:
    virtual ~EventController() = default;

    // As the operations raised them through the host since the run began.
    virtual RestartFlags Restarts() = 0;
    // The completion dialog for `status`; returns the run's result.
    virtual int32_t ShowCompletion(int32_t status) = 0;
    // The value event type 46 stores.
    virtual int32_t Answer() = 0;
    // The uninstaller now lies in `directory`: the log is finished there.
    virtual void SetBackDirectory(const std::string& directory) = 0;
    // The copy progress window that the host's Progress reports advance.
    virtual ProgressDialog& Progress() = 0;
    // The user chose to abandon the run outside the events' own dialogs
    // (the install screen's exit button): no further event runs.
    virtual bool AbandonRequested() { return false; }
};

// The facts of the run the events read.
struct EventRunFacts {
    DialogResources resources;
    HWND parent = nullptr;
    HICON programIcon = nullptr;
    std::string runDirectory;
    std::string commandLine;   // key "cmdl" of the control file
    std::string languageCode;  // of the chosen language, "enu"
    NoticeClock* clock = &SystemClock();
};

struct EventRun {
    InstallScript& script;
    Variables& variables;
    std::vector<bool>& selected;  // one flag per component
    OperationLog* log;            // null: nothing is recorded
    OperationHost& host;
    EventController& controller;
    EventRunFacts facts;
};

constexpr char noArgumentMessage[] = "No argument at %d";
constexpr char notIntegerMessage[] = "Unable to convert %s to integer";
constexpr char unableToExecuteMessage[] = "Unable to execute %s";

// Runs the events in order and returns the RunResult they leave: 0 unless
// the finish event sets another, 1 when an event fails, its condition
// cannot be evaluated or the user abandons the run (in a dialog of an
// event, or between events through the controller).
int32_t RunEvents(EventRun& run);

}  // namespace gvmain
