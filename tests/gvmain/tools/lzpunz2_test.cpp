// lzpunz2.dll as the installer meets it: loaded by name, entry points looked
// up by their plain names, packed bytes fed one per callback.
#include "tools/lzpunz2/lzpunz2.h"

#include "tests/gvmain/tools/lzp_samples.h"
#include "tools/lzpunz2/lzp_codec.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace lzp {
namespace {

using testing::RandomBytes;
using testing::TextLike;

struct Api {
    decltype(&LzpUnzOpen) unzOpen = nullptr;
    decltype(&LzpUnzRead) unzRead = nullptr;
    decltype(&LzpUnzClose) unzClose = nullptr;
    decltype(&LzpGetError) getError = nullptr;
    decltype(&LzpUnzAlloc) unzAlloc = nullptr;
    decltype(&LzpUnzFree) unzFree = nullptr;
    decltype(&LzpZipCreate) zipCreate = nullptr;
    decltype(&LzpZipWrite) zipWrite = nullptr;
    decltype(&LzpZipClose) zipClose = nullptr;
};

template <typename Fn>
void Find(HMODULE module, const char* name, Fn& entry) {
    entry = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// The packed input of the byte callback, which has no context argument.
struct Feed {
    const std::vector<uint8_t>* data = nullptr;
    size_t position = 0;
    int callsAfterEnd = 0;
    bool ended = false;
} feed;

int LZP_CALL ReadFeed() {
    if (feed.position < feed.data->size())
        return (*feed.data)[feed.position++];
    feed.callsAfterEnd += feed.ended ? 1 : 0;
    feed.ended = true;
    return -1;
}

void StartFeed(const std::vector<uint8_t>& packed) {
    feed = Feed{&packed};
}

// What the write callback received; it refuses once `refuseAfter` calls are done.
struct Output {
    std::vector<uint8_t> bytes;
    int calls = 0;
    int refuseAfter = -1;
} output;

int LZP_CALL WriteOutput(const void* data, int size) {
    if (output.calls++ == output.refuseAfter)
        return 1;
    auto bytes = static_cast<const uint8_t*>(data);
    output.bytes.insert(output.bytes.end(), bytes, bytes + size);
    return 0;
}

struct Unpacked {
    int status = 0;  // the last call's result: 0 at the end, -1 on failure
    int error = 0;
    bool shortReadBeforeEnd = false;
    std::vector<uint8_t> plain;
};

class LzpunzDll : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        module = LoadLibraryA("lzpunz2.dll");
        ASSERT_NE(module, nullptr) << "lzpunz2.dll beside the test program";
        Find(module, "LzpUnzOpen", api.unzOpen);
        Find(module, "LzpUnzRead", api.unzRead);
        Find(module, "LzpUnzClose", api.unzClose);
        Find(module, "LzpGetError", api.getError);
        Find(module, "LzpUnzAlloc", api.unzAlloc);
        Find(module, "LzpUnzFree", api.unzFree);
        Find(module, "LzpZipCreate", api.zipCreate);
        Find(module, "LzpZipWrite", api.zipWrite);
        Find(module, "LzpZipClose", api.zipClose);
    }

    static void TearDownTestSuite() {
        if (module != nullptr)
            FreeLibrary(module);
        module = nullptr;
    }

    void SetUp() override {
        ASSERT_NE(module, nullptr);
        output = Output{};
    }

    static Unpacked Unpack(const std::vector<uint8_t>& packed, int chunk) {
        Unpacked result;
        StartFeed(packed);
        result.status = api.unzOpen(ReadFeed, LZP_FORMAT);
        if (result.status == 0)
            ReadAll(chunk, result);
        result.error = api.getError();
        EXPECT_EQ(api.unzClose(), 0);
        return result;
    }

    static void ReadAll(int chunk, Unpacked& result) {
        std::vector<uint8_t> buffer(static_cast<size_t>(chunk));
        bool hadShortRead = false;
        while ((result.status = api.unzRead(buffer.data(), chunk)) > 0) {
            result.shortReadBeforeEnd |= hadShortRead;
            hadShortRead = result.status < chunk;
            result.plain.insert(result.plain.end(), buffer.begin(), buffer.begin() + result.status);
        }
    }

