// Holds a file open without sharing in another process (file_holder.exe,
// built beside the test runner) for the life of the object, as a program
// using an installed DLL would.
#pragma once

#include "gvmain/ops/win32_handles.h"

#include <windows.h>

#include <string>

namespace gvmain::test {

class FileHolder {
public:
    explicit FileHolder(const std::string& path) {
        static int serial = 0;
        std::string base =
            "gvops_holder_" + std::to_string(::GetCurrentProcessId()) + "_" + std::to_string(++serial);
        ready_.Reset(::CreateEventA(nullptr, TRUE, FALSE, (base + "_ready").c_str()));
        release_.Reset(::CreateEventA(nullptr, TRUE, FALSE, (base + "_release").c_str()));
        std::string command = "\"" + HolderProgram() + "\" \"" + path + "\" " + base;
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
        holding_ = ::WaitForMultipleObjects(2, waits, FALSE, 20000) == WAIT_OBJECT_0;
    }
    ~FileHolder() {
        ::SetEvent(release_.Get());
        if (process_.Valid()) {
            ::WaitForSingleObject(process_.Get(), 20000);
        }
    }
    FileHolder(const FileHolder&) = delete;
    FileHolder& operator=(const FileHolder&) = delete;

    bool Holding() const { return holding_; }

private:
    static std::string HolderProgram() {
        char self[MAX_PATH] = "";
        ::GetModuleFileNameA(nullptr, self, sizeof self);
        std::string path = self;
        return path.substr(0, path.find_last_of('\\') + 1) + "file_holder.exe";
    }

    ScopedHandle ready_;
    ScopedHandle release_;
    ScopedHandle process_;
    bool holding_ = false;
};

}  // namespace gvmain::test
