#include "gvmain/ops/operation_environment.h"

#include "gvmain/ops/win32_handles.h"

namespace gvmain {
namespace {

std::string WindowsDirectory() {
    char directory[MAX_PATH] = "";
    UINT length = ::GetWindowsDirectoryA(directory, sizeof directory);
    return length > 0 && length < sizeof directory ? std::string(directory, length)
                                                   : std::string("c:\\windows");
}

// The directory the version-file search proposes for a shared file that
// exists nowhere yet.
std::string SharedFileDirectory(const std::string& windowsDirectory) {
    char current[MAX_PATH] = "";
    char destination[MAX_PATH] = "";
    UINT currentLength = sizeof current;
    UINT destinationLength = sizeof destination;
    // The declarations of some SDKs take the names as writable strings.
    std::string name = "98Lx28.$$$";
    std::string windows = windowsDirectory;
    std::string application = "c:\\";
    ::VerFindFileA(VFFF_ISSHAREDFILE, name.data(), windows.data(), application.data(), current,
                   &currentLength, destination, &destinationLength);
    std::string directory = destination;
    while (directory.size() > 3 && directory.back() == '\\') {
        directory.pop_back();
    }
    return directory;
}

std::string CommonFilesDirectory() {
    HKEY opened = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", 0,
                        KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) {
        return std::string();
    }
    ScopedKey key(opened);
    char value[MAX_PATH] = "";
    DWORD size = sizeof value - 1;
    DWORD type = 0;
    if (::RegQueryValueExA(key.Get(), "CommonFilesDir", nullptr, &type, reinterpret_cast<BYTE*>(value),
                           &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return std::string();
    }
    value[size] = '\0';
    return value;
}

}  // namespace

OperationEnvironment DetectEnvironment() {
    OperationEnvironment environment;
    environment.windowsDirectory = WindowsDirectory();
    environment.windowsNt = (::GetVersion() & 0x80000000u) == 0;
    environment.systemDirectory = SharedFileDirectory(environment.windowsDirectory);
    environment.commonFilesDirectory = CommonFilesDirectory();
    if (environment.commonFilesDirectory.empty()) {
        environment.commonFilesDirectory = environment.systemDirectory;
    }
    return environment;
}

}  // namespace gvmain
