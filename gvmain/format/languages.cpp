#include "gvmain/format/languages.h"

#include <cctype>

namespace gvmain {
namespace {

constexpr LanguageName languages[languageCount] = {
    {"Danish", "dan"},    {"German", "deu"},  {"UK English", "eng"}, {"US English", "enu"},
    {"Spanish", "esn"},   {"French", "fra"},  {"Italian", "ita"},    {"Dutch", "nld"},
    {"Norwegian", "nor"}, {"Swedish", "sve"}, {"Japanese", "jpn"},   {"Finish", "fin"},
    {"Polish", "plk"},    {"Russian", "rus"}, {"Portuguese", "ptg"},
};

struct Alias {
    const char* code;
    int32_t number;
};

// Ends with "xxx", as the table always has.
constexpr Alias aliases[] = {
    {"ena", 2}, {"eni", 2}, {"enz", 2}, {"ens", 2}, {"enc", 3}, {"frb", 5}, {"frc", 5},  {"frl", 5},
    {"frs", 5}, {"dea", 1}, {"dec", 1}, {"del", 1}, {"des", 1}, {"its", 6}, {"non", 8},  {"nlb", 7},
    {"ess", 4}, {"esl", 4}, {"eso", 4}, {"esc", 4}, {"esd", 4}, {"esf", 4}, {"esg", 4},  {"esm", 4},
    {"esa", 4}, {"esz", 4}, {"esr", 4}, {"esp", 4}, {"esy", 4}, {"esv", 4}, {"ptb", 14}, {"xxx", -1},
};

bool SameCode(const std::string& code, const char* known) {
    size_t i = 0;
    for (; known[i] != '\0'; ++i) {
        if (i >= code.size() || std::tolower(static_cast<unsigned char>(code[i])) != known[i]) {
            return false;
        }
    }
    return i == code.size();
}

}  // namespace

const LanguageName& LanguageOf(int32_t number) {
    return number >= 0 && number < languageCount ? languages[number] : languages[usEnglish];
}

int32_t LanguageOfCode(const std::string& code) {
    for (int32_t number = 0; number < languageCount; ++number) {
        if (SameCode(code, languages[number].code)) {
            return number;
        }
    }
    for (const Alias& alias : aliases) {
        if (alias.number >= 0 && SameCode(code, alias.code)) {
            return alias.number;
        }
    }
    return usEnglish;
}

int32_t ChooseLanguage(const std::string& localeCode, const LanguageSet& script) {
    int32_t number = LanguageOfCode(localeCode);
    return script.supported[number] ? number : script.defaultLanguage;
}

}  // namespace gvmain
