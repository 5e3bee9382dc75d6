// The shared-file counts: a number per file under HKLM's SharedDLLs key,
// named by the file's full path, that tells how many installations use a
// file in the system or common-files directory.
#pragma once

#include "gvmain/ops/operation_environment.h"
#include "gvmain/ops/win32_handles.h"

#include <cstdint>
#include <string>

namespace gvmain {

// Whether the file lies in the system or the common-files directory (or
// beneath), the only places whose files are counted.
bool IsSharedLocation(const std::string& path, const OperationEnvironment& environment);

// The count, or false when there is none (or it is no 4-byte number).
bool ReadSharedCount(const std::string& path, uint32_t& count);
// The key of the counts opened for reading, invalid while there is none:
// for reading many counts through one handle.
ScopedKey OpenSharedCounts();
bool ReadSharedCount(HKEY counts, const std::string& path, uint32_t& count);
// Keeps an existing value's type (REG_DWORD or REG_BINARY); a new count is
// REG_BINARY of 4 bytes.
bool WriteSharedCount(const std::string& path, uint32_t count);
bool RemoveSharedCount(const std::string& path);

// Raises the count of an installed or kept file, if it lies in a shared
// location; true when nothing needed doing.
bool RaiseSharedCount(const std::string& path, const OperationEnvironment& environment);

}  // namespace gvmain
