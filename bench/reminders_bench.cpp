// `vorlen --reminders` on a data file of 100,000 generated events against
// the `remind` program on a reminder file of the same events (REM lines
// with the same dates, repetitions and advance warnings), both timed as
// whole processes over several runs in the same run. Target: vorlen at
// least twice as fast.
#include "vorlen/store/data_file.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <vector>

extern char** environ;

namespace {

using namespace vorlen;

constexpr int eventCount = 100000;
constexpr int runs = 9;
constexpr double targetRatio = 2.0;
const char* const remindDays[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const remindMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                      "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

std::string RemindDate(const Date& d) {
    return std::to_string(d.day) + " " + remindMonths[d.month - 1] + " " + std::to_string(d.year);
}

// The REM line of an event: its trigger, expiry and advance warning.
std::string RemLine(const EventNode& e) {
    std::string warning = e.warningDays > 0 ? " +" + std::to_string(e.warningDays) : "";
    std::string until = e.rangeEndDate.day != 0 ? " UNTIL " + RemindDate(e.rangeEndDate) : "";
    std::string trigger;
    switch (e.period) {
    case PeriodOnceOff: trigger = RemindDate(e.startDate); break;
    case PeriodWeekly:
        trigger = std::string(remindDays[e.startDate.DayOfWeek()]) + " FROM " + RemindDate(e.startDate);
        break;
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
    Typelist types;
    store::DataFile file;
    file.New(vorPath, true, events, types, Date(1, 1, 2026));
    std::mt19937 random(100000);
    auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    const char* categories[] = {"Birthday", "Appointment", "Meeting", "Normal", "Holiday"};
    std::ofstream rem(remPath);
    for (int i = 0; i < eventCount; ++i) {
        EventNode& e = *events.Add();
        e.period = pick(PeriodOnceOff, PeriodMonthlyByPosition);
        e.startDate = Date(pick(1, 28), pick(1, 12), pick(2020, 2027));
        if (e.period != PeriodOnceOff && pick(0, 4) == 0) {
            e.rangeEndDate = e.startDate;
            e.rangeEndDate.AddDays(pick(30, 3000));
        }
        e.warningDays = pick(0, 2) == 0 ? 0 : pick(1, 14);
        e.repeatDays = pick(1, 30);
        e.monthlyPosition = {pick(1, 4), pick(1, 7), pick(0, 3) == 0 ? pick(1, 12) : 0};
        if (pick(0, 3) == 0)
            e.startTime = Time(pick(7, 20), pick(0, 3) * 15);
        e.description = OptionalText("Event number " + std::to_string(i));
        e.typeName = OptionalText(categories[pick(0, 4)]);
        rem << RemLine(e);
    }
    if (file.Save(events, types) && rem.flush())
        return true;
    std::fprintf(stderr, "cannot write %s: %s\n", vorPath.c_str(), file.LastError().c_str());
    return false;
}

// Seconds one run of the command takes, its output thrown away.
double RunOnce(const std::vector<std::string>& command) {
    std::vector<char*> argv;
    for (const std::string& arg : command)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    if (posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
        std::fprintf(stderr, "cannot start %s\n", argv[0]);
        return 0;
    }
    int status = 0;
    waitpid(child, &status, 0);
    posix_spawn_file_actions_destroy(&actions);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        std::fprintf(stderr, "%s failed\n", argv[0]);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
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
