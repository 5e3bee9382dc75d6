#include "event_node.h"

#include <utility>

namespace vorlen {

void EventNode::SetPeriodFromLetter(char letter) {
    switch (letter) {
    case 'O': period = PeriodOnceOff; break;
    case 'W': period = PeriodWeekly; break;
    case 'M': period = PeriodMonthlyByDay; break;
    case 'R': period = PeriodDaily; break;
    case 'Y': period = PeriodYearly; break;
    case 'S': period = PeriodMonthlyByPosition; break;
    default: period = PeriodUndefined; break;
    }
}

bool EventNode::IsExpiredBefore(const Date& date) const {
    if (period != PeriodOnceOff) {
        // An empty expiry date means the event repeats for ever.
        return rangeEndDate.day != 0 && rangeEndDate.DayNumber() < date.DayNumber();
    }
    const Date& lastDay = endDate.day != 0 ? endDate : startDate;
    return lastDay.DayNumber() < date.DayNumber();
}

std::string EventNode::PeriodName() const {
    switch (period) {
    case PeriodOnceOff: return "Once Off";
    case PeriodWeekly: return "Weekly";
    case PeriodBiweekly: return "Biweekly";
    case PeriodMonthlyByDay: return "Monthly";
    case PeriodDaily: return "Reoccuring";
    case PeriodYearly: return "Yearly";
    case PeriodMonthlyByPosition: return "Special Monthly";
    default: return "Undefined";
    }
}

std::string EventNode::RangeEndVCalText() const {
    return rangeEndDate.CompactText() + "T000000";
}

void EventNode::CopyFrom(const EventNode& other) {
    EventFields kept = *this;
    static_cast<EventFields&>(*this) = other;
    alarmMinutes = kept.alarmMinutes;
    extraInfo = std::move(kept.extraInfo);
    soundFile = std::move(kept.soundFile);
}

}  // namespace vorlen
