// Runs progman_server.exe (built beside the test runner), the stand-in
// Program Manager, for the life of the object, and reads back the execute
// strings it got.
#pragma once

#include "gvmain/ops/win32_handles.h"
#include "tests/gvmain/ops/ops_test_support.h"

#include <windows.h>

#include <string>
#include <vector>

namespace gvmain::test {

class ProgmanServer {
public:
    explicit ProgmanServer(const std::string& recordPath) : recordPath_(recordPath) {
        std::string base = "gvops_progman_" + std::to_string(::GetCurrentProcessId());
        ready_.Reset(::CreateEventA(nullptr, TRUE, FALSE, (base + "_ready").c_str()));
        stop_.Reset(::CreateEventA(nullptr, TRUE, FALSE, (base + "_stop").c_str()));
        std::string command = "\"" + BesideRunner("progman_server.exe") + "\" \"" + recordPath + "\" " + base;
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
        serving_ = ::WaitForMultipleObjects(2, waits, FALSE, 20000) == WAIT_OBJECT_0;
    }
    ~ProgmanServer() {
        ::SetEvent(stop_.Get());
        if (process_.Valid()) {
            ::WaitForSingleObject(process_.Get(), 20000);
        }
    }
    ProgmanServer(const ProgmanServer&) = delete;
    ProgmanServer& operator=(const ProgmanServer&) = delete;

    bool Serving() const { return serving_; }

    // The execute strings so far, in order.
    std::vector<std::string> Commands() const {
        std::vector<std::string> lines;
        std::string text = ReadBytes(recordPath_);
        for (size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
            lines.push_back(text.substr(start, end - start));
        }
        return lines;
    }

    static std::string BesideRunner(const std::string& name) {
        char self[MAX_PATH] = "";
        ::GetModuleFileNameA(nullptr, self, sizeof self);
        std::string path = self;
        return path.substr(0, path.find_last_of('\\') + 1) + name;
    }

private:
    std::string recordPath_;
    ScopedHandle ready_;
    ScopedHandle stop_;
    ScopedHandle process_;
    bool serving_ = false;
};

}  // namespace gvmain::test
