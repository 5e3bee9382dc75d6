#include "vorlen/store/compress.h"

#include "vorlen/platform/file_io.h"

#include "../support/temp_dir.h"
#include "../support/unprivileged.h"
#include "file_bytes.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <filesystem>

namespace vorlen::store {
namespace {

using test::TempDir;

const Date today(10, 3, 1998);

// Answers the dialog with a fixed choice and records every message.
class ScriptedPrompts : public CompressPrompts {
public:
    explicit ScriptedPrompts(CompressChoice choice = CompressChoice::Archive) : choice_(choice) {}
    CompressChoice ChooseArchiveOrDelete(int oldCount) override {
        asked.push_back(oldCount);
        return choice_;
    }
    void ShowMessage(std::string_view caption, std::string_view text) override {
        messages.push_back(std::string(caption) + ": " + std::string(text));
    }
    bool AskYesNo(std::string_view, std::string_view) override { return answer; }
    void Notify(std::string_view, std::string_view) override {}

    std::vector<int> asked;
    std::vector<std::string> messages;
    bool answer = false;

private:
    CompressChoice choice_;
};

std::vector<std::string> Descriptions(const Eventlist& events) {
    std::vector<std::string> texts;
    for (const EventNode& event : events)
        texts.push_back(std::string(event.description.view()));
    return texts;
}

struct Database {
    Eventlist events;
    DataFile file;

