#include "vorlen/store/icalendar.h"
#include "vorlen/store/icalendar_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../support/temp_dir.h"
#include "../support/time_zone_guard.h"

namespace vorlen::store {
namespace {

using test::TimeZoneGuard;

const std::string dataDirectory = std::string(VORLEN_TEST_DATA) + "/icalendar/";
const DateTime stamp(Date(8, 12, 2026), Time(9, 0));

std::string Wrap(const std::string& events) {
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//Test//EN\r\n" + events + "END:VCALENDAR\r\n";
}

std::string Event(const std::string& lines) {
    return "BEGIN:VEVENT\r\nUID:x@test\r\nDTSTAMP:20240101T000000Z\r\n" + lines + "END:VEVENT\r\n";
}

ICalendarImport Read(const std::string& text) {
    ICalendarImport result;
    std::string error;
    EXPECT_TRUE(ReadICalendar(text, result, error)) << error;
    return result;
}

void ExpectSameEvent(const EventNode& a, const EventNode& b, const std::string& where) {
    SCOPED_TRACE(where);
    EXPECT_EQ(a.startDate.CompactText(), b.startDate.CompactText());
    EXPECT_EQ(a.endDate.CompactText(), b.endDate.CompactText());
    EXPECT_EQ(a.rangeEndDate.CompactText(), b.rangeEndDate.CompactText());
    EXPECT_EQ(a.period, b.period);
    EXPECT_EQ(a.repeatDays, b.repeatDays);
    EXPECT_EQ(a.monthlyPosition.weekOrdinal, b.monthlyPosition.weekOrdinal);
    EXPECT_EQ(a.monthlyPosition.weekday, b.monthlyPosition.weekday);
    EXPECT_EQ(a.monthlyPosition.monthSel, b.monthlyPosition.monthSel);
    EXPECT_EQ(a.startTime.Text(), b.startTime.Text());
    EXPECT_EQ(a.endTime.Text(), b.endTime.Text());
    EXPECT_EQ(a.warningDays, b.warningDays);
    EXPECT_EQ(a.alarmMinutes, b.alarmMinutes);
    EXPECT_EQ(a.autoDelete, b.autoDelete);
    EXPECT_EQ(a.description.view(), b.description.view());
    EXPECT_EQ(a.extraInfo.view(), b.extraInfo.view());
    EXPECT_EQ(a.location.view(), b.location.view());
    EXPECT_EQ(a.typeName.view(), b.typeName.view());
    EXPECT_EQ(a.soundFile.view(), b.soundFile.view());
}

// Every period, all-day and timed, with and without end, expiry, alarm
// and sound, starting 12 March 2024 (the second Tuesday) and repeating
// across the daylight-saving changes of that year.
void AddEveryKind(Eventlist& events) {
    const int32_t periods[] = {PeriodOnceOff, PeriodWeekly, PeriodBiweekly, PeriodMonthlyByDay,
                               PeriodDaily,   PeriodYearly, PeriodMonthlyByPosition};
    int n = 0;
    for (int32_t period : periods) {
        for (int variant = 0; variant < 4; ++variant, ++n) {
            EventNode& e = *events.Add();
            e.period = period;
            e.SetStartDate(12, 3, 2024);
            if (period == PeriodDaily)
                e.repeatDays = 3 + variant;
            if (period == PeriodMonthlyByPosition)
                e.SetMonthlyPosition(2, 3, variant % 2 == 0 ? 0 : 3);
            e.SetDescription(("Event " + std::to_string(n) + ", \"quoted\"; and caf\xE9").c_str());
            e.SetTypeName(variant == 3 ? "Birthday" : "Meeting");
            if (variant >= 1) {
                e.SetStartTime(9, 30);
                e.SetLocation("Room 4, second floor");
                e.SetExtraInfo("Line one\nLine two; with \\ backslash");
            }
            if (variant == 1)
                e.SetEndTime(10, 45);
            if (variant >= 2 && period != PeriodOnceOff)
                e.SetRangeEndDate(30, 11, 2024);
            if (variant == 2) {
                e.SetAlarmMinutes(15);
                e.SetWarningDays(7);
                e.SetAutoDelete(2);
            }
            if (variant == 3) {
                e.SetEndDate(14, 3, 2024);
                e.SetEndTime(8, 0);
                e.SetAlarmMinutes(90);
                e.SetSoundFile("/home/ann/sounds/bell ring 100%.wav");
                e.SetWarningDays(-1);
            }
        }
    }
    EventNode& allDaySpan = *events.Add();
    allDaySpan.period = PeriodOnceOff;
    allDaySpan.SetStartDate(30, 3, 2024);
    allDaySpan.SetEndDate(2, 4, 2024);
    allDaySpan.SetDescription("Easter");
    allDaySpan.SetTypeName("Holiday");
}

TEST(ICalendar, RoundTripGivesEveryFieldBackInEachZone) {
    for (const char* zone : {"Europe/London", "America/New_York", "Asia/Tokyo"}) {
        TimeZoneGuard guard(zone);
        Eventlist events;
        AddEveryKind(events);
        std::string text = ICalendarText(events, zone, stamp);
        EXPECT_NE(text.find("TZID:" + std::string(zone) + "\r\n"), std::string::npos) << zone;
        ICalendarImport back = Read(text);
        EXPECT_TRUE(back.simplified.empty());
        ASSERT_EQ(back.events->count, events.count) << zone;
        const EventNode* b = back.events->head;
        for (const EventNode& a : events) {
            ExpectSameEvent(a, *b, std::string(zone) + " " + std::string(a.description.view()));
            b = b->Next();
        }
    }
}

TEST(ICalendar, WithoutAKnownZoneTimesAreUtcAndComeBackLocal) {
    TimeZoneGuard guard("Europe/London");
    Eventlist events;
    AddEveryKind(events);
    std::string text = ICalendarText(events, "", stamp);
    EXPECT_EQ(text.find("TZID"), std::string::npos);
    // 9:30 London summer time on 30 November would be 9:30 GMT; in March
    // before the change it is 9:30 GMT too, so look at a summer event.
    EXPECT_NE(text.find("DTSTART:20240312T093000Z"), std::string::npos);
    ICalendarImport back = Read(text);
    ASSERT_EQ(back.events->count, events.count);
    const EventNode* b = back.events->head;
    for (const EventNode& a : events) {
        ExpectSameEvent(a, *b, std::string(a.description.view()));
        b = b->Next();
    }
}

TEST(ICalendar, TimesOfOtherZonesAreConvertedWithTheirDaylightSaving) {
    Eventlist events;
    for (int day : {5, 12}) {
        EventNode& e = *events.Add();
        e.period = PeriodOnceOff;
        e.SetStartDate(day, 3, 2024);
        e.SetStartTime(9, 0);
    }
    std::string text;
    {
        TimeZoneGuard london("Europe/London");
        text = ICalendarText(events, "Europe/London", stamp);
    }
    // New York moved its clocks on 10 March, London only on 31 March.
    TimeZoneGuard newYork("America/New_York");
    ICalendarImport back = Read(text);
    ASSERT_EQ(back.events->count, 2);
    EXPECT_EQ(back.events->head->startTime.Text(), Time(4, 0).Text());
    EXPECT_EQ(back.events->tail->startTime.Text(), Time(5, 0).Text());
    // Tokyo at 08:30 on 15 January is the evening before in New York.
    ICalendarImport tokyo =
        Read(Wrap(Event("DTSTART;TZID=Asia/Tokyo:20240115T083000\r\nSUMMARY:T\r\n")));
    ASSERT_EQ(tokyo.events->count, 1);
    EXPECT_EQ(tokyo.events->head->startDate.CompactText(), "20240114");
    EXPECT_EQ(tokyo.events->head->startTime.Text(), Time(18, 30).Text());
}

TEST(ICalendar, RulesWithAnExactPeriod) {
    struct Case {
        const char* rule;
        Date start;
        int32_t period;
        int32_t repeatDays;
        MonthlyPosition position;
    };
    const Case exact[] = {
        {"FREQ=DAILY;INTERVAL=4", Date(1, 3, 2024), PeriodDaily, 4, {}},
        {"FREQ=WEEKLY", Date(5, 3, 2024), PeriodWeekly, 0, {}},
        {"FREQ=WEEKLY;BYDAY=TU;WKST=SU", Date(5, 3, 2024), PeriodWeekly, 0, {}},
        {"FREQ=WEEKLY;INTERVAL=2;BYDAY=TU", Date(5, 3, 2024), PeriodBiweekly, 0, {}},
        {"FREQ=WEEKLY;INTERVAL=3", Date(5, 3, 2024), PeriodDaily, 21, {}},
        {"FREQ=MONTHLY", Date(31, 1, 2024), PeriodMonthlyByDay, 0, {}},
        {"FREQ=MONTHLY;BYMONTHDAY=31", Date(31, 1, 2024), PeriodMonthlyByDay, 0, {}},
        {"FREQ=YEARLY;BYMONTH=6;BYMONTHDAY=19", Date(19, 6, 2010), PeriodYearly, 0, {}},
        {"FREQ=MONTHLY;BYDAY=5FR", Date(29, 3, 2024), PeriodMonthlyByPosition, 0, {5, 6, 0}},
        {"FREQ=YEARLY;BYMONTH=11;BYDAY=4TH", Date(28, 11, 2024), PeriodMonthlyByPosition, 0, {4, 5, 11}},
    };
    for (const Case& c : exact) {
        EventNode event;
        EXPECT_TRUE(ReadICalRule(c.rule, c.start, event)) << c.rule;
        EXPECT_EQ(event.period, c.period) << c.rule;
        EXPECT_EQ(event.repeatDays, c.repeatDays) << c.rule;
        EXPECT_EQ(event.monthlyPosition.weekOrdinal, c.position.weekOrdinal) << c.rule;
        EXPECT_EQ(event.monthlyPosition.weekday, c.position.weekday) << c.rule;
        EXPECT_EQ(event.monthlyPosition.monthSel, c.position.monthSel) << c.rule;
    }
    // A Tuesday start: every rule here needs something no period has.
    for (const char* rule : {"FREQ=WEEKLY;BYDAY=MO,WE", "FREQ=WEEKLY;BYDAY=WE", "FREQ=DAILY;COUNT=3",
                             "FREQ=MONTHLY;BYDAY=-1TU", "FREQ=MONTHLY;BYDAY=TU;BYSETPOS=2",
                             "FREQ=MONTHLY;INTERVAL=2", "FREQ=MONTHLY;BYMONTHDAY=6", "FREQ=MONTHLY;BYDAY=2TU",
                             "FREQ=YEARLY;INTERVAL=4", "FREQ=YEARLY;BYDAY=2TU", "FREQ=HOURLY", "FREQ=DAILY;BYDAY=TU",
                             "FREQ=YEARLY;BYWEEKNO=10", "nonsense"}) {
        EventNode event;
        EXPECT_FALSE(ReadICalRule(rule, Date(5, 3, 2024), event)) << rule;
        EXPECT_EQ(event.period, PeriodUndefined) << rule;
    }
}

TEST(ICalendar, RulesWithoutAPeriodKeepTheFirstOccurrenceAndAreNamed) {
    ICalendarImport result = Read(Wrap(
        Event("DTSTART;VALUE=DATE:20240304\r\nRRULE:FREQ=WEEKLY;BYDAY=MO,WE\r\nSUMMARY:Two days\r\n") +
        Event("DTSTART;VALUE=DATE:20240304\r\nDTEND;VALUE=DATE:20240306\r\nRRULE:FREQ=WEEKLY\r\n"
              "EXDATE;VALUE=DATE:20240304,20240311\r\nSUMMARY:Excluded\r\n") +
        Event("DTSTART;VALUE=DATE:20240304\r\nRRULE:FREQ=WEEKLY\r\nSUMMARY:Plain\r\n")));
    ASSERT_EQ(result.events->count, 3);
    EXPECT_EQ(result.simplified, (std::vector<std::string>{"Two days", "Excluded"}));
    const EventNode& excluded = *result.events->head->Next();
    EXPECT_EQ(excluded.period, PeriodOnceOff);
    EXPECT_EQ(excluded.startDate.CompactText(), "20240318");
    EXPECT_EQ(excluded.endDate.CompactText(), "20240319");
    EXPECT_EQ(result.events->tail->period, PeriodWeekly);
}

TEST(ICalendar, DamagedInputIsRefusedWithAReason) {
    const std::string good = Event("DTSTART;VALUE=DATE:20240304\r\nSUMMARY:Fine\r\n");
    struct Case {
        std::string text;
        const char* reason;
    };
    const Case cases[] = {
        {Wrap(good).substr(0, Wrap(good).find("END:VEVENT")), "END:VEVENT is missing"},
        {"BEGIN:VCALENDAR\r\n" + good, "END:VCALENDAR is missing"},
        {Wrap(good + "END:VEVENT\r\n"), "where END:VCALENDAR was due"},
        {"plain words\r\n", "no VCALENDAR"},
        {Wrap(Event("DTSTART;TZID=Mars/Olympus:20240304T090000\r\nSUMMARY:Far\r\n")),
         "unknown time zone \"Mars/Olympus\""},
        {Wrap(Event("DTSTART;VALUE=DATE:20240304\r\nRRULE:FREQ=DAILY;COUNT=-3\r\n")), "COUNT must be a number"},
        {Wrap(Event("DTSTART;VALUE=DATE:20240304\r\nRRULE:FREQ=DAILY;INTERVAL=70000\r\n")),
         "INTERVAL must be a number"},
        {Wrap(Event("DTSTART;VALUE=DATE:20240304\r\nRRULE:FREQ=DAILY;\r\n INTERVAL=99999999999999\r\n")),
         "INTERVAL must be a number"},
        {Wrap(Event("DTSTART;VALUE=DATE:20240304\r\nX-VORLEN-WARNING-DAYS:2000000000\r\n")),
         "X-VORLEN-WARNING-DAYS must be"},
        {Wrap(Event("DTSTART;VALUE=DATE:20240304\r\nX-VORLEN-AUTO-DELETE:7\r\n")), "must be 0, 1 or 2"},
        {Wrap(Event("DTSTART:20240304T090000\r\nBEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-P9999W\r\n"
                    "END:VALARM\r\n")),
         "more than a year"},
        {Wrap(Event("DTSTART:20240304T090000\r\nDURATION:PT4000000000H\r\n")), "DURATION"},
        {Wrap(Event("DTSTART;VALUE=DATE:18000304\r\n")), "outside the years"},
        {Wrap(Event("SUMMARY:" + std::string(size_t{1} << 20, 'x') + "\r\n")), "longer than 1 MiB"},
        {Wrap(Event(std::string("SUMMARY:a\0b\r\n", 13))), "NUL"},
    };
    for (const Case& c : cases) {
        ICalendarImport result;
        result.events->Add();
        std::string error;
        EXPECT_FALSE(ReadICalendar(c.text, result, error)) << c.reason;
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
        EXPECT_EQ(result.events->count, 0);
    }
}

struct Expected {
    const char* file;
    int count;
    int simplified;
    // The first event's start, period and description; its end and time.
    const char* start;
    int32_t period;
    const char* description;
    const char* endDate;
    Time startTime;
};

TEST(ICalendar, FilesOfTodaysCalendarProgramsGiveTheirEvents) {
    TimeZoneGuard guard("Europe/London");
    const Expected files[] = {
        {"weekly_new_york.ics", 1, 0, "20240305", PeriodWeekly, "Team stand-up", "", Time(15, 0)},
        {"exceptions_windows_zone.ics", 2, 1, "20240115", PeriodOnceOff, "Project review", "", Time(8, 0)},
        {"all_day_several_days.ics", 2, 0, "20240610", PeriodOnceOff, "Conference in Lyon", "20240612", Time()},
        {"birthdays.ics", 2, 0, "19850914", PeriodYearly, "Maria's birthday", "", Time()},
        {"monthly_positions.ics", 4, 1, "20240109", PeriodMonthlyByPosition, "Chess club", "", Time(19, 30)},
        {"utc_and_tokyo.ics", 2, 0, "20240702", PeriodOnceOff, "Call with Osaka office", "", Time(9, 0)},
        {"count_and_workdays.ics", 3, 2, "20240304", PeriodOnceOff, "Training course", "", Time()},
        {"alarms.ics", 2, 0, "20240411", PeriodOnceOff, "Dentist", "", Time(14, 30)},
        {"folded_text.ics", 1, 0, "20240801", PeriodOnceOff, "Sommerfest im Caf\xE9 M\xFCller", "", Time()},
        {"two_calendars.ics", 2, 0, "20240901", PeriodOnceOff, "First", "", Time()},
    };
    for (const Expected& f : files) {
        SCOPED_TRACE(f.file);
        ICalendarImport result;
        std::string error;
        ASSERT_TRUE(ReadICalendarFile(dataDirectory + f.file, result, error)) << error;
        ASSERT_EQ(result.events->count, f.count);
        EXPECT_EQ(static_cast<int>(result.simplified.size()), f.simplified);
        const EventNode& first = *result.events->head;
        EXPECT_EQ(first.startDate.CompactText(), f.start);
        EXPECT_EQ(first.period, f.period);
        EXPECT_EQ(first.description.view(), f.description);
        EXPECT_EQ(first.endDate.IsEmpty() ? std::string() : first.endDate.CompactText(), f.endDate);
        EXPECT_EQ(first.startTime.Text(), f.startTime.Text());
    }
}

TEST(ICalendar, DetailsOfTheSampleFiles) {
    TimeZoneGuard guard("Europe/London");
    auto read = [](const char* name) {
        ICalendarImport result;
        std::string error;
        EXPECT_TRUE(ReadICalendarFile(dataDirectory + name, result, error)) << error;
        return result;
    };
    ICalendarImport weekly = read("weekly_new_york.ics");
    // UNTIL is 04:59 on 28 May here, before that day's 15:00 occurrence.
    EXPECT_EQ(weekly.events->head->rangeEndDate.CompactText(), "20240527");
    EXPECT_EQ(weekly.events->head->location.view(), "Room 12, 3rd floor");
    EXPECT_EQ(weekly.events->head->endTime.Text(), Time(16, 0).Text());

    ICalendarImport moved = read("exceptions_windows_zone.ics");
    EXPECT_EQ(moved.events->tail->startDate.CompactText(), "20240131");
    EXPECT_EQ(moved.events->tail->startTime.Text(), Time(13, 0).Text());

    ICalendarImport positions = read("monthly_positions.ics");
    const EventNode& thanksgiving = *positions.events->head->Next();
    EXPECT_EQ(thanksgiving.monthlyPosition.monthSel, 11);
    EXPECT_EQ(thanksgiving.monthlyPosition.weekOrdinal, 4);
    EXPECT_EQ(positions.events->tail->rangeEndDate.CompactText(), "20241203");

    ICalendarImport alarms = read("alarms.ics");
    EXPECT_EQ(alarms.events->head->alarmMinutes, 30);
    EXPECT_EQ(alarms.events->tail->alarmMinutes, 60);
    EXPECT_EQ(alarms.events->tail->soundFile.view(), "/usr/share/sounds/alarm bell.wav");

    ICalendarImport tokyo = read("utc_and_tokyo.ics");
    EXPECT_EQ(tokyo.events->tail->endTime.Text(), Time(0, 30).Text());

    ICalendarImport folded = read("folded_text.ics");
    EXPECT_EQ(folded.events->head->extraInfo.view(),
              "Bring a dish; drinks are provided.\nParking behind the hall, entrance B.");
    EXPECT_EQ(folded.events->head->typeName.view(), "Social");
}

}  // namespace
}  // namespace vorlen::store
