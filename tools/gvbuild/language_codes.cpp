#include "tools/gvbuild/language_codes.h"

#include <strings.h>

#include <array>

namespace gvbuild {
namespace {

constexpr std::array<const char*, 15> codes = {"dan", "deu", "eng", "enu", "esn", "fra", "ita", "nld",
                                               "nor", "sve", "jpn", "fin", "plk", "rus", "ptg"};

}  // namespace

int32_t LanguageNumber(const std::string& code) {
    for (size_t i = 0; i < codes.size(); ++i) {
        if (strcasecmp(codes[i], code.c_str()) == 0)
            return static_cast<int32_t>(i);
    }
    return -1;
}

std::string LanguageCode(int32_t number) {
    return number >= 0 && static_cast<size_t>(number) < codes.size() ? codes[static_cast<size_t>(number)]
                                                                     : "?";
}

}  // namespace gvbuild
