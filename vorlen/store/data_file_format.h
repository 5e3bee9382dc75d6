// The records of the data file, written and read in one place. Integers in
// binary fields are 32-bit little-endian; "|%d|" fields are decimal numbers
// between vertical bars; texts carry a 32-bit length.
#pragma once

#include "vorlen/core/event_node.h"
#include "vorlen/core/type_list.h"
#include "vorlen/store/byte_reader.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

namespace vorlen::store::format {

// The fixed start of every data file: 0xFE, the product tag, 0xFE and the
// opening of the version tag.
constexpr std::string_view fileStart = "\xFE<TOLVANE VORLEN>\xFE<DATA><VERSION =";
constexpr std::string_view endData = "<END_DATA>";
constexpr char endByte = '\xFE';

// Collects a file's bytes. Each record reserves room for its largest form
// once and is then written without further checks.
class ByteWriter {
public:
    void Reserve(size_t count) {
        if (size_ + count > buffer_.size())
            buffer_.resize(std::max(buffer_.size() * 2, size_ + count));
    }
    // Only within reserved room.
    void Put(const char* bytes, size_t count) {
        if (count == 0)
            return;  // an empty view may have no data pointer at all
        std::memcpy(buffer_.data() + size_, bytes, count);
        size_ += count;
    }
    void Put(std::string_view bytes) { Put(bytes.data(), bytes.size()); }
    char* End() { return buffer_.data() + size_; }
    void Advance(size_t count) { size_ += count; }
    // Reserves and writes.
    void Append(std::string_view bytes) {
        Reserve(bytes.size());
        Put(bytes);
    }
    std::string Take() {
        buffer_.resize(size_);
        size_ = 0;
        return std::move(buffer_);
    }

private:
    std::string buffer_;
    size_t size_ = 0;
};

void AppendInt(ByteWriter& out, int32_t value);
void AppendNumber(ByteWriter& out, int32_t value);  // "|%d|"
void AppendText(ByteWriter& out, const OptionalText& text);
void AppendEvent(ByteWriter& out, const EventNode& event);
void AppendCategory(ByteWriter& out, const TypeNode& category);

bool ReadNumber(ByteReader& in, int32_t& value);  // "|%d|"
// A text of any length the rest of the data can hold; an empty one for a
// length of 0.
bool ReadText(ByteReader& in, OptionalText& text);
// One record of an EVENTDB2 section, or of the older EVENTDBE section.
bool ReadEvent(ByteReader& in, EventNode& event);
bool ReadOlderEvent(ByteReader& in, EventNode& event);
bool ReadCategory(ByteReader& in, TypeFields& category);

}  // namespace vorlen::store::format
