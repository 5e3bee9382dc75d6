#include "tools/lzpunz2/lzp_codec.h"

#include "tests/gvmain/tools/lzp_samples.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace lzp {
namespace {

using testing::RandomBytes;
using testing::TextLike;

// Hands out the input one byte per call, so that the magic, the zlib stream
// and the length are each split across calls.
class OneByteSource : public ByteSource {
public:
    explicit OneByteSource(const std::vector<uint8_t>& data) : data_(data) {}
    size_t Next(const uint8_t*& data) override {
        if (position_ == data_.size())
            return 0;
        data = &data_[position_++];
        return 1;
    }

private:
    const std::vector<uint8_t>& data_;
    size_t position_ = 0;
};

class RefusingSink : public ByteSink {
public:
    bool Put(const uint8_t*, size_t) override {
        ++calls;
        return false;
    }
    int calls = 0;
};

TEST(LzpCodecFormat, MagicThenZlibStreamThenPlainLength) {
    std::vector<uint8_t> plain = TextLike(100000, 1);
    std::vector<uint8_t> packed = Pack(plain, 9);
    ASSERT_GT(packed.size(), 8u);
    EXPECT_EQ(std::memcmp(packed.data(), "LZP2", 4), 0);

    const uint8_t* tail = packed.data() + packed.size() - 4;
    EXPECT_EQ(tail[0] | tail[1] << 8 | tail[2] << 16 | tail[3] << 24, 100000);

    std::vector<uint8_t> inflated(plain.size());
    uLongf inflatedSize = static_cast<uLongf>(inflated.size());
    ASSERT_EQ(
        uncompress(inflated.data(), &inflatedSize, packed.data() + 4, static_cast<uLong>(packed.size() - 8)),
        Z_OK);
    EXPECT_EQ(inflatedSize, plain.size());
    EXPECT_EQ(inflated, plain);
}

TEST(LzpCodecFormat, LevelsTradeSizeForSpeedAndAllUnpack) {
    std::vector<uint8_t> plain = TextLike(200000, 2);
    std::vector<uint8_t> fastest = Pack(plain, minLevel);
    std::vector<uint8_t> smallest = Pack(plain, maxLevel);
    EXPECT_LT(smallest.size(), fastest.size());
    std::vector<uint8_t> unpacked;
    for (const auto* packed : {&fastest, &smallest}) {
        ASSERT_EQ(Unpack(*packed, unpacked), Error::None);
        EXPECT_EQ(unpacked, plain);
    }
}

TEST(LzpCodecStreaming, PiecewisePackingAndByteWiseInputRoundTrip) {
    std::vector<uint8_t> plain = TextLike(70000, 3);
    std::vector<uint8_t> random = RandomBytes(70000, 3);
    plain.insert(plain.end(), random.begin(), random.end());

    std::vector<uint8_t> packed;
    VectorSink sink(packed);
    Packer packer(sink, 6);
    for (size_t offset = 0, piece = 1; offset < plain.size(); offset += piece, piece = piece * 3 + 1) {
        size_t size = std::min(piece, plain.size() - offset);
        ASSERT_EQ(packer.Write(plain.data() + offset, size), Error::None);
    }
    ASSERT_EQ(packer.Finish(), Error::None);

    OneByteSource source(packed);
    Unpacker unpacker(source);
    std::vector<uint8_t> unpacked(plain.size() + 10);
    EXPECT_EQ(unpacker.Read(unpacked.data(), unpacked.size()), static_cast<ptrdiff_t>(plain.size()));
    unpacked.resize(plain.size());
    EXPECT_EQ(unpacked, plain);
    EXPECT_EQ(unpacker.Read(unpacked.data(), unpacked.size()), 0);
    EXPECT_EQ(unpacker.Read(unpacked.data(), unpacked.size()), 0);
}

TEST(LzpCodecStreaming, PackerRejectsBadLevelsAndCallsOutOfOrder) {
    std::vector<uint8_t> plain = TextLike(1000, 4);
    EXPECT_TRUE(Pack(plain, 0).empty());
    EXPECT_TRUE(Pack(plain, 10).empty());

    std::vector<uint8_t> packed;
    VectorSink sink(packed);
    Packer packer(sink, 5);
    EXPECT_EQ(packer.Write(nullptr, 3), Error::Argument);
    EXPECT_EQ(packer.Write(plain.data(), plain.size()), Error::Argument) << "a failed packer stays failed";

    Packer finished(sink, 5);
    ASSERT_EQ(finished.Finish(), Error::None);
    EXPECT_EQ(finished.Write(plain.data(), plain.size()), Error::State);
    EXPECT_EQ(finished.Finish(), Error::State);
}

TEST(LzpCodecStreaming, RefusingSinkStopsThePacking) {
    RefusingSink sink;
    Packer packer(sink, 9);
    std::vector<uint8_t> random = RandomBytes(300000, 5);
    EXPECT_EQ(packer.Write(random.data(), random.size()), Error::Write);
    EXPECT_EQ(packer.Finish(), Error::Write);
    EXPECT_EQ(sink.calls, 1);
}

TEST(LzpCodecStreaming, BadReadArgumentsLeaveTheStreamUsable) {
    std::vector<uint8_t> plain = TextLike(5000, 6);
    std::vector<uint8_t> packed = Pack(plain, 9);
    MemorySource source(packed);
    Unpacker unpacker(source);
    std::vector<uint8_t> unpacked(plain.size());
    EXPECT_EQ(unpacker.Read(unpacked.data(), 0), -1);
    EXPECT_EQ(unpacker.Read(nullptr, 10), -1);
    EXPECT_EQ(unpacker.LastError(), Error::Argument);
    EXPECT_EQ(unpacker.Read(unpacked.data(), unpacked.size()), static_cast<ptrdiff_t>(plain.size()));
    EXPECT_EQ(unpacker.LastError(), Error::None);
    EXPECT_EQ(unpacked, plain);
}

TEST(LzpCodecDamage, EveryCutAndEveryFlippedByteIsAnError) {
    std::vector<uint8_t> packed = Pack(TextLike(2000, 7), 9);
    std::vector<uint8_t> unpacked;
    for (size_t cut = 0; cut < packed.size(); ++cut) {
        std::vector<uint8_t> truncated(packed.begin(), packed.begin() + cut);
        EXPECT_EQ(Unpack(truncated, unpacked), Error::Truncated) << "cut at " << cut;
        EXPECT_TRUE(unpacked.empty());
    }
    for (size_t position = 0; position < packed.size(); ++position) {
        std::vector<uint8_t> damaged = packed;
        damaged[position] ^= 0x5A;
        EXPECT_NE(Unpack(damaged, unpacked), Error::None) << "flipped at " << position;
        EXPECT_TRUE(unpacked.empty());
    }
}

TEST(LzpCodecDamage, BytesAfterTheEndAndWrongLengthsAreData) {
    std::vector<uint8_t> packed = Pack(TextLike(3000, 8), 9);
    std::vector<uint8_t> unpacked;

    std::vector<uint8_t> longer = packed;
    longer.push_back(0);
    EXPECT_EQ(Unpack(longer, unpacked), Error::Data);

    std::vector<uint8_t> wrongLength = packed;
    wrongLength[wrongLength.size() - 4] += 1;
    EXPECT_EQ(Unpack(wrongLength, unpacked), Error::Data);

    std::vector<uint8_t> notPacked = TextLike(3000, 8);
    EXPECT_EQ(Unpack(notPacked, unpacked), Error::Magic);
}

}  // namespace
}  // namespace lzp
