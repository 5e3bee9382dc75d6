#include "gvmain/ops/file_replacement.h"

#include "gvmain/ops/file_names.h"
#include "gvmain/ops/file_operations.h"

namespace gvmain {
namespace {

// wininit.ini is processed in real mode, which knows only 8.3 names.
std::string ShortPath(const std::string& path) {
    char shortPath[MAX_PATH];
    DWORD length = ::GetShortPathNameA(path.c_str(), shortPath, sizeof shortPath);
    return length > 0 && length < sizeof shortPath ? std::string(shortPath, length) : path;
}

constexpr DWORD protectiveAttributes =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

}  // namespace

bool ReplaceNow(const std::string& newFile, const std::string& destination,
                const OperationEnvironment& environment) {
    DWORD attributes = ::GetFileAttributesA(destination.c_str());
    bool protectedFile = attributes != INVALID_FILE_ATTRIBUTES && (attributes & protectiveAttributes) != 0;
    if (protectedFile) {
        ::SetFileAttributesA(destination.c_str(), attributes & ~protectiveAttributes);
    }
    if (environment.moveFileEx(newFile.c_str(), destination.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        return true;
    }
    if (::GetLastError() == ERROR_CALL_NOT_IMPLEMENTED && DeleteQuietly(destination)) {
        return ::MoveFileA(newFile.c_str(), destination.c_str()) != 0;
    }
    if (protectedFile) {
        ::SetFileAttributesA(destination.c_str(), attributes);
    }
    return false;
}

bool ReplaceAtRestart(const std::string& newFile, const std::string& destination,
                      const OperationEnvironment& environment) {
    if (environment.moveFileEx(newFile.c_str(), destination.c_str(),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_DELAY_UNTIL_REBOOT)) {
        return true;
    }
    if (::GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) {
        return false;
    }
    std::string wininit = JoinPath(environment.windowsDirectory, "wininit.ini");
    return ::WritePrivateProfileStringA("rename", ShortPath(destination).c_str(), ShortPath(newFile).c_str(),
                                        wininit.c_str()) != 0;
}

}  // namespace gvmain
