// `vorlen --reminders` on a data file of 100,000 generated events against
// the `remind` program on a reminder file of the same events (REM lines
// with the same dates, repetitions and advance warnings), both timed as
// whole processes over several runs in the same run. Target: vorlen at
// least twice as fast.
#include "bench_support.h"

#include <unistd.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

using namespace vorlen;
using bench::RemindDate;
using bench::remindDays;
using bench::remindMonths;
using bench::Median;
using bench::RunOnce;

constexpr int eventCount = 100000;
constexpr int runs = 9;
constexpr double targetRatio = 2.0;

// The REM line of an event: its trigger, expiry and advance warning, each
// in the cheapest form remind offers for the rule (a repeat "*7" for a
// weekly event rather than a weekday with FROM, which remind scans for).
std::string RemLine(const EventNode& e) {
    std::string warning = e.warningDays > 0 ? " +" + std::to_string(e.warningDays) : "";
    std::string until = e.rangeEndDate.day != 0 ? " UNTIL " + RemindDate(e.rangeEndDate) : "";
    std::string trigger;
    switch (e.period) {
    case PeriodOnceOff: trigger = RemindDate(e.startDate); break;
    case PeriodWeekly: trigger = RemindDate(e.startDate) + " *7"; break;
    case PeriodBiweekly: trigger = RemindDate(e.startDate) + " *14"; break;
    case PeriodDaily: trigger = RemindDate(e.startDate) + " *" + std::to_string(e.repeatDays); break;
    case PeriodMonthlyByDay: trigger = std::to_string(e.startDate.day); break;
    case PeriodYearly:
        trigger = std::to_string(e.startDate.day) + " " + remindMonths[e.startDate.month - 1];
        break;
    default: {
        const MonthlyPosition& p = e.monthlyPosition;
        trigger = std::string(remindDays[p.weekday - 1]) + " " + std::to_string(1 + 7 * (p.weekOrdinal - 1));
        if (p.monthSel != 0)
            trigger += std::string(" ") + remindMonths[p.monthSel - 1];
    }
    }
    return "REM " + trigger + warning + until + " MSG " + std::string(e.description.view()) + "\n";
}

bool Generate(const std::string& vorPath, const std::string& remPath) {
    Eventlist events;
    if (!bench::WriteGeneratedDataFile(vorPath, eventCount, &events))
        return false;
    std::ofstream rem(remPath);
    for (const EventNode& e : events)
        rem << RemLine(e);
    return static_cast<bool>(rem.flush());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: reminders_bench VORLEN WORKDIR\n");
        return 2;
    }
    std::string vorlen = argv[1];
    std::string vorPath = std::string(argv[2]) + "/reminders-bench.vor";
    std::string remPath = std::string(argv[2]) + "/reminders-bench.rem";
    if (!Generate(vorPath, remPath))
        return 1;

    std::vector<std::string> ours = {vorlen,       "--reminders", vorPath, "--date",
                                     "2026-12-08", "--time",      "09:00"};
    std::vector<std::string> theirs = {"remind", "-q", remPath, "2026-12-08"};
    RunOnce(ours);  // warm the page cache for both
    RunOnce(theirs);
    std::vector<double> oursSeconds, theirsSeconds;
    for (int i = 0; i < runs; ++i) {
        oursSeconds.push_back(RunOnce(ours));
        theirsSeconds.push_back(RunOnce(theirs));
    }
    double vorlenMedian = Median(oursSeconds);
    double remindMedian = Median(theirsSeconds);
    double ratio = remindMedian / vorlenMedian;
    std::printf("reminders for a day from %d events, median of %d runs\n", eventCount, runs);
    std::printf("vorlen --reminders %8.1f ms\nremind             %8.1f ms\n", vorlenMedian * 1e3,
                remindMedian * 1e3);
    std::printf("vorlen is %.2f times as fast (target at least %.1f) %s\n", ratio, targetRatio,
                ratio >= targetRatio ? "met" : "NOT met");
    if (!getenv("KEEP_BENCH_FILE")) {
        unlink(vorPath.c_str());
        unlink(remPath.c_str());
    }
    return 0;
}
