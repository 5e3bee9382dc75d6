// Two runs of the real program on one X display, driven from outside with
// real key presses as a user would: one copies an event as vCalendar, the
// other pastes it and saves its file, which is then read back.
#include "tests/vorlen/e2e/x_selection.h"
#include "tests/vorlen/support/config_home.h"
#include "tests/vorlen/support/temp_dir.h"
#include "tests/vorlen/support/time_zone_guard.h"
#include "vorlen/platform/registry_access.h"
#include "vorlen/platform/settings.h"
#include "vorlen/store/data_file.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace vorlen {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr int eventListScreen = 2;

// A started process, killed if the test leaves it running.
class Process {
public:
    // Standard output goes to `output` (a file), standard error with it.
    Process(const std::vector<std::string>& command, const std::string& output) {
        std::vector<char*> argv;
        for (const std::string& arg : command)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
        if (posix_spawnp(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0)
            pid_ = 0;
        posix_spawn_file_actions_destroy(&actions);
    }
    ~Process() {
        if (pid_ > 0 && !status_) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    pid_t Pid() const { return pid_; }

    // The exit code, or none when it did not end normally within `limit`.
    std::optional<int> Wait(std::chrono::milliseconds limit) {
        for (auto end = Clock::now() + limit; !status_ && pid_ > 0; std::this_thread::sleep_for(20ms)) {
            int status = 0;
            if (::waitpid(pid_, &status, WNOHANG) == pid_)
                status_ = status;
            else if (Clock::now() > end)
                break;
        }
        if (!status_ || !WIFEXITED(*status_))
            return std::nullopt;
        return WEXITSTATUS(*status_);
    }

private:
    pid_t pid_ = 0;
    std::optional<int> status_;
};

// Runs xdotool, each wait bounded; its output, or none when it failed.
std::optional<std::string> Xdotool(const std::vector<std::string>& args, const std::string& scratch) {
    std::string output = scratch + "/xdotool.out";
    ::unlink(output.c_str());
    std::vector<std::string> command = {"timeout", "10", "xdotool"};
    command.insert(command.end(), args.begin(), args.end());
    Process run(command, output);
    std::optional<int> code = run.Wait(15s);
    if (code != 0)
        return std::nullopt;
    return test::ReadFile(output);
}

class FailingPrompts : public store::DataFilePrompts {
public:
    bool AskYesNo(std::string_view caption, std::string_view text) override {
        ADD_FAILURE() << caption << ": " << text;
        return false;
    }
    void Notify(std::string_view caption, std::string_view text) override {
        ADD_FAILURE() << caption << ": " << text;
    }
};

std::string TimeText(const Time& time) {
    return time.IsValid() ? std::to_string(time.hour) + ":" + std::to_string(time.minute) : "none";
}

// What a vCalendar copy carries of an event.
std::string Carried(const EventNode& e) {
    return std::string(e.description.view()) + " | " + e.startDate.CompactText() + " " +
           TimeText(e.startTime) + " | " + (e.endDate.day ? e.endDate.CompactText() : "none") + " " +
           TimeText(e.endTime) + " | " + std::string(e.location.view()) + " | " +
           std::string(e.extraInfo.view());
}

class TwoRunsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "run under Xvfb";
        // This runner's own environment: nothing of the user's desktop is
        // touched, settings (the guard) and data alike.
        ::setenv("XDG_DATA_HOME", dir.File("share").c_str(), 1);
        platform::registryAccess key;
        key.Open();
        // Set up, so that no first-run wizard appears; the file to open
        // is each run's argument.
        platform::WriteFileName(key, platform::setting::defaultFile, dir.File("a.vor"));
        platform::WriteInt(key, platform::setting::initialScreen, eventListScreen);
    }

    // A data file with these events, made as the program makes one.
    void WriteDataFile(const std::string& name, const std::vector<EventFields>& contents) {
        Eventlist events;
        Typelist types;
        store::DataFile file;
        ASSERT_TRUE(file.New(dir.File(name), true, events, types, Date(1, 1, 1998)));
        while (events.head)
            events.Remove(events.head);  // not the welcome event
        for (const EventFields& fields : contents)
            static_cast<EventFields&>(*events.Add()) = fields;
        ASSERT_TRUE(file.Save(events, types)) << file.LastError();
    }

