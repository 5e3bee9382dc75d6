// The installer's little-endian stream primitives, shared by the install
// script and the operation log. Pure C++: builds for Windows and natively.
//
//   int     4 bytes in 32-bit mode, 2 bytes (sign-extended) in 16-bit mode
//   dword   4 bytes unsigned, word 2 bytes unsigned
//   string  a length byte 0-254 and the bytes, or 255, a word length and
//           the bytes; no terminating zero
//   block   raw bytes of a known count
//
// Reads past the end of the data fail cleanly; once a read or write has
// failed, the stream stays failed and every later call fails too.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace gvmain {

enum class IntWidth { Bits16, Bits32 };

class PortableStream {
public:
    explicit PortableStream(IntWidth width = IntWidth::Bits32) : width_(width) {}
    PortableStream(std::vector<uint8_t> data, IntWidth width) : data_(std::move(data)), width_(width) {}

    IntWidth Width() const { return width_; }
    void SetWidth(IntWidth width) { width_ = width; }

    const std::vector<uint8_t>& Data() const { return data_; }
    size_t Position() const { return position_; }
    size_t Remaining() const { return data_.size() - position_; }
    bool AtEnd() const { return position_ == data_.size(); }
    bool Failed() const { return failed_; }

    bool ReadInt(int32_t& value);
    bool ReadDword(uint32_t& value);
    bool ReadWord(uint16_t& value);
    bool ReadString(std::string& value);
    bool ReadBlock(void* buffer, size_t size);

    // Writes append at the end. An int that does not fit a 16-bit stream, or
    // a string longer than a word can count, fails the stream.
    bool WriteInt(int32_t value);
    bool WriteDword(uint32_t value);
    bool WriteWord(uint16_t value);
    bool WriteString(const std::string& value);
    bool WriteBlock(const void* buffer, size_t size);

private:
    bool Take(size_t size, const uint8_t*& bytes);
    uint32_t ReadLittleEndian(const uint8_t* bytes, size_t size) const;
    bool Fail() {
        failed_ = true;
        return false;
    }

    std::vector<uint8_t> data_;
    size_t position_ = 0;
    IntWidth width_;
    bool failed_ = false;
};

}  // namespace gvmain
