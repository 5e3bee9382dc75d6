// What the operations need to know about this Windows installation. It is
// detected once (DetectEnvironment) and passed in, so that tests can point
// the system folders at scratch directories and fake the platform calls.
#pragma once

#include <windows.h>

#include <string>

namespace gvmain {

using MoveFileExFn = BOOL(WINAPI*)(LPCSTR from, LPCSTR to, DWORD flags);
using FreeSpaceFn = BOOL(WINAPI*)(LPCSTR root, PULARGE_INTEGER available, PULARGE_INTEGER total,
                                  PULARGE_INTEGER free);

struct OperationEnvironment {
    std::string windowsDirectory;
    // Windows NT may keep INI files of the Windows directory in the registry.
    bool windowsNt = false;
    // The run's platform flags, found once at program entry (the engine's
    // OsInfo): program items are the new shell's shortcuts, and Program
    // Manager is not the system's shell.
    bool newShell = true;
    bool shellIsNotProgman = true;
    // Where the platform's version-file search puts shared files.
    std::string systemDirectory;
    // "CommonFilesDir" of the current version key, else the system directory.
    std::string commonFilesDirectory;
    // The Windows 95 family fails this with ERROR_CALL_NOT_IMPLEMENTED.
    MoveFileExFn moveFileEx = &::MoveFileExA;
    // Tests give a full disk, which Wine cannot.
    FreeSpaceFn freeSpace = &::GetDiskFreeSpaceExA;
};

OperationEnvironment DetectEnvironment();

}  // namespace gvmain
