// Holds a file open without sharing in another process (file_holder.exe,
// built beside the test runner) for the life of the object, as a program
// using an installed DLL would.
#pragma once

#include "tests/gvmain/ops/helper_process.h"

#include <windows.h>

#include <string>

namespace gvmain::test {

class FileHolder {
public:
    explicit FileHolder(const std::string& path)
        : process_("file_holder.exe", "\"" + path + "\"", BaseName()) {}

    bool Holding() const { return process_.ready; }

private:
    static std::string BaseName() {
        static int serial = 0;
        return "gvops_holder_" + std::to_string(::GetCurrentProcessId()) + "_" + std::to_string(++serial);
    }

    HelperProcess process_;
};

}  // namespace gvmain::test
