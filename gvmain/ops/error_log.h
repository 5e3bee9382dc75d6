// The error log of an unattended run, which shows no window: each error
// that would have been a message box becomes one line of the log file,
// saved at once (atomically) so that whatever ends the run, the lines
// written so far stay readable.
#pragma once

#include "gvmain/ops/operation_environment.h"

#include <string>

namespace gvmain {

// Adds `text` as one line (its line breaks become spaces) to the file at
// `path`, making the file when it is missing. False when it cannot be saved.
bool AppendErrorLine(const std::string& path, const std::string& text,
                     const OperationEnvironment& environment);

}  // namespace gvmain
