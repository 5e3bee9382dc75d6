#include "gvmain/ops/ini_operations.h"

#include "gvmain/format/ini_text.h"
#include "gvmain/ops/file_names.h"
#include "gvmain/ops/file_operations.h"
#include "gvmain/ops/ini_file_mapping.h"
#include "gvmain/ops/message_text.h"
#include "gvmain/ops/text_file.h"

#include <optional>
#include <vector>

namespace gvmain {
namespace {

constexpr char setEntryFailed[] = "Unable to set INI entry %s in file %s";
constexpr char insertEntryFailed[] = "Unable to insert INI entry %s";
constexpr char setEntryAtFailed[] = "Unable to set INI entry %s";
constexpr char deleteEntryFailed[] = "Unable to del INI entry %s";
constexpr char addSectionFailed[] = "Unable to add INI section %s in file %s";
constexpr char deleteSectionFailed[] = "Unable to del INI section %s in file %s";

bool Fail(OperationHost& host, const char* format, const std::vector<std::string>& args) {
    host.ReportError(FormatText(format, args));
    return false;
}

std::string IniPath(const std::string& file, const OperationEnvironment& environment) {
    return DirectoryOf(file).empty() ? JoinPath(environment.windowsDirectory, file) : file;
}

bool Writable(const std::string& section, const std::string& entry, const std::string& value) {
    return IsWritableSection(section) && IsWritableEntry(entry) && IsWritableValue(value);
}

// One INI file on its way through an operation: read, changed in memory,
// saved in one step, then logged.
class IniDocument {
public:
    explicit IniDocument(std::string path) : path_(std::move(path)) {}

    // False when the file exists but cannot be read or rewritten safely; a
    // missing file is empty text.
    // The platform's profile functions cache INI files: what they still
    // hold goes to the disk before the engine reads the file, and what they
    // hold is dropped after the engine wrote it, so neither overwrites the
    // other.
    bool Load() {
        FlushProfileCache();
        FileRead read = ReadWholeFile(path_, maxTextFileSize, original_);
        existed_ = read == FileRead::Read;
        return read != FileRead::Failed && text.Parse(original_) == TextError::None;
    }
    bool Save(OperationHost& host) const {
        std::string bytes = text.Bytes();
        if (existed_ && bytes == original_) {
            return true;
        }
        bool saved = SaveFileAtomically(path_, bytes, "tmp", host.Environment());
        FlushProfileCache();
        return saved;
    }
    bool Existed() const { return existed_; }
    const std::string& Path() const { return path_; }

    IniText text;

private:
    void FlushProfileCache() const { ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, path_.c_str()); }

    std::string path_;
    std::string original_;
    bool existed_ = false;
};

// Creates the directory, loads the file and notes what is there before an
// entry or section is added.
struct AddingTo {
    bool Prepare(const std::string& section, OperationHost& host, OperationLog* log) {
        if (!CreateDirectory(DirectoryOf(document.Path()), host, log) || !document.Load()) {
            return false;
        }
        sectionExisted = document.text.HasSection(section);
        return true;
    }
    void LogNewFileAndSection(const std::string& section, OperationLog* log) const {
        if (log != nullptr && !document.Existed()) {
            log->FileCreated(document.Path());
        }
        if (log != nullptr && !sectionExisted) {
            log->IniSectionAdded(document.Path(), section);
        }
    }

    IniDocument document;
    bool sectionExisted = false;
};

// A mapped entry occurs once: setting it adds or changes the registry value.
bool SetMapped(const IniMapping& mapping, const std::string& path, const std::string& section,
               const std::string& entry, const std::string& value, OperationLog* log) {
    std::optional<std::string> old = ReadMappedEntry(mapping, entry);
    if (!WriteMappedEntry(mapping, entry, value)) {
        return false;
    }
    if (log != nullptr && old) {
        log->IniEntryChanged(path, section, entry, *old, 0);
    } else if (log != nullptr) {
        log->IniEntryAdded(path, section, entry, 0);
    }
    return true;
}

bool DeleteMappedSection(const IniMapping& mapping, const std::string& path, const std::string& section,
                         OperationLog* log) {
    std::vector<IniEntry> entries = MappedEntries(mapping);
    for (const IniEntry& entry : entries) {
        if (!DeleteMappedEntry(mapping, entry.name)) {
            return false;
        }
        if (log != nullptr) {
            log->IniEntryDeleted(path, section, entry.name, entry.value, 0);
        }
    }
    if (log != nullptr && !entries.empty()) {
        log->IniSectionDeleted(path, section);
    }
    return true;
}

// Each entry with its occurrence among the entries of its name.
std::vector<std::pair<IniEntry, int32_t>> WithOccurrences(const std::vector<IniEntry>& entries) {
    std::vector<std::pair<IniEntry, int32_t>> numbered;
    for (const IniEntry& entry : entries) {
        int32_t occurrence = 0;
        for (const auto& earlier : numbered) {
            occurrence += EqualsIgnoringCase(earlier.first.name, entry.name) ? 1 : 0;
        }
        numbered.emplace_back(entry, occurrence);
    }
    return numbered;
}

}  // namespace

