// Shared pieces of the benchmarks: the generated events, whole-process
// timing, the median, and the window program's start on a chosen screen.
#pragma once

#include "vorlen/core/event_list.h"
#include "vorlen/platform/registry_access.h"
#include "vorlen/platform/settings.h"
#include "vorlen/store/data_file.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
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

// "min-max ms" of the runs.
inline std::string Range(const std::vector<double>& seconds) {
    char text[64];
    std::snprintf(text, sizeof text, "%.0f-%.0f ms", *std::min_element(seconds.begin(), seconds.end()) * 1e3,
                  *std::max_element(seconds.begin(), seconds.end()) * 1e3);
    return text;
}

// Fresh settings under `work` that open `dataFile` on `screen`.
inline bool ConfigureScreen(const std::string& work, const std::string& dataFile, int screen) {
    std::filesystem::remove_all(work + "/config");
    platform::registryAccess key;
    key.Open();
    namespace setting = platform::setting;
    return platform::WriteFileName(key, setting::defaultFile, dataFile) == platform::WriteResult::written &&
           platform::WriteInt(key, setting::initialScreen, screen) == platform::WriteResult::written;
}

struct ScreenStarts {
    std::vector<std::vector<double>> seconds;  // per screen, one per round
    std::vector<bool> timedOut;                // per screen
    std::vector<double> console;               // the console command's runs
};

// The window program `vorlen` started on each of `screens` to its first
// paint, interleaved with the others and with the console command, so that
// a busy moment hits all alike; a first round warms the caches. A screen
// whose start takes `timeout` seconds or more is marked and left out of the
// later rounds.
inline ScreenStarts TimeScreenStarts(const std::string& vorlen, const std::string& work,
                                     const std::string& dataFile, const std::vector<int>& screens,
                                     const std::vector<std::string>& console, int runs, int timeout) {
    ::setenv("XDG_CONFIG_HOME", (work + "/config").c_str(), 1);
    ::setenv("XDG_DATA_HOME", (work + "/share").c_str(), 1);
    ::setenv("VORLEN_EXIT_AFTER_FIRST_PAINT", "1", 1);
    ScreenStarts starts{std::vector<std::vector<double>>(screens.size()), std::vector<bool>(screens.size()), {}};
    std::vector<std::string> window = {"timeout", std::to_string(timeout), vorlen, "-u"};
    for (int i = -1; i < runs; ++i) {
        for (size_t s = 0; s < screens.size(); ++s) {
            if (starts.timedOut[s])
                continue;
            if (!ConfigureScreen(work, dataFile, screens[s]))
                std::fprintf(stderr, "cannot write the settings under %s\n", work.c_str());
            double taken = RunOnce(window);
            starts.timedOut[s] = taken >= timeout;
            if (i >= 0)
                starts.seconds[s].push_back(taken);
        }
        double taken = RunOnce(console);
        if (i >= 0)
            starts.console.push_back(taken);
    }
    return starts;
}

}  // namespace vorlen::bench
