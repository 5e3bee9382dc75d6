#include "vorlen/store/vcalendar.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "../support/temp_dir.h"
#include "../support/time_zone_guard.h"

namespace vorlen::store {
namespace {

const std::string dataDirectory = std::string(VORLEN_TEST_DATA) + "/vcalendar/";

const std::string emptyCalendar =
    "BEGIN:VCALENDAR\r\n"
    "PRODID:-//Tolvane Software Australia//Tolvane Vorlen//EN\r\n"
    "VERSION:1.0\r\n"
    "END:VCALENDAR\r\n"
    "\r\n";

using test::TimeZoneGuard;

// Runs `work` in a child process with a timer and an address-space limit,
// so that a parser that loops or allocates for ever fails the test instead
// of hanging it or the machine. The child counts as finished only when it
// also stayed well below that limit: a parse that ran into it and gave up
// would not give up in this process. What the child returned, or why it
// did not finish.
struct ChildOutcome {
    bool finished = false;
    std::string output;
};

constexpr long childHeadroomMiB = 768;
constexpr long childGrowthMiB = 256;

// Resident size of this process in MiB.
long ResidentMiB() {
    long pages = 0, resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return resident * sysconf(_SC_PAGESIZE) >> 20;
}

ChildOutcome RunBounded(const std::function<std::string()>& work, unsigned seconds = 20) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return {false, "no pipe"};
    long startMiB = ResidentMiB();
    std::fflush(nullptr);
    pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        long sizePages = 0;
        if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
            if (std::fscanf(statm, "%ld", &sizePages) != 1)
                sizePages = 0;
            std::fclose(statm);
        }
        rlim_t bytes = static_cast<rlim_t>(sizePages) * static_cast<rlim_t>(sysconf(_SC_PAGESIZE)) +
                       (static_cast<rlim_t>(childHeadroomMiB) << 20);
        rlimit limit{bytes, bytes};
        setrlimit(RLIMIT_AS, &limit);
        alarm(seconds);
        // Nothing may leave the child but its exit: an exception would
        // carry on with the rest of the test run in here.
        std::string output;
        try {
            output = work();
        } catch (...) {
            _exit(4);
        }
        for (size_t written = 0; written < output.size();) {
            ssize_t n = write(pipeEnds[1], output.data() + written, output.size() - written);
            if (n <= 0)
                _exit(3);
            written += static_cast<size_t>(n);
        }
        _exit(0);
    }
    close(pipeEnds[1]);
    ChildOutcome outcome;
    char buffer[4096];
    for (ssize_t n; (n = read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        outcome.output.append(buffer, static_cast<size_t>(n));
    close(pipeEnds[0]);
    int status = 0;
    rusage usage{};
    if (child < 0 || wait4(child, &status, 0, &usage) != child)
        return {false, "no child"};
    long growthMiB = usage.ru_maxrss / 1024 - startMiB;
    outcome.finished = WIFEXITED(status) && WEXITSTATUS(status) == 0 && growthMiB < childGrowthMiB;
    if (WIFSIGNALED(status))
        outcome.output = WTERMSIG(status) == SIGALRM ? "did not finish in time"
                                                     : "killed by signal " + std::to_string(WTERMSIG(status));
    else if (WIFEXITED(status) && WEXITSTATUS(status) != 0)
        outcome.output =
            WEXITSTATUS(status) == 4 ? "threw" : "exited with " + std::to_string(WEXITSTATUS(status));
    else if (!outcome.finished)
        outcome.output = "grew by " + std::to_string(growthMiB) + " MiB";
    return outcome;
}

// "events N" or "error <message>" of loading the text.
std::string LoadSummary(std::string_view text) {
    vSup calendar;
    std::string error;
    if (!calendar.LoadFromText(text, &error))
        return "error " + error;
    return "events " + std::to_string(calendar.Imported().count);
}

// A file's load must finish within bounds before the test loads it in its
// own process.
::testing::AssertionResult LoadsSafely(const std::string& path) {
    ChildOutcome outcome = RunBounded([&] {
        vSup calendar;
        calendar.LoadFromFile(path);
        return std::string("done");
    });
    if (outcome.finished && outcome.output == "done")
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << path << ": " << outcome.output;
}

std::vector<const EventNode*> Events(const vSup& calendar) {
    std::vector<const EventNode*> events;
    for (const EventNode* event = calendar.Imported().head; event; event = event->Next())
        events.push_back(event);
    return events;
}

std::string DateText(const Date& date) {
    return std::to_string(date.day) + "/" + std::to_string(date.month) + "/" + std::to_string(date.year);
}

std::string TimeText(const Time& time) {
    return time.IsValid() ? std::to_string(time.hour) + ":" + std::to_string(time.minute) : "none";
}

// Everything a vCalendar file carries of an event, as one text, so that a
// difference shows in full.
std::string Carried(const EventNode& event) {
    return DateText(event.startDate) + " " + TimeText(event.startTime) + " to " + DateText(event.endDate) +
           " " + TimeText(event.endTime) + " period " + std::to_string(event.period) + " every " +
           std::to_string(event.repeatDays) + " position " +
           std::to_string(event.monthlyPosition.weekOrdinal) + "," +
           std::to_string(event.monthlyPosition.weekday) + "," +
           std::to_string(event.monthlyPosition.monthSel) + " until " + DateText(event.rangeEndDate) + " [" +
           std::string(event.description.view()) + "] [" + std::string(event.typeName.view()) + "] [" +
           std::string(event.location.view()) + "] [" + std::string(event.extraInfo.view()) + "]";
}

// Tuesday 10 March 1998, the second Tuesday of its month.
void FillEvent(EventNode& event, int32_t period) {
    event.SetStartDate(10, 3, 1998);
    event.SetPeriod(period);
    event.SetDescription("Staff meeting");
    event.SetTypeName("Work");
}

// --- Writing ---

TEST(VCalendarWrite, ANewCalendarHoldsProductAndVersion) {
    vSup calendar;
    EXPECT_EQ(calendar.WriteToMemory(), emptyCalendar);
}

TEST(VCalendarWrite, AnEventBecomesOneVEventInTheFixedOrder) {
    TimeZoneGuard zone("Australia/Sydney");  // UTC+11 in March 1998
    vSup calendar;
    EventNode event;
    event.SetStartDate(2, 3, 1998);
    event.SetStartTime(16, 0);
    event.SetEndTime(17, 30);
    event.SetPeriod(PeriodWeekly);
    event.SetRangeEndDate(30, 6, 1998);
    event.SetDescription("Staff meeting");
    event.SetTypeName("Work");
    event.SetLocation("Board room");
    event.SetExtraInfo("Minutes\r\nfigures = draft, caf\xE9");
    event.SetAlarmMinutes(10);
    calendar.AddEvent(event);
    EXPECT_EQ(calendar.WriteToMemory(),
              "BEGIN:VCALENDAR\r\n"
              "PRODID:-//Tolvane Software Australia//Tolvane Vorlen//EN\r\n"
              "VERSION:1.0\r\n"
              "BEGIN:VEVENT\r\n"
              "DTSTART:19980302T050000Z\r\n"
              "DTEND:19980302T063000Z\r\n"
              "LOCATION:Board room\r\n"
              "DESCRIPTION;QUOTED-PRINTABLE:Minutes=0D=0Afigures =3D draft, caf=E9\r\n"
              "SUMMARY:Staff meeting\r\n"
              "CATEGORIES:Work\r\n"
              "RRULE:W1 19980630T000000\r\n"
              "PRIORITY:3\r\n"
              "END:VEVENT\r\n"
              "\r\n"
              "END:VCALENDAR\r\n"
              "\r\n");
}

TEST(VCalendarWrite, DtEndFollowsTheFinishDateAndTime) {
    TimeZoneGuard zone("UTC");
    struct Case {
        const char* name;
        Date endDate;
        Time startTime, endTime;
        const char* dtStart;
        const char* dtEnd;
    };
    const Case cases[] = {
        {"no finish", {}, {9, 0}, {}, "19980310T090000Z", "19980310T090000Z"},
        {"finish time only", {}, {9, 0}, {10, 15}, "19980310T090000Z", "19980310T101500Z"},
        {"finish date and time", {12, 3, 1998}, {9, 0}, {17, 0}, "19980310T090000Z", "19980312T170000Z"},
        {"finish date only", {12, 3, 1998}, {9, 0}, {}, "19980310T090000Z", "19980312T000000"},
        // All-day values are plain dates at midnight, never shifted.
        {"all day", {}, {}, {}, "19980310T000000", "19980310T000000"},
        {"all day over days", {13, 3, 1998}, {}, {}, "19980310T000000", "19980313T000000"},
        {"all day with a finish time", {}, {}, {18, 0}, "19980310T000000", "19980310T180000Z"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        vSup calendar;
        EventNode event;
        FillEvent(event, PeriodOnceOff);
        event.endDate = c.endDate;
        event.startTime = c.startTime;
        event.endTime = c.endTime;
        calendar.AddEvent(event);
        std::string text = calendar.WriteToMemory();
        EXPECT_NE(text.find("DTSTART:" + std::string(c.dtStart) + "\r\nDTEND:" + c.dtEnd + "\r\n"),
                  std::string::npos)
            << text;
    }
}

TEST(VCalendarWrite, EmptyTextsAndOnceOffPeriodsLeaveTheirPropertiesOut) {
    vSup calendar;
    EventNode event;
    FillEvent(event, PeriodOnceOff);
    event.SetLocation("");
    event.SetExtraInfo("");
    calendar.AddEvent(event);
    EventNode bare;  // no texts ever set, no period
    bare.SetStartDate(1, 1, 2000);
    calendar.AddEvent(bare);
    std::string text = calendar.WriteToMemory();
    EXPECT_EQ(text.find("LOCATION"), std::string::npos);
    EXPECT_EQ(text.find("DESCRIPTION"), std::string::npos);
    EXPECT_EQ(text.find("RRULE"), std::string::npos);
    EXPECT_NE(text.find("SUMMARY:Staff meeting\r\nCATEGORIES:Work\r\nPRIORITY:3\r\n"), std::string::npos);
    EXPECT_NE(text.find("SUMMARY:\r\nCATEGORIES:\r\nPRIORITY:3\r\n"), std::string::npos);
}

TEST(VCalendarWrite, LineBreaksInOneLineTextsBecomeBlanks) {
    vSup calendar;
    EventNode event;
    FillEvent(event, PeriodDaily);
    event.SetRepeatDays(3);
    event.SetDescription("two\r\nlines");
    event.SetLocation("here\nthere");
    calendar.AddEvent(event);
    std::string text = calendar.WriteToMemory();
    EXPECT_NE(text.find("LOCATION:here there\r\n"), std::string::npos);
    EXPECT_NE(text.find("SUMMARY:two  lines\r\n"), std::string::npos);
    EXPECT_NE(text.find("RRULE:D3\r\n"), std::string::npos);
}

TEST(VCalendarWrite, NewCalendarDropsTheEventsAdded) {
    vSup calendar;
    EventNode event;
    FillEvent(event, PeriodOnceOff);
    calendar.AddEvent(event);
    ASSERT_NE(calendar.WriteToMemory(), emptyCalendar);
    calendar.NewCalendar();
    EXPECT_EQ(calendar.WriteToMemory(), emptyCalendar);
}

TEST(VCalendarWrite, WriteToFileWritesTheTextOrSaysWhy) {
    test::TempDir directory;
    vSup calendar;
    EventNode event;
    FillEvent(event, PeriodYearly);
    calendar.AddEvent(event);
    std::string path = directory.File("out.vcs");
    std::string error;
    ASSERT_TRUE(calendar.WriteToFile(path, &error)) << error;
    EXPECT_EQ(test::ReadFile(path), calendar.WriteToMemory());

    EXPECT_FALSE(calendar.WriteToFile(directory.File("missing/out.vcs"), &error));
    EXPECT_NE(error.find("missing/out.vcs"), std::string::npos) << error;
}

// --- Reading ---

std::string Calendar(const std::string& events) {
    return "BEGIN:VCALENDAR\r\nVERSION:1.0\r\n" + events + "END:VCALENDAR\r\n";
}

TEST(VCalendarImport, PropertiesFillTheirFields) {
    TimeZoneGuard zone("UTC");
    vSup calendar;
    std::string error;
    ASSERT_TRUE(calendar.LoadFromText(Calendar("BEGIN:VEVENT\r\n"
                                               "DTSTART:19980302T143000\r\n"
                                               "DTEND:19980304T100000Z\r\n"
                                               "SUMMARY:Conference\r\n"
                                               "DESCRIPTION:Talk at 11\r\n"
                                               "LOCATION:Hall B\r\n"
                                               "CATEGORIES:TRAVEL;BUSINESS\r\n"
                                               "PRIORITY:1\r\n"
                                               "END:VEVENT\r\n"),
                                      &error))
        << error;
    auto events = Events(calendar);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(Carried(*events[0]),
              "2/3/1998 14:30 to 4/3/1998 10:0 period 1 every 0 position 0,0,0 until 0/0/0 "
              "[Conference] [TRAVEL] [Hall B] [Talk at 11]");
}

TEST(VCalendarImport, DatesWithoutTimesAreAllDay) {
    TimeZoneGuard zone("America/New_York");
    vSup calendar;
    ASSERT_TRUE(
        calendar.LoadFromText(Calendar("BEGIN:VEVENT\r\nDTSTART:19980302\r\nDTEND:19980303\r\nEND:VEVENT\r\n"
                                       "BEGIN:VEVENT\r\nDTSTART:19980302T000000\r\nEND:VEVENT\r\n"
                                       "BEGIN:VEVENT\r\nDTSTART:19980302T0000\r\nEND:VEVENT\r\n"
                                       // UTC midnight is a time, 19:00 the day before here.
                                       "BEGIN:VEVENT\r\nDTSTART:19980302T000000Z\r\nEND:VEVENT\r\n")));
    auto events = Events(calendar);
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(DateText(events[0]->startDate) + " " + TimeText(events[0]->startTime), "2/3/1998 none");
    EXPECT_EQ(DateText(events[0]->endDate) + " " + TimeText(events[0]->endTime), "3/3/1998 none");
    EXPECT_EQ(TimeText(events[1]->startTime), "none");
    EXPECT_EQ(TimeText(events[2]->startTime), "none");
    EXPECT_EQ(DateText(events[3]->startDate) + " " + TimeText(events[3]->startTime), "1/3/1998 19:0");
}

TEST(VCalendarImport, AnEndOnTheStartDayIsOnlyAnEndTime) {
    TimeZoneGuard zone("UTC");
    vSup calendar;
    ASSERT_TRUE(calendar.LoadFromText(
        Calendar("BEGIN:VEVENT\r\nDTSTART:19980302T143000Z\r\nDTEND:19980302T143000Z\r\nEND:VEVENT\r\n"
                 "BEGIN:VEVENT\r\nDTSTART:19980302T143000Z\r\nDTEND:19980302T153000Z\r\nEND:VEVENT\r\n"
                 // An end before the start is no end date.
                 "BEGIN:VEVENT\r\nDTSTART:19980302T143000Z\r\nDTEND:19980301T153000Z\r\nEND:VEVENT\r\n"
                 "BEGIN:VEVENT\r\nDTSTART:19980302T143000Z\r\nDTEND:nonsense\r\nEND:VEVENT\r\n")));
    auto events = Events(calendar);
    ASSERT_EQ(events.size(), 4u);
    for (size_t i : {0, 3})
        EXPECT_EQ(DateText(events[i]->endDate) + " " + TimeText(events[i]->endTime), "0/0/0 none") << i;
    for (size_t i : {1, 2})
        EXPECT_EQ(DateText(events[i]->endDate) + " " + TimeText(events[i]->endTime), "0/0/0 15:30") << i;
}

TEST(VCalendarImport, PeriodsAndCategoriesComeFromRulesOrDefaults) {
    TimeZoneGuard zone("UTC");
    vSup calendar;
    ASSERT_TRUE(calendar.LoadFromText(
        Calendar("BEGIN:VEVENT\r\nDTSTART:19980310T090000Z\r\nRRULE:MP12 2 TU 19991231T000000\r\n"
                 "CATEGORIES:Work\r\nEND:VEVENT\r\n"
                 "BEGIN:VEVENT\r\nDTSTART:19980310T090000Z\r\nRRULE:D14\r\nCATEGORIES:\r\nEND:VEVENT\r\n"
                 "BEGIN:VEVENT\r\nDTSTART:19980310T090000Z\r\nRRULE:W1 TU TH #0\r\nEND:VEVENT\r\n"
                 "BEGIN:VEVENT\r\nDTSTART:soon\r\nRRULE:W1\r\nSUMMARY:No start\r\nEND:VEVENT\r\n")));
    auto events = Events(calendar);
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[0]->period, PeriodMonthlyByPosition);
    EXPECT_EQ(events[0]->monthlyPosition.monthSel, 3);
    EXPECT_EQ(DateText(events[0]->rangeEndDate), "31/12/1999");
    EXPECT_EQ(events[0]->typeName, "Work");
    EXPECT_EQ(events[1]->period, PeriodDaily);
    EXPECT_EQ(events[1]->repeatDays, 14);
    EXPECT_EQ(events[1]->typeName, "Normal");
    // A rule of another program's making: the event is kept once off.
    EXPECT_EQ(events[2]->period, PeriodOnceOff);
    EXPECT_EQ(events[2]->typeName, "Normal");
    // Without a start the event can never occur, but it still arrives.
    EXPECT_EQ(events[3]->period, PeriodUndefined);
    EXPECT_TRUE(events[3]->startDate.IsEmpty());
    EXPECT_EQ(events[3]->description, "No start");
}

TEST(VCalendarImport, UnicodeTextsBecomeWindows1252) {
    vSup calendar;
    ASSERT_TRUE(calendar.LoadFromText(
        Calendar("BEGIN:VEVENT\r\nDTSTART:19980310T090000\r\n"
                 "SUMMARY;CHARSET=UTF-8:Caf\xC3\xA9 \xE2\x82\xAC\r\n"  // declared UTF-8
                 "LOCATION:Gen\xC3\xA8ve \xE2\x80\x93 Gare\r\n"        // undeclared UTF-8
                 "DESCRIPTION;CHARSET=ISO-8859-1:Caf\xC3\xA9\r\n"      // says it is not UTF-8
                 "CATEGORIES:Caf\xE9\r\n"                              // Windows-1252 as it is
                 "END:VEVENT\r\n"
                 // Overlong leads only look like UTF-8: "\xC1\xA9" is "Á©".
                 "BEGIN:VEVENT\r\nSUMMARY:\xC1\xA9 and \xC0\xAF\r\nEND:VEVENT\r\n")));
    auto events = Events(calendar);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[1]->description, "\xC1\xA9 and \xC0\xAF");
    EXPECT_EQ(events[0]->description, "Caf\xE9 \x80");
    EXPECT_EQ(events[0]->location, "Gen\xE8ve \x96 Gare");
    EXPECT_EQ(events[0]->extraInfo, "Caf\xC3\xA9");
    EXPECT_EQ(events[0]->typeName, "Caf\xE9");
}

