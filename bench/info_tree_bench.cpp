// Opening the information tree on a data file of 100,000 generated events
// under Xvfb: the window program started on the tree screen to its first
// paint, less the same start on the title screen, against `vorlen --info`
// on the same file (its load). Target: the tree costs at most twice the
// load.
#include "bench_support.h"

#include "vorlen/platform/registry_access.h"
#include "vorlen/platform/settings.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using namespace vorlen;

constexpr int eventCount = 100000;
constexpr int runs = 9;
constexpr double loadFactor = 2.0;
constexpr int screenTitle = 0;
constexpr int screenInfoTree = 1;

bool Configure(const std::string& work, const std::string& dataFile, int screen) {
    std::filesystem::remove_all(work + "/config");
    platform::registryAccess key;
    key.Open();
    namespace setting = platform::setting;
    return platform::WriteFileName(key, setting::defaultFile, dataFile) == platform::WriteResult::written &&
           platform::WriteInt(key, setting::initialScreen, screen) == platform::WriteResult::written;
}

std::string Range(const std::vector<double>& seconds) {
    char text[64];
    std::snprintf(text, sizeof text, "%.0f-%.0f ms", *std::min_element(seconds.begin(), seconds.end()) * 1e3,
                  *std::max_element(seconds.begin(), seconds.end()) * 1e3);
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3 || !std::getenv("DISPLAY")) {
        std::fprintf(stderr, "usage: info_tree_bench VORLEN WORKDIR, with a DISPLAY (e.g. under xvfb-run)\n");
        return 2;
    }
    std::string vorlen = argv[1];
    std::string work = std::string(argv[2]) + "/info-tree-bench";
    std::filesystem::create_directories(work);
    std::string dataFile = work + "/events.vor";
    if (!bench::WriteGeneratedDataFile(dataFile, eventCount))
        return 1;
    ::setenv("XDG_CONFIG_HOME", (work + "/config").c_str(), 1);
    ::setenv("XDG_DATA_HOME", (work + "/share").c_str(), 1);
    ::setenv("VORLEN_EXIT_AFTER_FIRST_PAINT", "1", 1);
    std::vector<std::string> window = {"timeout", "60", vorlen, "-u"};
    std::vector<std::string> console = {vorlen, "--info", dataFile};
    std::vector<double> title, tree, load;
    // Interleaved, so that a busy moment hits all three alike; the first
    // round only warms the caches.
    for (int i = -1; i < runs; ++i) {
        for (int screen : {screenTitle, screenInfoTree}) {
            if (!Configure(work, dataFile, screen)) {
                std::fprintf(stderr, "cannot write the settings under %s\n", work.c_str());
                return 1;
            }
            double taken = bench::RunOnce(window);
            if (i >= 0)
                (screen == screenTitle ? title : tree).push_back(taken);
        }
        double taken = bench::RunOnce(console);
        if (i >= 0)
            load.push_back(taken);
    }
    double cost = bench::Median(tree) - bench::Median(title);
    double anchor = bench::Median(load);
    std::printf("opening the information tree with %d events, medians of %d interleaved runs\n", eventCount, runs);
    std::printf("vorlen --info               %8.1f ms (%s)\n", anchor * 1e3, Range(load).c_str());
    std::printf("window start, title screen  %8.1f ms (%s)\n", bench::Median(title) * 1e3, Range(title).c_str());
    std::printf("window start, tree screen   %8.1f ms (%s)\n", bench::Median(tree) * 1e3, Range(tree).c_str());
    std::printf("the tree costs %.1f ms, %.2f x --info (target at most %.1f) %s\n", cost * 1e3, cost / anchor,
                loadFactor, cost <= loadFactor * anchor ? "met" : "NOT met");
    if (!std::getenv("KEEP_BENCH_FILE"))
        std::filesystem::remove_all(work);
    return 0;
}
