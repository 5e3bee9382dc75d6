// The registry operations of an installation and of its undo. A key is a
// root number and a path (RegistryKey, as the log keeps it); messages name
// it with the root's long name. Each operation reports its own failure
// through the host and logs only after a change succeeded; a null log
// records nothing.
#pragma once

#include "gvmain/format/operation_log.h"
#include "gvmain/ops/operation_host.h"
#include "gvmain/ops/undo_actions.h"
#include "gvmain/ops/win32_handles.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace gvmain {

enum RegistryRoot : int32_t {
    RootLocalMachine = 0,
    RootClassesRoot = 1,
    RootCurrentUser = 2,
    RootUsers = 3,
    RootCurrentConfig = 4,
};

// "HKLM" ... "HKCF", or "HKEY_LOCAL_MACHINE" ...; nullptr for an unknown root.
const char* RegistryRootName(int32_t root, bool longName);
// The key as messages name it: "%s\%s" with the root's long name, or
// "Unknown" in its place for an unknown root.
std::string RegistryKeyLongText(const RegistryKey& key);
// Reads "HKLM\Software\X" or "HKEY_LOCAL_MACHINE\Software\X" (roots in any
// letter case). False, with the reason in `error`, for an unknown root.
bool ParseRegistryKey(const std::string& text, RegistryKey& key, std::string& error);

struct RegistryValue {
    uint32_t type = REG_NONE;
    std::vector<uint8_t> data;
};

// Creates the key and each missing parent, logging kind 16 for every key
// made, parents first. An existing key is success.
bool CreateKey(const RegistryKey& key, OperationHost& host, OperationLog* log);
// Deletes the subkeys (recursively), then the values (each logged as kind
// 20 with its data), then the key (kind 17). A missing key is success; a
// root itself is never deleted.
bool DeleteKey(const RegistryKey& key, OperationHost& host, OperationLog* log);
// Creates a missing key first; logs kind 18 for a new value, else kind 19
// with the old type and data.
bool SetValue(const RegistryKey& key, const std::string& name, const RegistryValue& value,
              OperationHost& host, OperationLog* log);
// Logs kind 20 with the old data. A missing value (or key) is success.
bool DeleteValue(const RegistryKey& key, const std::string& name, OperationHost& host, OperationLog* log);
// Opens for reading; an invalid key after the report.
ScopedKey OpenKey(const RegistryKey& key, OperationHost& host);
// A value as text, without a report: a string as it is, a dword in decimal.
// False for a missing key or value and for other types.
bool ReadValueText(const RegistryKey& key, const std::string& name, std::string& text);

// The undo of kind 16: a key that still holds subkeys or values goes only
// when the user agrees (message 149, caption 150).
bool RemoveCreatedKey(const RegistryKey& key, OperationHost& host);

}  // namespace gvmain
