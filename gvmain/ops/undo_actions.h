// What undoing the operation log asks of the system: one action per record
// kind that can be undone. The records (operation_log.h) stay free of Win32;
// the installer's operations implement this interface, and tests record the
// calls. Each action returns true when the undo succeeded; a question
// answered in the keeping sense is reported as the record's kind demands.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace gvmain {

// A registry key as the log stores it: the path and the root number
// (0 HKLM, 1 HKCR, 2 HKCU, 3 HKUS, 4 HKCF).
struct RegistryKey {
    std::string path;
    int32_t root = 0;
};

class UndoActions {
public:
    virtual ~UndoActions() = default;

    // Files and directories (kinds 0-6; kind 3 is never undone).
    virtual bool UndoDirCreated(const std::string& path) = 0;
    virtual bool UndoDirRemoved(const std::string& path) = 0;
    virtual bool UndoFileMoved(const std::string& from, const std::string& to) = 0;
    virtual bool UndoFileCreated(const std::string& path) = 0;
    virtual bool UndoFileLengthened(const std::string& path, uint32_t formerLength) = 0;
    virtual bool UndoAttributesChanged(const std::string& path, uint32_t oldAttributes) = 0;

    // INI files (kinds 7-11).
    virtual bool UndoIniEntryAdded(const std::string& file, const std::string& section,
                                   const std::string& entry, int32_t occurrence) = 0;
    virtual bool UndoIniEntryDeleted(const std::string& file, const std::string& section,
                                     const std::string& entry, const std::string& oldValue,
                                     int32_t occurrence) = 0;
    virtual bool UndoIniEntryChanged(const std::string& file, const std::string& section,
                                     const std::string& entry, const std::string& oldValue,
                                     int32_t occurrence) = 0;
    virtual bool UndoIniSectionAdded(const std::string& file, const std::string& section) = 0;
    virtual bool UndoIniSectionDeleted(const std::string& file, const std::string& section) = 0;

    // Program Manager (kinds 12-15); an item's description is 1112 bytes.
    virtual bool UndoGroupCreated(const std::string& group) = 0;
    virtual bool UndoItemCreated(const std::string& group, const std::string& item) = 0;
    virtual bool UndoGroupDeleted(const std::string& group) = 0;
    virtual bool UndoItemDeleted(const std::string& group, const std::vector<uint8_t>& description) = 0;

    // Registry (kinds 16-20).
    virtual bool UndoRegKeyCreated(const RegistryKey& key) = 0;
    virtual bool UndoRegKeyDeleted(const RegistryKey& key) = 0;
    virtual bool UndoRegValueCreated(const RegistryKey& key, const std::string& valueName) = 0;
    virtual bool UndoRegValueChanged(const RegistryKey& key, const std::string& valueName, uint32_t type,
                                     const std::vector<uint8_t>& oldData) = 0;
    virtual bool UndoRegValueDeleted(const RegistryKey& key, const std::string& valueName, uint32_t type,
                                     const std::vector<uint8_t>& oldData) = 0;

    // Fonts (kind 21).
    virtual bool UndoFontAdded(const std::string& path) = 0;
};

}  // namespace gvmain
