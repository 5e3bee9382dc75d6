#include "vorlen/platform/file_io.h"

#include "../support/temp_dir.h"
#include "../support/unprivileged.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <csignal>
#include <filesystem>

namespace vorlen::platform {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

size_t FilesIn(const std::string& directory) {
    size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(directory))
        ++count;
    return count;
}

TEST(AtomicWrite, CreatesAndReplacesFiles) {
    TempDir dir;
    std::string path = dir.File("data.vor");
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(path, std::string("first\0bytes", 11), &error)) << error;
    EXPECT_EQ(ReadFile(path), std::string("first\0bytes", 11));
    ASSERT_TRUE(WriteFileAtomically(path, "second"));
    EXPECT_EQ(ReadFile(path), "second");
    EXPECT_EQ(FilesIn(dir.Path()), 1u);  // no temporary file left behind

    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(path, bytes));
    EXPECT_EQ(bytes, "second");
    EXPECT_TRUE(CanOpenForReading(path));
    EXPECT_FALSE(CanOpenForReading(dir.File("missing")));
}

TEST(AtomicWrite, AReplacedFileKeepsItsPermissions) {
    TempDir dir;
    std::string path = dir.File("data.vor");
    WriteFile(path, "old");
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    ASSERT_TRUE(WriteFileAtomically(path, "new"));
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST(AtomicWrite, AFailureMidwayLeavesTheOldFileAndNoTemporary) {
    TempDir dir;
    std::string path = dir.File("data.vor");
    WriteFile(path, "precious");
    // A file size limit makes the write fail part of the way through.
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        std::string error;
        bool wrote = WriteFileAtomically(path, std::string(100000, 'x'), &error);
        ::_exit(!wrote && error.find("Cannot write") == 0 ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(ReadFile(path), "precious");
    EXPECT_EQ(FilesIn(dir.Path()), 1u);
}

TEST(AtomicWrite, AnUnwritableDirectoryLeavesTheOldFile) {
    TempDir dir;
    std::string path = dir.File("data.vor");
    WriteFile(path, "precious");
    ASSERT_EQ(::chmod(path.c_str(), 0644), 0);
    ASSERT_EQ(::chmod(dir.Path().c_str(), 0755), 0);
    EXPECT_TRUE(test::RunUnprivileged([&] {
        std::string error;
        return !WriteFileAtomically(path, "replacement", &error) && !error.empty();
    }));
    EXPECT_EQ(ReadFile(path), "precious");
}

TEST(AtomicWrite, ALinkKeepsPointingAtTheReplacedFile) {
    TempDir dir;
    std::string target = dir.File("target.vor");
    std::string link = dir.File("link.vor");
    WriteFile(target, "old");
    ASSERT_EQ(::symlink(target.c_str(), link.c_str()), 0);
    ASSERT_TRUE(WriteFileAtomically(link, "new"));
    struct stat info {};
    ASSERT_EQ(::lstat(link.c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    EXPECT_EQ(ReadFile(target), "new");
}

TEST(PlainWrite, CreatesTruncatesAndFollowsLinks) {
    TempDir dir;
    std::string target = dir.File("out.csv");
    std::string link = dir.File("link.csv");
    WriteFile(target, "a much longer old content");
    ASSERT_EQ(::symlink(target.c_str(), link.c_str()), 0);
    ASSERT_TRUE(WriteWholeFile(link, "short"));
    EXPECT_EQ(ReadFile(target), "short");
    std::string error;
    EXPECT_FALSE(WriteWholeFile(dir.File("no/dir/out.csv"), "x", &error));
    EXPECT_EQ(error.rfind("Cannot create", 0), 0u);
}

TEST(WholeFiles, MissingFilesAndDirectoriesAreReported) {
    TempDir dir;
    std::string bytes = "kept";
    std::string error;
    EXPECT_FALSE(ReadWholeFile(dir.File("missing"), bytes, &error));
    EXPECT_NE(error.find("missing"), std::string::npos);
    EXPECT_FALSE(ReadWholeFile(dir.Path(), bytes, &error));
    EXPECT_FALSE(WriteFileAtomically(dir.File("no/such/dir/file"), "x", &error));
}

}  // namespace
}  // namespace vorlen::platform