    Database() {
        file.isOpen = 1;
        file.saved = 1;
    }
    EventNode& Event(const char* description, int32_t period, Date start, int32_t autoDelete = 0) {
        EventNode& e = *events.Add();
        e.SetDescription(description);
        e.period = period;
        e.startDate = start;
        e.autoDelete = autoDelete;
        e.SetTypeName("Normal");
        e.alarmMinutes = 5;
        e.SetExtraInfo("extra");
        return e;
    }
    // Yesterday's once-off, today's once-off, a weekly event without expiry
    // and one whose expiry has passed.
    void Mixed(int32_t autoDelete) {
        Event("yesterday", PeriodOnceOff, Date(9, 3, 1998), autoDelete);
        Event("today", PeriodOnceOff, Date(10, 3, 1998), autoDelete);
        Event("weekly", PeriodWeekly, Date(2, 3, 1990), autoDelete);
        Event("expired weekly", PeriodWeekly, Date(2, 3, 1990), autoDelete).SetRangeEndDate(1, 3, 1998);
    }
};

void LoadArchive(const std::string& path, DataFile& archive, Eventlist& events) {
    Typelist types;
    ScriptedPrompts prompts;
    archive.SetFileName(path.c_str());
    EXPECT_EQ(archive.Load(events, types, prompts), loadedData);
}

TEST(Compressing, WithoutOldEventsTheCommandSaysSo) {
    TempDir dir;
    Database db;
    db.Event("today", PeriodOnceOff, today);
    db.Event("weekly", PeriodWeekly, Date(2, 3, 1990));
    ScriptedPrompts prompts;
    CompressResult result = Compress(db.events, db.file, false, dir.File("archive.vor"), today, prompts);
    EXPECT_EQ(prompts.messages, std::vector<std::string>{"Notice: Database cannot be compressed"});
    EXPECT_TRUE(prompts.asked.empty());
    EXPECT_EQ(db.events.count, 2);
    EXPECT_EQ(db.file.saved, 1);
    EXPECT_EQ(result.deleted + result.archived, 0);
}

TEST(Compressing, DeleteRemovesEveryOldEventAndWritesNothing) {
    TempDir dir;
    Database db;
    db.Mixed(0);
    ScriptedPrompts prompts(CompressChoice::Delete);
    CompressResult result = Compress(db.events, db.file, false, dir.File("archive.vor"), today, prompts);
    EXPECT_EQ(prompts.asked, std::vector<int>{2});
    EXPECT_EQ(Descriptions(db.events), (std::vector<std::string>{"today", "weekly"}));
    EXPECT_EQ(result.deleted, 2);
    EXPECT_EQ(db.file.saved, 0);
    EXPECT_FALSE(platform::CanOpenForReading(dir.File("archive.vor")));
}

TEST(Compressing, CancelChangesNothing) {
    TempDir dir;
    Database db;
    db.Mixed(0);
    ScriptedPrompts prompts(CompressChoice::Cancel);
    Compress(db.events, db.file, false, dir.File("archive.vor"), today, prompts);
    EXPECT_FALSE(platform::CanOpenForReading(dir.File("archive.vor")));
    EXPECT_EQ(db.events.count, 4);
    EXPECT_EQ(db.file.saved, 1);
}

TEST(Compressing, ArchivingIntoANewFileMarksItAsAnArchive) {
    TempDir dir;
    std::string path = dir.File("archive.vor");
    Database db;
    db.Mixed(0);
    ScriptedPrompts prompts;
    CompressResult result = Compress(db.events, db.file, false, path, today, prompts);
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(result.archived, 2);
    EXPECT_EQ(Descriptions(db.events), (std::vector<std::string>{"today", "weekly"}));
    EXPECT_EQ(db.file.saved, 0);

    DataFile archive;
    Eventlist archived;
    LoadArchive(path, archive, archived);
    EXPECT_EQ(Descriptions(archived), (std::vector<std::string>{"yesterday", "expired weekly"}));
    EXPECT_EQ(*archive.title, "Archive Data File");
    EXPECT_EQ(*archive.owner, "Unknown Owner");
    EXPECT_EQ(archive.isArchive, 1);
    // Archived copies carry no alarm, extra information or sound.
    EXPECT_EQ(archived.head->alarmMinutes, 0);
    EXPECT_EQ(archived.head->extraInfo.view(), "");
}

TEST(Compressing, ArchivingTwiceKeepsTheEarlierEventsAfterTheNewOnes) {
    TempDir dir;
    std::string path = dir.File("archive.vor");
    Database first;
    first.Event("first run", PeriodOnceOff, Date(1, 1, 1998));
    ScriptedPrompts prompts;
    Compress(first.events, first.file, false, path, today, prompts);
    Database second;
    second.Event("second run", PeriodOnceOff, Date(2, 2, 1998));
    Compress(second.events, second.file, false, path, today, prompts);
    DataFile archive;
    Eventlist archived;
    LoadArchive(path, archive, archived);
    EXPECT_EQ(Descriptions(archived), (std::vector<std::string>{"second run", "first run"}));
    EXPECT_EQ(archive.isArchive, 1);
}

TEST(Compressing, AutomaticModeFollowsEachEventsSetting) {
    TempDir dir;
    std::string path = dir.File("archive.vor");
    Database db;
    db.Event("keep", PeriodOnceOff, Date(1, 1, 1998), 0);
    db.Event("delete", PeriodOnceOff, Date(1, 1, 1998), 1);
    db.Event("archive", PeriodOnceOff, Date(1, 1, 1998), 2);
    db.Event("current", PeriodOnceOff, today, 1);
    ScriptedPrompts prompts;
    CompressResult result = Compress(db.events, db.file, true, path, today, prompts);
    EXPECT_TRUE(prompts.asked.empty());
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(Descriptions(db.events), (std::vector<std::string>{"keep", "current"}));
    EXPECT_EQ(result.deleted, 1);
    EXPECT_EQ(result.archived, 1);
    DataFile archive;
    Eventlist archived;
    LoadArchive(path, archive, archived);
    EXPECT_EQ(Descriptions(archived), std::vector<std::string>{"archive"});
}

TEST(Compressing, WithoutAnArchiveFileNothingIsArchived) {
    Database manual;
    manual.Mixed(0);
    ScriptedPrompts prompts;
    Compress(manual.events, manual.file, false, "", today, prompts);
    EXPECT_EQ(prompts.messages,
              std::vector<std::string>{
                  "Error: No Valid archive file set up. Please use Options|Archive File to set "
                  "up a file to save old records to."});
    EXPECT_EQ(manual.events.count, 4);

    Database automatic;
    automatic.Event("delete", PeriodOnceOff, Date(1, 1, 1998), 1);
    automatic.Event("archive", PeriodOnceOff, Date(1, 1, 1998), 2);
    ScriptedPrompts autoPrompts;
    Compress(automatic.events, automatic.file, true, "", today, autoPrompts);
    EXPECT_EQ(
        autoPrompts.messages,
        std::vector<std::string>{"Problem: There are events that are scheduled to be archived but no valid "
                                 "archive file is set up. Please use Options|Archive File to set up a file "
                                 "to save old records to."});
    // The deletion happened before; the event to archive stays.
    EXPECT_EQ(Descriptions(automatic.events), std::vector<std::string>{"archive"});
}

TEST(Compressing, AnArchiveThatCannotBeWrittenKeepsTheEvents) {
    TempDir dir;
    Database db;
    db.Mixed(0);
    ScriptedPrompts prompts;
    CompressResult result =
        Compress(db.events, db.file, false, dir.File("missing/dir/archive.vor"), today, prompts);
    EXPECT_TRUE(result.archiveFailed);
    EXPECT_EQ(result.archived, 0);
    EXPECT_EQ(db.events.count, 4);
    EXPECT_EQ(db.file.saved, 1);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].rfind("Error: The old events could not be archived", 0), 0u);

