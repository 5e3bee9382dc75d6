#include "gvmain/format/pm_item_description.h"

#include <gtest/gtest.h>

namespace gvmain {
namespace {

ProgramItem FullItem() {
    ProgramItem item;
    item.group = std::string(pmGroupWidth - 1, 'g');
    item.title = "Vorlen";
    item.commandLine = "\"c:\\program files\\vorlen\\vorlen.exe\" /b";
    item.iconPath = std::string(pmPathWidth - 1, 'i');
    item.iconIndex = -2;
    item.x = 64;
    item.y = -1;
    item.workingDirectory = "c:\\vorlen";
    item.hotKey = 0x0641;
    item.minimized = true;
    return item;
}

void ExpectSame(const ProgramItem& a, const ProgramItem& b) {
    EXPECT_EQ(a.group, b.group);
    EXPECT_EQ(a.title, b.title);
    EXPECT_EQ(a.commandLine, b.commandLine);
    EXPECT_EQ(a.iconPath, b.iconPath);
    EXPECT_EQ(a.iconIndex, b.iconIndex);
    EXPECT_EQ(a.x, b.x);
    EXPECT_EQ(a.y, b.y);
    EXPECT_EQ(a.workingDirectory, b.workingDirectory);
    EXPECT_EQ(a.hotKey, b.hotKey);
    EXPECT_EQ(a.minimized, b.minimized);
}

TEST(PmItemDescription, RoundTripsEveryFieldAtItsFullWidthInTheFixedLayout) {
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(EncodeItemDescription(FullItem(), bytes));
    ASSERT_EQ(bytes.size(), programItemDescriptionSize);
    EXPECT_EQ(bytes[128], 'V');    // the title follows the group's 128 bytes
    EXPECT_EQ(bytes[1096], 0xFE);  // icon index -2, little-endian
    EXPECT_EQ(bytes[1108], 0x41);
    EXPECT_EQ(bytes[1110], 1);
    ProgramItem read;
    ASSERT_TRUE(DecodeItemDescription(bytes, read));
    ExpectSame(read, FullItem());
}

TEST(PmItemDescription, ATextTooLongForItsFieldIsRefused) {
    ProgramItem item = FullItem();
    item.title = std::string(pmTitleWidth, 't');
    std::vector<uint8_t> bytes;
    EXPECT_FALSE(EncodeItemDescription(item, bytes));
    EXPECT_TRUE(bytes.empty());
}

TEST(PmItemDescription, BadDataIsRefused) {
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(EncodeItemDescription(FullItem(), bytes));
    ProgramItem read;
    std::vector<uint8_t> shorter(bytes.begin(), bytes.end() - 1);
    EXPECT_FALSE(DecodeItemDescription(shorter, read));
    std::vector<uint8_t> unterminated = bytes;
    std::fill(unterminated.begin() + 256, unterminated.begin() + 576, 'c');
    EXPECT_FALSE(DecodeItemDescription(unterminated, read));
    std::vector<uint8_t> badFlag = bytes;
    badFlag[1110] = 2;
    EXPECT_FALSE(DecodeItemDescription(badFlag, read));
}

}  // namespace
}  // namespace gvmain
