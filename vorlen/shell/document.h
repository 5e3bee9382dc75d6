// The open database: the data file with its events and categories and the
// reminder list over them. The window program and the console commands use
// it alike, so that loading, merging, saving and the automatic expiry pass
// behave the same from both.
#pragma once

#include "vorlen/core/date_time.h"
#include "vorlen/core/event_list.h"
#include "vorlen/core/type_list.h"
#include "vorlen/remind/reminder_list.h"
#include "vorlen/store/compress.h"
#include "vorlen/store/data_file.h"

#include <string>

namespace vorlen::shell {

// The name a database gets when it has none yet; saving it asks for one.
inline constexpr char unknownFileName[] = "unknown.vor";

enum class LoadOutcome {
    loaded,         // valid data, automatic expiry done
    loadedArchive,  // valid data of an archive file, not compressed
    merged,         // events and categories added; name kept, data unsaved
    invalidReset,   // could not be read: an empty "unknown.vor" replaces it
    invalidNoReset, // could not be read, and the empty database failed too
    invalidKept,    // a merge that could not be read: nothing changed
};

class Document {
public:
    store::DataFile file;
    Eventlist events;
    Typelist types;
    ReminderList reminders{events};

    bool HasValidData() const { return file.isOpen != 0; }
    bool IsUnsaved() const { return file.isOpen != 0 && file.saved == 0; }
    void MarkChanged() { file.saved = 0; }
    bool IsUnnamed() const { return file.fileName == unknownFileName; }

    // Reads the data file `name`. Without `merge` the lists are emptied
    // first; a merge adds what it reads, keeps the file name and leaves the
    // data unsaved. A file that is not an archive gets the automatic expiry
    // pass into `archiveFile`.
    LoadOutcome Load(const std::string& name, bool merge, const std::string& archiveFile, const Date& today,
                     store::CompressPrompts& prompts);

    // A new database named `name` (the welcome event dated `today`),
    // replacing what is open; nothing is written yet.
    bool CreateNew(const std::string& name, const Date& today);

    // Writes the file; on failure the data stays unsaved and LastError()
    // says why.
    bool Save();
    const std::string& LastError() const { return file.LastError(); }

    // Deletes or archives old events by their own setting; marks the data
    // changed when events go.
    store::CompressResult ExpireOldEvents(const std::string& archiveFile, const Date& today,
                                          store::CompressPrompts& prompts);

    // Moves every event of `imported` to the end of the database, adds the
    // categories they name that it lacks, and marks the data changed.
    // Returns how many events came.
    int AppendEvents(Eventlist& imported);

    // Empties the lists (the built-in categories stay).
    void Clear();
};

}  // namespace vorlen::shell
