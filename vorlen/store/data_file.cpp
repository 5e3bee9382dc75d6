#include "data_file.h"

#include "vorlen/platform/file_io.h"
#include "vorlen/store/csv_export.h"
#include "vorlen/store/data_file_format.h"
#include "vorlen/store/quib_file.h"

namespace vorlen::store {
namespace {

constexpr FormatVersion programVersion;
constexpr char unknownOwner[] = "Unknown Owner";
constexpr char defaultTitle[] = "Personal Event Database";
constexpr char laterVersionText[] = "The data file you are trying to open comes from a later version of Vorlen";
constexpr char downgradeQuestion[] =
    "The data file you are trying to open comes from a later version of Vorlen. It is possible that the data "
    "file is still compatible with this version, however it also might not be. Do you wish to try to load the "
    "data? ";

bool IsLaterVersion(const FormatVersion& version) {
    return version.major > programVersion.major ||
           (version.major == programVersion.major && version.minor > programVersion.minor);
}

// After the fixed start: " major.minor.build>", blanks allowed before each
// number.
bool ReadVersion(ByteReader& in, FormatVersion& version) {
    in.SkipBlanks();
    if (!in.Decimal(version.major) || !in.Expect("."))
        return false;
    in.SkipBlanks();
    if (!in.Decimal(version.minor) || !in.Expect("."))
        return false;
    in.SkipBlanks();
    return in.Decimal(version.build) && in.Expect(">");
}

// Up to maxLength bytes that can belong to a tag word.
std::string_view ReadWord(ByteReader& in, size_t maxLength) {
    size_t start = in.Position();
    std::string_view word;
    size_t length = 0;
    for (int c = in.Peek(); length < maxLength && c > ' ' && c != '=' && c != '>' && c != '<'; c = in.Peek()) {
        in.Skip(1);
        ++length;
    }
    in.Seek(start);
    in.Bytes(length, word);
    return word;
}

bool ReadCount(ByteReader& in, int32_t& count) {
    return in.Expect("[") && in.Decimal(count) && in.Expect("]") && count >= 0;
}

// What a data file holds, read completely before anything of it reaches
// the caller's lists.
struct FileContents {
    FormatVersion version;
    OptionalText owner;
    OptionalText title;
    uint8_t isArchive = 0;
    Eventlist events;
    Typelist types;
};

void AddCategoryIfMissing(Typelist& types, const OptionalText& name) {
    // A category needs a name to be shown and chosen; an empty one is left
    // out.
    if (!name.view().empty() && !types.Find(name.view()))
        types.Add(name.view());
}

bool ReadEventSection(ByteReader& in, bool older, FileContents& file) {
    int32_t count = 0;
    if (!ReadCount(in, count))
        return false;
    bool addCategories = file.version.major == 0 && file.version.minor < 9;
    for (int32_t i = 0; i < count; ++i) {
        EventNode* event = file.events.Add();
        if (!(older ? format::ReadOlderEvent(in, *event) : format::ReadEvent(in, *event)))
            return false;
        if (addCategories)
            AddCategoryIfMissing(file.types, event->typeName);
    }
    return true;
}

bool ReadCategorySection(ByteReader& in, FileContents& file) {
    int32_t count = 0;
    if (!ReadCount(in, count))
        return false;
    for (int32_t i = 0; i < count; ++i) {
        TypeFields record;
        if (!format::ReadCategory(in, record))
            return false;
        // A name already present (the built-in ones always are) keeps the
        // list's own values.
        if (TypeNode* added = file.types.Add(record.name.view()))
            static_cast<TypeFields&>(*added) = std::move(record);
    }
    return true;
}

// The sections up to the end tag. False for anything that cannot be read
// as the format says: a damaged file is refused, not half loaded.
bool ReadSections(ByteReader& in, FileContents& file) {
    for (;;) {
        size_t sectionStart = in.Position();
        if (!in.Expect("<") || ReadWord(in, 7) != "SECTION" || (in.SkipBlanks(), !in.Expect("="))) {
            in.Seek(sectionStart);
            break;
        }
        in.SkipBlanks();
        std::string_view name = ReadWord(in, 8);
        if (!in.Expect(">"))
            return false;
        bool ok = true;
        if (name == "EVENTDB2" || name == "EVENTDBE")
            ok = ReadEventSection(in, name == "EVENTDBE", file);
        else if (name == "TYPELIST")
            ok = ReadCategorySection(in, file);
        if (!ok || !in.Expect("<END_SECTION>"))
            return false;
    }
    // The end tag's word is not checked, but the tag must be there.
    if (!in.Expect("<"))
        return false;
    ReadWord(in, 8);
    return in.Expect(">");
}

// Older files kept all-day events as 00:00 to 00:00.
void ClearMidnightTimes(Eventlist& events) {
    for (EventNode& event : events) {
        if (event.startTime.hour == 0 && event.startTime.minute == 0 && event.endTime.hour == 0 &&
            event.endTime.minute == 0) {
            event.startTime = Time();
            event.endTime = Time();
        }
    }
}

void AddMissingCategories(const Eventlist& events, Typelist& types) {
    for (const EventNode& event : events)
        AddCategoryIfMissing(types, event.typeName);
}

}  // namespace

void DataFile::SetFileName(const char* text) {
    if (text)
        fileName = OptionalText(text);
}

void DataFile::SetOwner(const char* text) {
    if (text)
        owner = OptionalText(text);
}

void DataFile::SetTitle(const char* text) {
    if (text)
        title = OptionalText(text);
}

bool DataFile::New(const std::string& name, bool mayOverwrite, Eventlist& events, Typelist& types,
                   const Date& today) {
    if (name.empty() || (!mayOverwrite && platform::CanOpenForReading(name)))
        return false;
    fileName = OptionalText(name);
    owner = OptionalText(unknownOwner);
    title = OptionalText(defaultTitle);
    isArchive = 0;  // a new database is no archive, whatever was open before
    events.DeleteAll();
    types.RemoveNonBuiltIn();
    types.AddStandard();
    EventNode* welcome = events.Add();
    welcome->SetDescription("Welcome to Tolvane Vorlen 98!");
    welcome->startDate = today;
    welcome->period = PeriodOnceOff;
    welcome->SetTypeName("Appointment");
    welcome->SetLocation("");
    welcome->SetExtraInfo("Tolvane Vorlen is the perfect way to keep organised!");
    isOpen = 1;
    saved = 0;
    return true;
}

int DataFile::Load(Eventlist& events, Typelist& types, DataFilePrompts& prompts) {
    std::string bytes;
    if (!fileName || !platform::ReadWholeFile(std::string(fileName.view()), bytes, &lastError_))
        return notLoaded;
    return LoadBytes(bytes, events, types, prompts);
}

int DataFile::LoadBytes(std::string_view bytes, Eventlist& events, Typelist& types, DataFilePrompts& prompts) {
    FileContents file;
    file.types.CopyFrom(types);
    if (!bytes.empty() && bytes[0] == 'U') {
        if (!ConvertQuib(bytes, file.events)) {
            isOpen = 0;
            return notLoaded;
        }
        AddMissingCategories(file.events, file.types);
        events.Splice(file.events);
        types.Swap(file.types);
        fileName = OptionalText("unknown.vor");  // never save over the foreign file
        isOpen = 1;
        saved = 1;
        return convertedQuib;
    }

    ByteReader in(bytes);
    if (!in.Expect(format::fileStart) || !ReadVersion(in, file.version))
        return notLoaded;
    if (IsLaterVersion(file.version) && !prompts.AskYesNo("Downgrade?", downgradeQuestion))
        return notLoaded;
    if (!format::ReadText(in, file.owner) || !format::ReadText(in, file.title) || !in.Byte(file.isArchive) ||
        !ReadSections(in, file))
        return notLoaded;
    AddMissingCategories(file.events, file.types);
    ClearMidnightTimes(file.events);

    owner = std::move(file.owner);
    title = std::move(file.title);
    isArchive = file.isArchive;
    events.Splice(file.events);
    types.Swap(file.types);
    isOpen = 1;
    saved = 1;
    return loadedData;
}

std::string DataFile::SaveBytes(const Eventlist& events, const Typelist& types) {
    if (!owner)
        owner = OptionalText(unknownOwner);
    if (!title)
        title = OptionalText(defaultTitle);
    std::string out;
    out.reserve(256 + static_cast<size_t>(events.count) * 160 + static_cast<size_t>(types.count) * 64);
    out += format::fileStart;
    out += " " + std::to_string(programVersion.major) + "." + std::to_string(programVersion.minor) + "." +
           std::to_string(programVersion.build) + ">";
    format::AppendText(out, owner);
    format::AppendText(out, title);
    out += static_cast<char>(isArchive);
    out += "<SECTION = EVENTDB2>[" + std::to_string(events.count) + "]";
    for (const EventNode& event : events)
        format::AppendEvent(out, event);
    out += "<END_SECTION><SECTION = TYPELIST>[" + std::to_string(types.count) + "]";
    for (const TypeNode& category : types)
        format::AppendCategory(out, category);
    out += "<END_SECTION>";
    out += format::endData;
    out += format::endByte;
    return out;
}

bool DataFile::Save(const Eventlist& events, const Typelist& types) {
    if (!isOpen || !fileName) {
        lastError_ = "No data file is open";
        return false;
    }
    if (!platform::WriteFileAtomically(std::string(fileName.view()), SaveBytes(events, types), &lastError_))
        return false;
    saved = 1;
    return true;
}

bool DataFile::ReadHeader(DataFilePrompts& prompts) {
    std::string bytes;
    if (!fileName || !platform::ReadWholeFile(std::string(fileName.view()), bytes, &lastError_))
        return false;
    if (!bytes.empty() && bytes[0] == 'U') {
        isOpen = 0;
        return false;
    }
    ByteReader in(bytes);
    FormatVersion version;
    OptionalText fileOwner;
    OptionalText fileTitle;
    if (!in.Expect(format::fileStart) || !ReadVersion(in, version))
        return false;
    if (IsLaterVersion(version))
        prompts.Notify("Warning", laterVersionText);
    if (!format::ReadText(in, fileOwner) || !format::ReadText(in, fileTitle))
        return false;
    owner = std::move(fileOwner);
    title = std::move(fileTitle);
    isOpen = 0;
    saved = 0;
    return true;
}

bool DataFile::ExportCsv(const std::string& path, const Eventlist& events) {
    return platform::WriteFileAtomically(path, CsvText(events), &lastError_);
}

}  // namespace vorlen::store
