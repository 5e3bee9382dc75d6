#include "vorlen/platform/settings.h"

#include "../support/temp_dir.h"
#include "../support/unprivileged.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <utility>
#include <vector>

namespace vorlen::platform {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Report = std::pair<std::string, std::string>;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

// A fresh configuration home and a reporter that records what it is told.
class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (const char* current = std::getenv("XDG_CONFIG_HOME"))
            savedHome_ = current;
        ::setenv("XDG_CONFIG_HOME", home_.Path().c_str(), 1);
        savedReporter_ = SetProblemReporter([this](const std::string& caption, const std::string& text) {
            reports_.emplace_back(caption, text);
        });
    }
    void TearDown() override {
        SetProblemReporter(savedReporter_);
        if (savedHome_)
            ::setenv("XDG_CONFIG_HOME", savedHome_->c_str(), 1);
        else
            ::unsetenv("XDG_CONFIG_HOME");
    }
    std::string KeyDir() const { return home_.Path() + "/Tolvane Software"; }
    std::string KeyFile() const { return KeyDir() + "/Vorlen.conf"; }

    TempDir home_;
    std::vector<Report> reports_;

private:
    std::optional<std::string> savedHome_;
    ProblemReporter savedReporter_;
};

Report Problem(const std::string& tag) {
    return {"Problem", "Cannot save registry information [" + tag + "]"};
}

void ExpectDefaults(const Settings& read) {
    EXPECT_EQ(read.timer, 60);
    EXPECT_EQ(read.minimizeToTray, 1);
    EXPECT_EQ(read.keepLoaded, 0);
    EXPECT_EQ(read.bootupOption, 1);
    EXPECT_EQ(read.bypassBootupDialog, 0);
    EXPECT_EQ(read.initialScreen, 1);
    EXPECT_EQ(read.dayView, 0);
    EXPECT_FALSE(read.lastChecked);
    EXPECT_FALSE(read.defaultFile);
    EXPECT_EQ(read.archiveFile, "");
    EXPECT_FALSE(read.mainWindowPosition);
    EXPECT_EQ(read.maximised, 0);
    EXPECT_FALSE(read.toolbarPosition);
    EXPECT_FALSE(read.eventListColumnWidths);
}

TEST_F(SettingsTest, AMissingKeyGivesEveryDefaultAndIsCreated) {
    ExpectDefaults(ReadSettings());
    EXPECT_TRUE(std::filesystem::exists(KeyFile()));
    ExpectDefaults(ReadSettings());  // now the key exists, without values
    EXPECT_TRUE(reports_.empty());
}

TEST_F(SettingsTest, EveryValueWrittenIsReadByTheNextKey) {
    StoredInts widths;
    for (int i = 0; i < 12; ++i)
        widths[i] = 40 + i;
    {
        registryAccess key;
        key.Open();
        WriteInt(key, setting::timer, 30);
        WriteInt(key, setting::minimizeToTray, 0);
        WriteInt(key, setting::keepLoaded, 1);
        WriteInt(key, setting::bootupOption, 2);
        WriteInt(key, setting::bypassBootupDialog, 1);
        WriteInt(key, setting::initialScreen, 4);
        WriteInt(key, setting::dayView, -2);  // the sign survives
        WriteDate(key, setting::lastChecked, {31, 12, 1999});
        WriteFileName(key, setting::defaultFile, "/home/ann/events.vor");
        WriteFileName(key, setting::archiveFile, "/home/ann/old events.vor");
        WriteRect(key, setting::mainWindowPosition, {-8, 10, 1930, 1090});
        WriteByte(key, setting::maximised, 1);
        WriteRect(key, setting::toolbarPosition, {1, 2, 3, 4});
        WriteInts(key, setting::eventListColumnWidths, widths);
    }
    Settings read = ReadSettings();
    EXPECT_EQ(read.timer, 30);
    EXPECT_EQ(read.minimizeToTray, 0);
    EXPECT_EQ(read.keepLoaded, 1);
    EXPECT_EQ(read.bootupOption, 2);
    EXPECT_EQ(read.bypassBootupDialog, 1);
    EXPECT_EQ(read.initialScreen, 4);
    EXPECT_EQ(read.dayView, -2);
    ASSERT_TRUE(read.lastChecked);
    EXPECT_EQ(read.lastChecked->day, 31);
    EXPECT_EQ(read.lastChecked->month, 12);
    EXPECT_EQ(read.lastChecked->year, 1999);
    EXPECT_EQ(read.defaultFile, "/home/ann/events.vor");
    EXPECT_EQ(read.archiveFile, "/home/ann/old events.vor");
    ASSERT_TRUE(read.mainWindowPosition);
    EXPECT_EQ(read.mainWindowPosition->left, -8);
    EXPECT_EQ(read.mainWindowPosition->top, 10);
    EXPECT_EQ(read.mainWindowPosition->right, 1930);
    EXPECT_EQ(read.mainWindowPosition->bottom, 1090);
    EXPECT_EQ(read.maximised, 1);
    ASSERT_TRUE(read.toolbarPosition);
    EXPECT_EQ(read.toolbarPosition->bottom, 4);
    EXPECT_EQ(read.eventListColumnWidths, widths);
    EXPECT_TRUE(reports_.empty());
}

