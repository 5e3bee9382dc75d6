#include "gvmain/ops/program_manager_connection.h"

#include "gvmain/ops/program_manager_dde.h"
#include "gvmain/ops/program_manager_shell.h"
#include "gvmain/ops/win32_handles.h"

namespace gvmain {
namespace {

constexpr DWORD startUpWaitMs = 10000;

BOOL CALLBACK PostClose(HWND window, LPARAM) {
    ::PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    return TRUE;
}

}  // namespace

ProgramManagerConnection& SharedProgramManager() {
    static ProgramManagerConnection connection;
    return connection;
}

bool ProgramManagerConnection::Acquire(OperationHost& host) {
    if (users_ == 0 && !Choose(host.Environment())) {
        host.ReportError("Unable to connect to PM");
        return false;
    }
    ++users_;
    return true;
}

void ProgramManagerConnection::Release() {
    if (users_ == 0 || --users_ > 0) {
        return;
    }
    manager_->Disconnect();
    manager_.reset();
    CloseStartedProgramManager();
}

bool ProgramManagerConnection::Choose(const OperationEnvironment& environment) {
    bool programManagerIsShell = !environment.shellIsNotProgman;
    manager_ = std::make_unique<DdeProgramManager>(programManagerIsShell);
    if (manager_->Connect()) {
        return true;
    }
    if (environment.newShell && environment.shellIsNotProgman) {
        manager_ = std::make_unique<ShellFolderProgramManager>();
        if (manager_->Connect()) {
            return true;
        }
    } else if (StartProgramManager()) {
        manager_ = std::make_unique<DdeProgramManager>(programManagerIsShell);
        if (manager_->Connect()) {
            return true;
        }
        CloseStartedProgramManager();
    }
    manager_.reset();
    return false;
}

bool ProgramManagerConnection::StartProgramManager() {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION started{};
    char command[] = "progman.exe";
    if (!::CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &started)) {
        return false;
    }
    ScopedHandle process(started.hProcess);
    ScopedHandle thread(started.hThread);
    // DDE is answered only once its windows exist.
    ::WaitForInputIdle(process.Get(), startUpWaitMs);
    startedThread_ = started.dwThreadId;
    return true;
}

void ProgramManagerConnection::CloseStartedProgramManager() {
    if (startedThread_ != 0) {
        ::EnumThreadWindows(startedThread_, &PostClose, 0);
        startedThread_ = 0;
    }
}

}  // namespace gvmain
