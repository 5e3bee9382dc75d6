#include "gvmain/format/languages.h"

#include <gtest/gtest.h>

namespace gvmain {
namespace {

TEST(Languages, CodesAliasesAndUnknownCodes) {
    EXPECT_EQ(LanguageOfCode("ENA"), 2);  // an alias, in any case
    EXPECT_STREQ(LanguageOf(LanguageOfCode("ena")).name, "UK English");
    EXPECT_EQ(LanguageOfCode("ptb"), 14);
    EXPECT_EQ(LanguageOfCode("Esv"), 4);
    EXPECT_EQ(LanguageOfCode("fin"), 11);
    EXPECT_STREQ(LanguageOf(11).name, "Finish");
    EXPECT_EQ(LanguageOfCode("xyz"), usEnglish);
    EXPECT_EQ(LanguageOfCode("xxx"), usEnglish);  // the table's end mark is no language
    EXPECT_EQ(LanguageOfCode("en"), usEnglish);   // a leading part is no match
    EXPECT_EQ(LanguageOfCode("enux"), usEnglish);
    EXPECT_STREQ(LanguageOf(-1).code, "enu");
}

TEST(Languages, AnUnsupportedLanguageFallsBackToTheScriptsDefault) {
    LanguageSet script;
    script.supported[3] = true;
    script.supported[2] = true;
    script.supported[1] = true;
    script.defaultLanguage = 1;
    EXPECT_EQ(ChooseLanguage("ena", script), 2);
    EXPECT_EQ(ChooseLanguage("unknown", script), 3);
    EXPECT_EQ(ChooseLanguage("fra", script), 1);
    script.supported[3] = false;
    EXPECT_EQ(ChooseLanguage("unknown", script), 1);
}

}  // namespace
}  // namespace gvmain
