#include "vcalendar.h"

#include <libical/vcc.h>
#include <libical/vobject.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "vorlen/platform/file_io.h"
#include "vorlen/platform/text_encoding.h"
#include "vorlen/store/vcalendar_input.h"
#include "vorlen/store/vcalendar_rules.h"

// libicalvcal keeps global state (its string table, the parser's statics
// and error callback), so a vSup belongs to one thread, as the windows do.

namespace vorlen::store {
namespace {

constexpr char productId[] = "-//Tolvane Software Australia//Tolvane Vorlen//EN";
// Far beyond any real calendar; refused before anything is read or parsed.
constexpr size_t maxInputBytes = size_t{64} << 20;
// Taken for an imported event whose CATEGORIES is missing or empty.
constexpr char defaultCategory[] = "Normal";

// Texts that libicalvcal allocates with malloc and hands over.
struct MallocFree {
    void operator()(char* text) const { std::free(text); }
};
using LibraryText = std::unique_ptr<char, MallocFree>;

// The parser reports through one global callback that has no context
// pointer and cannot be read back. This registers a callback for one parse,
// keeps the first real message and leaves no callback behind, as the
// library starts.
class ParseErrors {
public:
    ParseErrors() {
        active_ = this;
        registerMimeErrorHandler(&Report);
    }
    ~ParseErrors() {
        registerMimeErrorHandler(nullptr);
        active_ = nullptr;
    }
    ParseErrors(const ParseErrors&) = delete;
    ParseErrors& operator=(const ParseErrors&) = delete;

    const std::string& First() const { return first_; }

private:
    static void Report(char* message) {
        if (!active_ || !message || !active_->first_.empty())
            return;
        std::string text(message);
        // 3.0.16 reports this at the end of every parse, good or bad.
        if (text.rfind("pop on empty Object Stack", 0) == 0)
            return;
        std::replace(text.begin(), text.end(), '\n', ' ');
        active_->first_ = text;
    }

    static thread_local ParseErrors* active_;
    std::string first_;
};

thread_local ParseErrors* ParseErrors::active_ = nullptr;

// "syntax error at line 3" of a chunk, told with the line of the input.
std::string InputMessage(const std::string& message, const ParserChunk& chunk) {
    static constexpr char marker[] = " at line ";
    size_t at = message.rfind(marker);
    if (at == std::string::npos)
        return message;
    int32_t line = std::atoi(message.c_str() + at + sizeof marker - 1);
    return message.substr(0, at) + marker + std::to_string(chunk.SourceLine(line));
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) ==
                      std::toupper(static_cast<unsigned char>(y));
           });
}

// Names are matched exactly, case and all.
bool IsNamed(VObject* object, const char* name) {
    const char* own = vObjectName(object);
    return own && std::strcmp(own, name) == 0;
}

// The first property of the object with that name, or null.
VObject* FindProperty(VObject* object, const char* name) {
    VObjectIterator properties;
    initPropIterator(&properties, object);
    while (moreIteration(&properties)) {
        VObject* property = nextVObject(&properties);
        if (IsNamed(property, name))
            return property;
    }
    return nullptr;
}

// A value's bytes. Parsed values, and those of addPropValue, are wide
// strings holding one byte per character, with line breaks moved to
// U+2028/U+2029; fakeCString undoes exactly that.
std::string ValueBytes(VObject* property) {
    switch (vObjectValueType(property)) {
    case VCVT_STRINGZ: {
        const char* text = vObjectStringZValue(property);
        return text ? text : "";
    }
    case VCVT_USTRINGZ: {
        LibraryText text(fakeCString(vObjectUStringZValue(property)));
        return text ? text.get() : "";
    }
    default: return {};
    }
}

// Non-ASCII bytes that all form well-made UTF-8 sequences. Windows-1252
// text with accents almost never does.
bool LooksLikeUtf8(std::string_view bytes) {
    bool nonAscii = false;
    for (size_t i = 0; i < bytes.size();) {
        auto lead = static_cast<unsigned char>(bytes[i]);
        size_t length = lead < 0x80                    ? 1
                        : lead >= 0xC2 && lead <= 0xDF ? 2
                        : lead >= 0xE0 && lead <= 0xEF ? 3
                        : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                       : 0;
        if (length == 0 || i + length > bytes.size())
            return false;
        for (size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80)
                return false;
        }
        nonAscii = nonAscii || length > 1;
        i += length;
    }
    return nonAscii;
}

