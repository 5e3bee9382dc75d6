// The operation log: every change an installation makes, appended as it
// happens, so that the uninstaller can read it back and undo it in reverse.
// Pure C++ (no Win32): it builds natively too, for fuzzing the reader.
//
// File layout (all PortableStream primitives, 32-bit ints):
//   LogHeader, then LogRecords until the end of the file; a record is
//   int kind (0-22), int mode (0-2), then the fields of its kind.
#pragma once

#include "gvmain/format/log_records.h"
#include "gvmain/format/portable_stream.h"
#include "gvmain/ops/undo_actions.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace gvmain {

struct LogHeader {
    int32_t uninstallView = 0;   // 0 simple, 1 advanced, 2 automatic
    int32_t languageNumber = 0;  // LanguageSet number of the installation
    uint32_t buildIdA = 0;       // written as the script gives them, unused on reading
    uint32_t buildIdB = 0;
    uint32_t undoPaceMs = 100;  // least time the uninstaller spends per record
    std::string productName;
};

// The header in the log's 32-bit stream.
bool WriteLogHeader(PortableStream& stream, const LogHeader& header);
bool ReadLogHeader(PortableStream& stream, LogHeader& header);

// The writer. One per installation; every operation calls it right after a
// change has succeeded, and each record takes the current mode. A record
// that cannot be written makes the call return false.
class OperationLog {
public:
    OperationLog() = default;
    ~OperationLog();
    OperationLog(const OperationLog&) = delete;
    OperationLog& operator=(const OperationLog&) = delete;

    // Creates (truncates) the file and writes the header at once.
    bool Open(const std::string& path, const LogHeader& header);
    void Close();
    bool IsOpen() const;

    void SetMode(int32_t mode);
    int32_t Mode() const;

    bool DirCreated(const std::string& path);
    bool DirRemoved(const std::string& path);
    bool FileDeleted(const std::string& path);
    bool FileMoved(const std::string& from, const std::string& to);
    bool FileCreated(const std::string& path);
    bool FileLengthened(const std::string& path, uint32_t formerLength);
    bool AttributesChanged(const std::string& path, uint32_t oldAttributes, uint32_t newAttributes);
    bool IniSectionAdded(const std::string& file, const std::string& section);
    bool IniSectionDeleted(const std::string& file, const std::string& section);
    bool IniEntryAdded(const std::string& file, const std::string& section, const std::string& entry,
                       int32_t occurrence);
    bool IniEntryDeleted(const std::string& file, const std::string& section, const std::string& entry,
                         const std::string& oldValue, int32_t occurrence);
    bool IniEntryChanged(const std::string& file, const std::string& section, const std::string& entry,
                         const std::string& oldValue, int32_t occurrence);
    bool GroupCreated(const std::string& group);
    bool GroupDeleted(const std::string& group);
    bool ItemCreated(const std::string& group, const std::string& item);
    bool ItemDeleted(const std::string& group, const std::vector<uint8_t>& description);
    bool RegKeyCreated(const RegistryKey& key);
    bool RegKeyDeleted(const RegistryKey& key);
    bool RegValueCreated(const RegistryKey& key, const std::string& valueName);
    bool RegValueChanged(const RegistryKey& key, const std::string& valueName, uint32_t type,
                         const std::vector<uint8_t>& oldData);
    bool RegValueDeleted(const RegistryKey& key, const std::string& valueName, uint32_t type,
                         const std::vector<uint8_t>& oldData);
    bool FontAdded(const std::string& path);
    bool UserData(int32_t tag, const std::vector<uint8_t>& data);

private:
    bool Write(LogRecord& record);
    bool Append(const PortableStream& record);

    std::FILE* file_ = nullptr;
    int32_t mode_ = 0;
};

}  // namespace gvmain
