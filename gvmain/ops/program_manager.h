// Program Manager groups and items, in either of their two forms: groups
// of Program Manager reached by DDE, or directories of shortcut files below
// the shell's Programs folder. Which one serves a run is chosen when the
// connection is made (program_manager_connection.h).
#pragma once

#include "gvmain/format/pm_item_description.h"

#include <string>
#include <vector>

namespace gvmain {

class ProgramManager {
public:
    virtual ~ProgramManager() = default;

    virtual void Disconnect() = 0;
    virtual bool Connect() = 0;
    virtual bool CreateGroup(const std::string& group) = 0;
    // The group with all its items.
    virtual bool DeleteGroup(const std::string& group) = 0;
    // Makes the group the one that items are added to and deleted from.
    virtual bool ShowGroup(const std::string& group, int showCommand) = 0;
    // Every field of the item: position, working directory, hot key, state.
    virtual bool AddItemFull(const ProgramItem& item) = 0;
    // Command line, title, icon and, when given, the working directory.
    virtual bool AddItem(const ProgramItem& item) = 0;
    virtual bool DeleteItem(const std::string& group, const std::string& title) = 0;
    virtual bool GroupExists(const std::string& group) = 0;
    virtual bool ItemExists(const std::string& group, const std::string& title) = 0;
    // The item's full description; false when it cannot be read.
    virtual bool GetItem(const std::string& group, const std::string& title, ProgramItem& item) = 0;
    // The titles of the group's items; false when the group cannot be read.
    virtual bool ListItems(const std::string& group, std::vector<std::string>& titles) = 0;
};

}  // namespace gvmain