    // Packs through LzpZip*, handing the plain bytes over in pieces of `piece`.
    static std::vector<uint8_t> PackWithDll(const std::vector<uint8_t>& plain, int level, size_t piece) {
        output = Output{};
        EXPECT_EQ(api.zipCreate(WriteOutput, level), 0);
        for (size_t offset = 0; offset < plain.size(); offset += piece) {
            int size = static_cast<int>(std::min(piece, plain.size() - offset));
            EXPECT_EQ(api.zipWrite(plain.data() + offset, size), 0);
        }
        EXPECT_EQ(api.zipClose(), 0);
        return output.bytes;
    }

    static HMODULE module;
    static Api api;
};

HMODULE LzpunzDll::module = nullptr;
Api LzpunzDll::api;

using LzpunzExports = LzpunzDll;
using LzpunzRoundTrip = LzpunzDll;
using LzpunzBadInput = LzpunzDll;
using LzpunzStreams = LzpunzDll;

TEST_F(LzpunzExports, AllNineUnderPlainNamesOnly) {
    const void* entries[] = {reinterpret_cast<void*>(api.unzOpen),   reinterpret_cast<void*>(api.unzRead),
                             reinterpret_cast<void*>(api.unzClose),  reinterpret_cast<void*>(api.getError),
                             reinterpret_cast<void*>(api.unzAlloc),  reinterpret_cast<void*>(api.unzFree),
                             reinterpret_cast<void*>(api.zipCreate), reinterpret_cast<void*>(api.zipWrite),
                             reinterpret_cast<void*>(api.zipClose)};
    for (const void* entry : entries)
        EXPECT_NE(entry, nullptr);
    EXPECT_EQ(GetProcAddress(module, "LzpUnzOpen@8"), nullptr);
    EXPECT_EQ(GetProcAddress(module, "_LzpUnzOpen@8"), nullptr);
}

TEST_F(LzpunzRoundTrip, SizesAroundTheBufferBoundsInOddReadSizes) {
    for (size_t size : {0, 1, 65535, 65536, 65537}) {
        for (const auto& plain : {TextLike(size, 11), RandomBytes(size, 11)}) {
            std::vector<uint8_t> packed = Pack(plain, 9);
            for (int chunk : {1, 7, 4096}) {
                Unpacked result = Unpack(packed, chunk);
                EXPECT_EQ(result.status, 0) << size << " bytes read by " << chunk;
                EXPECT_EQ(result.error, LZP_E_NONE);
                EXPECT_EQ(result.plain, plain) << size << " bytes read by " << chunk;
                EXPECT_FALSE(result.shortReadBeforeEnd);
            }
        }
    }
}

TEST_F(LzpunzRoundTrip, MegabytesOfTextAndRandomData) {
    std::vector<uint8_t> text = TextLike(3 << 20, 12);
    std::vector<uint8_t> random = RandomBytes(2 << 20, 12);
    for (const auto* plain : {&text, &random}) {
        std::vector<uint8_t> packed = Pack(*plain, 6);
        for (int chunk : {7, 4096, 1 << 20}) {
            Unpacked result = Unpack(packed, chunk);
            EXPECT_EQ(result.status, 0);
            EXPECT_EQ(result.plain, *plain) << "read by " << chunk;
        }
    }
}

TEST_F(LzpunzRoundTrip, DllPackingAndCodecUnpackingAgree) {
    std::vector<uint8_t> plain = TextLike(500000, 13);
    std::vector<uint8_t> random = RandomBytes(300000, 13);
    plain.insert(plain.end(), random.begin(), random.end());
    for (int level : {1, 9}) {
        std::vector<uint8_t> packed = PackWithDll(plain, level, 4099);
        EXPECT_EQ(packed, Pack(plain, level)) << "one codec, one stream";
        std::vector<uint8_t> unpacked;
        EXPECT_EQ(lzp::Unpack(packed, unpacked), Error::None);
        EXPECT_EQ(unpacked, plain);
        EXPECT_EQ(Unpack(packed, 65536).plain, plain);
    }
    std::vector<uint8_t> empty = PackWithDll({}, 9, 1);
    EXPECT_EQ(Unpack(empty, 16).status, 0);
}

TEST_F(LzpunzRoundTrip, AfterTheEndReadsGiveZeroWithoutAskingTheCallback) {
    std::vector<uint8_t> plain = TextLike(10000, 14);
    std::vector<uint8_t> packed = Pack(plain, 9);
    StartFeed(packed);
    ASSERT_EQ(api.unzOpen(ReadFeed, LZP_FORMAT), 0);
    std::vector<uint8_t> buffer(20000);
    EXPECT_EQ(api.unzRead(buffer.data(), 20000), 10000);
    EXPECT_EQ(api.unzRead(buffer.data(), 20000), 0);
    EXPECT_EQ(api.unzRead(buffer.data(), 20000), 0);
    EXPECT_EQ(api.getError(), LZP_E_NONE);
    EXPECT_EQ(feed.callsAfterEnd, 0);
    EXPECT_EQ(api.unzClose(), 0);
}

