#include "gvmain/ops/file_undo_actions.h"
#include "gvmain/ops/font_operations.h"
#include "gvmain/ops/registry_operations.h"
#include "gvmain/ops/server_registration.h"
#include "gvmain/ops/uninstall_registration.h"
#include "tests/gvmain/ops/ops_test_support.h"
#include "tests/gvmain/ops/progman_server.h"

#include <gtest/gtest.h>

namespace gvmain {
namespace {

using test::Exists;
using test::LogCapture;
using test::ReadBytes;
using test::RecordingHost;
using test::ScratchDir;
using test::WriteBytes;

// The text a started program left, once it is there (it runs on its own).
std::string WaitForFile(const std::string& path) {
    for (int tries = 0; tries < 200 && !Exists(path); ++tries) {
        ::Sleep(50);
    }
    return ReadBytes(path);
}

TEST(ServerRegistration, AProgramIsStartedHiddenWithRegOrUnreg) {
    ScratchDir dir;
    RecordingHost host;
    std::string recorder = test::BesideRunner("arg_recorder.exe");
    ASSERT_TRUE(::CopyFileA(recorder.c_str(), (dir / "server.EXE").c_str(), FALSE));
    ASSERT_TRUE(::CopyFileA(recorder.c_str(), (dir / "my server.exe").c_str(), FALSE));
    EXPECT_TRUE(RegisterServer(dir / "server.EXE", true, host));
    EXPECT_EQ(WaitForFile(dir / "server.EXE.args"), "show=0\n/reg\n");
    EXPECT_TRUE(RegisterServer(dir / "my server.exe", false, host));
    EXPECT_EQ(WaitForFile(dir / "my server.exe.args"), "show=0\n/unreg\n");
    EXPECT_FALSE(RegisterServer(dir / "missing.exe", true, host));
    EXPECT_EQ(host.errors, std::vector<std::string>{"Unable to register OLE2 server " + dir / "missing.exe"});
}

TEST(ServerRegistration, ALibraryIsCalledAtItsEntryPoint) {
    RecordingHost host;
    RegistryKey key{"Software\\GvmainTests\\Server", RootCurrentUser};
    auto registered = [&] {
        ScopedKey opened = OpenKey(key, host);
        return opened.Valid() && ::RegQueryValueExA(opened.Get(), "Registered", nullptr, nullptr, nullptr,
                                                    nullptr) == ERROR_SUCCESS;
    };
    std::string library = test::BesideRunner("test_server.dll");
    ASSERT_TRUE(RegisterServer(library, true, host));
    EXPECT_TRUE(registered());
    ASSERT_TRUE(RegisterServer(library, false, host));
    EXPECT_FALSE(registered());
    DeleteKey(key, host, nullptr);

    std::string noEntry = test::BesideRunner("lzpunz2.dll");
    EXPECT_FALSE(RegisterServer(noEntry, false, host));
    EXPECT_FALSE(RegisterServer("c:\\no such\\server.dll", true, host));
    EXPECT_EQ(host.errors,
              (std::vector<std::string>{"Unable to unregister OLE2 server " + noEntry,
                                        "Unable to register OLE2 server c:\\no such\\server.dll"}));
}

// Fonts come from the Linux side: the Wine prefix holds none of its own.
TEST(Fonts, AnInstalledFontIsLoggedAndItsUndoRemovesItAgain) {
    const char* source = "Z:\\usr\\share\\fonts\\truetype\\dejavu\\DejaVuSans.ttf";
    if (!Exists(source)) {
        GTEST_SKIP() << "no font file at " << source;
    }
    ScratchDir dir;
    RecordingHost host;
    std::string font = dir / "gvtest.ttf";
    ASSERT_TRUE(::CopyFileA(source, font.c_str(), FALSE));
    WriteBytes(dir / "not_a_font.ttf", "nothing");
    LogCapture capture(dir / "font.log");
    EXPECT_FALSE(InstallFont(dir / "not_a_font.ttf", host, &capture.log));
    ASSERT_TRUE(InstallFont(font, host, &capture.log));
    EXPECT_EQ(capture.Lines(), std::vector<std::string>{"21 " + font});

    // Wine 8 adds font resources but never removes one; there the undo must
    // say so rather than claim success.
    std::string probe = dir / "probe.ttf";
    ASSERT_TRUE(::CopyFileA(source, probe.c_str(), FALSE));
    bool removable = ::AddFontResourceA(probe.c_str()) > 0 && ::RemoveFontResourceA(probe.c_str());
    FileUndoActions undo(host);
    EXPECT_EQ(undo.UndoFontAdded(font), removable);
    EXPECT_FALSE(undo.UndoFontAdded(removable ? font : dir / "missing.ttf"));
    EXPECT_EQ(host.errors.size(), removable ? 2u : 3u);
    EXPECT_EQ(host.errors.front(), "Unable to install font");
    EXPECT_EQ(host.errors.back(), "Unable to remove font " + (removable ? font : dir / "missing.ttf"));
}

class Uninstaller : public ::testing::Test {
protected:
    void SetUp() override {
        host.messages[201] = "Installing the uninstaller of %s";
        ::CreateDirectoryA((dir / "run").c_str(), nullptr);
        for (const char* name : {"gvmain.exe", "gvenu.dll", "guuser.dll"}) {
            WriteBytes(dir / "run\\" + name, name);
        }
        setup.runDirectory = dir / "run";
        setup.uninstallDirectory = dir / "app\\uninst";
        setup.languageCode = "enu";
        setup.auxFiles = {"guuser.dll"};
        setup.productName = "Gv Test Product";
    }
    void TearDown() override { DeleteKey(key, host, nullptr); }

