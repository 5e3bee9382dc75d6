// The installer's 15 languages, by number, as three-letter codes.
#pragma once

#include <cstdint>
#include <string>

namespace gvbuild {

// The number of the code (compared without regard to case), or -1.
int32_t LanguageNumber(const std::string& code);
// The code of the number 0-14, else "?".
std::string LanguageCode(int32_t number);

}  // namespace gvbuild
