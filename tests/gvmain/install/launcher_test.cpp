// The launcher as a person or a script meets it: the removals that start
// from its media without anyone's help (the roll-back of an abandoned
// unattended run through the file mover in the Windows directory, the
// uninstaller with "/S" and its copy at the drive root; the installed
// uninstaller's own command with "/S"), both leaving nothing of the
// product or the uninstaller behind, and its restart question.
#include "gvmain/engine/run_events.h"
#include "gvmain/ops/file_operations.h"
#include "gvmain/ops/registry_operations.h"
#include "gvmain/resources/dialog_ids.h"
#include "tests/gvmain/install/install_support.h"

#include <gtest/gtest.h>

namespace gvmain {
namespace {

using test::Exists;
using test::InstallRun;
using test::Media;

constexpr char uninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\GvSmallTest";
constexpr int handedOver = 1;  // the uninstaller's exit once its copy at the root took over

std::string UninstallString() {
    return test::RegistryText(HKEY_LOCAL_MACHINE, uninstallKey, "UninstallString");
}

std::string WindowsFile(const std::string& name) {
    return DetectEnvironment().windowsDirectory + "\\" + name;
}

// The run's error log, which the launcher and the unattended uninstaller
// share in the temporary directory.
std::string ErrorLog() {
    char temp[MAX_PATH] = "";
    ::GetTempPathA(sizeof temp, temp);
    return test::ReadBytes(std::string(temp) + "gverrors.log");
}

bool Removed(const std::string& app) {
    return !Exists(app) && !Exists("C:\\gvmain.exe") && !Exists("C:\\gvenu.dll") &&
           UninstallString().empty() && !Exists(WindowsFile("movexe.ini"));
}

// The uninstaller and its file mover end on their own: wait for them.
void WaitUntilRemoved(const std::string& app) {
    test::WaitUntil([&] { return Removed(app); });
    ::Sleep(300);  // the mover's last step after the copy at the root is gone
}

void ExpectRemoved(const std::string& app) {
    EXPECT_FALSE(Exists(app));
    EXPECT_EQ(UninstallString(), "");
    for (const char* name : {"C:\\gvmain.exe", "C:\\gvenu.dll", "C:\\gvlog3.000"}) {
        EXPECT_FALSE(Exists(name)) << name;
    }
    EXPECT_FALSE(Exists(WindowsFile("movexe.ini")));
    char back[MAX_PATH] = "";
    ::GetProfileStringA("GVMAIN", "b", "", back, sizeof back);
    EXPECT_EQ(std::string(back), "");
    // Kept on purpose: the launcher's file mover, for later removals.
    EXPECT_TRUE(Exists(WindowsFile("movexe.exe")));
}

// What a failed removal may leave, so that the other tests start clean.
struct Leftovers {
    ~Leftovers() {
        test::RecordingHost host;
        DeleteKey({uninstallKey, RootLocalMachine}, host, nullptr);
        for (const char* name : {"C:\\gvmain.exe", "C:\\gvenu.dll", "C:\\gvlog3.000"}) {
            DeleteQuietly(name);
        }
        ::WriteProfileStringA("GVMAIN", nullptr, nullptr);
    }
};

TEST(Launcher, AnAbandonedUnattendedRunIsRolledBackToNothing) {
    InstallRun install("gvrollback");
    Leftovers leftovers;
    ::DeleteFileA(WindowsFile("movexe.exe").c_str());  // the launcher brings its own

    ASSERT_EQ(test::RunProcess(Media("small\\setup.exe"), install.app + " 1 /S"), RunRolledBack);
    std::string errors = ErrorLog();
    WaitUntilRemoved(install.app);

    ExpectRemoved(install.app);
    EXPECT_EQ(ErrorLog(), errors);  // the unattended uninstaller met no error
}

TEST(Launcher, TheInstalledUninstallCommandWithSRemovesTheProduct) {
    InstallRun install("gvuninst");
    Leftovers leftovers;
    ASSERT_EQ(test::RunProcess(Media("small\\setup.exe"), install.app + " 0 /S"), RunCompleted);
    ASSERT_TRUE(Exists(install.app + "\\readme.txt"));
    std::string command = UninstallString();
    ASSERT_EQ(command, install.app + "\\uninst\\gvmain.exe");
    std::string errors = ErrorLog();

    EXPECT_EQ(test::RunProcess(command, "/S"), handedOver);
    WaitUntilRemoved(install.app);

    ExpectRemoved(install.app);
    EXPECT_EQ(ErrorLog(), errors);
}

// Runs the launcher and presses, in turn, button `id` of the dialog with
// each caption once it shows (in the launcher's or the engine's process);
// returns the exit code and how many were pressed.
std::pair<int, size_t> RunAnswering(const std::string& arguments,
                                    const std::vector<std::pair<std::string, int>>& answers) {
    std::string command = "\"" + Media("small\\setup.exe") + "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &started)) {
        return {-1, 0};
    }
    ::CloseHandle(started.hThread);
    size_t pressed = 0;
    for (DWORD start = ::GetTickCount();
         ::WaitForSingleObject(started.hProcess, 100) == WAIT_TIMEOUT && ::GetTickCount() - start < 60000;) {
        HWND box =
            pressed < answers.size() ? ::FindWindowA("#32770", answers[pressed].first.c_str()) : nullptr;
        if (box && ::IsWindowVisible(box)) {
            ::PostMessageA(::GetDlgItem(box, answers[pressed].second), BM_CLICK, 0, 0);
            ++pressed;
        }
    }
    DWORD code = 0;
    if (::WaitForSingleObject(started.hProcess, 0) != WAIT_OBJECT_0) {
        ::TerminateProcess(started.hProcess, 99);
    }
    ::GetExitCodeProcess(started.hProcess, &code);
    ::CloseHandle(started.hProcess);
    return {static_cast<int>(code), pressed};
}

// Presses button `id` of the dialog captioned `caption` once it shows in
// any process; false when it has not shown within a minute.
bool PressWhenShown(const std::string& caption, int id) {
    return test::WaitUntil([&] {
        HWND box = ::FindWindowA("#32770", caption.c_str());
        bool shown = box && ::IsWindowVisible(box) && ::IsWindowEnabled(::GetDlgItem(box, id));
        return shown && ::PostMessageA(::GetDlgItem(box, id), BM_CLICK, 0, 0);
    });
}

// The same abandonment with someone at the screen: the file mover starts
// the uninstaller without "/S", whose view removes the product once they
// start and confirm it, and which they close when it is done.
TEST(Launcher, AnAbandonedRunIsRolledBackInFrontOfThePerson) {
    InstallRun install("gvrollview");
    Leftovers leftovers;
    auto [result, pressed] = RunAnswering(install.app + " 1", {{"Abort", IDC_MSGBOX_BUTTON}});
    EXPECT_EQ(pressed, 1u);
    EXPECT_EQ(result, RunRolledBack);
    EXPECT_TRUE(PressWhenShown("Uninstall Gv Small Test", IDOK));
    EXPECT_TRUE(PressWhenShown("Confirm Removal", IDC_MSGBOX_BUTTON));
    test::WaitUntil([&] { return !Exists(install.app); });
    EXPECT_TRUE(PressWhenShown("Uninstall Gv Small Test", IDCANCEL));  // closes the finished view
    WaitUntilRemoved(install.app);
    ExpectRemoved(install.app);
}

// A DOS restart chosen in the engine's completion box: the launcher asks
// before it restarts the computer, and "No" leaves it running.
TEST(Launcher, AsksBeforeRestartingTheComputer) {
    InstallRun install("gvrestart");
    Leftovers leftovers;
    auto [result, pressed] = RunAnswering(install.app + " 4", {{install.app + "\\autoexec.bat", IDOK},
                                                               {"Installation Completed", IDC_MSGBOX_BUTTON},
                                                               {"Setup", IDNO}});
    EXPECT_EQ(pressed, 3u);
    EXPECT_EQ(result, RunDosRestart);
}

}  // namespace
}  // namespace gvmain
