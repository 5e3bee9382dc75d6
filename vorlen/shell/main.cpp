// vorlen's entry point: console commands run here; anything else is for
// the window program.
#include "vorlen/core/date_time.h"
#include "vorlen/platform/locale_format.h"
#include "vorlen/shell/console_commands.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    vorlen::platform::SetFormatLocale("");
    vorlen::ReadDateSettingsFromLocale();
    if (vorlen::shell::IsConsoleCommand(args))
        return vorlen::shell::RunConsoleCommand(args, std::cin, std::cout, std::cerr,
                                                vorlen::shell::Teardown::LeaveToProcessExit);
    std::cout << "vorlen: the window program is not built yet; see vorlen --help for the console commands.\n";
    return vorlen::shell::exitOk;
}
