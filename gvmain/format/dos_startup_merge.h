// The merge of an installation's lines into AUTOEXEC.BAT or CONFIG.SYS.
// Each line of the event is compared with the file's lines:
//   - a line the file already holds (blanks around it and letter case
//     aside: DOS reads both files without regard to case) needs nothing;
//   - a line that sets what a line of the file sets replaces that line (the
//     last one, which is the one in force) by their merge:
//       AUTOEXEC.BAT  "path X", "path=X" and "set PATH=X" set the search
//                     path: the file's directories stay, the event's new
//                     ones join them (first for Before, last for After),
//                     and "%PATH%" in the event's line is dropped, since the
//                     merged line already holds the path. "set NAME=X" of
//                     another variable: lists (values with ";") merge the
//                     same way, any other value is replaced by the event's;
//       CONFIG.SYS    the settings DOS takes once (FILES, BUFFERS, STACKS,
//                     LASTDRIVE, SHELL, ...): FILES and BUFFERS keep the
//                     larger number, the others take the event's value;
//                     DEVICE, INSTALL and other repeatable lines never pair;
//   - any other line is added before or after the file's lines.
// The file's other lines and line ends stay as they were.
#pragma once

#include "gvmain/format/text_lines.h"

#include <string>

namespace gvmain {

enum class DosStartupFile { AutoexecBat, ConfigSys };
enum class NewLinePlace { Before, After };

// COMMAND.COM and the CONFIG.SYS reader cut longer lines: a merge that would
// write one fails instead of leaving a cut PATH behind.
constexpr size_t maxDosLineLength = 127;

struct DosMergeResult {
    // The file's text could not be read as text (text_lines.h).
    TextError error = TextError::None;
    // A line to write is longer than maxDosLineLength.
    bool lineTooLong = false;
    bool changed = false;
    std::string text;  // the merged file; the file's own bytes when unchanged

    bool Failed() const { return error != TextError::None || lineTooLong; }
};

// `current` is the file's content ("" for a missing file); `eventLines` the
// event's lines, one per line of text (blank ones are skipped).
DosMergeResult MergeDosStartupLines(DosStartupFile file, const std::string& current,
                                    const std::string& eventLines, NewLinePlace place);

}  // namespace gvmain
