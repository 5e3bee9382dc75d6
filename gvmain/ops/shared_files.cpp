#include "gvmain/ops/shared_files.h"

#include "gvmain/ops/file_names.h"
#include "gvmain/ops/win32_handles.h"

namespace gvmain {
namespace {

constexpr const char* sharedKeyPath = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";

ScopedKey OpenSharedKey(REGSAM access, bool create) {
    HKEY key = nullptr;
    LONG result = create ? ::RegCreateKeyExA(HKEY_LOCAL_MACHINE, sharedKeyPath, 0, nullptr, 0, access,
                                             nullptr, &key, nullptr)
                         : ::RegOpenKeyExA(HKEY_LOCAL_MACHINE, sharedKeyPath, 0, access, &key);
    return ScopedKey(result == ERROR_SUCCESS ? key : nullptr);
}

// The type of the existing value, or 0 when it is missing or not a count.
DWORD CountType(HKEY key, const std::string& path, uint32_t& count) {
    DWORD type = 0;
    DWORD size = sizeof count;
    if (::RegQueryValueExA(key, path.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&count), &size) !=
            ERROR_SUCCESS ||
        size != sizeof count || (type != REG_DWORD && type != REG_BINARY)) {
        return 0;
    }
    return type;
}

}  // namespace

bool IsSharedLocation(const std::string& path, const OperationEnvironment& environment) {
    return IsWithin(path, environment.systemDirectory) || IsWithin(path, environment.commonFilesDirectory);
}

bool ReadSharedCount(const std::string& path, uint32_t& count) {
    ScopedKey key = OpenSharedCounts();
    return key.Valid() && ReadSharedCount(key.Get(), path, count);
}

ScopedKey OpenSharedCounts() {
    return OpenSharedKey(KEY_QUERY_VALUE, false);
}

bool ReadSharedCount(HKEY counts, const std::string& path, uint32_t& count) {
    return CountType(counts, path, count) != 0;
}

bool WriteSharedCount(const std::string& path, uint32_t count) {
    ScopedKey key = OpenSharedKey(KEY_QUERY_VALUE | KEY_SET_VALUE, true);
    if (!key.Valid()) {
        return false;
    }
    uint32_t old = 0;
    DWORD type = CountType(key.Get(), path, old);
    return ::RegSetValueExA(key.Get(), path.c_str(), 0, type == 0 ? REG_BINARY : type,
                            reinterpret_cast<const BYTE*>(&count), sizeof count) == ERROR_SUCCESS;
}

bool RemoveSharedCount(const std::string& path) {
    ScopedKey key = OpenSharedKey(KEY_SET_VALUE, false);
    if (!key.Valid()) {
        return true;
    }
    LONG result = ::RegDeleteValueA(key.Get(), path.c_str());
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

bool RaiseSharedCount(const std::string& path, const OperationEnvironment& environment) {
    if (!IsSharedLocation(path, environment)) {
        return true;
    }
    uint32_t count = 0;
    if (!ReadSharedCount(path, count)) {
        count = 0;
    }
    return WriteSharedCount(path, count + 1);
}

}  // namespace gvmain
