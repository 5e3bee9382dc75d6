#include "gvmain/format/portable_stream.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace gvmain {
namespace {

std::vector<uint8_t> Bytes(std::initializer_list<int> values) {
    return std::vector<uint8_t>(values.begin(), values.end());
}

TEST(PortableStreamInts, ThirtyTwoBitModeIsFourBytesLittleEndian) {
    PortableStream out(IntWidth::Bits32);
    EXPECT_TRUE(out.WriteInt(0x01020304));
    EXPECT_TRUE(out.WriteInt(-2));
    EXPECT_EQ(out.Data(), Bytes({4, 3, 2, 1, 0xFE, 0xFF, 0xFF, 0xFF}));

    PortableStream in(out.Data(), IntWidth::Bits32);
    int32_t value = 0;
    EXPECT_TRUE(in.ReadInt(value));
    EXPECT_EQ(value, 0x01020304);
    EXPECT_TRUE(in.ReadInt(value));
    EXPECT_EQ(value, -2);
    EXPECT_TRUE(in.AtEnd());
}

TEST(PortableStreamInts, SixteenBitModeSignExtendsOnReading) {
    PortableStream in(Bytes({0xFF, 0xFF, 0x00, 0x80, 0xFF, 0x7F, 0x2C, 0x01}), IntWidth::Bits16);
    int32_t value = 0;
    ASSERT_TRUE(in.ReadInt(value));
    EXPECT_EQ(value, -1);
    ASSERT_TRUE(in.ReadInt(value));
    EXPECT_EQ(value, -32768);
    ASSERT_TRUE(in.ReadInt(value));
    EXPECT_EQ(value, 32767);
    ASSERT_TRUE(in.ReadInt(value));
    EXPECT_EQ(value, 300);
    EXPECT_TRUE(in.AtEnd());

    PortableStream out(IntWidth::Bits16);
    EXPECT_TRUE(out.WriteInt(-1));
    EXPECT_TRUE(out.WriteInt(302));
    EXPECT_EQ(out.Data(), Bytes({0xFF, 0xFF, 0x2E, 0x01}));
    EXPECT_FALSE(out.WriteInt(40000));
    EXPECT_TRUE(out.Failed());
    EXPECT_FALSE(out.WriteWord(1));
    EXPECT_EQ(out.Data().size(), 4u);
}

TEST(PortableStreamInts, DwordsAndWordsDoNotDependOnTheMode) {
    for (IntWidth width : {IntWidth::Bits16, IntWidth::Bits32}) {
        PortableStream out(width);
        out.WriteDword(0xFFFFFFFEu);
        out.WriteWord(0xBEEF);
        EXPECT_EQ(out.Data(), Bytes({0xFE, 0xFF, 0xFF, 0xFF, 0xEF, 0xBE}));
        PortableStream in(out.Data(), width);
        uint32_t dword = 0;
        uint16_t word = 0;
        EXPECT_TRUE(in.ReadDword(dword));
        EXPECT_TRUE(in.ReadWord(word));
        EXPECT_EQ(dword, 0xFFFFFFFEu);
        EXPECT_EQ(word, 0xBEEF);
    }
}

TEST(PortableStreamStrings, LengthsUpTo254TakeOneByteAndLongerOnesThree) {
    const size_t lengths[] = {0, 1, 253, 254, 255, 256, 65535};
    for (size_t length : lengths) {
        std::string text(length, 'x');
        if (length > 0)
            text[length - 1] = '\0';  // bytes, not C strings
        PortableStream out;
        ASSERT_TRUE(out.WriteString(text)) << length;
        size_t header = length <= 254 ? 1 : 3;
        ASSERT_EQ(out.Data().size(), header + length) << length;
        if (length <= 254) {
            EXPECT_EQ(out.Data()[0], length);
        } else {
            EXPECT_EQ(out.Data()[0], 255);
            EXPECT_EQ(out.Data()[1], length & 0xFF);
            EXPECT_EQ(out.Data()[2], length >> 8);
        }
        PortableStream in(out.Data(), IntWidth::Bits32);
        std::string back;
        ASSERT_TRUE(in.ReadString(back)) << length;
        EXPECT_EQ(back, text);
        EXPECT_TRUE(in.AtEnd());
    }
    PortableStream out;
    EXPECT_FALSE(out.WriteString(std::string(65536, 'x')));
    EXPECT_TRUE(out.Failed());
}

TEST(PortableStreamStrings, TheLongFormMayAlsoHoldShortStrings) {
    PortableStream in(Bytes({255, 2, 0, 'h', 'i'}), IntWidth::Bits32);
    std::string text;
    ASSERT_TRUE(in.ReadString(text));
    EXPECT_EQ(text, "hi");
}

TEST(PortableStreamBlocks, RoundTripRawBytes) {
    PortableStream out;
    const uint8_t block[] = {0, 1, 2, 255};
    EXPECT_TRUE(out.WriteBlock(block, sizeof block));
    EXPECT_TRUE(out.WriteBlock(nullptr, 0));
    PortableStream in(out.Data(), IntWidth::Bits32);
    uint8_t back[4] = {};
    EXPECT_TRUE(in.ReadBlock(back, sizeof back));
    EXPECT_EQ(std::vector<uint8_t>(back, back + 4), Bytes({0, 1, 2, 255}));
    EXPECT_TRUE(in.ReadBlock(nullptr, 0));
}

TEST(PortableStreamTruncation, ReadsPastTheEndFailAndStayFailed) {
    int32_t value = 0;
    PortableStream shortInt(Bytes({1, 2, 3}), IntWidth::Bits32);
    EXPECT_FALSE(shortInt.ReadInt(value));
    EXPECT_TRUE(shortInt.Failed());
    EXPECT_EQ(shortInt.Position(), 0u);

    PortableStream shortWord(Bytes({1}), IntWidth::Bits16);
    uint16_t word = 0;
    EXPECT_FALSE(shortWord.ReadWord(word));

    PortableStream empty(Bytes({}), IntWidth::Bits32);
    std::string text;
    EXPECT_FALSE(empty.ReadString(text));

    PortableStream shortText(Bytes({5, 'a', 'b'}), IntWidth::Bits32);
    EXPECT_FALSE(shortText.ReadString(text));

    PortableStream shortLongLength(Bytes({255, 9}), IntWidth::Bits32);
    EXPECT_FALSE(shortLongLength.ReadString(text));

    PortableStream hugeLength(Bytes({255, 0xFF, 0xFF, 'a'}), IntWidth::Bits32);
    EXPECT_FALSE(hugeLength.ReadString(text));

    PortableStream shortBlock(Bytes({1, 2}), IntWidth::Bits32);
    uint8_t block[3] = {};
    EXPECT_FALSE(shortBlock.ReadBlock(block, sizeof block));

    // After a failure even a read that would fit fails.
    PortableStream sticky(Bytes({7, 0, 0, 0}), IntWidth::Bits32);
    EXPECT_FALSE(sticky.ReadBlock(block, 5));
    EXPECT_FALSE(sticky.ReadInt(value));
}

TEST(PortableStreamTruncation, EveryPrefixOfARecordFailsCleanly) {
    PortableStream out;
    out.WriteInt(4);
    out.WriteInt(1);
    out.WriteString(std::string(300, 'p'));
    out.WriteDword(77);
    const std::vector<uint8_t>& whole = out.Data();
    for (size_t cut = 0; cut < whole.size(); ++cut) {
        PortableStream in(std::vector<uint8_t>(whole.begin(), whole.begin() + cut), IntWidth::Bits32);
        int32_t kind = 0, mode = 0;
        std::string path;
        uint32_t extra = 0;
        bool ok = in.ReadInt(kind) && in.ReadInt(mode) && in.ReadString(path) && in.ReadDword(extra);
        EXPECT_FALSE(ok) << cut;
    }
}

}  // namespace
}  // namespace gvmain