TEST_F(SettingsTest, ValuesHaveTheirFixedByteLayouts) {
    registryAccess key;
    key.Open();
    WriteDate(key, setting::lastChecked, {5, 3, 1998});
    WriteInt(key, setting::timer, 30);
    WriteByte(key, setting::maximised, 1);
    WriteRect(key, setting::mainWindowPosition, {1, -1, 0x01020304, 0});
    WriteFileName(key, setting::defaultFile, "a.vor");

    Bytes bytes;
    ASSERT_TRUE(key.Read("LastChecked", bytes));
    EXPECT_EQ(bytes, (Bytes{0x05, 0, 0, 0, 0x03, 0, 0, 0, 0xCE, 0x07, 0, 0}));
    ASSERT_TRUE(key.Read("Timer", bytes));
    EXPECT_EQ(bytes, (Bytes{30, 0, 0, 0}));
    ASSERT_TRUE(key.Read("Maximised", bytes));
    EXPECT_EQ(bytes, Bytes{1});
    ASSERT_TRUE(key.Read("MainWindowPosition", bytes));
    EXPECT_EQ(bytes, (Bytes{1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 4, 3, 2, 1, 0, 0, 0, 0}));
    ASSERT_TRUE(key.Read("DefaultFile", bytes));
    EXPECT_EQ(bytes, (Bytes{'a', '.', 'v', 'o', 'r', 0}));
    EXPECT_NE(ReadFile(KeyFile()).find("LastChecked=BQAAAAMAAADOBwAA"), std::string::npos);
}

TEST_F(SettingsTest, AValueOfTheWrongLengthOrTooLongGivesTheDefault) {
    {
        registryAccess key;
        key.Open();
        const Bytes two{30, 0};
        ASSERT_EQ(key.WriteBinary("Timer", two.data(), two.size()), WriteResult::written);
        ASSERT_EQ(key.WriteString("LastChecked", "5.3.1998"), WriteResult::written);
        WriteFileName(key, setting::defaultFile, std::string(256, 'd'));
        WriteFileName(key, setting::archiveFile, std::string(255, 'a'));
    }
    Settings read = ReadSettings();
    EXPECT_EQ(read.timer, 60);
    EXPECT_FALSE(read.lastChecked);
    EXPECT_FALSE(read.defaultFile);
    EXPECT_EQ(read.archiveFile, std::string(255, 'a'));

    registryAccess key;
    key.Open();
    std::int32_t timer = 45;
    EXPECT_FALSE(ReadInt(key, setting::timer, timer));
    EXPECT_EQ(timer, 45);  // a reader keeps what the caller set
}

// The event list's widths may have been saved with fewer columns: what is
// there is read over the caller's values, a longer value is refused.
TEST_F(SettingsTest, ColumnWidthsShorterThan48BytesFillTheFirstEntries) {
    registryAccess key;
    key.Open();
    const Bytes seven{250, 0, 0, 0, 150, 0, 0, 0, 70, 0, 0, 0, 70, 0, 0, 0, 70, 0, 0, 0, 70, 0, 0, 0, 0x2C, 0x01};
    ASSERT_EQ(key.WriteBinary("EventListColumnWidths", seven.data(), seven.size()), WriteResult::written);
    StoredInts widths{};
    widths.fill(-7);
    ASSERT_TRUE(ReadInts(key, setting::eventListColumnWidths, widths));
    const std::int32_t halfRead = static_cast<std::int32_t>(0xFFFF012C);
    EXPECT_EQ(widths, (StoredInts{250, 150, 70, 70, 70, 70, halfRead, -7, -7, -7, -7, -7}));
    const Bytes tooLong(52, 1);
    ASSERT_EQ(key.WriteBinary("EventListColumnWidths", tooLong.data(), tooLong.size()), WriteResult::written);
    EXPECT_FALSE(ReadInts(key, setting::eventListColumnWidths, widths));
    EXPECT_EQ(widths[0], 250);
}

