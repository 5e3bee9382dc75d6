// The console commands of vorlen, for scripts and machines without a
// display: long options that the window program never takes.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace vorlen::shell {

// Exit statuses of the console commands.
constexpr int exitOk = 0;
constexpr int exitFailed = 1;  // the command could not be carried out
constexpr int exitUsage = 2;   // unknown option or missing argument

// True when the arguments (without the program name) ask for a console
// command rather than the window program.
bool IsConsoleCommand(const std::vector<std::string>& args);

// What becomes of the loaded lists when a command ends. A process that exits
// right after the command leaves them to the exit: freeing a large database
// record by record takes longer than the exit itself.
enum class Teardown { FreeLists, LeaveToProcessExit };

// Carries out a console command. Texts are written as UTF-8; questions are
// asked on `err` and answered from `in`.
int RunConsoleCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                      std::ostream& err, Teardown teardown = Teardown::FreeLists);

}  // namespace vorlen::shell
