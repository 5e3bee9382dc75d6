#include "gvmain/engine/control_file.h"

#include <windows.h>

#include <sstream>

namespace gvmain {
namespace {

constexpr char section[] = "x";

std::string ReadKey(const std::string& path, const char* key, DWORD length) {
    std::string value(length + 1, '\0');
    DWORD got = ::GetPrivateProfileStringA(section, key, "", value.data(), length + 1, path.c_str());
    value.resize(got);
    return value;
}

}  // namespace

ControlFile ReadControlFile(const std::string& path) {
    ControlFile control;
    control.sourceDirectory = ReadKey(path, "p", MAX_PATH);
    control.commandLine = ReadKey(path, "cmdl", 512);
    control.sz = static_cast<int32_t>(::GetPrivateProfileIntA(section, "sz", 0, path.c_str()));
    return control;
}

bool WriteRunResult(const std::string& path, int32_t result) {
    return ::WritePrivateProfileStringA(section, "r", std::to_string(result).c_str(), path.c_str()) != 0;
}

bool IsUnattended(const std::string& commandLine) {
    std::istringstream words(commandLine);
    std::string word;
    while (words >> word) {
        if (word == "/S" || word == "/s") {
            return true;
        }
    }
    return false;
}

}  // namespace gvmain
