// AUTOEXEC.BAT and CONFIG.SYS: an install script's lines merged into the
// file (dos_startup_merge.h) and written back. Nothing is logged: the
// former content stays beside the file under its backup name.
//
// The dialog that shows the merged file ("DLGDOSINFORM") is the engine's:
// the merge hands back the file's path and what it now reads.
#pragma once

#include "gvmain/format/dos_startup_merge.h"
#include "gvmain/ops/operation_host.h"

#include <string>

namespace gvmain {

struct DosStartupEdit {
    DosStartupFile file = DosStartupFile::AutoexecBat;
    std::string lines;  // the event's lines, one per line of text
    NewLinePlace place = NewLinePlace::After;
    // Empty: "c:\autoexec.bat" or "c:\config.sys".
    std::string path;
};

struct DosStartupMerged {
    std::string path;
    std::string text;  // the file's content after the merge (changed or not)
};

// When the merge changes the file: its former content is copied to its
// backup name ("autoexec.bak", else ".000" to ".999"), the new content is
// written to a temporary file beside it ("autox000.000" or "confg000.000"
// onwards) and put in its place in one step, and the run's DOS-restart flag
// is set. Any failure reports "Unable to modify AUTOEXEC.BAT or CONFIG.SYS"
// and leaves the file and its folder as they were.
// On success `merged`, when given, takes the file's path and content.
bool MergeDosStartupFile(const DosStartupEdit& edit, OperationHost& host, DosStartupMerged* merged = nullptr);

}  // namespace gvmain
