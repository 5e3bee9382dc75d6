#include "data_file_format.h"

#include <charconv>

namespace vorlen::store::format {
namespace {

// The most a "|%d|" field takes, and a text's length field.
constexpr size_t numberRoom = 13;
constexpr size_t lengthRoom = 4;

void AppendDate(ByteWriter& out, const Date& date) {
    AppendInt(out, date.day);
    AppendInt(out, date.month);
    AppendInt(out, date.year);
}

void AppendTime(ByteWriter& out, const Time& time) {
    AppendInt(out, time.hour);
    AppendInt(out, time.minute);
}

bool ReadDate(ByteReader& in, Date& date) {
    return in.Int32(date.day) && in.Int32(date.month) && in.Int32(date.year);
}

bool ReadTime(ByteReader& in, Time& time) {
    return in.Int32(time.hour) && in.Int32(time.minute);
}

// Fields 1-7, the same in both event sections: the dates, the times, the
// period and, for monthly-by-position events only, the position.
bool ReadEventStart(ByteReader& in, EventNode& event) {
    if (!ReadDate(in, event.startDate) || !ReadDate(in, event.endDate) || !ReadDate(in, event.rangeEndDate) ||
        !ReadTime(in, event.startTime) || !ReadTime(in, event.endTime) || !ReadNumber(in, event.period))
        return false;
    if (event.period != PeriodMonthlyByPosition)
        return true;
    MonthlyPosition& position = event.monthlyPosition;
    return in.Int32(position.weekOrdinal) && in.Int32(position.weekday) && in.Int32(position.monthSel);
}

}  // namespace

void AppendInt(ByteWriter& out, int32_t value) {
    uint32_t bits = static_cast<uint32_t>(value);
    const char bytes[4] = {static_cast<char>(bits), static_cast<char>(bits >> 8),
                           static_cast<char>(bits >> 16), static_cast<char>(bits >> 24)};
    out.Put(bytes, sizeof bytes);
}

void AppendNumber(ByteWriter& out, int32_t value) {
    char* start = out.End();
    *start = '|';
    char* end = std::to_chars(start + 1, start + numberRoom - 1, value).ptr;
    *end++ = '|';
    out.Advance(static_cast<size_t>(end - start));
}

void AppendText(ByteWriter& out, const OptionalText& text) {
    std::string_view bytes = text.view();
    AppendInt(out, static_cast<int32_t>(bytes.size()));
    out.Put(bytes);
}

void AppendEvent(ByteWriter& out, const EventNode& event) {
    out.Reserve(3 * 12 + 2 * 8 + 12 + 6 * numberRoom + 6 * lengthRoom + event.reservedText.view().size() +
                event.description.view().size() + event.typeName.view().size() +
                event.location.view().size() + event.extraInfo.view().size() + event.soundFile.view().size());
    AppendDate(out, event.startDate);
    AppendDate(out, event.endDate);
    AppendDate(out, event.rangeEndDate);
    AppendTime(out, event.startTime);
    AppendTime(out, event.endTime);
    AppendNumber(out, event.period);
    if (event.period == PeriodMonthlyByPosition) {
        AppendInt(out, event.monthlyPosition.weekOrdinal);
        AppendInt(out, event.monthlyPosition.weekday);
        AppendInt(out, event.monthlyPosition.monthSel);
    }
    AppendNumber(out, event.autoDelete);
    AppendNumber(out, event.warningDays);
    AppendText(out, event.reservedText);
    AppendText(out, event.description);
    AppendText(out, event.typeName);
    AppendText(out, event.location);
    AppendText(out, event.extraInfo);
    AppendText(out, event.soundFile);
    AppendNumber(out, event.repeatDays);
    AppendNumber(out, event.alarmMinutes);
}

void AppendCategory(ByteWriter& out, const TypeNode& category) {
    out.Reserve(2 * lengthRoom + category.name.view().size() + category.defaultLocation.view().size() +
                4 * numberRoom + 12);
    AppendText(out, category.name);
    AppendText(out, category.defaultLocation);
    AppendNumber(out, category.defaultPeriod);
    AppendNumber(out, category.spareValue);
    AppendNumber(out, category.defaultWarningDays);
    AppendNumber(out, category.defaultAutoDelete);
    AppendDate(out, category.spareDate);
}

bool ReadNumber(ByteReader& in, int32_t& value) {
    return in.Expect('|') && in.Decimal(value) && in.Expect('|');
}

bool ReadText(ByteReader& in, OptionalText& text) {
    int32_t length = 0;
    std::string_view bytes;
    if (!in.Int32(length) || length < 0 || !in.Bytes(static_cast<size_t>(length), bytes))
        return false;
    text = OptionalText(bytes);
    return true;
}

bool ReadEvent(ByteReader& in, EventNode& event) {
    return ReadEventStart(in, event) && ReadNumber(in, event.autoDelete) &&
           ReadNumber(in, event.warningDays) && ReadText(in, event.reservedText) &&
           ReadText(in, event.description) && ReadText(in, event.typeName) && ReadText(in, event.location) &&
           ReadText(in, event.extraInfo) && ReadText(in, event.soundFile) &&
           ReadNumber(in, event.repeatDays) && ReadNumber(in, event.alarmMinutes);
}

bool ReadOlderEvent(ByteReader& in, EventNode& event) {
    int32_t dropped = 0;
    return ReadEventStart(in, event) && ReadNumber(in, dropped) && ReadNumber(in, event.autoDelete) &&
           ReadNumber(in, event.warningDays) && ReadText(in, event.reservedText) &&
           ReadText(in, event.description) && ReadText(in, event.typeName) && ReadText(in, event.location) &&
           ReadNumber(in, event.repeatDays);
}

bool ReadCategory(ByteReader& in, TypeFields& category) {
    return ReadText(in, category.name) && ReadText(in, category.defaultLocation) &&
           ReadNumber(in, category.defaultPeriod) && ReadNumber(in, category.spareValue) &&
           ReadNumber(in, category.defaultWarningDays) && ReadNumber(in, category.defaultAutoDelete) &&
           ReadDate(in, category.spareDate);
}

}  // namespace vorlen::store::format
