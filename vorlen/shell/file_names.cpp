#include "file_names.h"

#include "vorlen/platform/file_io.h"

#include <cctype>

namespace vorlen {
namespace {

bool SameLetter(char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
}

}  // namespace

std::string WithVorExtension(std::string_view name) {
    std::string result(name);
    const std::size_t n = name.size();
    if (n <= 4)
        return result;
    bool looksExtended = SameLetter(name[n - 1], 'r') || SameLetter(name[n - 2], 'o') ||
                         SameLetter(name[n - 3], 'v') || name[n - 4] == '.';
    if (!looksExtended)
        result += ".vor";
    return result;
}

std::string ToWxWildcard(std::string_view filter) {
    if (!filter.empty() && filter.back() == '|')
        filter.remove_suffix(1);
    return std::string(filter);
}

std::string WithDefaultVorExtension(std::string_view chosen) {
    return platform::WithDefaultExtension(chosen, "vor");
}

}  // namespace vorlen
