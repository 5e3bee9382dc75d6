#include "gvmain/format/operation_log.h"
#include "gvmain/ops/uninstall_registration.h"
#include "gvmain/uninstall/uninstall_controller.h"
#include "tests/gvmain/engine/dialog_test_support.h"
#include "tests/gvmain/ops/helper_process.h"
#include "tests/gvmain/ops/ops_test_support.h"

#include <gtest/gtest.h>

namespace gvmain {
namespace {

using test::Exists;

std::string WindowsFile(const std::string& name) {
    char windows[MAX_PATH] = "";
    ::GetWindowsDirectoryA(windows, sizeof windows);
    return std::string(windows) + "\\" + name;
}

bool HasKey(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    ::RegCloseKey(key);
    return true;
}

int RunAndWait(const std::string& command) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    std::string line = command;
    if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &started)) {
        return -1;
    }
    ::WaitForSingleObject(started.hProcess, 60000);
    DWORD code = 0;
    ::GetExitCodeProcess(started.hProcess, &code);
    ::CloseHandle(started.hThread);
    ::CloseHandle(started.hProcess);
    return static_cast<int>(code);
}

// The whole hand-over, unattended: the first process moves the uninstaller
// to the drive root and ends; "movexe.exe" starts the copy there, which
// undoes log 000 and has the file mover remove it when it has ended.
TEST(UninstallRelaunch, Log000AloneIsUndoneFromTheDriveRootAndNothingOfTheUninstallerStays) {
    test::ScratchDir back("gvrelaunch");
    ASSERT_TRUE(::CopyFileA(test::BesideRunner("gvmain.exe").c_str(), (back / "gvmain.exe").c_str(), FALSE));
    ASSERT_TRUE(::CopyFileA(TestFile("gvenu.dll").c_str(), (back / "gvenu.dll").c_str(), FALSE));
    test::WriteBytes(back / "guuser.dll", "user");
    ASSERT_TRUE(
        ::CopyFileA(test::BesideRunner("movexe.exe").c_str(), WindowsFile("movexe.exe").c_str(), FALSE));
    std::string uninstallKey = UninstallKeyPath("Vorlen Relaunch");
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyA(HKEY_LOCAL_MACHINE, uninstallKey.c_str(), &key), ERROR_SUCCESS);
    ::RegCloseKey(key);
    {
        LogHeader header;
        header.languageNumber = 3;
        header.undoPaceMs = 0;
        header.productName = "Vorlen Relaunch";
        OperationLog log;
        ASSERT_TRUE(log.Open(back / "gvlog3.000", header));
        log.DirCreated(back.Path());
        for (const char* name : {"VORLEN.EXE", "VORLEN.HLP"}) {
            test::WriteBytes(back / name, "installed");
            log.FileCreated(back / name);
        }
    }

    EXPECT_EQ(RunAndWait("\"" + back / "gvmain.exe" + "\" /S"), 1);  // handed over
    DWORD start = ::GetTickCount();
    while (Exists("C:\\gvmain.exe") && ::GetTickCount() - start < 30000) {
        ::Sleep(100);
    }
    for (const char* name : {"gvmain.exe", "gvenu.dll", "guuser.dll"}) {
        EXPECT_FALSE(Exists(std::string("C:\\") + name)) << name;
        EXPECT_FALSE(Exists(back / name)) << name;
    }
    // Its own log did not keep the back directory from going unasked.
    EXPECT_FALSE(Exists(back.Path()));
    EXPECT_FALSE(Exists("C:\\gvlog3.000"));
    EXPECT_EQ(test::ReadBytes(UnattendedErrorLog()), "");
    EXPECT_FALSE(HasKey(HKEY_LOCAL_MACHINE, uninstallKey));
    EXPECT_FALSE(Exists(WindowsFile("movexe.ini")));
    char handedOver[8] = "";
    EXPECT_EQ(::GetProfileStringA("GVMAIN", "b", "", handedOver, sizeof handedOver), 0u);
    ::DeleteFileA(WindowsFile("movexe.exe").c_str());
}

}  // namespace
}  // namespace gvmain
