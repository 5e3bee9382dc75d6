#include "tools/lzpunz2/lzp_codec.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace lzp {
namespace {

constexpr uint8_t magic[4] = {'L', 'Z', 'P', '2'};
constexpr size_t trailerSize = 4;
// zlib counts in uInt; larger requests go through in slices.
constexpr size_t maxSlice = std::numeric_limits<uInt>::max();

void PutDword(uint8_t* out, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out[i] = static_cast<uint8_t>(value >> (8 * i));
}

uint32_t GetDword(const uint8_t* in) {
    return uint32_t{in[0]} | uint32_t{in[1]} << 8 | uint32_t{in[2]} << 16 | uint32_t{in[3]} << 24;
}

Error ZlibError(int code) {
    return code == Z_MEM_ERROR ? Error::Memory : Error::Data;
}

}  // namespace

size_t MemorySource::Next(const uint8_t*& data) {
    data = data_;
    size_t size = size_;
    data_ += size_;
    size_ = 0;
    return size;
}

bool VectorSink::Put(const uint8_t* data, size_t size) {
    out_.insert(out_.end(), data, data + size);
    return true;
}

Packer::Packer(ByteSink& sink, int level) : sink_(sink) {
    if (level < minLevel || level > maxLevel) {
        Fail(Error::Argument);
        return;
    }
    int code = deflateInit(&zs_, level);
    if (code != Z_OK) {
        Fail(ZlibError(code));
        return;
    }
    zlibReady_ = true;
    // The magic leads the first chunk of output, so the sink sees whole chunks only.
    std::memcpy(out_.data(), magic, sizeof magic);
    zs_.next_out = out_.data() + sizeof magic;
    zs_.avail_out = static_cast<uInt>(out_.size() - sizeof magic);
}

Packer::~Packer() {
    if (zlibReady_)
        deflateEnd(&zs_);
}

Error Packer::Write(const void* data, size_t size) {
    if (error_ != Error::None)
        return error_;
    if (finished_)
        return Fail(Error::State);
    if (data == nullptr && size != 0)
        return Fail(Error::Argument);
    auto bytes = static_cast<const uint8_t*>(data);
    while (size > 0) {
        size_t slice = std::min(size, maxSlice);
        zs_.next_in = bytes;
        zs_.avail_in = static_cast<uInt>(slice);
        if (Deflate(Z_NO_FLUSH) != Error::None)
            return error_;
        bytes += slice;
        size -= slice;
        plainLength_ += slice;
    }
    return Error::None;
}

Error Packer::Finish() {
    if (error_ != Error::None)
        return error_;
    if (finished_)
        return Fail(Error::State);
    if (Deflate(Z_FINISH) != Error::None)
        return error_;
    if (zs_.avail_out < trailerSize && !Flush())
        return error_;
    PutDword(zs_.next_out, static_cast<uint32_t>(plainLength_));
    zs_.next_out += trailerSize;
    zs_.avail_out -= trailerSize;
    if (!Flush())
        return error_;
    finished_ = true;
    return Error::None;
}

// Runs deflate until it has taken all input (or, finishing, ended the stream),
// handing each full chunk of output to the sink.
Error Packer::Deflate(int flush) {
    for (;;) {
        if (zs_.avail_out == 0 && !Flush())
            return error_;
        int code = deflate(&zs_, flush);
        if (code == Z_STREAM_ERROR)
            return Fail(Error::State);
        if (flush == Z_FINISH ? code == Z_STREAM_END : zs_.avail_in == 0)
            return Error::None;
    }
}

bool Packer::Flush() {
    size_t size = out_.size() - zs_.avail_out;
    if (size > 0 && !sink_.Put(out_.data(), size)) {
        Fail(Error::Write);
        return false;
    }
    zs_.next_out = out_.data();
    zs_.avail_out = static_cast<uInt>(out_.size());
    return true;
}

Error Packer::Fail(Error error) {
    error_ = error;
    return error;
}

Unpacker::Unpacker(ByteSource& source) : source_(source) {}

Unpacker::~Unpacker() {
    if (zlibReady_)
        inflateEnd(&zs_);
}

