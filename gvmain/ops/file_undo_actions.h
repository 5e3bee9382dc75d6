// Undoes the records of the operation log through the same operations
// that made them, recording nothing: files and directories (kinds 0-6),
// INI files (7-11), Program Manager groups and items (12-15), registry keys
// and values (16-20) and fonts (21).
#pragma once

#include "gvmain/ops/operation_host.h"
#include "gvmain/ops/undo_actions.h"
#include "gvmain/ops/win32_handles.h"

namespace gvmain {

class FileUndoActions : public UndoActions {
public:
    explicit FileUndoActions(OperationHost& host) : host_(host) {}

    bool UndoDirCreated(const std::string& path) override;
    bool UndoDirRemoved(const std::string& path) override;
    bool UndoFileMoved(const std::string& from, const std::string& to) override;
    bool UndoFileCreated(const std::string& path) override;
    bool UndoFileLengthened(const std::string& path, uint32_t formerLength) override;
    bool UndoAttributesChanged(const std::string& path, uint32_t oldAttributes) override;

    bool UndoIniEntryAdded(const std::string& file, const std::string& section, const std::string& entry,
                           int32_t occurrence) override;
    bool UndoIniEntryDeleted(const std::string& file, const std::string& section, const std::string& entry,
                             const std::string& oldValue, int32_t occurrence) override;
    bool UndoIniEntryChanged(const std::string& file, const std::string& section, const std::string& entry,
                             const std::string& oldValue, int32_t occurrence) override;
    bool UndoIniSectionAdded(const std::string& file, const std::string& section) override;
    bool UndoIniSectionDeleted(const std::string& file, const std::string& section) override;
    bool UndoGroupCreated(const std::string& group) override;
    bool UndoItemCreated(const std::string& group, const std::string& item) override;
    bool UndoGroupDeleted(const std::string& group) override;
    bool UndoItemDeleted(const std::string& group, const std::vector<uint8_t>& description) override;
    bool UndoRegKeyCreated(const RegistryKey& key) override;
    bool UndoRegKeyDeleted(const RegistryKey& key) override;
    bool UndoRegValueCreated(const RegistryKey& key, const std::string& valueName) override;
    bool UndoRegValueChanged(const RegistryKey& key, const std::string& valueName, uint32_t type,
                             const std::vector<uint8_t>& oldData) override;
    bool UndoRegValueDeleted(const RegistryKey& key, const std::string& valueName, uint32_t type,
                             const std::vector<uint8_t>& oldData) override;
    bool UndoFontAdded(const std::string& path) override;

private:
    bool DeleteSharedFile(const std::string& path);

    OperationHost& host_;
    ScopedKey sharedCounts_;  // opened at the first created file
};

}  // namespace gvmain
