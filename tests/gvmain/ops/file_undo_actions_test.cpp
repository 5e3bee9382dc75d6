#include "gvmain/ops/file_undo_actions.h"

#include "gvmain/ops/file_operations.h"
#include "gvmain/ops/install_file.h"
#include "gvmain/ops/shared_files.h"
#include "tests/gvmain/ops/ops_test_support.h"
#include "tests/gvmain/ops/packed_files.h"

#include <gtest/gtest.h>

namespace gvmain {
namespace {

using test::Exists;
using test::ReadBytes;
using test::RecordingHost;
using test::ScratchDir;
using test::WriteBytes;

class FileUndo : public ::testing::Test {
protected:
    void SetUp() override {
        host.messages[4] = "%s is shared.";
        host.messages[70] = "Shared file";
        host.messages[67] = "Remove";
        host.messages[68] = "Keep";
        host.messages[143] = "%s is not empty.";
        host.messages[144] = "Remove folder";
    }
    void TearDown() override { RemoveSharedCount(file); }

    ScratchDir dir;
    RecordingHost host;
    FileUndoActions undo{host};
    std::string file = dir / "shared.dll";
};

TEST_F(FileUndo, CreatedFileWithoutACountIsDeletedEvenWhenReadOnly) {
    for (bool zeroCount : {false, true}) {
        WriteBytes(file, "x");
        ::SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM);
        if (zeroCount) {
            WriteSharedCount(file, 0);
        }
        EXPECT_TRUE(undo.UndoFileCreated(file));
        EXPECT_FALSE(Exists(file));
    }
    EXPECT_TRUE(host.questions.empty());
}

TEST_F(FileUndo, TheLastCountAsksWhetherTheFileGoes) {
    WriteBytes(file, "x");
    WriteSharedCount(file, 1);
    host.answers = {firstButton};
    EXPECT_TRUE(undo.UndoFileCreated(file));
    EXPECT_TRUE(Exists(file));
    uint32_t count = 0;
    EXPECT_TRUE(ReadSharedCount(file, count));
    EXPECT_EQ(count, 1u);
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0].text, file + " is shared.");
    EXPECT_EQ(host.questions[0].caption, "Shared file");
    EXPECT_EQ(host.questions[0].buttons, Buttons::Custom);
    EXPECT_EQ(host.questions[0].customTexts, (std::vector<std::string>{"Keep", "Remove"}));

    host.answers = {secondButton};
    EXPECT_TRUE(undo.UndoFileCreated(file));
    EXPECT_FALSE(Exists(file));
    EXPECT_FALSE(ReadSharedCount(file, count));
}

TEST_F(FileUndo, HigherCountsGoDownByOneAndKeepTheFile) {
    WriteBytes(file, "x");
    WriteSharedCount(file, 3);
    EXPECT_TRUE(undo.UndoFileCreated(file));
    uint32_t count = 0;
    ASSERT_TRUE(ReadSharedCount(file, count));
    EXPECT_EQ(count, 2u);
    EXPECT_TRUE(undo.UndoFileCreated(file));
    ASSERT_TRUE(ReadSharedCount(file, count));
    EXPECT_EQ(count, 1u);
    EXPECT_TRUE(Exists(file));
    EXPECT_TRUE(host.questions.empty());
}

TEST_F(FileUndo, LengthAttributesMovesAndDirectories) {
    WriteBytes(dir / "grown.txt", "abcdefgh");
    EXPECT_TRUE(undo.UndoFileLengthened(dir / "grown.txt", 3));
    EXPECT_EQ(ReadBytes(dir / "grown.txt"), "abc");
    EXPECT_FALSE(undo.UndoFileLengthened(dir / "missing.txt", 3));

    ::SetFileAttributesA((dir / "grown.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    EXPECT_TRUE(undo.UndoAttributesChanged(dir / "grown.txt", FILE_ATTRIBUTE_ARCHIVE));
    EXPECT_EQ(::GetFileAttributesA((dir / "grown.txt").c_str()), DWORD{FILE_ATTRIBUTE_ARCHIVE});

    EXPECT_TRUE(undo.UndoFileMoved(dir / "first.txt", dir / "grown.txt"));
    EXPECT_EQ(ReadBytes(dir / "first.txt"), "abc");
    EXPECT_FALSE(Exists(dir / "grown.txt"));

    EXPECT_TRUE(undo.UndoDirRemoved(dir / "gone\\again"));
    EXPECT_TRUE(test::Exists(dir / "gone\\again"));
    EXPECT_TRUE(host.errors.size() == 1u &&
                host.errors[0] == "Unable to set the length of " + dir / "missing.txt");
}

TEST_F(FileUndo, ACreatedDirectoryThatHoldsFilesGoesOnlyWithConsent) {
    ::CreateDirectoryA((dir / "empty").c_str(), nullptr);
    EXPECT_TRUE(undo.UndoDirCreated(dir / "empty"));
    EXPECT_FALSE(Exists(dir / "empty"));
    EXPECT_TRUE(host.questions.empty());

    ::CreateDirectoryA((dir / "full").c_str(), nullptr);
    ::CreateDirectoryA((dir / "full\\sub").c_str(), nullptr);
    WriteBytes(dir / "full\\sub\\f.txt", "x");
    host.answers = {secondButton, firstButton};
    EXPECT_FALSE(undo.UndoDirCreated(dir / "full"));
    EXPECT_TRUE(Exists(dir / "full\\sub\\f.txt"));
    EXPECT_TRUE(undo.UndoDirCreated(dir / "full"));
    EXPECT_FALSE(Exists(dir / "full"));
    ASSERT_EQ(host.questions.size(), 2u);
    EXPECT_EQ(host.questions[0].text, dir / "full is not empty.");
    EXPECT_EQ(host.questions[0].caption, "Remove folder");
    EXPECT_EQ(host.questions[0].buttons, Buttons::YesNo);
}

// What an installation logs, read back and undone in reverse, leaves the
// disk as it was.
TEST_F(FileUndo, AnInstallationReadBackFromItsLogUndoesCompletely) {
    WriteBytes(dir / "existing.txt", "abc");
    test::LogCapture capture(dir / "install.log");
    InstallJob job = test::PackedJob(host, dir / "disk001", "payload", dir / "app\\bin\\tool.exe", true);
    InstallFile(job, host, &capture.log);
    InstallJob append = test::PackedJob(host, dir / "disk001", "def", dir / "existing.txt");
    append.append = true;
    InstallFile(append, host, &capture.log);
    SetAttributes(dir / "app\\bin\\tool.exe", FILE_ATTRIBUTE_READONLY, host, &capture.log);
    MoveFile(dir / "app\\bin\\tool.exe", dir / "app\\tool.exe", host, &capture.log);
    capture.log.Close();

    LogContents contents = ReadOperationLog(dir / "install.log");
    ASSERT_TRUE(contents.error.empty()) << contents.error;
    ASSERT_EQ(contents.records.size(), 6u);
    for (auto record = contents.records.rbegin(); record != contents.records.rend(); ++record) {
        EXPECT_TRUE((*record)->Undo(undo)) << (*record)->Kind();
    }
    EXPECT_FALSE(Exists(dir / "app"));
    EXPECT_EQ(ReadBytes(dir / "existing.txt"), "abc");
    EXPECT_TRUE(host.questions.empty());
    EXPECT_TRUE(host.errors.empty());
}

}  // namespace
}  // namespace gvmain
