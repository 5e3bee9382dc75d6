#include "alarm_monitor.h"

#include <cstdio>

namespace vorlen {
namespace {

constexpr char ellipsis = '\x85';

bool IsBreak(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

}  // namespace

AlarmTexts MakeAlarmTexts(const EventNode& event) {
    char message[alarmMessageCapacity];
    std::snprintf(message, sizeof message,
                  "You have the following appointment in %d minutes:", static_cast<int>(event.alarmMinutes));
    return {message, event.startTime.Text(), std::string(event.description.view()),
            std::string(event.location.view()), std::string(event.typeName.view())};
}

AlarmTexts CutToCapacities(const AlarmTexts& texts) {
    return {CutToCapacity(texts.message, alarmMessageCapacity), CutToCapacity(texts.time, alarmTimeCapacity),
            CutToCapacity(texts.description, alarmDescriptionCapacity),
            CutToCapacity(texts.place, alarmPlaceCapacity), CutToCapacity(texts.type, alarmTypeCapacity)};
}

std::string CutToCapacity(const std::string& text, std::size_t capacity) {
    if (capacity == 0)
        return {};
    std::size_t room = capacity - 1;
    if (text.size() <= room)
        return text;
    if (room == 0)
        return {};
    std::size_t keep = room - 1;  // one place for the ellipsis
    // A word boundary far back would throw away more than the cut saves.
    if (!IsBreak(text[keep])) {
        std::size_t at = keep;
        while (at > keep / 2 && !IsBreak(text[at - 1]))
            --at;
        if (at > keep / 2)
            keep = at;
    }
    while (keep > 0 && IsBreak(text[keep - 1]))
        --keep;
    return text.substr(0, keep) + ellipsis;
}

std::string TrayTipText(int eventsToday) {
    char tip[64];
    std::snprintf(tip, sizeof tip, "Tolvane Vorlen - %d events today", eventsToday);
    return tip;
}

void AlarmMonitor::Tick(ReminderList& reminders, const Date& today, const Time& now, AlarmUi& ui) {
    if (ui.FrameBusy())
        return;
    if (today.DayNumber() > reminders.day.DayNumber()) {
        OfferNewDay(reminders, today, now, ui);
        return;
    }
    reminders.Build(false, today, now);
    ui.SetTrayTip(TrayTipText(reminders.timedCount + reminders.untimedCount));
    const ReminderNode* due = reminders.FindDueAlarm(now);
    if (!due || AlreadyRaised(due->event, today, now))
        return;
    // A tick nested in the dialogs' loops rebuilds the list: hold on to the
    // event, not to its entry.
    const EventNode& event = *due->event;
    lastAlarmEvent = &event;
    lastAlarmMinute = now.minute;
    lastAlarmHour = now.hour;
    lastAlarmDay = today.DayNumber();
    ui.RaiseAlarm(event, MakeAlarmTexts(event));
}

void AlarmMonitor::OfferNewDay(ReminderList& reminders, const Date& today, const Time& now, AlarmUi& ui) {
    reminders.Build(true, today, now);
    if (reminders.count == 0)
        return;
    std::string todayText = today.LocaleShortText();
    if (ui.OfferNewDay({reminders.count, todayText, now.Text(), todayText}))
        ui.ShowTodayScreen();
}

bool AlarmMonitor::AlreadyRaised(const EventNode* event, const Date& today, const Time& now) const {
    return event == lastAlarmEvent && now.minute == lastAlarmMinute && now.hour == lastAlarmHour &&
           today.DayNumber() == lastAlarmDay;
}

}  // namespace vorlen
