// What the engine needs to know of the platform it runs on, found once at
// program entry: the platform kind, and whether the shell is the new one
// (shortcuts) or Program Manager (groups).
#pragma once

#include "gvmain/ops/operation_environment.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace gvmain {

enum PlatformKind : int32_t { PlatformNt = 0, PlatformWindows95 = 1, PlatformWin32s = 2 };

constexpr char currentVersionKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

struct OsInfo {
    PlatformKind kind = PlatformNt;
    bool newShell = true;
    bool shellIsNotProgman = true;
    std::string systemRoot = currentVersionKey;  // empty on Win32s
};

// The unnamed value of HKEY_LOCAL_MACHINE "<current version>\WinLogon",
// when it can be read.
using WinLogonShell = std::function<std::optional<std::string>()>;

// `platformId` and the versions as GetVersionEx gives them; the WinLogon
// value is read only for Windows NT below version 4.
OsInfo OsInfoOf(DWORD platformId, DWORD major, DWORD minor, const WinLogonShell& winLogonShell);

OsInfo DetectOsInfo();

// The operations' environment with the run's shell flags, so that the
// program-item operations follow the platform found at entry.
OperationEnvironment WithShellFlags(OperationEnvironment environment, const OsInfo& os);

}  // namespace gvmain