// The value as Windows-1252 text. Phones write UTF-8, with a CHARSET
// parameter or without one.
std::string ValueText(VObject* property) {
    std::string bytes = ValueBytes(property);
    VObject* charset = FindProperty(property, "CHARSET");
    bool utf8 = charset ? EqualsNoCase(ValueBytes(charset), "UTF-8") : LooksLikeUtf8(bytes);
    return utf8 ? platform::Utf8ToWindows1252(bytes) : bytes;
}

// A vCalendar date-time as a date and a time. A bare date ("19980302") and
// a local midnight ("19980302T000000", no "Z") are days without a time:
// AddEvent writes all-day events so, and so do other programs.
bool ReadDateTime(std::string_view text, Date& date, Time& time) {
    std::string value(Trim(text));
    if (value.size() == 8 &&
        std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; }))
        value += "T000000";
    DateTime parsed;
    if (!parsed.ParseVCal(value) || !parsed.date.IsValid())
        return false;
    date = parsed.date;
    time = value.find_first_not_of('0', 9) == std::string::npos ? Time() : parsed.time;
    return true;
}

// An all-day value is the date at midnight without "Z": shifting a day
// without a time to UTC would only move it to another day.
std::string DateTimeText(const Date& date, const Time& time) {
    if (!time.IsValid())
        return date.CompactText() + time.VCalText();
    return DateTime(date, time).VCalUtcText();
}

// A plain property ends at a line break, so single-line texts lose theirs.
std::string OneLine(std::string_view text) {
    std::string line(text);
    std::replace(line.begin(), line.end(), '\r', ' ');
    std::replace(line.begin(), line.end(), '\n', ' ');
    return line;
}

// The first of a list of categories, "MEETING;WORK".
std::string FirstCategory(std::string_view categories) {
    return std::string(Trim(categories.substr(0, categories.find(';'))));
}

void ImportEvent(VObject* vevent, EventNode& event) {
    VObject* start = FindProperty(vevent, "DTSTART");
    std::string startText = start ? ValueText(start) : std::string();
    bool hasStart = ReadDateTime(startText, event.startDate, event.startTime);
    if (VObject* end = FindProperty(vevent, "DTEND")) {
        std::string endText = ValueText(end);
        Date endDate;
        Time endTime;
        // DTEND repeats DTSTART for an event without an end; an end on the
        // start day is the end time of a one-day event.
        if (Trim(endText) != Trim(startText) && ReadDateTime(endText, endDate, endTime)) {
            event.endTime = endTime;
            if (!hasStart || endDate.DayNumber() > event.startDate.DayNumber())
                event.endDate = endDate;
        }
    }
    if (VObject* summary = FindProperty(vevent, "SUMMARY"))
        event.description = OptionalText(ValueText(summary));
    if (VObject* description = FindProperty(vevent, "DESCRIPTION"))
        event.extraInfo = OptionalText(ValueText(description));
    if (VObject* location = FindProperty(vevent, "LOCATION"))
        event.location = OptionalText(ValueText(location));
    VObject* categories = FindProperty(vevent, "CATEGORIES");
    std::string category = categories ? FirstCategory(ValueText(categories)) : std::string();
    event.typeName = OptionalText(category.empty() ? std::string(defaultCategory) : category);

    // An event without a usable start can never occur; it stays undefined
    // for the user to mend instead of being taken as long past.
    event.period = hasStart ? PeriodOnceOff : PeriodUndefined;
    if (hasStart) {
        if (VObject* rule = FindProperty(vevent, "RRULE"))
            ReadRule(ValueText(rule), event);
    }
}

void SetError(std::string* error, std::string message) {
    if (error)
        *error = std::move(message);
}

}  // namespace

void vSup::ObjectDeleter::operator()(VObject* object) const {
    // A parse gives a list of top-level objects; a built calendar is a list
    // of one.
    cleanVObjects(object);
}

vSup::vSup() : imported_(std::make_unique<Eventlist>()) {
    NewCalendar();
}

vSup::~vSup() = default;

void vSup::NewCalendar() {
    vcal_.reset(newVObject("VCALENDAR"));
    addPropValue(vcal_.get(), "PRODID", productId);
    addPropValue(vcal_.get(), "VERSION", "1.0");
}

