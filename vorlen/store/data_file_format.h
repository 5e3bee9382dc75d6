// The records of the data file, written and read in one place. Integers in
// binary fields are 32-bit little-endian; "|%d|" fields are decimal numbers
// between vertical bars; texts carry a 32-bit length.
#pragma once

#include "vorlen/core/event_node.h"
#include "vorlen/core/type_list.h"
#include "vorlen/store/byte_reader.h"

#include <string>
#include <string_view>

namespace vorlen::store::format {

// The fixed start of every data file: 0xFE, the product tag, 0xFE and the
// opening of the version tag.
constexpr std::string_view fileStart = "\xFE<TOLVANE VORLEN>\xFE<DATA><VERSION =";
constexpr std::string_view endData = "<END_DATA>";
constexpr char endByte = '\xFE';

void AppendInt(std::string& out, int32_t value);
void AppendNumber(std::string& out, int32_t value);  // "|%d|"
void AppendText(std::string& out, const OptionalText& text);
void AppendEvent(std::string& out, const EventNode& event);
void AppendCategory(std::string& out, const TypeNode& category);

bool ReadNumber(ByteReader& in, int32_t& value);  // "|%d|"
// A text of any length the rest of the data can hold; an empty one for a
// length of 0.
bool ReadText(ByteReader& in, OptionalText& text);
// One record of an EVENTDB2 section, or of the older EVENTDBE section.
bool ReadEvent(ByteReader& in, EventNode& event);
bool ReadOlderEvent(ByteReader& in, EventNode& event);
bool ReadCategory(ByteReader& in, TypeFields& category);

}  // namespace vorlen::store::format
