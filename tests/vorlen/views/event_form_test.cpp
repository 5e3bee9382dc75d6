// Reading and storing the fields of the event properties dialog.
#include "vorlen/views/event_form.h"

#include "tests/vorlen/core/date_settings_guard.h"

#include <gtest/gtest.h>

#include <climits>

namespace vorlen::views {
namespace {

using test::DateSettingsGuard;

void ExpectDate(const Date& date, int day, int month, int year) {
    EXPECT_EQ(date.day, day);
    EXPECT_EQ(date.month, month);
    EXPECT_EQ(date.year, year);
}

TEST(EventForm, ReadsDatesWithAndWithoutTheirYear) {
    DateSettingsGuard dayFirst(1, '/', 1);
    DateFieldReading full = ReadDateField("Mo 02/03/1998", 2026);
    EXPECT_TRUE(full.readable && full.yearGiven);
    ExpectDate(full.date, 2, 3, 1998);
    for (const char* text : {"5/3", "5/3/", "05.03"}) {
        DateFieldReading dayMonth = ReadDateField(text, 2026);
        EXPECT_TRUE(dayMonth.readable && !dayMonth.yearGiven) << text;
        ExpectDate(dayMonth.date, 5, 3, 0);
    }
    for (const char* text : {"", "5", "5/3/1", "x/3", "5//"})
        EXPECT_FALSE(ReadDateField(text, 2026).readable) << text;

    DateSettingsGuard yearFirst(2, '-', 1);
    DateFieldReading monthDay = ReadDateField("3-07", 2026);
    EXPECT_TRUE(monthDay.readable && !monthDay.yearGiven);
    ExpectDate(monthDay.date, 7, 3, 0);
}

TEST(EventForm, OnceOffYearIsThisYearUnlessTheDayHasPassed) {
    ExpectDate(WithOnceOffYear(Date(5, 3, 0), Date(10, 3, 1998)), 5, 3, 1999);
    ExpectDate(WithOnceOffYear(Date(5, 3, 0), Date(1, 3, 1998)), 5, 3, 1998);
    ExpectDate(WithOnceOffYear(Date(5, 3, 0), Date(5, 3, 1998)), 5, 3, 1998);
    ExpectDate(WithOnceOffYear(Date(5, 3, 0), Date(4, 4, 1998)), 5, 3, 1999);
}

TEST(EventForm, DescribesThePeriodFromTheStartDate) {
    DateSettingsGuard dayFirst(1, '/', 1);
    EXPECT_EQ(PeriodDescription(PeriodMonthlyByDay, "21/03/1998"), "Occurs every month on 21st");
    EXPECT_EQ(PeriodDescription(PeriodMonthlyByDay, "22/03/1998"), "Occurs every month on 22nd");
    EXPECT_EQ(PeriodDescription(PeriodMonthlyByDay, "23/03/1998"), "Occurs every month on 23rd");
    EXPECT_EQ(PeriodDescription(PeriodMonthlyByDay, "11/03/1998"), "Occurs every month on 11th");
    EXPECT_EQ(PeriodDescription(PeriodOnceOff, "Mo 02/03/1998"), "Event occurs on 02/03/1998");
    EXPECT_EQ(PeriodDescription(PeriodWeekly, "02/03/1998"), "Occurs every week on Monday");
    EXPECT_EQ(PeriodDescription(PeriodBiweekly, "02/03/1998"), "Occurs every second week on Monday");
    EXPECT_EQ(PeriodDescription(PeriodYearly, "02/03/1998"), "Occurs every year on 02/03");
    EXPECT_EQ(PeriodDescription(PeriodYearly, "31/02/1998"), "No extra information");
    EXPECT_EQ(PeriodDescription(PeriodDaily, "02/03/1998"), "");
}

TEST(EventForm, LeadingNumbersStopAtTheFirstOtherCharacter) {
    EXPECT_EQ(LeadingNumber("15 minutes"), 15);
    EXPECT_EQ(LeadingNumber(""), 0);
    EXPECT_EQ(LeadingNumber("soon"), 0);
    EXPECT_EQ(LeadingNumber("99999999999999999999"), INT_MAX);
}

class StoreForm : public ::testing::Test {
protected:
    EventForm Filled() {
        EventForm form;
        form.description = "Dentist";
        form.category = "Normal";
        form.startDate = "05/03/1998";
        return form;
    }
    std::vector<std::string> Store(const EventForm& form) {
        return StoreEventForm(form, event, types, today);
    }

