#include "gvmain/format/log_records.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

namespace gvmain {
namespace {

bool WriteKey(PortableStream& stream, const RegistryKey& key) {
    return stream.WriteString(key.path) && stream.WriteInt(key.root);
}

bool ReadKey(PortableStream& stream, RegistryKey& key) {
    return stream.ReadString(key.path) && stream.ReadInt(key.root);
}

bool WriteBytes(PortableStream& stream, const std::vector<uint8_t>& bytes) {
    return stream.WriteBlock(bytes.data(), bytes.size());
}

// The length comes from the file: it is checked against what is left before
// anything is allocated, so a corrupt length cannot ask for gigabytes.
bool ReadBytes(PortableStream& stream, size_t size, std::vector<uint8_t>& bytes) {
    if (size > stream.Remaining())
        return false;
    bytes.resize(size);
    return stream.ReadBlock(bytes.data(), size);
}

std::string Hex(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(value));
    return text;
}

}  // namespace

std::unique_ptr<LogRecord> MakeRecord(int32_t kind) {
    switch (kind) {
    case LogDirCreated: return std::make_unique<DirCreatedRecord>();
    case LogDirRemoved: return std::make_unique<DirRemovedRecord>();
    case LogFileMoved: return std::make_unique<FileMovedRecord>();
    case LogFileDeleted: return std::make_unique<FileDeletedRecord>();
    case LogFileCreated: return std::make_unique<FileCreatedRecord>();
    case LogFileLengthened: return std::make_unique<FileLengthenedRecord>();
    case LogAttributesChanged: return std::make_unique<AttributesChangedRecord>();
    case LogIniEntryAdded: return std::make_unique<IniEntryAddedRecord>();
    case LogIniEntryDeleted: return std::make_unique<IniEntryDeletedRecord>();
    case LogIniEntryChanged: return std::make_unique<IniEntryChangedRecord>();
    case LogIniSectionAdded: return std::make_unique<IniSectionAddedRecord>();
    case LogIniSectionDeleted: return std::make_unique<IniSectionDeletedRecord>();
    case LogGroupCreated: return std::make_unique<GroupCreatedRecord>();
    case LogItemCreated: return std::make_unique<ItemCreatedRecord>();
    case LogGroupDeleted: return std::make_unique<GroupDeletedRecord>();
    case LogItemDeleted: return std::make_unique<ItemDeletedRecord>();
    case LogRegKeyCreated: return std::make_unique<RegKeyCreatedRecord>();
    case LogRegKeyDeleted: return std::make_unique<RegKeyDeletedRecord>();
    case LogRegValueCreated: return std::make_unique<RegValueCreatedRecord>();
    case LogRegValueChanged: return std::make_unique<RegValueChangedRecord>();
    case LogRegValueDeleted: return std::make_unique<RegValueDeletedRecord>();
    case LogFontAdded: return std::make_unique<FontAddedRecord>();
    case LogUserData: return std::make_unique<UserDataRecord>();
    default: return nullptr;
    }
}

std::string LogRecord::Label(const MessageSource& messages) const {
    return messages(firstKindLabelMessage + Kind());
}

bool WriteRecord(PortableStream& stream, const LogRecord& record) {
    if (record.mode < 0 || record.mode > 2)
        return false;
    return stream.WriteInt(record.Kind()) && stream.WriteInt(record.mode) && record.WriteFields(stream);
}

std::unique_ptr<LogRecord> ReadRecord(PortableStream& stream) {
    int32_t kind = 0;
    if (!stream.ReadInt(kind))
        return nullptr;
    std::unique_ptr<LogRecord> record = MakeRecord(kind);
    if (!record || !stream.ReadInt(record->mode) || record->mode < 0 || record->mode > 2 ||
        !record->ReadFields(stream))
        return nullptr;
    if (!record->IsUndoable())
        record->state = UndoState::CannotUndo;
    else
        record->state = record->mode == 0 ? UndoState::Undo : UndoState::Keep;
    return record;
}

std::string RegistryKeyText(const RegistryKey& key) {
    static const char* const rootNames[] = {"HKLM", "HKCR", "HKCU", "HKUS", "HKCF"};
    if (key.root < 0 || key.root >= static_cast<int32_t>(std::size(rootNames)))
        return "Unknown";
    return std::string(rootNames[key.root]) + "\\" + key.path;
}

std::string FormatDetails(const std::vector<DetailLine>& lines) {
    size_t width = 0;
    for (const DetailLine& line : lines)
        width = std::max(width, line.label.size());
    std::string text;
    for (const DetailLine& line : lines) {
        if (!text.empty())
            text += "\r\n";
        text += line.label + std::string(width - line.label.size(), ' ') + ": " + line.value;
    }
    return text;
}

bool SwitchUndoState(LogRecord& record, UndoState choice) {
    auto isChoice = [](UndoState state) { return state == UndoState::Undo || state == UndoState::Keep; };
    if (!isChoice(record.state) || !isChoice(choice))
        return false;
    record.state = choice;
    return true;
}

// ---- Field shapes ----