    std::string Value(const char* name) {
        ScopedKey opened = OpenKey(key, host);
        char text[MAX_PATH] = "";
        DWORD size = sizeof text;
        ::RegQueryValueExA(opened.Get(), name, nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size);
        return text;
    }

    ScratchDir dir;
    RecordingHost host;
    UninstallerSetup setup;
    RegistryKey key{"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\GvTestProduct",
                    RootLocalMachine};
};

TEST_F(Uninstaller, OwnFilesAndTheUninstallEntryGoInPlaceAndTheItemStartsIt) {
    test::ProgmanServer server(dir / "commands.txt");
    ASSERT_TRUE(server.Serving());
    setup.itemGroup = "Gv Test";
    setup.itemTitle = "Uninstall";
    LogCapture capture(dir / "install.log");
    std::string backDirectory;
    ASSERT_TRUE(InstallUninstaller(setup, host, &capture.log, backDirectory));
    EXPECT_EQ(backDirectory, setup.uninstallDirectory);
    for (const char* name : {"gvmain.exe", "gvenu.dll", "guuser.dll"}) {
        EXPECT_EQ(ReadBytes(setup.uninstallDirectory + "\\" + name), name);
    }
    EXPECT_EQ(Value("DisplayName"), "Gv Test Product");
    EXPECT_EQ(Value("UninstallString"), setup.uninstallDirectory + "\\gvmain.exe");
    EXPECT_EQ(host.notices,
              (std::vector<std::string>{"Installing the uninstaller of Gv Test Product", std::string()}));
    std::string command = server.Commands().back();
    EXPECT_EQ(command.rfind("[AddItem(", 0), 0u) << command;
    EXPECT_NE(command.find("\"Uninstall\""), std::string::npos) << command;
    // Only the directories and the item: the uninstaller removes its own
    // files and entry itself, last.
    EXPECT_EQ(capture.Lines(), (std::vector<std::string>{"0 " + dir / "app", "0 " + setup.uninstallDirectory,
                                                         "12 Gv Test", "13 Gv Test|Uninstall"}));
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(Uninstaller, AMissingAuxFileFailsTheStep) {
    setup.auxFiles = {"missing.dll"};
    std::string backDirectory = "unchanged";
    EXPECT_FALSE(InstallUninstaller(setup, host, nullptr, backDirectory));
    EXPECT_EQ(backDirectory, "unchanged");
    ASSERT_FALSE(host.errors.empty());
    EXPECT_EQ(host.errors.back(), "Unable to install the uninstaller");
    EXPECT_FALSE(OpenKey(key, host).Valid());
}

}  // namespace
}  // namespace gvmain
