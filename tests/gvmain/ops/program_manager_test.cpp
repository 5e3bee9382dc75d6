#include "gvmain/ops/program_manager_operations.h"

#include "gvmain/ops/dde_conversation.h"
#include "gvmain/ops/file_names.h"
#include "gvmain/ops/file_operations.h"
#include "gvmain/ops/file_undo_actions.h"
#include "gvmain/ops/program_manager_connection.h"
#include "gvmain/ops/program_manager_shell.h"
#include "tests/gvmain/ops/ops_test_support.h"
#include "tests/gvmain/ops/progman_server.h"

#include <gtest/gtest.h>

#include <dde.h>

#include <cstdlib>

namespace gvmain {
namespace {

using test::LogCapture;
using test::RecordingHost;
using test::ScratchDir;

std::string ShortForm(const std::string& path) {
    char shortPath[MAX_PATH] = "";
    ::GetShortPathNameA(path.c_str(), shortPath, sizeof shortPath);
    return shortPath;
}

void UndoLog(const std::string& path, OperationHost& host) {
    LogContents contents = ReadOperationLog(path);
    ASSERT_TRUE(contents.error.empty()) << contents.error;
    FileUndoActions undo(host);
    for (auto record = contents.records.rbegin(); record != contents.records.rend(); ++record) {
        EXPECT_TRUE((*record)->Undo(undo)) << (*record)->Kind();
    }
}

void ExpectSameItem(const ProgramItem& a, const ProgramItem& b) {
    EXPECT_EQ(a.title, b.title);
    EXPECT_EQ(a.commandLine, b.commandLine);
    EXPECT_EQ(a.iconPath, b.iconPath);
    EXPECT_EQ(a.iconIndex, b.iconIndex);
    EXPECT_EQ(a.workingDirectory, b.workingDirectory);
    EXPECT_EQ(a.hotKey, b.hotKey);
    EXPECT_EQ(a.minimized, b.minimized);
}

TEST(ProgramManagerDde, ARunningProgramManagerGetsTheCommandsAndTheUndoRestoresIt) {
    ScratchDir dir;
    test::WriteBytes(dir / "my app.exe", "MZ");
    std::string exe = ShortForm(dir / "my app.exe");
    ASSERT_EQ(exe.find(' '), std::string::npos) << exe;
    test::ProgmanServer server(dir / "commands.txt");
    ASSERT_TRUE(server.Serving());
    RecordingHost host;
    PmSession session(host);
    ASSERT_TRUE(session.Connected());

    ProgramItem kept;
    kept.group = "Old Group";
    kept.title = "Kept";
    kept.commandLine = dir / "my app.exe";
    ASSERT_TRUE(CreatePmItem(kept, host, nullptr));
    ProgramItem keptBefore;
    ASSERT_TRUE(session->GetItem("Old Group", "Kept", keptBefore));
    size_t earlier = server.Commands().size();

    LogCapture capture(dir / "pm.log");
    ProgramItem item;
    item.group = "Vorlen Test";
    item.title = "Vorlen";
    item.commandLine = dir / "my app.exe /b";
    item.iconPath = dir / "my app.exe";
    item.iconIndex = 1;
    ASSERT_TRUE(CreatePmItem(item, host, &capture.log));
    item.title = "Help";
    item.commandLine = "\"" + dir / "my app.exe\"";
    item.iconPath.clear();  // the program's own icon is named: Wine's shell fails on an empty field
    item.iconIndex = 0;
    item.workingDirectory = dir.Path();
    ASSERT_TRUE(CreatePmItem(item, host, &capture.log));
    item.title = "Placed";
    item.workingDirectory.clear();
    item.x = 10;
    item.y = 20;
    item.hotKey = 0x0641;
    item.minimized = true;
    ASSERT_TRUE(CreatePmItem(item, host, &capture.log));
    ASSERT_TRUE(DeletePmGroup("Old Group", host, &capture.log));

    std::vector<std::string> commands = server.Commands();
    commands.erase(commands.begin(), commands.begin() + earlier);
    EXPECT_EQ(commands, (std::vector<std::string>{
                            "[CreateGroup(\"Vorlen Test\")]",
                            "[ShowGroup(\"Vorlen Test\", 1)]",
                            "[AddItem(" + exe + " /b, \"Vorlen\", " + exe + ", 1)]",
                            "[ShowGroup(\"Vorlen Test\", 1)]",
                            "[AddItem(" + exe + ", \"Help\", " + exe + ", 0, , , " + ShortForm(dir.Path()) + ")]",
                            "[ShowGroup(\"Vorlen Test\", 1)]",
                            "[AddItem(" + exe + ", \"Placed\", " + exe + ", 0, 10, 20, , 1601, 1)]",
                            "[ShowGroup(\"Old Group\", 1)]",
                            "[DeleteItem(\"Kept\")]",
                            "[DeleteGroup(\"Old Group\")]",
                        }));
    EXPECT_EQ(capture.Lines(),
              (std::vector<std::string>{"12 Vorlen Test", "13 Vorlen Test|Vorlen", "13 Vorlen Test|Help",
                                        "13 Vorlen Test|Placed", "15 Old Group|1112", "14 Old Group"}));

    UndoLog(dir / "pm.log", host);
    EXPECT_FALSE(session->GroupExists("Vorlen Test"));
    ProgramItem keptAfter;
    ASSERT_TRUE(session->GetItem("Old Group", "Kept", keptAfter));
    ExpectSameItem(keptAfter, keptBefore);
    std::vector<std::string> titles;
    EXPECT_TRUE(session->ListItems("Old Group", titles));
    EXPECT_EQ(titles, std::vector<std::string>{"Kept"});
    EXPECT_TRUE(host.errors.empty());
    EXPECT_TRUE(host.questions.empty());
}

// Whether Program Manager is the system's shell comes from the run's
// platform flags: only then is its window kept minimised while connected.
TEST(ProgramManagerDde, ProgramManagerAsTheRunsShellIsMinimisedWhileConnected) {
    ScratchDir dir;
    test::ProgmanServer server(dir / "commands.txt");
    ASSERT_TRUE(server.Serving());
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &::DefWindowProcA;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "Progman";
    ::RegisterClassA(&windowClass);
    HWND shell = ::CreateWindowA("Progman", "Program Manager", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200,
                                 100, nullptr, nullptr, windowClass.hInstance, nullptr);
    ASSERT_NE(shell, nullptr);
    ASSERT_EQ(::FindWindowA("Progman", nullptr), shell);
    RecordingHost host;
    for (bool programManagerIsShell : {true, false}) {
        host.environment.shellIsNotProgman = !programManagerIsShell;
        {
            PmSession session(host);
            ASSERT_TRUE(session.Connected());
            EXPECT_EQ(::IsIconic(shell) != FALSE, programManagerIsShell);
        }
        EXPECT_FALSE(::IsIconic(shell));
    }
    ::DestroyWindow(shell);
    ::UnregisterClassA("Progman", windowClass.hInstance);
}

// A server that accepts the conversation but never answers a command.
LRESULT CALLBACK MuteServer(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    char service[64] = "";
    if (message == WM_DDE_INITIATE && ::GlobalGetAtomNameA(LOWORD(lParam), service, sizeof service) &&
        std::string(service) == "GVMUTE") {
        ::SendMessageA(reinterpret_cast<HWND>(wParam), WM_DDE_ACK, reinterpret_cast<WPARAM>(window),
                       MAKELPARAM(::GlobalAddAtomA("GVMUTE"), ::GlobalAddAtomA("PROGMAN")));
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

TEST(ProgramManagerDde, AServerThatNeverAnswersTimesOutAndAMissingOneFailsAtOnce) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &MuteServer;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "GvMuteDdeServer";
    ::RegisterClassA(&windowClass);
    HWND mute = ::CreateWindowA("GvMuteDdeServer", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(mute, nullptr) << ::GetLastError();

    DdeConversation conversation(300);
    ASSERT_TRUE(conversation.Open("GVMUTE", "PROGMAN"));
    DWORD start = ::GetTickCount();
    EXPECT_FALSE(conversation.Execute("[CreateGroup(\"x\")]"));
    DWORD waited = ::GetTickCount() - start;
    EXPECT_GE(waited, 280u);
    EXPECT_LT(waited, 5000u);
    conversation.Close();
    ::DestroyWindow(mute);

    EXPECT_FALSE(conversation.Open("GVNOSUCHSERVICE", "PROGMAN"));
}

// The shell-folder form runs in a child process of this runner, started
// with Wine reporting Windows 95 (the version is read once per process)
// and no Program Manager running: Wine's own desktop shell answers
// "PROGMAN" as the Windows 95 shell did, so the child gets a desktop of
// its own without a display, where nothing serves DDE.
constexpr char win95ChildVariable[] = "GVMAIN_WIN95_CHILD";

std::string FolderTree(const std::string& folder) {
    std::string tree;
    ForEachEntry(folder, [&](const std::string& name, bool isDirectory) {
        tree += name + (isDirectory ? "\\{" + FolderTree(JoinPath(folder, name)) + "}" : "") + ";";
        return true;
    });
    return tree;
}

void RunShellFolderRoundTrip() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    ASSERT_TRUE(::GetVersionExA(&version));
    ASSERT_EQ(version.dwPlatformId, DWORD{VER_PLATFORM_WIN32_WINDOWS});
    ScratchDir dir;
    test::WriteBytes(dir / "app.exe", "MZ");
    RecordingHost host;
    host.messages[147] = "%s holds items.";
    host.messages[148] = "Remove group";
    std::string programs = ShellFolderProgramManager::ProgramsFolder();
    ASSERT_FALSE(programs.empty());
    PmSession session(host);
    ASSERT_TRUE(session.Connected());
    for (const char* group : {"GvTest Old", "GvTest New", "GvTest Empty", "GvTest Later"}) {
        ASSERT_TRUE(DeletePmGroup(group, host, nullptr));  // left by an earlier run
    }

    ProgramItem old;
    old.group = "GvTest Old";
    old.title = "Old Item";
    old.commandLine = dir / "app.exe -x";
    old.workingDirectory = dir.Path();
    old.hotKey = 0x0642;
    ASSERT_TRUE(CreatePmItem(old, host, nullptr));
    ProgramItem oldRead;
    ASSERT_TRUE(session->GetItem("GvTest Old", "Old Item", oldRead));
    std::string before = FolderTree(programs);

    LogCapture capture(dir / "pm.log");
    ProgramItem item;
    item.group = "GvTest New";
    item.title = "Vorlen";
    item.commandLine = dir / "app.exe";
    item.iconPath = dir / "app.exe";
    ASSERT_TRUE(CreatePmItem(item, host, &capture.log));
    EXPECT_TRUE(test::Exists(JoinPath(programs, "GvTest New\\Vorlen.lnk")));
    item.title = "Minimised";
    item.minimized = true;
    ASSERT_TRUE(CreatePmItem(item, host, &capture.log));
    ASSERT_TRUE(DeletePmItem("GvTest New", "Vorlen", host, &capture.log));
    ASSERT_TRUE(DeletePmGroup("GvTest Old", host, &capture.log)) << ::testing::PrintToString(host.errors);
    ASSERT_TRUE(CreatePmGroup("GvTest Empty", host, &capture.log));
    EXPECT_FALSE(test::Exists(JoinPath(programs, "GvTest Old")));
    EXPECT_EQ(capture.Lines(),
              (std::vector<std::string>{"12 GvTest New", "13 GvTest New|Vorlen", "13 GvTest New|Minimised",
                                        "15 GvTest New|1112", "15 GvTest Old|1112", "14 GvTest Old",
                                        "12 GvTest Empty"}));

    UndoLog(dir / "pm.log", host);
    EXPECT_EQ(FolderTree(programs), before);
    ProgramItem restored;
    ASSERT_TRUE(session->GetItem("GvTest Old", "Old Item", restored));
    ExpectSameItem(restored, oldRead);
    EXPECT_EQ(restored.commandLine, old.commandLine);
    EXPECT_EQ(restored.workingDirectory, old.workingDirectory);
    EXPECT_EQ(restored.hotKey, old.hotKey);
    EXPECT_TRUE(host.errors.empty());

    // A group made by the installation that gained an item since goes only
    // with the user's consent.
    ASSERT_TRUE(CreatePmGroup("GvTest Later", host, nullptr));
    item.group = "GvTest Later";
    ASSERT_TRUE(CreatePmItem(item, host, nullptr));
    host.answers = {secondButton, firstButton};
    FileUndoActions undo(host);
    EXPECT_FALSE(undo.UndoGroupCreated("GvTest Later"));
    EXPECT_TRUE(undo.UndoGroupCreated("GvTest Later"));
    ASSERT_EQ(host.questions.size(), 2u);
    EXPECT_EQ(host.questions[0].text, "GvTest Later holds items.");
    EXPECT_EQ(host.questions[0].caption, "Remove group");
    EXPECT_FALSE(test::Exists(JoinPath(programs, "GvTest Later")));
    EXPECT_TRUE(DeletePmGroup("GvTest Old", host, nullptr));
}

class ShellFolderChild : public ::testing::Test {
public:
    void TestBody() override { RunShellFolderRoundTrip(); }
};

// Registered only in the child, so that the normal run does not count it.
const bool childRegistered =
    std::getenv(win95ChildVariable) != nullptr &&
    ::testing::RegisterTest("ShellFolderChild", "RoundTrip", nullptr, nullptr, __FILE__, __LINE__,
                            []() -> ::testing::Test* { return new ShellFolderChild; }) != nullptr;

// Sets a value under HKCU\Software\Wine for the life of the object.
class WineSetting {
public:
    WineSetting(const std::string& key, const char* name, const std::string& value) : name_(name) {
        ::RegCreateKeyExA(HKEY_CURRENT_USER, ("Software\\Wine" + key).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                          nullptr, &key_, nullptr);
        char old[64] = "";
        DWORD size = sizeof old;
        had_ = ::RegQueryValueExA(key_, name, nullptr, nullptr, reinterpret_cast<BYTE*>(old), &size) ==
               ERROR_SUCCESS;
        old_ = old;
        Set(value);
    }
    ~WineSetting() {
        if (had_) {
            Set(old_);
        } else {
            ::RegDeleteValueA(key_, name_);
        }
        ::RegCloseKey(key_);
    }
    WineSetting(const WineSetting&) = delete;
    WineSetting& operator=(const WineSetting&) = delete;

private:
    void Set(const std::string& value) {
        ::RegSetValueExA(key_, name_, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                         static_cast<DWORD>(value.size() + 1));
    }

    HKEY key_ = nullptr;
    const char* name_;
    bool had_ = false;
    std::string old_;
};

TEST(ProgramManagerShellFolders, OnWindows95WithoutProgramManagerItemsAreShortcutFiles) {
    ScratchDir dir;
    DWORD exitCode = 1;
    {
        WineSetting win95("", "Version", "win95");
        WineSetting noDisplay("\\Drivers", "Graphics", "null");
        HDESK noDisplayDesktop =
            ::CreateDesktopA("gvtest_no_display", nullptr, nullptr, 0, GENERIC_ALL, nullptr);
        char desktop[] = "gvtest_no_display";
        ::SetEnvironmentVariableA(win95ChildVariable, "1");
        char self[MAX_PATH] = "";
        ::GetModuleFileNameA(nullptr, self, sizeof self);
        std::string command = "\"" + std::string(self) + "\" --gtest_filter=ShellFolderChild.*";
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        ScopedHandle output(::CreateFileA((dir / "child.txt").c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                          &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = output.Get();
        startup.hStdError = output.Get();
        startup.lpDesktop = desktop;
        PROCESS_INFORMATION started{};
        BOOL ran = ::CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                    &startup, &started);
        ::SetEnvironmentVariableA(win95ChildVariable, nullptr);
        ASSERT_TRUE(ran);
        ScopedHandle process(started.hProcess);
        ::CloseHandle(started.hThread);
        ASSERT_EQ(::WaitForSingleObject(process.Get(), 60000), WAIT_OBJECT_0);
        ::GetExitCodeProcess(process.Get(), &exitCode);
        ::CloseDesktop(noDisplayDesktop);
    }
    std::string output = test::ReadBytes(dir / "child.txt");
    EXPECT_EQ(exitCode, 0u) << output;
    EXPECT_NE(output.find("[  PASSED  ] 1 test"), std::string::npos) << output;
}

}  // namespace
}  // namespace gvmain
