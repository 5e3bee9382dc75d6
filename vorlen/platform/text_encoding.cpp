#include "text_encoding.h"

#include <unicode/ucnv.h>

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

std::string Windows1252ToUtf8(std::string_view text) {
    return Convert("UTF-8", "windows-1252", text);
}

std::string Utf8ToWindows1252(std::string_view text) {
    return Convert("windows-1252", "UTF-8", text);
}

}  // namespace vorlen::platform
