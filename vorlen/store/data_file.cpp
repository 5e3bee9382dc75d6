#include "data_file.h"

#include "vorlen/platform/file_io.h"
#include "vorlen/store/csv_export.h"
#include "vorlen/store/data_file_format.h"
#include "vorlen/store/quib_file.h"

#include <unordered_set>
#include <vector>

namespace vorlen::store {
namespace {

constexpr FormatVersion programVersion;
constexpr char unknownOwner[] = "Unknown Owner";
constexpr char defaultTitle[] = "Personal Event Database";
constexpr char laterVersionText[] =
    "The data file you are trying to open comes from a later version of Vorlen";
constexpr char downgradeQuestion[] =
    "The data file you are trying to open comes from a later version of Vorlen. It is possible that the data "
    "file is still compatible with this version, however it also might not be. Do you wish to try to load "
    "the "
    "data? ";

bool IsLaterVersion(const FormatVersion& version) {
    return version.major > programVersion.major ||
           (version.major == programVersion.major && version.minor > programVersion.minor);
}

// After the fixed start: " major.minor.build>", blanks allowed before each
// number.
bool ReadVersion(ByteReader& in, FormatVersion& version) {
    in.SkipBlanks();
    if (!in.Decimal(version.major) || !in.Expect('.'))
        return false;
    in.SkipBlanks();
    if (!in.Decimal(version.minor) || !in.Expect('.'))
        return false;
    in.SkipBlanks();
    return in.Decimal(version.build) && in.Expect('>');
}

// Up to maxLength bytes that can belong to a tag word.
std::string_view ReadWord(ByteReader& in, size_t maxLength) {
    size_t start = in.Position();
    std::string_view word;
    size_t length = 0;
    for (int c = in.Peek(); length < maxLength && c > ' ' && c != '=' && c != '>' && c != '<';
         c = in.Peek()) {
        in.Skip(1);
        ++length;
    }
    in.Seek(start);
    in.Bytes(length, word);
    return word;
}

bool ReadCount(ByteReader& in, int32_t& count) {
    return in.Expect('[') && in.Decimal(count) && in.Expect(']') && count >= 0;
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
    // The events' category names in order of first use, so that the
    // categories missing after the whole file is read are added without a
    // second walk over the events.
    std::vector<std::string_view> eventCategories;
    std::unordered_set<std::string_view> seenCategories;
};

// The names of a category list, for quick look-ups while many events are
// read. The views point into the list's own nodes, which stay put.
class CategoryNames {
public:
    explicit CategoryNames(const Typelist& types) {
        for (const TypeNode& category : types)
            names_.insert(category.name.view());
    }
    // Adds a category of that name unless there is one. A category needs a
    // name to be shown and chosen, so an empty one is left out.
    void AddIfMissing(Typelist& types, std::string_view name) {
        if (name.empty() || names_.count(name))
            return;
        if (TypeNode* added = types.Add(name))
            names_.insert(added->name.view());
    }

private:
    std::unordered_set<std::string_view> names_;
};

// Older files kept all-day events as 00:00 to 00:00.
void ClearMidnightTimes(EventNode& event) {
    if (event.startTime.hour == 0 && event.startTime.minute == 0 && event.endTime.hour == 0 &&
        event.endTime.minute == 0) {
        event.startTime = Time();
        event.endTime = Time();
    }
}

bool ReadEventSection(ByteReader& in, bool older, FileContents& file) {
    int32_t count = 0;
    if (!ReadCount(in, count))
        return false;
    bool addCategories = file.version.major == 0 && file.version.minor < 9;
    CategoryNames names(file.types);
    for (int32_t i = 0; i < count; ++i) {
        EventNode* event = file.events.Add();
        if (!(older ? format::ReadOlderEvent(in, *event) : format::ReadEvent(in, *event)))
            return false;
        if (addCategories)
            names.AddIfMissing(file.types, event->typeName.view());
        if (file.seenCategories.insert(event->typeName.view()).second)
            file.eventCategories.push_back(event->typeName.view());
        ClearMidnightTimes(*event);
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
        if (!in.Expect('<') || ReadWord(in, 7) != "SECTION" || (in.SkipBlanks(), !in.Expect('='))) {
            in.Seek(sectionStart);
            break;
        }
        in.SkipBlanks();
        std::string_view name = ReadWord(in, 8);
        if (!in.Expect('>'))
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
    if (!in.Expect('<'))
        return false;
    ReadWord(in, 8);
    return in.Expect('>');
}

// Every category an event names, in order of first use.
void AddMissingCategories(const std::vector<std::string_view>& used, Typelist& types) {
    CategoryNames names(types);
    for (std::string_view name : used)
        names.AddIfMissing(types, name);
}

void AddMissingCategories(const Eventlist& events, Typelist& types) {
    CategoryNames names(types);
    for (const EventNode& event : events)
        names.AddIfMissing(types, event.typeName.view());
}

}  // namespace

void DataFile::SetFileName(const char* text) {
    fileName.SetUnlessNull(text);
}

void DataFile::SetOwner(const char* text) {
    owner.SetUnlessNull(text);
}

void DataFile::SetTitle(const char* text) {
    title.SetUnlessNull(text);
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
    platform::SequentialFile source;
    if (!fileName || !source.Open(std::string(fileName.view()), &lastError_))
        return notLoaded;
    if (source.ReadUpTo(1) > 0 && source.Data()[0] == 'U')
        return LoadQuib(std::string_view(source.Data(), source.ReadUpTo(SIZE_MAX)), events, types);
    ByteReader in(source);
    int result = Read(in, events, types, prompts);
    if (result == notLoaded && !source.Ok())
        lastError_ = "Cannot read " + std::string(fileName.view());
    return result;
}

int DataFile::LoadBytes(std::string_view bytes, Eventlist& events, Typelist& types,
                        DataFilePrompts& prompts) {
    if (!bytes.empty() && bytes[0] == 'U')
        return LoadQuib(bytes, events, types);
    ByteReader in(bytes);
    return Read(in, events, types, prompts);
}

int DataFile::LoadQuib(std::string_view bytes, Eventlist& events, Typelist& types) {
    Eventlist converted;
    if (!ConvertQuib(bytes, converted)) {
        isOpen = 0;
        return notLoaded;
    }
    Typelist withCategories;
    withCategories.CopyFrom(types);
    AddMissingCategories(converted, withCategories);
    events.Splice(converted);
    types.Swap(withCategories);
    fileName = OptionalText("unknown.vor");  // never save over the foreign file
    isOpen = 1;
    saved = 1;
    return convertedQuib;
}

int DataFile::Read(ByteReader& in, Eventlist& events, Typelist& types, DataFilePrompts& prompts) {
    FileContents file;
    file.types.CopyFrom(types);
    if (!in.Expect(format::fileStart) || !ReadVersion(in, file.version))
        return notLoaded;
    if (IsLaterVersion(file.version) && !prompts.AskYesNo("Downgrade?", downgradeQuestion))
        return notLoaded;
    if (!format::ReadText(in, file.owner) || !format::ReadText(in, file.title) || !in.Byte(file.isArchive) ||
        !ReadSections(in, file))
        return notLoaded;
    AddMissingCategories(file.eventCategories, file.types);

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
    format::ByteWriter out;
    out.Reserve(static_cast<size_t>(events.count) * 160 + 4096);
    out.Append(format::fileStart);
    out.Append(" " + std::to_string(programVersion.major) + "." + std::to_string(programVersion.minor) + "." +
               std::to_string(programVersion.build) + ">");
    out.Reserve(8 + owner.view().size() + title.view().size() + 1);
    format::AppendText(out, owner);
    format::AppendText(out, title);
    out.Put(std::string_view(reinterpret_cast<const char*>(&isArchive), 1));
    out.Append("<SECTION = EVENTDB2>[" + std::to_string(events.count) + "]");
    for (const EventNode& event : events)
        format::AppendEvent(out, event);
    out.Append("<END_SECTION><SECTION = TYPELIST>[" + std::to_string(types.count) + "]");
    for (const TypeNode& category : types)
        format::AppendCategory(out, category);
    out.Append("<END_SECTION>");
    out.Append(format::endData);
    out.Append(std::string_view(&format::endByte, 1));
    return out.Take();
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
    platform::SequentialFile source;
    if (!fileName || !source.Open(std::string(fileName.view()), &lastError_))
        return false;
    ByteReader in(source);
    if (in.Peek() == 'U') {
        isOpen = 0;
        return false;
    }
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
    return platform::WriteWholeFile(path, CsvText(events), &lastError_);
}

}  // namespace vorlen::store
