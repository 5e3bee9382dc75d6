#include "gvmain/ops/registry_operations.h"

#include "gvmain/ops/message_text.h"

#include <cstring>
#include <iterator>

namespace gvmain {
namespace {

struct RootNames {
    const char* shortName;
    const char* longName;
    HKEY handle;
};

const RootNames roots[] = {
    {"HKLM", "HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},   {"HKCR", "HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
    {"HKCU", "HKEY_CURRENT_USER", HKEY_CURRENT_USER},     {"HKUS", "HKEY_USERS", HKEY_USERS},
    {"HKCF", "HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG},
};

constexpr size_t maxKeyPath = 259;
constexpr int messageRemoveFullKey = 149;
constexpr int captionRemoveFullKey = 150;

HKEY RootHandle(int32_t root) {
    return root >= 0 && root < static_cast<int32_t>(std::size(roots)) ? roots[root].handle : nullptr;
}

void Report(OperationHost& host, const char* format, const RegistryKey& key) {
    host.ReportError(FormatText(format, {RegistryKeyLongText(key)}));
}

// Opens an existing key; ERROR_FILE_NOT_FOUND tells a missing one.
LONG Open(const RegistryKey& key, REGSAM access, ScopedKey& opened) {
    HKEY root = RootHandle(key.root);
    if (root == nullptr || key.path.size() > maxKeyPath) {
        return ERROR_INVALID_PARAMETER;
    }
    HKEY handle = nullptr;
    LONG result = ::RegOpenKeyExA(root, key.path.c_str(), 0, access, &handle);
    opened.Reset(result == ERROR_SUCCESS ? handle : nullptr);
    return result;
}

// The text of a string or dword value's data.
bool ValueText(DWORD type, const std::vector<uint8_t>& data, std::string& text) {
    if (type == REG_DWORD && data.size() == sizeof(DWORD)) {
        DWORD number = 0;
        std::memcpy(&number, data.data(), sizeof number);
        text = std::to_string(number);
        return true;
    }
    if (type != REG_SZ && type != REG_EXPAND_SZ) {
        return false;
    }
    text.assign(data.begin(), data.end());
    text.resize(std::strlen(text.c_str()));  // up to the first zero, which a value may lack
    return true;
}

RegistryKey Parent(const RegistryKey& key) {
    size_t separator = key.path.find_last_of('\\');
    return {separator == std::string::npos ? std::string() : key.path.substr(0, separator), key.root};
}

RegistryKey Child(const RegistryKey& key, const std::string& name) {
    return {key.path.empty() ? name : key.path + "\\" + name, key.root};
}

RegistryKey Trimmed(RegistryKey key) {
    while (!key.path.empty() && key.path.back() == '\\') {
        key.path.pop_back();
    }
    return key;
}

// The value's type and data; false when it does not exist.
bool ReadValue(HKEY key, const std::string& name, RegistryValue& value) {
    DWORD type = 0;
    DWORD size = 0;
    if (::RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
        return false;
    }
    value.type = type;
    value.data.assign(size, 0);
    if (size == 0) {
        return true;
    }
    LONG result = ::RegQueryValueExA(key, name.c_str(), nullptr, &type, value.data.data(), &size);
    value.data.resize(size);
    return result == ERROR_SUCCESS;
}

bool WriteValue(HKEY key, const std::string& name, const RegistryValue& value) {
    return ::RegSetValueExA(key, name.c_str(), 0, value.type, value.data.data(),
                            static_cast<DWORD>(value.data.size())) == ERROR_SUCCESS;
}

// Names are gathered before anything is deleted: deleting while
// enumerating shifts the indexes.
std::vector<std::string> SubkeyNames(HKEY key) {
    std::vector<std::string> names;
    char name[MAX_PATH + 1];
    for (DWORD index = 0;; ++index) {
        DWORD length = sizeof name;
        if (::RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
            return names;
        }
        names.emplace_back(name, length);
    }
}

std::vector<std::string> ValueNames(HKEY key) {
    std::vector<std::string> names;
    DWORD longest = 0;
    if (::RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &longest,
                           nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
        return names;
    }
    std::vector<char> name(longest + 2);
    for (DWORD index = 0;; ++index) {
        DWORD length = static_cast<DWORD>(name.size());
        if (::RegEnumValueA(key, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            return names;
        }
        names.emplace_back(name.data(), length);
    }
}

bool DeleteValues(const RegistryKey& key, HKEY opened, OperationLog* log) {
    for (const std::string& name : ValueNames(opened)) {
        RegistryValue old;
        if (!ReadValue(opened, name, old) || ::RegDeleteValueA(opened, name.c_str()) != ERROR_SUCCESS) {
            return false;
        }
        if (log != nullptr) {
            log->RegValueDeleted(key, name, old.type, old.data);
        }
    }
    return true;
}

bool KeyHoldsAnything(const RegistryKey& key) {
    ScopedKey opened;
    DWORD subkeys = 0;
    DWORD values = 0;
    return Open(key, KEY_READ, opened) == ERROR_SUCCESS &&
           ::RegQueryInfoKeyA(opened.Get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
                              nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
           subkeys + values > 0;
}

}  // namespace

const char* RegistryRootName(int32_t root, bool longName) {
    if (RootHandle(root) == nullptr) {
        return nullptr;
    }
    return longName ? roots[root].longName : roots[root].shortName;
}

std::string RegistryKeyLongText(const RegistryKey& key) {
    const char* root = RegistryRootName(key.root, true);
    return FormatText("%s\\%s", {root == nullptr ? "Unknown" : root, key.path});
}

bool ParseRegistryKey(const std::string& text, RegistryKey& key, std::string& error) {
    size_t separator = text.find('\\');
    std::string root = text.substr(0, separator);
    for (int32_t number = 0; number < static_cast<int32_t>(std::size(roots)); ++number) {
        if (::lstrcmpiA(root.c_str(), roots[number].shortName) == 0 ||
            ::lstrcmpiA(root.c_str(), roots[number].longName) == 0) {
            key.root = number;
            key.path = separator == std::string::npos ? std::string() : text.substr(separator + 1);
            return true;
        }
    }
    error = FormatText("Unknown registry root %s in %s", {root, text});
    return false;
}

bool CreateKey(const RegistryKey& key, OperationHost& host, OperationLog* log) {
    RegistryKey wanted = Trimmed(key);
    ScopedKey opened;
    LONG result = Open(wanted, KEY_READ, opened);
    if (result == ERROR_SUCCESS) {
        return true;
    }
    if (result != ERROR_FILE_NOT_FOUND || wanted.path.empty() || !CreateKey(Parent(wanted), host, log)) {
        Report(host, "Unable to create registration key %s", wanted);
        return false;
    }
    HKEY handle = nullptr;
    DWORD disposition = 0;
    if (::RegCreateKeyExA(RootHandle(wanted.root), wanted.path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_READ, nullptr, &handle, &disposition) != ERROR_SUCCESS) {
        Report(host, "Unable to create registration key %s", wanted);
        return false;
    }
    opened.Reset(handle);
    if (disposition == REG_CREATED_NEW_KEY && log != nullptr) {
        log->RegKeyCreated(wanted);
    }
    return true;
}

bool DeleteKey(const RegistryKey& key, OperationHost& host, OperationLog* log) {
    RegistryKey doomed = Trimmed(key);
    ScopedKey opened;
    LONG result = doomed.path.empty() ? ERROR_ACCESS_DENIED : Open(doomed, KEY_ALL_ACCESS, opened);
    if (result == ERROR_FILE_NOT_FOUND) {
        return true;
    }
    if (result != ERROR_SUCCESS) {
        Report(host, "Unable to delete registration key %s", doomed);
        return false;
    }
    for (const std::string& name : SubkeyNames(opened.Get())) {
        if (!DeleteKey(Child(doomed, name), host, log)) {
            return false;
        }
    }
    if (!DeleteValues(doomed, opened.Get(), log)) {
        Report(host, "Unable to delete registration key %s", doomed);
        return false;
    }
    opened.Reset();
    if (::RegDeleteKeyA(RootHandle(doomed.root), doomed.path.c_str()) != ERROR_SUCCESS) {
        Report(host, "Unable to delete registration key %s", doomed);
        return false;
    }
    if (log != nullptr) {
        log->RegKeyDeleted(doomed);
    }
    return true;
}

bool SetValue(const RegistryKey& key, const std::string& name, const RegistryValue& value,
              OperationHost& host, OperationLog* log) {
    if (!CreateKey(key, host, log)) {
        return false;
    }
    ScopedKey opened;
    RegistryValue old;
    if (Open(Trimmed(key), KEY_QUERY_VALUE | KEY_SET_VALUE, opened) != ERROR_SUCCESS) {
        Report(host, "Unable to set or create registration key %s", key);
        return false;
    }
    bool existed = ReadValue(opened.Get(), name, old);
    if (!WriteValue(opened.Get(), name, value)) {
        Report(host, "Unable to set or create registration key %s", key);
        return false;
    }
    if (log != nullptr) {
        existed ? log->RegValueChanged(Trimmed(key), name, old.type, old.data)
                : log->RegValueCreated(Trimmed(key), name);
    }
    return true;
}

bool DeleteValue(const RegistryKey& key, const std::string& name, OperationHost& host, OperationLog* log) {
    ScopedKey opened;
    LONG result = Open(Trimmed(key), KEY_QUERY_VALUE | KEY_SET_VALUE, opened);
    RegistryValue old;
    if (result == ERROR_FILE_NOT_FOUND || (result == ERROR_SUCCESS && !ReadValue(opened.Get(), name, old))) {
        return true;
    }
    if (result != ERROR_SUCCESS || ::RegDeleteValueA(opened.Get(), name.c_str()) != ERROR_SUCCESS) {
        Report(host, "Unable to set or create registration key %s", key);
        return false;
    }
    if (log != nullptr) {
        log->RegValueDeleted(Trimmed(key), name, old.type, old.data);
    }
    return true;
}

ScopedKey OpenKey(const RegistryKey& key, OperationHost& host) {
    ScopedKey opened;
    if (Open(Trimmed(key), KEY_READ, opened) != ERROR_SUCCESS) {
        Report(host, "Unable to open registration key %s", key);
    }
    return opened;
}

bool RemoveCreatedKey(const RegistryKey& key, OperationHost& host) {
    if (KeyHoldsAnything(Trimmed(key))) {
        Question question{FormatText(host.Message(messageRemoveFullKey), {RegistryKeyLongText(key)}),
                          host.Message(captionRemoveFullKey),
                          Buttons::YesNo,
                          {}};
        if (host.Ask(question) != firstButton) {
            return false;
        }
    }
    return DeleteKey(key, host, nullptr);
}

bool ReadValueText(const RegistryKey& key, const std::string& name, std::string& text) {
    ScopedKey opened;
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (Open(key, KEY_QUERY_VALUE, opened) != ERROR_SUCCESS ||
        ::RegQueryValueExA(opened.Get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
        return false;
    }
    std::vector<uint8_t> data(size);
    if (size > 0 && ::RegQueryValueExA(opened.Get(), name.c_str(), nullptr, &type, data.data(), &size) !=
                        ERROR_SUCCESS) {
        return false;
    }
    data.resize(size);
    return ValueText(type, data, text);
}

}  // namespace gvmain
