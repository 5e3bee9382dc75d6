#include "gvmain/format/log_records.h"

#include <algorithm>

namespace gvmain {
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

bool CanSwitchUndoState(const LogRecord& record, UndoState choice) {
    auto isChoice = [](UndoState state) { return state == UndoState::Undo || state == UndoState::Keep; };
    return isChoice(record.state) && isChoice(choice);
}

bool SwitchUndoState(LogRecord& record, UndoState choice) {
    if (!CanSwitchUndoState(record, choice))
        return false;
    record.state = choice;
    return true;
}

bool LogRecord::WriteFields(PortableStream& stream) const {
    FieldWriter writer(stream);
    return const_cast<LogRecord*>(this)->Transfer(writer);
}

bool LogRecord::ReadFields(PortableStream& stream) {
    FieldReader reader(stream);
    return Transfer(reader);
}

std::vector<DetailLine> LogRecord::Details() const {
    DetailCollector details;
    const_cast<LogRecord*>(this)->Transfer(details);
    return details.lines;
}

// ---- Fields, in file order ----

bool PathRecord::Transfer(FieldTransfer& fields) {
    return fields.Text("Path", path);
}

bool GroupRecord::Transfer(FieldTransfer& fields) {
    return fields.Text("Group", group);
}

bool IniSectionRecord::Transfer(FieldTransfer& fields) {
    return fields.Text("File", file) && fields.Text("Section", section);
}

bool IniValueRecord::Transfer(FieldTransfer& fields) {
    return fields.Text("File", file) && fields.Text("Section", section) && fields.Text("Entry", entry) &&
           fields.Text("Old value", oldValue) && fields.Int("Occurrence", occurrence);
}

bool RegKeyRecord::Transfer(FieldTransfer& fields) {
    return fields.Key("Key", key);
}

bool RegValueDataRecord::Transfer(FieldTransfer& fields) {
    return fields.Key("Key", key) && fields.Text("Value name", valueName) && fields.Dword("Type", type) &&
           fields.CountedBlock("Size", BlockCount::Dword, data);
}

bool FileMovedRecord::Transfer(FieldTransfer& fields) {
    return fields.Text("From", from) && fields.Text("To", to);
}

bool FileLengthenedRecord::Transfer(FieldTransfer& fields) {
    return fields.Text("Path", path) && fields.Dword("Former length", formerLength);
}

bool AttributesChangedRecord::Transfer(FieldTransfer& fields) {
    return fields.Text("Path", path) && fields.Flags("Old attributes", oldAttributes) &&
           fields.Flags("New attributes", newAttributes);
}

bool IniEntryAddedRecord::Transfer(FieldTransfer& fields) {
    return fields.Text("File", file) && fields.Text("Section", section) && fields.Text("Entry", entry) &&
           fields.Int("Occurrence", occurrence);
}

bool ItemCreatedRecord::Transfer(FieldTransfer& fields) {
    return fields.Text("Group", group) && fields.Text("Item", item);
}

bool ItemDeletedRecord::Transfer(FieldTransfer& fields) {
    return fields.Text("Group", group) && fields.FixedBlock(programItemDescriptionSize, description);
}

bool RegValueCreatedRecord::Transfer(FieldTransfer& fields) {
    return fields.Key("Key", key) && fields.Text("Value name", valueName);
}

bool UserDataRecord::Transfer(FieldTransfer& fields) {
    return fields.Int("Tag", tag) && fields.CountedBlock("Length", BlockCount::Int, data);
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
