// InstallFile onto a destination that another process holds open, under
// each in-use policy.
#include "gvmain/ops/install_file.h"

#include "tests/gvmain/ops/file_holder.h"
#include "tests/gvmain/ops/ops_test_support.h"
#include "tests/gvmain/ops/packed_files.h"

#include <gtest/gtest.h>

#include <memory>

namespace gvmain {
namespace {

using test::Exists;
using test::LogCapture;
using test::ReadBytes;
using test::RecordingHost;
using test::ScratchDir;
using test::WriteBytes;
using Lines = std::vector<std::string>;

constexpr const char* sessionManager = "System\\CurrentControlSet\\Control\\Session Manager";
constexpr const char* pendingRenames = "PendingFileRenameOperations";

// The platform's list of moves for the next start, restored afterwards so
// that no test leaves work for a later boot of the prefix.
class PendingRenames {
public:
    PendingRenames() { had_ = Read(saved_); }
    ~PendingRenames() {
        ScopedKey key = Open();
        if (had_) {
            ::RegSetValueExA(key.Get(), pendingRenames, 0, REG_MULTI_SZ,
                             reinterpret_cast<const BYTE*>(saved_.data()), static_cast<DWORD>(saved_.size()));
        } else {
            ::RegDeleteValueA(key.Get(), pendingRenames);
        }
    }
    // All entries, lower-cased, each followed by '|'.
    std::string Entries() {
        std::string value;
        Read(value);
        std::string entries;
        for (char c : value) {
            entries += c == '\0' ? '|' : static_cast<char>(::tolower(static_cast<unsigned char>(c)));
        }
        return entries;
    }

private:
    static ScopedKey Open() {
        HKEY key = nullptr;
        ::RegOpenKeyExA(HKEY_LOCAL_MACHINE, sessionManager, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key);
        return ScopedKey(key);
    }
    static bool Read(std::string& value) {
        ScopedKey key = Open();
        DWORD size = 0;
        if (::RegQueryValueExA(key.Get(), pendingRenames, nullptr, nullptr, nullptr, &size) !=
            ERROR_SUCCESS) {
            return false;
        }
        value.assign(size, '\0');
        return ::RegQueryValueExA(key.Get(), pendingRenames, nullptr, nullptr,
                                  reinterpret_cast<BYTE*>(value.data()), &size) == ERROR_SUCCESS;
    }

