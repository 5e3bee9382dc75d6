#include "vorlen/store/quib_file.h"

#include "vorlen/store/data_file.h"

#include "file_bytes.h"
#include "recording_prompts.h"

#include <gtest/gtest.h>

namespace vorlen::store {
namespace {

using test::RecordingPrompts;

std::string Short(int16_t value) {
    return std::string{static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF)};
}

struct QuibRecord {
    QuibRecord(int16_t first, int16_t second, int16_t third) : a(first), b(second), c(third) {}
    int16_t a, b, c;
    int16_t warning = 0;
    int16_t startHour = 0, startMinute = 0;
    char startLetter = 'A';
    int16_t endHour = 0, endMinute = 0;
    char endLetter = 'A';
    int16_t repeatDays = 0;
    char period = 'O';
    char category = 'A';
    std::string categoryName;
    std::string description;

    // The record's bytes in a file of the given version.
    std::string Bytes(int version) const {
        bool v9 = version == 9;
        std::string r(v9 ? 231 : 174, '\0');
        auto put = [&r](size_t offset, const std::string& bytes) { r.replace(offset, bytes.size(), bytes); };
        put(0, Short(a) + Short(b) + Short(c) + Short(warning) + Short(startHour) + Short(startMinute));
        r[14] = startLetter;
        if (!v9) {
            put(16, Short(endHour) + Short(endMinute));
            r[20] = endLetter;
            put(22, Short(repeatDays));
        }
        r[v9 ? 20 : 24] = period;
        r[v9 ? 21 : 25] = category;
        put(v9 ? 22 : 27, categoryName);
        put(v9 ? 162 : 104, description);
        return r;
    }
};

std::string QuibFile(int version, const std::vector<QuibRecord>& records, bool trailer = true) {
    // The count, blanks, and one byte more before the records.
    std::string bytes =
        "U" + std::string(1, static_cast<char>(version)) + std::to_string(records.size()) + " \x1A";
    for (const QuibRecord& record : records)
        bytes += record.Bytes(version);
    if (trailer)
        bytes += "U\x1A";
    return bytes;
}

TEST(QuibConversion, DatesAreReadByPeriodLetter) {
    QuibRecord weekly(0, 3, 0);
    weekly.period = 'W';
    QuibRecord position(2, 3, 4);
    position.period = 'S';
    QuibRecord monthly(15, 7, 1990);
    monthly.period = 'M';
    QuibRecord yearly(24, 12, 1990);
    yearly.period = 'Y';
    QuibRecord once(5, 3, 1998);
    Eventlist events;
    ASSERT_TRUE(ConvertQuib(QuibFile(9, {weekly, position, monthly, yearly, once}), events));
    ASSERT_EQ(events.count, 5);
    const EventNode* e = events.head;
    EXPECT_EQ(e->startDate.CompactText(), "19000102");
    EXPECT_EQ(e->period, PeriodWeekly);
    e = e->Next();
    EXPECT_EQ(e->monthlyPosition.weekOrdinal, 2);
    EXPECT_EQ(e->monthlyPosition.weekday, 3);
    EXPECT_EQ(e->monthlyPosition.monthSel, 4);
    EXPECT_EQ(e->startDate.CompactText(), "19000101");
    EXPECT_EQ(e->period, PeriodMonthlyByPosition);
    e = e->Next();
    EXPECT_EQ(e->startDate.CompactText(), "19000115");
    e = e->Next();
    EXPECT_EQ(e->startDate.CompactText(), "19001224");
    EXPECT_EQ(e->period, PeriodYearly);
    e = e->Next();
    EXPECT_EQ(e->startDate.CompactText(), "19980305");
    EXPECT_EQ(e->period, PeriodOnceOff);
}

TEST(QuibConversion, AfternoonTimesAndVersionTenFields) {
    QuibRecord r(5, 3, 1998);
    r.startHour = 2;
    r.startMinute = 30;
    r.startLetter = 'P';
    r.endHour = 12;
    r.endMinute = 15;
    r.endLetter = 'p';
    r.repeatDays = 3;
    r.warning = 7;
    r.description = "Lunch";
    Eventlist v10;
    ASSERT_TRUE(ConvertQuib(QuibFile(10, {r}), v10));
    EXPECT_EQ(v10.head->startTime.hour, 14);
    EXPECT_EQ(v10.head->startTime.minute, 30);
    EXPECT_EQ(v10.head->endTime.hour, 12);
    EXPECT_EQ(v10.head->endTime.minute, 15);
    EXPECT_EQ(v10.head->repeatDays, 3);
    EXPECT_EQ(v10.head->warningDays, 7);
    EXPECT_EQ(*v10.head->description, "Lunch");

    Eventlist v9;
    ASSERT_TRUE(ConvertQuib(QuibFile(9, {r}), v9));
    EXPECT_EQ(v9.head->startTime.hour, 14);
    EXPECT_FALSE(v9.head->endTime.IsValid());
    EXPECT_EQ(v9.head->repeatDays, 0);
}

TEST(QuibConversion, CategoriesFromLetterPairsOrNames) {
    const std::pair<char, const char*> yearly[] = {
        {'A', "Annual Event"}, {'B', "Birthday"},           {'D', "Death Memorial"},
        {'H', "Holiday"},      {'W', "Wedding Aniversary"}, {'Z', "Unable to convert type!"}};
    const std::pair<char, const char*> other[] = {
        {'A', "Appointment"},  {'C', "Class/Lecture"}, {'E', "Exam/Test"},
        {'H', "Holiday"},      {'M', "Meeting"},       {'N', "Event"},
        {'S', "Social Event"}, {'T', "Travel"},        {'B', "Unable to convert type!"}};
    for (auto [letter, name] : yearly) {
        QuibRecord r(1, 1, 0);
        r.period = 'Y';
        r.category = letter;
        Eventlist events;
        ASSERT_TRUE(ConvertQuib(QuibFile(10, {r}), events));
        EXPECT_EQ(*events.head->typeName, name) << letter;
    }
    for (auto [letter, name] : other) {
        QuibRecord r(1, 1, 1998);
        r.period = 'R';
        r.category = letter;
        Eventlist events;
        ASSERT_TRUE(ConvertQuib(QuibFile(9, {r}), events));
        EXPECT_EQ(*events.head->typeName, name) << letter;
        EXPECT_EQ(events.head->period, PeriodDaily);
    }
    QuibRecord named(1, 1, 1998);
    named.category = '*';
    named.categoryName = "Choir practice";
    named.period = 'X';
    Eventlist events;
    ASSERT_TRUE(ConvertQuib(QuibFile(10, {named}), events));
    EXPECT_EQ(*events.head->typeName, "Choir practice");
    EXPECT_EQ(events.head->period, PeriodUndefined);
}

TEST(QuibConversion, TextsWithoutTerminatorEndWithTheRecord) {
    QuibRecord r(1, 1, 1998);
    r.description = std::string(70, 'd');  // fills the version 10 record to its end
    Eventlist events;
    ASSERT_TRUE(ConvertQuib(QuibFile(10, {r}), events));
    EXPECT_EQ(events.head->description.view().size(), 70u);
}

TEST(QuibConversion, BadVersionsShortRecordsAndMissingTrailersFail) {
    QuibRecord r(1, 1, 1998);
    Eventlist events;
    EXPECT_FALSE(ConvertQuib(QuibFile(8, {r}), events));
    EXPECT_FALSE(ConvertQuib(QuibFile(11, {r}), events));
    EXPECT_FALSE(ConvertQuib(QuibFile(10, {r}, false), events));
    std::string cut = QuibFile(9, {r, r});
    EXPECT_FALSE(ConvertQuib(cut.substr(0, cut.size() - 100), events));
    EXPECT_FALSE(ConvertQuib("U\x09", events));
    EXPECT_FALSE(ConvertQuib("U\x09-3 x", events));
    EXPECT_EQ(events.count, 0);
    // No records need no trailer.
    EXPECT_TRUE(ConvertQuib(QuibFile(9, {}, false), events));
}

TEST(QuibConversion, LoadingGivesANewNameAndTheCategoriesOfTheEvents) {
    QuibRecord r(1, 1, 1998);
    r.category = 'M';
    r.period = 'O';
    Eventlist events;
    Typelist types;
    DataFile file;
    file.SetFileName("/home/me/old.cal");
    RecordingPrompts prompts;
    ASSERT_EQ(file.LoadBytes(QuibFile(10, {r}), events, types, prompts), convertedQuib);
    EXPECT_EQ(*file.fileName, "unknown.vor");
    EXPECT_EQ(file.isOpen, 1);
    EXPECT_EQ(file.saved, 1);
    EXPECT_NE(types.Find("Meeting"), nullptr);

    file.isOpen = 1;
    EXPECT_EQ(file.LoadBytes(QuibFile(7, {r}), events, types, prompts), notLoaded);
    EXPECT_EQ(file.isOpen, 0);
    EXPECT_EQ(events.count, 1);
}

}  // namespace
}  // namespace vorlen::store
