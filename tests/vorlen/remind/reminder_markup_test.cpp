#include "vorlen/remind/reminder_markup.h"

#include <gtest/gtest.h>

namespace vorlen {
namespace {

TEST(ReminderMarkup, CodesToggleAndSetTheStyle) {
    std::vector<MarkupRun> runs = ParseMarkup(
        "a\xB7"
        "Bb\xB7"
        "I\xB7"
        "Uc\xB7"
        "Sd\xB7"
        "B\xB7"
        "Ie");
    ASSERT_EQ(runs.size(), 5u);
    EXPECT_EQ(runs[0].text, "a");
    EXPECT_FALSE(runs[0].style.bold);
    EXPECT_EQ(runs[1].text, "b");
    EXPECT_TRUE(runs[1].style.bold);
    EXPECT_TRUE(runs[2].style.italic);
    EXPECT_TRUE(runs[2].style.underline);
    EXPECT_TRUE(runs[3].style.strikeOut);
    EXPECT_EQ(runs[4].text, "e");
    EXPECT_FALSE(runs[4].style.bold);
    EXPECT_FALSE(runs[4].style.italic);
    EXPECT_TRUE(runs[4].style.underline);
}

TEST(ReminderMarkup, ColoursHeightsAndReset) {
    std::vector<MarkupRun> runs = ParseMarkup(
        "\xB7"
        "C02\xB7H14\xB7"
        "B\xB7Ired\xB7R\tplain");
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].style.colour, (MarkupColour{255, 0, 0}));
    EXPECT_EQ(runs[0].style.height, 14);
    EXPECT_EQ(runs[1].text, "\tplain");
    EXPECT_EQ(runs[1].style.colour, (MarkupColour{0, 0, 0}));
    EXPECT_EQ(runs[1].style.height, 8);
    EXPECT_FALSE(runs[1].style.bold);
    EXPECT_TRUE(runs[1].style.italic);  // reset leaves italic alone

    const std::pair<int, MarkupColour> colours[] = {
        {0, {0, 0, 0}},       {1, {0, 0, 255}},   {3, {0, 255, 0}},    {4, {128, 128, 128}},
        {6, {192, 192, 192}}, {8, {255, 0, 255}}, {10, {255, 255, 0}}, {11, {255, 255, 255}},
        {12, {0, 0, 0}},      {99, {0, 0, 0}}};
    for (auto [index, colour] : colours)
        EXPECT_EQ(MarkupColourOf(index), colour) << index;
}

TEST(ReminderMarkup, UnknownCodesLeaveTheirLetter) {
    std::vector<MarkupRun> runs = ParseMarkup(
        "x\xB7Zy\xB7"
        "C1z\xB7");
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].text, "xZyC1z");
}

TEST(ReminderMarkup, PlainTextDropsCodesAndCarriageReturns) {
    EXPECT_EQ(PlainText("\xB7H10\xB7"
                        "C01Ann\xB7"
                        "C00\xB7R (Birthday)\r\n\xB7R\xB7"
                        "B09:00\xB7R\tDentist\r\n\n"),
              "Ann (Birthday)\n09:00\tDentist\n\n");
    EXPECT_EQ(PlainText(""), "");
    EXPECT_EQ(PlainText("a\rb"), "a\rb");
}

}  // namespace
}  // namespace vorlen
