#include "vorlen/shell/console_commands.h"

#include "vorlen/platform/locale_format.h"

#include "../core/date_settings_guard.h"
#include "../store/file_bytes.h"
#include "../support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
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
    EXPECT_EQ(info.out,
              "Owner: Zo\xC3\xAB\nTitle: Caf\xC3\xA9 \xE2\x82\xAC\nArchive: no\nEvents: 1\nCategories: 15\n" +
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
    EXPECT_EQ(no.err.rfind("Downgrade?: The data file you are trying to open comes from a later version", 0),
              0u);
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
    EXPECT_EQ(markup.out,
              "\xB7H10\xB7"
              "C01Welcome to Tolvane Vorlen 98!\xB7"
              "C00\xB7R (Appointment)");

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

TEST(ConsoleCommands, VCalendarExportAndImport) {
    TempDir dir;
    std::string path = dir.File("mine.vor");
    std::string calendar = dir.File("out.vcs");
    ASSERT_EQ(Vorlen({"--new", path}).status, exitOk);
    ASSERT_EQ(Vorlen({"--export-vcs", path, calendar}).status, exitOk);
    std::string text = test::ReadFile(calendar);
    EXPECT_EQ(text.rfind("BEGIN:VCALENDAR", 0), 0u);
    EXPECT_NE(text.find("SUMMARY:Welcome to Tolvane Vorlen 98!"), std::string::npos);

    Outcome imported = Vorlen({"--import-vcs", calendar, path});
    EXPECT_EQ(imported.status, exitOk) << imported.err;
    EXPECT_EQ(imported.out, "Imported 1 event(s) into " + path + "\n");
    Outcome info = Vorlen({"--info", path});
    EXPECT_NE(info.out.find("Events: 2\n"), std::string::npos);

    // As a desktop organiser and a phone write them, "STATUS=NEEDS ACTION"
    // and all.
    for (const char* name : {"desktop_organiser_export.vcs", "smartphone_export.vcs"}) {
        Outcome real = Vorlen({"--import-vcs", std::string(VORLEN_TEST_DATA) + "/vcalendar/" + name, path});
        EXPECT_EQ(real.status, exitOk) << real.err;
        EXPECT_EQ(real.out, "Imported 2 event(s) into " + path + "\n");
    }

    // Malformed input leaves the data file as it was.
    std::string before = test::ReadFile(path);
    test::WriteFile(dir.File("bad.vcs"), "this is no calendar\n");
    Outcome bad = Vorlen({"--import-vcs", dir.File("bad.vcs"), path});
    EXPECT_EQ(bad.status, exitFailed);
    EXPECT_NE(bad.err.find("not a vCalendar file"), std::string::npos);
    EXPECT_EQ(test::ReadFile(path), before);
    EXPECT_EQ(Vorlen({"--import-vcs", dir.File("missing.vcs"), path}).status, exitFailed);
    EXPECT_EQ(Vorlen({"--export-vcs", path, dir.File("no/dir/out.vcs")}).status, exitFailed);

    // A calendar without events still saves the file, unchanged in content.
    test::WriteFile(dir.File("empty.vcs"), "BEGIN:VCALENDAR\r\nVERSION:1.0\r\nEND:VCALENDAR\r\n");
    Outcome none = Vorlen({"--import-vcs", dir.File("empty.vcs"), path});
    EXPECT_EQ(none.status, exitOk) << none.err;
    EXPECT_EQ(test::ReadFile(path), before);
}

TEST(ConsoleCommands, ICalendarExportAndImport) {
    TempDir dir;
    std::string path = dir.File("mine.vor");
    std::string calendar = dir.File("out.ics");
    ASSERT_EQ(Vorlen({"--new", path}).status, exitOk);
    ASSERT_EQ(Vorlen({"--export-ics", path, calendar}).status, exitOk);
    EXPECT_NE(test::ReadFile(calendar).find("SUMMARY:Welcome to Tolvane Vorlen 98!"), std::string::npos);
    Outcome imported = Vorlen({"--import-ics", calendar, path});
    EXPECT_EQ(imported.status, exitOk) << imported.err;
    EXPECT_EQ(imported.out, "Imported 1 event(s) into " + path + "\n");

    // Simplified rules are named on stderr; the events still arrive.
    test::WriteFile(dir.File("gym.ics"),
                    "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nDTSTART;VALUE=DATE:20240304\r\n"
                    "RRULE:FREQ=WEEKLY;BYDAY=MO,WE\r\nSUMMARY:Gym\r\nCATEGORIES:Sport\r\nEND:VEVENT\r\n"
                    "END:VCALENDAR\r\n");
    Outcome gym = Vorlen({"--import-ics", dir.File("gym.ics"), path});
    EXPECT_EQ(gym.status, exitOk);
    EXPECT_NE(gym.err.find("1 repeating event(s)"), std::string::npos) << gym.err;
    EXPECT_NE(gym.err.find("  Gym\n"), std::string::npos);
    EXPECT_NE(Vorlen({"--info", path}).out.find("Events: 3\n"), std::string::npos);

    // Damaged input: a clear message, exit 1, the data file unchanged.
    std::string before = test::ReadFile(path);
    test::WriteFile(dir.File("cut.ics"), "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nSUMMARY:x\r\n");
    Outcome cut = Vorlen({"--import-ics", dir.File("cut.ics"), path});
    EXPECT_EQ(cut.status, exitFailed);
    EXPECT_NE(cut.err.find("not an iCalendar file (it is cut short: END:VEVENT is missing)"), std::string::npos)
        << cut.err;
    EXPECT_EQ(test::ReadFile(path), before);
    EXPECT_EQ(Vorlen({"--export-ics", path, dir.File("no/dir/out.ics")}).status, exitFailed);
}

TEST(ConsoleCommands, CompressByEachEventsOwnSetting) {
    TempDir dir;
    std::string path = dir.File("mine.vor");
    std::string calendar = dir.File("old.vcs");
    ASSERT_EQ(Vorlen({"--new", path}).status, exitOk);
    // Two old events: imported events keep no automatic setting, so
    // nothing goes.
    test::WriteFile(calendar,
                    "BEGIN:VCALENDAR\r\nVERSION:1.0\r\n"
                    "BEGIN:VEVENT\r\nDTSTART:19980305T000000\r\nSUMMARY:Old one\r\nEND:VEVENT\r\n"
                    "BEGIN:VEVENT\r\nDTSTART:19990101T000000\r\nSUMMARY:Older\r\nEND:VEVENT\r\n"
                    "END:VCALENDAR\r\n");
    ASSERT_EQ(Vorlen({"--import-vcs", calendar, path}).status, exitOk);
    Outcome kept = Vorlen({"--compress", path, "--archive", dir.File("archive.vor")});
    EXPECT_EQ(kept.status, exitOk) << kept.err;
    EXPECT_EQ(kept.out, "Deleted 0 old event(s); archived 0\n");
    EXPECT_NE(Vorlen({"--info", path}).out.find("Events: 3\n"), std::string::npos);
    EXPECT_EQ(Vorlen({"--compress"}).status, exitUsage);
    // An archive file is never compressed itself.
    std::string archive = dir.File("archive.vor");
    test::WriteFile(archive, test::Header("0.9.7", "Ann", "Archive Data File", 1) + test::Trailer());
    Outcome refused = Vorlen({"--compress", archive, "--archive", dir.File("other.vor")});
    EXPECT_EQ(refused.status, exitFailed);
    EXPECT_NE(refused.err.find("is an archive file"), std::string::npos);
    EXPECT_EQ(Vorlen({"--compress", dir.File("missing.vor")}).status, exitFailed);
}

TEST(ConsoleCommands, ForeignCalendarFilesAreReadButNotChanged) {
    TempDir dir;
    // A QUIB version 10 file with one zeroed record.
    std::string quib = std::string("U\x0a") + "1 \x1a" + std::string(174, '\0') + "U\x1a";
    std::string path = dir.File("old.cal");
    test::WriteFile(path, quib);
    Outcome info = Vorlen({"--info", path});
    EXPECT_EQ(info.status, exitOk) << info.err;
    EXPECT_NE(info.out.find("Events: 1\n"), std::string::npos);
    test::WriteFile(dir.File("empty.vcs"), "BEGIN:VCALENDAR\r\nVERSION:1.0\r\nEND:VCALENDAR\r\n");
    Outcome import = Vorlen({"--import-vcs", dir.File("empty.vcs"), path});
    EXPECT_EQ(import.status, exitFailed);
    EXPECT_NE(import.err.find("calendar file of another program"), std::string::npos);
    EXPECT_EQ(Vorlen({"--compress", path, "--archive", dir.File("a.vor")}).status, exitFailed);
    EXPECT_EQ(test::ReadFile(path), quib);
    EXPECT_FALSE(std::filesystem::exists("unknown.vor"));
}

TEST(ConsoleCommands, UsageErrorsExitWithTwo) {
    const std::vector<std::vector<std::string>> wrong = {{"--bogus"},
                                                         {"--info"},
                                                         {"--info", "a", "b"},
                                                         {"--export-csv", "a"},
                                                         {"--new", "a", "--owner"},
                                                         {"--new", "a", "--colour", "red"},
                                                         {"--info", "a", "--owner", "x"},
                                                         {}};
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
