#include "gvmain/ops/command_line.h"

#include "gvmain/ops/file_names.h"

#include <windows.h>

namespace gvmain {
namespace {

std::string TrimmedLeft(const std::string& text) {
    size_t start = text.find_first_not_of(" \t");
    return start == std::string::npos ? std::string() : text.substr(start);
}

}  // namespace

CommandLine SplitCommandLine(const std::string& line) {
    std::string text = TrimmedLeft(line);
    if (!text.empty() && text[0] == '"') {
        size_t close = text.find('"', 1);
        if (close != std::string::npos) {
            return {text.substr(1, close - 1), TrimmedLeft(text.substr(close + 1))};
        }
    }
    // As the system itself reads an unquoted line: the shortest part up to
    // a blank that names an existing file is the program.
    for (size_t blank = text.find_first_of(" \t"); blank != std::string::npos;
         blank = text.find_first_of(" \t", blank + 1)) {
        std::string program = text.substr(0, blank);
        if (PathExists(program) && !DirectoryExists(program)) {
            return {program, TrimmedLeft(text.substr(blank + 1))};
        }
    }
    size_t blank = text.find_first_of(" \t");
    if (blank == std::string::npos || PathExists(text)) {
        return {text, std::string()};
    }
    return {text.substr(0, blank), TrimmedLeft(text.substr(blank + 1))};
}

std::string ShortPath(const std::string& path) {
    char shortPath[MAX_PATH];
    DWORD length = ::GetShortPathNameA(path.c_str(), shortPath, sizeof shortPath);
    return length > 0 && length < sizeof shortPath ? std::string(shortPath, length) : path;
}

}  // namespace gvmain
