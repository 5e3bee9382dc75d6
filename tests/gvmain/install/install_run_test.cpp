#include "gvmain/engine/install_screen.h"
#include "gvmain/engine/log_finish.h"
#include "gvmain/format/log_reader.h"
#include "gvmain/ops/file_operations.h"
#include "gvmain/ops/registry_operations.h"
#include "gvmain/ops/shared_files.h"
#include "gvmain/resources/dialog_ids.h"
#include "tests/gvmain/engine/dialog_test_support.h"
#include "tests/gvmain/install/install_support.h"
#include "tests/gvmain/ops/file_holder.h"
#include "tests/gvmain/ops/progman_server.h"

#include <gtest/gtest.h>

namespace gvmain {
namespace {

using test::Exists;
using test::InstallRun;
using test::Media;
using test::ReadBytes;
using test::RegistryText;

constexpr char fullKey[] = "Software\\GvmainTests\\Full";
constexpr char serverKey[] = "Software\\GvmainTests\\Server";

size_t LogRecords(const std::string& path) {
    LogContents contents = ReadOperationLog(path);
    EXPECT_EQ(contents.error, "") << path;
    return contents.records.size();
}

// What a run of the full product changed, checked and then removed again
// so that each test starts from the same system.
class FullProduct {
public:
    explicit FullProduct(InstallRun& install) : install_(install) {}
    ~FullProduct() {
        test::RecordingHost host;
        DeleteKey({fullKey, RootCurrentUser}, host, nullptr);
        DeleteKey({serverKey, RootCurrentUser}, host, nullptr);
        DeleteKey({"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\GvFullTest", RootLocalMachine},
                  host, nullptr);
        RemoveFontResourceA((install_.app + "\\gvtest.ttf").c_str());
        RemoveSharedCount(SharedFile());
        DeleteQuietly(SharedFile());
    }

    std::string SharedFile() const { return install_.environment.systemDirectory + "\\gvfullshared.txt"; }

    void ExpectInstalled(const std::string& dataDirectory) {
        const std::string& app = install_.app;
        EXPECT_EQ(ReadBytes(app + "\\readme.txt"), ReadBytes(Media("stage\\files\\readme.txt")));
        EXPECT_EQ(ReadBytes(app + "\\" + dataDirectory + "\\data.bin"),
                  ReadBytes(Media("stage\\files\\data.bin")));
        char owner[MAX_PATH] = "";
        GetPrivateProfileStringA("Settings", "Owner", "", owner, sizeof owner, (app + "\\full.ini").c_str());
        EXPECT_STREQ(owner, "Ann of Example");
        EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, fullKey, "Directory"), app);
        EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, serverKey, "Registered"), std::string("\x01"));
        uint32_t count = 0;
        EXPECT_TRUE(ReadSharedCount(SharedFile(), count));
        EXPECT_EQ(count, 1u);
        EXPECT_TRUE(Exists(app + "\\uninst\\gvmain.exe"));
        EXPECT_TRUE(Exists(app + "\\uninst\\gvenu.dll"));
        // Every change of the run is in the kept log, the font's among them.
        LogContents log = ReadOperationLog(NumberedLogPath(app + "\\uninst", 0));
        ASSERT_EQ(log.error, "");
        EXPECT_EQ(log.header.productName, "Gv Full Test");
        bool font = false;
        for (const auto& record : log.records) {
            font = font || record->Kind() == 21;
        }
        EXPECT_TRUE(font);
        EXPECT_GE(log.records.size(), 10u);
    }

private:
    InstallRun& install_;
};

TEST(InstallRun, AnInteractiveRunInstallsEveryKindOfChange) {
    InstallRun install;
    FullProduct product(install);
    test::ProgmanServer progman(install.dir / "progman.txt");
    ASSERT_TRUE(progman.Serving());
    install.Launch(Media("full"), install.app);
    std::string completion;
    WhenDialogAppears("Installation", [&](HWND step) {
        WhenDialogAppears("User Information", [&](HWND info) {
            WhenDialogAppears("Options", [&](HWND options) {
                WhenDialogAppears("Installation Completed", [&](HWND box) {
                    completion = WindowText(GetDlgItem(box, IDC_MSGBOX_TEXT));
                    ClickButton(box, IDC_MSGBOX_BUTTON);
                });
                SetDlgItemTextA(options, 101, "files");
                ClickButton(options, 102);
            });
            ClickButton(info, IDOK);
        });
        EXPECT_TRUE(SaveScreenshot(GetWindow(step, GW_OWNER), "install_run_welcome"));
        ClickButton(step, IDC_MSGBOX_BUTTON);
    });
    EXPECT_EQ(install.Install(), RunCompleted);
    EXPECT_EQ(install.Errors(), "");
    EXPECT_EQ(completion, "Congratulations!\nGv Full Test has been installed successfully");
    product.ExpectInstalled("files");
    std::string commands;
    for (const std::string& command : progman.Commands()) {
        commands += command;
    }
    EXPECT_NE(commands.find("Gv Full Readme"), std::string::npos) << commands;
}

