#include "gvmain/ops/program_manager_operations.h"

#include "gvmain/ops/message_text.h"
#include "gvmain/ops/program_manager_connection.h"

namespace gvmain {
namespace {

constexpr int messageRemoveFullGroup = 147;
constexpr int captionRemoveFullGroup = 148;

bool Fail(OperationHost& host, const char* format, const std::string& name) {
    host.ReportError(FormatText(format, {name}));
    return false;
}

bool Show(PmSession& session, const std::string& group, OperationHost& host) {
    return session->ShowGroup(group, SW_SHOWNORMAL) || Fail(host, "Unable to show group %s", group);
}

bool NeedsFullForm(const ProgramItem& item) {
    return item.HasPosition() || item.hotKey != 0 || item.minimized;
}

}  // namespace

bool CreatePmGroup(const std::string& group, OperationHost& host, OperationLog* log) {
    PmSession session(host);
    if (!session.Connected()) {
        return false;
    }
    if (session->GroupExists(group)) {
        return true;
    }
    if (!session->CreateGroup(group)) {
        return Fail(host, "Unable to create group %s", group);
    }
    if (log != nullptr) {
        log->GroupCreated(group);
    }
    return true;
}

bool CreatePmItem(const ProgramItem& item, OperationHost& host, OperationLog* log) {
    PmSession session(host);
    if (!session.Connected() || !CreatePmGroup(item.group, host, log) ||
        !DeletePmItem(item.group, item.title, host, log) || !Show(session, item.group, host)) {
        return false;
    }
    if (!(NeedsFullForm(item) ? session->AddItemFull(item) : session->AddItem(item))) {
        return Fail(host, "Unable to create PM item %s", item.title);
    }
    if (log != nullptr) {
        log->ItemCreated(item.group, item.title);
    }
    return true;
}

bool DeletePmItem(const std::string& group, const std::string& title, OperationHost& host,
                  OperationLog* log) {
    PmSession session(host);
    if (!session.Connected()) {
        return false;
    }
    if (!session->ItemExists(group, title)) {
        return true;
    }
    if (!Show(session, group, host)) {
        return false;
    }
    // The description goes into the log whole; an item that cannot be
    // described could not be made again, so it stays.
    ProgramItem item;
    std::vector<uint8_t> description;
    if (!session->GetItem(group, title, item) || !EncodeItemDescription(item, description) ||
        !session->DeleteItem(group, title)) {
        return Fail(host, "Unable to delete PM item %s", title);
    }
    if (log != nullptr) {
        log->ItemDeleted(group, description);
    }
    return true;
}

bool DeletePmGroup(const std::string& group, OperationHost& host, OperationLog* log) {
    PmSession session(host);
    if (!session.Connected()) {
        return false;
    }
    if (!session->GroupExists(group)) {
        return true;
    }
    std::vector<std::string> titles;
    if (!session->ListItems(group, titles)) {
        return Fail(host, "Unable to delete group %s", group);
    }
    for (const std::string& title : titles) {
        if (!DeletePmItem(group, title, host, log)) {
            return false;
        }
    }
    if (!session->DeleteGroup(group)) {
        return Fail(host, "Unable to delete group %s", group);
    }
    if (log != nullptr) {
        log->GroupDeleted(group);
    }
    return true;
}

bool RemoveCreatedPmGroup(const std::string& group, OperationHost& host) {
    PmSession session(host);
    if (!session.Connected()) {
        return false;
    }
    std::vector<std::string> titles;
    if (!session->GroupExists(group)) {
        return true;
    }
    if (session->ListItems(group, titles) && !titles.empty()) {
        Question question{FormatText(host.Message(messageRemoveFullGroup), {group}),
                          host.Message(captionRemoveFullGroup),
                          Buttons::YesNo,
                          {}};
        if (host.Ask(question) != firstButton) {
            return false;
        }
    }
    return DeletePmGroup(group, host, nullptr);
}

bool RestorePmItem(const std::string& group, const std::vector<uint8_t>& description, OperationHost& host) {
    ProgramItem item;
    if (!DecodeItemDescription(description, item)) {
        return Fail(host, "The description of an item of group %s is damaged", group);
    }
    item.group = group;
    return CreatePmItem(item, host, nullptr);
}

}  // namespace gvmain
