#include "gvmain/ops/program_manager_dde.h"

#include "gvmain/ops/command_line.h"
#include "gvmain/ops/file_names.h"
#include "gvmain/ops/message_text.h"

#include <algorithm>
#include <cstdio>

namespace gvmain {
namespace {

constexpr char service[] = "PROGMAN";

std::string ShortCommandLine(const std::string& line) {
    CommandLine split = SplitCommandLine(line);
    std::string program = ShortPath(split.program);
    return split.arguments.empty() ? program : program + " " + split.arguments;
}

// Without an icon path the program's own icon is meant; an empty field is
// spelled out, as Wine's shell fails on it.
std::string IconPath(const ProgramItem& item) {
    return ShortPath(item.iconPath.empty() ? SplitCommandLine(item.commandLine).program : item.iconPath);
}

std::string Number(int value) {
    return std::to_string(value);
}

// The comma-separated fields of a reply line; quoted fields lose their marks.
std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (char c : line) {
        if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!line.empty()) {
            lines.push_back(line);
        }
        start = end == std::string::npos ? text.size() : end + 1;
    }
    return lines;
}

int32_t Field(const std::vector<std::string>& fields, size_t index, int32_t otherwise) {
    int value = otherwise;
    return index < fields.size() && std::sscanf(fields[index].c_str(), "%d", &value) == 1 ? value : otherwise;
}

ProgramItem ItemOfLine(const std::string& group, const std::string& line) {
    std::vector<std::string> fields = Fields(line);
    fields.resize(std::max<size_t>(fields.size(), 4));
    ProgramItem item;
    item.group = group;
    item.title = fields[0];
    item.commandLine = fields[1];
    item.workingDirectory = fields[2];
    item.iconPath = fields[3];
    item.x = Field(fields, 4, -1);
    item.y = Field(fields, 5, -1);
    item.iconIndex = Field(fields, 6, 0);
    item.hotKey = static_cast<uint16_t>(Field(fields, 7, 0));
    item.minimized = Field(fields, 8, 0) != 0;
    return item;
}

}  // namespace

bool DdeProgramManager::Connect() {
    if (!conversation_.Open(service, service)) {
        return false;
    }
    HWND window = programManagerIsShell_ ? ::FindWindowA("Progman", nullptr) : nullptr;
    if (window != nullptr && !::IsIconic(window)) {
        ::ShowWindow(window, SW_SHOWMINNOACTIVE);
        minimized_ = window;
    }
    return true;
}

void DdeProgramManager::Disconnect() {
    conversation_.Close();
    if (minimized_ != nullptr) {
        ::ShowWindow(minimized_, SW_RESTORE);
        minimized_ = nullptr;
    }
}

bool DdeProgramManager::CreateGroup(const std::string& group) {
    return conversation_.Execute(FormatText("[CreateGroup(\"%s\")]", {group}));
}

bool DdeProgramManager::DeleteGroup(const std::string& group) {
    return conversation_.Execute(FormatText("[DeleteGroup(\"%s\")]", {group}));
}

bool DdeProgramManager::ShowGroup(const std::string& group, int showCommand) {
    return conversation_.Execute(FormatText("[ShowGroup(\"%s\", %d)]", {group, Number(showCommand)}));
}

bool DdeProgramManager::AddItemFull(const ProgramItem& item) {
    return conversation_.Execute(
        FormatText("[AddItem(%s, \"%s\", %s, %d, %d, %d, %s, %d, %d)]",
                   {ShortCommandLine(item.commandLine), item.title, IconPath(item), Number(item.iconIndex),
                    Number(item.x), Number(item.y), ShortPath(item.workingDirectory), Number(item.hotKey),
                    Number(item.minimized ? 1 : 0)}));
}

bool DdeProgramManager::AddItem(const ProgramItem& item) {
    std::vector<std::string> fields = {ShortCommandLine(item.commandLine), item.title, IconPath(item),
                                       Number(item.iconIndex)};
    if (item.workingDirectory.empty()) {
        return conversation_.Execute(FormatText("[AddItem(%s, \"%s\", %s, %d)]", fields));
    }
    fields.push_back(ShortPath(item.workingDirectory));
    return conversation_.Execute(FormatText("[AddItem(%s, \"%s\", %s, %d, , , %s)]", fields));
}

bool DdeProgramManager::DeleteItem(const std::string&, const std::string& title) {
    return conversation_.Execute(FormatText("[DeleteItem(\"%s\")]", {title}));
}

bool DdeProgramManager::GroupExists(const std::string& group) {
    std::string reply;
    if (!conversation_.Request("GROUPS", reply)) {
        return false;
    }
    for (const std::string& line : Lines(reply)) {
        if (::lstrcmpiA(line.c_str(), group.c_str()) == 0) {
            return true;
        }
    }
    return false;
}

bool DdeProgramManager::GroupItems(const std::string& group, std::vector<ProgramItem>& items) {
    std::string reply;
    if (!conversation_.Request(group, reply)) {
        return false;
    }
    std::vector<std::string> lines = Lines(reply);
    for (size_t line = 1; line < lines.size(); ++line) {
        items.push_back(ItemOfLine(group, lines[line]));
    }
    return true;
}

bool DdeProgramManager::ItemExists(const std::string& group, const std::string& title) {
    ProgramItem item;
    return GetItem(group, title, item);
}

bool DdeProgramManager::GetItem(const std::string& group, const std::string& title, ProgramItem& item) {
    std::vector<ProgramItem> items;
    if (!GroupItems(group, items)) {
        return false;
    }
    for (const ProgramItem& found : items) {
        if (::lstrcmpiA(found.title.c_str(), title.c_str()) == 0) {
            item = found;
            return true;
        }
    }
    return false;
}

bool DdeProgramManager::ListItems(const std::string& group, std::vector<std::string>& titles) {
    std::vector<ProgramItem> items;
    if (!GroupItems(group, items)) {
        return false;
    }
    for (const ProgramItem& item : items) {
        titles.push_back(item.title);
    }
    return true;
}

}  // namespace gvmain
