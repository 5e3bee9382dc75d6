// Fonts of an installation: added to the running system's font table and
// announced to every top-level window.
#pragma once

#include "gvmain/format/operation_log.h"
#include "gvmain/ops/operation_host.h"

#include <string>

namespace gvmain {

// Adds the font resource, tells all windows, logs kind 21.
bool InstallFont(const std::string& path, OperationHost& host, OperationLog* log);
// The undo of kind 21: removes the font resource again.
bool RemoveFont(const std::string& path, OperationHost& host);

}  // namespace gvmain
