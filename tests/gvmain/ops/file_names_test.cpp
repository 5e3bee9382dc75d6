#include "gvmain/ops/file_names.h"
#include "gvmain/ops/message_text.h"

#include "tests/gvmain/ops/ops_test_support.h"

#include <gtest/gtest.h>

namespace gvmain {
namespace {

using test::ScratchDir;
using test::WriteBytes;

TEST(TemporaryNames, FirstFreeNameCountsUpAcrossTheThousands) {
    ScratchDir dir;
    EXPECT_EQ(TemporaryName(dir.Path(), "tmp"), dir / "tmp000.000");
    WriteBytes(dir / "tmp000.000", "x");
    WriteBytes(dir / "tmp000.001", "x");
    EXPECT_EQ(TemporaryName(dir.Path(), "tmp"), dir / "tmp000.002");
    EXPECT_EQ(TemporaryName(dir.Path(), "autox"), dir / "autox000.000");
    for (int n = 2; n < 1000; ++n) {
        char name[16];
        snprintf(name, sizeof name, "mrg000.%03d", n);
        WriteBytes(dir / name, "");
    }
    WriteBytes(dir / "mrg000.000", "");
    WriteBytes(dir / "mrg000.001", "");
    EXPECT_EQ(TemporaryName(dir.Path(), "mrg"), dir / "mrg001.000");
}

TEST(BackupNames, BakFirstThenNumberedExtensionsUntilNoneIsFree) {
    ScratchDir dir;
    std::string file = dir / "config.sys";
    EXPECT_EQ(BackupName(file), dir / "config.bak");
    WriteBytes(dir / "config.bak", "");
    EXPECT_EQ(BackupName(file), dir / "config.000");
    WriteBytes(dir / "config.000", "");
    EXPECT_EQ(BackupName(file), dir / "config.001");
    for (int n = 1; n < 1000; ++n) {
        char name[16];
        snprintf(name, sizeof name, "config.%03d", n);
        WriteBytes(dir / name, "");
    }
    EXPECT_EQ(BackupName(file), "");
    EXPECT_EQ(BackupName(dir / "noext"), dir / "noext.bak");
}

TEST(PathPieces, DirectoriesRootsAndExtensions) {
    EXPECT_EQ(DirectoryOf("c:\\a\\b.txt"), "c:\\a");
    EXPECT_EQ(DirectoryOf("c:\\b.txt"), "c:\\");
    EXPECT_EQ(DirectoryOf("c:/a/b.txt"), "c:/a");
    EXPECT_EQ(FileNameOf("c:\\a\\b.txt"), "b.txt");
    EXPECT_EQ(DriveRoot("c:\\a\\b"), "c:\\");
    EXPECT_EQ(DriveRoot("\\\\server\\share\\x\\y"), "\\\\server\\share\\");
    EXPECT_EQ(DriveRoot("relative\\x"), "");
    EXPECT_EQ(WithExtension("d:\\disk\\data.pak", "001"), "d:\\disk\\data.001");
    EXPECT_EQ(WithExtension("d:\\dir.v2\\data", "001"), "d:\\dir.v2\\data.001");
    EXPECT_TRUE(IsWithin("C:\\Windows\\System32\\x.dll", "c:\\windows\\system32\\"));
    EXPECT_TRUE(IsWithin("c:\\common\\vendor\\x.dll", "C:\\Common"));
    EXPECT_FALSE(IsWithin("c:\\windows\\x.dll", "c:\\windows\\system32"));
    EXPECT_FALSE(IsWithin("c:\\windows\\system32x\\x.dll", "c:\\windows\\system32"));
    EXPECT_FALSE(IsWithin("c:\\x.dll", ""));
}

TEST(MessageTexts, FieldsTakeArgumentsInOrderAndNeverReadPastThem) {
    EXPECT_EQ(FormatText("Need %lu KB, have %u KB", {"30", "20"}), "Need 30 KB, have 20 KB");
    EXPECT_EQ(FormatText("100%% of %s", {"x"}), "100% of x");
    EXPECT_EQ(FormatText("%s and %s and %d", {"one"}), "one and  and ");
    EXPECT_EQ(FormatText("%-8s|%5d", {"a", "b"}), "a|b");
    EXPECT_EQ(FormatText("ends with %", {"a"}), "ends with %");
    EXPECT_EQ(FormatText("%n %p", {"a"}), "%n %p");
}

}  // namespace
}  // namespace gvmain
