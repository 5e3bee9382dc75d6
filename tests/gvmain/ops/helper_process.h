// A helper program of the tests (built beside the test runner) run for the
// life of the object: started with its arguments and the base name of two
// named events, it sets "<base>_ready" once it is ready and ends when the
// object sets "<base>_stop" on its way out.
#pragma once

#include "gvmain/ops/win32_handles.h"

#include <windows.h>

#include <string>

namespace gvmain::test {

// The full path of `name` in the test runner's own directory.
inline std::string BesideRunner(const std::string& name) {
    char self[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, self, sizeof self);
    std::string path = self;
    return path.substr(0, path.find_last_of('\\') + 1) + name;
}

class HelperProcess {
public:
    // `arguments` come before the base name on the command line.
    HelperProcess(const std::string& program, const std::string& arguments, const std::string& baseName) {
        ready_.Reset(::CreateEventA(nullptr, TRUE, FALSE, (baseName + "_ready").c_str()));
        stop_.Reset(::CreateEventA(nullptr, TRUE, FALSE, (baseName + "_stop").c_str()));
        std::string command = "\"" + BesideRunner(program) + "\" " + arguments + " " + baseName;
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION started{};
        if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                              &started)) {
            return;
        }
        ::CloseHandle(started.hThread);
        process_.Reset(started.hProcess);
        HANDLE waits[] = {ready_.Get(), process_.Get()};
        ready = ::WaitForMultipleObjects(2, waits, FALSE, 20000) == WAIT_OBJECT_0;
    }
    ~HelperProcess() {
        ::SetEvent(stop_.Get());
        if (process_.Valid())
            ::WaitForSingleObject(process_.Get(), 20000);
    }
    HelperProcess(const HelperProcess&) = delete;
    HelperProcess& operator=(const HelperProcess&) = delete;

    bool ready = false;  // the helper said it was ready before it ended

private:
    ScopedHandle ready_;
    ScopedHandle stop_;
    ScopedHandle process_;
};

}  // namespace gvmain::test
