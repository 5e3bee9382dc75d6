// Opening the event list screen with 100,000 generated events: the window
// program started on that screen to its first paint, less the same start
// on the title screen, against `vorlen --info` loading the same file.
// Target: the list costs no more than the load (its rows are drawn on
// demand, so the cost must not grow with the text of every event).
#include "bench_support.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

using namespace vorlen;

constexpr int eventCount = 100000;
constexpr int runs = 9;
constexpr int timeout = 60;
constexpr int titleScreen = 0;
constexpr int eventListScreen = 2;

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3 || !std::getenv("DISPLAY")) {
        std::fprintf(stderr, "usage: event_list_bench VORLEN WORKDIR (with a DISPLAY, e.g. xvfb-run)\n");
        return 2;
    }
    std::string vorlen = argv[1];
    std::string work = std::string(argv[2]) + "/event-list-bench";
    std::filesystem::create_directories(work);
    std::string dataFile = work + "/events.vor";
    if (!bench::WriteGeneratedDataFile(dataFile, eventCount))
        return 1;
    bench::ScreenStarts starts = bench::TimeScreenStarts(
        vorlen, work, dataFile, {titleScreen, eventListScreen}, {vorlen, "--info", dataFile}, runs, timeout);
    double load = bench::Median(starts.console);
    double title = bench::Median(starts.seconds[0]);
    std::printf("opening the event list with %d events, medians of %d interleaved runs\n", eventCount, runs);
    std::printf("vorlen --info (load)        %8.1f ms (%s)\n", load * 1e3,
                bench::Range(starts.console).c_str());
    std::printf("window start, title screen  %8.1f ms (%s)\n", title * 1e3,
                bench::Range(starts.seconds[0]).c_str());
    if (starts.timedOut[1]) {
        std::printf("window start, event list    more than %d s: NOT met\n", timeout);
        return 1;
    }
    double whole = bench::Median(starts.seconds[1]);
    double cost = whole - title;
    std::printf(
        "window start, event list    %8.1f ms (%s): the list costs %.1f ms, %.2f x the load (target at "
        "most 1) %s\n",
        whole * 1e3, bench::Range(starts.seconds[1]).c_str(), cost * 1e3, cost / load,
        cost <= load ? "met" : "NOT met");
    if (!std::getenv("KEEP_BENCH_FILE"))
        std::filesystem::remove_all(work);
    return 0;
}
