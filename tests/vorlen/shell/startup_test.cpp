// Start-up before the main window: the settings, the data file, the boot
// check's branches with what they write and whether the process goes on.
#include "vorlen/platform/settings.h"
#include "vorlen/shell/startup.h"
#include "tests/vorlen/support/config_home.h"

#include <gtest/gtest.h>

namespace vorlen::shell {
namespace {

namespace setting = platform::setting;

class RecordingUi : public StartupUi {
public:
    bool viewEvents = true;
    std::vector<BootupTexts> dialogs;
    int reminderScreens = 0;
    std::vector<std::string> messages;

    bool ShowBootupDialog(const BootupTexts& texts) override {
        dialogs.push_back(texts);
        return viewEvents;
    }
    void RunReminderScreen() override { ++reminderScreens; }
    store::CompressChoice ChooseArchiveOrDelete(int) override { return store::CompressChoice::Cancel; }
    void ShowMessage(std::string_view caption, std::string_view text) override {
        messages.push_back(std::string(caption) + ": " + std::string(text));
    }
    bool AskYesNo(std::string_view, std::string_view) override { return false; }
    void Notify(std::string_view caption, std::string_view text) override { ShowMessage(caption, text); }
};

class StartupTest : public ::testing::Test {
protected:
    const Date today{8, 12, 2026};

    void SetUp() override {
        // The welcome event of a new file falls on today: one reminder.
        Document fresh;
        ASSERT_TRUE(fresh.CreateNew(dataFile, today));
        ASSERT_TRUE(fresh.Save());
        Set(setting::defaultFile, dataFile);
    }

    void Set(const platform::IntSetting& value, int32_t number) {
        platform::registryAccess key;
        key.Open();
        platform::WriteInt(key, value, number);
    }
    void Set(const platform::TextSetting& value, const std::string& text) {
        platform::registryAccess key;
        key.Open();
        platform::WriteFileName(key, value, text);
    }
    void SetLastChecked(const Date& date) {
        platform::registryAccess key;
        key.Open();
        platform::WriteDate(key, setting::lastChecked, {date.day, date.month, date.year});
    }
    std::optional<platform::StoredDate> LastChecked() { return platform::ReadSettings().lastChecked; }

    StartupResult Start(std::vector<std::string> args) {
        return ReadStartupSettings(document, {std::move(args), today, Time(9, 30)}, ui, state);
    }

