#include "icalendar_rules.h"

#include <libical/ical.h>

#include <cstdlib>

namespace vorlen::store {
namespace {

constexpr const char* dayCodes[7] = {"SU", "MO", "TU", "WE", "TH", "FR", "SA"};

// The number of values in one of libical's BY arrays.
template <size_t N>
int Count(const short (&values)[N]) {
    int count = 0;
    while (count < static_cast<int>(N) && values[count] != ICAL_RECURRENCE_ARRAY_MAX)
        ++count;
    return count;
}

bool ValidPosition(const MonthlyPosition& p) {
    return p.weekOrdinal >= 1 && p.weekOrdinal <= 5 && p.weekday >= 1 && p.weekday <= 7 && p.monthSel >= 0 &&
           p.monthSel <= 12;
}

bool OnPosition(const Date& day, int32_t ordinal, int32_t weekday) {
    return day.DayOfWeek() == weekday - 1 && (ordinal - 1) * 7 < day.day && day.day <= ordinal * 7;
}

// Parts that no period has; the frequency-specific ones are tested below.
bool HasForeignParts(const icalrecurrencetype& rule) {
    return rule.count != 0 || Count(rule.by_second) || Count(rule.by_minute) || Count(rule.by_hour) ||
           Count(rule.by_year_day) || Count(rule.by_week_no) || Count(rule.by_set_pos) ||
           (rule.rscale && *rule.rscale);
}

// One BYDAY value without an ordinal that names the start's weekday.
bool ByDayIsStartDay(const icalrecurrencetype& rule, const Date& start) {
    int days = Count(rule.by_day);
    if (days == 0)
        return true;
    return days == 1 && icalrecurrencetype_day_position(rule.by_day[0]) == 0 &&
           static_cast<int>(icalrecurrencetype_day_day_of_week(rule.by_day[0])) == start.DayOfWeek() + 1;
}

// Zero values, or one equal to `value`.
template <size_t N>
bool NoneOrOnly(const short (&values)[N], int value) {
    int count = Count(values);
    return count == 0 || (count == 1 && values[0] == value);
}

// One BYDAY value with an ordinal 1-5 that the start falls on.
bool ReadPosition(const icalrecurrencetype& rule, const Date& start, int32_t monthSel, EventNode& event) {
    if (Count(rule.by_day) != 1 || Count(rule.by_month_day) != 0)
        return false;
    int ordinal = icalrecurrencetype_day_position(rule.by_day[0]);
    int weekday = static_cast<int>(icalrecurrencetype_day_day_of_week(rule.by_day[0]));
    if (ordinal < 1 || ordinal > 5 || !OnPosition(start, ordinal, weekday))
        return false;
    event.period = PeriodMonthlyByPosition;
    event.monthlyPosition = {ordinal, weekday, monthSel};
    return true;
}

bool ReadWeekly(const icalrecurrencetype& rule, const Date& start, EventNode& event) {
    if (!ByDayIsStartDay(rule, start) || Count(rule.by_month_day) || Count(rule.by_month))
        return false;
    if (rule.interval <= 2) {
        event.period = rule.interval == 2 ? PeriodBiweekly : PeriodWeekly;
    } else {
        event.period = PeriodDaily;
        event.repeatDays = 7 * rule.interval;
    }
    return true;
}

bool ReadMonthly(const icalrecurrencetype& rule, const Date& start, EventNode& event) {
    if (rule.interval != 1 || Count(rule.by_month))
        return false;
    if (Count(rule.by_day))
        return ReadPosition(rule, start, 0, event);
    if (!NoneOrOnly(rule.by_month_day, start.day))
        return false;
    event.period = PeriodMonthlyByDay;
    return true;
}

bool ReadYearly(const icalrecurrencetype& rule, const Date& start, EventNode& event) {
    if (rule.interval != 1 || !NoneOrOnly(rule.by_month, start.month))
        return false;
    if (Count(rule.by_day))
        return Count(rule.by_month) == 1 && ReadPosition(rule, start, start.month, event);
    if (!NoneOrOnly(rule.by_month_day, start.day))
        return false;
    event.period = PeriodYearly;
    return true;
}

}  // namespace

std::string ICalRuleText(const EventNode& event) {
    std::string weekday = dayCodes[event.startDate.DayOfWeek()];
    switch (event.period) {
    case PeriodWeekly: return "FREQ=WEEKLY;BYDAY=" + weekday;
    case PeriodBiweekly: return "FREQ=WEEKLY;INTERVAL=2;BYDAY=" + weekday;
    case PeriodMonthlyByDay: return "FREQ=MONTHLY;BYMONTHDAY=" + std::to_string(event.startDate.day);
    case PeriodDaily:
        return event.repeatDays == 0 ? std::string()
                                     : "FREQ=DAILY;INTERVAL=" + std::to_string(std::abs(event.repeatDays));
    case PeriodYearly: return "FREQ=YEARLY";
    case PeriodMonthlyByPosition: {
        const MonthlyPosition& p = event.monthlyPosition;
        if (!ValidPosition(p))
            return {};
        std::string day = std::to_string(p.weekOrdinal) + dayCodes[p.weekday - 1];
        if (p.monthSel == 0)
            return "FREQ=MONTHLY;BYDAY=" + day;
        return "FREQ=YEARLY;BYMONTH=" + std::to_string(p.monthSel) + ";BYDAY=" + day;
    }
    default: return {};
    }
}

Date FirstPositionDay(const MonthlyPosition& position, const Date& from) {
    Date day = from;
    for (int i = 0; i < 800; ++i, day.AddDays(1)) {
        if ((position.monthSel == 0 || position.monthSel == day.month) &&
            OnPosition(day, position.weekOrdinal, position.weekday))
            return day;
    }
    return from;
}

bool ReadICalRule(std::string_view text, const Date& ruleStart, EventNode& event) {
    icalrecurrencetype rule = icalrecurrencetype_from_string(std::string(text).c_str());
    if (rule.freq == ICAL_NO_RECURRENCE || rule.interval < 1 || HasForeignParts(rule))
        return false;
    switch (rule.freq) {
    case ICAL_DAILY_RECURRENCE:
        if (Count(rule.by_day) || Count(rule.by_month_day) || Count(rule.by_month))
            return false;
        event.period = PeriodDaily;
        event.repeatDays = rule.interval;
        return true;
    case ICAL_WEEKLY_RECURRENCE: return ReadWeekly(rule, ruleStart, event);
    case ICAL_MONTHLY_RECURRENCE: return ReadMonthly(rule, ruleStart, event);
    case ICAL_YEARLY_RECURRENCE: return ReadYearly(rule, ruleStart, event);
    default: return false;
    }
}

}  // namespace vorlen::store
