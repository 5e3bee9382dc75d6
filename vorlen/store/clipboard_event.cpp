#include "clipboard_event.h"

#include "vorlen/store/byte_reader.h"
#include "vorlen/store/data_file_format.h"

namespace vorlen::store {
namespace {

// A later layout gets a new tag, which this version refuses.
constexpr std::string_view tag = "<VORLEN EVENT 1>";

}  // namespace

std::string SerialiseEvent(const EventNode& event) {
    format::ByteWriter out;
    out.Append(tag);
    format::AppendEvent(out, event);
    out.Reserve(12);
    format::AppendInt(out, event.monthlyPosition.weekOrdinal);
    format::AppendInt(out, event.monthlyPosition.weekday);
    format::AppendInt(out, event.monthlyPosition.monthSel);
    return out.Take();
}

bool DeserialiseEvent(std::string_view bytes, EventNode& event) {
    ByteReader in(bytes);
    MonthlyPosition& position = event.monthlyPosition;
    return in.Expect(tag) && format::ReadEvent(in, event) && in.Int32(position.weekOrdinal) &&
           in.Int32(position.weekday) && in.Int32(position.monthSel) && in.AtEnd();
}

}  // namespace vorlen::store