void vSup::AddEvent(const EventNode& event) {
    VObject* vevent = addProp(vcal_.get(), "VEVENT");
    std::string start = DateTimeText(event.startDate, event.startTime);
    std::string end = start;
    if (event.endDate.IsValid())
        end = DateTimeText(event.endDate, event.endTime);
    else if (event.endTime.IsValid())
        end = DateTimeText(event.startDate, event.endTime);
    addPropValue(vevent, "DTSTART", start.c_str());
    addPropValue(vevent, "DTEND", end.c_str());
    if (!event.location.view().empty())
        addPropValue(vevent, "LOCATION", OneLine(event.location.view()).c_str());
    if (!event.extraInfo.view().empty()) {
        VObject* description =
            addPropValue(vevent, "DESCRIPTION", std::string(event.extraInfo.view()).c_str());
        addProp(description, "QUOTED-PRINTABLE");
    }
    addPropValue(vevent, "SUMMARY", OneLine(event.description.view()).c_str());
    addPropValue(vevent, "CATEGORIES", OneLine(event.typeName.view()).c_str());
    std::string rule = RuleText(event);
    if (!rule.empty())
        addPropValue(vevent, "RRULE", rule.c_str());
    addPropValue(vevent, "PRIORITY", "3");
}

std::string vSup::WriteToMemory() const {
    LibraryText text(writeMemVObject(nullptr, nullptr, vcal_.get()));
    return text ? std::string(text.get()) : std::string();
}

bool vSup::WriteToFile(const std::string& path, std::string* error) const {
    return platform::WriteFileAtomically(path, WriteToMemory(), error);
}

bool vSup::LoadFromFile(const std::string& path, std::string* error) {
    std::error_code ignored;
    std::uintmax_t size = std::filesystem::file_size(path, ignored);
    if (!ignored && size > maxInputBytes)
        return Fail(path + ": too large for a vCalendar file", error);
    std::string bytes;
    std::string reason;
    if (!platform::ReadWholeFile(path, bytes, &reason))
        return Fail(reason, error);
    return Load(bytes, path + ": not a vCalendar file", error);
}

bool vSup::LoadFromText(std::string_view text, std::string* error) {
    return Load(text, "not vCalendar text", error);
}

bool vSup::Load(std::string_view text, const std::string& failure, std::string* error) {
    std::string problem;
    ObjectPtr parsed = Parse(text, problem);
    if (!parsed)
        return Fail(failure + " (" + problem + ")", error);
    bool hasCalendar = false;
    for (VObject* object = parsed.get(); object && !hasCalendar; object = nextVObjectInList(object))
        hasCalendar = IsNamed(object, "VCALENDAR");
    if (!hasCalendar)
        return Fail(failure + " (it holds no VCALENDAR object)", error);
    vcal_ = std::move(parsed);
    ImportAll();
    return true;
}

vSup::ObjectPtr vSup::Parse(std::string_view text, std::string& problem) {
    if (text.size() > maxInputBytes) {
        problem = "it is too large";
        return nullptr;
    }
    std::vector<ParserChunk> chunks;
    if (!PrepareParserInput(text, chunks, problem))
        return nullptr;
    if (chunks.empty()) {
        problem = "it is empty";
        return nullptr;
    }
    ObjectPtr list;
    VObject* tail = nullptr;
    for (const ParserChunk& chunk : chunks) {
        ParseErrors errors;
        ObjectPtr objects(Parse_MIME(chunk.text.data(), static_cast<unsigned long>(chunk.text.size())));
        if (!objects || !errors.First().empty()) {
            problem =
                errors.First().empty() ? "nothing in it could be read" : InputMessage(errors.First(), chunk);
            return nullptr;
        }
        // addList clears the link of what it appends, so the next object
        // of the chunk is taken first.
        for (VObject* object = objects.release(); object;) {
            VObject* following = nextVObjectInList(object);
            addList(&tail, object);
            if (!list)
                list.reset(object);
            tail = object;
            object = following;
        }
    }
    return list;
}

bool vSup::Fail(std::string message, std::string* error) {
    NewCalendar();
    imported_ = std::make_unique<Eventlist>();
    SetError(error, std::move(message));
    return false;
}

void vSup::ImportAll() {
    imported_ = std::make_unique<Eventlist>();
    for (VObject* object = vcal_.get(); object; object = nextVObjectInList(object)) {
        if (!IsNamed(object, "VCALENDAR"))
            continue;
        VObjectIterator properties;
        initPropIterator(&properties, object);
        while (moreIteration(&properties)) {
            VObject* property = nextVObject(&properties);
            if (IsNamed(property, "VEVENT"))
                ImportEvent(property, *imported_->Add());
        }
    }
}

}  // namespace vorlen::store
