// The program and the arguments of an item's command line: a program path
// in double quotation marks ends at the closing mark, an existing file
// named by the whole line is the program, otherwise the first blank ends it.
#pragma once

#include <string>

namespace gvmain {

struct CommandLine {
    std::string program;
    std::string arguments;
};

CommandLine SplitCommandLine(const std::string& line);
// The short form of an existing path; other text stays as it is.
std::string ShortPath(const std::string& path);

}  // namespace gvmain
