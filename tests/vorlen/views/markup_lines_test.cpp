// The reminder markup cut into the lines that the day view's panes show.
#include "vorlen/views/markup_lines.h"

#include <gtest/gtest.h>

namespace vorlen::views {
namespace {

std::string LineText(const MarkupText& text, size_t line) {
    return text.text.substr(text.lines[line].begin, text.lines[line].end - text.lines[line].begin);
}

TEST(SplitMarkupLines, EachKindOfBreakEndsOneLine) {
    // "\r\n", a lone "\n", a lone "\r", and "\r" and "\n" with a code between.
    MarkupText text = SplitMarkupLines(
        "a\r\nb\nc\rd\r\xB7"
        "B\ne\xB7"
        "Bf\r\n\n");
    EXPECT_EQ(text.text, "a\nb\nc\nd\nef\n\n");
    ASSERT_EQ(text.lines.size(), 7u);
    EXPECT_EQ(LineText(text, 4), "ef");
    EXPECT_EQ(LineText(text, 5), "");
    const MarkupLine& styled = text.lines[4];
    ASSERT_EQ(styled.endSpan - styled.firstSpan, 2u);
    EXPECT_TRUE(text.spans[styled.firstSpan].style.bold);
    EXPECT_FALSE(text.spans[styled.firstSpan + 1].style.bold);
    EXPECT_EQ(SplitMarkupLines("").lines.size(), 1u);
}

TEST(SplitMarkupLines, AnEmptyLineKeepsTheStyleInEffect) {
    // The blank line between two warnings takes the height then in effect.
    MarkupText text = SplitMarkupLines(
        "\xB7"
        "H12big\r\n\r\nx");
    ASSERT_EQ(text.lines.size(), 3u);
    EXPECT_EQ(text.lines[1].style.height, 12);
    EXPECT_EQ(text.lines[1].firstSpan, text.lines[1].endSpan);
    EXPECT_EQ(StyleAt(text, 5).height, 12);
}

TEST(StyleAt, CountsTheLineBreaks) {
    MarkupText text = SplitMarkupLines(
        "ab\xB7"
        "C02c\r\n\xB7"
        "Bd");
    EXPECT_EQ(StyleAt(text, 1).colour, MarkupColourOf(0));
    EXPECT_EQ(StyleAt(text, 2).colour, MarkupColourOf(2));
    EXPECT_FALSE(StyleAt(text, 3).bold);  // the break ends the first line
    EXPECT_TRUE(StyleAt(text, 4).bold);
    EXPECT_TRUE(StyleAt(text, 99).bold);
}

}  // namespace
}  // namespace vorlen::views
