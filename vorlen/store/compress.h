// Compressing a database: events whose last day has passed are deleted or
// moved into a separate archive data file, for all of them at once on the
// user's command, or by each event's own setting automatically.
#pragma once

#include "vorlen/core/date_time.h"
#include "vorlen/core/event_list.h"
#include "vorlen/store/data_file.h"

#include <string>
#include <string_view>

namespace vorlen::store {

enum class CompressChoice { Archive, Delete, Cancel };

// What compressing asks and tells; the window layer shows the dialog and
// message boxes, the console prints.
class CompressPrompts : public DataFilePrompts {
public:
    // The "Compress Database" question for `oldCount` old events.
    virtual CompressChoice ChooseArchiveOrDelete(int oldCount) = 0;
    virtual void ShowMessage(std::string_view caption, std::string_view text) = 0;
};

struct CompressResult {
    int deleted = 0;
    int archived = 0;
    bool archiveFailed = false;  // the events to archive were kept in the list
};

// Compresses `events` of the open data `file` (marked changed when events
// go). Manual mode asks about all old events; automatic mode follows each
// event's autoDelete (1 delete, 2 archive). `archiveFile` is the archive's
// name, empty when none is set up. Old means ended before `today`.
CompressResult Compress(Eventlist& events, DataFile& file, bool automatic, const std::string& archiveFile,
                        const Date& today, CompressPrompts& prompts);

}  // namespace vorlen::store
