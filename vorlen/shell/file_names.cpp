#include "file_names.h"

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
    if (chosen.empty())
        return {};
    std::size_t base = chosen.find_last_of('/');
    base = base == std::string_view::npos ? 0 : base + 1;
    std::size_t dot = chosen.find_last_of('.');
    bool hasExtension = dot != std::string_view::npos && dot > base && dot + 1 < chosen.size();
    return hasExtension ? std::string(chosen) : std::string(chosen) + (chosen.back() == '.' ? "vor" : ".vor");
}

}  // namespace vorlen
