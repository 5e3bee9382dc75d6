// vorlen's entry point: console commands run here, without the window
// toolkit; any other command line starts the window program, which lies
// beside this one as "vorlen-window".
#include "vorlen/core/date_time.h"
#include "vorlen/platform/locale_format.h"
#include "vorlen/shell/console_commands.h"

#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr char windowProgram[] = "vorlen-window";

// The window program, started with this program's own full path as its
// first word: that is the command the desktop is told to open files with.
int StartWindowProgram(char** argv) {
    char self[PATH_MAX];
    ssize_t length = ::readlink("/proc/self/exe", self, sizeof self - 1);
    if (length <= 0) {
        std::cerr << "vorlen: cannot find the program's own file: " << std::strerror(errno) << "\n";
        return vorlen::shell::exitFailed;
    }
    self[length] = '\0';
    std::string path(self);
    std::string window = path.substr(0, path.rfind('/') + 1) + windowProgram;
    argv[0] = self;
    ::execv(window.c_str(), argv);
    std::cerr << "vorlen: cannot start " << window << ": " << std::strerror(errno) << "\n";
    return vorlen::shell::exitFailed;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (!vorlen::shell::IsConsoleCommand(args))
        return StartWindowProgram(argv);
    vorlen::platform::SetFormatLocale("");
    vorlen::ReadDateSettingsFromLocale();
    return vorlen::shell::RunConsoleCommand(args, std::cin, std::cout, std::cerr,
                                            vorlen::shell::Teardown::LeaveToProcessExit);
}