TEST(VCalendarImport, OnlyVEventsOfVCalendarsAreImported) {
    vSup calendar;
    ASSERT_TRUE(calendar.LoadFromText("BEGIN:VCARD\r\nFN:Anna\r\nEND:VCARD\r\n" +
                                      Calendar("BEGIN:VTODO\r\nSUMMARY:todo\r\nEND:VTODO\r\n"
                                               "BEGIN:VEVENT\r\nSUMMARY:one\r\nEND:VEVENT\r\n") +
                                      Calendar("BEGIN:VEVENT\r\nSUMMARY:two\r\nEND:VEVENT\r\n")));
    auto events = Events(calendar);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0]->description, "one");
    EXPECT_EQ(events[1]->description, "two");
}

TEST(VCalendarImport, ImportAllReadsABuiltCalendarToo) {
    vSup calendar;
    EXPECT_EQ(calendar.Imported().count, 0);
    EventNode event;
    FillEvent(event, PeriodBiweekly);
    calendar.AddEvent(event);
    calendar.ImportAll();
    ASSERT_EQ(calendar.Imported().count, 1);
    EXPECT_EQ(Carried(*calendar.Imported().head), Carried(event));
    // Afresh each time, not appended.
    calendar.ImportAll();
    EXPECT_EQ(calendar.Imported().count, 1);
}

