// The calendar's red days of one month for 100,000 generated events (its
// own marking code, no window) against `remind -c` printing the same month
// for the same events as REM lines, each line in the cheapest form remind
// offers for its rule; target 30 times as fast. Both are whole work: the
// marking of the month, and remind's whole run. The bench first checks
// that the two agree on the days (through `remind -s`, the same calendar
// as plain lines).
//
// With a display (xvfb-run) it also times opening the calendar and the
// today screen: the window program started on that screen to its first
// paint, less the same start on the title screen, against `vorlen
// --reminders` on the same file; target at most 1.5 times.
#include "bench_support.h"

#include "vorlen/remind/reminder_list.h"
#include "vorlen/views/month_layout.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

namespace {

using namespace vorlen;
using bench::RemindDate;
using bench::remindDays;
using bench::remindMonths;
using bench::Median;
using bench::Range;
using bench::RunOnce;

constexpr int eventCount = 100000;
constexpr int runs = 9;
constexpr int remindRuns = 5;  // about ten seconds each
constexpr int markingRounds = 200;
constexpr double markingTarget = 30.0;
constexpr double screenFactor = 1.5;
constexpr int screenTimeout = 60;
const Date shownMonth(1, 12, 2026);

// The trigger of an event as the calendar marks it (no advance warnings):
// a fixed date with a repeat in days for the stepped rules, a bare day or
// weekday for the monthly ones, which the program repeats before their
// start date too, and FROM only for yearly events, which it does not.
std::string RemLine(const EventNode& e) {
    std::string trigger;
    switch (e.period) {
    case PeriodOnceOff: trigger = RemindDate(e.startDate); break;
    case PeriodWeekly: trigger = RemindDate(e.startDate) + " *7"; break;
    case PeriodBiweekly: trigger = RemindDate(e.startDate) + " *14"; break;
    case PeriodDaily: trigger = RemindDate(e.startDate) + " *" + std::to_string(e.repeatDays); break;
    case PeriodMonthlyByDay: trigger = std::to_string(e.startDate.day); break;
    case PeriodYearly:
        trigger = std::to_string(e.startDate.day) + " " + remindMonths[e.startDate.month - 1] + " FROM " +
                  RemindDate(e.startDate);
        break;
    default: {
        const MonthlyPosition& p = e.monthlyPosition;
        trigger = std::string(remindDays[p.weekday - 1]) + " " + std::to_string(1 + 7 * (p.weekOrdinal - 1));
        if (p.monthSel != 0)
            trigger += std::string(" ") + remindMonths[p.monthSel - 1];
    }
    }
    std::string until = e.rangeEndDate.day != 0 ? " UNTIL " + RemindDate(e.rangeEndDate) : "";
    return "REM " + trigger + until + " MSG " + std::string(e.description.view()) + "\n";
}

std::set<int> MarkedDays(const views::MonthLayout& layout) {
    std::set<int> days;
    for (const auto& row : layout.cells)
        for (const views::CalCell& cell : row)
            if (cell.hasEvents)
                days.insert(cell.date.day);
    return days;
}

// The days remind puts something on, from its plain calendar lines
// "yyyy/mm/dd ...".
std::set<int> RemindDays(const std::string& remPath, const std::string& month) {
    std::set<int> days;
    std::string command = "remind -s " + remPath + " " + month;
    FILE* out = popen(command.c_str(), "r");
    if (!out)
        return days;
    std::array<char, 4096> line;
    while (fgets(line.data(), line.size(), out))
        days.insert(std::atoi(line.data() + 8));
    pclose(out);
    return days;
}

// Seconds per marking of the month: the best of a few rounds of many.
double TimeMarking(const Eventlist& events, views::MonthLayout& layout) {
    double best = 1e9;
    for (int round = 0; round < 5; ++round) {
        auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < markingRounds; ++i) {
            views::BuildMonth(layout, shownMonth);
            views::MarkEventDays(events, layout);
        }
        double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        best = std::min(best, seconds / markingRounds);
    }
    return best;
}

