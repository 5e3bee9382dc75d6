#include "messages.h"

#include <algorithm>
#include <iterator>

namespace gvmain {
namespace {

struct NumberedText {
    int number;
    const char* text;
};

// Sorted by number, as the list is written.
constexpr NumberedText englishMessages[] = {
#define ENGLISH_MESSAGE(number, text) {number, text},
#include "gvmain/resources/english_messages.inc"
#undef ENGLISH_MESSAGE
};

}  // namespace

const char* EnglishMessage(int number) {
    auto found = std::lower_bound(std::begin(englishMessages), std::end(englishMessages), number,
                                  [](const NumberedText& entry, int n) { return entry.number < n; });
    return found != std::end(englishMessages) && found->number == number ? found->text : nullptr;
}

std::string LoadMessage(HMODULE languageDll, int number) {
    if (languageDll) {
        char text[maxMessageLength + 1];
        int length = LoadStringA(languageDll, static_cast<UINT>(number), text, sizeof text);
        if (length > 0)
            return std::string(text, static_cast<size_t>(length));
    }
    const char* english = EnglishMessage(number);
    return english ? english : "";
}

}  // namespace gvmain
