// The packing format of the installer's files, over zlib. Pure C++: the
// DLL unpacks with it under Windows, the build tool packs with it natively.
//
//   magic    4 bytes "LZP2"
//   body     a zlib stream (deflate, adler32 of the plain bytes at its end)
//   length   dword, little-endian: the plain length modulo 2^32
//
// Nothing may follow the length. A damaged or cut stream ends in an error,
// never in a hang; memory use is fixed by zlib, whatever the input says.
#pragma once

#include <zlib.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace lzp {

// The values are the DLL's LZP_E_* codes.
enum class Error {
    None = 0,
    Argument = 1,   // a null pointer, a bad size or level
    Format = 2,     // a format number this code does not know
    Magic = 3,      // the input is not a packed stream
    Data = 4,       // damaged: bad deflate data, checksum, length or bytes after the end
    Truncated = 5,  // the input ends inside the stream
    Memory = 6,     // zlib could not get its memory
    State = 7,      // a call out of order, such as writing after the finish
    Write = 8,      // the sink refused packed bytes
};

// Packed bytes coming in. Next() gives a view of the following bytes, valid
// until the next call, and returns their count; 0 means the input has ended.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual size_t Next(const uint8_t*& data) = 0;
};

// Packed bytes going out; Put returns false to stop the packing.
class ByteSink {
public:
    virtual ~ByteSink() = default;
    virtual bool Put(const uint8_t* data, size_t size) = 0;
};

class MemorySource : public ByteSource {
public:
    MemorySource(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    explicit MemorySource(const std::vector<uint8_t>& data) : MemorySource(data.data(), data.size()) {}
    size_t Next(const uint8_t*& data) override;

private:
    const uint8_t* data_;
    size_t size_;
};

class VectorSink : public ByteSink {
public:
    explicit VectorSink(std::vector<uint8_t>& out) : out_(out) {}
    bool Put(const uint8_t* data, size_t size) override;

private:
    std::vector<uint8_t>& out_;
};

constexpr int minLevel = 1;
constexpr int maxLevel = 9;

// Plain bytes in, one packed stream out through the sink. Once a call has
// failed, every later call fails with the same error.
class Packer {
public:
    Packer(ByteSink& sink, int level);
    ~Packer();
    Packer(const Packer&) = delete;
    Packer& operator=(const Packer&) = delete;

    Error Write(const void* data, size_t size);
    // Ends the stream; nothing can be written after it.
    Error Finish();
    Error LastError() const { return error_; }

private:
    Error Deflate(int flush);
    bool Flush();
    Error Fail(Error error);

    ByteSink& sink_;
    z_stream zs_{};
    bool zlibReady_ = false;
    bool finished_ = false;
    Error error_ = Error::None;
    uint64_t plainLength_ = 0;
    std::array<uint8_t, 64 * 1024> out_;
};

// One packed stream in, plain bytes out.
class Unpacker {
public:
    explicit Unpacker(ByteSource& source);
    ~Unpacker();
    Unpacker(const Unpacker&) = delete;
    Unpacker& operator=(const Unpacker&) = delete;

    // Reads and checks the magic; Read does it too when not done before.
    Error Start();
    // Fills the buffer as far as the stream goes. Returns the bytes produced,
    // 0 at the end (and at every call after it), -1 on failure.
    ptrdiff_t Read(void* buffer, size_t size);
    Error LastError() const { return error_; }

private:
    enum class Stage { Magic, Body, End, Failed };

    ptrdiff_t Inflate(uint8_t* buffer, size_t size);
    Error CheckTrailer();
    bool TakeBytes(uint8_t* out, size_t count);
    bool Refill();
    ptrdiff_t Fail(Error error);

    ByteSource& source_;
    // What the source gave beyond the slice zlib holds in zs_.next_in.
    const uint8_t* rest_ = nullptr;
    size_t restSize_ = 0;
    z_stream zs_{};
    bool zlibReady_ = false;
    Stage stage_ = Stage::Magic;
    Error error_ = Error::None;
    uint64_t plainLength_ = 0;
};

// The packed stream; empty only on failure (a level outside minLevel..maxLevel,
// no memory).
std::vector<uint8_t> Pack(const std::vector<uint8_t>& plain, int level);
// The plain bytes, or an error with `plain` left empty.
Error Unpack(const std::vector<uint8_t>& packed, std::vector<uint8_t>& plain);

}  // namespace lzp