TEST_F(LzpunzBadInput, WrongFormatNumbersAndMissingCallbackFailTheOpen) {
    std::vector<uint8_t> packed = Pack(TextLike(100, 15), 9);
    for (int format : {0, 1, 3, -1, 0x102}) {
        StartFeed(packed);
        EXPECT_EQ(api.unzOpen(ReadFeed, format), -1) << format;
        EXPECT_EQ(api.getError(), LZP_E_FORMAT);
        EXPECT_EQ(feed.position, 0u) << "no byte read for format " << format;
    }
    EXPECT_EQ(api.unzOpen(nullptr, LZP_FORMAT), -1);
    EXPECT_EQ(api.getError(), LZP_E_ARGUMENT);
    char buffer[16];
    EXPECT_EQ(api.unzRead(buffer, sizeof buffer), -1) << "no stream is open after a failed open";
    EXPECT_EQ(api.getError(), LZP_E_STATE);
}

TEST_F(LzpunzBadInput, WrongMagicAndEmptyInputFailTheOpen) {
    std::vector<uint8_t> packed = Pack(TextLike(100, 16), 9);
    packed[3] = '1';
    Unpacked wrongMagic = Unpack(packed, 64);
    EXPECT_EQ(wrongMagic.status, -1);
    EXPECT_EQ(wrongMagic.error, LZP_E_MAGIC);

    Unpacked empty = Unpack({}, 64);
    EXPECT_EQ(empty.status, -1);
    EXPECT_EQ(empty.error, LZP_E_TRUNCATED);
}

TEST_F(LzpunzBadInput, CutStreamsEndInTruncated) {
    std::vector<uint8_t> text = TextLike(200000, 17);
    std::vector<uint8_t> random = RandomBytes(200000, 17);
    for (const auto* plain : {&text, &random}) {
        std::vector<uint8_t> packed = Pack(*plain, 9);
        for (size_t keep : {size_t{2}, size_t{4}, size_t{6}, packed.size() / 2, packed.size() - 5,
                            packed.size() - 4, packed.size() - 1}) {
            std::vector<uint8_t> cut(packed.begin(), packed.begin() + keep);
            Unpacked result = Unpack(cut, 4096);
            EXPECT_EQ(result.status, -1) << "kept " << keep << " of " << packed.size();
            EXPECT_EQ(result.error, LZP_E_TRUNCATED) << "kept " << keep << " of " << packed.size();
            EXPECT_EQ(feed.callsAfterEnd, 0);
        }
    }
}

TEST_F(LzpunzBadInput, FlippedBytesAnywhereAreErrors) {
    std::vector<uint8_t> text = TextLike(300000, 18);
    std::vector<uint8_t> random = RandomBytes(100000, 18);
    for (const auto* plain : {&text, &random}) {
        std::vector<uint8_t> packed = Pack(*plain, 9);
        size_t last = packed.size() - 1;
        for (size_t position : {size_t{0}, size_t{4}, size_t{5}, size_t{6}, size_t{100}, last / 2, last - 8,
                                last - 4, last - 3, last}) {
            std::vector<uint8_t> damaged = packed;
            damaged[position] ^= 0x01;
            Unpacked result = Unpack(damaged, 4096);
            EXPECT_EQ(result.status, -1) << "flipped at " << position << " of " << packed.size();
            EXPECT_NE(result.error, LZP_E_NONE) << "flipped at " << position;
        }
    }
}

TEST_F(LzpunzBadInput, AfterAnErrorEveryReadFails) {
    std::vector<uint8_t> packed = Pack(TextLike(100000, 19), 9);
    packed[packed.size() / 2] ^= 0xFF;
    StartFeed(packed);
    ASSERT_EQ(api.unzOpen(ReadFeed, LZP_FORMAT), 0);
    std::vector<uint8_t> buffer(1000);
    int status;
    while ((status = api.unzRead(buffer.data(), 1000)) > 0) {
    }
    EXPECT_EQ(status, -1);
    int error = api.getError();
    EXPECT_NE(error, LZP_E_NONE);
    EXPECT_EQ(api.unzRead(buffer.data(), 1000), -1);
    EXPECT_EQ(api.getError(), error);
    EXPECT_EQ(api.unzClose(), 0);
}

