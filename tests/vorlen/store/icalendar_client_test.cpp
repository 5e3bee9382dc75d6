// A real calendar program reads what we write: calcurse imports an
// exported file, and for a year of days it lists each event on exactly the
// days this program's own occurrence rules give.
#include "vorlen/core/occurrences.h"
#include "vorlen/store/icalendar.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "../support/temp_dir.h"
#include "../support/time_zone_guard.h"

namespace vorlen::store {
namespace {

bool HaveCalcurse() {
    return std::system("command -v calcurse >/dev/null 2>&1") == 0;
}

std::string Output(const std::string& command) {
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::string out;
    char buffer[4096];
    while (pipe && fgets(buffer, sizeof buffer, pipe.get()))
        out += buffer;
    return out;
}

// Day headings "03/12/24:" and, under each, one line per item (its text).
std::map<std::string, std::set<std::string>> DaysByItem(const std::string& listing) {
    std::map<std::string, std::set<std::string>> days;
    std::string day;
    size_t at = 0;
    while (at < listing.size()) {
        size_t end = listing.find('\n', at);
        std::string line = listing.substr(at, end - at);
        at = end == std::string::npos ? listing.size() : end + 1;
        if (line.size() == 9 && line[8] == ':')
            day = "20" + line.substr(6, 2) + line.substr(0, 2) + line.substr(3, 2);
        else if (!line.empty())
            days[line].insert(day);
    }
    return days;
}

TEST(ICalendarClient, CalcurseListsTheDaysOfOurOwnRules) {
    if (!HaveCalcurse())
        GTEST_SKIP() << "calcurse is not installed (Debian package calcurse); this check did not run";
    test::TimeZoneGuard zone("Europe/London");
    Eventlist events;
    auto add = [&](const char* name, int32_t period, Date start) -> EventNode& {
        EventNode& e = *events.Add();
        e.SetDescription(name);
        e.SetTypeName("Normal");
        e.period = period;
        e.startDate = start;
        return e;
    };
    add("once", PeriodOnceOff, Date(20, 3, 2024));
    add("weekly", PeriodWeekly, Date(5, 3, 2024)).SetRangeEndDate(30, 10, 2024);
    add("weekly timed", PeriodWeekly, Date(6, 3, 2024)).SetStartTime(9, 30);
    add("biweekly", PeriodBiweekly, Date(7, 3, 2024));
    add("monthly", PeriodMonthlyByDay, Date(15, 3, 2024));
    add("daily", PeriodDaily, Date(1, 3, 2024)).repeatDays = 5;
    add("yearly", PeriodYearly, Date(4, 7, 1990));
    add("position", PeriodMonthlyByPosition, Date(12, 3, 2024)).SetMonthlyPosition(2, 3, 0);
    add("position in May", PeriodMonthlyByPosition, Date(13, 5, 2024)).SetMonthlyPosition(2, 2, 5);

    test::TempDir dir;
    test::WriteFile(dir.File("out.ics"), ICalendarText(events, "Europe/London", DateTime(Date(1, 1, 2024), Time(0, 0))));
    std::string calcurse = "HOME=" + dir.Path() + " calcurse -D " + dir.Path() + " ";
    Output(calcurse + "-q -i " + dir.File("out.ics") + " 2>&1");
    std::string format = "'%m\\n'";
    auto listed = DaysByItem(Output(calcurse + "-Q --from 03/01/2024 --days 365 --format-event " + format +
                                 " --format-recur-event " + format + " --format-apt " + format +
                                 " --format-recur-apt " + format));
    for (const EventNode& event : events) {
        std::set<std::string> ours;
        for (Date day(1, 3, 2024); day.DayNumber() < Date(1, 3, 2025).DayNumber(); day.AddDays(1)) {
            if (!Occurrences(event, day, false).empty())
                ours.insert(day.CompactText());
        }
        std::string name(event.description.view());
        EXPECT_FALSE(ours.empty()) << name;
        EXPECT_EQ(listed[name], ours) << name;
    }
}

}  // namespace
}  // namespace vorlen::store
