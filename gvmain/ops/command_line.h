// The program and the arguments of an item's command line: a program path
// in double quotation marks ends at the closing mark; otherwise the
// shortest part up to a blank that names an existing file, else the whole
// line when it names one, else the part before the first blank.
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
