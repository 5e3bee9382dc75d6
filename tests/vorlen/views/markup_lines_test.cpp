// The reminder markup cut into the lines that the day view's panes show.
#include "vorlen/views/markup_lines.h"

#include <gtest/gtest.h>

namespace vorlen::views {
namespace {

TEST(SplitMarkupLines, EachKindOfBreakEndsOneLine) {
    // "\r\n", a lone "\n", a lone "\r", and "\r" and "\n" with a code between.
    auto lines = SplitMarkupLines(
        "a\r\nb\nc\rd\r\xB7"
        "B\ne\r\n\n");
    EXPECT_EQ(JoinedText(lines), "a\nb\nc\nd\ne\n\n");
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_TRUE(lines[5].runs.empty());
    EXPECT_TRUE(lines[4].runs[0].style.bold);
    EXPECT_EQ(SplitMarkupLines("").size(), 1u);
}

TEST(SplitMarkupLines, AnEmptyLineKeepsTheStyleInEffect) {
    // The blank line between two warnings takes the height then in effect.
    auto lines = SplitMarkupLines(
        "\xB7"
        "H12big\r\n\r\nx");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1].style.height, 12);
    EXPECT_EQ(lines[2].runs[0].style.height, 12);
}

TEST(StyleAt, CountsTheLineBreaks) {
    auto lines = SplitMarkupLines(
        "ab\xB7"
        "C02c\r\n\xB7"
        "Bd");
    EXPECT_EQ(StyleAt(lines, 1).colour, MarkupColourOf(0));
    EXPECT_EQ(StyleAt(lines, 2).colour, MarkupColourOf(2));
    EXPECT_FALSE(StyleAt(lines, 3).bold);  // the break ends the first line
    EXPECT_TRUE(StyleAt(lines, 4).bold);
    EXPECT_TRUE(StyleAt(lines, 99).bold);
}

}  // namespace
}  // namespace vorlen::views
