// Runs progman_server.exe (built beside the test runner), the stand-in
// Program Manager, for the life of the object, and reads back the execute
// strings it got.
#pragma once

#include "tests/gvmain/ops/helper_process.h"
#include "tests/gvmain/ops/ops_test_support.h"

#include <windows.h>

#include <string>
#include <vector>

namespace gvmain::test {

class ProgmanServer {
public:
    explicit ProgmanServer(const std::string& recordPath)
        : recordPath_(recordPath),
          process_("progman_server.exe", "\"" + recordPath + "\"",
                   "gvops_progman_" + std::to_string(::GetCurrentProcessId())) {}

    bool Serving() const { return process_.ready; }

    // The execute strings so far, in order.
    std::vector<std::string> Commands() const {
        std::vector<std::string> lines;
        std::string text = ReadBytes(recordPath_);
        for (size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
            lines.push_back(text.substr(start, end - start));
        }
        return lines;
    }

private:
    std::string recordPath_;
    HelperProcess process_;
};

}  // namespace gvmain::test