// The install screen's exit button, pressed during the first step: the
// abort question, and after "&Yes" no further event runs.
TEST(InstallRun, TheScreensExitButtonAbandonsTheRunAfterAsking) {
    InstallRun install;
    install.Launch(Media("full"), install.app);
    std::string asked;
    WhenDialogAppears("Installation", [&](HWND step) {
        HWND screen = GetWindow(step, GW_OWNER);
        WhenDialogAppears("Query Abort", [&asked, step](HWND box) {
            asked = WindowText(GetDlgItem(box, IDC_MSGBOX_TEXT));
            ClickButton(box, IDC_MSGBOX_BUTTON);
            ClickButton(step, IDC_MSGBOX_BUTTON);
        });
        PostMessageA(screen, WM_COMMAND, MAKEWPARAM(screenExitButton, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(screen, screenExitButton)));
    });
    EXPECT_EQ(install.Install(), RunFailed);  // nothing installed yet: no roll-back needed
    EXPECT_EQ(asked, "Installation is incomplete\nAre you sure you want to abort the installation?");
    EXPECT_FALSE(Exists(install.app));
    EXPECT_TRUE(Exists(install.run + "\\gvlog3.nnn"));
}

TEST(InstallRun, TheSameProductUnattendedThroughTheLauncher) {
    InstallRun install;
    FullProduct product(install);
    test::ProgmanServer progman(install.dir / "progman.txt");
    ASSERT_TRUE(progman.Serving());
    EXPECT_EQ(test::RunProcess(Media("full\\setup.exe"), install.app + " /S"), RunCompleted);
    product.ExpectInstalled("data");  // the variable's value, as nobody edited it
}

TEST(InstallRun, RestartsForALockedFileAndForAutoexecBat) {
    InstallRun locked;
    test::RecordingHost host;
    CreateDirectory(locked.app, host, nullptr);
    test::WriteBytes(locked.app + "\\readme.txt", "old");
    {
        test::FileHolder holder(locked.app + "\\readme.txt");
        ASSERT_TRUE(holder.Holding());
        locked.Launch(Media("small"), locked.app + " 0 /S");
        EXPECT_EQ(locked.Install(), RunWindowsRestart);
    }
    EXPECT_EQ(locked.Errors(), "");
    InstallRun dos;
    dos.Launch(Media("small"), dos.app + " 4 /S");
    EXPECT_EQ(dos.Install(), RunDosRestart);
    EXPECT_NE(ReadBytes(dos.app + "\\autoexec.bat").find("SET GVSMALL=" + dos.app), std::string::npos);
}

TEST(InstallRun, AnAbandonedRunWithTheUninstallerInPlaceIsRolledBack) {
    InstallRun install;
    install.Launch(Media("small"), install.app + " 1 /S");
    EXPECT_EQ(install.Install(), RunRolledBack);
    std::string back = install.app + "\\uninst";
    EXPECT_GE(LogRecords(NumberedLogPath(back, 0)), 1u);
    std::string ini = install.dir / "movexe.ini";
    char engine[MAX_PATH] = "";
    GetPrivateProfileStringA("x", "f", "", engine, sizeof engine, ini.c_str());
    EXPECT_EQ(std::string(engine), back + "\\gvmain.exe");
    EXPECT_EQ(GetPrivateProfileIntA("x", "x", 0, ini.c_str()), 1);
    test::RecordingHost host;
    DeleteKey({"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\GvSmallTest", RootLocalMachine},
              host, nullptr);
}

// Unattended, the launcher asks nothing and ends with the engine's result
// (its roll-back and restart question: launcher_test.cpp).
TEST(InstallRun, TheLauncherEndsWithTheEnginesResult) {
    InstallRun dos;
    EXPECT_EQ(test::RunProcess(Media("small\\setup.exe"), dos.app + " 4 /S"), RunDosRestart);
    test::RecordingHost host;
    DeleteKey({"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\GvSmallTest", RootLocalMachine},
              host, nullptr);
}

TEST(InstallRun, AddedToThePreviousInstallationTheNewestLogGrows) {
    InstallRun install;
    install.Launch(Media("small"), install.app + " 0 /S");
    ASSERT_EQ(install.Install(), RunCompleted);
    std::string back = install.app + "\\uninst";
    size_t first = LogRecords(NumberedLogPath(back, 0));
    ASSERT_EQ(install.Install(), RunCompleted);
    EXPECT_GT(LogRecords(NumberedLogPath(back, 0)), first);
    EXPECT_FALSE(Exists(NumberedLogPath(back, 1)));
    test::RecordingHost host;
    DeleteKey({"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\GvSmallTest", RootLocalMachine},
              host, nullptr);
}

