// libFuzzer target over the whole vCalendar import, as --import-vcs, a paste
// and the import dialog run it: the guard in front of libicalvcal's parser,
// the parser, the import into events and their joining the open list. Any
// bytes are either refused with a message or give events that join the
// list with their categories; those events are written again, and what was
// written reads back to as many events.
#include "vorlen/core/imported_events.h"
#include "vorlen/store/vcalendar.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

void Fail(const char* what, const std::string& detail = {}) {
    std::fprintf(stderr, "%s %s\n", what, detail.c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("TZ", "Europe/Berlin", 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vorlen;
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    store::vSup calendar;
    std::string error;
    if (!calendar.LoadFromText(bytes, &error)) {
        if (error.empty() || calendar.Imported().count != 0)
            Fail("refused without a message, or with events");
        return 0;
    }
    const int imported = calendar.Imported().count;
    store::vSup written;
    for (const EventNode& event : calendar.Imported())
        written.AddEvent(event);

    Eventlist events;
    events.Add()->SetDescription("already there");
    Typelist types;
    if (AppendImportedEvents(calendar.Imported(), events, types) != imported ||
        events.count != imported + 1 || calendar.Imported().count != 0)
        Fail("the events did not all join the list");
    for (const EventNode& event : events) {
        if (event.period < PeriodUndefined || event.period > PeriodMonthlyByPosition)
            Fail("a period out of range");
        if (!event.typeName.view().empty() && !types.Find(event.typeName.view()))
            Fail("a category that did not join the list");
    }

    store::vSup again;
    if (!again.LoadFromText(written.WriteToMemory(), &error) || again.Imported().count != imported)
        Fail("what was written does not read back:", error);
    return 0;
}
