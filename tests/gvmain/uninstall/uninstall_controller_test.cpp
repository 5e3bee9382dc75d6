#include "gvmain/uninstall/uninstall_controller.h"

#include "gvmain/format/operation_log.h"
#include "gvmain/uninstall/hand_over.h"
#include "tests/gvmain/engine/dialog_test_support.h"
#include "tests/gvmain/ops/helper_process.h"
#include "tests/gvmain/ops/ops_test_support.h"
#include "tests/gvmain/uninstall/uninstall_test_support.h"

#include <gtest/gtest.h>

namespace gvmain {
namespace {

using test::Exists;
using test::ScratchDir;

// An uninstaller's directory: the engine and its language DLL beside the
// logs of the installations made from it.
struct BackDirectory {
    ScratchDir dir{"gvback"};
    ScratchDir errors{"gverrs"};

    BackDirectory() {
        test::WriteBytes(dir / "gvmain.exe", "engine");
        ::CopyFileA(TestFile("gvenu.dll").c_str(), (dir / "gvenu.dll").c_str(), FALSE);
    }

    // Log `number` records the creation of each file, which is made too.
    void Log(int number, const std::vector<std::string>& files, uint32_t pace = 0) {
        LogHeader header;
        header.languageNumber = 3;
        header.undoPaceMs = pace;
        header.productName = "Vorlen";
        OperationLog log;
        char name[16];
        std::snprintf(name, sizeof name, "gvlog3.%03d", number);
        ASSERT_TRUE(log.Open(dir / name, header));
        for (const std::string& file : files) {
            test::WriteBytes(dir / file, "installed");
            log.FileCreated(dir / file);
        }
    }