bool SetIniEntry(const std::string& file, const std::string& section, const std::string& entry,
                 const std::string& value, OperationHost& host, OperationLog* log) {
    std::string path = IniPath(file, host.Environment());
    if (!Writable(section, entry, value)) {
        return Fail(host, setEntryFailed, {entry, path});
    }
    if (std::optional<IniMapping> mapping = FindIniMapping(path, section, entry, host.Environment())) {
        return SetMapped(*mapping, path, section, entry, value, log) ||
               Fail(host, setEntryFailed, {entry, path});
    }
    AddingTo adding{IniDocument(path)};
    if (!adding.Prepare(section, host, log)) {
        return Fail(host, setEntryFailed, {entry, path});
    }
    IniText& text = adding.document.text;
    std::optional<std::string> old = text.Value(section, entry, 0);
    if (old) {
        text.SetEntry(section, entry, value, 0);
    } else {
        text.InsertEntry(section, entry, value, 0);
    }
    if (!adding.document.Save(host)) {
        return Fail(host, setEntryFailed, {entry, path});
    }
    adding.LogNewFileAndSection(section, log);
    if (log != nullptr && old) {
        log->IniEntryChanged(path, section, entry, *old, 0);
    } else if (log != nullptr) {
        log->IniEntryAdded(path, section, entry, 0);
    }
    return true;
}

bool InsertIniEntry(const std::string& file, const std::string& section, const std::string& entry,
                    const std::string& value, int32_t occurrence, OperationHost& host, OperationLog* log) {
    std::string path = IniPath(file, host.Environment());
    if (!Writable(section, entry, value)) {
        return Fail(host, insertEntryFailed, {entry});
    }
    if (std::optional<IniMapping> mapping = FindIniMapping(path, section, entry, host.Environment())) {
        return SetMapped(*mapping, path, section, entry, value, log) ||
               Fail(host, insertEntryFailed, {entry});
    }
    AddingTo adding{IniDocument(path)};
    if (!adding.Prepare(section, host, log)) {
        return Fail(host, insertEntryFailed, {entry});
    }
    int32_t taken = adding.document.text.InsertEntry(section, entry, value, occurrence);
    if (!adding.document.Save(host)) {
        return Fail(host, insertEntryFailed, {entry});
    }
    adding.LogNewFileAndSection(section, log);
    if (log != nullptr) {
        log->IniEntryAdded(path, section, entry, taken);
    }
    return true;
}

bool SetIniEntryAt(const std::string& file, const std::string& section, const std::string& entry,
                   const std::string& value, int32_t occurrence, OperationHost& host, OperationLog* log) {
    std::string path = IniPath(file, host.Environment());
    if (!Writable(section, entry, value)) {
        return Fail(host, setEntryAtFailed, {entry});
    }
    if (std::optional<IniMapping> mapping = FindIniMapping(path, section, entry, host.Environment())) {
        bool present = occurrence == 0 && ReadMappedEntry(*mapping, entry);
        return (present && SetMapped(*mapping, path, section, entry, value, log)) ||
               Fail(host, setEntryAtFailed, {entry});
    }
    IniDocument document(path);
    std::optional<std::string> old =
        document.Load() ? document.text.Value(section, entry, occurrence) : std::nullopt;
    if (!old || !document.text.SetEntry(section, entry, value, occurrence) || !document.Save(host)) {
        return Fail(host, setEntryAtFailed, {entry});
    }
    if (log != nullptr) {
        log->IniEntryChanged(path, section, entry, *old, occurrence);
    }
    return true;
}

