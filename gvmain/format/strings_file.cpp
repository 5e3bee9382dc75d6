#include "gvmain/format/strings_file.h"

#include <fstream>
#include <map>

namespace gvmain {
namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

// The first line of a name wins, as with INI look-ups.
bool ReadStrings(const std::string& path, std::map<std::string, std::string>& strings) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return false;
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        size_t equals = line.find('=');
        if (equals != std::string::npos)
            strings.emplace(line.substr(0, equals), line.substr(equals + 1));
    }
    return true;
}

}  // namespace

bool LoadStrings(const std::string& path, const std::string& text, Variables& variables,
                 const ErrorReport& report) {
    std::map<std::string, std::string> strings;
    if (!ReadStrings(path, strings)) {
        report(FillIn(unableToOpenMessage, path));
        return false;
    }
    for (const std::string& line : Lines(text)) {
        if (line.empty())
            continue;
        std::string name;
        if (!ExpandText(line, variables, name, report))
            return false;
        if (variables.StringVariable(name) == nullptr) {
            report(FillIn(unknownVariableMessage, name));
            return false;
        }
        auto found = strings.find(name);
        if (found == strings.end()) {
            report(FillIn(noStringMessage, name));
            return false;
        }
        variables.SetString(name, found->second);
    }
    return true;
}

}  // namespace gvmain