    // An existing archive in a directory that cannot be written stays too.
    std::string path = dir.File("archive.vor");
    Database earlier;
    earlier.Event("earlier", PeriodOnceOff, Date(1, 1, 1990));
    Compress(earlier.events, earlier.file, false, path, today, prompts);
    std::string before = test::ReadFile(path);
    ::chmod(path.c_str(), 0644);
    ::chmod(dir.Path().c_str(), 0755);
    EXPECT_TRUE(test::RunUnprivileged([&] {
        ScriptedPrompts quiet;
        CompressResult r = Compress(db.events, db.file, false, path, today, quiet);
        return r.archiveFailed && db.events.count == 4;
    }));
    EXPECT_EQ(test::ReadFile(path), before);
}

TEST(Compressing, AForeignCalendarFileUnderTheArchiveNameBecomesANewArchive) {
    TempDir dir;
    std::string path = dir.File("archive.vor");
    test::WriteFile(path, std::string("U\x0a") + "1 \x1a" + std::string(174, '\0') + "U\x1a");
    Database db;
    db.Mixed(0);
    ScriptedPrompts prompts;
    CompressResult result = Compress(db.events, db.file, false, path, today, prompts);
    EXPECT_EQ(result.archived, 2);
    DataFile archive;
    Eventlist archived;
    LoadArchive(path, archive, archived);
    EXPECT_EQ(Descriptions(archived), (std::vector<std::string>{"yesterday", "expired weekly"}));
    EXPECT_EQ(archive.isArchive, 1);
    EXPECT_FALSE(std::filesystem::exists("unknown.vor"));
}

TEST(Compressing, TheOpenDataFileIsNoArchive) {
    TempDir dir;
    std::string path = dir.File("data.vor");
    Database db;
    db.Mixed(0);
    db.file.SetFileName(path.c_str());
    ASSERT_TRUE(db.file.Save(db.events, Typelist()));
    ScriptedPrompts prompts;
    CompressResult result = Compress(db.events, db.file, false, path, today, prompts);
    EXPECT_TRUE(result.archiveFailed);
    EXPECT_EQ(db.events.count, 4);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].rfind("Error: The archive file is the open data file itself", 0), 0u);
}

TEST(Compressing, ALaterArchiveTheUserWillNotLoadIsLeftAlone) {
    TempDir dir;
    std::string path = dir.File("archive.vor");
    std::string later = test::Header("2.0.0", "Ann", "Archive Data File", 1) + test::Trailer();
    test::WriteFile(path, later);
    Database db;
    db.Mixed(0);
    ScriptedPrompts prompts;
    CompressResult result = Compress(db.events, db.file, false, path, today, prompts);
    EXPECT_TRUE(result.archiveFailed);
    EXPECT_EQ(db.events.count, 4);
    EXPECT_EQ(test::ReadFile(path), later);
}

}  // namespace
}  // namespace vorlen::store
