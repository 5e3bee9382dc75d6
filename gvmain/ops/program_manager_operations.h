// The Program Manager operations of an installation and of its undo, over
// the shared connection (program_manager_connection.h). Each reports its
// own failure through the host and logs only after a change succeeded; a
// null log records nothing.
#pragma once

#include "gvmain/format/operation_log.h"
#include "gvmain/format/pm_item_description.h"
#include "gvmain/ops/operation_host.h"

#include <cstdint>
#include <string>
#include <vector>

namespace gvmain {

// An existing group is success; kind 12.
bool CreatePmGroup(const std::string& group, OperationHost& host, OperationLog* log);
// Creates the group if needed and deletes an item of the same title first
// (each logged as those operations log), then adds the item; kind 13.
bool CreatePmItem(const ProgramItem& item, OperationHost& host, OperationLog* log);
// A missing item is success; kind 15 with the item's description.
bool DeletePmItem(const std::string& group, const std::string& title, OperationHost& host, OperationLog* log);
// A missing group is success; kind 15 for each item, then kind 14.
bool DeletePmGroup(const std::string& group, OperationHost& host, OperationLog* log);

// The undo of kind 12: a group that still holds items goes only when the
// user agrees (message 147, caption 148).
bool RemoveCreatedPmGroup(const std::string& group, OperationHost& host);
// The undo of kind 15: the item made again from its description, in the
// record's group.
bool RestorePmItem(const std::string& group, const std::vector<uint8_t>& description, OperationHost& host);

}  // namespace gvmain
