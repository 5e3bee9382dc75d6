#include "gvmain/ops/install_file.h"

#include "gvmain/ops/file_names.h"
#include "tests/gvmain/ops/ops_test_support.h"
#include "tests/gvmain/ops/packed_files.h"

#include <gtest/gtest.h>

namespace gvmain {
namespace {

using test::Exists;
using test::LogCapture;
using test::ReadBytes;
using test::RecordingHost;
using test::ScratchDir;
using test::WriteBytes;
using Lines = std::vector<std::string>;

constexpr uint64_t oneSecond = 10000000;

class InstallFileTest : public ::testing::Test {
protected:
    InstallJob Job(const std::string& plain, const std::string& name, bool compressed = false) {
        return test::PackedJob(host, dir / "disk001", plain, dir / name, compressed);
    }
    // No temporary file may stay behind in the destination's directory.
    bool NoTemporaryFiles(const std::string& directory) {
        return TemporaryName(directory, "tmp") == JoinPath(directory, "tmp000.000");
    }

    ScratchDir dir;
    RecordingHost host;
    LogCapture capture{dir / "install.log"};
};

uint64_t LastWriteTime(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return (uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) | data.ftLastWriteTime.dwLowDateTime;
}

void SetLastWriteTime(const std::string& path, uint64_t time) {
    test::WriteBytes(path, test::ReadBytes(path));
    gvmain::ScopedHandle file(
        ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    FILETIME stamp{static_cast<DWORD>(time), static_cast<DWORD>(time >> 32)};
    ::SetFileTime(file.Get(), nullptr, nullptr, &stamp);
}

TEST_F(InstallFileTest, ANewFileIsWrittenAndLoggedWithTheDirectoriesMade) {
    for (bool compressed : {false, true}) {
        std::string plain = test::SampleBytes(70000, compressed);
        std::string name = compressed ? "app\\bin\\packed.dll" : "app\\plain.txt";
        InstallJob job = Job(plain, name, compressed);
        InstallFile(job, host, &capture.log);
        EXPECT_EQ(job.state, InstallInstalled);
        EXPECT_EQ(ReadBytes(dir / name), plain);
    }
    EXPECT_EQ(capture.Lines(), (Lines{"0 " + dir / "app", "4 " + dir / "app\\plain.txt",
                                      "0 " + dir / "app\\bin", "4 " + dir / "app\\bin\\packed.dll"}));
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(InstallFileTest, AnExistingFileIsReplacedThroughATemporaryFile) {
    WriteBytes(dir / "f.txt", "old contents");
    ::SetFileAttributesA((dir / "f.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    InstallJob job = Job("new contents", "f.txt");
    InstallFile(job, host, &capture.log);
    EXPECT_EQ(job.state, InstallInstalled);
    EXPECT_EQ(ReadBytes(dir / "f.txt"), "new contents");
    EXPECT_TRUE(NoTemporaryFiles(dir.Path()));
    EXPECT_EQ(capture.Lines(), Lines{"4 " + dir / "f.txt"});
    EXPECT_FALSE(job.restartNeeded);
}

BOOL WINAPI MoveFileExUnavailable(LPCSTR, LPCSTR, DWORD) {
    ::SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return FALSE;
}

TEST_F(InstallFileTest, WithoutMoveFileExAFreeDestinationIsStillReplacedAtOnce) {
    host.environment.moveFileEx = &MoveFileExUnavailable;
    WriteBytes(dir / "f.txt", "old");
    InstallJob job = Job("new", "f.txt");
    InstallFile(job, host, nullptr);
    EXPECT_EQ(job.state, InstallInstalled);
    EXPECT_FALSE(job.restartNeeded);
    EXPECT_EQ(ReadBytes(dir / "f.txt"), "new");
    EXPECT_TRUE(NoTemporaryFiles(dir.Path()));
}

TEST_F(InstallFileTest, ADirectoryInTheWayFailsTheJob) {
    ::CreateDirectoryA((dir / "taken").c_str(), nullptr);
    InstallJob job = Job("new", "taken");
    InstallFile(job, host, &capture.log);
    EXPECT_EQ(job.state, InstallFailed);
    EXPECT_TRUE(test::Exists(dir / "taken"));
    EXPECT_EQ(host.errors, Lines{"m135 " + dir / "taken"});
    EXPECT_TRUE(capture.Lines().empty());
}

// Each comparator gives older, equal and newer; each rule installs on the
// results it names, rules outside 0-5 never.
TEST_F(InstallFileTest, EveryComparatorUnderEveryRule) {
    const bool installs[7][3] = {
        // older, equal, newer
        {true, false, false}, {true, true, false}, {false, false, true},  {false, true, true},
        {false, true, false}, {true, false, true}, {false, false, false},
    };
    std::string versionFile = dir / "gvver.ini";
    for (Comparator comparator : {Comparator::Time, Comparator::Size, Comparator::VersionFile}) {
        for (int relation = 0; relation < 3; ++relation) {
            for (int rule = 0; rule < 7; ++rule) {
                SCOPED_TRACE(testing::Message() << "comparator " << static_cast<int>(comparator)
                                                << " relation " << relation << " rule " << rule);
                std::string destination = dir / "cmp.bin";
                WriteBytes(destination, std::string(100, 'o'));
                uint64_t installedTime = LastWriteTime(destination) - 100 * oneSecond;
                SetLastWriteTime(destination, installedTime);
                ::WritePrivateProfileStringA("iniversion", destination.c_str(), "1.2.3.4",
                                             versionFile.c_str());

                InstallJob job = Job("new", "cmp.bin");
                job.comparator = comparator;
                job.rule = rule;
                job.recordedTime = installedTime + (relation - 1) * oneSecond;
                job.recordedSize = 100 + (relation - 1) * 10;
                job.recordedVersion = {1 * 65536 + 2, static_cast<uint32_t>(3 * 65536 + 4 + relation - 1)};
                job.versionFile = versionFile;
                InstallFile(job, host, nullptr);

                bool expected = installs[rule][relation];
                EXPECT_EQ(job.state, expected ? InstallInstalled : InstallSkipped);
                EXPECT_EQ(ReadBytes(destination), expected ? "new" : std::string(100, 'o'));
            }
        }
    }
    EXPECT_TRUE(host.errors.empty());
}

TEST_F(InstallFileTest, AVersionFileEntryOfFewerThanFourNumbersCountsAsOlder) {
    std::string versionFile = dir / "gvver.ini";
    WriteBytes(dir / "v.dll", "old");
    ::WritePrivateProfileStringA("iniversion", (dir / "v.dll").c_str(), "1.2", versionFile.c_str());
    InstallJob job = Job("new", "v.dll");
    job.comparator = Comparator::VersionFile;
    job.rule = 2;
    job.recordedVersion = {0, 1};
    job.versionFile = versionFile;
    InstallFile(job, host, nullptr);
    EXPECT_EQ(job.state, InstallInstalled);
    EXPECT_EQ(ReadBytes(dir / "v.dll"), "new");

    char written[64] = "";
    ::GetPrivateProfileStringA("iniversion", (dir / "v.dll").c_str(), "", written, sizeof written,
                               versionFile.c_str());
    EXPECT_STREQ(written, "0.0.0.1");

    job.recordedVersion = {7 * 65536 + 65535, 9 * 65536 + 3};
    InstallFile(job, host, nullptr);
    ::GetPrivateProfileStringA("iniversion", (dir / "v.dll").c_str(), "", written, sizeof written,
                               versionFile.c_str());
    EXPECT_STREQ(written, "7.65535.9.3");
}

TEST_F(InstallFileTest, AMissingDestinationInstallsWhateverTheRule) {
    for (int rule : {4, 6}) {
        std::string name = "missing" + std::to_string(rule) + ".txt";
        InstallJob job = Job("new", name);
        job.comparator = Comparator::FileVersion;
        job.rule = rule;
        InstallFile(job, host, nullptr);
        EXPECT_EQ(job.state, InstallInstalled);
        EXPECT_EQ(ReadBytes(dir / name), "new");
    }
}

TEST_F(InstallFileTest, FileVersionsOfTheInstalledFileDecide) {
    char system[MAX_PATH];
    ::GetSystemDirectoryA(system, sizeof system);
    std::string installed = dir / "versioned.dll";
    ASSERT_TRUE(::CopyFileA((std::string(system) + "\\version.dll").c_str(), installed.c_str(), FALSE));
    std::string original = ReadBytes(installed);

    InstallJob job = Job("older", "versioned.dll");
    job.comparator = Comparator::FileVersion;
    job.rule = 2;
    job.recordedVersion = {0, 1};
    InstallFile(job, host, nullptr);
    EXPECT_EQ(job.state, InstallSkipped);
    EXPECT_EQ(ReadBytes(installed), original);

    job.recordedVersion = {0xFFFFFFFF, 0};
    InstallFile(job, host, nullptr);
    EXPECT_EQ(job.state, InstallInstalled);
    EXPECT_EQ(ReadBytes(installed), "older");
}

TEST_F(InstallFileTest, CannotCompareFailsAndKeepsTheInstalledFile) {
    WriteBytes(dir / "plain.dll", "no version resource");
    for (bool viaTemp : {false, true}) {
        InstallJob job = Job("new", "plain.dll");
        job.comparator = Comparator::FileVersion;
        job.viaTemp = viaTemp;
        InstallFile(job, host, &capture.log);
        EXPECT_EQ(job.state, InstallFailed);
    }
    EXPECT_EQ(host.errors, (Lines{"Unable to compare the files", "m135 " + dir / "plain.dll",
                                  "Unable to compare the files", "m135 " + dir / "plain.dll"}));
    EXPECT_EQ(ReadBytes(dir / "plain.dll"), "no version resource");
    EXPECT_TRUE(NoTemporaryFiles(dir.Path()));
    EXPECT_TRUE(capture.Lines().empty());
}

TEST_F(InstallFileTest, ViaTempComparesTheWrittenCopyAndDropsItWhenNotInstalling) {
    WriteBytes(dir / "t.txt", "installed");
    SetLastWriteTime(dir / "t.txt", LastWriteTime(dir / "t.txt") + 3600 * oneSecond);
    InstallJob job = Job("new", "t.txt");
    job.viaTemp = true;
    job.comparator = Comparator::Time;
    job.rule = 2;
    InstallFile(job, host, &capture.log);
    EXPECT_EQ(job.state, InstallSkipped);
    EXPECT_EQ(ReadBytes(dir / "t.txt"), "installed");
    EXPECT_TRUE(NoTemporaryFiles(dir.Path()));

    job.rule = 0;
    InstallFile(job, host, &capture.log);
    EXPECT_EQ(job.state, InstallInstalled);
    EXPECT_EQ(ReadBytes(dir / "t.txt"), "new");
    EXPECT_EQ(capture.Lines(), Lines{"4 " + dir / "t.txt"});
}

TEST_F(InstallFileTest, BlocksOfTheBufferSizeWithFortyKilobytesMeaningTwo) {
    std::string plain = test::SampleBytes(10 * 1024 + 100, 5);
    for (int bufferKb : {40, 0, -3, 8}) {
        host.progress.clear();
        InstallJob job = Job(plain, "b" + std::to_string(bufferKb) + ".bin");
        job.bufferKb = bufferKb;
        InstallFile(job, host, nullptr);
        ASSERT_EQ(job.state, InstallInstalled);
        uint32_t block = bufferKb == 8 ? 8 : 2;
        ASSERT_EQ(host.progress.size(), (10 + block) / block) << bufferKb;
        for (size_t i = 0; i + 1 < host.progress.size(); ++i) {
            EXPECT_EQ(host.progress[i], block);
        }
        EXPECT_EQ(ReadBytes(dir / ("b" + std::to_string(bufferKb) + ".bin")), plain);
    }
}

TEST_F(InstallFileTest, CancellingInTheProgressLeavesNothingBehind) {
    std::string plain = test::SampleBytes(20000, 6);
    host.cancelAfterBlocks = 2;
    InstallJob fresh = Job(plain, "fresh.bin", true);
    InstallFile(fresh, host, &capture.log);
    EXPECT_EQ(fresh.state, InstallCancelled);
    EXPECT_FALSE(Exists(dir / "fresh.bin"));

    host.progress.clear();
    WriteBytes(dir / "kept.bin", "installed");
    InstallJob replacing = Job(plain, "kept.bin");
    InstallFile(replacing, host, &capture.log);
    EXPECT_EQ(replacing.state, InstallCancelled);
    EXPECT_EQ(ReadBytes(dir / "kept.bin"), "installed");
    EXPECT_TRUE(NoTemporaryFiles(dir.Path()));
    EXPECT_TRUE(host.errors.empty());
    EXPECT_TRUE(capture.Lines().empty());
}

TEST_F(InstallFileTest, AppendingLengthensAnExistingFileAndCreatesAMissingOne) {
    WriteBytes(dir / "log.txt", "abc");
    InstallJob job = Job("defgh", "log.txt");
    job.append = true;
    InstallFile(job, host, &capture.log);
    EXPECT_EQ(ReadBytes(dir / "log.txt"), "abcdefgh");

    InstallJob fresh = Job("xyz", "new.txt");
    fresh.append = true;
    InstallFile(fresh, host, &capture.log);
    EXPECT_EQ(ReadBytes(dir / "new.txt"), "xyz");

    host.cancelAfterBlocks = 1;
    InstallJob cancelled = Job(test::SampleBytes(9000, 1), "log.txt");
    cancelled.append = true;
    InstallFile(cancelled, host, &capture.log);
    EXPECT_EQ(cancelled.state, InstallCancelled);
    EXPECT_EQ(ReadBytes(dir / "log.txt"), "abcdefgh");
    EXPECT_EQ(capture.Lines(), (Lines{"5 " + dir / "log.txt|3", "4 " + dir / "new.txt"}));
}

TEST_F(InstallFileTest, KeepTimeStampSetsTheRecordedTime) {
    InstallJob job = Job("stamped", "stamp.txt");
    job.keepTimeStamp = true;
    job.recordedTime = 125000000000000000ull;
    InstallFile(job, host, nullptr);
    EXPECT_EQ(job.state, InstallInstalled);
    EXPECT_EQ(LastWriteTime(dir / "stamp.txt"), job.recordedTime);
}

TEST_F(InstallFileTest, AFailureAsksForRetriesWhileTheUserWantsThem) {
    InstallJob job = Job("x", "r.txt");
    job.source.container = "missing.pak";
    job.retryPrompt = true;
    host.answers = {firstButton, firstButton, secondButton};
    InstallFile(job, host, &capture.log);
    EXPECT_EQ(job.state, InstallFailed);
    ASSERT_EQ(host.questions.size(), 3u);
    EXPECT_EQ(host.questions[0].text, "m135 " + dir / "r.txt");
    EXPECT_EQ(host.questions[0].buttons, Buttons::RetryCancel);
    EXPECT_TRUE(host.errors.empty());

    job.retryPrompt = false;
    InstallFile(job, host, &capture.log);
    EXPECT_EQ(host.questions.size(), 3u);
    EXPECT_EQ(host.errors, Lines{"m135 " + dir / "r.txt"});
    EXPECT_FALSE(Exists(dir / "r.txt"));
    EXPECT_TRUE(capture.Lines().empty());
}

// Moves lzpunz2.dll away from the runner for the life of the object.
class DecompressorAway {
public:
    DecompressorAway() {
        char self[MAX_PATH] = "";
        ::GetModuleFileNameA(nullptr, self, sizeof self);
        dll_ = DirectoryOf(self) + "\\lzpunz2.dll";
        moved_ = ::MoveFileA(dll_.c_str(), (dll_ + ".away").c_str()) != 0;
    }
    ~DecompressorAway() {
        if (moved_) {
            ::MoveFileA((dll_ + ".away").c_str(), dll_.c_str());
        }
    }
    bool Moved() const { return moved_; }

private:
    std::string dll_;
    bool moved_ = false;
};

TEST_F(InstallFileTest, AMissingDecompressorFailsCompressedFilesOnly) {
    DecompressorAway away;
    ASSERT_TRUE(away.Moved());
    InstallJob packed = Job("packed", "packed.txt", true);
    InstallFile(packed, host, &capture.log);
    EXPECT_EQ(packed.state, InstallFailed);
    EXPECT_FALSE(Exists(dir / "packed.txt"));
    EXPECT_EQ(host.errors, (Lines{"Unable to load lzpunz2.dll", "m135 " + dir / "packed.txt"}));

    InstallJob plain = Job("plain", "plain.txt");
    InstallFile(plain, host, &capture.log);
    EXPECT_EQ(plain.state, InstallInstalled);
    EXPECT_EQ(capture.Lines(), Lines{"4 " + dir / "plain.txt"});
}

TEST_F(InstallFileTest, DamagedPackedDataFailsCleanly) {
    std::string packed = test::Packed(test::SampleBytes(50000, 2), true);
    packed[packed.size() / 2] ^= 0x55;
    ::CreateDirectoryA((dir / "disk001").c_str(), nullptr);
    WriteBytes(dir / "disk001\\bad.pak", packed);
    host.disks = {dir / "disk001"};
    InstallJob job;
    job.source.container = "bad.pak";
    job.source.packedLength = static_cast<uint32_t>(packed.size());
    job.compressed = true;
    job.destination = dir / "bad.bin";
    InstallFile(job, host, &capture.log);
    EXPECT_EQ(job.state, InstallFailed);
    EXPECT_FALSE(Exists(dir / "bad.bin"));
    EXPECT_TRUE(capture.Lines().empty());
}

}  // namespace
}  // namespace gvmain
