#include "day_slots.h"

#include <algorithm>

namespace vorlen::views {
namespace {

bool Before(const Time& a, const Time& b) {
    return a.hour < b.hour || (a.hour == b.hour && a.minute < b.minute);
}

bool Same(const Time& a, const Time& b) {
    return a.hour == b.hour && a.minute == b.minute;
}

// [a, b), which always holds a itself: an end that is not valid (or lies
// before the start) leaves the range its start alone.
bool InRange(const Time& t, const Time& a, const Time& b) {
    return (!Before(t, a) && Before(t, b)) || Same(t, a);
}

Time SlotTime(int index) {
    return Time(index / 2, index % 2 == 0 ? 0 : 30);
}

bool SeveralDays(const ReminderNode& entry) {
    return entry.occurrenceEnd.IsValid() && entry.occurrenceEnd != entry.occurrenceDate;
}

}  // namespace

void DaySlots::ResetSlots() {
    for (int i = 0; i < slotCount; ++i) {
        slots[i] = DaySlot();
        slots[i].slotTime = SlotTime(i);
    }
}

void DaySlots::FillSlots(const ReminderList& list) {
    const Time dayStart(0, 0), dayEnd(23, 59);
    for (const ReminderNode& entry : list) {
        if (!entry.timed || !entry.event)
            continue;
        const EventNode& event = *entry.event;
        std::string_view description = event.description.view();
        if (!SeveralDays(entry) && !entry.continuing)
            FillRange(event.startTime, event.endTime, description, entry);
        else if (!SeveralDays(entry))
            FillRange(dayStart, event.endTime, {}, entry);  // the last day of a longer occurrence
        else if (entry.continuing)
            FillRange(dayStart, dayEnd, {}, entry);  // a day in the middle
        else
            FillRange(event.startTime, dayEnd, description, entry);  // the first day
    }
}

int DaySlots::FirstSlotOf(const Time& start, const Time& end) const {
    for (int i = 0; i < slotCount; ++i) {
        const Time& at = slots[i].slotTime;
        bool holdsStart = i + 1 < slotCount ? InRange(start, at, slots[i + 1].slotTime) : !Before(start, at);
        if (InRange(at, start, end) || holdsStart)
            return i;
    }
    return slotCount;
}

void DaySlots::FillRange(const Time& start, const Time& end, std::string_view text, const ReminderNode& entry) {
    int first = FirstSlotOf(start, end);
    if (first == slotCount)
        return;
    Take(slots[first], entry);
    if (!text.empty())
        slots[first].slotLabel = Label(start, end, text, entry);
    for (int i = first + 1; i < slotCount; ++i) {
        if (InRange(slots[i].slotTime, start, end))
            Take(slots[i], entry);
    }
}

void DaySlots::Take(DaySlot& slot, const ReminderNode& entry) {
    slot.textColour = slotWhite;
    slot.backColour = slot.backColour == slotDarkBlue ? slotDarkRed : slotDarkBlue;
    slot.slotEntry = &entry;
}

// "09:00 - 10:00   Dentist (Health at Clinic)"; the first day of a longer
// occurrence names the day it ends on before its end time.
std::string DaySlots::Label(const Time& start, const Time& end, std::string_view text, const ReminderNode& entry) {
    const EventNode& event = *entry.event;
    std::string label = start.Text();
    if (end.IsValid()) {
        label += " - ";
        if (!Same(end, event.endTime)) {
            if (entry.occurrenceEnd.IsValid())
                label += entry.occurrenceEnd.LocaleShortText() + " ";
            label += event.endTime.Text();
        } else {
            label += end.Text();
        }
    }
    label += "   ";
    label += text;
    label += " (";
    label += event.typeName.view();
    if (!event.location.view().empty()) {
        label += " at ";
        label += event.location.view();
    }
    label += ")";
    if (label.size() > slotLabelLimit)
        label.resize(slotLabelLimit);
    return label;
}

namespace {

int Clamped(int length) {
    return std::max(length, 0);
}

}  // namespace

DayLayout LayOutDay(DisplayKind kind, int left, int top, int right, int bottom, const DayLayoutFacts& facts) {
    const int width = Clamped(right - left), height = bottom - top, line = facts.fontHeight + 3;
    DayLayout layout;
    layout.todayGroup = {left, top, width, height};
    if (kind == ViewKindList) {
        layout.todayPane = {left + 5, top + 14, Clamped(width - 10), Clamped(height - 24)};
        return layout;
    }
    if (kind == ViewKindSlots) {
        int untimed = std::min(facts.untimedCount == 0 ? 0 : facts.todayLines * line + 16, Clamped(height - 20));
        layout.todayPane = {left + 5, top + 14, Clamped(width - 10), untimed};
        layout.slotView = {left + 5, top + untimed + 14, Clamped(width - 10), Clamped(height - 20 - untimed)};
        return layout;
    }
    int warnings = std::clamp(facts.warningLines * line + 16, warningsPaneMinimum, warningsPaneMaximum);
    int untimed = std::min(facts.untimedCount == 0 ? 0 : facts.untimedCount * line + 16,
                           Clamped(height - 54 - warnings));
    layout.warningsPane = {left + 5, bottom - 10 - warnings, Clamped(width - 10), warnings};
    layout.todayPane = {left + 5, top + 14, Clamped(width - 10), untimed};
    layout.slotView = {left + 5, top + untimed + 14, Clamped(width - 10), Clamped(height - 54 - untimed - warnings)};
    layout.todayGroup = {left, top, width, Clamped(height - warnings - 34)};
    layout.warningsGroup = {left, bottom - 24 - warnings, width, warnings + 20};
    return layout;
}

}  // namespace vorlen::views