bool PathRecord::WriteFields(PortableStream& stream) const {
    return stream.WriteString(path);
}
bool PathRecord::ReadFields(PortableStream& stream) {
    return stream.ReadString(path);
}
std::vector<DetailLine> PathRecord::Details() const {
    return {{"Path", path}};
}

bool GroupRecord::WriteFields(PortableStream& stream) const {
    return stream.WriteString(group);
}
bool GroupRecord::ReadFields(PortableStream& stream) {
    return stream.ReadString(group);
}
std::vector<DetailLine> GroupRecord::Details() const {
    return {{"Group", group}};
}

bool IniSectionRecord::WriteFields(PortableStream& stream) const {
    return stream.WriteString(file) && stream.WriteString(section);
}

bool IniSectionRecord::ReadFields(PortableStream& stream) {
    return stream.ReadString(file) && stream.ReadString(section);
}

std::vector<DetailLine> IniSectionRecord::Details() const {
    return {{"File", file}, {"Section", section}};
}

bool IniValueRecord::WriteFields(PortableStream& stream) const {
    return stream.WriteString(file) && stream.WriteString(section) && stream.WriteString(entry) &&
           stream.WriteString(oldValue) && stream.WriteInt(occurrence);
}

bool IniValueRecord::ReadFields(PortableStream& stream) {
    return stream.ReadString(file) && stream.ReadString(section) && stream.ReadString(entry) &&
           stream.ReadString(oldValue) && stream.ReadInt(occurrence);
}

std::vector<DetailLine> IniValueRecord::Details() const {
    return {{"File", file},
            {"Section", section},
            {"Entry", entry},
            {"Old value", oldValue},
            {"Occurrence", std::to_string(occurrence)}};
}

bool RegKeyRecord::WriteFields(PortableStream& stream) const {
    return WriteKey(stream, key);
}
bool RegKeyRecord::ReadFields(PortableStream& stream) {
    return ReadKey(stream, key);
}
std::vector<DetailLine> RegKeyRecord::Details() const {
    return {{"Key", RegistryKeyText(key)}};
}

bool RegValueDataRecord::WriteFields(PortableStream& stream) const {
    return WriteKey(stream, key) && stream.WriteString(valueName) && stream.WriteDword(type) &&
           stream.WriteDword(static_cast<uint32_t>(data.size())) && WriteBytes(stream, data);
}

bool RegValueDataRecord::ReadFields(PortableStream& stream) {
    uint32_t size = 0;
    return ReadKey(stream, key) && stream.ReadString(valueName) && stream.ReadDword(type) &&
           stream.ReadDword(size) && ReadBytes(stream, size, data);
}

std::vector<DetailLine> RegValueDataRecord::Details() const {
    return {{"Key", RegistryKeyText(key)},
            {"Value name", valueName},
            {"Type", std::to_string(type)},
            {"Size", std::to_string(data.size())}};
}

// ---- Kinds with fields of their own ----

bool FileMovedRecord::WriteFields(PortableStream& stream) const {
    return stream.WriteString(from) && stream.WriteString(to);
}

bool FileMovedRecord::ReadFields(PortableStream& stream) {
    return stream.ReadString(from) && stream.ReadString(to);
}
std::vector<DetailLine> FileMovedRecord::Details() const {
    return {{"From", from}, {"To", to}};
}

bool FileLengthenedRecord::WriteFields(PortableStream& stream) const {
    return stream.WriteString(path) && stream.WriteDword(formerLength);
}

bool FileLengthenedRecord::ReadFields(PortableStream& stream) {
    return stream.ReadString(path) && stream.ReadDword(formerLength);
}

std::vector<DetailLine> FileLengthenedRecord::Details() const {
    return {{"Path", path}, {"Former length", std::to_string(formerLength)}};
}

bool AttributesChangedRecord::WriteFields(PortableStream& stream) const {
    return stream.WriteString(path) && stream.WriteDword(oldAttributes) && stream.WriteDword(newAttributes);
}

bool AttributesChangedRecord::ReadFields(PortableStream& stream) {
    return stream.ReadString(path) && stream.ReadDword(oldAttributes) && stream.ReadDword(newAttributes);
}

std::vector<DetailLine> AttributesChangedRecord::Details() const {
    return {{"Path", path}, {"Old attributes", Hex(oldAttributes)}, {"New attributes", Hex(newAttributes)}};
}

bool IniEntryAddedRecord::WriteFields(PortableStream& stream) const {
    return stream.WriteString(file) && stream.WriteString(section) && stream.WriteString(entry) &&
           stream.WriteInt(occurrence);
}

bool IniEntryAddedRecord::ReadFields(PortableStream& stream) {
    return stream.ReadString(file) && stream.ReadString(section) && stream.ReadString(entry) &&
           stream.ReadInt(occurrence);
}

std::vector<DetailLine> IniEntryAddedRecord::Details() const {
    return {
        {"File", file}, {"Section", section}, {"Entry", entry}, {"Occurrence", std::to_string(occurrence)}};
}