    void ReadDataFile(const std::string& name, Eventlist& events) {
        Typelist types;
        store::DataFile file;
        file.SetFileName(dir.File(name).c_str());
        FailingPrompts prompts;
        EXPECT_EQ(file.Load(events, types, prompts), store::loadedData);
    }

    // The program started as a user starts it, on the event list of `file`;
    // its window once shown.
    std::string StartOn(std::unique_ptr<Process>& run, const std::string& file) {
        run = std::make_unique<Process>(std::vector<std::string>{VORLEN_PROGRAM, dir.File(file), "-u"},
                                        dir.File("program.log"));
        std::optional<std::string> window = Xdotool({"search", "--sync", "--all", "--onlyvisible", "--pid",
                                                     std::to_string(run->Pid()), "--name", "Event List"},
                                                    dir.Path());
        return window ? window->substr(0, window->find('\n')) : std::string();
    }

    // Real key presses into `window`, which gets the focus first.
    bool Type(const std::string& window, std::vector<std::string> keys) {
        if (!Xdotool({"windowfocus", "--sync", window}, dir.Path()))
            return false;
        keys.insert(keys.begin(), {"key", "--delay", "50"});
        return Xdotool(keys, dir.Path()).has_value();
    }

    std::string Log() { return test::ReadFile(dir.File("program.log")); }

    test::ConfigHomeGuard home;
    test::TempDir dir;
    // Times in UTC fall on the day before: the copy must not shift them.
    test::TimeZoneGuard zone{"Australia/Sydney"};
};

EventFields Event(const char* description, Date start, Time startTime, Date end, Time endTime,
                  const char* location, const char* extra) {
    EventFields e;
    e.period = PeriodOnceOff;
    e.startDate = start;
    e.startTime = startTime;
    e.endDate = end;
    e.endTime = endTime;
    e.description = OptionalText(description);
    e.typeName = OptionalText("Appointment");
    e.location = OptionalText(location);
    e.extraInfo = OptionalText(extra);
    return e;
}

TEST_F(TwoRunsTest, AnEventCopiedAsVCalendarInOneRunIsPastedAndSavedByAnother) {
    EventFields first =
        Event("Dentist", Date(10, 3, 1998), Time(9, 30), Date(), Time(10, 15), "Main St 4", "");
    EventFields second = Event("Board meeting", Date(2, 4, 1998), Time(8, 0), Date(3, 4, 1998), Time(17, 30),
                               "Room 2", "Bring the budget");
    WriteDataFile("a.vor", {first, second});
    WriteDataFile("b.vor", {Event("Already there", Date(1, 5, 1998), Time(), Date(), Time(), "", "")});

    std::unique_ptr<Process> a;
    std::unique_ptr<Process> b;
    std::string windowA = StartOn(a, "a.vor");
    ASSERT_FALSE(windowA.empty()) << Log();
    std::string windowB = StartOn(b, "b.vor");
    ASSERT_FALSE(windowB.empty()) << Log();

    // The second row, then Copy As vCalendar (Ctrl+V).
    ASSERT_TRUE(Type(windowA, {"Home", "Down", "ctrl+v"}));
    ASSERT_TRUE(test::WaitForClipboardOwner(10s)) << Log();
    // Paste (Shift+Ins), Save (Alt+S), Exit (Alt+F4); A keeps the clipboard
    // meanwhile, as X has none without its owner.
    ASSERT_TRUE(Type(windowB, {"shift+Insert", "alt+s", "alt+F4"}));
    EXPECT_EQ(b->Wait(10s), 0) << Log();
    ASSERT_TRUE(Type(windowA, {"alt+F4"}));
    EXPECT_EQ(a->Wait(10s), 0) << Log();

    Eventlist saved;
    ReadDataFile("b.vor", saved);
    ASSERT_EQ(saved.count, 2) << Log();
    EXPECT_EQ(saved.head->description, "Already there");
    EventNode copied;
    static_cast<EventFields&>(copied) = second;
    EXPECT_EQ(Carried(*saved.tail), Carried(copied));
}

}  // namespace
}  // namespace vorlen
