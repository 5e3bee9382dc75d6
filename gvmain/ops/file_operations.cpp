#include "gvmain/ops/file_operations.h"

#include "gvmain/ops/file_names.h"
#include "gvmain/ops/install_file.h"
#include "gvmain/ops/message_text.h"
#include "gvmain/ops/win32_handles.h"

#include <vector>

namespace gvmain {
namespace {

constexpr DWORD protectiveAttributes =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
constexpr int messageCannotCreateDirectory = 127;
constexpr int messageNotEnoughSpace = 91;

void Report(OperationHost& host, const std::string& format, const std::vector<std::string>& args) {
    host.ReportError(FormatText(format, args));
}

std::string WithoutTrailingSeparator(std::string path) {
    while (path.size() > 1 && (path.back() == '\\' || path.back() == '/') && path != DriveRoot(path)) {
        path.pop_back();
    }
    return path;
}

// The directories of `path` that do not exist yet, outermost first.
std::vector<std::string> MissingDirectories(const std::string& path) {
    std::vector<std::string> missing;
    for (std::string at = path; !at.empty() && !DirectoryExists(at); at = DirectoryOf(at)) {
        missing.insert(missing.begin(), at);
        if (DirectoryOf(at) == at) {
            break;
        }
    }
    return missing;
}

std::string FullPath(const std::string& path) {
    char full[MAX_PATH];
    DWORD length = ::GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    return length > 0 && length < sizeof full ? std::string(full, length) : path;
}

bool SamePath(const std::string& a, const std::string& b) {
    std::string fullA = FullPath(a);
    std::string fullB = FullPath(b);
    return IsWithin(fullA, fullB) && fullA.size() == fullB.size();
}

bool RemoveEntries(const std::string& path, OperationHost& host, OperationLog* log) {
    return ForEachEntry(path, [&](const std::string& name, bool isDirectory) {
        host.PumpMessages();
        std::string entry = JoinPath(path, name);
        return isDirectory ? RemoveDirectory(entry, host, log) : DeleteFile(entry, host, log);
    });
}

bool RenameOrCopy(const std::string& from, const std::string& to) {
    if (::MoveFileA(from.c_str(), to.c_str())) {
        return true;
    }
    if (!::CopyFileA(from.c_str(), to.c_str(), TRUE)) {
        return false;
    }
    if (DeleteQuietly(from)) {
        return true;
    }
    // Two copies would be a copy, not a move.
    DeleteQuietly(to);
    return false;
}

bool VersionSearchSaysInUse(const std::string& path) {
    char windows[MAX_PATH] = "";
    ::GetWindowsDirectoryA(windows, sizeof windows);
    char current[MAX_PATH] = "";
    char destination[MAX_PATH] = "";
    UINT currentLength = sizeof current;
    UINT destinationLength = sizeof destination;
    // The declarations of some SDKs take the names as writable strings.
    std::string name = FileNameOf(path);
    std::string directory = DirectoryOf(path);
    DWORD result = ::VerFindFileA(0, name.data(), windows, directory.data(), current, &currentLength,
                                  destination, &destinationLength);
    return (result & VFF_FILEINUSE) != 0;
}

bool ExclusiveOpenRefused(const std::string& path) {
    ScopedHandle file(
        ::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return !file.Valid() && ::GetLastError() == ERROR_SHARING_VIOLATION;
}

}  // namespace

bool CreateDirectory(const std::string& path, OperationHost& host, OperationLog* log) {
    for (const std::string& directory : MissingDirectories(WithoutTrailingSeparator(path))) {
        if (!::CreateDirectoryA(directory.c_str(), nullptr) && !DirectoryExists(directory)) {
            Report(host, host.Message(messageCannotCreateDirectory), {path});
            return false;
        }
        if (log != nullptr) {
            log->DirCreated(directory);
        }
    }
    return true;
}

bool RemoveDirectory(const std::string& path, OperationHost& host, OperationLog* log) {
    std::string directory = WithoutTrailingSeparator(path);
    if (!RemoveEntries(directory, host, log)) {
        return false;
    }
    // A directory that is current somewhere in this process cannot go.
    ::SetCurrentDirectoryA(DriveRoot(FullPath(directory)).c_str());
    if (!::RemoveDirectoryA(directory.c_str())) {
        Report(host, "Unable to remove directory %s", {directory});
        return false;
    }
    if (log != nullptr) {
        log->DirRemoved(directory);
    }
    return true;
}

bool ForEachEntry(const std::string& directory,
                  const std::function<bool(const std::string& name, bool isDirectory)>& visit) {
    WIN32_FIND_DATAA found;
    ScopedFind find(::FindFirstFileA(JoinPath(directory, "*.*").c_str(), &found));
    if (!find.Valid()) {
        return true;
    }
    do {
        std::string name = found.cFileName;
        if (name != "." && name != ".." &&
            !visit(name, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)) {
            return false;
        }
    } while (::FindNextFileA(find.Get(), &found));
    return true;
}

bool DeleteQuietly(const std::string& path) {
    DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return ::GetLastError() == ERROR_FILE_NOT_FOUND || ::GetLastError() == ERROR_PATH_NOT_FOUND;
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        return false;
    }
    if (attributes & protectiveAttributes) {
        ::SetFileAttributesA(path.c_str(), attributes & ~protectiveAttributes);
    }
    if (::DeleteFileA(path.c_str())) {
        return true;
    }
    ::SetFileAttributesA(path.c_str(), attributes);
    return false;
}

bool DeleteFile(const std::string& path, OperationHost& host, OperationLog* log) {
    if (!PathExists(path)) {
        return true;
    }
    if (!DeleteQuietly(path)) {
        Report(host, "Unable to delete file %s", {path});
        return false;
    }
    if (log != nullptr) {
        log->FileDeleted(path);
    }
    return true;
}

bool MoveFile(const std::string& from, const std::string& to, OperationHost& host, OperationLog* log) {
    if (SamePath(from, to)) {
        return true;
    }
    DWORD attributes = ::GetFileAttributesA(from.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        Report(host, "%s not found", {from});
        return false;
    }
    if (!DeleteFile(to, host, log) || !CreateDirectory(DirectoryOf(to), host, log)) {
        return false;
    }
    if (!RenameOrCopy(from, to)) {
        Report(host, "Unable to rename file from %s to %s", {from, to});
        return false;
    }
    if (log != nullptr) {
        log->FileMoved(from, to);
    }
    return true;
}

bool CopyFile(const std::string& from, const std::string& to, OperationHost& host, OperationLog* log) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExA(from.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || data.nFileSizeHigh != 0) {
        Report(host, "%s not found", {from});
        return false;
    }
    InstallJob job;
    job.source.onMedia = false;
    job.source.container = FullPath(from);
    job.source.packedLength = data.nFileSizeLow;
    job.destination = to;
    job.bufferKb = maxBufferKb;
    InstallFile(job, host, log);
    return job.state == InstallInstalled;
}

