// Program Manager reached by DDE: the service and topic "PROGMAN", its
// execute commands, and its replies to the requests "GROUPS" (one group
// name a line) and of a group's name (a line on the group, then one line
// an item: "title","command line",directory,icon path,x,y,icon index,hot
// key,minimised). Paths inside commands go in their short forms.
#pragma once

#include "gvmain/ops/dde_conversation.h"
#include "gvmain/ops/program_manager.h"

namespace gvmain {

class DdeProgramManager : public ProgramManager {
public:
    // Program Manager as the system's shell fills the screen: it is kept
    // minimised while the installation talks to it.
    explicit DdeProgramManager(bool programManagerIsShell = false, DWORD timeoutMs = defaultDdeTimeoutMs)
        : conversation_(timeoutMs), programManagerIsShell_(programManagerIsShell) {}

    void Disconnect() override;
    bool Connect() override;
    bool CreateGroup(const std::string& group) override;
    bool DeleteGroup(const std::string& group) override;
    bool ShowGroup(const std::string& group, int showCommand) override;
    bool AddItemFull(const ProgramItem& item) override;
    bool AddItem(const ProgramItem& item) override;
    bool DeleteItem(const std::string& group, const std::string& title) override;
    bool GroupExists(const std::string& group) override;
    bool ItemExists(const std::string& group, const std::string& title) override;
    bool GetItem(const std::string& group, const std::string& title, ProgramItem& item) override;
    bool ListItems(const std::string& group, std::vector<std::string>& titles) override;

private:
    bool GroupItems(const std::string& group, std::vector<ProgramItem>& items);

    DdeConversation conversation_;
    bool programManagerIsShell_;
    // Program Manager's window while it is kept minimised for the conversation.
    HWND minimized_ = nullptr;
};

}  // namespace gvmain
