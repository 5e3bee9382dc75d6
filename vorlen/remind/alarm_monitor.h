// What each tick of the main frame's timer decides: whether the day has
// changed (then the new day's reminders are offered), the tray tip with the
// number of today's events, and which appointment alarm to raise, each
// alarm once. The windows answer through AlarmUi, tests through a recorder.
#pragma once

#include "vorlen/core/date_time.h"
#include "vorlen/core/event_node.h"
#include "vorlen/remind/bootup_texts.h"
#include "vorlen/remind/reminder_list.h"

#include <cstddef>
#include <string>

namespace vorlen {

// The alarm dialog's five texts (Windows-1252).
struct AlarmTexts {
    std::string message;
    std::string time;
    std::string description;
    std::string place;
    std::string type;
};

// The dialog's buffer sizes, in characters with the terminator.
inline constexpr std::size_t alarmMessageCapacity = 80;
inline constexpr std::size_t alarmTimeCapacity = 50;
inline constexpr std::size_t alarmDescriptionCapacity = 3200;
inline constexpr std::size_t alarmPlaceCapacity = 3200;
inline constexpr std::size_t alarmTypeCapacity = 120;

// The texts of `event`'s alarm, uncut.
AlarmTexts MakeAlarmTexts(const EventNode& event);
// Each text cut to its capacity (see CutToCapacity).
AlarmTexts CutToCapacities(const AlarmTexts& texts);
// `text` when it fits in `capacity` characters with the terminator; else
// cut at the last space or line break in the second half of the room,
// or inside the word when there is none, and ended with an ellipsis
// (0x85), all within the capacity.
std::string CutToCapacity(const std::string& text, std::size_t capacity);

// "Tolvane Vorlen - %d events today".
std::string TrayTipText(int eventsToday);

class AlarmUi {
public:
    // A dialog owned by the frame is open: the tick does nothing.
    virtual bool FrameBusy() = 0;
    // The start-up reminder dialog for the new day; true for "View Events".
    virtual bool OfferNewDay(const BootupTexts& texts) = 0;
    // Shows the frame if it is hidden and switches to the today screen.
    virtual void ShowTodayScreen() = 0;
    virtual void SetTrayTip(const std::string& tip) = 0;
    // Plays the event's sound, shows the alarm dialog with `texts` and, on
    // "Goto...", the event's properties; the sound stops when they close.
    // Runs modal loops in which further ticks arrive.
    virtual void RaiseAlarm(const EventNode& event, const AlarmTexts& texts) = 0;

protected:
    ~AlarmUi() = default;
};

// The alarm memory, process-wide: the last alarm raised.
class AlarmMonitor {
public:
    // One tick at `today` and `now`: rebuilds `reminders` for today.
    void Tick(ReminderList& reminders, const Date& today, const Time& now, AlarmUi& ui);
    // Forgets the last alarm, as a new frame starts with none.
    void Forget() { *this = AlarmMonitor(); }

private:
    void OfferNewDay(ReminderList& reminders, const Date& today, const Time& now, AlarmUi& ui);
    bool AlreadyRaised(const EventNode* event, const Date& today, const Time& now) const;

    const EventNode* lastAlarmEvent = nullptr;
    int lastAlarmMinute = -1;
    // The day and hour too: a repeating event falls due at the same minute
    // on later days, and the last alarm raised may still be its own.
    int lastAlarmHour = -1;
    uint32_t lastAlarmDay = 0;
};

}  // namespace vorlen