Error Unpacker::Start() {
    if (stage_ != Stage::Magic)
        return stage_ == Stage::Failed ? error_ : Error::None;
    uint8_t head[sizeof magic];
    if (!TakeBytes(head, sizeof head))
        return error_;
    if (std::memcmp(head, magic, sizeof magic) != 0) {
        Fail(Error::Magic);
        return error_;
    }
    int code = inflateInit(&zs_);
    if (code != Z_OK) {
        Fail(ZlibError(code));
        return error_;
    }
    zlibReady_ = true;
    stage_ = Stage::Body;
    return Error::None;
}

ptrdiff_t Unpacker::Read(void* buffer, size_t size) {
    if (stage_ == Stage::Magic && Start() != Error::None)
        return -1;
    switch (stage_) {
    case Stage::End: return 0;
    case Stage::Failed: return -1;
    default: break;
    }
    if (buffer == nullptr || size == 0 || size > static_cast<size_t>(std::numeric_limits<ptrdiff_t>::max())) {
        error_ = Error::Argument;
        return -1;
    }
    error_ = Error::None;
    return Inflate(static_cast<uint8_t*>(buffer), size);
}

// Each turn of the loop either takes input, gives output or fails, so a
// finite input always ends it.
ptrdiff_t Unpacker::Inflate(uint8_t* buffer, size_t size) {
    size_t produced = 0;
    while (produced < size) {
        if (zs_.avail_in == 0)
            Refill();
        size_t slice = std::min(size - produced, maxSlice);
        zs_.next_out = buffer + produced;
        zs_.avail_out = static_cast<uInt>(slice);
        int code = inflate(&zs_, Z_NO_FLUSH);
        produced += slice - zs_.avail_out;
        if (code == Z_STREAM_END) {
            plainLength_ += produced;
            Error error = CheckTrailer();
            return error == Error::None ? static_cast<ptrdiff_t>(produced) : Fail(error);
        }
        if (code == Z_BUF_ERROR)
            return Fail(Error::Truncated);
        if (code != Z_OK)
            return Fail(ZlibError(code));
    }
    plainLength_ += produced;
    return static_cast<ptrdiff_t>(produced);
}

Error Unpacker::CheckTrailer() {
    uint8_t trailer[trailerSize];
    if (!TakeBytes(trailer, sizeof trailer))
        return error_;
    if (GetDword(trailer) != static_cast<uint32_t>(plainLength_))
        return Error::Data;
    if (zs_.avail_in > 0 || Refill())
        return Error::Data;
    stage_ = Stage::End;
    return Error::None;
}

bool Unpacker::TakeBytes(uint8_t* out, size_t count) {
    while (count > 0) {
        if (zs_.avail_in == 0 && !Refill()) {
            Fail(Error::Truncated);
            return false;
        }
        size_t part = std::min<size_t>(count, zs_.avail_in);
        std::memcpy(out, zs_.next_in, part);
        zs_.next_in += part;
        zs_.avail_in -= static_cast<uInt>(part);
        out += part;
        count -= part;
    }
    return true;
}

// Puts the next input bytes before zlib; false when the input has ended.
bool Unpacker::Refill() {
    if (restSize_ == 0)
        restSize_ = source_.Next(rest_);
    size_t slice = std::min(restSize_, maxSlice);
    zs_.next_in = rest_;
    zs_.avail_in = static_cast<uInt>(slice);
    rest_ += slice;
    restSize_ -= slice;
    return slice > 0;
}

ptrdiff_t Unpacker::Fail(Error error) {
    error_ = error;
    stage_ = Stage::Failed;
    return -1;
}

std::vector<uint8_t> Pack(const std::vector<uint8_t>& plain, int level) {
    std::vector<uint8_t> packed;
    VectorSink sink(packed);
    Packer packer(sink, level);
    packer.Write(plain.data(), plain.size());
    if (packer.Finish() != Error::None)
        return {};
    return packed;
}

Error Unpack(const std::vector<uint8_t>& packed, std::vector<uint8_t>& plain) {
    plain.clear();
    MemorySource source(packed);
    Unpacker unpacker(source);
    std::vector<uint8_t> chunk(64 * 1024);
    ptrdiff_t count;
    while ((count = unpacker.Read(chunk.data(), chunk.size())) > 0)
        plain.insert(plain.end(), chunk.begin(), chunk.begin() + count);
    if (count < 0)
        plain.clear();
    return unpacker.LastError();
}

}  // namespace lzp
