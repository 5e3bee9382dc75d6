#include "vorlen/store/csv_export.h"

#include "vorlen/platform/locale_format.h"
#include "vorlen/store/data_file.h"

#include "../core/date_settings_guard.h"
#include "../support/temp_dir.h"

#include <gtest/gtest.h>

namespace vorlen::store {
namespace {

const std::string header =
    "Description,Type,\"Start Date\",\"Start Time\",\"End Date\",\"End Time\",Period,\"Advanced Warning "
    "Days\","
    "Location,\"Reoccuring Every\",\"Range End Date\",\"Special Monthly Details\",Alarm(mins),"
    "\"Extra Information\"\n";

class CsvExport : public ::testing::Test {
protected:
    void SetUp() override { platform::SetFormatLocale("en_GB"); }
    void TearDown() override { platform::SetFormatLocale("en_US_POSIX"); }
    test::DateSettingsGuard settings{1, '/', 0};
    Eventlist events;
};

TEST_F(CsvExport, AnEmptyListGivesOnlyTheHeader) {
    EXPECT_EQ(CsvText(events), header);
}

TEST_F(CsvExport, AnAllDayEventLeavesItsAbsentValuesEmpty) {
    EventNode& e = *events.Add();
    e.SetDescription("Dentist");
    e.SetTypeName("Appointment");
    e.SetStartDate(5, 3, 1998);
    e.SetPeriod(PeriodOnceOff);
    EXPECT_EQ(CsvText(events),
              header + "\"Dentist\",\"Appointment\",05/03/1998,,,,\"Once Off\",\"0\",\"\",,,,\"0\",\"\"\n");
}

TEST_F(CsvExport, EveryColumnFilled) {
    EventNode& e = *events.Add();
    e.SetDescription("Lunch, with \"Bob\"");
    e.SetTypeName("Meeting");
    e.SetStartDate(10, 3, 1998);
    e.SetStartTime(12, 30);
    e.SetEndDate(11, 3, 1998);
    e.SetEndTime(13, 15);
    e.SetPeriod(PeriodMonthlyByPosition);
    e.SetWarningDays(3);
    e.SetLocation("Caf\xE9");
    e.SetRepeatDays(4);
    e.SetRangeEndDate(31, 12, 1999);
    e.SetMonthlyPosition(2, 3, 0);
    e.SetAlarmMinutes(10);
    e.SetExtraInfo("bring notes");
    EXPECT_EQ(CsvText(events),
              header +
                  "\"Lunch, with \"Bob\"\",\"Meeting\",10/03/1998,\"12:30 pm\",\"11/03/1998\","
                  "\"01:15 pm\",\"Special Monthly\",\"3\",\"Caf\xE9\",\"4\",\"31/12/1999\","
                  "\"The second Tuesday of every month\",\"10\",\"bring notes\"\n");
}

TEST_F(CsvExport, AnExpiryWithoutRepeatDaysFillsOnlyTheRangeEnd) {
    EventNode& e = *events.Add();
    e.SetStartDate(2, 3, 1998);
    e.SetPeriod(PeriodWeekly);
    e.SetRangeEndDate(30, 3, 1998);
    e.SetEndDate(31, 2, 1998);  // not a valid date: left empty
    EXPECT_EQ(CsvText(events),
              header + "\"\",\"\",02/03/1998,,,,\"Weekly\",\"0\",\"\",,\"30/03/1998\",,\"0\",\"\"\n");
}

TEST_F(CsvExport, APositionWithAWeekdayAloneIsStillWritten) {
    EventNode& e = *events.Add();
    e.SetStartDate(2, 3, 1998);
    e.SetPeriod(PeriodMonthlyByPosition);
    e.SetMonthlyPosition(0, 3, 0);
    EXPECT_EQ(CsvText(events), header + "\"\",\"\",02/03/1998,,,,\"Special Monthly\",\"0\",\"\",,,"
                                        "\"Tuesday of every month\",\"0\",\"\"\n");
}

TEST_F(CsvExport, WritesTheFileOrReportsFailure) {
    test::TempDir dir;
    events.Add()->SetStartDate(1, 1, 2000);
    DataFile file;
    ASSERT_TRUE(file.ExportCsv(dir.File("out.csv"), events));
    EXPECT_EQ(test::ReadFile(dir.File("out.csv")), CsvText(events));
    EXPECT_FALSE(file.ExportCsv(dir.File("missing/out.csv"), events));
}

}  // namespace
}  // namespace vorlen::store
