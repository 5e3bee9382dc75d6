#include "gvmain/engine/os_info.h"

#include "gvmain/ops/win32_handles.h"

namespace gvmain {
namespace {

std::optional<std::string> ReadWinLogonShell() {
    HKEY opened = nullptr;
    std::string path = std::string(currentVersionKey) + "\\WinLogon";
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    ScopedKey key(opened);
    char value[MAX_PATH] = "";
    DWORD size = sizeof value - 1;
    DWORD type = 0;
    if (::RegQueryValueExA(key.Get(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ) {
        return std::nullopt;
    }
    value[size] = '\0';
    return std::string(value);
}

}  // namespace

OsInfo OsInfoOf(DWORD platformId, DWORD major, DWORD minor, const WinLogonShell& winLogonShell) {
    OsInfo info;
    if (platformId == VER_PLATFORM_WIN32s) {
        info.kind = PlatformWin32s;
        info.newShell = false;
        info.shellIsNotProgman = false;
        info.systemRoot.clear();
    } else if (platformId == VER_PLATFORM_WIN32_WINDOWS) {
        info.kind = PlatformWindows95;
    } else if (major < 4) {
        info.newShell = major == 3 && minor > 50;
        std::optional<std::string> shell = winLogonShell();
        info.shellIsNotProgman = shell && ::lstrcmpiA(shell->c_str(), "progman.exe") != 0;
    }
    return info;
}

OsInfo DetectOsInfo() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    ::GetVersionExA(&version);
    return OsInfoOf(version.dwPlatformId, version.dwMajorVersion, version.dwMinorVersion, &ReadWinLogonShell);
}

OperationEnvironment WithShellFlags(OperationEnvironment environment, const OsInfo& os) {
    environment.newShell = os.newShell;
    environment.shellIsNotProgman = os.shellIsNotProgman;
    return environment;
}

}  // namespace gvmain
