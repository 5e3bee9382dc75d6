#include "gvmain/ops/startup_files.h"

#include "gvmain/ops/file_operations.h"

#include "tests/gvmain/ops/ops_test_support.h"

#include <gtest/gtest.h>

namespace gvmain {
namespace {

using test::Exists;
using test::ReadBytes;
using test::RecordingHost;
using test::ScratchDir;
using test::WriteBytes;

class StartupFiles : public ::testing::Test {
protected:
    DosStartupEdit Edit(DosStartupFile file, const std::string& name, const std::string& lines) {
        DosStartupEdit edit;
        edit.file = file;
        edit.path = dir / name;
        edit.lines = lines;
        return edit;
    }

    ScratchDir dir;
    RecordingHost host;
};

TEST_F(StartupFiles, AChangeKeepsTheFormerFileAndAsksForADosRestart) {
    const std::string before = "@ECHO OFF\r\nPATH C:\\DOS\r\n";
    WriteBytes(dir / "autoexec.bat", before);
    ASSERT_TRUE(MergeDosStartupFile(Edit(DosStartupFile::AutoexecBat, "autoexec.bat", "path c:\\app"), host));
    EXPECT_EQ(ReadBytes(dir / "autoexec.bat"), "@ECHO OFF\r\nPATH C:\\DOS;c:\\app\r\n");
    EXPECT_EQ(ReadBytes(dir / "autoexec.bak"), before);
    EXPECT_EQ(host.dosRestartFlags, 1);

    ASSERT_TRUE(
        MergeDosStartupFile(Edit(DosStartupFile::AutoexecBat, "autoexec.bat", "PATH c:\\APP\\"), host));
    EXPECT_FALSE(Exists(dir / "autoexec.000"));
    EXPECT_EQ(host.dosRestartFlags, 1);

    ASSERT_TRUE(MergeDosStartupFile(Edit(DosStartupFile::AutoexecBat, "autoexec.bat", "win"), host));
    EXPECT_EQ(ReadBytes(dir / "autoexec.000"), "@ECHO OFF\r\nPATH C:\\DOS;c:\\app\r\n");
    EXPECT_EQ(host.dosRestartFlags, 2);

    ASSERT_TRUE(MergeDosStartupFile(Edit(DosStartupFile::ConfigSys, "config.sys", "FILES=40"), host));
    EXPECT_EQ(ReadBytes(dir / "config.sys"), "FILES=40\r\n");
    EXPECT_FALSE(Exists(dir / "config.bak"));
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(StartupFiles, AFileThatCannotBeMergedStaysAsItWas) {
    const std::string binary("FILES=30\r\n\0\0", 12);
    WriteBytes(dir / "config.sys", binary);
    EXPECT_FALSE(MergeDosStartupFile(Edit(DosStartupFile::ConfigSys, "config.sys", "FILES=40"), host));
    WriteBytes(dir / "autoexec.bat", "PATH C:\\DOS\r\n");
    EXPECT_FALSE(MergeDosStartupFile(
        Edit(DosStartupFile::AutoexecBat, "autoexec.bat", "path c:\\" + std::string(130, 'x')), host));
    EXPECT_EQ(ReadBytes(dir / "config.sys"), binary);
    EXPECT_EQ(ReadBytes(dir / "autoexec.bat"), "PATH C:\\DOS\r\n");
    EXPECT_EQ(host.errors, std::vector<std::string>(2, "Unable to modify AUTOEXEC.BAT or CONFIG.SYS"));
    EXPECT_EQ(host.dosRestartFlags, 0);
    int files = 0;
    ForEachEntry(dir.Path(), [&](const std::string&, bool) { return ++files, true; });
    EXPECT_EQ(files, 2);
}

}  // namespace
}  // namespace gvmain
