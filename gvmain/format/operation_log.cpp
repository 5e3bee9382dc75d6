#include "gvmain/format/operation_log.h"

namespace gvmain {
namespace {

void SetIniValue(IniValueRecord& record, const std::string& file, const std::string& section,
                 const std::string& entry, const std::string& oldValue, int32_t occurrence) {
    record.file = file;
    record.section = section;
    record.entry = entry;
    record.oldValue = oldValue;
    record.occurrence = occurrence;
}

void SetRegValue(RegValueDataRecord& record, const RegistryKey& key, const std::string& valueName,
                 uint32_t type, const std::vector<uint8_t>& oldData) {
    record.key = key;
    record.valueName = valueName;
    record.type = type;
    record.data = oldData;
}

}  // namespace

bool WriteLogHeader(PortableStream& stream, const LogHeader& header) {
    return stream.WriteInt(header.uninstallView) && stream.WriteInt(header.languageNumber) &&
           stream.WriteDword(header.buildIdA) && stream.WriteDword(header.buildIdB) &&
           stream.WriteDword(header.undoPaceMs) && stream.WriteString(header.productName);
}

bool ReadLogHeader(PortableStream& stream, LogHeader& header) {
    return stream.ReadInt(header.uninstallView) && stream.ReadInt(header.languageNumber) &&
           stream.ReadDword(header.buildIdA) && stream.ReadDword(header.buildIdB) &&
           stream.ReadDword(header.undoPaceMs) && stream.ReadString(header.productName);
}

OperationLog::~OperationLog() {
    Close();
}

bool OperationLog::Open(const std::string& path, const LogHeader& header) {
    Close();
    PortableStream stream(IntWidth::Bits32);
    if (!WriteLogHeader(stream, header))
        return false;
    file_ = std::fopen(path.c_str(), "wb");
    if (!Append(stream)) {
        Close();
        return false;
    }
    return true;
}

void OperationLog::Close() {
    if (file_)
        std::fclose(file_);
    file_ = nullptr;
}

bool OperationLog::IsOpen() const {
    return file_ != nullptr;
}
void OperationLog::SetMode(int32_t mode) {
    mode_ = mode;
}
int32_t OperationLog::Mode() const {
    return mode_;
}

bool OperationLog::Write(LogRecord& record) {
    record.mode = mode_;
    PortableStream stream(IntWidth::Bits32);
    return WriteRecord(stream, record) && Append(stream);
}

// Flushed record by record: whatever was changed before a crash is in the
// log, so it can still be undone.
bool OperationLog::Append(const PortableStream& record) {
    if (!file_)
        return false;
    const std::vector<uint8_t>& bytes = record.Data();
    return std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size() && std::fflush(file_) == 0;
}

bool OperationLog::DirCreated(const std::string& path) {
    DirCreatedRecord record;
    record.path = path;
    return Write(record);
}

bool OperationLog::DirRemoved(const std::string& path) {
    DirRemovedRecord record;
    record.path = path;
    return Write(record);
}

bool OperationLog::FileDeleted(const std::string& path) {
    FileDeletedRecord record;
    record.path = path;
    return Write(record);
}

bool OperationLog::FileMoved(const std::string& from, const std::string& to) {
    FileMovedRecord record;
    record.from = from;
    record.to = to;
    return Write(record);
}

bool OperationLog::FileCreated(const std::string& path) {
    FileCreatedRecord record;
    record.path = path;
    return Write(record);
}

bool OperationLog::FileLengthened(const std::string& path, uint32_t formerLength) {
    FileLengthenedRecord record;
    record.path = path;
    record.formerLength = formerLength;
    return Write(record);
}

bool OperationLog::AttributesChanged(const std::string& path, uint32_t oldAttributes,
                                     uint32_t newAttributes) {
    AttributesChangedRecord record;
    record.path = path;
    record.oldAttributes = oldAttributes;
    record.newAttributes = newAttributes;
    return Write(record);
}

bool OperationLog::IniSectionAdded(const std::string& file, const std::string& section) {
    IniSectionAddedRecord record;
    record.file = file;
    record.section = section;
    return Write(record);
}

bool OperationLog::IniSectionDeleted(const std::string& file, const std::string& section) {
    IniSectionDeletedRecord record;
    record.file = file;
    record.section = section;
    return Write(record);
}

bool OperationLog::IniEntryAdded(const std::string& file, const std::string& section,
                                 const std::string& entry, int32_t occurrence) {
    IniEntryAddedRecord record;
    record.file = file;
    record.section = section;
    record.entry = entry;
    record.occurrence = occurrence;
    return Write(record);
}

bool OperationLog::IniEntryDeleted(const std::string& file, const std::string& section,
                                   const std::string& entry, const std::string& oldValue,
                                   int32_t occurrence) {
    IniEntryDeletedRecord record;
    SetIniValue(record, file, section, entry, oldValue, occurrence);
    return Write(record);
}

bool OperationLog::IniEntryChanged(const std::string& file, const std::string& section,
                                   const std::string& entry, const std::string& oldValue,
                                   int32_t occurrence) {
    IniEntryChangedRecord record;
    SetIniValue(record, file, section, entry, oldValue, occurrence);
    return Write(record);
}

bool OperationLog::GroupCreated(const std::string& group) {
    GroupCreatedRecord record;
    record.group = group;
    return Write(record);
}

bool OperationLog::GroupDeleted(const std::string& group) {
    GroupDeletedRecord record;
    record.group = group;
    return Write(record);
}

bool OperationLog::ItemCreated(const std::string& group, const std::string& item) {
    ItemCreatedRecord record;
    record.group = group;
    record.item = item;
    return Write(record);
}

bool OperationLog::ItemDeleted(const std::string& group, const std::vector<uint8_t>& description) {
    ItemDeletedRecord record;
    record.group = group;
    record.description = description;
    return Write(record);
}

bool OperationLog::RegKeyCreated(const RegistryKey& key) {
    RegKeyCreatedRecord record;
    record.key = key;
    return Write(record);
}

bool OperationLog::RegKeyDeleted(const RegistryKey& key) {
    RegKeyDeletedRecord record;
    record.key = key;
    return Write(record);
}

bool OperationLog::RegValueCreated(const RegistryKey& key, const std::string& valueName) {
    RegValueCreatedRecord record;
    record.key = key;
    record.valueName = valueName;
    return Write(record);
}

bool OperationLog::RegValueChanged(const RegistryKey& key, const std::string& valueName, uint32_t type,
                                   const std::vector<uint8_t>& oldData) {
    RegValueChangedRecord record;
    SetRegValue(record, key, valueName, type, oldData);
    return Write(record);
}

bool OperationLog::RegValueDeleted(const RegistryKey& key, const std::string& valueName, uint32_t type,
                                   const std::vector<uint8_t>& oldData) {
    RegValueDeletedRecord record;
    SetRegValue(record, key, valueName, type, oldData);
    return Write(record);
}

bool OperationLog::FontAdded(const std::string& path) {
    FontAddedRecord record;
    record.path = path;
    return Write(record);
}

bool OperationLog::UserData(int32_t tag, const std::vector<uint8_t>& data) {
    UserDataRecord record;
    record.tag = tag;
    record.data = data;
    return Write(record);
}

}  // namespace gvmain
