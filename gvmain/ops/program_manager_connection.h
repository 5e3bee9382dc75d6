// The process's one Program Manager connection. It is counted: nested users
// (an installation's events, the uninstaller's walk around its records)
// share one conversation, which ends when the last one releases it.
//
// Choice on the first use: DDE to a Program Manager that is already
// running; failing that, the shell folders where the new shell keeps the
// program items (the run's platform flags); otherwise "progman.exe" is
// started and DDE tried once more. A Program Manager started here is
// closed again when the connection ends.
#pragma once

#include "gvmain/ops/operation_host.h"
#include "gvmain/ops/program_manager.h"

#include <windows.h>

#include <memory>

namespace gvmain {

class ProgramManagerConnection {
public:
    // False after reporting "Unable to connect to PM".
    bool Acquire(OperationHost& host);
    void Release();
    ProgramManager& Manager() { return *manager_; }

private:
    bool Choose(const OperationEnvironment& environment);
    bool StartProgramManager();
    void CloseStartedProgramManager();

    std::unique_ptr<ProgramManager> manager_;
    int users_ = 0;
    DWORD startedThread_ = 0;
};

ProgramManagerConnection& SharedProgramManager();

// One use of the shared connection for the life of the object.
class PmSession {
public:
    explicit PmSession(OperationHost& host) : connected_(SharedProgramManager().Acquire(host)) {}
    ~PmSession() {
        if (connected_) {
            SharedProgramManager().Release();
        }
    }
    PmSession(const PmSession&) = delete;
    PmSession& operator=(const PmSession&) = delete;

    bool Connected() const { return connected_; }
    ProgramManager* operator->() const { return &SharedProgramManager().Manager(); }

private:
    bool connected_;
};

}  // namespace gvmain
