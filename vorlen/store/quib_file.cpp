#include "quib_file.h"

#include "vorlen/store/byte_reader.h"

#include <cctype>

namespace vorlen::store {
namespace {

// Where a record's fields lie, by file version; -1 for fields a version
// lacks.
struct RecordLayout {
    size_t size;
    int endTime;
    int endLetter;
    int repeatDays;
    int periodLetter;
    int categoryLetter;
    int categoryName;
    int description;
};

constexpr RecordLayout version9{231, -1, -1, -1, 20, 21, 22, 162};
constexpr RecordLayout version10{174, 16, 20, 22, 24, 25, 27, 104};

int16_t Short(std::string_view record, size_t offset) {
    return static_cast<int16_t>(static_cast<unsigned char>(record[offset]) |
                                static_cast<unsigned char>(record[offset + 1]) << 8);
}

// The NUL-terminated text at `offset`, ending at the record's end at the
// latest.
std::string_view CString(std::string_view record, size_t offset) {
    std::string_view rest = record.substr(offset);
    return rest.substr(0, rest.find('\0'));
}

Time RecordTime(std::string_view record, size_t offset, char letter) {
    Time time(Short(record, offset), Short(record, offset + 2));
    if (std::toupper(static_cast<unsigned char>(letter)) == 'P' && time.hour != 12)
        time.hour += 12;
    return time;
}

const char* YearlyCategory(char letter) {
    switch (letter) {
    case 'A': return "Annual Event";
    case 'B': return "Birthday";
    case 'D': return "Death Memorial";
    case 'H': return "Holiday";
    case 'W': return "Wedding Aniversary";
    default: return "Unable to convert type!";
    }
}

const char* OtherCategory(char letter) {
    switch (letter) {
    case 'A': return "Appointment";
    case 'C': return "Class/Lecture";
    case 'E': return "Exam/Test";
    case 'H': return "Holiday";
    case 'M': return "Meeting";
    case 'N': return "Event";
    case 'S': return "Social Event";
    case 'T': return "Travel";
    default: return "Unable to convert type!";
    }
}

// The record's three date numbers mean different things by period: a
// weekday, a position, a day of the month, a day and month, or a date.
void SetDates(EventNode& event, char periodLetter, int16_t a, int16_t b, int16_t c) {
    switch (periodLetter) {
    case 'W': event.startDate = Date(b - 1, 1, 1900); break;
    case 'S':
        event.monthlyPosition = {a, b, c};
        event.startDate = Date(1, 1, 1900);
        break;
    case 'M': event.startDate = Date(a, 1, 1900); break;
    case 'Y': event.startDate = Date(a, b, 1900); break;
    default: event.startDate = Date(a, b, c); break;
    }
}

void ConvertRecord(std::string_view record, const RecordLayout& layout, EventNode& event) {
    char periodLetter = record[layout.periodLetter];
    char categoryLetter = record[layout.categoryLetter];
    SetDates(event, periodLetter, Short(record, 0), Short(record, 2), Short(record, 4));
    event.warningDays = Short(record, 6);
    event.startTime = RecordTime(record, 8, record[14]);
    if (layout.endTime >= 0) {
        event.endTime = RecordTime(record, layout.endTime, record[layout.endLetter]);
        event.repeatDays = Short(record, layout.repeatDays);
    }
    event.SetPeriodFromLetter(periodLetter);
    if (categoryLetter == '*')
        event.typeName = OptionalText(CString(record, layout.categoryName));
    else
        event.typeName = OptionalText(periodLetter == 'Y' ? YearlyCategory(categoryLetter)
                                                          : OtherCategory(categoryLetter));
    event.description = OptionalText(CString(record, layout.description));
}

}  // namespace

bool ConvertQuib(std::string_view bytes, Eventlist& events) {
    ByteReader in(bytes);
    uint8_t version = 0;
    if (!in.Expect('U') || !in.Byte(version) || (version != 9 && version != 10))
        return false;
    const RecordLayout& layout = version == 9 ? version9 : version10;
    int32_t count = 0;
    in.SkipBlanks();
    if (!in.Decimal(count) || count < 0)
        return false;
    in.SkipBlanks();
    if (!in.Skip(1))
        return false;

    Eventlist converted;
    for (int32_t i = 0; i < count; ++i) {
        std::string_view record;
        if (!in.Bytes(layout.size, record))
            return false;
        ConvertRecord(record, layout, *converted.Add());
    }
    if (count != 0 && !in.Expect('U'))
        return false;
    events.Splice(converted);
    return true;
}

}  // namespace vorlen::store
