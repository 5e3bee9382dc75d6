// Leaves a file to replace another at the next start of Windows: the
// platform's delayed move, or on the Windows 95 family, which lacks it, an
// entry in the "rename" section of wininit.ini.
#pragma once

#include "gvmain/ops/operation_environment.h"

#include <string>

namespace gvmain {

bool ReplaceAtRestart(const std::string& newFile, const std::string& destination,
                      const OperationEnvironment& environment);

}  // namespace gvmain