    test::ConfigHomeGuard home;
    test::TempDir dir;
    std::string dataFile = dir.File("events.vor");
    Document document;
    RecordingUi ui;
    StartupState state;
};

TEST(StartupOptions, BootSwitchAndUnregisterAbbreviations) {
    EXPECT_TRUE(IsBootSwitch("-b"));
    EXPECT_TRUE(IsBootSwitch("/Boot"));
    EXPECT_FALSE(IsBootSwitch("b"));
    EXPECT_FALSE(IsBootSwitch("-x"));
    EXPECT_FALSE(IsBootSwitch("/bin/events.vor"));  // a path, not a switch
    for (const char* yes : {"-u", "/UNREG", "-Unregister", "/unregister"})
        EXPECT_TRUE(IsUnregisterOption(yes)) << yes;
    for (const char* no : {"-", "unregister", "-unregistered", "-unrx", "-b"})
        EXPECT_FALSE(IsUnregisterOption(no)) << no;
}

TEST(StartupFirstRun, NoSettingsKeyIsNotSetUp) {
    test::ConfigHomeGuard home;
    Document document;
    RecordingUi ui;
    StartupState state;
    EXPECT_EQ(ReadStartupSettings(document, {{}, Date(1, 1, 2026), Time()}, ui, state), StartupResult::notSetUp);
    EXPECT_FALSE(document.HasValidData());
}

TEST_F(StartupTest, NormalStartLoadsDefaultFileAndReadsInitialScreen) {
    Set(setting::initialScreen, 3);
    Set(setting::timer, 120);
    EXPECT_EQ(Start({}), StartupResult::setUp);
    EXPECT_EQ(document.file.fileName, dataFile);
    EXPECT_EQ(document.reminders.count, 1);
    EXPECT_EQ(state.initialScreen, 3);
    EXPECT_EQ(state.timerPeriodMs, 120000);
    EXPECT_FALSE(state.bootupMode);
}

TEST_F(StartupTest, FileArgumentReplacesDefaultFileWithoutChangingIt) {
    std::string other = dir.File("other.vor");
    Document fresh;
    ASSERT_TRUE(fresh.CreateNew(other, today));
    ASSERT_TRUE(fresh.Save());
    EXPECT_EQ(Start({other}), StartupResult::setUp);
    EXPECT_EQ(document.file.fileName.view(), other);
    EXPECT_EQ(platform::ReadSettings().defaultFile, dataFile);
}

TEST_F(StartupTest, MissingDataFileIsNotSetUp) {
    Set(setting::defaultFile, dir.File("gone.vor"));
    EXPECT_EQ(Start({}), StartupResult::notSetUp);
}

TEST_F(StartupTest, NeverStillWritesLastCheckedAndEndsUnlessKeptLoaded) {
    Set(setting::bootupOption, 2);
    EXPECT_EQ(Start({"-b"}), StartupResult::exitProcess);
    ASSERT_TRUE(LastChecked());
    EXPECT_EQ(LastChecked()->day, 8);
    EXPECT_TRUE(ui.dialogs.empty());

    Set(setting::keepLoaded, 1);
    Set(setting::initialScreen, 3);
    document.Clear();
    EXPECT_EQ(Start({"-b"}), StartupResult::setUp);
    // The check closed the settings key, so "InitialScreen" is not read.
    EXPECT_EQ(state.initialScreen, ScreenTitle);
}

TEST_F(StartupTest, FirstCheckEverShowsNeverAndKeepsTheKeyOpen) {
    Set(setting::keepLoaded, 1);
    Set(setting::initialScreen, 2);
    EXPECT_EQ(Start({"/B"}), StartupResult::setUp);
    ASSERT_EQ(ui.dialogs.size(), 1u);
    EXPECT_EQ(ui.dialogs[0].lastCheckedText, "Never!");
    EXPECT_EQ(ui.dialogs[0].count, 1);
    EXPECT_EQ(ui.reminderScreens, 1);
    EXPECT_EQ(state.currentScreen, ScreenToday);
    EXPECT_EQ(state.initialScreen, 2);
    EXPECT_EQ(LastChecked()->year, 2026);
}

TEST_F(StartupTest, FirstCheckDeclinedEndsTheProcess) {
    ui.viewEvents = false;
    EXPECT_EQ(Start({"-b"}), StartupResult::exitProcess);
    EXPECT_EQ(ui.reminderScreens, 0);
}

TEST_F(StartupTest, OnceADayOnTheSameDayShowsNothing) {
    Set(setting::bootupOption, 0);
    SetLastChecked(today);
    EXPECT_EQ(Start({"-b"}), StartupResult::exitProcess);
    EXPECT_TRUE(ui.dialogs.empty());
    Set(setting::keepLoaded, 1);
    document.Clear();
    EXPECT_EQ(Start({"-b"}), StartupResult::setUp);
    EXPECT_EQ(ui.reminderScreens, 0);
}

TEST_F(StartupTest, OnceADayOnALaterDayAsksWithTheLastCheckedDate) {
    Set(setting::bootupOption, 0);
    SetLastChecked(Date(7, 12, 2026));
    ui.viewEvents = false;
    EXPECT_EQ(Start({"-b"}), StartupResult::exitProcess);
    ASSERT_EQ(ui.dialogs.size(), 1u);
    EXPECT_EQ(ui.dialogs[0].lastCheckedText, Date(7, 12, 2026).LocaleShortText());
    EXPECT_EQ(LastChecked()->day, 7);  // declined: the check is not recorded
}

TEST_F(StartupTest, EveryBootWithBypassOpensTheRemindersDirectly) {
    Set(setting::bootupOption, 1);
    Set(setting::bypassBootupDialog, 1);
    SetLastChecked(today);
    EXPECT_EQ(Start({"-b"}), StartupResult::exitProcess);
    EXPECT_TRUE(ui.dialogs.empty());
    EXPECT_EQ(ui.reminderScreens, 1);
    EXPECT_EQ(LastChecked()->day, 8);
}

TEST_F(StartupTest, DueWithNothingToShowEnds) {
    Document empty;
    ASSERT_TRUE(empty.CreateNew(dataFile, today));
    empty.events.DeleteAll();
    ASSERT_TRUE(empty.Save());
    SetLastChecked(Date(1, 1, 2026));
    EXPECT_EQ(Start({"-b"}), StartupResult::exitProcess);
    EXPECT_TRUE(ui.dialogs.empty());
}

TEST_F(StartupTest, ExpiryPassRemovesOldEventsAndSaves) {
    Document old;
    ASSERT_TRUE(old.CreateNew(dataFile, Date(1, 1, 2020)));
    old.events.head->autoDelete = 1;
    ASSERT_TRUE(old.Save());
    EXPECT_EQ(Start({}), StartupResult::setUp);
    EXPECT_EQ(document.events.count, 0);
    EXPECT_FALSE(document.IsUnsaved());
    Document reread;
    reread.file.SetFileName(dataFile.c_str());
    ASSERT_EQ(reread.file.Load(reread.events, reread.types, ui), store::loadedData);
    EXPECT_EQ(reread.events.count, 0);
}

}  // namespace
}  // namespace vorlen::shell
