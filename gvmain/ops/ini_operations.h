// The INI operations of an installation and of its undo. An entry is
// addressed by file, section, name and occurrence (ini_text.h); the engine
// reads and writes the text itself and saves a file atomically. Each
// operation reports its own failure through the host and logs only after
// the change was saved; a null log records nothing (undoing).
//
// A file named without a directory lies in the Windows directory, as for
// the platform's profile functions. A file the engine cannot rewrite
// without loss (NUL bytes, over-long lines, UTF-16, a huge file) and names
// or values that would not read back the same fail the operation and leave
// the file as it was. On Windows NT a mapped file's entries are registry
// values (ini_file_mapping.h).
#pragma once

#include "gvmain/format/operation_log.h"
#include "gvmain/ops/operation_host.h"

#include <cstdint>
#include <optional>
#include <string>

namespace gvmain {

// Sets the first occurrence, or adds the entry. Logs kind 4 for a new file,
// kind 10 for a new section, then kind 7 (occurrence 0) for a new entry or
// kind 9 with the old value.
bool SetIniEntry(const std::string& file, const std::string& section, const std::string& entry,
                 const std::string& value, OperationHost& host, OperationLog* log);
// Inserts before `occurrence`, clamped to the occurrences present (a large
// number adds right after the last). Kinds 4 and 10 as above, then kind 7
// with the occurrence taken.
bool InsertIniEntry(const std::string& file, const std::string& section, const std::string& entry,
                    const std::string& value, int32_t occurrence, OperationHost& host, OperationLog* log);
// Replaces that occurrence, which must exist; kind 9 with the old value.
bool SetIniEntryAt(const std::string& file, const std::string& section, const std::string& entry,
                   const std::string& value, int32_t occurrence, OperationHost& host, OperationLog* log);
// A missing entry is success; kind 8 with the old value.
bool DeleteIniEntry(const std::string& file, const std::string& section, const std::string& entry,
                    int32_t occurrence, OperationHost& host, OperationLog* log);
// An existing section is success; kind 4 for a new file, then kind 10.
bool AddIniSection(const std::string& file, const std::string& section, OperationHost& host,
                   OperationLog* log);
// A missing section is success. Each entry is logged as deleted (kind 8,
// from the last to the first), then the section (kind 11), so that an undo
// brings the entries back with it.
bool DeleteIniSection(const std::string& file, const std::string& section, OperationHost& host,
                      OperationLog* log);
// The value of the entry's first occurrence; nothing for a missing entry or
// a file that cannot be read.
std::optional<std::string> ReadIniEntry(const std::string& file, const std::string& section,
                                        const std::string& entry, OperationHost& host);
// Whether the section holds any entry; false when the file cannot be read.
bool IniSectionHoldsEntries(const std::string& file, const std::string& section, OperationHost& host);

}  // namespace gvmain
