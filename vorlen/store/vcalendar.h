// vCalendar 1.0 interchange: events written as VEVENT objects of one
// VCALENDAR tree, and VEVENTs of parsed files or clipboard texts read back
// into events. Built on libical's versit vObject functions (libicalvcal).
#pragma once

#include "vorlen/core/event_list.h"

#include <memory>
#include <string>
#include <string_view>

struct VObject;

namespace vorlen::store {

class vSup {
public:
    // A calendar with PRODID and VERSION and nothing in it yet.
    vSup();
    ~vSup();
    vSup(const vSup&) = delete;
    vSup& operator=(const vSup&) = delete;

    // Starts again with an empty calendar.
    void NewCalendar();
    // Appends one VEVENT for the event.
    void AddEvent(const EventNode& event);
    // The whole calendar as vCalendar text.
    std::string WriteToMemory() const;
    // Writes that text to a file by way of a temporary file beside it.
    bool WriteToFile(const std::string& path, std::string* error = nullptr) const;

    // Parse a vCalendar file or text in place of the calendar, then
    // ImportAll. False, with the reason in `error`, when the input cannot
    // be read or parsed; `imported` is then empty.
    bool LoadFromFile(const std::string& path, std::string* error = nullptr);
    bool LoadFromText(std::string_view text, std::string* error = nullptr);

    // Fills `imported` afresh with one event per VEVENT of every VCALENDAR
    // object of the parsed calendar.
    void ImportAll();
    const Eventlist& Imported() const { return *imported_; }
    Eventlist& Imported() { return *imported_; }

private:
    struct ObjectDeleter {
        void operator()(VObject* object) const;
    };
    using ObjectPtr = std::unique_ptr<VObject, ObjectDeleter>;

    // Parses the text into a list of top-level objects; null, with the
    // reason in `problem`, when it cannot be read.
    static ObjectPtr Parse(std::string_view text, std::string& problem);
    // Replaces the calendar with the parsed text and imports it; `failure`
    // begins the message of an error.
    bool Load(std::string_view text, const std::string& failure, std::string* error);
    // Leaves an empty calendar and no imported events; false.
    bool Fail(std::string message, std::string* error);

    ObjectPtr vcal_;  // a parse may give a list of several top-level objects
    std::unique_ptr<Eventlist> imported_;
};

}  // namespace vorlen::store
