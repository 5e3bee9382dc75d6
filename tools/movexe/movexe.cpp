// movexe.exe: waits until the program that started it has ended (its file
// is then free), carries out the order of "movexe.ini" in the Windows
// directory and deletes that file. The order is read and the file deleted
// before anything is started, since a started uninstaller writes its own
// order when it ends. A started program gets the mover's own arguments
// (the launcher's "/S" for an unattended roll-back).
#include "tools/movexe/mover_order.h"

#include <windows.h>

// After windows.h, which it needs.
#include <tlhelp32.h>

#include <string>

namespace {

constexpr DWORD parentWaitMs = 120000;
// The file of a program that has just ended may stay locked for a moment.
constexpr int fileTries = 50;
constexpr DWORD fileRetryMs = 100;

DWORD ParentProcessId() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        return 0;
    }
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    DWORD self = GetCurrentProcessId();
    DWORD parent = 0;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        if (entry.th32ProcessID == self) {
            parent = entry.th32ParentProcessID;
            break;
        }
    }
    CloseHandle(snapshot);
    return parent;
}

// The program-start call that started us waits until we wait for input
// (or for 30 seconds): one short wait for a timer lets the starter go on,
// and end, at once.
void WaitForInput() {
    UINT_PTR timer = SetTimer(nullptr, 0, 1, nullptr);
    MSG message;
    GetMessageA(&message, nullptr, WM_TIMER, WM_TIMER);
    KillTimer(nullptr, timer);
}

void WaitForParent() {
    DWORD parent = ParentProcessId();
    HANDLE process = parent ? OpenProcess(SYNCHRONIZE, FALSE, parent) : nullptr;
    if (process) {
        WaitForSingleObject(process, parentWaitMs);
        CloseHandle(process);
    }
}

std::string IniPath() {
    char directory[MAX_PATH] = "";
    GetWindowsDirectoryA(directory, sizeof directory);
    std::string path = directory;
    return path + (path.empty() || path.back() != '\\' ? "\\" : "") + "movexe.ini";
}

std::string Key(const std::string& ini, const char* key) {
    char value[MAX_PATH + 1] = "";
    GetPrivateProfileStringA("x", key, "", value, sizeof value, ini.c_str());
    return value;
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool DeleteOnce(const std::string& path) {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    return DeleteFileA(path.c_str()) || !Exists(path);
}

bool MoveOnce(const std::string& from, const std::string& to) {
    if (!Exists(from)) {
        return true;  // the program moved it itself
    }
    if (Exists(to) && !DeleteOnce(to)) {
        return false;
    }
    return MoveFileA(from.c_str(), to.c_str()) ||
           (CopyFileA(from.c_str(), to.c_str(), FALSE) && DeleteOnce(from));
}

template <typename Step>
bool Retry(Step step) {
    for (int i = 0; i < fileTries; ++i) {
        if (step()) {
            return true;
        }
        Sleep(fileRetryMs);
    }
    return false;
}

// The arguments after the program's own name.
std::string OwnArguments() {
    const char* line = GetCommandLineA();
    bool quoted = false;
    for (; *line != '\0' && (quoted || (*line != ' ' && *line != '\t')); ++line) {
        quoted = *line == '"' ? !quoted : quoted;
    }
    while (*line == ' ' || *line == '\t') {
        ++line;
    }
    return line;
}

bool Start(const std::string& program) {
    std::string directory = program.substr(0, program.find_last_of('\\') + 1);
    std::string arguments = OwnArguments();
    std::string command = "\"" + program + "\"" + (arguments.empty() ? "" : " " + arguments);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        directory.empty() ? nullptr : directory.c_str(), &startup, &started)) {
        return false;
    }
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return true;
}

bool Carry(const movexe::Order& order) {
    std::string destination = movexe::Destination(order);
    switch (movexe::ActionOf(order)) {
    case movexe::Action::Nothing: return true;
    case movexe::Action::Delete: return Retry([&] { return DeleteOnce(order.file); });
    case movexe::Action::Move: return Retry([&] { return MoveOnce(order.file, destination); });
    case movexe::Action::Start: return Start(destination);
    case movexe::Action::MoveAndStart:
        return Retry([&] { return MoveOnce(order.file, destination); }) && Start(destination);
    }
    return false;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    WaitForInput();
    WaitForParent();
    std::string ini = IniPath();
    movexe::Order order{Key(ini, "f"), Key(ini, "t"), Key(ini, "x") == "1"};
    DeleteFileA(ini.c_str());
    return Carry(order) ? 0 : 1;
}
