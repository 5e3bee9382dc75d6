// The reminder entries of one day: what falls on it and, when asked for,
// what is coming within each event's warning window; their counts, their
// display order and their marked-up reminder text.
#pragma once

#include "vorlen/core/date_time.h"
#include "vorlen/core/event_list.h"
#include "vorlen/core/node_list.h"

#include <string>

namespace vorlen {

struct ReminderNode : Node {
    const EventNode* event = nullptr;  // not owned
    int32_t daysAhead = 0;             // 0 = on the list's day, n = a warning n days ahead
    Date occurrenceDate;
    Date occurrenceEnd;  // empty for a one-day occurrence
    bool timed = false;  // on the list's day, and the event has a start hour
    bool continuing = false;
};

class ReminderList : public NodeList<ReminderNode> {
public:
    // The entries point into `events`: rebuild after any change to them.
    explicit ReminderList(const Eventlist& events) : eventList(&events) {}

    const Eventlist* eventList;
    int32_t timedCount = 0;
    int32_t untimedCount = 0;
    int32_t warningCount = 0;
    Date day;
    Time time;  // kept from the last build, not used for building
    int withWarnings = 0;

    // Replaces the entries with those of `day`; returns their count.
    int32_t Build(bool warnings, const Date& forDay, const Time& atTime);
    int32_t Rebuild() { return Build(withWarnings != 0, day, time); }
    void Clear();
    // Warnings after the day's own entries, nearest first; within each,
    // untimed entries first, then by start time. Equal entries keep their
    // order.
    void Sort();

    // Sorts, then appends the reminder text of every entry. With
    // timedAsText off, entries with a start time are left out (the day
    // view draws them in its time slots).
    void FormatText(std::string& text, bool timedAsText);
    // The same text without its codes, as UTF-8 (the console's form),
    // appended to `out`: what PlainText and Windows1252ToUtf8 make of
    // FormatText, made in one pass over the entries.
    void FormatPlainText(std::string& out, bool timedAsText);
    // The same, split: the day's entries to `todayText`, warnings to
    // `warningText`.
    void FormatSplitText(std::string& todayText, std::string& warningText, bool timedAsText);

    // The first entry of the day whose appointment alarm is due at `now`.
    const ReminderNode* FindDueAlarm(const Time& now) const;

private:
    template <typename Sink>
    void FormatEntries(Sink& sink, bool timedAsText);
};

}  // namespace vorlen