    DateSettingsGuard dayFirst{1, '/', 1};
    EventNode event;
    Typelist types;
    Date today{10, 3, 1998};
};

TEST_F(StoreForm, ReportsEveryFailedFieldInOrderAndStoresTheRest) {
    EventForm form;
    form.startDate = "05/03/1998";
    form.startTime = "25:00";
    form.endDate = "04/03/1998";
    form.endTime = "9:3";
    form.rangeEndDate = "31/02/1999";
    form.location = "Surgery";
    EXPECT_EQ(Store(form), (std::vector<std::string>{
                               "You need a event description!", "You need to specify a event type!",
                               "The start time is invalid!",
                               "The end date is invalid! (Either invalid date or occurs before start date)",
                               "The end time is invalid!", "The range end date is invalid!"}));
    EXPECT_FALSE(event.description.has_value());
    ExpectDate(event.startDate, 5, 3, 1998);
    EXPECT_FALSE(event.startTime.IsValid());
    EXPECT_TRUE(event.endDate.IsEmpty());
    EXPECT_EQ(event.location, "Surgery");
}

TEST_F(StoreForm, AFailedStartDateKeepsTheOtherFieldsStored) {
    EventForm form = Filled();
    form.startDate = "31/02/1998";
    form.description = "Renamed";
    EXPECT_EQ(Store(form), std::vector<std::string>{"The start date is invalid!"});
    EXPECT_EQ(event.description, "Renamed");
    EXPECT_TRUE(event.startDate.IsEmpty());
}

TEST_F(StoreForm, DatesWithoutAYear) {
    EventForm form = Filled();
    form.startDate = "5/3";
    EXPECT_TRUE(Store(form).empty());
    ExpectDate(event.startDate, 5, 3, 1999);

    form.period = PeriodYearly;
    EXPECT_EQ(Store(form), std::vector<std::string>{"The start date is invalid!"});
    for (const char* anniversary : {"Birthday", "Death Memorial", "Wedding Anniversary"}) {
        form.category = anniversary;
        EXPECT_TRUE(Store(form).empty()) << anniversary;
        ExpectDate(event.startDate, 5, 3, 0);
    }
    form.startDate = "30/2";
    EXPECT_EQ(Store(form), std::vector<std::string>{"The start date is invalid!"});
    form.startDate = "";
    EXPECT_EQ(Store(form), std::vector<std::string>{"The start date is invalid!"});
}

TEST_F(StoreForm, PeriodSettingsAndNewCategories) {
    EventForm form = Filled();
    form.category = "Dentistry";
    form.period = PeriodMonthlyByPosition;
    form.position = {2, 3, 0};
    form.repeatDays = "9";
    form.warningDays = "7";
    form.autoDelete = 2;
    EXPECT_TRUE(Store(form).empty());
    EXPECT_EQ(event.period, PeriodMonthlyByPosition);
    EXPECT_EQ(event.monthlyPosition.weekOrdinal, 2);
    EXPECT_EQ(event.monthlyPosition.weekday, 3);
    EXPECT_EQ(event.monthlyPosition.monthSel, 0);
    EXPECT_EQ(event.repeatDays, 0);
    EXPECT_EQ(event.warningDays, 7);
    EXPECT_EQ(event.autoDelete, 2);
    ASSERT_NE(types.Find("Dentistry"), nullptr);
    EXPECT_EQ(types.count, 5);

    form.period = PeriodDaily;
    EXPECT_TRUE(Store(form).empty());
    EXPECT_EQ(event.repeatDays, 9);
    EXPECT_EQ(types.count, 5);
}

TEST_F(StoreForm, LongTextsAreCutToTheReadingLimits) {
    EventForm form = Filled();
    form.description = std::string(5000, 'd');
    form.location = std::string(600, 'w');
    form.extraInfo = std::string(3000, 'x');
    EXPECT_TRUE(Store(form).empty());
    EXPECT_EQ(event.description.view().size(), kEventTextLimit);
    EXPECT_EQ(event.location.view().size(), kLocationLimit);
    EXPECT_EQ(event.extraInfo.view().size(), kEventTextLimit);
}

}  // namespace
}  // namespace vorlen::views