TEST_F(LzpunzBadInput, BadReadArgumentsFailOnlyThatCall) {
    std::vector<uint8_t> plain = TextLike(1000, 20);
    std::vector<uint8_t> packed = Pack(plain, 9);
    StartFeed(packed);
    ASSERT_EQ(api.unzOpen(ReadFeed, LZP_FORMAT), 0);
    std::vector<uint8_t> buffer(1000);
    EXPECT_EQ(api.unzRead(nullptr, 10), -1);
    EXPECT_EQ(api.unzRead(buffer.data(), 0), -1);
    EXPECT_EQ(api.unzRead(buffer.data(), -5), -1);
    EXPECT_EQ(api.getError(), LZP_E_ARGUMENT);
    EXPECT_EQ(api.unzRead(buffer.data(), 1000), 1000);
    EXPECT_EQ(buffer, plain);
    EXPECT_EQ(api.unzClose(), 0);
}

TEST_F(LzpunzStreams, OpenCloseOpenAgainAndReopenWhileOpen) {
    std::vector<uint8_t> first = TextLike(50000, 21);
    std::vector<uint8_t> second = RandomBytes(30000, 21);
    std::vector<uint8_t> firstPacked = Pack(first, 9);
    std::vector<uint8_t> secondPacked = Pack(second, 9);

    EXPECT_EQ(Unpack(firstPacked, 4096).plain, first);
    EXPECT_EQ(Unpack(secondPacked, 4096).plain, second);

    StartFeed(firstPacked);
    ASSERT_EQ(api.unzOpen(ReadFeed, LZP_FORMAT), 0);
    std::vector<uint8_t> buffer(100);
    ASSERT_EQ(api.unzRead(buffer.data(), 100), 100);
    EXPECT_EQ(Unpack(secondPacked, 4096).plain, second) << "an unfinished stream is dropped by the next open";
    EXPECT_EQ(api.unzClose(), 0) << "closing twice is harmless";
    EXPECT_EQ(api.getError(), LZP_E_NONE);
}

TEST_F(LzpunzStreams, PackingCallsOutOfOrderOrRefusedFail) {
    char data[10] = {};
    EXPECT_EQ(api.zipWrite(data, 10), -1);
    EXPECT_EQ(api.getError(), LZP_E_STATE);
    EXPECT_EQ(api.zipClose(), -1);
    EXPECT_EQ(api.zipCreate(nullptr, 9), -1);
    EXPECT_EQ(api.getError(), LZP_E_ARGUMENT);
    for (int level : {0, 10}) {
        EXPECT_EQ(api.zipCreate(WriteOutput, level), -1);
        EXPECT_EQ(api.getError(), LZP_E_ARGUMENT);
    }

    ASSERT_EQ(api.zipCreate(WriteOutput, 9), 0);
    EXPECT_EQ(api.zipWrite(nullptr, 5), -1);
    EXPECT_EQ(api.zipWrite(data, -1), -1);
    EXPECT_EQ(api.getError(), LZP_E_ARGUMENT);
    output.refuseAfter = 0;
    std::vector<uint8_t> random = RandomBytes(200000, 22);
    EXPECT_EQ(api.zipWrite(random.data(), static_cast<int>(random.size())), -1);
    EXPECT_EQ(api.getError(), LZP_E_WRITE);
    EXPECT_EQ(api.zipClose(), -1);
    EXPECT_EQ(api.zipClose(), -1) << "the failed stream is gone";
    EXPECT_EQ(api.getError(), LZP_E_STATE);
}

TEST_F(LzpunzStreams, AllocGivesWritableBlocksAndFreeTakesThemBack) {
    auto* block = static_cast<uint8_t*>(api.unzAlloc(1 << 20));
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(api.getError(), LZP_E_NONE);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(block) % 8, 0u);
    std::memset(block, 0xA5, 1 << 20);
    api.unzFree(block);
    api.unzFree(nullptr);
    EXPECT_EQ(api.unzAlloc(0), nullptr);
    EXPECT_EQ(api.unzAlloc(-1), nullptr);
    EXPECT_EQ(api.getError(), LZP_E_ARGUMENT);
}

}  // namespace
}  // namespace lzp
