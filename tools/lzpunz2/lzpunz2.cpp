// The DLL's entry points over the codec. The interface has no handle, so the
// one unpacking and the one packing stream live in globals; no exception
// leaves an entry point, as allocations here use nothrow new.
#include "tools/lzpunz2/lzpunz2.h"

#include "tools/lzpunz2/lzp_codec.h"

#include <array>
#include <cstdlib>
#include <memory>
#include <new>

namespace {

// Calls the byte callback in a tight loop to fill a large buffer, so that
// zlib sees long runs of input and the per-byte cost stays one call.
class CallbackSource : public lzp::ByteSource {
public:
    explicit CallbackSource(LzpReadByteFn readByte) : readByte_(readByte) {}

    size_t Next(const uint8_t*& data) override {
        data = buffer_.data();
        if (ended_)
            return 0;
        size_t count = Fill();
        ended_ = count < buffer_.size();
        return count;
    }

private:
    // Four calls a turn: nearly all of a byte's cost is the call itself, and
    // the count check once per four bytes gains about a tenth. Anything
    // outside 0-255 ends the input; `out[at]` past the count is never used.
    size_t Fill() {
        static_assert(sizeof buffer_ % 4 == 0, "whole turns fill the buffer");
        const LzpReadByteFn readByte = readByte_;
        uint8_t* const out = buffer_.data();
        const size_t capacity = buffer_.size();
        auto take = [&](size_t at) {
            int value = readByte();
            out[at] = static_cast<uint8_t>(value);
            return static_cast<unsigned>(value) <= 255;
        };
        size_t count = 0;
        while (count < capacity) {
            if (!take(count))
                return count;
            if (!take(count + 1))
                return count + 1;
            if (!take(count + 2))
                return count + 2;
            if (!take(count + 3))
                return count + 3;
            count += 4;
        }
        return count;
    }

    LzpReadByteFn readByte_;
    bool ended_ = false;
    std::array<uint8_t, 256 * 1024> buffer_;
};

class CallbackSink : public lzp::ByteSink {
public:
    explicit CallbackSink(LzpWriteFn write) : write_(write) {}
    bool Put(const uint8_t* data, size_t size) override { return write_(data, static_cast<int>(size)) == 0; }

private:
    LzpWriteFn write_;
};

struct UnpackStream {
    explicit UnpackStream(LzpReadByteFn readByte) : source(readByte), unpacker(source) {}
    CallbackSource source;
    lzp::Unpacker unpacker;
};

struct PackStream {
    PackStream(LzpWriteFn write, int level) : sink(write), packer(sink, level) {}
    CallbackSink sink;
    lzp::Packer packer;
};

std::unique_ptr<UnpackStream> unpackStream;
std::unique_ptr<PackStream> packStream;
int lastError = LZP_E_NONE;

static_assert(static_cast<int>(lzp::Error::Write) == LZP_E_WRITE, "codec errors are the DLL's codes");
static_assert(static_cast<int>(lzp::Error::Data) == LZP_E_DATA, "codec errors are the DLL's codes");

int Report(int code) {
    lastError = code;
    return code == LZP_E_NONE ? 0 : -1;
}

int Report(lzp::Error error) {
    return Report(static_cast<int>(error));
}

}  // namespace

extern "C" {

int LZP_CALL LzpUnzOpen(LzpReadByteFn readByte, int format) {
    unpackStream.reset();
    if (readByte == nullptr)
        return Report(LZP_E_ARGUMENT);
    if (format != LZP_FORMAT)
        return Report(LZP_E_FORMAT);
    std::unique_ptr<UnpackStream> stream(new (std::nothrow) UnpackStream(readByte));
    if (!stream)
        return Report(LZP_E_MEMORY);
    lzp::Error error = stream->unpacker.Start();
    if (error == lzp::Error::None)
        unpackStream = std::move(stream);
    return Report(error);
}

int LZP_CALL LzpUnzRead(void* buffer, int size) {
    if (!unpackStream)
        return Report(LZP_E_STATE);
    if (buffer == nullptr || size <= 0)
        return Report(LZP_E_ARGUMENT);
    ptrdiff_t count = unpackStream->unpacker.Read(buffer, static_cast<size_t>(size));
    lastError = static_cast<int>(unpackStream->unpacker.LastError());
    return static_cast<int>(count);
}

int LZP_CALL LzpUnzClose(void) {
    unpackStream.reset();
    return Report(LZP_E_NONE);
}

int LZP_CALL LzpGetError(void) {
    return lastError;
}

void* LZP_CALL LzpUnzAlloc(int size) {
    if (size <= 0) {
        Report(LZP_E_ARGUMENT);
        return nullptr;
    }
    void* block = std::malloc(static_cast<size_t>(size));
    Report(block != nullptr ? LZP_E_NONE : LZP_E_MEMORY);
    return block;
}

void LZP_CALL LzpUnzFree(void* block) {
    std::free(block);
    Report(LZP_E_NONE);
}

int LZP_CALL LzpZipCreate(LzpWriteFn write, int level) {
    packStream.reset();
    if (write == nullptr)
        return Report(LZP_E_ARGUMENT);
    std::unique_ptr<PackStream> stream(new (std::nothrow) PackStream(write, level));
    if (!stream)
        return Report(LZP_E_MEMORY);
    lzp::Error error = stream->packer.LastError();
    if (error == lzp::Error::None)
        packStream = std::move(stream);
    return Report(error);
}

int LZP_CALL LzpZipWrite(const void* data, int size) {
    if (!packStream)
        return Report(LZP_E_STATE);
    if (size < 0 || (data == nullptr && size > 0))
        return Report(LZP_E_ARGUMENT);
    return Report(packStream->packer.Write(data, static_cast<size_t>(size)));
}

int LZP_CALL LzpZipClose(void) {
    if (!packStream)
        return Report(LZP_E_STATE);
    lzp::Error error = packStream->packer.Finish();
    packStream.reset();
    return Report(error);
}

}  // extern "C"