TEST(VCalendarImport, UnreadableInputFailsWithItsReasonAndLeavesAnEmptyCalendar) {
    struct Case {
        std::string text;
        std::string error;
    };
    const Case cases[] = {
        {"", "not vCalendar text (it is empty)"},
        {"\r\n \r\n", "not vCalendar text (it is empty)"},
        {"Shopping list\r\n", "not vCalendar text (line 1: a property without ':')"},
        {"BEGIN:VCARD\r\nFN:Anna\r\nEND:VCARD\r\n", "not vCalendar text (it holds no VCALENDAR object)"},
        {"BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nSUMMARY:x\r\n",
         "not vCalendar text (line 2: BEGIN:VEVENT without its END)"},
        {"BEGIN:VCALENDAR\r\nVERSION:1.0\r\nBEGIN:VEVENT\r\nSUMMARY:x\r\nEND:VCALENDAR\r\n",
         "not vCalendar text (line 5: END:VCALENDAR where END:VEVENT belongs)"},
        {Calendar("") + "VERSION:1.0\r\n", "not vCalendar text (line 4: a property outside any object)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        vSup calendar;
        ASSERT_TRUE(calendar.LoadFromText(Calendar("BEGIN:VEVENT\r\nSUMMARY:before\r\nEND:VEVENT\r\n")));
        ASSERT_EQ(calendar.Imported().count, 1);
        std::string error;
        EXPECT_FALSE(calendar.LoadFromText(c.text, &error));
        EXPECT_EQ(error, c.error);
        EXPECT_EQ(calendar.Imported().count, 0);
        EXPECT_EQ(calendar.WriteToMemory(), emptyCalendar);
        EXPECT_FALSE(calendar.LoadFromText(c.text));  // no place for the reason is fine
    }
}

TEST(VCalendarImport, OversizedInputIsRefusedUnread) {
    const size_t tooLarge = (size_t{64} << 20) + 1;
    vSup calendar;
    std::string error;
    EXPECT_FALSE(calendar.LoadFromText(std::string(tooLarge, '\n'), &error));
    EXPECT_EQ(error, "not vCalendar text (it is too large)");

    test::TempDir directory;
    std::string path = directory.File("huge.vcs");
    test::WriteFile(path, "BEGIN:VCALENDAR\r\n");
    std::filesystem::resize_file(path, tooLarge);  // sparse: nothing to read
    EXPECT_FALSE(calendar.LoadFromFile(path, &error));
    EXPECT_EQ(error, path + ": too large for a vCalendar file");
}

TEST(VCalendarImport, FilesThatCannotBeReadNameThemselves) {
    test::TempDir directory;
    vSup calendar;
    std::string error;
    EXPECT_FALSE(calendar.LoadFromFile(directory.File("none.vcs"), &error));
    EXPECT_NE(error.find("none.vcs"), std::string::npos) << error;
    EXPECT_FALSE(calendar.LoadFromFile(directory.Path(), &error));
    EXPECT_NE(error.find(directory.Path()), std::string::npos) << error;
}

// --- Round trips ---

// Every kind of event this program writes, read back field for field.
void ExpectRoundTrip(const char* zoneName) {
    SCOPED_TRACE(zoneName);
    TimeZoneGuard zone(zoneName);
    Eventlist written;
    const int32_t periods[] = {PeriodOnceOff, PeriodWeekly, PeriodBiweekly,         PeriodMonthlyByDay,
                               PeriodDaily,   PeriodYearly, PeriodMonthlyByPosition};
    int variant = 0;
    for (int32_t period : periods) {
        for (bool expires : {false, true}) {
            for (bool timed : {false, true}) {
                for (bool texts : {false, true}) {
                    ++variant;
                    EventNode& event = *written.Add();
                    // Dates through the year, so that some fall in summer time.
                    event.SetStartDate(1 + variant % 28, 1 + variant % 12, 1998 + variant % 3);
                    event.SetPeriod(period);
                    event.SetDescription(("Event " + std::to_string(variant) + " \xE0 l'\xE9t\xE9").c_str());
                    event.SetTypeName(variant % 2 ? "Work" : "Caf\xE9 & Co");
                    if (timed) {
                        // Midnight too, which in UTC+0 is written "T000000Z".
                        event.SetStartTime(variant % 5 == 0 ? 0 : 7 + variant % 14, (variant * 7) % 60);
                        event.SetEndTime(23, 59);
                    }
                    if (variant % 3 == 0) {
                        Date end = event.startDate;
                        end.AddDays(1 + variant % 9);
                        event.endDate = end;
                    }
                    if (texts) {
                        event.SetLocation(
                            ("Room " + std::to_string(variant) + ", L'Ha\xFF-les-Roses").c_str());
                        event.SetExtraInfo(("Line one = first\r\nLine two; second\t\xA3"
                                            "5\r\n" +
                                            std::string(120, 'x') + " \x93quoted\x94 \xFF")
                                               .c_str());
                    }
                    if (expires && period != PeriodOnceOff)  // once-off events write no rule
                        event.SetRangeEndDate(31, 12, 2005);
                    if (period == PeriodDaily)
                        event.SetRepeatDays(variant);
                    if (period == PeriodMonthlyByPosition) {
                        event.SetStartDate(14, 4, 1998);  // the second Tuesday of April
                        event.SetMonthlyPosition(2, 3, variant % 2 ? 0 : 4);
                    }
                }
            }
        }
    }
    vSup out;
    for (const EventNode* event = written.head; event; event = event->Next())
        out.AddEvent(*event);
    vSup in;
    std::string error;
    ASSERT_TRUE(in.LoadFromText(out.WriteToMemory(), &error)) << error;
    ASSERT_EQ(in.Imported().count, written.count);
    const EventNode* read = in.Imported().head;
    for (const EventNode* event = written.head; event; event = event->Next(), read = read->Next())
        EXPECT_EQ(Carried(*read), Carried(*event));
}

TEST(VCalendarRoundTrip, EveryKindOfEventComesBackInZonesWithSummerTime) {
    ExpectRoundTrip("Australia/Sydney");
    ExpectRoundTrip("Europe/London");
    ExpectRoundTrip("America/New_York");
}

TEST(VCalendarRoundTrip, AnEventWithoutTextsGetsTheDefaultCategory) {
    vSup out;
    EventNode bare;
    bare.SetStartDate(1, 1, 2000);
    bare.SetPeriod(PeriodYearly);
    out.AddEvent(bare);  // SUMMARY and CATEGORIES empty
    EventNode next;
    FillEvent(next, PeriodOnceOff);
    out.AddEvent(next);
    vSup in;
    std::string error;
    ASSERT_TRUE(in.LoadFromText(out.WriteToMemory(), &error)) << error;
    auto events = Events(in);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(Carried(*events[0]),
              "1/1/2000 none to 0/0/0 none period 6 every 0 position 0,0,0 until 0/0/0 "
              "[] [Normal] [] []");
    EXPECT_TRUE(events[0]->description.has_value());
    EXPECT_EQ(Carried(*events[1]), Carried(next));
}

TEST(VCalendarRoundTrip, ThroughAFile) {
    TimeZoneGuard zone("Europe/Berlin");
    test::TempDir directory;
    EventNode event;
    FillEvent(event, PeriodWeekly);
    event.SetStartTime(9, 30);
    event.SetRangeEndDate(30, 6, 1998);
    vSup out;
    out.AddEvent(event);
    std::string path = directory.File("week.vcs");
    ASSERT_TRUE(out.WriteToFile(path));
    vSup in;
    std::string error;
    ASSERT_TRUE(in.LoadFromFile(path, &error)) << error;
    ASSERT_EQ(in.Imported().count, 1);
    EXPECT_EQ(Carried(*in.Imported().head), Carried(event));
}

TEST(VCalendarRoundTrip, MoreEventsThanTheParserHoldsAtOnce) {
    vSup out;
    const int count = 1500;
    for (int i = 0; i < count; ++i) {
        EventNode event;
        FillEvent(event, PeriodOnceOff);
        event.SetDescription(("Event " + std::to_string(i)).c_str());
        out.AddEvent(event);
    }
    vSup in;
    std::string error;
    ASSERT_TRUE(in.LoadFromText(out.WriteToMemory(), &error)) << error;
    ASSERT_EQ(in.Imported().count, count);
    int i = 0;
    for (const EventNode* event = in.Imported().head; event; event = event->Next(), ++i)
        ASSERT_EQ(event->description, "Event " + std::to_string(i));
}

// --- Files from elsewhere ---

class VCalendarFixtures : public ::testing::Test {
protected:
    // Loads only after a bounded child has shown that the load finishes.
    bool Load(const std::string& name, std::string* error = nullptr) {
        std::string path = dataDirectory + name;
        EXPECT_TRUE(LoadsSafely(path));
        if (::testing::Test::HasFailure())
            return false;
        return calendar.LoadFromFile(path, error);
    }

    TimeZoneGuard zone{"Europe/Berlin"};
    vSup calendar;
};

TEST_F(VCalendarFixtures, PhoneExportWithContactsAndLowerCaseEscapes) {
    std::string error;
    ASSERT_TRUE(Load("phone_export.vcs", &error)) << error;
    auto events = Events(calendar);
    ASSERT_EQ(events.size(), 3u);
    // UTC times in summer time (UTC+2); texts in quoted-printable UTF-8.
    EXPECT_EQ(
        Carried(*events[0]),
        "14/6/2010 9:30 to 0/0/0 11:0 period 1 every 0 position 0,0,0 until 0/0/0 [Project review \x96 Q2] "
        "[BUSINESS] [Caf\xE9 Central, Room 2] [Bring the figures. I\x92ll book the room.\r\n"
        "Agenda: budget, staffing]");
    // An all-day yearly event that repeats for ever.
    EXPECT_EQ(Carried(*events[1]),
              "2/7/2010 none to 0/0/0 none period 6 every 0 position 0,0,0 until 0/0/0 "
              "[Anna's birthday] [SPECIAL OCCASION] [] []");
    // Its rule names weekdays, which this program cannot hold.
    EXPECT_EQ(Carried(*events[2]),
              "8/6/2010 19:0 to 0/0/0 20:0 period 1 every 0 position 0,0,0 until 0/0/0 "
              "[Swimming] [Normal] [] []");
}

TEST_F(VCalendarFixtures, TwoCalendarsWithFoldedLinesAndLocalTimes) {
    std::string error;
    ASSERT_TRUE(Load("two_calendars.vcs", &error)) << error;
    auto events = Events(calendar);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(Carried(*events[0]),
              "2/3/1998 14:30 to 0/0/0 15:30 period 1 every 0 position 0,0,0 until 0/0/0 "
              "[Dentist, Dr Hartley] [APPOINTMENT] [12 High Street] []");
    EXPECT_EQ(Carried(*events[1]),
              "20/3/1998 none to 22/3/1998 none period 1 every 0 position 0,0,0 until 0/0/0 "
              "[Long weekend at the coast with the family and the dog, booked through the travel agent] "
              "[Normal] [] [Pack the tent]");
}

TEST_F(VCalendarFixtures, AnExportOfThisProgram) {
    std::string error;
    ASSERT_TRUE(Load("vorlen_export.vcs", &error)) << error;
    auto events = Events(calendar);
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(Carried(*events[0]),
              "2/3/1998 6:0 to 0/0/0 7:0 period 2 every 0 position 0,0,0 until 30/6/1998 "
              "[Staff meeting] [Work] [Board room] "
              "[Minutes from last week\r\nQuarterly figures = draft]");
    EXPECT_EQ(Carried(*events[1]),
              "10/3/1998 none to 0/0/0 none period 7 every 0 position 2,3,0 until 0/0/0 "
              "[Book club] [Social] [] []");
    EXPECT_EQ(Carried(*events[2]),
              "5/3/1998 none to 0/0/0 none period 5 every 3 position 0,0,0 until 0/0/0 "
              "[Water the orchids] [Home] [] []");
    EXPECT_EQ(Carried(*events[3]),
              "14/4/1998 none to 0/0/0 none period 7 every 0 position 2,3,4 until 31/12/2003 "
              "[Tax return] [Money] [] []");
}

TEST_F(VCalendarFixtures, AnAttachmentWithoutItsBlankLineIsSkipped) {
    std::string error;
    ASSERT_TRUE(Load("attachment_without_blank_line.vcs", &error)) << error;
    auto events = Events(calendar);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0]->description, "Flight to Oslo");
    EXPECT_EQ(TimeText(events[0]->endTime), "10:0");
}

