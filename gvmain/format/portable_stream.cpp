#include "portable_stream.h"

#include <cstring>
#include <limits>

namespace gvmain {
namespace {

constexpr uint8_t longStringMark = 255;

}  // namespace

bool PortableStream::Take(size_t size, const uint8_t*& bytes) {
    if (failed_ || size > Remaining())
        return Fail();
    bytes = data_.data() + position_;
    position_ += size;
    return true;
}

uint32_t PortableStream::ReadLittleEndian(const uint8_t* bytes, size_t size) const {
    uint32_t value = 0;
    for (size_t i = size; i-- > 0;)
        value = (value << 8) | bytes[i];
    return value;
}

bool PortableStream::ReadInt(int32_t& value) {
    const uint8_t* bytes = nullptr;
    if (width_ == IntWidth::Bits16) {
        if (!Take(2, bytes))
            return false;
        value = static_cast<int16_t>(ReadLittleEndian(bytes, 2));
        return true;
    }
    if (!Take(4, bytes))
        return false;
    value = static_cast<int32_t>(ReadLittleEndian(bytes, 4));
    return true;
}

bool PortableStream::ReadDword(uint32_t& value) {
    const uint8_t* bytes = nullptr;
    if (!Take(4, bytes))
        return false;
    value = ReadLittleEndian(bytes, 4);
    return true;
}

bool PortableStream::ReadWord(uint16_t& value) {
    const uint8_t* bytes = nullptr;
    if (!Take(2, bytes))
        return false;
    value = static_cast<uint16_t>(ReadLittleEndian(bytes, 2));
    return true;
}

bool PortableStream::ReadString(std::string& value) {
    const uint8_t* bytes = nullptr;
    if (!Take(1, bytes))
        return false;
    size_t length = bytes[0];
    if (length == longStringMark) {
        uint16_t longLength = 0;
        if (!ReadWord(longLength))
            return false;
        length = longLength;
    }
    if (!Take(length, bytes))
        return false;
    value.assign(reinterpret_cast<const char*>(bytes), length);
    return true;
}

bool PortableStream::ReadBlock(void* buffer, size_t size) {
    const uint8_t* bytes = nullptr;
    if (!Take(size, bytes))
        return false;
    if (size > 0)
        std::memcpy(buffer, bytes, size);
    return true;
}

bool PortableStream::WriteInt(int32_t value) {
    if (width_ == IntWidth::Bits16) {
        if (value < std::numeric_limits<int16_t>::min() || value > std::numeric_limits<int16_t>::max())
            return Fail();
        return WriteWord(static_cast<uint16_t>(value));
    }
    return WriteDword(static_cast<uint32_t>(value));
}

bool PortableStream::WriteDword(uint32_t value) {
    const uint8_t bytes[4] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                              static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
    return WriteBlock(bytes, sizeof bytes);
}

bool PortableStream::WriteWord(uint16_t value) {
    const uint8_t bytes[2] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8)};
    return WriteBlock(bytes, sizeof bytes);
}

bool PortableStream::WriteString(const std::string& value) {
    if (value.size() > std::numeric_limits<uint16_t>::max())
        return Fail();
    if (value.size() < longStringMark) {
        uint8_t length = static_cast<uint8_t>(value.size());
        if (!WriteBlock(&length, 1))
            return false;
    } else if (!WriteBlock(&longStringMark, 1) || !WriteWord(static_cast<uint16_t>(value.size()))) {
        return false;
    }
    return WriteBlock(value.data(), value.size());
}

bool PortableStream::WriteBlock(const void* buffer, size_t size) {
    if (failed_)
        return false;
    const uint8_t* bytes = static_cast<const uint8_t*>(buffer);
    data_.insert(data_.end(), bytes, bytes + size);
    return true;
}

}  // namespace gvmain