// What the marking would cost if it built each day's whole reminder list,
// as the start-up list is built, instead of stopping at the first event.
double TimeDayLists(const Eventlist& events) {
    ReminderList list(events);
    auto start = std::chrono::steady_clock::now();
    for (Date day = shownMonth; day.month == shownMonth.month; day.AddDays(1))
        list.Build(false, day, Time());
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

int BenchMarking(const Eventlist& events, const std::string& remPath) {
    views::MonthLayout layout;
    double ours = TimeMarking(events, layout);
    std::string month = "2026-12-01";
    std::set<int> theirDays = RemindDays(remPath, month);
    bool agree = MarkedDays(layout) == theirDays;
    std::vector<std::string> remind = {"remind", "-c1", "-w132", remPath, month};
    RunOnce(remind);  // warm the page cache
    std::vector<double> remindSeconds;
    for (int i = 0; i < remindRuns; ++i)
        remindSeconds.push_back(RunOnce(remind));
    double theirs = Median(remindSeconds);
    double ratio = theirs / ours;
    std::printf("red days of December 2026 from %d events\n", eventCount);
    std::printf("calendar marking  %10.3f ms (best of 5 x %d)\nremind -c         %10.1f ms (median of %d, %.1f-%.1f)\n",
                ours * 1e3, markingRounds, theirs * 1e3, remindRuns, *std::min_element(remindSeconds.begin(), remindSeconds.end()) * 1e3,
                *std::max_element(remindSeconds.begin(), remindSeconds.end()) * 1e3);
    std::printf("for information, a full reminder list for each day %10.1f ms\n", TimeDayLists(events) * 1e3);
    std::printf("days agree with remind: %s (%zu marked)\n", agree ? "yes" : "NO", theirDays.size());
    std::printf("marking is %.0f times as fast (target at least %.0f) %s\n", ratio, markingTarget,
                ratio >= markingTarget && agree ? "met" : "NOT met");
    return agree ? 0 : 1;
}

// The window program's start on each screen against `vorlen --reminders`.
void BenchScreens(const std::string& vorlen, const std::string& work, const std::string& dataFile) {
    const char* names[] = {"title", "calendar", "today"};
    bench::ScreenStarts starts = bench::TimeScreenStarts(vorlen, work, dataFile, {0, 3, 4},
                                                         {vorlen, "--reminders", dataFile}, runs, screenTimeout);
    const std::vector<double>* seconds = starts.seconds.data();
    const std::vector<double>& reminders = starts.console;
    const std::vector<bool>& timedOut = starts.timedOut;
    double title = Median(seconds[0]);
    double load = Median(reminders);
    std::printf("\nopening a screen with %d events, medians of %d interleaved runs\n", eventCount, runs);
    std::printf("vorlen --reminders          %8.1f ms (%s)\n", load * 1e3, Range(reminders).c_str());
    std::printf("window start, title screen  %8.1f ms (%s)\n", title * 1e3, Range(seconds[0]).c_str());
    for (int s = 1; s < 3; ++s) {
        if (timedOut[s]) {
            std::printf("window start, %-8s      more than %d s: NOT met\n", names[s], screenTimeout);
            continue;
        }
        double whole = Median(seconds[s]);
        double cost = whole - title;
        std::printf("window start, %-8s      %8.1f ms (%s): the screen costs %.1f ms, %.2f x --reminders "
                    "(target at most %.1f) %s\n",
                    names[s], whole * 1e3, Range(seconds[s]).c_str(), cost * 1e3, cost / load, screenFactor,
                    cost <= screenFactor * load ? "met" : "NOT met");
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: calendar_bench VORLEN WORKDIR (screens too with a DISPLAY, e.g. xvfb-run)\n");
        return 2;
    }
    std::string vorlen = argv[1];
    std::string work = std::string(argv[2]) + "/calendar-bench";
    std::filesystem::create_directories(work);
    std::string dataFile = work + "/events.vor";
    std::string remPath = work + "/events.rem";
    Eventlist events;
    if (!bench::WriteGeneratedDataFile(dataFile, eventCount, &events))
        return 1;
    std::ofstream rem(remPath);
    for (const EventNode& e : events)
        rem << RemLine(e);
    if (!rem.flush()) {
        std::fprintf(stderr, "cannot write %s\n", remPath.c_str());
        return 1;
    }
    int status = BenchMarking(events, remPath);
    if (std::getenv("DISPLAY"))
        BenchScreens(vorlen, work, dataFile);
    if (!std::getenv("KEEP_BENCH_FILE"))
        std::filesystem::remove_all(work);
    return status;
}
