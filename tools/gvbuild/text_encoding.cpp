#include "tools/gvbuild/text_encoding.h"

#include <iconv.h>

#include <vector>

namespace gvbuild {
namespace {

// One conversion through iconv; false at the first byte it cannot take.
bool Convert(const char* to, const char* from, const std::string& text, std::string& converted) {
    iconv_t cd = ::iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return false;
    std::vector<char> out(text.size() * 3 + 1);
    char* in = const_cast<char*>(text.data());
    size_t inLeft = text.size();
    char* next = out.data();
    size_t outLeft = out.size();
    bool done = ::iconv(cd, &in, &inLeft, &next, &outLeft) != static_cast<size_t>(-1);
    ::iconv_close(cd);
    converted.assign(out.data(), next);
    return done;
}

}  // namespace

bool Utf8ToWindows1252(const std::string& text, std::string& converted) {
    return Convert("WINDOWS-1252", "UTF-8", text, converted);
}

std::string Windows1252ToUtf8(const std::string& text) {
    std::string converted;
    if (Convert("UTF-8", "WINDOWS-1252", text, converted))
        return converted;
    converted.clear();
    for (char c : text) {
        std::string one;
        converted += Convert("UTF-8", "WINDOWS-1252", std::string(1, c), one) ? one : "\xEF\xBF\xBD";
    }
    return converted;
}

}  // namespace gvbuild
