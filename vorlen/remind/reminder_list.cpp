#include "reminder_list.h"

#include "vorlen/core/occurrences.h"
#include "vorlen/platform/text_encoding.h"
#include "vorlen/remind/reminder_markup.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <string_view>
#include <vector>

namespace vorlen {
namespace {

constexpr char noMessages[] = "No event/appointment messages";
constexpr char noWarnings[] = "No warnings for future events/appointments";

// Reminder texts are built by appending pieces: a day with many entries
// makes a long text, and formatted printing would copy every piece twice.
class TextBuilder {
public:
    explicit TextBuilder(std::string& text) : text_(text) {}
    TextBuilder& operator<<(std::string_view piece) {
        text_ += piece;
        return *this;
    }
    TextBuilder& operator<<(const OptionalText& piece) { return *this << piece.view(); }
    TextBuilder& operator<<(int32_t number) {
        char digits[16];
        return *this << std::string_view(digits,
                                         std::to_chars(digits, digits + sizeof digits, number).ptr - digits);
    }

private:
    std::string& text_;
};

int64_t StartKey(const ReminderNode& entry) {
    return int64_t{entry.event->startTime.hour} * 100 + entry.event->startTime.minute;
}

// How many entries ahead FormatEntries fetches the event records.
constexpr int eventLookahead = 8;

void PrefetchTexts(const EventNode& event) {
    event.typeName.Prefetch();
    event.description.Prefetch();
    event.location.Prefetch();
}

bool HasValidStart(const ReminderNode& entry) {
    return entry.event->startTime.IsValid();
}

// " (Born 1960, 38 years old)" and its kin; the warning form tests the
// wedding category under its older spelling.
void AppendAnniversary(TextBuilder& out, const ReminderNode& entry, std::string_view weddingName) {
    const EventNode& event = *entry.event;
    std::optional<int32_t> years = AnniversaryYears(event, entry.occurrenceDate);
    if (!years)
        return;
    int32_t year = event.startDate.year;
    if (event.typeName == "Birthday")
        out << " (Born " << year << ", " << *years << " years old)";
    else if (event.typeName == weddingName)
        out << " (Married " << year << ", " << *years << " years ago)";
    else if (event.typeName == "Death Memorial")
        out << " (Died " << year << ", " << *years << " years ago)";
}

// One entry of the day itself. False when it wrote nothing (a timed entry
// that the caller draws elsewhere).
bool AppendDayEntry(std::string& text, const ReminderNode& entry, bool timedAsText) {
    const EventNode& event = *entry.event;
    TextBuilder out(text);
    if (!HasValidStart(entry)) {
        if (entry.occurrenceEnd.day != 0) {
            out << "\xB7R\xB7"
                   "C00"
                << entry.occurrenceDate.LocaleShortText() << " - " << entry.occurrenceEnd.LocaleShortText()
                << " ";
        }
        out << "\xB7H10\xB7"
               "C01"
            << event.description
            << "\xB7"
               "C00\xB7R ";
    } else if (!timedAsText) {
        return false;
    } else if (event.endTime.IsValid()) {
        out << "\xB7R\xB7"
               "B\xB7"
               "C00"
            << event.startTime.Text() << " - " << event.endTime.Text() << "\xB7R\t" << event.description;
    } else {
        out << "\xB7R\xB7"
               "B\xB7"
               "C00"
            << event.startTime.Text() << "\xB7R\t" << event.description;
    }
    out << "(" << event.typeName;
    AppendAnniversary(out, entry, "Wedding Anniversary");
    if (!event.location.view().empty())
        out << " at " << event.location;
    out << ")";
    return true;
}

void AppendWarning(std::string& text, const ReminderNode& entry) {
    const EventNode& event = *entry.event;
    TextBuilder out(text);
    out << "\xB7"
           "B"
        << event.typeName
        << "\xB7"
           "B\xB7R on "
        << entry.occurrenceDate.DayName() << ", " << entry.occurrenceDate.LocaleShortText();
    if (entry.daysAhead == 1)
        out << " (tommorrow) ";
    else
        out << " (in " << entry.daysAhead << " days) ";
    if (HasValidStart(entry))
        out << "at " << event.startTime.Text();
    if (!event.endTime.IsValid()) {
        if (entry.occurrenceEnd.day != 0)
            out << "till " << entry.occurrenceEnd.LocaleShortText();
    } else {
        out << " till " << event.endTime.Text() << " ";
        if (entry.occurrenceEnd.day != 0)
            out << entry.occurrenceEnd.LocaleShortText();
    }
    out << ":\r\n\xB7U\xB7"
           "C02"
        << event.description
        << "\xB7U\xB7"
           "C00\xB7R";
    AppendAnniversary(out, entry, "Wedding Aniversary");
}

}  // namespace

int32_t ReminderList::Build(bool warnings, const Date& forDay, const Time& atTime) {
    Clear();
    withWarnings = warnings ? 1 : 0;
    day = forDay;
    time = atTime;
    std::vector<OccurrenceEntry> entries;
    AppendOccurrences(*eventList, forDay, warnings, entries);
    for (const OccurrenceEntry& entry : entries) {
        auto node = std::make_unique<ReminderNode>();
        node->event = entry.event;
        node->daysAhead = entry.daysAhead;
        node->occurrenceDate = entry.occurrenceDate;
        node->occurrenceEnd = entry.occurrenceEnd;
        node->timed = entry.daysAhead == 0 && entry.event->startTime.hour != -1;
        node->continuing = entry.continuing;
        if (node->daysAhead != 0)
            ++warningCount;
        else if (node->timed)
            ++timedCount;
        else
            ++untimedCount;
        Append(std::move(node));
    }
    return count;
}

void ReminderList::Clear() {
    NodeList::Clear();
    timedCount = untimedCount = warningCount = 0;
}

void ReminderList::Sort() {
    // A stable sort gives exactly the order of repeated exchanges of
    // neighbours that are out of order, without their quadratic cost. The
    // keys are read from the events once, in list order, rather than at
    // every comparison.
    struct Keyed {
        int64_t key;
        std::unique_ptr<ReminderNode> node;
    };
    std::vector<Keyed> nodes;
    nodes.reserve(static_cast<size_t>(count));
    while (head) {
        int64_t key = int64_t{head->daysAhead} * (int64_t{1} << 32) + StartKey(*head);
        nodes.push_back({key, Detach(head)});
    }
    std::stable_sort(nodes.begin(), nodes.end(),
                     [](const Keyed& a, const Keyed& b) { return a.key < b.key; });
    for (Keyed& keyed : nodes)
        Append(std::move(keyed.node));
}

namespace {

// Where FormatEntries writes: the marked-up text itself.
class MarkupSink {
public:
    explicit MarkupSink(std::string& text) : text_(text) {}
    std::string& Line() { return text_; }
    void EndEntry() {}

private:
    std::string& text_;
};

// Each entry's marked-up text goes to one reused line buffer and is
// appended to the output as plain UTF-8 text: the long text is built once,
// and no entry allocates.
class PlainUtf8Sink {
public:
    explicit PlainUtf8Sink(std::string& out) : out_(out) {
        line_.reserve(1024);
        plain_.reserve(1024);
    }
    std::string& Line() { return line_; }
    void EndEntry() {
        AppendPlainText(line_, plain_);
        platform::AppendWindows1252AsUtf8(plain_, out_);
        line_.clear();
        plain_.clear();
    }

private:
    std::string& out_;
    std::string line_;
    std::string plain_;
};

}  // namespace

template <typename Sink>
void ReminderList::FormatEntries(Sink& sink, bool timedAsText) {
    Sort();
    bool timedWritten = false;
    bool firstWarning = true;
    // The entries follow the sort order, not the events' order in memory:
    // each event is fetched well ahead, and its texts once it has come.
    const ReminderNode* eventAhead = head;
    const ReminderNode* textsAhead = head;
    for (int i = 0; i < eventLookahead && eventAhead; ++i) {
        __builtin_prefetch(eventAhead->event);
        eventAhead = Next(eventAhead);
        if (i < eventLookahead / 2)
            textsAhead = Next(textsAhead);
    }
    for (const ReminderNode* entry = head; entry; entry = Next(entry)) {
        const ReminderNode* following = Next(entry);
        if (eventAhead) {
            __builtin_prefetch(eventAhead->event);
            eventAhead = Next(eventAhead);
        }
        if (textsAhead) {
            PrefetchTexts(*textsAhead->event);
            textsAhead = Next(textsAhead);
        }
        std::string& text = sink.Line();
        if (entry->daysAhead == 0) {
            if (!AppendDayEntry(text, *entry, timedAsText))
                continue;
            timedWritten = timedWritten || HasValidStart(*entry);
            if (following && !(HasValidStart(*following) && !timedAsText))
                text += "\r\n";
            sink.EndEntry();
            continue;
        }
        if (firstWarning && timedWritten)
            text += "\r\n";
        firstWarning = false;
        AppendWarning(text, *entry);
        if (following)
            text += "\r\n\n";
        sink.EndEntry();
    }
}

void ReminderList::FormatText(std::string& text, bool timedAsText) {
    text.reserve(text.size() + static_cast<size_t>(count) * 96);
    MarkupSink sink(text);
    FormatEntries(sink, timedAsText);
    if (timedCount == 0 && untimedCount == 0 && warningCount == 0)
        text = noMessages;
}

void ReminderList::FormatPlainText(std::string& out, bool timedAsText) {
    out.reserve(out.size() + static_cast<size_t>(count) * 80);
    PlainUtf8Sink sink(out);
    FormatEntries(sink, timedAsText);
    if (timedCount == 0 && untimedCount == 0 && warningCount == 0)
        out += noMessages;  // no entry wrote anything
}

void ReminderList::FormatSplitText(std::string& todayText, std::string& warningText, bool timedAsText) {
    Sort();
    for (const ReminderNode* entry = head; entry; entry = Next(entry)) {
        const ReminderNode* following = Next(entry);
        if (entry->daysAhead == 0) {
            if (!AppendDayEntry(todayText, *entry, timedAsText))
                continue;
            bool breakLine = following && ((following->daysAhead == 0 && !HasValidStart(*following)) ||
                                           (HasValidStart(*following) && timedAsText));
            if (breakLine)
                todayText += "\r\n";
            continue;
        }
        AppendWarning(warningText, *entry);
        if (following)
            warningText += "\r\n\n";
    }
    if (timedCount == 0 && untimedCount == 0 && warningCount == 0) {
        todayText = noMessages;
        warningText = noWarnings;
    }
}

const ReminderNode* ReminderList::FindDueAlarm(const Time& now) const {
    for (const ReminderNode& entry : *this) {
        const EventNode& event = *entry.event;
        if (entry.daysAhead == 0 && event.startTime.IsValid() && event.alarmMinutes > 0 &&
            now.MinutesUntil(event.startTime.hour, event.startTime.minute) == event.alarmMinutes)
            return &entry;
    }
    return nullptr;
}

}  // namespace vorlen
