#include "gvmain/ops/ini_file_mapping.h"

#include "gvmain/ops/file_names.h"
#include "gvmain/ops/win32_handles.h"

#include <algorithm>

namespace gvmain {
namespace {

constexpr char mappingRoot[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\IniFileMapping\\";

ScopedKey OpenKey(HKEY root, const std::string& path, REGSAM access) {
    HKEY opened = nullptr;
    if (::RegOpenKeyExA(root, path.c_str(), 0, access, &opened) != ERROR_SUCCESS) {
        return ScopedKey();
    }
    return ScopedKey(opened);
}

std::optional<std::string> ReadText(HKEY key, const std::string& name) {
    DWORD type = 0;
    DWORD size = 0;
    if (::RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return std::nullopt;
    }
    std::string text(size, '\0');
    if (size > 0 && ::RegQueryValueExA(key, name.c_str(), nullptr, &type,
                                       reinterpret_cast<BYTE*>(text.data()), &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    text.resize(std::min<size_t>(size, text.size()));
    while (!text.empty() && text.back() == '\0') {
        text.pop_back();
    }
    return text;
}

std::optional<IniMapping> ParseTarget(const std::string& target) {
    std::string text = target.size() > 0 && target[0] == '#' ? target.substr(1) : target;
    std::string prefix = text.substr(0, 4);
    if (EqualsIgnoringCase(prefix, "USR:")) {
        return IniMapping{HKEY_CURRENT_USER, text.substr(4)};
    }
    if (EqualsIgnoringCase(prefix, "SYS:")) {
        return IniMapping{HKEY_LOCAL_MACHINE, text.substr(4)};
    }
    return std::nullopt;
}

}  // namespace

std::optional<IniMapping> FindIniMapping(const std::string& file, const std::string& section,
                                         const std::string& entry, const OperationEnvironment& environment) {
    if (!environment.windowsNt || !EqualsIgnoringCase(DirectoryOf(file), environment.windowsDirectory)) {
        return std::nullopt;
    }
    ScopedKey key =
        OpenKey(HKEY_LOCAL_MACHINE, mappingRoot + FileNameOf(file) + "\\" + section, KEY_QUERY_VALUE);
    if (!key.Valid()) {
        return std::nullopt;
    }
    std::optional<std::string> target = entry.empty() ? std::nullopt : ReadText(key.Get(), entry);
    if (!target) {
        target = ReadText(key.Get(), "");
    }
    return target ? ParseTarget(*target) : std::nullopt;
}

std::optional<std::string> ReadMappedEntry(const IniMapping& mapping, const std::string& entry) {
    ScopedKey key = OpenKey(mapping.root, mapping.keyPath, KEY_QUERY_VALUE);
    return key.Valid() ? ReadText(key.Get(), entry) : std::nullopt;
}

bool WriteMappedEntry(const IniMapping& mapping, const std::string& entry, const std::string& value) {
    HKEY created = nullptr;
    if (::RegCreateKeyExA(mapping.root, mapping.keyPath.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                          &created, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    ScopedKey key(created);
    return ::RegSetValueExA(key.Get(), entry.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                            static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

bool DeleteMappedEntry(const IniMapping& mapping, const std::string& entry) {
    ScopedKey key = OpenKey(mapping.root, mapping.keyPath, KEY_SET_VALUE);
    return key.Valid() && ::RegDeleteValueA(key.Get(), entry.c_str()) == ERROR_SUCCESS;
}

std::vector<IniEntry> MappedEntries(const IniMapping& mapping) {
    std::vector<IniEntry> entries;
    ScopedKey key = OpenKey(mapping.root, mapping.keyPath, KEY_QUERY_VALUE);
    char name[16384];
    for (DWORD index = 0; key.Valid(); ++index) {
        DWORD length = sizeof name;
        if (::RegEnumValueA(key.Get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            break;
        }
        std::string entry(name, length);
        if (std::optional<std::string> value = ReadText(key.Get(), entry); value && !entry.empty()) {
            entries.push_back({entry, *value});
        }
    }
    return entries;
}

}  // namespace gvmain
