#include "vorlen/shell/console_commands.h"

#include "vorlen/platform/locale_format.h"

#include "../core/date_settings_guard.h"
#include "../store/file_bytes.h"
#include "../support/temp_dir.h"

#include <gtest/gtest.h>

#include <sstream>

namespace vorlen::shell {
namespace {

using test::TempDir;

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome Vorlen(const std::vector<std::string>& args, const std::string& input = "") {
    std::istringstream in(input);
    std::ostringstream out, err;
    int status = RunConsoleCommand(args, in, out, err);
    return {status, out.str(), err.str()};
}

TEST(ConsoleCommands, OnlyLongOptionsAreConsoleCommands) {
    EXPECT_TRUE(IsConsoleCommand({"--info", "x"}));
    EXPECT_TRUE(IsConsoleCommand({"--bogus"}));
    EXPECT_FALSE(IsConsoleCommand({}));
    EXPECT_FALSE(IsConsoleCommand({"data.vor"}));
    EXPECT_FALSE(IsConsoleCommand({"-b"}));
    EXPECT_FALSE(IsConsoleCommand({"/B", "unregister"}));
}

TEST(ConsoleCommands, NewDatabaseThenInfoInUtf8) {
    TempDir dir;
    std::string path = dir.File("mine.vor");
    Outcome created = Vorlen({"--new", path, "--owner", "Zo\xC3\xAB", "--title", "Caf\xC3\xA9 \xE2\x82\xAC"});
    ASSERT_EQ(created.status, exitOk) << created.err;
    // Stored as Windows-1252, shown as UTF-8.
    std::string bytes = test::ReadFile(path);
    EXPECT_NE(bytes.find(test::Text("Zo\xEB")), std::string::npos);
    EXPECT_NE(bytes.find(test::Text("Caf\xE9 \x80")), std::string::npos);

    Outcome info = Vorlen({"--info", path});
    ASSERT_EQ(info.status, exitOk) << info.err;
    std::string today = Date::Today().CompactText();
    std::string iso = today.substr(0, 4) + "-" + today.substr(4, 2) + "-" + today.substr(6, 2);
    EXPECT_EQ(info.out, "Owner: Zo\xC3\xAB\nTitle: Caf\xC3\xA9 \xE2\x82\xAC\nArchive: no\nEvents: 1\nCategories: 15\n" +
                            iso + "\tOnce Off\tAppointment\tWelcome to Tolvane Vorlen 98!\n");

    Outcome again = Vorlen({"--new", path});
    EXPECT_EQ(again.status, exitFailed);
    EXPECT_EQ(test::ReadFile(path), bytes);
}

TEST(ConsoleCommands, ExportCsv) {
    TempDir dir;
    test::DateSettingsGuard settings(1, '/', 0);
    platform::SetFormatLocale("en_GB");
    std::string path = dir.File("mine.vor");
    ASSERT_EQ(Vorlen({"--new", path}).status, exitOk);
    Outcome exported = Vorlen({"--export-csv", path, dir.File("out.csv")});
    EXPECT_EQ(exported.status, exitOk) << exported.err;
    std::string csv = test::ReadFile(dir.File("out.csv"));
    EXPECT_EQ(csv.substr(0, 12), "Description,");
    EXPECT_NE(csv.find("\n\"Welcome to Tolvane Vorlen 98!\",\"Appointment\","), std::string::npos);
    Outcome failed = Vorlen({"--export-csv", path, dir.File("no/dir/out.csv")});
    EXPECT_EQ(failed.status, exitFailed);
    EXPECT_EQ(failed.err.rfind("Cannot Create Export Data File!", 0), 0u);
    platform::SetFormatLocale("en_US_POSIX");
}

TEST(ConsoleCommands, FilesThatCannotBeLoadedSayDataInvalid) {
    TempDir dir;
    test::WriteFile(dir.File("bad.vor"), "not a data file");
    Outcome bad = Vorlen({"--info", dir.File("bad.vor")});
    EXPECT_EQ(bad.status, exitFailed);
    EXPECT_EQ(bad.err, "Data Invalid: " + dir.File("bad.vor") + "\n");
    EXPECT_EQ(bad.out, "");
    EXPECT_EQ(Vorlen({"--info", dir.File("missing.vor")}).status, exitFailed);
}

TEST(ConsoleCommands, LaterVersionsAreLoadedOnlyWhenTheUserSaysYes) {
    TempDir dir;
    std::string path = dir.File("later.vor");
    test::WriteFile(path, test::Header("1.0.0", "Ann", "Later") + test::Trailer());
    Outcome no = Vorlen({"--info", path}, "n\n");
    EXPECT_EQ(no.status, exitFailed);
    EXPECT_EQ(no.err.rfind("Downgrade?: The data file you are trying to open comes from a later version", 0), 0u);
    EXPECT_EQ(Vorlen({"--info", path}).status, exitFailed);  // no answer is a No
    Outcome yes = Vorlen({"--info", path}, "y\n");
    EXPECT_EQ(yes.status, exitOk);
    EXPECT_EQ(yes.out.rfind("Owner: Ann\n", 0), 0u);
}

TEST(ConsoleCommands, RemindersOfADayAsPlainTextOrMarkup) {
    TempDir dir;
    std::string path = dir.File("mine.vor");
    ASSERT_EQ(Vorlen({"--new", path}).status, exitOk);
    std::string today = Date::Today().CompactText();
    std::string iso = today.substr(0, 4) + "-" + today.substr(4, 2) + "-" + today.substr(6, 2);

    Outcome plain = Vorlen({"--reminders", path, "--date", iso});
    EXPECT_EQ(plain.status, exitOk) << plain.err;
    EXPECT_EQ(plain.out, "Welcome to Tolvane Vorlen 98! (Appointment)\n");
    Outcome markup = Vorlen({"--reminders", path, "--date", iso, "--time", "23:59", "--markup"});
    EXPECT_EQ(markup.out, "\xB7H10\xB7" "C01Welcome to Tolvane Vorlen 98!\xB7" "C00\xB7R (Appointment)");

    // The welcome event is dated today: the day before only warns when
    // asked to, and it has no warning days.
    Outcome other = Vorlen({"--reminders", path, "--date", "1998-03-05", "--no-warnings"});
    EXPECT_EQ(other.out, "No event/appointment messages\n");

    for (const char* bad : {"1998-3-5", "1998-02-30", "05/03/1998", ""}) {
        Outcome wrong = Vorlen({"--reminders", path, "--date", bad});
        EXPECT_EQ(wrong.status, exitUsage) << bad;
    }
    for (const char* bad : {"25:00", "9.30", "12:60", "12:00x"})
        EXPECT_EQ(Vorlen({"--reminders", path, "--time", bad}).status, exitUsage) << bad;
    EXPECT_EQ(Vorlen({"--reminders", dir.File("missing.vor")}).status, exitFailed);
}

TEST(ConsoleCommands, UsageErrorsExitWithTwo) {
    const std::vector<std::vector<std::string>> wrong = {
        {"--bogus"},           {"--info"},          {"--info", "a", "b"},     {"--export-csv", "a"},
        {"--new", "a", "--owner"}, {"--new", "a", "--colour", "red"}, {"--info", "a", "--owner", "x"}, {}};
    for (const auto& args : wrong) {
        Outcome run = Vorlen(args);
        EXPECT_EQ(run.status, exitUsage) << (args.empty() ? "" : args[0]);
        EXPECT_NE(run.err.find("Usage: vorlen"), std::string::npos);
        EXPECT_EQ(run.out, "");
    }
}

TEST(ConsoleCommands, HelpAndVersion) {
    Outcome help = Vorlen({"--help"});
    EXPECT_EQ(help.status, exitOk);
    EXPECT_EQ(help.out.rfind("Usage: vorlen", 0), 0u);
    Outcome version = Vorlen({"--version"});
    EXPECT_EQ(version.status, exitOk);
    EXPECT_EQ(version.out, "Tolvane Vorlen 98 Version 1.00 (Release Version)\n");
}

}  // namespace
}  // namespace vorlen::shell
