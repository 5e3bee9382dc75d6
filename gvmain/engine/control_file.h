// The control file "gvmain.ini" that the launcher leaves beside the engine:
// section "x" holds the media directory ("p"), a command line ("cmdl") and
// a number that must not be 0 ("sz"); the engine writes its RunResult
// back as "r".
#pragma once

#include <cstdint>
#include <string>

namespace gvmain {

constexpr char controlFileName[] = "gvmain.ini";
constexpr char controlUndefinedMessage[] = "p or sz undefined in gvmain.ini";

struct ControlFile {
    std::string sourceDirectory;  // "p", up to 260 characters
    std::string commandLine;      // "cmdl", up to 512 characters
    int32_t sz = 0;
};

// Missing keys read as empty and 0; a damaged file reads as what the
// profile functions make of it.
ControlFile ReadControlFile(const std::string& path);

bool WriteRunResult(const std::string& path, int32_t result);

// Whether `commandLine` holds the argument "/S" (unattended), in any case.
bool IsUnattended(const std::string& commandLine);

}  // namespace gvmain