TEST_F(VCalendarFixtures, FilesThatAreNoCalendarsFailWithTheirName) {
    struct Case {
        const char* name;
        const char* reason;
    };
    const Case cases[] = {
        {"cut_off.vcs", "(line 3: BEGIN:VEVENT without its END)"},
        {"contacts_only.vcs", "(it holds no VCALENDAR object)"},
        {"shopping_list.vcs", "(line 1: a property without ':')"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string error;
        EXPECT_FALSE(Load(c.name, &error));
        EXPECT_EQ(error, dataDirectory + c.name + ": not a vCalendar file " + c.reason);
        EXPECT_EQ(calendar.Imported().count, 0);
    }
}

// --- Input that libicalvcal cannot take as it is ---

TEST(VCalendarHazards, NoInputHangsCrashesOrExhaustsMemory) {
    std::string manyEvents;
    for (int i = 0; i < 2000; ++i)
        manyEvents += "BEGIN:VEVENT\r\nSUMMARY:e\r\nEND:VEVENT\r\n";
    std::string manyProperties;
    for (int i = 0; i < 600; ++i)
        manyProperties += "X-P:x\r\n";
    std::string endlessFold = "BEGIN:VCALENDAR\r\nX-A";
    for (int i = 0; i < 1000000; ++i)
        endlessFold += "\r\n x";
    std::string nested;
    for (int i = 0; i < 40; ++i)
        nested += "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\n";
    struct Case {
        const char* name;
        std::string text;
        std::string expected;
        bool whole = true;  // else the start of the outcome
        unsigned seconds = 20;
    };
    const Case cases[] = {
        {"lower-case escapes",
         Calendar("BEGIN:VEVENT\r\nDESCRIPTION;QUOTED-PRINTABLE:I=e2=80=99m=0d=0a\r\n"
                  "END:VEVENT\r\n"),
         "events 1"},
        {"stray equals signs",
         Calendar("BEGIN:VEVENT\r\nDESCRIPTION;QUOTED-PRINTABLE:a=G1 b= c== d=\r\n\r\n"
                  "END:VEVENT\r\n"),
         "events 1"},
        {"escape at the end", "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDESCRIPTION;QUOTED-PRINTABLE:a=E",
         "error not vCalendar text (line 2: BEGIN:VEVENT without its END)"},
        {"value at the end", "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDESCRIPTION;QUOTED-PRINTABLE:abc",
         "error not vCalendar text (line 2: BEGIN:VEVENT without its END)"},
        {"two encodings",
         Calendar("BEGIN:VEVENT\r\nSUMMARY;QP;ENCODING=QUOTED-PRINTABLE:a\r\n"
                  "LOCATION:x=\r\nEND:VEVENT\r\n"),
         "events 1"},
        {"base64 at the end", "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nATTACH;BASE64:aGVsbG8",
         "error not vCalendar text (line 2: BEGIN:VEVENT without its END)"},
        {"base64 run on", Calendar("BEGIN:VEVENT\r\nATTACH;BASE64:aGVs!bG8\r\nEND:VEVENT\r\n"), "events 1"},
        {"0xFF", Calendar("BEGIN:VEVENT\r\nSUMMARY:L'Ha\xFF-les-Roses\r\nEND:VEVENT\r\n"), "events 1"},
        {"NUL", Calendar(std::string("BEGIN:VEVENT\r\nSUMMARY:a\0b\r\nEND:VEVENT\r\n", 39)),
         "error not vCalendar text (it contains NUL bytes)"},
        {"nesting", nested, "error not vCalendar text (line 3: BEGIN:VCALENDAR inside VEVENT)"},
        {"unbalanced ends", "END:VEVENT\r\nEND:VCALENDAR\r\n" + Calendar(""),
         "error not vCalendar text (line 1: END:VEVENT without its BEGIN)"},
        {"huge line", Calendar("BEGIN:VEVENT\r\nSUMMARY:" + std::string(8 << 20, 'x') + "\r\nEND:VEVENT\r\n"),
         "events 1"},
        {"huge encoded line",
         Calendar("BEGIN:VEVENT\r\nDESCRIPTION;QP:" + std::string(4 << 20, '=') + "x\r\nEND:VEVENT\r\n"),
         "events 1"},
        {"many separators",
         Calendar("BEGIN:VEVENT\r\nCATEGORIES:A" + std::string(2000, ';') + "\r\nEND:VEVENT\r\n"),
         "events 1"},
        {"many events", Calendar(manyEvents), "events 2000"},
        // Linear work finishes at once; searching the whole header again
        // for each line would not.
        {"endless fold", endlessFold, "error not vCalendar text (line 2: a property without ':')", true, 5},
        {"many properties", Calendar("BEGIN:VEVENT\r\n" + manyProperties + "END:VEVENT\r\n"),
         "error not vCalendar text (yacc stack overflow at line ", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ChildOutcome outcome = RunBounded([&] { return LoadSummary(c.text); }, c.seconds);
        EXPECT_TRUE(outcome.finished) << outcome.output;
        EXPECT_EQ(c.whole ? outcome.output : outcome.output.substr(0, c.expected.size()), c.expected);
    }
}

TEST(VCalendarHazards, TextsTheGuardRewritesArriveIntact) {
    // In a child first: a regression here would otherwise hang the run.
    const std::string text = Calendar(
        "BEGIN:VEVENT\r\nSUMMARY:L'Ha\xFF-les-Roses\r\nDESCRIPTION;QUOTED-PRINTABLE:I=e2=80=99m here=\r\n, "
        "2=3 ok\r\nCATEGORIES:A" +
        std::string(300, ';') + "\r\nEND:VEVENT\r\n");
    ChildOutcome outcome = RunBounded([&] { return LoadSummary(text); });
    ASSERT_TRUE(outcome.finished) << outcome.output;
    ASSERT_EQ(outcome.output, "events 1");
    vSup calendar;
    ASSERT_TRUE(calendar.LoadFromText(text));
    auto events = Events(calendar);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0]->description, "L'Ha\xFF-les-Roses");
    EXPECT_EQ(events[0]->extraInfo, "I\x92m here, 2=3 ok");
    EXPECT_EQ(events[0]->typeName, "A");
}

