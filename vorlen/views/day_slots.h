// The day view's 48 half-hour slots and how a day's timed reminder entries
// fill them, and where the day view places its panes. No windows here:
// TDayListView draws these slots and TDayView applies the layout.
#pragma once

#include "vorlen/core/date_time.h"
#include "vorlen/remind/reminder_list.h"
#include "vorlen/remind/reminder_markup.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace vorlen::views {

inline constexpr int slotCount = 48;
inline constexpr size_t slotLabelLimit = 255;  // longer labels are cut

inline constexpr MarkupColour slotBlack{0, 0, 0};
inline constexpr MarkupColour slotWhite{255, 255, 255};
inline constexpr MarkupColour slotDarkBlue{0, 0, 100};
inline constexpr MarkupColour slotDarkRed{135, 0, 0};

struct DaySlot {
    Time slotTime;
    std::string slotLabel;
    MarkupColour textColour = slotBlack;
    std::optional<MarkupColour> backColour;  // none: the system window colour
    const ReminderNode* slotEntry = nullptr;  // the entry that last filled it
};

// The slots of one day; slot i begins at i / 2 hours and 0 or 30 minutes.
class DaySlots {
public:
    DaySlots() { ResetSlots(); }

    // Every slot empty: no label, black on the window colour, no entry.
    void ResetSlots();
    // Fills the slots of each timed entry of `list`, in the list's order.
    void FillSlots(const ReminderList& list);
    // Takes the slots of [start, end) (only the start's slot without a
    // valid end); overlapping entries alternate dark blue and dark red.
    // A non-empty `text` labels the first slot taken.
    void FillRange(const Time& start, const Time& end, std::string_view text, const ReminderNode& entry);

    const DaySlot& operator[](int index) const { return slots[index]; }

private:
    int FirstSlotOf(const Time& start, const Time& end) const;
    void Take(DaySlot& slot, const ReminderNode& entry);
    static std::string Label(const Time& start, const Time& end, std::string_view text, const ReminderNode& entry);

    std::array<DaySlot, slotCount> slots;
};

// The three forms of the day view.
enum DisplayKind : int { ViewKindList = 1, ViewKindSlots = 2, ViewKindFull = 3 };

struct PaneRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// What the layout reads from the panes and the list.
struct DayLayoutFacts {
    int untimedCount = 0;
    int todayLines = 0;
    int warningLines = 0;
    int fontHeight = 0;  // of the panes' font, in pixels
};

struct DayLayout {
    PaneRect todayGroup;
    PaneRect todayPane;
    PaneRect slotView;  // kinds 2 and 3
    PaneRect warningsGroup;  // kind 3
    PaneRect warningsPane;   // kind 3
};

inline constexpr int warningsPaneMinimum = 50;
inline constexpr int warningsPaneMaximum = 140;

// Places the panes of `kind` in the rectangle left, top, right, bottom.
// Widths and heights that would come out negative are 0. The untimed pane
// is never taller than the room above the slots' lower edge: beyond it its
// last lines would lie outside the window, out of reach of its scroll bar.
DayLayout LayOutDay(DisplayKind kind, int left, int top, int right, int bottom, const DayLayoutFacts& facts);

}  // namespace vorlen::views
