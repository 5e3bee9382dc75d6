// Shared pieces of the benchmarks: the generated events, whole-process
// timing and the median.
#pragma once

#include "vorlen/core/event_list.h"
#include "vorlen/store/data_file.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

extern char** environ;

namespace vorlen::bench {

// `count` events of every period, some timed, some with expiry and
// warnings, in five categories; the same events for the same seed.
inline void GenerateEvents(Eventlist& events, int count, unsigned seed = 100000) {
    std::mt19937 random(seed);
    auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    const char* categories[] = {"Birthday", "Appointment", "Meeting", "Normal", "Holiday"};
    for (int i = 0; i < count; ++i) {
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
    }
}

// Writes a data file of `count` generated events; false, with a message,
// when it cannot be written.
inline bool WriteGeneratedDataFile(const std::string& path, int count, Eventlist* keep = nullptr) {
    Eventlist events;
    Typelist types;
    store::DataFile file;
    file.New(path, true, events, types, Date(1, 1, 2026));
    GenerateEvents(events, count);
    bool saved = file.Save(events, types);
    if (!saved)
        std::fprintf(stderr, "cannot write %s: %s\n", path.c_str(), file.LastError().c_str());
    if (keep)
        keep->Splice(events);
    return saved;
}

// Seconds one run of the command takes, its output thrown away.
inline double RunOnce(const std::vector<std::string>& command) {
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

// Names and dates as the remind program writes them in REM lines.
inline const char* const remindDays[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
inline const char* const remindMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                             "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

inline std::string RemindDate(const Date& d) {
    return std::to_string(d.day) + " " + remindMonths[d.month - 1] + " " + std::to_string(d.year);
}

inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace vorlen::bench
