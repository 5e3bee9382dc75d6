#include "gvmain/ops/file_undo_actions.h"

#include "gvmain/ops/file_names.h"
#include "gvmain/ops/file_operations.h"
#include "gvmain/ops/font_operations.h"
#include "gvmain/ops/ini_operations.h"
#include "gvmain/ops/ini_undo.h"
#include "gvmain/ops/message_text.h"
#include "gvmain/format/operation_log.h"
#include "gvmain/ops/program_manager_operations.h"
#include "gvmain/ops/registry_operations.h"
#include "gvmain/ops/shared_files.h"
#include "gvmain/ops/win32_handles.h"

namespace gvmain {
namespace {

constexpr int messageRemoveFullDirectory = 143;
constexpr int captionRemoveFullDirectory = 144;
constexpr int messageSharedFile = 4;
constexpr int captionSharedFile = 70;
constexpr int buttonKeepSharedFile = 68;
constexpr int buttonRemoveSharedFile = 67;

bool HoldsAnything(const std::string& directory) {
    return !ForEachEntry(directory, [](const std::string&, bool) { return false; });
}

}  // namespace

bool FileUndoActions::UndoDirCreated(const std::string& path) {
    if (!DirectoryExists(path)) {
        return true;
    }
    if (HoldsAnything(path)) {
        Question question{FormatText(host_.Message(messageRemoveFullDirectory), {path}),
                          host_.Message(captionRemoveFullDirectory),
                          Buttons::YesNo,
                          {}};
        if (host_.Ask(question) != firstButton) {
            return false;
        }
    }
    return RemoveDirectory(path, host_, nullptr);
}

bool FileUndoActions::UndoDirRemoved(const std::string& path) {
    return CreateDirectory(path, host_, nullptr);
}

bool FileUndoActions::UndoFileMoved(const std::string& from, const std::string& to) {
    return MoveFile(to, from, host_, nullptr);
}

// One handle of the counts serves the whole walk: opening the key for each
// of thousands of files cost more than deleting them.
bool FileUndoActions::UndoFileCreated(const std::string& path) {
    if (!sharedCounts_.Valid()) {
        sharedCounts_ = OpenSharedCounts();
    }
    uint32_t count = 0;
    if (!sharedCounts_.Valid() || !ReadSharedCount(sharedCounts_.Get(), path, count) || count == 0) {
        return DeleteFile(path, host_, nullptr);
    }
    if (count == 1) {
        return DeleteSharedFile(path);
    }
    return WriteSharedCount(path, count - 1);
}

// The last installation that counted the file goes; the user decides
// whether the file goes with it.
bool FileUndoActions::DeleteSharedFile(const std::string& path) {
    Question question{FormatText(host_.Message(messageSharedFile), {path}),
                      host_.Message(captionSharedFile),
                      Buttons::Custom,
                      {host_.Message(buttonKeepSharedFile), host_.Message(buttonRemoveSharedFile)}};
    if (host_.Ask(question) == firstButton) {
        return true;
    }
    return RemoveSharedCount(path) && DeleteFile(path, host_, nullptr);
}

bool FileUndoActions::UndoFileLengthened(const std::string& path, uint32_t formerLength) {
    ScopedHandle file(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    LONG high = 0;
    if (!file.Valid() ||
        (::SetFilePointer(file.Get(), static_cast<LONG>(formerLength), &high, FILE_BEGIN) ==
             INVALID_SET_FILE_POINTER &&
         ::GetLastError() != NO_ERROR) ||
        !::SetEndOfFile(file.Get())) {
        host_.ReportError(FormatText("Unable to set the length of %s", {path}));
        return false;
    }
    return true;
}

bool FileUndoActions::UndoAttributesChanged(const std::string& path, uint32_t oldAttributes) {
    return SetAttributes(path, oldAttributes, host_, nullptr);
}

bool FileUndoActions::UndoIniEntryAdded(const std::string& file, const std::string& section,
                                        const std::string& entry, int32_t occurrence) {
    return DeleteIniEntry(file, section, entry, occurrence, host_, nullptr);
}

bool FileUndoActions::UndoIniEntryDeleted(const std::string& file, const std::string& section,
                                          const std::string& entry, const std::string& oldValue,
                                          int32_t occurrence) {
    return InsertIniEntry(file, section, entry, oldValue, occurrence, host_, nullptr);
}

bool FileUndoActions::UndoIniEntryChanged(const std::string& file, const std::string& section,
                                          const std::string& entry, const std::string& oldValue,
                                          int32_t occurrence) {
    return SetIniEntryAt(file, section, entry, oldValue, occurrence, host_, nullptr);
}

bool FileUndoActions::UndoIniSectionAdded(const std::string& file, const std::string& section) {
    return UndoAddedIniSection(file, section, host_);
}

bool FileUndoActions::UndoIniSectionDeleted(const std::string& file, const std::string& section) {
    return AddIniSection(file, section, host_, nullptr);
}

bool FileUndoActions::UndoGroupCreated(const std::string& group) {
    return RemoveCreatedPmGroup(group, host_);
}

bool FileUndoActions::UndoItemCreated(const std::string& group, const std::string& item) {
    return DeletePmItem(group, item, host_, nullptr);
}

bool FileUndoActions::UndoGroupDeleted(const std::string& group) {
    return CreatePmGroup(group, host_, nullptr);
}

bool FileUndoActions::UndoItemDeleted(const std::string& group, const std::vector<uint8_t>& description) {
    return RestorePmItem(group, description, host_);
}

bool FileUndoActions::UndoRegKeyCreated(const RegistryKey& key) {
    return RemoveCreatedKey(key, host_);
}

bool FileUndoActions::UndoRegKeyDeleted(const RegistryKey& key) {
    return CreateKey(key, host_, nullptr);
}

bool FileUndoActions::UndoRegValueCreated(const RegistryKey& key, const std::string& valueName) {
    return DeleteValue(key, valueName, host_, nullptr);
}

bool FileUndoActions::UndoRegValueChanged(const RegistryKey& key, const std::string& valueName, uint32_t type,
                                          const std::vector<uint8_t>& oldData) {
    return SetValue(key, valueName, RegistryValue{type, oldData}, host_, nullptr);
}

bool FileUndoActions::UndoRegValueDeleted(const RegistryKey& key, const std::string& valueName, uint32_t type,
                                          const std::vector<uint8_t>& oldData) {
    return SetValue(key, valueName, RegistryValue{type, oldData}, host_, nullptr);
}

bool FileUndoActions::UndoFontAdded(const std::string& path) {
    return RemoveFont(path, host_);
}

}  // namespace gvmain