bool ItemCreatedRecord::WriteFields(PortableStream& stream) const {
    return stream.WriteString(group) && stream.WriteString(item);
}

bool ItemCreatedRecord::ReadFields(PortableStream& stream) {
    return stream.ReadString(group) && stream.ReadString(item);
}

std::vector<DetailLine> ItemCreatedRecord::Details() const {
    return {{"Group", group}, {"Item", item}};
}

// The description is a fixed-size block: one of another size would shift
// every record after it.
bool ItemDeletedRecord::WriteFields(PortableStream& stream) const {
    return description.size() == programItemDescriptionSize && stream.WriteString(group) &&
           WriteBytes(stream, description);
}

bool ItemDeletedRecord::ReadFields(PortableStream& stream) {
    return stream.ReadString(group) && ReadBytes(stream, programItemDescriptionSize, description);
}

std::vector<DetailLine> ItemDeletedRecord::Details() const {
    return {{"Group", group}};
}

bool RegValueCreatedRecord::WriteFields(PortableStream& stream) const {
    return WriteKey(stream, key) && stream.WriteString(valueName);
}

bool RegValueCreatedRecord::ReadFields(PortableStream& stream) {
    return ReadKey(stream, key) && stream.ReadString(valueName);
}

std::vector<DetailLine> RegValueCreatedRecord::Details() const {
    return {{"Key", RegistryKeyText(key)}, {"Value name", valueName}};
}

bool UserDataRecord::WriteFields(PortableStream& stream) const {
    return stream.WriteInt(tag) && stream.WriteInt(static_cast<int32_t>(data.size())) &&
           WriteBytes(stream, data);
}

bool UserDataRecord::ReadFields(PortableStream& stream) {
    int32_t length = 0;
    return stream.ReadInt(tag) && stream.ReadInt(length) && length >= 0 &&
           ReadBytes(stream, static_cast<size_t>(length), data);
}

std::vector<DetailLine> UserDataRecord::Details() const {
    return {{"Tag", std::to_string(tag)}, {"Length", std::to_string(data.size())}};
}

// ---- Undo dispatch ----

bool DirCreatedRecord::Undo(UndoActions& actions) const {
    return actions.UndoDirCreated(path);
}
bool DirRemovedRecord::Undo(UndoActions& actions) const {
    return actions.UndoDirRemoved(path);
}
bool FileMovedRecord::Undo(UndoActions& actions) const {
    return actions.UndoFileMoved(from, to);
}
bool FileDeletedRecord::Undo(UndoActions&) const {
    return false;
}
bool FileCreatedRecord::Undo(UndoActions& actions) const {
    return actions.UndoFileCreated(path);
}

bool FileLengthenedRecord::Undo(UndoActions& actions) const {
    return actions.UndoFileLengthened(path, formerLength);
}

bool AttributesChangedRecord::Undo(UndoActions& actions) const {
    return actions.UndoAttributesChanged(path, oldAttributes);
}

bool IniEntryAddedRecord::Undo(UndoActions& actions) const {
    return actions.UndoIniEntryAdded(file, section, entry, occurrence);
}

bool IniEntryDeletedRecord::Undo(UndoActions& actions) const {
    return actions.UndoIniEntryDeleted(file, section, entry, oldValue, occurrence);
}

bool IniEntryChangedRecord::Undo(UndoActions& actions) const {
    return actions.UndoIniEntryChanged(file, section, entry, oldValue, occurrence);
}

bool IniSectionAddedRecord::Undo(UndoActions& actions) const {
    return actions.UndoIniSectionAdded(file, section);
}

bool IniSectionDeletedRecord::Undo(UndoActions& actions) const {
    return actions.UndoIniSectionDeleted(file, section);
}

bool GroupCreatedRecord::Undo(UndoActions& actions) const {
    return actions.UndoGroupCreated(group);
}
bool ItemCreatedRecord::Undo(UndoActions& actions) const {
    return actions.UndoItemCreated(group, item);
}
bool GroupDeletedRecord::Undo(UndoActions& actions) const {
    return actions.UndoGroupDeleted(group);
}
bool ItemDeletedRecord::Undo(UndoActions& actions) const {
    return actions.UndoItemDeleted(group, description);
}
bool RegKeyCreatedRecord::Undo(UndoActions& actions) const {
    return actions.UndoRegKeyCreated(key);
}
bool RegKeyDeletedRecord::Undo(UndoActions& actions) const {
    return actions.UndoRegKeyDeleted(key);
}

bool RegValueCreatedRecord::Undo(UndoActions& actions) const {
    return actions.UndoRegValueCreated(key, valueName);
}

bool RegValueChangedRecord::Undo(UndoActions& actions) const {
    return actions.UndoRegValueChanged(key, valueName, type, data);
}

bool RegValueDeletedRecord::Undo(UndoActions& actions) const {
    return actions.UndoRegValueDeleted(key, valueName, type, data);
}

bool FontAddedRecord::Undo(UndoActions& actions) const {
    return actions.UndoFontAdded(path);
}

}  // namespace gvmain
