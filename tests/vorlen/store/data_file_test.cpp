#include "vorlen/store/data_file.h"

#include "vorlen/platform/file_io.h"

#include "../support/temp_dir.h"
#include "../support/unprivileged.h"
#include "file_bytes.h"
#include "recording_prompts.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace vorlen::store {
namespace {

using namespace vorlen::test;

const char downgradeText[] =
    "Downgrade?: The data file you are trying to open comes from a later version of Vorlen. It is possible "
    "that the data file is still compatible with this version, however it also might not be. Do you wish to "
    "try to load the data? ";

std::vector<std::string> TypeNames(const Typelist& types) {
    std::vector<std::string> names;
    for (const TypeNode& category : types)
        names.push_back(std::string(category.name.view()));
    return names;
}

// The lists of a freshly started program, and a data file over them.
struct Session {
    Eventlist events;
    Typelist types;
    DataFile file;
    RecordingPrompts prompts;

    int Load(const std::string& bytes) { return file.LoadBytes(bytes, events, types, prompts); }
};

TEST(NewDatabase, SavedAtOnceMatchesTheLayoutByteForByte) {
    TempDir dir;
    Session s;
    std::string path = dir.File("new.vor");
    ASSERT_TRUE(s.file.New(path, false, s.events, s.types, Date(8, 12, 2026)));
    EXPECT_EQ(s.file.saved, 0);
    ASSERT_TRUE(s.file.Save(s.events, s.types));
    EXPECT_EQ(s.file.saved, 1);

    std::string expected = "\xFE<TOLVANE VORLEN>\xFE<DATA><VERSION = 0.9.7>";
    expected += Le(13) + "Unknown Owner" + Le(23) + "Personal Event Database" + std::string(1, '\0');
    expected += "<SECTION = EVENTDB2>[1]";
    expected += DateBytes(8, 12, 2026) + DateBytes(0, 0, 0) + DateBytes(0, 0, 0) + TimeBytes(-1, -1) +
                TimeBytes(-1, -1) + "|1||0||0|" + Le(0) + Text("Welcome to Tolvane Vorlen 98!") +
                Text("Appointment") + Le(0) + Text("Tolvane Vorlen is the perfect way to keep organised!") +
                Le(0) + "|0||0|";
    expected += "<END_SECTION><SECTION = TYPELIST>[15]";
    const std::pair<const char*, int> categories[] = {{"Birthday", 6},
                                                      {"Wedding Anniversary", 6},
                                                      {"Death Memorial", 6},
                                                      {"Normal", 0},
                                                      {"Appointment", 1},
                                                      {"Buisness", 0},
                                                      {"Education", 0},
                                                      {"Holiday", 0},
                                                      {"Meeting", 0},
                                                      {"Personal", 0},
                                                      {"Phone Call", 0},
                                                      {"Sick Day", 0},
                                                      {"Special Occasion", 0},
                                                      {"Vacation", 0},
                                                      {"Travel", 0}};
    for (auto [name, period] : categories)
        expected += Text(name) + Le(0) + Num(period) + "|0||0||0|" + std::string(12, '\0');
    expected += "<END_SECTION><END_DATA>\xFE";
    EXPECT_EQ(ReadFile(path), expected);
}

TEST(NewDatabase, RefusesWithoutANameOrOverAnExistingFile) {
    TempDir dir;
    Session s;
    EXPECT_FALSE(s.file.New("", true, s.events, s.types));
    std::string path = dir.File("taken.vor");
    WriteFile(path, "x");
    EXPECT_FALSE(s.file.New(path, false, s.events, s.types));
    EXPECT_EQ(s.file.isOpen, 0);
    EXPECT_TRUE(s.file.New(path, true, s.events, s.types));
    EXPECT_EQ(s.file.isOpen, 1);
}

TEST(NewDatabase, ReplacesTheOpenDatabase) {
    Session s;
    s.events.Add();
    s.events.Add();
    s.types.Add("Own category");
    s.file.isArchive = 1;
    ASSERT_TRUE(s.file.New("a.vor", true, s.events, s.types, Date(1, 2, 2003)));
    EXPECT_EQ(s.events.count, 1);
    EXPECT_EQ(s.types.count, 15);
    EXPECT_EQ(s.types.Find("Own category"), nullptr);
    EXPECT_EQ(s.file.isArchive, 0);
    const EventNode& welcome = *s.events.head;
    EXPECT_EQ(welcome.startDate.CompactText(), "20030201");
    EXPECT_EQ(welcome.period, PeriodOnceOff);
    EXPECT_TRUE(welcome.location.has_value());
    EXPECT_FALSE(welcome.soundFile.has_value());
    EXPECT_EQ(*s.file.owner, "Unknown Owner");
    EXPECT_EQ(*s.file.title, "Personal Event Database");
}

EventNode& FullEvent(Eventlist& events, int32_t period) {
    EventNode& e = *events.Add();
    e.SetStartDate(2, 3, 1998);
    e.SetEndDate(4, 3, 1998);
    e.SetRangeEndDate(1, 1, 2001);
    e.SetMonthlyPosition(2, 3, 4);
    e.SetStartTime(9, 30);
    e.SetEndTime(10, 45);
    e.SetAlarmMinutes(15);
    e.SetAutoDelete(2);
    e.SetWarningDays(-3);
    e.SetPeriod(period);
    e.SetReservedText("reserved");
    e.SetDescription("Caf\xE9 meeting, with \"quotes\"");
    e.SetTypeName("Meeting");
    e.SetLocation("Room 4");
    e.SetExtraInfo(std::string(300, 'x').c_str());
    e.SetSoundFile("/sounds/ding.wav");
    e.SetRepeatDays(9);
    return e;
}

TEST(SavedFiles, LoadAndSaveBackUnchanged) {
    TempDir dir;
    Session s;
    ASSERT_TRUE(s.file.New(dir.File("round.vor"), false, s.events, s.types, Date(8, 12, 2026)));
    FullEvent(s.events, PeriodMonthlyByPosition);
    FullEvent(s.events, PeriodWeekly);
    s.types.Add("Gym")->SetDefaultLocation("Hall");
    s.file.SetOwner("Jo");
    s.file.SetTitle("Jo's events");
    s.file.isArchive = 1;
    ASSERT_TRUE(s.file.Save(s.events, s.types));
    std::string first = ReadFile(dir.File("round.vor"));

    Session again;
    again.file.SetFileName(dir.File("round.vor").c_str());
    ASSERT_EQ(again.file.Load(again.events, again.types, again.prompts), loadedData);
    EXPECT_EQ(again.file.isOpen, 1);
    EXPECT_EQ(again.file.saved, 1);
    EXPECT_EQ(again.file.isArchive, 1);
    EXPECT_EQ(*again.file.owner, "Jo");
    EXPECT_EQ(again.events.count, 3);
    EXPECT_EQ(TypeNames(again.types), TypeNames(s.types));
    const EventNode& e = *again.events.head->Next();
    EXPECT_EQ(e.monthlyPosition.monthSel, 4);
    EXPECT_EQ(e.endTime.minute, 45);
    EXPECT_EQ(e.alarmMinutes, 15);
    EXPECT_EQ(e.warningDays, -3);
    EXPECT_EQ(*e.description, "Caf\xE9 meeting, with \"quotes\"");
    EXPECT_EQ(e.extraInfo.view().size(), 300u);
    EXPECT_EQ(e.repeatDays, 9);
    // The weekly event keeps no position: it is not written for it.
    EXPECT_EQ(again.events.tail->monthlyPosition.weekOrdinal, 0);

    ASSERT_TRUE(again.file.Save(again.events, again.types));
    EXPECT_EQ(ReadFile(dir.File("round.vor")), first);
}

TEST(SavedFiles, LargeFilesLoadAcrossReadChunks) {
    TempDir dir;
    std::string path = dir.File("large.vor");
    Session s;
    ASSERT_TRUE(s.file.New(path, false, s.events, s.types, Date(1, 1, 2000)));
    for (int i = 0; i < 20000; ++i) {
        EventNode& e = FullEvent(s.events, i % 8);
        e.SetDescription(("event " + std::to_string(i)).c_str());
    }
    ASSERT_TRUE(s.file.Save(s.events, s.types));
    std::string bytes = ReadFile(path);
    ASSERT_GT(bytes.size(), 3u << 20);

    Session again;
    again.file.SetFileName(path.c_str());
    ASSERT_EQ(again.file.Load(again.events, again.types, again.prompts), loadedData);
    EXPECT_EQ(again.events.count, 20001);
    EXPECT_EQ(*again.events.tail->description, "event 19999");
    EXPECT_EQ(again.file.SaveBytes(again.events, again.types), bytes);

    WriteFile(path, bytes.substr(0, bytes.size() - 100));
    Session cut;
    cut.file.SetFileName(path.c_str());
    EXPECT_EQ(cut.file.Load(cut.events, cut.types, cut.prompts), notLoaded);
    EXPECT_EQ(cut.events.count, 0);
}

TEST(SavedFiles, ThePositionFollowsThePeriodOnlyForMonthlyByPosition) {
    Session s;
    s.file.isOpen = 1;
    EventNode& byPosition = FullEvent(s.events, PeriodMonthlyByPosition);
    std::string bytes = s.file.SaveBytes(s.events, s.types);
    EXPECT_NE(bytes.find("|7|" + Le(2) + Le(3) + Le(4) + "|2||-3|"), std::string::npos);
    byPosition.period = PeriodYearly;
    bytes = s.file.SaveBytes(s.events, s.types);
    EXPECT_NE(bytes.find("|6||2||-3|"), std::string::npos);
}

TEST(SavedFiles, MissingAndEmptyTextsAreFourZeroBytes) {
    Session s;
    s.file.isOpen = 1;
    EventNode& e = *s.events.Add();
    e.SetDescription("");
    std::string bytes = s.file.SaveBytes(s.events, s.types);
    // reservedText (never set), description (empty) and the other four.
    EXPECT_NE(bytes.find("|0||0|" + std::string(24, '\0') + "|0||0|<END_SECTION>"), std::string::npos);
    // A file whose owner and title were never set gets the default texts.
    EXPECT_EQ(*s.file.owner, "Unknown Owner");
    EXPECT_EQ(*s.file.title, "Personal Event Database");
}

TEST(LoadingFiles, OlderEventSectionsKeepNoAlarmExtraOrSound) {
    std::string older = DateBytes(1, 2, 1997) + DateBytes(0, 0, 0) + DateBytes(0, 0, 0) + TimeBytes(8, 0) +
                        TimeBytes(9, 0) + Num(2) + Num(99) + Num(1) + Num(5) + Text("r") + Text("Old one") +
                        Text("Normal") + Text("Home") + Num(4);
    Session s;
    ASSERT_EQ(s.Load(Header() + Section("EVENTDBE", 1, older) + Trailer()), loadedData);
    const EventNode& e = *s.events.head;
    EXPECT_EQ(e.period, PeriodWeekly);
    EXPECT_EQ(e.autoDelete, 1);
    EXPECT_EQ(e.warningDays, 5);
    EXPECT_EQ(*e.description, "Old one");
    EXPECT_EQ(*e.location, "Home");
    EXPECT_EQ(e.repeatDays, 4);
    EXPECT_EQ(e.alarmMinutes, 0);
    EXPECT_FALSE(e.extraInfo.has_value());
    EXPECT_FALSE(e.soundFile.has_value());
    EXPECT_EQ(e.startTime.hour, 8);
}

TEST(LoadingFiles, OlderSectionsCarryThePositionOfMonthlyByPositionEvents) {
    std::string older = DateBytes(1, 1, 1900) + DateBytes(0, 0, 0) + DateBytes(0, 0, 0) + TimeBytes(-1, -1) +
                        TimeBytes(-1, -1) + Num(7) + Le(2) + Le(3) + Le(0) + Num(0) + Num(0) + Num(2) +
                        Text("") + Text("Second Tuesday") + Text("Normal") + Text("") + Num(0);
    Session s;
    ASSERT_EQ(s.Load(Header() + Section("EVENTDBE", 1, older) + Trailer()), loadedData);
    EXPECT_EQ(s.events.head->monthlyPosition.weekOrdinal, 2);
    EXPECT_EQ(s.events.head->monthlyPosition.weekday, 3);
    EXPECT_EQ(s.events.head->warningDays, 2);
    EXPECT_EQ(*s.events.head->description, "Second Tuesday");
}

TEST(LoadingFiles, ForeignCalendarFilesConvertFromDisk) {
    TempDir dir;
    std::string path = dir.File("old.cal");
    WriteFile(path, std::string("U\x0a") + "1 \x1a" + std::string(174, '\0') + "U\x1a");
    Session s;
    s.file.SetFileName(path.c_str());
    EXPECT_EQ(s.file.Load(s.events, s.types, s.prompts), convertedQuib);
    EXPECT_EQ(s.events.count, 1);
    EXPECT_EQ(*s.file.fileName, "unknown.vor");
}

TEST(LoadingFiles, LaterVersionsAskBeforeLoading) {
    std::string body = Section("EVENTDB2", 1, EventRecord("e", "Normal")) + Trailer();
    for (const char* version : {"0.10.0", "1.0.0", "2.0.5"}) {
        Session refuse;
        EXPECT_EQ(refuse.Load(Header(version) + body), notLoaded) << version;
        EXPECT_EQ(refuse.prompts.asked, std::vector<std::string>{downgradeText}) << version;
        EXPECT_EQ(refuse.events.count, 0);
        EXPECT_EQ(refuse.file.isOpen, 0);

        Session accept;
        accept.prompts = RecordingPrompts(true);
        EXPECT_EQ(accept.Load(Header(version) + body), loadedData) << version;
        EXPECT_EQ(accept.events.count, 1);
    }
    for (const char* version : {"0.9.99", "0.9.0", "0.8.1", " 0. 9. 7"}) {
        Session s;
        EXPECT_EQ(s.Load(Header(version) + body), loadedData) << version;
        EXPECT_TRUE(s.prompts.asked.empty()) << version;
    }
}

TEST(LoadingFiles, CategoryRecordsNeverChangeExistingCategories) {
    std::string categories =
        CategoryRecord("Birthday", 0, "Somewhere", 9) + CategoryRecord("Gym", 2, "Hall", 1);
    Session s;
    ASSERT_EQ(s.Load(Header() + Section("EVENTDB2", 0, "") + Section("TYPELIST", 2, categories) + Trailer()),
              loadedData);
    const TypeNode* birthday = s.types.Find("Birthday");
    EXPECT_EQ(birthday->defaultPeriod, PeriodYearly);
    EXPECT_FALSE(birthday->defaultLocation.has_value());
    const TypeNode* gym = s.types.Find("Gym");
    ASSERT_NE(gym, nullptr);
    EXPECT_EQ(gym->defaultPeriod, 2);
    EXPECT_EQ(*gym->defaultLocation, "Hall");
    EXPECT_EQ(gym->defaultWarningDays, 1);
    EXPECT_EQ(s.types.count, 5);
}

TEST(LoadingFiles, CategoriesNamedOnlyByEventsAreAdded) {
    std::string events = EventRecord("a", "Dentist") + EventRecord("b", "Normal") +
                         EventRecord("c", "Dentist") + EventRecord("d", "");
    Session s;
    ASSERT_EQ(s.Load(Header() + Section("EVENTDB2", 4, events) +
                     Section("TYPELIST", 1, CategoryRecord("Gym")) + Trailer()),
              loadedData);
    EXPECT_EQ(TypeNames(s.types), (std::vector<std::string>{"Birthday", "Wedding Anniversary",
                                                            "Death Memorial", "Normal", "Gym", "Dentist"}));
    EXPECT_EQ(s.types.Find("Dentist")->defaultPeriod, 0);
}

TEST(LoadingFiles, FilesBeforeVersionNineAddCategoriesAsEventsAreRead) {
    // The event's category comes first, so the TYPELIST record of the same
    // name is then dropped with its values.
    std::string body = Section("EVENTDB2", 1, EventRecord("a", "Gym")) +
                       Section("TYPELIST", 1, CategoryRecord("Gym", 2, "Hall")) + Trailer();
    Session old;
    ASSERT_EQ(old.Load(Header("0.8.3") + body), loadedData);
    EXPECT_FALSE(old.types.Find("Gym")->defaultLocation.has_value());
    Session current;
    ASSERT_EQ(current.Load(Header("0.9.7") + body), loadedData);
    EXPECT_EQ(*current.types.Find("Gym")->defaultLocation, "Hall");
}

TEST(LoadingFiles, MidnightToMidnightBecomesAllDay) {
    std::string halfHour = EventRecord("half hour", "Normal", 1, 0, 0);
    halfHour.replace(36 + 12, 4, Le(30));  // the end time's minute
    std::string events = EventRecord("all day", "Normal", 1, 0, 0) + halfHour;
    Session s;
    ASSERT_EQ(s.Load(Header() + Section("EVENTDB2", 2, events) + Trailer()), loadedData);
    EXPECT_FALSE(s.events.head->startTime.IsValid());
    EXPECT_FALSE(s.events.head->endTime.IsValid());
    EXPECT_EQ(s.events.tail->startTime.hour, 0);
    EXPECT_EQ(s.events.tail->endTime.minute, 30);
}

TEST(LoadingFiles, EmptyUnknownSectionsAreSkippedAndEventsAppended) {
    Session s;
    s.events.Add()->SetDescription("already there");
    std::string file = Header() + Section("EVENTDB2", 1, EventRecord("from file", "Normal")) +
                       "<SECTION = NOTES>[0]<END_SECTION>" + Trailer();
    EXPECT_EQ(s.Load(file), notLoaded);  // "[0]" is content the reader cannot skip
    s.events.DeleteAll();
    s.events.Add()->SetDescription("already there");
    file = Header() + Section("EVENTDB2", 1, EventRecord("from file", "Normal")) +
           "<SECTION = NOTES><END_SECTION>" + Trailer();
    ASSERT_EQ(s.Load(file), loadedData);
    EXPECT_EQ(s.events.count, 2);
    EXPECT_EQ(*s.events.tail->description, "from file");
}

TEST(FileHeaders, ReadOnlyOwnerAndTitle) {
    TempDir dir;
    std::string path = dir.File("h.vor");
    WriteFile(path, Header("0.9.7", "Ann", "Ann's diary") + "garbage after the header");
    DataFile file;
    file.isOpen = 1;
    file.SetFileName(path.c_str());
    RecordingPrompts prompts;
    ASSERT_TRUE(file.ReadHeader(prompts));
    EXPECT_EQ(*file.owner, "Ann");
    EXPECT_EQ(*file.title, "Ann's diary");
    EXPECT_EQ(file.isOpen, 0);
    EXPECT_EQ(file.saved, 0);
    EXPECT_TRUE(prompts.notified.empty());

    WriteFile(path, Header("1.2.0", "Bo", "Later"));
    ASSERT_TRUE(file.ReadHeader(prompts));
    EXPECT_EQ(prompts.notified,
              std::vector<std::string>{
                  "Warning: The data file you are trying to open comes from a later version of Vorlen"});
    EXPECT_EQ(*file.owner, "Bo");
    EXPECT_TRUE(prompts.asked.empty());

    WriteFile(path,
              "U\x0A"
              "0 x");
    file.isOpen = 1;
    EXPECT_FALSE(file.ReadHeader(prompts));
    EXPECT_EQ(file.isOpen, 0);
    WriteFile(path, "\xFE<TOLVANE VORLEM>\xFE<DATA><VERSION = 0.9.7>");
    EXPECT_FALSE(file.ReadHeader(prompts));
    file.SetFileName(dir.File("missing.vor").c_str());
    EXPECT_FALSE(file.ReadHeader(prompts));
}

TEST(SavingFiles, NothingIsWrittenUnlessAFileIsOpen) {
    TempDir dir;
    Session s;
    s.file.SetFileName(dir.File("x.vor").c_str());
    s.file.saved = 0;
    EXPECT_FALSE(s.file.Save(s.events, s.types));
    EXPECT_EQ(s.file.saved, 0);
    EXPECT_FALSE(platform::CanOpenForReading(dir.File("x.vor")));
}

TEST(SavingFiles, AFailedSaveLeavesTheOldFileAndTheUnsavedMark) {
    TempDir dir;
    std::string path = dir.File("data.vor");
    Session s;
    ASSERT_TRUE(s.file.New(path, false, s.events, s.types));
    ASSERT_TRUE(s.file.Save(s.events, s.types));
    std::string before = ReadFile(path);
    ::chmod(path.c_str(), 0644);
    ::chmod(dir.Path().c_str(), 0755);
    s.events.Add()->SetDescription("unsaved change");
    s.file.saved = 0;
    EXPECT_TRUE(RunUnprivileged([&] { return !s.file.Save(s.events, s.types) && s.file.saved == 0; }));
    EXPECT_EQ(ReadFile(path), before);

    s.file.SetFileName(dir.File("no/such/dir/data.vor").c_str());
    EXPECT_FALSE(s.file.Save(s.events, s.types));
    EXPECT_EQ(s.file.saved, 0);
    EXPECT_FALSE(s.file.LastError().empty());
}

}  // namespace
}  // namespace vorlen::store
