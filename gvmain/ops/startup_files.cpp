#include "gvmain/ops/startup_files.h"

#include "gvmain/ops/file_names.h"
#include "gvmain/ops/file_operations.h"
#include "gvmain/ops/text_file.h"

namespace gvmain {
namespace {

constexpr char mergeFailed[] = "Unable to modify AUTOEXEC.BAT or CONFIG.SYS";

struct StartupFileNames {
    const char* path;
    const char* temporaryPrefix;
};

StartupFileNames NamesOf(DosStartupFile file) {
    return file == DosStartupFile::AutoexecBat ? StartupFileNames{"c:\\autoexec.bat", "autox"}
                                               : StartupFileNames{"c:\\config.sys", "confg"};
}

// The former content under the backup name; empty when there was none to
// keep. False when it could not be kept.
bool KeepFormerContent(const std::string& path, bool existed, std::string& backup) {
    backup.clear();
    if (!existed) {
        return true;
    }
    backup = BackupName(path);
    return !backup.empty() && ::CopyFileA(path.c_str(), backup.c_str(), TRUE);
}

}  // namespace

bool MergeDosStartupFile(const DosStartupEdit& edit, OperationHost& host, DosStartupMerged* result) {
    StartupFileNames names = NamesOf(edit.file);
    std::string path = edit.path.empty() ? names.path : edit.path;
    std::string current;
    FileRead read = ReadWholeFile(path, maxTextFileSize, current);
    DosMergeResult merged = MergeDosStartupLines(edit.file, current, edit.lines, edit.place);
    if (read == FileRead::Failed || merged.Failed()) {
        host.ReportError(mergeFailed);
        return false;
    }
    if (result) {
        *result = {path, merged.text};
    }
    if (!merged.changed) {
        return true;
    }
    std::string backup;
    if (!KeepFormerContent(path, read == FileRead::Read, backup) ||
        !SaveFileAtomically(path, merged.text, names.temporaryPrefix, host.Environment())) {
        if (!backup.empty()) {
            DeleteQuietly(backup);
        }
        host.ReportError(mergeFailed);
        return false;
    }
    host.SetDosRestart();
    return true;
}

}  // namespace gvmain