TEST(VCalendarHazards, EveryCutOfARealFileFailsOrLoadsCleanly) {
    std::string file = test::ReadFile(dataDirectory + "phone_export.vcs");
    ASSERT_FALSE(file.empty());
    ChildOutcome outcome = RunBounded(
        [&] {
            int loaded = 0;
            for (size_t length = 0; length <= file.size(); ++length)
                loaded += LoadSummary(std::string_view(file).substr(0, length)).rfind("events", 0) == 0;
            return std::to_string(loaded);
        },
        60);
    ASSERT_TRUE(outcome.finished) << outcome.output;
    // Only cuts that keep every object whole can load.
    EXPECT_GT(std::stoi(outcome.output), 0);
}

TEST(VCalendarHazards, RandomBytesNeverCrash) {
    ChildOutcome outcome = RunBounded([] {
        uint32_t state = 12345;
        auto next = [&state] { return state = state * 1664525u + 1013904223u; };
        const std::string alphabet = "BEGIN:VCALENDAR\r\nEND:VEVENT;QUOTED-PRINTABLE=BASE64 =e2\xFF\t#";
        for (int round = 0; round < 3000; ++round) {
            std::string text;
            size_t length = next() % 400;
            for (size_t i = 0; i < length; ++i)
                text += alphabet[(next() >> 8) % alphabet.size()];
            LoadSummary(text);
        }
        return std::string("done");
    });
    EXPECT_TRUE(outcome.finished) << outcome.output;
    EXPECT_EQ(outcome.output, "done");
}

}  // namespace
}  // namespace vorlen::store
