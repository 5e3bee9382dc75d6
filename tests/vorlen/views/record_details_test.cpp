// The information tree's details in words: the period phrases with their
// day suffixes and misspellings, the start with and without a time or a
// year, and the optional fields that grey their labels out.
#include "vorlen/views/record_details.h"

#include "vorlen/platform/locale_format.h"

#include "tests/vorlen/core/date_settings_guard.h"

#include <gtest/gtest.h>

namespace vorlen::views {
namespace {

class RecordDetailsTest : public ::testing::Test {
protected:
    void SetUp() override { platform::SetFormatLocale("en_GB"); }
    void TearDown() override { platform::SetFormatLocale("en_US_POSIX"); }

    std::string Phrase(int32_t period, const Date& start) {
        event.period = period;
        event.startDate = start;
        return PeriodPhrase(event);
    }

    test::DateSettingsGuard dayFirst{1, '/', 1};
    EventNode event;
};

TEST_F(RecordDetailsTest, PeriodPhrases) {
    const Date monday(2, 3, 1998);
    EXPECT_EQ(Phrase(PeriodOnceOff, monday), "Once Off");
    EXPECT_EQ(Phrase(PeriodWeekly, monday), "Every Monday");
    EXPECT_EQ(Phrase(PeriodBiweekly, monday), "Every Monday, Fortnightly");
    event.repeatDays = 3;
    EXPECT_EQ(Phrase(PeriodDaily, monday), "Reoccuring every 3 day(s)");
    EXPECT_EQ(Phrase(PeriodYearly, Date(5, 3, 1998)), "Yearly on 05/03");
    event.monthlyPosition = {4, 2, 0};
    EXPECT_EQ(Phrase(PeriodMonthlyByPosition, monday), "The forth Monday of every month");
    event.monthlyPosition = {1, 7, 12};
    EXPECT_EQ(Phrase(PeriodMonthlyByPosition, monday), "The first Saturday of December");
    EXPECT_EQ(Phrase(PeriodUndefined, monday), "Undefined!");
    EXPECT_EQ(Phrase(8, monday), "Undefined!");
    test::DateSettingsGuard monthFirst{0, '-', 0};
    EXPECT_EQ(Phrase(PeriodYearly, Date(5, 3, 1998)), "Yearly on 03-05");
}

TEST_F(RecordDetailsTest, MonthlyDaySuffixes) {
    const std::pair<int, const char*> cases[] = {
        {1, "1st"},   {2, "2nd"},   {3, "3rd"},   {4, "4th"},   {11, "11th"}, {12, "12th"},
        {13, "13th"}, {21, "21st"}, {22, "22nd"}, {23, "23rd"}, {30, "30th"}, {31, "31st"},
    };
    for (const auto& [day, text] : cases)
        EXPECT_EQ(Phrase(PeriodMonthlyByDay, Date(day, 1, 1998)), std::string("Monthly on the ") + text);
}

TEST_F(RecordDetailsTest, StartWithATimeOrWithoutAYear) {
    event.startDate = Date(2, 3, 1998);
    event.startTime = Time(9, 30);
    EXPECT_EQ(StartText(event), "09:30, 02/03/1998");
    event.startTime = Time();
    EXPECT_EQ(StartText(event), "02/03/1998");
    event.startDate = Date(5, 3, 0);
    EXPECT_EQ(StartText(event), "5/3");
    test::DateSettingsGuard monthFirst{0, '.', 0};
    EXPECT_EQ(StartText(event), "3.5");
}

TEST_F(RecordDetailsTest, OptionalFieldsAreEmptyWhenMissing) {
    event.description = OptionalText("Dentist");
    event.typeName = OptionalText("Appointment");
    event.startDate = Date(2, 3, 1998);
    RecordDetails details = DescribeEvent(event);
    EXPECT_EQ(details.description, "Dentist");
    EXPECT_EQ(details.eventType, "Appointment");
    EXPECT_FALSE(details.hasEnd);
    EXPECT_FALSE(details.hasRangeEnd);
    EXPECT_FALSE(details.hasWhere);
    EXPECT_EQ(details.end + details.rangeEnd + details.where, "");

    event.endTime = Time(17, 5);
    event.location = OptionalText("Town");
    event.rangeEndDate = Date(30, 6, 1998);
    details = DescribeEvent(event);
    EXPECT_EQ(details.end, "17:05") << "a finish time without a finish date";
    EXPECT_TRUE(details.hasEnd);
    EXPECT_EQ(details.rangeEnd, "30/06/1998");
    EXPECT_TRUE(details.hasRangeEnd);
    EXPECT_EQ(details.where, "Town");
    EXPECT_TRUE(details.hasWhere);

    event.endDate = Date(4, 3, 1998);
    EXPECT_EQ(DescribeEvent(event).end, "17:05, 04/03/1998");
    event.endTime = Time();
    EXPECT_EQ(DescribeEvent(event).end, "04/03/1998");
}

}  // namespace
}  // namespace vorlen::views
