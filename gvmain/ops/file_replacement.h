// Puts a new file in the place of an installed one: at once, or at the next
// start of Windows through the platform's delayed move (or, on the
// Windows 95 family, which lacks it, an entry in the "rename" section of
// wininit.ini).
#pragma once

#include "gvmain/ops/operation_environment.h"

#include <string>

namespace gvmain {

// Replaces `destination` (if any) by `newFile` in one step, so that a
// failure leaves the installed file as it was. Read-only, hidden and system
// do not stop it.
bool ReplaceNow(const std::string& newFile, const std::string& destination,
                const OperationEnvironment& environment);

bool ReplaceAtRestart(const std::string& newFile, const std::string& destination,
                      const OperationEnvironment& environment);

}  // namespace gvmain
