// The installer's fifteen languages, the further locale codes that stand
// for them, and the choice of the language of a run from the locale's code
// and the languages the script supports.
#pragma once

#include "gvmain/format/install_script.h"

#include <cstdint>
#include <string>

namespace gvmain {

struct LanguageName {
    const char* name;  // "UK English"
    const char* code;  // "eng": the language DLL is "gv%s.dll" with it
};

// Language `number` (0 to 14); number 3, US English, for any other.
const LanguageName& LanguageOf(int32_t number);

// The number of a locale code ("sLanguage" of win.ini), compared without
// regard to case: one of the fifteen codes, else one of the aliases
// ("ena" is UK English), else 3, US English.
int32_t LanguageOfCode(const std::string& code);

// The locale's language when the script supports it, else the script's
// default language.
int32_t ChooseLanguage(const std::string& localeCode, const LanguageSet& script);

}  // namespace gvmain