bool SetAttributes(const std::string& path, uint32_t attributes, OperationHost& host, OperationLog* log) {
    DWORD old = ::GetFileAttributesA(path.c_str());
    if (old == INVALID_FILE_ATTRIBUTES) {
        Report(host, "Unable to get the file attributes of %s", {path});
        return false;
    }
    if (old == attributes) {
        return true;
    }
    if (!::SetFileAttributesA(path.c_str(), attributes)) {
        Report(host, "Unable to set the file attributes of %s", {path});
        return false;
    }
    if (log != nullptr) {
        log->AttributesChanged(path, old, attributes);
    }
    return true;
}

bool CheckFreeSpace(const std::string& drive, uint32_t needed, OperationHost& host) {
    std::string root = DriveRoot(drive).empty() ? drive : DriveRoot(drive);
    ULARGE_INTEGER available;
    if (!host.Environment().freeSpace(root.c_str(), &available, nullptr, nullptr)) {
        Report(host, "Unable to get the free space of drive %s", {drive});
        return false;
    }
    uint64_t units = available.QuadPart / 10240;
    if (units >= needed) {
        return true;
    }
    Report(host, host.Message(messageNotEnoughSpace),
           {std::to_string(uint64_t{needed} * 10), std::to_string(units * 10)});
    return false;
}

bool IsInUse(const std::string& path) {
    if (!PathExists(path)) {
        return false;
    }
    // Wine's version-file search never reports a file in use; a refused
    // exclusive open does, there and on Windows.
    return VersionSearchSaysInUse(path) || ExclusiveOpenRefused(path);
}

}  // namespace gvmain