    UninstallFacts Facts(bool unattended, const std::string& program = std::string()) {
        UninstallFacts facts;
        facts.instance = ::GetModuleHandleA(nullptr);
        facts.programPath = program.empty() ? dir / "gvmain.exe" : program;
        facts.environment = DetectEnvironment();
        facts.unattended = unattended;
        facts.errorLog = errors / "errors.log";
        return facts;
    }
    std::string ErrorLog() { return test::ReadBytes(errors / "errors.log"); }
};

TEST(UninstallController, WithLogs000And001Only001IsUndoneAndItsFileDeleted) {
    BackDirectory back;
    back.Log(0, {"first.txt"});
    back.Log(1, {"second.txt", "third.txt"});
    UninstallController controller(back.Facts(true));
    ASSERT_TRUE(controller.Init()) << back.ErrorLog();
    EXPECT_EQ(controller.logNumber, 1);
    EXPECT_EQ(controller.relaunched, 0);
    EXPECT_EQ(controller.productName, "Vorlen");
    EXPECT_EQ(controller.Run(), 1);
    controller.Done();
    EXPECT_FALSE(Exists(back.dir / "second.txt"));
    EXPECT_FALSE(Exists(back.dir / "third.txt"));
    EXPECT_FALSE(Exists(back.dir / "gvlog3.001"));
    for (const char* kept : {"first.txt", "gvlog3.000", "gvmain.exe", "gvenu.dll"}) {
        EXPECT_TRUE(Exists(back.dir / kept)) << kept;
    }
    EXPECT_EQ(back.ErrorLog(), "");
}

// Nothing changes: the records stay, the own files stay, no hand-over.
TEST(UninstallController, InitFailuresSayWhyAndChangeNothing) {
    BackDirectory back;
    {
        UninstallController controller(back.Facts(true));
        EXPECT_FALSE(controller.Init());
    }
    back.Log(0, {"first.txt"});
    std::string log = test::ReadBytes(back.dir / "gvlog3.000");
    test::WriteBytes(back.dir / "gvlog3.000", log.substr(0, log.size() - 3));
    {
        UninstallController controller(back.Facts(true));
        EXPECT_FALSE(controller.Init());
    }
    {
        UninstallController controller(back.Facts(true, "C:\\gvmain.exe"));
        EXPECT_FALSE(controller.Init());
    }
    EXPECT_EQ(back.ErrorLog(), "No log file\r\nLog file contains bad data\r\nBack dir is undefined\r\n");
    EXPECT_TRUE(Exists(back.dir / "first.txt"));
    EXPECT_TRUE(Exists(back.dir / "gvmain.exe"));
    EXPECT_FALSE(Exists("C:\\gvmain.exe"));
    char handedOver[8] = "";
    EXPECT_EQ(::GetProfileStringA("GVMAIN", "b", "", handedOver, sizeof handedOver), 0u);
}

std::string WindowsFile(const std::string& name) {
    char windows[MAX_PATH] = "";
    ::GetWindowsDirectoryA(windows, sizeof windows);
    return std::string(windows) + "\\" + name;
}

std::string Key(const std::string& ini, const char* section, const char* key) {
    char value[MAX_PATH] = "";
    ::GetPrivateProfileStringA(section, key, "", value, sizeof value, ini.c_str());
    return value;
}

// Log 000 alone: the own files go to the drive root, win.ini names the back
// directory, "movexe.ini" orders the start of the copy there, and the file
// mover (here a program that notes how it was started) runs.
TEST(UninstallController, Log000AloneHandsOverToTheDriveRootAndEndsAtOnce) {
    std::string mover = WindowsFile("movexe.exe");
    ASSERT_TRUE(::CopyFileA(test::BesideRunner("arg_recorder.exe").c_str(), mover.c_str(), TRUE));
    BackDirectory back;
    back.Log(0, {"first.txt"});
    test::WriteBytes(back.dir / "guuser.dll", "user");
    {
        UninstallController controller(back.Facts(true));
        EXPECT_FALSE(controller.Init());
    }
    for (const char* name : {"gvmain.exe", "gvenu.dll", "guuser.dll"}) {
        EXPECT_TRUE(Exists(std::string("C:\\") + name)) << name;
        EXPECT_FALSE(Exists(back.dir / name)) << name;
    }
    EXPECT_EQ(Key(WindowsFile("win.ini"), "GVMAIN", "b"), back.dir.Path());
    EXPECT_EQ(Key(WindowsFile("win.ini"), "GVMAIN", "s"), "1");
    std::string ini = WindowsFile("movexe.ini");
    EXPECT_EQ(Key(ini, "x", "f"), back.dir / "gvmain.exe");
    EXPECT_EQ(Key(ini, "x", "t"), "C:\\");
    EXPECT_EQ(Key(ini, "x", "x"), "1");
    DWORD start = ::GetTickCount();
    while (!Exists(mover + ".args") && ::GetTickCount() - start < 10000) {
        ::Sleep(20);
    }
    EXPECT_EQ(test::ReadBytes(mover + ".args"), "show=1\n");  // a normal window

    for (const char* name : {"gvmain.exe", "gvenu.dll", "guuser.dll"}) {
        ::MoveFileA((std::string("C:\\") + name).c_str(), (back.dir / name).c_str());
    }
    ::WriteProfileStringA("GVMAIN", nullptr, nullptr);
    for (const std::string& file : {ini, mover, mover + ".args"}) {
        ::DeleteFileA(file.c_str());
    }
}

// Log 000 alone hands over to a copy at the drive root; when that cannot
// happen, the own files are back where they were and nothing is handed over.
TEST(UninstallController, AFailedHandOverMovesTheOwnFilesBack) {
    ASSERT_FALSE(Exists(WindowsFile("movexe.exe")));
    BackDirectory back;
    back.Log(0, {"first.txt"});
    test::WriteBytes(back.dir / "guuser.dll", "user");
    {
        UninstallController controller(back.Facts(true));
        EXPECT_FALSE(controller.Init());
    }
    ::DeleteFileA((back.dir / "gvenu.dll").c_str());
    {
        UninstallController controller(back.Facts(true));
        EXPECT_FALSE(controller.Init());
    }
    EXPECT_EQ(back.ErrorLog(), "Unable to launch movexe\r\n" + back.dir / "gvenu.dll" + " not found\r\n");
    for (const char* name : {"gvmain.exe", "guuser.dll", "first.txt", "gvlog3.000"}) {
        EXPECT_TRUE(Exists(back.dir / name)) << name;
        EXPECT_FALSE(Exists(std::string("C:\\") + name)) << name;
    }
    EXPECT_FALSE(Exists(WindowsFile("movexe.ini")));
    char handedOver[8] = "";
    EXPECT_EQ(::GetProfileStringA("GVMAIN", "b", "", handedOver, sizeof handedOver), 0u);
}

// The copy at the drive root that cannot go on returns to the back
// directory: without its language DLL, the uninstaller would otherwise be
// left at the root, with nothing of it where its entry points.
TEST(UninstallController, ACopyAtTheRootWithoutItsLanguageGoesBack) {
    ASSERT_FALSE(Exists(WindowsFile("movexe.exe")));
    BackDirectory back;
    back.Log(0, {"first.txt"});
    ASSERT_TRUE(::MoveFileA((back.dir / "gvmain.exe").c_str(), "C:\\gvmain.exe"));
    ::DeleteFileA((back.dir / "gvenu.dll").c_str());
    ::WriteProfileStringA("GVMAIN", "b", back.dir.Path().c_str());
    UninstallController controller(back.Facts(true, "C:\\gvmain.exe"));
    ASSERT_TRUE(controller.Init()) << back.ErrorLog();
    EXPECT_EQ(controller.relaunched, 1);
    EXPECT_EQ(controller.backDirectory, back.dir.Path());
    EXPECT_EQ(controller.Run(), 0);
    EXPECT_EQ(back.ErrorLog(), "Unable to load language DLL\r\nUnable to launch movexe\r\n");
    EXPECT_TRUE(Exists(back.dir / "gvmain.exe"));
    EXPECT_FALSE(Exists("C:\\gvmain.exe"));
    EXPECT_TRUE(Exists(back.dir / "first.txt"));
    EXPECT_FALSE(Exists(WindowsFile("movexe.ini")));
}

TEST(HandOver, TheRootOfADriveIsALetterOrAShare) {
    for (const char* root : {"C:", "c:\\", "\\\\server\\share", "\\\\server\\share\\"}) {
        EXPECT_TRUE(IsDriveRoot(root)) << root;
    }
    for (const char* other : {"C:\\VORLEN", "\\\\server\\share\\dir", "\\\\server", "\\\\\\share", ""}) {
        EXPECT_FALSE(IsDriveRoot(other)) << other;
    }
}

}  // namespace
}  // namespace gvmain
