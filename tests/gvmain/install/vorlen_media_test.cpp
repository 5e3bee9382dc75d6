// vorlen's own installation media, as "make installer" builds them (the
// fixture builds them beside the runner): installed unattended, with the
// stand-in Program Manager taking the items, then removed by the command
// the installation registered.
#include "gvmain/engine/run_events.h"
#include "gvmain/ops/file_operations.h"
#include "gvmain/ops/registry_operations.h"
#include "tests/gvmain/install/install_support.h"
#include "tests/gvmain/ops/progman_server.h"

#include <gtest/gtest.h>

namespace gvmain {
namespace {

using test::Exists;
using test::Media;
using test::ReadBytes;
using test::RegistryText;

constexpr char app[] = "c:\\vorlen";
constexpr char uninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vorlen";

// What a failed run may leave, so that the other tests start clean.
struct Leftovers {
    ~Leftovers() {
        test::RecordingHost host;
        DeleteKey({uninstallKey, RootLocalMachine}, host, nullptr);
        DeleteKey({"Software\\Tolvane\\Vorlen", RootCurrentUser}, host, nullptr);
        for (const char* key : {".vor", "Vorlen.Database"}) {
            DeleteKey({key, RootClassesRoot}, host, nullptr);
        }
        test::ScratchDir::RemoveTree(app);
        for (const char* name : {"C:\\gvmain.exe", "C:\\gvenu.dll", "C:\\gvlog3.000"}) {
            DeleteQuietly(name);
        }
    }
};

TEST(VorlenMedia, InstallsUnattendedAndTheRegisteredCommandRemovesIt) {
    ASSERT_TRUE(Exists(Media("vorlen\\media\\setup.exe"))) << "built by build_media.sh";
    Leftovers leftovers;
    test::ScratchDir dir("gvvorlen");
    test::ProgmanServer progman(dir / "progman.txt");
    ASSERT_TRUE(progman.Serving());

    ASSERT_EQ(test::RunProcess(Media("vorlen\\media\\setup.exe"), "/S"), RunCompleted);
    std::string stage = Media("vorlen\\stage\\");
    ASSERT_GT(ReadBytes(stage + "program\\vorlen").size(), 100000u);
    EXPECT_TRUE(ReadBytes(std::string(app) + "\\vorlen") == ReadBytes(stage + "program\\vorlen"));
    EXPECT_TRUE(ReadBytes(std::string(app) + "\\sample.vor") == ReadBytes(stage + "sample\\sample.vor"));
    EXPECT_TRUE(ReadBytes(std::string(app) + "\\help\\contents.html") ==
                ReadBytes(stage + "help\\contents.html"));
    EXPECT_EQ(RegistryText(HKEY_CLASSES_ROOT, ".vor", nullptr), "Vorlen.Database");
    EXPECT_EQ(RegistryText(HKEY_CLASSES_ROOT, "Vorlen.Database\\shell\\open\\command", nullptr),
              "\"c:\\vorlen\\vorlen\" \"%1\"");
    std::string commands;
    for (const std::string& command : progman.Commands()) {
        commands += command + "\n";
    }
    for (const char* title : {"Vorlen", "Vorlen Help", "Uninstall Vorlen"}) {
        EXPECT_NE(commands.find(std::string("\"") + title + "\""), std::string::npos) << title << commands;
    }
    std::string uninstall = RegistryText(HKEY_LOCAL_MACHINE, uninstallKey, "UninstallString");
    ASSERT_EQ(uninstall, "c:\\vorlen\\uninst\\gvmain.exe");

    test::RunProcess(uninstall, "/S");  // hands over to its copy at the drive root
    test::WaitUntil([] { return !Exists(app) && !Exists("C:\\gvmain.exe"); });
    EXPECT_FALSE(Exists(app));
    EXPECT_FALSE(Exists("C:\\gvmain.exe"));
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, uninstallKey, "UninstallString"), "");
    EXPECT_EQ(RegistryText(HKEY_CLASSES_ROOT, ".vor", nullptr), "");
    EXPECT_EQ(RegistryText(HKEY_CLASSES_ROOT, "Vorlen.Database\\shell\\open\\command", nullptr), "");
}

}  // namespace
}  // namespace gvmain
