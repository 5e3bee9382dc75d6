// The undo of an added INI section. A section that still holds entries
// (added since by someone else, or kept by the user) goes only when the
// user agrees: message 145 with the section, caption 146, Yes/No; No fails
// the record and leaves the section.
#pragma once

#include "gvmain/ops/operation_host.h"

#include <string>

namespace gvmain {

bool UndoAddedIniSection(const std::string& file, const std::string& section, OperationHost& host);

}  // namespace gvmain
