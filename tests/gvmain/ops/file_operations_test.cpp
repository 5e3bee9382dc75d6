#include "gvmain/ops/file_operations.h"

#include "tests/gvmain/ops/file_holder.h"
#include "tests/gvmain/ops/ops_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace gvmain {
namespace {

using test::Exists;
using test::LogCapture;
using test::ReadBytes;
using test::RecordingHost;
using test::ScratchDir;
using test::WriteBytes;
using Lines = std::vector<std::string>;

class FileOperations : public ::testing::Test {
protected:
    ScratchDir dir;
    RecordingHost host;
    LogCapture capture{dir / "install.log"};
    OperationLog* log = &capture.log;
};

TEST_F(FileOperations, CreateDirectoryLogsEachDirectoryMadeOutermostFirst) {
    EXPECT_TRUE(CreateDirectory(dir / "a\\b\\c\\", host, log));
    EXPECT_TRUE(CreateDirectory(dir / "a\\b", host, log));
    EXPECT_TRUE(CreateDirectory(dir / "a\\d", host, log));
    EXPECT_TRUE(test::Exists(dir / "a\\b\\c"));
    EXPECT_EQ(capture.Lines(),
              (Lines{"0 " + dir / "a", "0 " + dir / "a\\b", "0 " + dir / "a\\b\\c", "0 " + dir / "a\\d"}));
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(FileOperations, CreateDirectoryUnderAFileFailsWithMessage127AndLogsNothing) {
    WriteBytes(dir / "file", "x");
    EXPECT_FALSE(CreateDirectory(dir / "file\\sub", host, log));
    EXPECT_EQ(host.errors, Lines{"m127 " + dir / "file\\sub"});
    EXPECT_TRUE(capture.Lines().empty());
}

TEST_F(FileOperations, RemoveDirectoryDeletesTheTreeThroughTheFileOperations) {
    CreateDirectory(dir / "tree\\sub", host, nullptr);
    WriteBytes(dir / "tree\\one.txt", "1");
    WriteBytes(dir / "tree\\sub\\two.txt", "2");
    ::SetFileAttributesA((dir / "tree\\sub\\two.txt").c_str(),
                         FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    ::SetCurrentDirectoryA((dir / "tree\\sub").c_str());

    EXPECT_TRUE(RemoveDirectory(dir / "tree", host, log));
    EXPECT_FALSE(Exists(dir / "tree"));
    EXPECT_GE(host.pumps, 3);
    Lines lines = capture.Lines();
    std::sort(lines.begin(), lines.end() - 1);
    EXPECT_EQ(lines, (Lines{"1 " + dir / "tree\\sub", "3 " + dir / "tree\\one.txt",
                            "3 " + dir / "tree\\sub\\two.txt", "1 " + dir / "tree"}));
}

TEST_F(FileOperations, RemoveDirectoryStopsAtAFileThatCannotGo) {
    CreateDirectory(dir / "tree", host, nullptr);
    WriteBytes(dir / "tree\\held.txt", "1");
    test::FileHolder holder(dir / "tree\\held.txt");
    ASSERT_TRUE(holder.Holding());
    EXPECT_FALSE(RemoveDirectory(dir / "tree", host, log));
    EXPECT_EQ(host.errors, Lines{"Unable to delete file " + dir / "tree\\held.txt"});
    EXPECT_TRUE(Exists(dir / "tree\\held.txt"));
    EXPECT_TRUE(capture.Lines().empty());
}

TEST_F(FileOperations, DeleteFileClearsProtectiveAttributesAndAMissingFileIsNoChange) {
    WriteBytes(dir / "ro.txt", "x");
    ::SetFileAttributesA((dir / "ro.txt").c_str(),
                         FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    EXPECT_TRUE(DeleteFile(dir / "ro.txt", host, log));
    EXPECT_TRUE(DeleteFile(dir / "never.txt", host, log));
    EXPECT_FALSE(Exists(dir / "ro.txt"));
    EXPECT_EQ(capture.Lines(), Lines{"3 " + dir / "ro.txt"});
}

TEST_F(FileOperations, MoveFileReplacesTheTargetAndMakesItsDirectory) {
    WriteBytes(dir / "from.txt", "new");
    EXPECT_TRUE(MoveFile(dir / "from.txt", dir / "from.txt", host, log));
    EXPECT_TRUE(MoveFile(dir / "from.txt", dir / "to\\to.txt", host, log));
    WriteBytes(dir / "again.txt", "newer");
    EXPECT_TRUE(MoveFile(dir / "again.txt", dir / "to\\to.txt", host, log));
    EXPECT_EQ(ReadBytes(dir / "to\\to.txt"), "newer");
    EXPECT_FALSE(Exists(dir / "from.txt"));
    EXPECT_EQ(capture.Lines(),
              (Lines{"0 " + dir / "to", "2 " + dir / "from.txt|" + dir / "to\\to.txt",
                     "3 " + dir / "to\\to.txt", "2 " + dir / "again.txt|" + dir / "to\\to.txt"}));
}

TEST_F(FileOperations, MoveFileFailuresNameTheFilesAndLogNothing) {
    EXPECT_FALSE(MoveFile(dir / "missing.txt", dir / "to.txt", host, log));
    WriteBytes(dir / "from.txt", "x");
    WriteBytes(dir / "held.txt", "y");
    test::FileHolder holder(dir / "held.txt");
    ASSERT_TRUE(holder.Holding());
    EXPECT_FALSE(MoveFile(dir / "from.txt", dir / "held.txt", host, log));
    EXPECT_EQ(host.errors,
              (Lines{dir / "missing.txt not found", "Unable to delete file " + dir / "held.txt"}));
    EXPECT_EQ(ReadBytes(dir / "from.txt"), "x");
    EXPECT_TRUE(capture.Lines().empty());
}

TEST_F(FileOperations, SetAttributesLogsOldAndNewOnlyWhenTheyChange) {
    WriteBytes(dir / "f.txt", "x");
    DWORD before = ::GetFileAttributesA((dir / "f.txt").c_str());
    EXPECT_TRUE(SetAttributes(dir / "f.txt", before, host, log));
    EXPECT_TRUE(SetAttributes(dir / "f.txt", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE, host, log));
    EXPECT_FALSE(SetAttributes(dir / "none.txt", FILE_ATTRIBUTE_READONLY, host, log));
    EXPECT_EQ(::GetFileAttributesA((dir / "f.txt").c_str()),
              DWORD{FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE});
    EXPECT_EQ(host.errors, Lines{"Unable to get the file attributes of " + dir / "none.txt"});
    EXPECT_EQ(capture.Lines(), Lines{"6 " + dir / "f.txt|" + std::to_string(before) + "|" +
                                     std::to_string(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE)});
}

TEST_F(FileOperations, CheckFreeSpaceShowsNeedAndFreeSpaceInKilobytes) {
    ULARGE_INTEGER available;
    ASSERT_TRUE(::GetDiskFreeSpaceExA("c:\\", &available, nullptr, nullptr));
    uint64_t units = available.QuadPart / 10240;
    host.messages[91] = "Need %lu KB, have %lu KB";
    EXPECT_TRUE(CheckFreeSpace("c:\\", 1, host));
    EXPECT_TRUE(host.errors.empty());
    ASSERT_LT(units + 5, uint64_t{0xFFFFFFFF});
    uint32_t needed = static_cast<uint32_t>(units + 5);
    EXPECT_FALSE(CheckFreeSpace(dir.Path(), needed, host));
    ASSERT_EQ(host.errors.size(), 1u);
    EXPECT_EQ(host.errors[0].substr(0, host.errors[0].find(',')),
              "Need " + std::to_string(uint64_t{needed} * 10) + " KB");
    EXPECT_FALSE(CheckFreeSpace("q:\\", 1, host));
    EXPECT_EQ(host.errors.back(), "Unable to get the free space of drive q:\\");
}

TEST_F(FileOperations, IsInUseWhileAnotherProgramHoldsTheFile) {
    WriteBytes(dir / "f.dll", "x");
    EXPECT_FALSE(IsInUse(dir / "f.dll"));
    EXPECT_FALSE(IsInUse(dir / "missing.dll"));
    {
        test::FileHolder holder(dir / "f.dll");
        ASSERT_TRUE(holder.Holding());
        EXPECT_TRUE(IsInUse(dir / "f.dll"));
    }
    EXPECT_FALSE(IsInUse(dir / "f.dll"));
}

TEST_F(FileOperations, CopyFileCopiesAndLogsACreatedFile) {
    std::string bytes = test::SampleBytes(100000, 3);
    WriteBytes(dir / "src.bin", bytes);
    EXPECT_TRUE(CopyFile(dir / "src.bin", dir / "out\\copy.bin", host, log));
    EXPECT_EQ(ReadBytes(dir / "out\\copy.bin"), bytes);
    EXPECT_FALSE(CopyFile(dir / "none.bin", dir / "out\\none.bin", host, log));
    EXPECT_EQ(capture.Lines(), (Lines{"0 " + dir / "out", "4 " + dir / "out\\copy.bin"}));
}

}  // namespace
}  // namespace gvmain
