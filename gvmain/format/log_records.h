// The records of the operation log, one class per kind. Each record lists
// its fields once (Transfer, record_fields.h), which gives its encoding after
// the kind and mode and its detail lines, and owns its undo action, so the
// writer, the reader and the uninstaller share one format.
#pragma once

#include "gvmain/format/portable_stream.h"
#include "gvmain/format/record_fields.h"
#include "gvmain/ops/undo_actions.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace gvmain {

// Record kinds as stored in the file.
enum LogKind : int32_t {
    LogDirCreated = 0,
    LogDirRemoved = 1,
    LogFileMoved = 2,
    LogFileDeleted = 3,
    LogFileCreated = 4,
    LogFileLengthened = 5,
    LogAttributesChanged = 6,
    LogIniEntryAdded = 7,
    LogIniEntryDeleted = 8,
    LogIniEntryChanged = 9,
    LogIniSectionAdded = 10,
    LogIniSectionDeleted = 11,
    LogGroupCreated = 12,
    LogItemCreated = 13,
    LogGroupDeleted = 14,
    LogItemDeleted = 15,
    LogRegKeyCreated = 16,
    LogRegKeyDeleted = 17,
    LogRegValueCreated = 18,
    LogRegValueChanged = 19,
    LogRegValueDeleted = 20,
    LogFontAdded = 21,
    LogUserData = 22,
};
constexpr int32_t logKindCount = 23;
constexpr size_t programItemDescriptionSize = 1112;

// A record's label is this message number plus its kind.
constexpr int firstKindLabelMessage = 156;

enum class UndoState { Undo = 0, Keep = 1, CannotUndo = 2, Undone = 3, Failed = 4 };

// Looks up a numbered message of the loaded language.
using MessageSource = std::function<std::string(int number)>;

class LogRecord {
public:
    virtual LogKind Kind() const = 0;
    // The fields after the kind and the mode; false when a field cannot be
    // written (a string too long, a description of the wrong size).
    bool WriteFields(PortableStream& stream) const;
    bool ReadFields(PortableStream& stream);
    // True when the change was undone.
    virtual bool Undo(UndoActions& actions) const = 0;
    virtual ~LogRecord() = default;
    virtual bool IsUndoable() const { return true; }
    // The kind's name in the loaded language: message 156 plus the kind.
    std::string Label(const MessageSource& messages) const;
    // Label and value lines for the uninstaller's list (see FormatDetails).
    std::vector<DetailLine> Details() const;

    // Every field in file order, once: one pass reads, writes or describes
    // them. Writing passes do not change the record.
    virtual bool Transfer(FieldTransfer& fields) = 0;

    int32_t mode = 0;
    UndoState state = UndoState::Undo;
};

// A record of the given kind with empty fields; nullptr for a kind outside 0-22.
std::unique_ptr<LogRecord> MakeRecord(int32_t kind);

// A whole record: kind, the record's mode, then its fields. The writer, the
// reader and the fuzzer all go through these two. Writing fails for a mode
// outside 0-2, since no reader would take the record back.
bool WriteRecord(PortableStream& stream, const LogRecord& record);
// nullptr for bad data: a short record, a kind outside 0-22, a mode outside
// 0-2. The record's state follows from its kind and mode.
std::unique_ptr<LogRecord> ReadRecord(PortableStream& stream);

// The lines joined by "\r\n", labels padded so that the colons line up.
std::string FormatDetails(const std::vector<DetailLine>& lines);

// The user's choice between undoing and keeping: only a record still in
// state Undo or Keep may switch, and only to one of those two. Returns
// whether the state was set.
bool SwitchUndoState(LogRecord& record, UndoState choice);
bool CanSwitchUndoState(const LogRecord& record, UndoState choice);

// ---- Field shapes shared by several kinds ----

class PathRecord : public LogRecord {
public:
    bool Transfer(FieldTransfer& fields) override;

    std::string path;
};

class GroupRecord : public LogRecord {
public:
    bool Transfer(FieldTransfer& fields) override;

    std::string group;
};

class IniSectionRecord : public LogRecord {
public:
    bool Transfer(FieldTransfer& fields) override;

    std::string file;
    std::string section;
};

class IniValueRecord : public LogRecord {
public:
    bool Transfer(FieldTransfer& fields) override;

    std::string file;
    std::string section;
    std::string entry;
    std::string oldValue;
    int32_t occurrence = 0;
};

class RegKeyRecord : public LogRecord {
public:
    bool Transfer(FieldTransfer& fields) override;

    RegistryKey key;
};

class RegValueDataRecord : public LogRecord {
public:
    bool Transfer(FieldTransfer& fields) override;

    RegistryKey key;
    std::string valueName;
    uint32_t type = 0;
    std::vector<uint8_t> data;
};

// ---- One class per kind ----

class DirCreatedRecord final : public PathRecord {
public:
    LogKind Kind() const override { return LogDirCreated; }
    bool Undo(UndoActions& actions) const override;
};

