#include "gvmain/ops/shared_files.h"

#include "gvmain/ops/install_file.h"
#include "tests/gvmain/ops/ops_test_support.h"
#include "tests/gvmain/ops/packed_files.h"

#include <gtest/gtest.h>

namespace gvmain {
namespace {

using test::RecordingHost;
using test::ScratchDir;

constexpr const char* sharedKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";

// The type and size of a count value, 0 and 0 when it is missing.
std::pair<DWORD, DWORD> CountShape(const std::string& path) {
    HKEY opened = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, sharedKey, 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) {
        return {0, 0};
    }
    ScopedKey key(opened);
    DWORD type = 0;
    DWORD size = 0;
    if (::RegQueryValueExA(key.Get(), path.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
        return {0, 0};
    }
    return {type, size};
}

uint32_t CountOf(const std::string& path) {
    uint32_t count = 0;
    return ReadSharedCount(path, count) ? count : 0;
}

class SharedFiles : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* folder : {"windows", "windows\\system", "common"}) {
            ::CreateDirectoryA((dir / folder).c_str(), nullptr);
        }
        host.environment.windowsDirectory = dir / "windows";
        host.environment.systemDirectory = dir / "windows\\system";
        host.environment.commonFilesDirectory = dir / "common";
    }
    void TearDown() override {
        for (const std::string& path : counted) {
            RemoveSharedCount(path);
        }
    }
    InstallJob Install(const std::string& name, int rule = 0) {
        counted.push_back(dir / name);
        InstallJob job = test::PackedJob(host, dir / "disk001", "shared", dir / name);
        job.comparator = Comparator::Size;
        job.recordedSize = 6;
        job.rule = rule;
        InstallFile(job, host, nullptr);
        return job;
    }

    ScratchDir dir;
    RecordingHost host;
    std::vector<std::string> counted;
};

TEST_F(SharedFiles, InstalledOrKeptFilesInSharedFoldersAreCounted) {
    EXPECT_EQ(Install("windows\\system\\a.dll").state, InstallInstalled);
    EXPECT_EQ(Install("common\\vendor\\b.dll").state, InstallInstalled);
    EXPECT_EQ(Install("windows\\c.dll").state, InstallInstalled);
    EXPECT_EQ(Install("d.dll").state, InstallInstalled);
    EXPECT_EQ(CountOf(dir / "windows\\system\\a.dll"), 1u);
    EXPECT_EQ(CountShape(dir / "windows\\system\\a.dll"), std::make_pair(DWORD{REG_BINARY}, DWORD{4}));
    EXPECT_EQ(CountOf(dir / "common\\vendor\\b.dll"), 1u);
    EXPECT_EQ(CountShape(dir / "windows\\c.dll").first, 0u);
    EXPECT_EQ(CountShape(dir / "d.dll").first, 0u);

    // Equal sizes under "install if different": the installed file is kept.
    EXPECT_EQ(Install("windows\\system\\a.dll", 5).state, InstallSkipped);
    EXPECT_EQ(CountOf(dir / "windows\\system\\a.dll"), 2u);
}

TEST_F(SharedFiles, AnExistingCountKeepsItsType) {
    std::string path = dir / "windows\\system\\dword.dll";
    HKEY opened = nullptr;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_LOCAL_MACHINE, sharedKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened,
                                nullptr),
              ERROR_SUCCESS);
    ScopedKey key(opened);
    DWORD five = 5;
    ::RegSetValueExA(key.Get(), path.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&five),
                     sizeof five);
    Install("windows\\system\\dword.dll");
    EXPECT_EQ(CountOf(path), 6u);
    EXPECT_EQ(CountShape(path), std::make_pair(DWORD{REG_DWORD}, DWORD{4}));
}

TEST_F(SharedFiles, AFailedInstallCountsNothing) {
    counted.push_back(dir / "windows\\system\\failed.dll");
    InstallJob job = test::PackedJob(host, dir / "disk001", "x", dir / "windows\\system\\failed.dll");
    job.source.container = "missing.pak";
    InstallFile(job, host, nullptr);
    EXPECT_EQ(job.state, InstallFailed);
    EXPECT_EQ(CountShape(dir / "windows\\system\\failed.dll").first, 0u);
}

TEST(SharedFileEnvironment, TheVersionSearchNamesTheSystemDirectory) {
    OperationEnvironment environment = DetectEnvironment();
    char windows[MAX_PATH];
    char system[MAX_PATH];
    ::GetWindowsDirectoryA(windows, sizeof windows);
    ::GetSystemDirectoryA(system, sizeof system);
    EXPECT_STRCASEEQ(environment.windowsDirectory.c_str(), windows);
    EXPECT_STRCASEEQ(environment.systemDirectory.c_str(), system);
    EXPECT_FALSE(environment.commonFilesDirectory.empty());
    EXPECT_FALSE(IsSharedLocation(std::string(windows) + "\\x.dll", environment));
    EXPECT_TRUE(IsSharedLocation(std::string(system) + "\\x.dll", environment));
    EXPECT_TRUE(IsSharedLocation(environment.commonFilesDirectory + "\\v\\x.dll", environment));
}

}  // namespace
}  // namespace gvmain