TEST(InstallRun, ACdRomReadsTheSecondDiskFromItsSiblingDirectory) {
    InstallRun install;
    install.Launch(Media("disks\\disk001"), install.app + " /S");
    EXPECT_EQ(install.Install(MediaKind::CdRom), RunCompleted);
    EXPECT_EQ(install.packaging, PackagingMode::DiskDirectories);
    EXPECT_EQ(install.Errors(), "");
    EXPECT_EQ(ReadBytes(install.app + "\\second.bin"), ReadBytes(Media("stage\\files\\second.bin")));
}

TEST(InstallRun, AFloppyCannotHoldDiskDirectories) {
    InstallRun install;
    install.Launch(Media("disks\\DISK001"), install.app + " /S");
    EXPECT_EQ(install.Install(MediaKind::Floppy), test::initRefused);
    EXPECT_EQ(install.Errors(), "Invalid packaging-media combination\r\n");
}

TEST(InstallRun, TheLanguageFollowsTheLocaleWithinTheScriptsLanguages) {
    char saved[32] = "";
    GetProfileStringA("Intl", "sLanguage", "", saved, sizeof saved);
    std::vector<int32_t> chosen;
    for (const char* code : {"ena", "xyz", "deu"}) {
        WriteProfileStringA("Intl", "sLanguage", code);
        InstallRun install;
        install.Launch(Media("small"), install.app + " 0 /S");
        EXPECT_EQ(install.Install(), RunCompleted);
        chosen.push_back(install.languageNumber);
    }
    WriteProfileStringA("Intl", "sLanguage", saved[0] != '\0' ? saved : nullptr);
    // UK English by its alias; US English for an unknown code; German is
    // not among the script's languages, whose default is UK English.
    EXPECT_EQ(chosen, (std::vector<int32_t>{2, 3, 2}));
    test::RecordingHost host;
    DeleteKey({"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\GvSmallTest", RootLocalMachine},
              host, nullptr);
}

TEST(InstallRun, AThousandLogsRefuseAnotherAndTheRunSaysSo) {
    InstallRun install;
    FullProduct product(install);
    test::ProgmanServer progman(install.dir / "progman.txt");
    ASSERT_TRUE(progman.Serving());
    test::RecordingHost host;
    CreateDirectory(install.app + "\\uninst", host, nullptr);
    for (int n = 0; n <= maxLogNumber; ++n) {
        test::WriteBytes(NumberedLogPath(install.app + "\\uninst", n), "");
    }
    install.Launch(Media("full"), install.app + " /S");
    EXPECT_EQ(install.Install(), RunFailed);
    EXPECT_EQ(install.Errors(),
              "Unable to keep the operation log: " + install.app + "\\uninst holds logs 000 to 999\r\n");
    EXPECT_GT(LogRecords(install.run + "\\gvlog3.nnn"), 0u);  // kept where it was
}

TEST(InstallRun, StartUpFailuresEndWithTheirMessage) {
    InstallRun damaged;
    damaged.Launch(Media("small"), "/S");
    test::WriteBytes(damaged.run + "\\gvmain.ini", std::string("\xff\xfe[\0x]\r\np", 10));
    std::string shown;
    WhenDialogAppears("Error", [&shown](HWND box) {
        shown = WindowText(GetDlgItem(box, IDC_MSGBOX_TEXT));
        ClickButton(box, IDC_MSGBOX_BUTTON);
    });
    EXPECT_EQ(damaged.Install(), test::initRefused);
    EXPECT_EQ(shown, "p or sz undefined in gvmain.ini");

    InstallRun missing;
    missing.Launch(Media("small"), "/S");
    DeleteQuietly(missing.run + "\\install.inf");
    EXPECT_EQ(missing.Install(), test::initRefused);
    EXPECT_EQ(missing.Errors(), "install.inf or setup.inf not found\r\n");

    InstallRun cut;
    cut.Launch(Media("small"), "/S");
    std::string script = ReadBytes(cut.run + "\\install.inf");
    test::WriteBytes(cut.run + "\\install.inf", script.substr(0, script.size() / 2));
    EXPECT_EQ(cut.Install(), test::initRefused);
    EXPECT_EQ(cut.Errors(), "Unable to load " + cut.run + "\\install.inf\r\n");
}

BOOL WINAPI NoSpace(LPCSTR, PULARGE_INTEGER available, PULARGE_INTEGER, PULARGE_INTEGER) {
    available->QuadPart = 5000;
    return TRUE;
}