class DirRemovedRecord final : public PathRecord {
public:
    LogKind Kind() const override { return LogDirRemoved; }
    bool Undo(UndoActions& actions) const override;
};

class FileMovedRecord final : public LogRecord {
public:
    LogKind Kind() const override { return LogFileMoved; }
    bool Transfer(FieldTransfer& fields) override;
    bool Undo(UndoActions& actions) const override;

    std::string from;
    std::string to;
};

// A deleted file is gone for good: the record only tells the user.
class FileDeletedRecord final : public PathRecord {
public:
    LogKind Kind() const override { return LogFileDeleted; }
    bool Undo(UndoActions& actions) const override;
    bool IsUndoable() const override { return false; }
};

class FileCreatedRecord final : public PathRecord {
public:
    LogKind Kind() const override { return LogFileCreated; }
    bool Undo(UndoActions& actions) const override;
};

class FileLengthenedRecord final : public LogRecord {
public:
    LogKind Kind() const override { return LogFileLengthened; }
    bool Transfer(FieldTransfer& fields) override;
    bool Undo(UndoActions& actions) const override;

    std::string path;
    uint32_t formerLength = 0;
};

class AttributesChangedRecord final : public LogRecord {
public:
    LogKind Kind() const override { return LogAttributesChanged; }
    bool Transfer(FieldTransfer& fields) override;
    bool Undo(UndoActions& actions) const override;

    std::string path;
    uint32_t oldAttributes = 0;
    uint32_t newAttributes = 0;
};

class IniEntryAddedRecord final : public LogRecord {
public:
    LogKind Kind() const override { return LogIniEntryAdded; }
    bool Transfer(FieldTransfer& fields) override;
    bool Undo(UndoActions& actions) const override;

    std::string file;
    std::string section;
    std::string entry;
    int32_t occurrence = 0;
};

class IniEntryDeletedRecord final : public IniValueRecord {
public:
    LogKind Kind() const override { return LogIniEntryDeleted; }
    bool Undo(UndoActions& actions) const override;
};

class IniEntryChangedRecord final : public IniValueRecord {
public:
    LogKind Kind() const override { return LogIniEntryChanged; }
    bool Undo(UndoActions& actions) const override;
};

class IniSectionAddedRecord final : public IniSectionRecord {
public:
    LogKind Kind() const override { return LogIniSectionAdded; }
    bool Undo(UndoActions& actions) const override;
};

class IniSectionDeletedRecord final : public IniSectionRecord {
public:
    LogKind Kind() const override { return LogIniSectionDeleted; }
    bool Undo(UndoActions& actions) const override;
};

class GroupCreatedRecord final : public GroupRecord {
public:
    LogKind Kind() const override { return LogGroupCreated; }
    bool Undo(UndoActions& actions) const override;
};

class ItemCreatedRecord final : public LogRecord {
public:
    LogKind Kind() const override { return LogItemCreated; }
    bool Transfer(FieldTransfer& fields) override;
    bool Undo(UndoActions& actions) const override;

    std::string group;
    std::string item;
};

class GroupDeletedRecord final : public GroupRecord {
public:
    LogKind Kind() const override { return LogGroupDeleted; }
    bool Undo(UndoActions& actions) const override;
};

class ItemDeletedRecord final : public LogRecord {
public:
    LogKind Kind() const override { return LogItemDeleted; }
    bool Transfer(FieldTransfer& fields) override;
    bool Undo(UndoActions& actions) const override;

    std::string group;
    std::vector<uint8_t> description;  // programItemDescriptionSize bytes
};

class RegKeyCreatedRecord final : public RegKeyRecord {
public:
    LogKind Kind() const override { return LogRegKeyCreated; }
    bool Undo(UndoActions& actions) const override;
};

class RegKeyDeletedRecord final : public RegKeyRecord {
public:
    LogKind Kind() const override { return LogRegKeyDeleted; }
    bool Undo(UndoActions& actions) const override;
};

class RegValueCreatedRecord final : public LogRecord {
public:
    LogKind Kind() const override { return LogRegValueCreated; }
    bool Transfer(FieldTransfer& fields) override;
    bool Undo(UndoActions& actions) const override;

    RegistryKey key;
    std::string valueName;
};

class RegValueChangedRecord final : public RegValueDataRecord {
public:
    LogKind Kind() const override { return LogRegValueChanged; }
    bool Undo(UndoActions& actions) const override;
};

class RegValueDeletedRecord final : public RegValueDataRecord {
public:
    LogKind Kind() const override { return LogRegValueDeleted; }
    bool Undo(UndoActions& actions) const override;
};

class FontAddedRecord final : public PathRecord {
public:
    LogKind Kind() const override { return LogFontAdded; }
    bool Undo(UndoActions& actions) const override;
};

// Data the script keeps for itself; undoing it has nothing to do.
class UserDataRecord final : public LogRecord {
public:
    LogKind Kind() const override { return LogUserData; }
    bool Transfer(FieldTransfer& fields) override;
    bool Undo(UndoActions&) const override { return true; }

    int32_t tag = 0;
    std::vector<uint8_t> data;
};

}  // namespace gvmain
