// Windows NT keeps some INI files of the Windows directory in the registry:
// a section listed as the key "<root>\IniFileMapping\<file name>\<section>"
// under HKLM, with the root "SOFTWARE\Microsoft\Windows\CurrentVersion",
// names in the value of an entry's name or in its unnamed value the key
// that holds its entries: "USR:" or "#USR:" and a path under
// HKEY_CURRENT_USER, "SYS:" or "#SYS:" and a path under HKEY_LOCAL_MACHINE.
// The entries are values of type REG_SZ there, so a name occurs at most once.
#pragma once

#include "gvmain/format/ini_text.h"
#include "gvmain/ops/operation_environment.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace gvmain {

struct IniMapping {
    HKEY root = nullptr;
    std::string keyPath;
};

// Where `entry` of `section` lives, when the file is mapped; an empty entry
// asks for the section's own mapping (its unnamed value). Only on Windows NT
// and for files in the Windows directory.
std::optional<IniMapping> FindIniMapping(const std::string& file, const std::string& section,
                                         const std::string& entry, const OperationEnvironment& environment);

std::optional<std::string> ReadMappedEntry(const IniMapping& mapping, const std::string& entry);
// Creates the key when it is missing.
bool WriteMappedEntry(const IniMapping& mapping, const std::string& entry, const std::string& value);
bool DeleteMappedEntry(const IniMapping& mapping, const std::string& entry);
// The text values of the key, in the registry's order.
std::vector<IniEntry> MappedEntries(const IniMapping& mapping);

}  // namespace gvmain
