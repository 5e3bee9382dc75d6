// libFuzzer target: any bytes given to the iCalendar reader are either
// refused with a message or read into events. Events that were read are
// written again, and what was written reads back to as many events.
#include "vorlen/store/icalendar.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("TZ", "Europe/London", 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vorlen;
    store::ICalendarImport result;
    std::string error;
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (!store::ReadICalendar(bytes, result, error)) {
        if (error.empty() || result.events->count != 0) {
            std::fprintf(stderr, "refused without a message, or with events\n");
            std::abort();
        }
        return 0;
    }
    int writable = 0;
    for (const EventNode& event : *result.events)
        writable += event.startDate.IsValid() ? 1 : 0;
    std::string text =
        store::ICalendarText(*result.events, "Europe/London", DateTime(Date(1, 1, 2024), Time(0, 0)));
    store::ICalendarImport again;
    if (!store::ReadICalendar(text, again, error) || again.events->count != writable) {
        std::fprintf(stderr, "what was written does not read back: %s\n", error.c_str());
        std::abort();
    }
    return 0;
}
