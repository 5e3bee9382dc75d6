// The window program's start under Xvfb: from process start to the first
// painted main frame, with a data file of 100,000 generated events and the
// title screen as the first screen. Anchors measured in the same run: a
// minimal wxWidgets frame program, and `vorlen --info` on the same file
// (its load). Target: vorlen's start costs no more than the minimal
// frame's start plus 1.5 times the file load.
#include "bench_support.h"

#include "vorlen/platform/registry_access.h"
#include "vorlen/platform/settings.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using namespace vorlen;

constexpr int eventCount = 100000;
constexpr int runs = 9;
constexpr double loadFactor = 1.5;

bool Configure(const std::string& work, const std::string& dataFile) {
    ::setenv("XDG_CONFIG_HOME", (work + "/config").c_str(), 1);
    ::setenv("XDG_DATA_HOME", (work + "/share").c_str(), 1);
    std::filesystem::remove_all(work + "/config");
    platform::registryAccess key;
    key.Open();
    namespace setting = platform::setting;
    return platform::WriteFileName(key, setting::defaultFile, dataFile) == platform::WriteResult::written &&
           platform::WriteInt(key, setting::initialScreen, 0) == platform::WriteResult::written;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4 || !std::getenv("DISPLAY")) {
        std::fprintf(stderr, "usage: startup_bench VORLEN MINIMAL_FRAME WORKDIR (with a DISPLAY, e.g. xvfb-run)\n");
        return 2;
    }
    std::string vorlen = argv[1];
    std::string minimal = argv[2];
    std::string work = std::string(argv[3]) + "/startup-bench";
    std::filesystem::create_directories(work);
    std::string dataFile = work + "/events.vor";
    if (!bench::WriteGeneratedDataFile(dataFile, eventCount) || !Configure(work, dataFile)) {
        std::fprintf(stderr, "cannot prepare %s\n", work.c_str());
        return 1;
    }
    ::setenv("VORLEN_EXIT_AFTER_FIRST_PAINT", "1", 1);
    std::vector<std::string> window = {vorlen};
    std::vector<std::string> frame = {minimal};
    std::vector<std::string> load = {vorlen, "--info", dataFile};
    bench::RunOnce(window);  // warm the caches for all three
    bench::RunOnce(frame);
    bench::RunOnce(load);
    std::vector<double> windowSeconds, frameSeconds, loadSeconds;
    for (int i = 0; i < runs; ++i) {
        windowSeconds.push_back(bench::RunOnce(window));
        frameSeconds.push_back(bench::RunOnce(frame));
        loadSeconds.push_back(bench::RunOnce(load));
    }
    double ours = bench::Median(windowSeconds);
    double minimalFrame = bench::Median(frameSeconds);
    double fileLoad = bench::Median(loadSeconds);
    double target = minimalFrame + loadFactor * fileLoad;
    std::printf("window start to first paint with %d events, median of %d runs\n", eventCount, runs);
    std::printf("vorlen                %8.1f ms\nminimal wx frame      %8.1f ms\nvorlen --info (load)  %8.1f ms\n",
                ours * 1e3, minimalFrame * 1e3, fileLoad * 1e3);
    std::printf("target: frame + %.1f x load = %.1f ms; vorlen uses %.0f %% of it %s\n", loadFactor, target * 1e3,
                100 * ours / target, ours <= target ? "met" : "NOT met");
    if (!std::getenv("KEEP_BENCH_FILE"))
        std::filesystem::remove_all(work);
    return 0;
}