bool DeleteIniEntry(const std::string& file, const std::string& section, const std::string& entry,
                    int32_t occurrence, OperationHost& host, OperationLog* log) {
    std::string path = IniPath(file, host.Environment());
    if (std::optional<IniMapping> mapping = FindIniMapping(path, section, entry, host.Environment())) {
        std::optional<std::string> old = occurrence == 0 ? ReadMappedEntry(*mapping, entry) : std::nullopt;
        if (old && !DeleteMappedEntry(*mapping, entry)) {
            return Fail(host, deleteEntryFailed, {entry});
        }
        if (old && log != nullptr) {
            log->IniEntryDeleted(path, section, entry, *old, 0);
        }
        return true;
    }
    IniDocument document(path);
    if (!document.Load()) {
        return Fail(host, deleteEntryFailed, {entry});
    }
    std::optional<std::string> old = document.text.Value(section, entry, occurrence);
    if (!old) {
        return true;
    }
    document.text.DeleteEntry(section, entry, occurrence);
    if (!document.Save(host)) {
        return Fail(host, deleteEntryFailed, {entry});
    }
    if (log != nullptr) {
        log->IniEntryDeleted(path, section, entry, *old, occurrence);
    }
    return true;
}

// A mapped section's key is made with its first entry: nothing to add here.
bool AddIniSection(const std::string& file, const std::string& section, OperationHost& host,
                   OperationLog* log) {
    std::string path = IniPath(file, host.Environment());
    if (!IsWritableSection(section)) {
        return Fail(host, addSectionFailed, {section, path});
    }
    if (FindIniMapping(path, section, "", host.Environment())) {
        return true;
    }
    AddingTo adding{IniDocument(path)};
    if (!adding.Prepare(section, host, log)) {
        return Fail(host, addSectionFailed, {section, path});
    }
    if (adding.sectionExisted) {
        return true;
    }
    adding.document.text.AddSection(section);
    if (!adding.document.Save(host)) {
        return Fail(host, addSectionFailed, {section, path});
    }
    adding.LogNewFileAndSection(section, log);
    return true;
}

bool DeleteIniSection(const std::string& file, const std::string& section, OperationHost& host,
                      OperationLog* log) {
    std::string path = IniPath(file, host.Environment());
    if (std::optional<IniMapping> mapping = FindIniMapping(path, section, "", host.Environment())) {
        return DeleteMappedSection(*mapping, path, section, log) ||
               Fail(host, deleteSectionFailed, {section, path});
    }
    IniDocument document(path);
    if (!document.Load()) {
        return Fail(host, deleteSectionFailed, {section, path});
    }
    std::vector<IniEntry> entries = document.text.Entries(section);
    if (!document.text.DeleteSection(section)) {
        return true;
    }
    if (!document.Save(host)) {
        return Fail(host, deleteSectionFailed, {section, path});
    }
    if (log != nullptr) {
        std::vector<std::pair<IniEntry, int32_t>> numbered = WithOccurrences(entries);
        for (auto at = numbered.rbegin(); at != numbered.rend(); ++at) {
            log->IniEntryDeleted(path, section, at->first.name, at->first.value, at->second);
        }
        log->IniSectionDeleted(path, section);
    }
    return true;
}

bool IniSectionHoldsEntries(const std::string& file, const std::string& section, OperationHost& host) {
    std::string path = IniPath(file, host.Environment());
    if (std::optional<IniMapping> mapping = FindIniMapping(path, section, "", host.Environment())) {
        return !MappedEntries(*mapping).empty();
    }
    IniDocument document(path);
    return document.Load() && !document.text.Entries(section).empty();
}

std::optional<std::string> ReadIniEntry(const std::string& file, const std::string& section,
                                        const std::string& entry, OperationHost& host) {
    std::string path = IniPath(file, host.Environment());
    if (std::optional<IniMapping> mapping = FindIniMapping(path, section, entry, host.Environment())) {
        return ReadMappedEntry(*mapping, entry);
    }
    IniDocument document(path);
    if (!document.Load()) {
        return std::nullopt;
    }
    return document.text.Value(section, entry, 0);
}

}  // namespace gvmain