TEST_F(SettingsTest, AnEmptyArchiveFileLeavesTheStoredOne) {
    registryAccess key;
    key.Open();
    WriteFileName(key, setting::archiveFile, "/data/archive.vor");
    WriteFileName(key, setting::defaultFile, "/data/events.vor");
    const std::string before = ReadFile(KeyFile());
    EXPECT_EQ(WriteFileName(key, setting::archiveFile, ""), WriteResult::written);
    EXPECT_EQ(ReadFile(KeyFile()), before);
    EXPECT_EQ(ReadSettings().archiveFile, "/data/archive.vor");

    // Only the archive name has that rule: an empty data file name is stored.
    WriteFileName(key, setting::defaultFile, "");
    EXPECT_EQ(ReadSettings().defaultFile, "");
}

TEST_F(SettingsTest, ADamagedFileGivesDefaultsAndStaysAsItWas) {
    std::filesystem::create_directories(KeyDir());
    const std::string damaged = "[Binary]\nTimer=HgAAAA==\nMaximised=A?==\n\xFF\xFE garbage\n";
    WriteFile(KeyFile(), damaged);
    ExpectDefaults(ReadSettings());
    EXPECT_EQ(ReadFile(KeyFile()), damaged);
    EXPECT_TRUE(reports_.empty());
}

TEST_F(SettingsTest, FailedWritesAreReportedAsProblemsAndReadsNever) {
    WriteFile(KeyDir(), "a file where the key's directory belongs");
    ExpectDefaults(ReadSettings());
    EXPECT_TRUE(reports_.empty());

    registryAccess key;
    EXPECT_FALSE(OpenForWriting(key, "Create: Vorlen Key(Destroy TOptionsDlg)"));
    EXPECT_EQ(WriteInt(key, setting::timer, 30), WriteResult::failed);
    EXPECT_EQ(WriteFileName(key, setting::archiveFile, "/a.vor", "OptionsDLG.ArchiveFile!"),
              WriteResult::failed);
    EXPECT_EQ(WriteByte(key, setting::maximised, 1, "MaximisedProperty"), WriteResult::failed);
    EXPECT_EQ(reports_,
              (std::vector<Report>{Problem("Create: Vorlen Key(Destroy TOptionsDlg)"), Problem("Timer"),
                                   Problem("OptionsDLG.ArchiveFile!"), Problem("MaximisedProperty")}));
    EXPECT_EQ(ReadFile(KeyDir()), "a file where the key's directory belongs");
}

TEST_F(SettingsTest, OpeningForWritingReportsOnlyANewKey) {
    registryAccess key;
    EXPECT_FALSE(OpenForWriting(key, "Create: Vorlen Key(Destroy SetupWizardDlg)"));
    EXPECT_TRUE(key.IsOpen());
    EXPECT_TRUE(OpenForWriting(key, "Create: Vorlen Key(Destroy SetupWizardDlg)"));
    EXPECT_EQ(reports_, std::vector<Report>{Problem("Create: Vorlen Key(Destroy SetupWizardDlg)")});
}

TEST_F(SettingsTest, AWriteIntoAnUnwritableDirectoryIsReported) {
    {
        registryAccess key;
        key.Open();
        WriteInt(key, setting::timer, 20);
    }
    ASSERT_EQ(::chmod(home_.Path().c_str(), 0755), 0);
    ASSERT_EQ(::chmod(KeyDir().c_str(), 0555), 0);
    ASSERT_EQ(::chmod(KeyFile().c_str(), 0666), 0);  // the file, not its directory, is writable
    const std::string before = ReadFile(KeyFile());
    EXPECT_TRUE(test::RunUnprivileged([] {
        std::vector<Report> seen;
        SetProblemReporter([&seen](const std::string& caption, const std::string& text) {
            seen.emplace_back(caption, text);
        });
        registryAccess key;
        bool existed = key.Open();
        bool failed = WriteInt(key, setting::timer, 30, "OptionsDLG.Timer") == WriteResult::failed;
        std::int32_t timer = 0;
        return existed && failed && ReadInt(key, setting::timer, timer) && timer == 20 &&
               seen == std::vector<Report>{Problem("OptionsDLG.Timer")};
    }));
    EXPECT_EQ(ReadFile(KeyFile()), before);
}

TEST_F(SettingsTest, TheDefaultReporterWritesToStandardError) {
    SetProblemReporter({});
    ::testing::internal::CaptureStderr();
    ReportSettingsWriteFailure("ToolbarPos");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "Problem: Cannot save registry information [ToolbarPos]\n");
}

}  // namespace
}  // namespace vorlen::platform
