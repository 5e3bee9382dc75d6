// progman_server.exe RECORDFILE EVENTBASE: a stand-in Program Manager for
// the tests. It serves the DDE service and topic "PROGMAN", keeps groups
// and items in memory, answers "GROUPS" and group requests the way the
// engine reads them, and appends every execute string it gets to
// RECORDFILE. It signals EVENTBASE_ready once it serves and ends when
// EVENTBASE_stop is set (or after a minute).
#include <windows.h>
// after windows.h, whose types it uses
#include <ddeml.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Item {
    std::vector<std::string> fields;  // command, title, icon, index[, x, y, directory, hot key, minimised]
};

struct Group {
    std::string name;
    std::vector<Item> items;
};

DWORD instance = 0;
HSZ serviceName = nullptr;
std::string recordPath;
std::vector<Group> groups;
size_t active = SIZE_MAX;

bool Same(const std::string& a, const std::string& b) {
    return ::lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

std::vector<Group>::iterator FindGroup(const std::string& name) {
    return std::find_if(groups.begin(), groups.end(),
                        [&](const Group& group) { return Same(group.name, name); });
}

std::vector<std::string> Arguments(const std::string& text) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (char c : text) {
        if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            fields.emplace_back();
        } else if (c != ' ' || quoted) {
            fields.back() += c;
        }
    }
    return fields;
}

std::string Field(const Item& item, size_t index, const char* otherwise) {
    return index < item.fields.size() && !item.fields[index].empty() ? item.fields[index] : otherwise;
}

bool Run(const std::string& name, const std::vector<std::string>& arguments) {
    auto group = FindGroup(arguments[0]);
    if (name == "CreateGroup") {
        if (group == groups.end()) {
            groups.push_back({arguments[0], {}});
            group = groups.end() - 1;
        }
        active = static_cast<size_t>(group - groups.begin());
        return true;
    }
    if (name == "ShowGroup" || name == "DeleteGroup") {
        if (group == groups.end()) {
            return false;
        }
        active = static_cast<size_t>(group - groups.begin());
        if (name == "DeleteGroup") {
            groups.erase(group);
            active = SIZE_MAX;
        }
        return true;
    }
    if (active >= groups.size()) {
        return false;
    }
    std::vector<Item>& items = groups[active].items;
    if (name == "AddItem" && arguments.size() >= 4) {
        items.push_back({arguments});
        return true;
    }
    auto item = std::find_if(items.begin(), items.end(),
                             [&](const Item& item) { return Same(item.fields[1], arguments[0]); });
    if (name == "DeleteItem" && item != items.end()) {
        items.erase(item);
        return true;
    }
    return false;
}

// One or more "[Name(arguments)]" commands.
bool Execute(const std::string& commands) {
    if (std::FILE* record = std::fopen(recordPath.c_str(), "ab")) {
        std::fprintf(record, "%s\n", commands.c_str());
        std::fclose(record);
    }
    size_t at = 0;
    while ((at = commands.find('[', at)) != std::string::npos) {
        size_t open = commands.find('(', at);
        size_t close = commands.find(")]", at);
        if (open == std::string::npos || close == std::string::npos || open > close ||
            !Run(commands.substr(at + 1, open - at - 1),
                 Arguments(commands.substr(open + 1, close - open - 1)))) {
            return false;
        }
        at = close + 2;
    }
    return true;
}

std::string Reply(const std::string& item) {
    std::string text;
    if (Same(item, "GROUPS")) {
        for (const Group& group : groups) {
            text += group.name + "\r\n";
        }
        return text;
    }
    auto group = FindGroup(item);
    if (group == groups.end()) {
        return std::string();
    }
    text =
        "\"" + group->name + "\"," + group->name + ".grp," + std::to_string(group->items.size()) + ",1\r\n";
    for (const Item& entry : group->items) {
        text += "\"" + Field(entry, 1, "") + "\",\"" + Field(entry, 0, "") + "\"," + Field(entry, 6, "") +
                "," + Field(entry, 2, "") + "," + Field(entry, 4, "-1") + "," + Field(entry, 5, "-1") + "," +
                Field(entry, 3, "0") + "," + Field(entry, 7, "0") + "," + Field(entry, 8, "0") + "\r\n";
    }
    return text;
}

std::string StringOf(HSZ handle) {
    char text[256] = "";
    ::DdeQueryStringA(instance, handle, text, sizeof text, CP_WINANSI);
    return text;
}

HDDEDATA CALLBACK Callback(UINT type, UINT format, HCONV, HSZ topic, HSZ item, HDDEDATA data, ULONG_PTR,
                           ULONG_PTR) {
    switch (type) {
    case XTYP_CONNECT:
        return reinterpret_cast<HDDEDATA>(static_cast<ULONG_PTR>(Same(StringOf(topic), "PROGMAN")));
    case XTYP_EXECUTE: {
        DWORD size = ::DdeGetData(data, nullptr, 0, 0);
        std::string commands(size, '\0');
        ::DdeGetData(data, reinterpret_cast<BYTE*>(commands.data()), size, 0);
        commands.resize(commands.find('\0') == std::string::npos ? size : commands.find('\0'));
        return reinterpret_cast<HDDEDATA>(
            static_cast<ULONG_PTR>(Execute(commands) ? DDE_FACK : DDE_FNOTPROCESSED));
    }
    case XTYP_REQUEST: {
        std::string text = format == CF_TEXT ? Reply(StringOf(item)) : std::string();
        if (text.empty() && !Same(StringOf(item), "GROUPS")) {
            return nullptr;
        }
        return ::DdeCreateDataHandle(instance, reinterpret_cast<BYTE*>(text.data()),
                                     static_cast<DWORD>(text.size() + 1), 0, item, CF_TEXT, 0);
    }
    default: return nullptr;
    }
}

BOOL CALLBACK ToTop(HWND window, LPARAM) {
    ::SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return TRUE;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        return 1;
    }
    recordPath = argv[1];
    std::string base = argv[2];
    HANDLE ready = ::OpenEventA(EVENT_MODIFY_STATE, FALSE, (base + "_ready").c_str());
    HANDLE stop = ::OpenEventA(SYNCHRONIZE, FALSE, (base + "_stop").c_str());
    if (ready == nullptr || stop == nullptr ||
        ::DdeInitializeA(&instance, &Callback, CBF_FAIL_POKES | CBF_FAIL_ADVISES, 0) != DMLERR_NO_ERROR) {
        return 2;
    }
    serviceName = ::DdeCreateStringHandleA(instance, "PROGMAN", CP_WINANSI);
    if (::DdeNameService(instance, serviceName, nullptr, DNS_REGISTER) == nullptr) {
        return 3;
    }
    // Wine's desktop shell serves "PROGMAN" too; a broadcast reaches the
    // windows from the top, so the test's server goes above it.
    ::EnumThreadWindows(::GetCurrentThreadId(), &ToTop, 0);
    ::SetEvent(ready);
    DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < 60000 &&
           ::MsgWaitForMultipleObjects(1, &stop, FALSE, 1000, QS_ALLINPUT) != WAIT_OBJECT_0) {
        MSG message;
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
        }
    }
    ::DdeNameService(instance, serviceName, nullptr, DNS_UNREGISTER);
    ::DdeFreeStringHandle(instance, serviceName);
    ::DdeUninitialize(instance);
    return 0;
}
