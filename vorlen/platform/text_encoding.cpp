#include "text_encoding.h"

#include <unicode/ucnv.h>

#include <array>
#include <memory>

namespace vorlen::platform {
namespace {

struct ConverterCloser {
    void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

// Through UTF-16, with '?' for what the target code page cannot hold. The
// text comes back unchanged if ICU has no such converter.
std::string Convert(const char* to, const char* from, std::string_view text) {
    if (text.empty())
        return {};
    UErrorCode status = U_ZERO_ERROR;
    Converter source(ucnv_open(from, &status));
    Converter target(ucnv_open(to, &status));
    ucnv_setSubstChars(target.get(), "?", 1, &status);
    if (U_FAILURE(status))
        return std::string(text);
    std::u16string middle(text.size() + 1, u'\0');
    int32_t units = ucnv_toUChars(source.get(), middle.data(), static_cast<int32_t>(middle.size()),
                                  text.data(), static_cast<int32_t>(text.size()), &status);
    std::string out(static_cast<size_t>(units) * 4 + 1, '\0');
    int32_t length = ucnv_fromUChars(target.get(), out.data(), static_cast<int32_t>(out.size()),
                                     middle.data(), units, &status);
    if (U_FAILURE(status))
        return std::string(text);
    out.resize(static_cast<size_t>(length));
    return out;
}

}  // namespace

void AppendWindows1252AsUtf8(std::string_view text, std::string& out) {
    // One byte is one character: a table made once through ICU converts
    // long texts (a day's reminders) many times faster than a converter
    // call. The five bytes Windows-1252 leaves undefined stand for the
    // control characters of the same number, as on Windows.
    static const std::array<std::string, 256> table = [] {
        std::array<std::string, 256> utf8;
        for (int byte = 0; byte < 256; ++byte) {
            char one = static_cast<char>(byte);
            std::string converted = Convert("UTF-8", "windows-1252", std::string_view(&one, 1));
            bool defined = !converted.empty() && converted != "?" && converted != "\xEF\xBF\xBD";
            if (byte == '?' || defined)
                utf8[byte] = converted;
            else
                utf8[byte] = byte < 0x80 ? std::string(1, one)
                                         : std::string{static_cast<char>(0xC0 | (byte >> 6)),
                                                       static_cast<char>(0x80 | (byte & 0x3F))};
        }
        return utf8;
    }();
    size_t plainStart = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned char byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x80)
            continue;  // ASCII is the same in both: copied in runs below
        out.append(text.data() + plainStart, i - plainStart);
        out += table[byte];
        plainStart = i + 1;
    }
    out.append(text.data() + plainStart, text.size() - plainStart);
}

std::string Windows1252ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    AppendWindows1252AsUtf8(text, out);
    return out;
}

std::string Utf8ToWindows1252(std::string_view text) {
    return Convert("windows-1252", "UTF-8", text);
}

}  // namespace vorlen::platform
