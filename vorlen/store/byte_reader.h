// Bounds-checked reading of a file's bytes. Every read fails cleanly at the
// end of the data; nothing is ever read past it. The bytes either lie in
// memory already or come from a file read front to back as far as the
// reader needs, so that parsing goes on while the system reads ahead.
#pragma once

#include "vorlen/platform/file_io.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace vorlen::store {

class ByteReader {
public:
    explicit ByteReader(std::string_view bytes) : data_(bytes.data()), available_(bytes.size()) {}
    explicit ByteReader(platform::SequentialFile& file) : file_(&file) { Refill(0); }

    size_t Position() const { return position_; }
    // Back to a position already read.
    void Seek(size_t position) { position_ = position < available_ ? position : available_; }
    bool AtEnd() { return !Ensure(1); }
    // The next byte, or -1 at the end; the position does not move.
    int Peek() { return Ensure(1) ? static_cast<unsigned char>(data_[position_]) : -1; }

    bool Skip(size_t count) {
        if (!Ensure(count))
            return false;
        position_ += count;
        return true;
    }
    bool Byte(uint8_t& value) {
        if (!Ensure(1))
            return false;
        value = static_cast<uint8_t>(data_[position_++]);
        return true;
    }
    // Little-endian two's complement.
    bool Int32(int32_t& value) {
        if (!Ensure(4))
            return false;
        const auto* p = reinterpret_cast<const unsigned char*>(data_ + position_);
        value = static_cast<int32_t>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                                     static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24);
        position_ += 4;
        return true;
    }
    // The view stays valid for the reader's life.
    bool Bytes(size_t count, std::string_view& value) {
        if (!Ensure(count))
            return false;
        value = std::string_view(data_ + position_, count);
        position_ += count;
        return true;
    }
    // True and past it when the byte comes next.
    bool Expect(char c) {
        if (!Ensure(1) || data_[position_] != c)
            return false;
        ++position_;
        return true;
    }
    // True and past it when the exact text comes next.
    bool Expect(std::string_view text) {
        if (!Ensure(text.size()) || std::memcmp(data_ + position_, text.data(), text.size()) != 0)
            return false;
        position_ += text.size();
        return true;
    }
    // White space as scanf skips it.
    void SkipBlanks() {
        while (Ensure(1) &&
               (data_[position_] == ' ' || (data_[position_] >= '\t' && data_[position_] <= '\r')))
            ++position_;
    }
    // A decimal number with an optional sign, as printf's "%d" writes it.
    bool Decimal(int32_t& value) {
        size_t p = position_;
        bool negative = false;
        if (Ensure(1) && (data_[p] == '-' || data_[p] == '+'))
            negative = data_[p++] == '-';
        int64_t magnitude = 0;
        size_t firstDigit = p;
        while (EnsureAt(p) && data_[p] >= '0' && data_[p] <= '9') {
            magnitude = magnitude * 10 + (data_[p++] - '0');
            if (magnitude > int64_t{1} << 31)
                return false;
        }
        int64_t signedValue = negative ? -magnitude : magnitude;
        if (p == firstDigit || signedValue > INT32_MAX)
            return false;
        value = static_cast<int32_t>(signedValue);
        position_ = p;
        return true;
    }

private:
    // True when `count` bytes from the position are there, reading more of
    // the file when they are not yet.
    bool Ensure(size_t count) { return available_ - position_ >= count || Refill(position_ + count); }
    bool EnsureAt(size_t offset) { return offset < available_ || Refill(offset + 1); }
    bool Refill(size_t wanted) {
        if (!file_)
            return false;
        available_ = file_->ReadUpTo(wanted);
        data_ = file_->Data();
        return available_ >= wanted;
    }

    const char* data_ = nullptr;
    size_t available_ = 0;
    size_t position_ = 0;
    platform::SequentialFile* file_ = nullptr;
};

}  // namespace vorlen::store