    std::string saved_;
    bool had_ = false;
};

BOOL WINAPI MoveFileExUnavailable(LPCSTR, LPCSTR, DWORD) {
    ::SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return FALSE;
}

std::string Lower(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

std::string ShortPath(const std::string& path) {
    char shortPath[MAX_PATH] = "";
    ::GetShortPathNameA(path.c_str(), shortPath, sizeof shortPath);
    return shortPath;
}

class InstallInUse : public ::testing::Test {
protected:
    void SetUp() override {
        host.messages[131] = "%s is in use.";
        host.messages[132] = "Close the program and retry.";
        host.messages[133] = "Cancel replaces it at the next start.";
        host.messages[134] = "Cancel skips it.";
        host.environment.windowsDirectory = dir / "windows";
        ::CreateDirectoryA(host.environment.windowsDirectory.c_str(), nullptr);
        ::CreateDirectoryA((dir / "app").c_str(), nullptr);
        WriteBytes(destination, "installed");
    }
    InstallJob Job(int policy) {
        InstallJob job = test::PackedJob(host, dir / "disk001", "new file", destination);
        job.inUsePolicy = policy;
        return job;
    }
    std::string QuestionText(int choice) {
        return destination + " is in use.\n\nClose the program and retry. " + host.messages[choice];
    }

    ScratchDir dir;
    RecordingHost host;
    LogCapture capture{dir / "install.log"};
    std::string destination = dir / "app\\held.dll";
    std::string temporary = dir / "app\\tmp000.000";
};

TEST_F(InstallInUse, AskThenCancelLeavesTheNewFileForTheNextStart) {
    PendingRenames pending;
    auto holder = std::make_unique<test::FileHolder>(destination);
    ASSERT_TRUE(holder->Holding());
    InstallJob job = Job(InUseAskReplaceAtRestart);
    host.answers = {firstButton, secondButton};
    InstallFile(job, host, &capture.log);

    EXPECT_EQ(job.state, InstallInstalled);
    EXPECT_TRUE(job.restartNeeded);
    EXPECT_EQ(host.restartFlags, 1);
    ASSERT_EQ(host.questions.size(), 2u);
    EXPECT_EQ(host.questions[0].text, QuestionText(133));
    EXPECT_EQ(host.questions[0].buttons, Buttons::RetryCancel);
    EXPECT_EQ(ReadBytes(temporary), "new file");
    holder.reset();
    EXPECT_EQ(ReadBytes(destination), "installed");
    std::string entries = pending.Entries();
    EXPECT_NE(entries.find(Lower(temporary.substr(2)) + "|"), std::string::npos) << entries;
    EXPECT_NE(entries.find(Lower(destination.substr(2)) + "|"), std::string::npos) << entries;
    EXPECT_EQ(capture.Lines(), Lines{"4 " + destination});
}

TEST_F(InstallInUse, WithoutTheDelayedMoveWininitIniGetsTheRename) {
    host.environment.moveFileEx = &MoveFileExUnavailable;
    test::FileHolder holder(destination);
    ASSERT_TRUE(holder.Holding());
    InstallJob job = Job(InUseAskReplaceAtRestart);
    InstallFile(job, host, nullptr);

    EXPECT_EQ(job.state, InstallInstalled);
    EXPECT_EQ(host.restartFlags, 1);
    char value[MAX_PATH] = "";
    ::GetPrivateProfileStringA("rename", ShortPath(destination).c_str(), "", value, sizeof value,
                               (dir / "windows\\wininit.ini").c_str());
    EXPECT_STRCASEEQ(value, ShortPath(temporary).c_str());
    EXPECT_EQ(ReadBytes(temporary), "new file");
}

TEST_F(InstallInUse, ReplaceAtRestartWithoutAsking) {
    PendingRenames pending;
    test::FileHolder holder(destination);
    ASSERT_TRUE(holder.Holding());
    InstallJob job = Job(InUseReplaceAtRestart);
    InstallFile(job, host, nullptr);
    EXPECT_EQ(job.state, InstallInstalled);
    EXPECT_TRUE(job.restartNeeded);
    EXPECT_TRUE(host.questions.empty());
    EXPECT_NE(pending.Entries().find(Lower(temporary.substr(2))), std::string::npos);
}

TEST_F(InstallInUse, AskThenCancelSkipsUnderPolicyTwoAndUnknownPoliciesSkipWithoutAsking) {
    auto holder = std::make_unique<test::FileHolder>(destination);
    ASSERT_TRUE(holder->Holding());
    for (int policy : {int{InUseAskSkip}, 7}) {
        host.questions.clear();
        host.errors.clear();
        InstallJob job = Job(policy);
        InstallFile(job, host, &capture.log);
        EXPECT_EQ(job.state, InstallFailed);
        EXPECT_FALSE(job.restartNeeded);
        EXPECT_EQ(host.questions.size(), policy == InUseAskSkip ? 1u : 0u);
        if (!host.questions.empty()) {
            EXPECT_EQ(host.questions[0].text, QuestionText(134));
        }
        EXPECT_EQ(host.errors, Lines{"m135 " + destination});
        EXPECT_FALSE(Exists(temporary));
    }
    holder.reset();
    EXPECT_EQ(ReadBytes(destination), "installed");
    EXPECT_EQ(host.restartFlags, 0);
    EXPECT_TRUE(capture.Lines().empty());
}

TEST_F(InstallInUse, RetryAfterTheProgramLetGoReplacesAtOnce) {
    auto holder = std::make_unique<test::FileHolder>(destination);
    ASSERT_TRUE(holder->Holding());
    InstallJob job = Job(InUseAskSkip);
    host.answers = {firstButton};
    host.onAsk = [&holder] { holder.reset(); };
    InstallFile(job, host, &capture.log);
    EXPECT_EQ(job.state, InstallInstalled);
    EXPECT_FALSE(job.restartNeeded);
    EXPECT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(ReadBytes(destination), "new file");
    EXPECT_FALSE(Exists(temporary));
    EXPECT_EQ(capture.Lines(), Lines{"4 " + destination});
}

}  // namespace
}  // namespace gvmain
