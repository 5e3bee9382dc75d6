#include "vorlen/platform/locale_format.h"

#include "vorlen/core/date_time.h"

#include "../core/date_settings_guard.h"

#include <gtest/gtest.h>

namespace vorlen::platform {
namespace {

class LocaleFormat : public ::testing::Test {
protected:
    void TearDown() override { SetFormatLocale("en_US_POSIX"); }
};

struct Expected {
    const char* locale;
    int order;
    char separator;
    int clock24;
};

TEST_F(LocaleFormat, OrderSeparatorAndClockComeFromTheLocalePatterns) {
    const Expected cases[] = {
        {"en_GB", 1, '/', 1}, {"en_US", 0, '/', 0}, {"de_DE", 1, '.', 1},
        {"ja_JP", 2, '/', 1}, {"nl_NL", 1, '-', 1}, {"fr_FR", 1, '/', 1},
    };
    for (const Expected& c : cases) {
        SetFormatLocale(c.locale);
        LocaleDateSettings settings = ReadLocaleDateSettings();
        EXPECT_EQ(settings.dateOrder, c.order) << c.locale;
        EXPECT_EQ(settings.dateSeparator, c.separator) << c.locale;
        EXPECT_EQ(settings.time24Hour, c.clock24) << c.locale;
    }
}

TEST(DatePatternSeparator, BlanksBeforeTheSeparatorAreSkipped) {
    EXPECT_EQ(SeparatorOf("dd .MM.yy"), '.');
    EXPECT_EQ(SeparatorOf("d - M - y"), '-');
    EXPECT_EQ(SeparatorOf("y'\xE5\xB9\xB4'M"), '/');  // a quoted literal is no separator
    EXPECT_EQ(SeparatorOf("dMMy"), '/');
}

TEST_F(LocaleFormat, StartUpTakesTheSettingsIntoTheDateTexts) {
    test::DateSettingsGuard restore(dateOrder, dateSeparator, time24Hour);
    SetFormatLocale("de_DE");
    ReadDateSettingsFromLocale();
    EXPECT_EQ(Date(2, 3, 1998).Text(), "02.03.1998");
    EXPECT_EQ(Time(14, 5).Text(), "14:05");
    SetFormatLocale("en_US");
    ReadDateSettingsFromLocale();
    EXPECT_EQ(Date(2, 3, 1998).Text(), "03/02/1998");
    EXPECT_EQ(Time(14, 5).Text(), "02:05 pm");
}

TEST_F(LocaleFormat, EnvironmentNamesLoseTheirCodesetAndModifier) {
    SetFormatLocale("de_DE.UTF-8@euro");
    EXPECT_EQ(FormatLocaleName(), "de_DE");
    SetFormatLocale("C");
    EXPECT_EQ(FormatLocaleName(), "en_US_POSIX");
}

TEST_F(LocaleFormat, ShortAndLongDateTexts) {
    SetFormatLocale("en_US");
    EXPECT_EQ(LocaleDateText(1998, 3, 2, false, 20), "3/2/98");
    EXPECT_EQ(LocaleDateText(1998, 3, 2, true, 40), "Monday, March 2, 1998");
    SetFormatLocale("en_GB");
    EXPECT_EQ(Date(2, 3, 1998).LocaleShortText(), "02/03/1998");
    EXPECT_EQ(Date(2, 3, 1998).LocaleLongText(), "Monday, 2 March 1998");
    SetFormatLocale("de_DE");
    EXPECT_EQ(Date(2, 3, 1998).LocaleShortText(), "02.03.98");
    EXPECT_EQ(Date(31, 12, 3000).LocaleShortText(), "31.12.00");
}

TEST_F(LocaleFormat, TextsAreWindows1252AndBounded) {
    SetFormatLocale("fr_FR");
    // "février" and "décembre" carry e-acute, one byte in Windows-1252.
    std::string text = Date(2, 2, 1998).LocaleLongText();
    EXPECT_EQ(text, "lundi 2 f\xE9vrier 1998");
    EXPECT_LE(LocaleDateText(1998, 9, 30, true, 10).size(), 10u);
    SetFormatLocale("ja_JP");
    // Japanese characters have no Windows-1252 form and become '?'.
    EXPECT_EQ(Date(2, 3, 1998).LocaleLongText().find_first_of("?") != std::string::npos, true);
}

}  // namespace
}  // namespace vorlen::platform
