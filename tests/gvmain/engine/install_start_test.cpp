#include "gvmain/engine/completion_dialog.h"
#include "gvmain/engine/control_file.h"
#include "gvmain/engine/install_host.h"
#include "gvmain/engine/log_finish.h"
#include "gvmain/engine/os_info.h"
#include "gvmain/engine/packaging.h"
#include "gvmain/engine/program_entry.h"
#include "gvmain/ops/file_operations.h"
#include "gvmain/resources/dialog_ids.h"
#include "tests/gvmain/engine/dialog_test_support.h"
#include "tests/gvmain/ops/ops_test_support.h"

#include <gtest/gtest.h>

namespace gvmain {
namespace {

using test::ReadBytes;
using test::WriteBytes;

TEST(OsInfo, EachPlatformKind) {
    int reads = 0;
    auto shell = [&reads](std::optional<std::string> value) {
        return [&reads, value] {
            ++reads;
            return value;
        };
    };
    OsInfo nt4 = OsInfoOf(VER_PLATFORM_WIN32_NT, 4, 0, shell("progman.exe"));
    EXPECT_EQ(reads, 0);  // read only below version 4
    EXPECT_EQ(nt4.kind, PlatformNt);
    EXPECT_TRUE(nt4.newShell && nt4.shellIsNotProgman);
    EXPECT_EQ(nt4.systemRoot, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion");
    OsInfo nt351 = OsInfoOf(VER_PLATFORM_WIN32_NT, 3, 51, shell("PROGMAN.EXE"));
    EXPECT_TRUE(nt351.newShell);
    EXPECT_FALSE(nt351.shellIsNotProgman);
    OsInfo nt350 = OsInfoOf(VER_PLATFORM_WIN32_NT, 3, 50, shell("explorer.exe"));
    EXPECT_FALSE(nt350.newShell);
    EXPECT_TRUE(nt350.shellIsNotProgman);
    EXPECT_FALSE(OsInfoOf(VER_PLATFORM_WIN32_NT, 3, 51, shell(std::nullopt)).shellIsNotProgman);
    OsInfo win95 = OsInfoOf(VER_PLATFORM_WIN32_WINDOWS, 4, 0, shell(std::nullopt));
    EXPECT_EQ(win95.kind, PlatformWindows95);
    EXPECT_TRUE(win95.newShell && win95.shellIsNotProgman);
    OsInfo win32s = OsInfoOf(VER_PLATFORM_WIN32s, 1, 30, shell(std::nullopt));
    EXPECT_EQ(win32s.kind, PlatformWin32s);
    EXPECT_FALSE(win32s.newShell || win32s.shellIsNotProgman);
    EXPECT_EQ(win32s.systemRoot, "");
}

TEST(Packaging, ByMediaKindAndDisk001) {
    PackagingMode mode = PackagingMode::OnePlace;
    EXPECT_FALSE(ChoosePackaging(MediaKind::Floppy, "a:\\DISK001", &mode));
    EXPECT_TRUE(ChoosePackaging(MediaKind::Floppy, "a:\\", &mode));
    EXPECT_EQ(mode, PackagingMode::Floppies);
    EXPECT_TRUE(ChoosePackaging(MediaKind::CdRom, "d:\\setup\\Disk001\\", &mode));
    EXPECT_EQ(mode, PackagingMode::DiskDirectories);
    EXPECT_TRUE(ChoosePackaging(MediaKind::Fixed, "c:\\media\\disk0011", &mode));
    EXPECT_EQ(mode, PackagingMode::OnePlace);
    EXPECT_EQ(DiskDirectory("d:\\setup\\disk001\\", 1), "d:\\setup\\disk002");
    EXPECT_EQ(DiskDirectory("d:\\disk001", 11), "d:\\disk012");
}

TEST(ControlFile, KeysAndTheUnattendedSwitch) {
    test::ScratchDir dir{"gvctl"};
    std::string ini = dir / "gvmain.ini";
    WriteBytes(ini, "[x]\r\np=d:\\disk001\r\ncmdl=c:\\app /S\r\nsz=12\r\n");
    ControlFile control = ReadControlFile(ini);
    EXPECT_EQ(control.sourceDirectory, "d:\\disk001");
    EXPECT_EQ(control.sz, 12);
    EXPECT_TRUE(IsUnattended(control.commandLine));
    EXPECT_FALSE(IsUnattended("c:\\app /SX"));
    ASSERT_TRUE(WriteRunResult(ini, 6));
    EXPECT_EQ(GetPrivateProfileIntA("x", "r", -1, ini.c_str()), 6);
    WriteBytes(ini, std::string("\xff\xfe\0garbage[x\r\np", 14));
    EXPECT_EQ(ReadControlFile(ini).sourceDirectory, "");
}

class FakeMode : public ModeController {
public:
    FakeMode(std::vector<std::string>& calls, bool init) : calls_(calls), init_(init) {}
    bool Init() override {
        calls_.push_back("Init");
        return init_;
    }
    int32_t Run() override {
        calls_.push_back("Run");
        return RunDosRestart;
    }
    void Done() override { calls_.push_back("Done"); }

private:
    std::vector<std::string>& calls_;
    bool init_;
};

TEST(ProgramEntry, TheControlFileChoosesTheModeAndTakesTheResult) {
    test::ScratchDir dir{"gventry"};
    std::vector<std::string> calls;
    bool init = true;
    ControllerMakers makers;
    makers.install = [&](const EngineStart&) {
        calls.push_back("install");
        return std::make_unique<FakeMode>(calls, init);
    };
    makers.uninstall = [&](const EngineStart&) {
        calls.push_back("uninstall");
        return std::make_unique<FakeMode>(calls, init);
    };
    EngineStart start{GetModuleHandleA(nullptr), OsInfo{}, dir.Path()};
    WriteProfileStringA(uninstallSection, "gvtest", "1");
    EXPECT_EQ(ProgramEntry(start, makers), 0);
    char value[8] = "";
    GetProfileStringA(uninstallSection, "gvtest", "gone", value, sizeof value);
    EXPECT_STREQ(value, "gone");
    std::string ini = dir / "gvmain.ini";
    WriteBytes(ini, "[x]\r\np=c:\\\r\n");
    EXPECT_EQ(ProgramEntry(start, makers), 0);
    EXPECT_EQ(GetPrivateProfileIntA("x", "r", -1, ini.c_str()), RunDosRestart);
    EXPECT_EQ(calls, (std::vector<std::string>{"uninstall", "Init", "Run", "Done", "install", "Init", "Run",
                                               "Done"}));
    init = false;
    WriteBytes(ini, "[x]\r\np=c:\\\r\n");
    EXPECT_EQ(ProgramEntry(start, makers), 1);
    EXPECT_EQ(GetPrivateProfileIntA("x", "r", -1, ini.c_str()), -1);  // nothing written
    DeleteQuietly(ini);
    makers.uninstall = nullptr;  // a build without the uninstall mode
    EXPECT_EQ(ProgramEntry(start, makers), 1);
}

class LogFinishTest : public testing::Test {
protected:
    void SetUp() override {
        CreateDirectory(dir / "back", host, nullptr);
        finish.workingLog = dir / "gvlog3.nnn";
        finish.backDirectory = dir / "back";
        finish.windowsDirectory = dir.Path();
    }
    // A working log with `records` records of the directory made.
    void Work(int records) {
        OperationLog log;
        LogHeader header;
        header.productName = "Gv Finish";
        log.Open(finish.workingLog, header);
        for (int i = 0; i < records; ++i) {
            log.DirCreated("c:\\dir" + std::to_string(i));
        }
        log.Close();
    }
    size_t Records(int number) {
        LogContents contents = ReadOperationLog(NumberedLogPath(dir / "back", number));
        EXPECT_EQ(contents.error, "");
        return contents.records.size();
    }

    test::ScratchDir dir{"gvfinish"};
    test::RecordingHost host;
    LogFinish finish;
};

TEST_F(LogFinishTest, MovesToTheLowestFreeNumberOrAppendsToTheHighest) {
    WriteBytes(NumberedLogPath(dir / "back", 1), "x");
    Work(2);
    EXPECT_EQ(FinishLog(finish, host), FinishOutcome::Kept);
    EXPECT_EQ(Records(0), 2u);
    EXPECT_FALSE(test::Exists(finish.workingLog));
    Work(3);
    finish.append = true;
    ASSERT_TRUE(DeleteQuietly(NumberedLogPath(dir / "back", 1)));
    EXPECT_EQ(FinishLog(finish, host), FinishOutcome::Kept);
    EXPECT_EQ(Records(0), 5u);  // the newest log has them all
    EXPECT_EQ(host.errors, std::vector<std::string>{});
}

TEST_F(LogFinishTest, NothingIsKeptWithoutUninstallerOrRecords) {
    Work(0);
    EXPECT_EQ(FinishLog(finish, host), FinishOutcome::NothingToKeep);
    Work(1);
    finish.backDirectory.clear();
    EXPECT_EQ(FinishLog(finish, host), FinishOutcome::NothingToKeep);
    EXPECT_FALSE(test::Exists(NumberedLogPath(dir / "back", 0)));
}

TEST_F(LogFinishTest, ARollBackPreparesTheFileMoverAndNeverAppends) {
    Work(1);
    WriteBytes(NumberedLogPath(dir / "back", 0), "older");
    finish.append = true;
    finish.rollBack = true;
    EXPECT_EQ(FinishLog(finish, host), FinishOutcome::Kept);
    EXPECT_EQ(ReadBytes(NumberedLogPath(dir / "back", 0)), "older");
    EXPECT_EQ(Records(1), 1u);
    std::string ini = dir / "movexe.ini";
    char value[MAX_PATH] = "";
    GetPrivateProfileStringA("x", "f", "", value, sizeof value, ini.c_str());
    EXPECT_EQ(std::string(value), dir / "back\\gvmain.exe");
    GetPrivateProfileStringA("x", "t", "missing", value, sizeof value, ini.c_str());
    EXPECT_EQ(std::string(value), "");
    EXPECT_EQ(GetPrivateProfileIntA("x", "x", 0, ini.c_str()), 1);
}

TEST_F(LogFinishTest, AThousandLogsRefuseAnother) {
    for (int n = 0; n <= maxLogNumber; ++n) {
        WriteBytes(NumberedLogPath(dir / "back", n), "");
    }
    Work(1);
    EXPECT_EQ(FinishLog(finish, host), FinishOutcome::Failed);
    EXPECT_TRUE(test::Exists(finish.workingLog));
    EXPECT_EQ(host.errors, std::vector<std::string>{"Unable to keep the operation log: " + dir / "back" +
                                                    " holds logs 000 to 999"});
}

TEST(CompletionDialog, TheStatusChoosesTextButtonsAndResult) {
    DialogResources resources = TestResources();
    std::string text;
    std::vector<std::string> buttons;
    WhenDialogAppears("Installation Completed", [&](HWND box) {
        text = WindowText(GetDlgItem(box, IDC_MSGBOX_TEXT));
        for (int id = IDC_MSGBOX_BUTTON; GetDlgItem(box, id) != nullptr; ++id) {
            buttons.push_back(WindowText(GetDlgItem(box, id)));
        }
        EXPECT_TRUE(SaveScreenshot(box, "completion_restart"));
        ClickButton(box, IDC_MSGBOX_BUTTON + 1);
    });
    HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1));
    EXPECT_EQ(ShowCompletion(resources, nullptr, icon, "Vorlen", RunWindowsRestart), RunCompleted);
    EXPECT_EQ(text,
              "Vorlen has been installed successfully\nbut we need to restart\nWindows for the changes to "
              "take effect");
    EXPECT_EQ(buttons, (std::vector<std::string>{"&Restart", "&Stay here"}));
    WhenDialogAppears("Installation Completed", [](HWND box) {
        EXPECT_EQ(GetDlgItem(box, IDC_MSGBOX_BUTTON + 1), nullptr);
        ClickButton(box, IDC_MSGBOX_BUTTON);
    });
    EXPECT_EQ(ShowCompletion(resources, nullptr, nullptr, "Vorlen", statusForcedWindowsRestart),
              RunWindowsRestart);
    WhenDialogAppears("Abort", [](HWND box) {
        EXPECT_TRUE(SaveScreenshot(box, "completion_aborted"));
        ClickButton(box, IDC_MSGBOX_BUTTON);
    });
    EXPECT_EQ(ShowCompletion(resources, nullptr, icon, "Vorlen", RunFailed), RunFailed);
    resources.unattended = true;
    EXPECT_EQ(ShowCompletion(resources, nullptr, nullptr, "Vorlen", RunDosRestart), RunDosRestart);
    EXPECT_EQ(CompletionFor(RunCompleted).message, 61);
    EXPECT_EQ(CompletionFor(RunDosRestart).message, 65);
}

TEST(DiskPrompt, CancelThenNoAsksForTheSameDiskAgain) {
    OperationEnvironment environment;
    InstallHost host(environment, SystemClock(), "");
    host.resources = TestResources();
    host.productName = "Vorlen";
    host.media = {PackagingMode::Floppies, "a:\\", {"Vorlen Disk 1", "Vorlen Disk 2"}};
    std::vector<std::string> shown;
    auto answer = [&shown](int button, bool picture = false) {
        return [&shown, button, picture](HWND box) {
            shown.push_back(WindowText(box) + ": " + WindowText(GetDlgItem(box, IDC_MSGBOX_TEXT)));
            if (picture) {
                EXPECT_TRUE(SaveScreenshot(box, "disk_prompt"));
            }
            ClickButton(box, IDC_MSGBOX_BUTTON + button);
        };
    };
    // Cancel, "No" to abandoning, then OK.
    WhenDialogAppears("Insert Disk", [&](HWND box) {
        WhenDialogAppears("Query Abort", [&](HWND query) {
            WhenDialogAppears("Insert Disk", answer(0));
            answer(1)(query);
        });
        answer(1, true)(box);
    });
    EXPECT_TRUE(host.ChangeDisk(1, false));
    EXPECT_EQ(shown,
              (std::vector<std::string>{
                  "Insert Disk: Please insert disk: Vorlen Disk 2",
                  "Query Abort: Installation is incomplete\nAre you sure you want to abort the installation?",
                  "Insert Disk: Please insert disk: Vorlen Disk 2"}));
    EXPECT_TRUE(host.ChangeDisk(1, false));  // current: not asked again
    EXPECT_EQ(shown.size(), 3u);
    WhenDialogAppears("Insert Disk", [&](HWND box) {
        WhenDialogAppears("Query Abort", answer(0));
        answer(1)(box);
    });
    EXPECT_FALSE(host.ChangeDisk(0, false));  // abandoned
    EXPECT_EQ(host.SourceDirectory(), "a:\\");
}

TEST(DiskDirectories, ChangeWithoutAPrompt) {
    OperationEnvironment environment;
    InstallHost host(environment, SystemClock(), "");
    host.media = {PackagingMode::DiskDirectories, "d:\\media\\disk001", {"1", "2"}};
    EXPECT_TRUE(host.ChangeDisk(0, false));
    EXPECT_EQ(host.SourceDirectory(), "d:\\media\\disk001");
    EXPECT_TRUE(host.ChangeDisk(1, false));
    EXPECT_EQ(host.SourceDirectory(), "d:\\media\\disk002");
    EXPECT_FALSE(host.ChangeDisk(1, true));  // nothing to wait for
}

}  // namespace
}  // namespace gvmain
