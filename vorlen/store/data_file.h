// The open data file: its name, owner and title, the unsaved-changes mark
// and the archive mark, and the reading and writing of the whole file.
#pragma once

#include "vorlen/core/date_time.h"
#include "vorlen/core/event_list.h"
#include "vorlen/core/optional_text.h"
#include "vorlen/core/type_list.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace vorlen::store {

class ByteReader;

// Questions and notices that reading a data file may raise. The window
// layer answers them with message boxes, the console on the terminal.
class DataFilePrompts {
public:
    virtual ~DataFilePrompts() = default;
    virtual bool AskYesNo(std::string_view caption, std::string_view text) = 0;
    virtual void Notify(std::string_view caption, std::string_view text) = 0;
};

// The program's own format version, written into every file.
struct FormatVersion {
    int32_t major = 0;
    int32_t minor = 9;
    int32_t build = 7;
};

// Results of Load.
constexpr int loadedData = 0;
constexpr int convertedQuib = 1;
constexpr int notLoaded = -1;

class DataFile {
public:
    int isOpen = 0;
    OptionalText fileName;
    OptionalText owner;
    OptionalText title;
    int saved = 1;
    uint8_t isArchive = 0;

    // A null text is ignored.
    void SetFileName(const char* text);
    void SetOwner(const char* text);
    void SetTitle(const char* text);

    // Sets up an empty database (standard categories and a welcome event
    // dated `today`); nothing is written yet. False without a name, or when
    // the file exists and may not be overwritten.
    bool New(const std::string& name, bool mayOverwrite, Eventlist& events, Typelist& types,
             const Date& today = Date::Today());

    // Reads fileName and appends its events and categories. The lists are
    // changed only when the whole file could be read: a damaged file leaves
    // them as they were. loadedData, convertedQuib or notLoaded.
    int Load(Eventlist& events, Typelist& types, DataFilePrompts& prompts);
    // The same for a file's bytes already in memory.
    int LoadBytes(std::string_view bytes, Eventlist& events, Typelist& types, DataFilePrompts& prompts);

    // Writes the whole file to fileName by way of a temporary file beside
    // it. On failure the old file is untouched, saved keeps its value and
    // LastError() says why.
    bool Save(const Eventlist& events, const Typelist& types);
    // The bytes Save writes.
    std::string SaveBytes(const Eventlist& events, const Typelist& types);

    // Reads only the owner and title of fileName; false when it has no
    // data file header.
    bool ReadHeader(DataFilePrompts& prompts);

    // Every event as a line of comma-separated values; false when the file
    // could not be written.
    bool ExportCsv(const std::string& path, const Eventlist& events);

    const std::string& LastError() const { return lastError_; }

private:
    int Read(ByteReader& in, Eventlist& events, Typelist& types, DataFilePrompts& prompts);
    int LoadQuib(std::string_view bytes, Eventlist& events, Typelist& types);

    std::string lastError_;
};

}  // namespace vorlen::store
