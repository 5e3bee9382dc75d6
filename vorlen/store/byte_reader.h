// Bounds-checked reading of a file's bytes held in memory. Every read fails
// cleanly at the end of the data; nothing is ever read past it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace vorlen::store {

class ByteReader {
public:
    explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}

    size_t Position() const { return position_; }
    void Seek(size_t position) { position_ = position < bytes_.size() ? position : bytes_.size(); }
    size_t Remaining() const { return bytes_.size() - position_; }
    bool AtEnd() const { return position_ == bytes_.size(); }
    // The next byte, or -1 at the end; the position does not move.
    int Peek() const { return AtEnd() ? -1 : static_cast<unsigned char>(bytes_[position_]); }

    bool Skip(size_t count) {
        if (count > Remaining())
            return false;
        position_ += count;
        return true;
    }
    bool Byte(uint8_t& value) {
        if (AtEnd())
            return false;
        value = static_cast<uint8_t>(bytes_[position_++]);
        return true;
    }
    // Little-endian two's complement.
    bool Int32(int32_t& value) {
        if (Remaining() < 4)
            return false;
        const auto* p = reinterpret_cast<const unsigned char*>(bytes_.data() + position_);
        value = static_cast<int32_t>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                                     static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24);
        position_ += 4;
        return true;
    }
    bool Int16(int16_t& value) {
        if (Remaining() < 2)
            return false;
        const auto* p = reinterpret_cast<const unsigned char*>(bytes_.data() + position_);
        value = static_cast<int16_t>(p[0] | p[1] << 8);
        position_ += 2;
        return true;
    }
    bool Bytes(size_t count, std::string_view& value) {
        if (count > Remaining())
            return false;
        value = bytes_.substr(position_, count);
        position_ += count;
        return true;
    }
    // True and past it when the exact text comes next.
    bool Expect(std::string_view text) {
        if (bytes_.substr(position_, text.size()) != text)
            return false;
        position_ += text.size();
        return true;
    }
    // White space as scanf skips it.
    void SkipBlanks() {
        while (!AtEnd() && (bytes_[position_] == ' ' || (bytes_[position_] >= '\t' && bytes_[position_] <= '\r')))
            ++position_;
    }
    // A decimal number with an optional sign, as printf's "%d" writes it.
    bool Decimal(int32_t& value) {
        size_t p = position_;
        bool negative = false;
        if (p < bytes_.size() && (bytes_[p] == '-' || bytes_[p] == '+'))
            negative = bytes_[p++] == '-';
        int64_t magnitude = 0;
        size_t firstDigit = p;
        while (p < bytes_.size() && bytes_[p] >= '0' && bytes_[p] <= '9') {
            magnitude = magnitude * 10 + (bytes_[p++] - '0');
            if (magnitude > int64_t{1} << 31)
                return false;
        }
        if (p == firstDigit)
            return false;
        int64_t signedValue = negative ? -magnitude : magnitude;
        if (signedValue > INT32_MAX)
            return false;
        value = static_cast<int32_t>(signedValue);
        position_ = p;
        return true;
    }

private:
    std::string_view bytes_;
    size_t position_ = 0;
};

}  // namespace vorlen::store