TEST(InstallRun, AFullDiskStopsTheRunBeforeAnythingIsCopied) {
    InstallRun install;
    install.environment.freeSpace = &NoSpace;
    install.Launch(Media("small"), install.app + " 0 /S");
    EXPECT_EQ(install.Install(), RunFailed);
    EXPECT_EQ(install.Errors(),
              "There is not enough free space on the disk.\n\nNeeded: 10 KB\nFree: 0 KB\r\n");
    EXPECT_FALSE(Exists(install.app + "\\readme.txt"));
}

// The decompressor is found beside this runner too: only a launched
// engine in a run directory of its own misses it, when the media lack it.
TEST(InstallRun, WithoutTheDecompressorNothingIsInstalled) {
    InstallRun install;
    std::string media = install.dir / "media";
    test::CopyFiles(Media("small"), media);
    DeleteQuietly(media + "\\lzpunz2.dll");
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    std::string errors = std::string(temp) + "gverrors.log";
    DeleteQuietly(errors);
    EXPECT_EQ(test::RunProcess(media + "\\setup.exe", install.app + " 0 /S"), RunFailed);
    EXPECT_NE(ReadBytes(errors).find("Unable to install the file " + install.app + "\\readme.txt"),
              std::string::npos)
        << ReadBytes(errors);
    EXPECT_FALSE(Exists(install.app + "\\readme.txt"));
    DeleteQuietly(errors);
}

// The values of an entry of "results.ini", split at '|'.
std::vector<std::string> Results(const std::string& app, const char* entry) {
    char value[2048] = "";
    GetPrivateProfileStringA("Results", entry, "", value, sizeof value, (app + "\\results.ini").c_str());
    std::vector<std::string> values(1);
    for (const char* c = value; *c != '\0'; ++c) {
        if (*c == '|') {
            values.emplace_back();
        } else {
            values.back() += *c;
        }
    }
    return values;
}

// Every event type once from a script gvbuild wrote; unattended, the
// dialogs keep the values and take their default answers.
TEST(InstallRun, EveryEventTypeFromAScriptOfTheBuildTool) {
    InstallRun install;
    test::ProgmanServer progman(install.dir / "progman.txt");
    ASSERT_TRUE(progman.Serving());
    install.Launch(Media("events"), install.app + " /S");
    EXPECT_EQ(install.Install(), RunCompleted);
    EXPECT_EQ(install.Errors(), "");
    const std::string& app = install.app;
    std::vector<std::string> texts = Results(app, "texts");
    std::vector<std::string> numbers = Results(app, "numbers");
    ASSERT_EQ(numbers.size(), 16u);
    EXPECT_EQ(texts, (std::vector<std::string>{"Ann", "Example", "dir " + install.run + "$", texts[3],
                                               app + "\\deep\\er\\target.vor", app + "\\data", "42", "240",
                                               "c:\\vorlen", "vorlen.exe", "/S"}));
    EXPECT_EQ(numbers[1], texts[3].empty() ? "0" : "1");  // a CD-ROM drive and its root, or none
    numbers[1] = "-";
    // code, CD, size, number, result, found, exist, keyExist, converted,
    // isyes ("No"), flag, flag2, answer ("sz"), argc, dialog (its first
    // button), status (the finish event's DOS restart)
    EXPECT_EQ(numbers, (std::vector<std::string>{"7", "-", "120", "241", "1", "1", "1", "1", "-17", "0", "1",
                                                 "1", "1", "2", "1", "4"}));
    std::vector<std::string> system = Results(app, "system");
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);
    EXPECT_EQ(system[0], install.environment.windowsDirectory);
    EXPECT_EQ(system[1], install.environment.systemDirectory);
    EXPECT_EQ(system[2], install.run);
    EXPECT_EQ(system[3],
              std::to_string(version.dwMajorVersion) + "." + std::to_string(version.dwMinorVersion));
    EXPECT_TRUE(system[4] == "0" || system[4] == "386" || system[4] == "486" || system[4] == "586");
    // The changes themselves.
    EXPECT_EQ(ReadBytes(app + "\\readme.txt"), ReadBytes(Media("stage\\files\\readme.txt")));
    EXPECT_NE(ReadBytes(app + "\\autoexec.bat").find("SET GVEVENTS=1"), std::string::npos);
    EXPECT_FALSE(Exists(app + "\\deep\\er\\target.vor"));
    EXPECT_TRUE(Exists(app + "\\uninst\\gvmain.exe"));
    std::string commands;
    for (const std::string& command : progman.Commands()) {
        commands += command + "\n";
    }
    for (const char* expected : {"[AddItem(", "[DeleteItem(", "[DeleteGroup("}) {
        EXPECT_NE(commands.find(expected), std::string::npos) << commands;
    }
    test::RecordingHost host;
    DeleteKey({"Software\\GvmainTests\\Events", RootCurrentUser}, host, nullptr);
    DeleteKey({"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\GvEventsTest", RootLocalMachine},
              host, nullptr);
}

}  // namespace
}  // namespace gvmain
