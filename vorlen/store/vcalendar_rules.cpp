#include "vcalendar_rules.h"

#include <cstdint>

namespace vorlen::store {
namespace {

constexpr const char* weekdayCodes[7] = {"SU", "MO", "TU", "WE", "TH", "FR", "SA"};

// Reads a rule text front to back; every step either consumes what it
// expects or leaves the text as it was and fails.
class RuleReader {
public:
    explicit RuleReader(std::string_view text) : text_(text) {}

    bool AtEnd() const { return text_.empty(); }

    bool Take(std::string_view expected) {
        if (text_.substr(0, expected.size()) != expected)
            return false;
        text_.remove_prefix(expected.size());
        return true;
    }

    // Exactly `count` digits.
    bool Digits(size_t count, int32_t& value) {
        if (text_.size() < count)
            return false;
        int32_t result = 0;
        for (size_t i = 0; i < count; ++i) {
            if (text_[i] < '0' || text_[i] > '9')
                return false;
            result = result * 10 + (text_[i] - '0');
        }
        text_.remove_prefix(count);
        value = result;
        return true;
    }

    // One to nine digits, so that the value always fits.
    bool Number(int32_t& value) {
        size_t count = 0;
        while (count < text_.size() && count < 10 && text_[count] >= '0' && text_[count] <= '9')
            ++count;
        return count >= 1 && count <= 9 && Digits(count, value);
    }

    // A weekday code; 1 is Sunday.
    bool Weekday(int32_t& value) {
        for (int32_t day = 0; day < 7; ++day) {
            if (Take(weekdayCodes[day])) {
                value = day + 1;
                return true;
            }
        }
        return false;
    }

    // "yyyymmddThhmmss" with an optional "Z"; only the date counts.
    bool Expiry(Date& date) {
        int32_t year, month, day, clock;
        if (!Digits(4, year) || !Digits(2, month) || !Digits(2, day) || !Take("T") || !Digits(6, clock))
            return false;
        Take("Z");
        date = Date(day, month, year);
        return date.IsValid();
    }

private:
    std::string_view text_;
};

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() &&
           (text.back() == ' ' || text.back() == '\t' || text.back() == '\r' || text.back() == '\n'))
        text.remove_suffix(1);
    return text;
}

}  // namespace

std::string RuleText(const EventNode& event) {
    std::string rule;
    switch (event.period) {
    case PeriodWeekly: rule = "W1"; break;
    case PeriodBiweekly: rule = "W2"; break;
    case PeriodMonthlyByDay: rule = "MD " + std::to_string(event.startDate.day); break;
    case PeriodDaily: rule = "D" + std::to_string(event.repeatDays); break;
    case PeriodYearly: rule = "YD1"; break;
    case PeriodMonthlyByPosition: {
        const MonthlyPosition& position = event.monthlyPosition;
        if (position.weekday < 1 || position.weekday > 7)
            return {};
        rule = (position.monthSel == 0 ? "MP1 " : "MP12 ") + std::to_string(position.weekOrdinal) + " " +
               weekdayCodes[position.weekday - 1];
        break;
    }
    default: return {};
    }
    if (event.rangeEndDate.IsValid())
        rule += " " + event.RangeEndVCalText();
    return rule;
}

bool ReadRule(std::string_view text, EventNode& event) {
    RuleReader in(Trim(text));
    int32_t period;
    int32_t repeatDays = 0;
    MonthlyPosition position;
    int32_t number;
    if (in.Take("W1")) {
        period = PeriodWeekly;
    } else if (in.Take("W2")) {
        period = PeriodBiweekly;
    } else if (in.Take("MD ")) {
        // The day comes from startDate; a rule naming another day is not ours.
        if (!in.Number(number) || number != event.startDate.day)
            return false;
        period = PeriodMonthlyByDay;
    } else if (in.Take("D")) {
        if (!in.Number(number) || number < 1)
            return false;
        period = PeriodDaily;
        repeatDays = number;
    } else if (in.Take("YD1")) {
        period = PeriodYearly;
    } else if (in.Take("MP1")) {
        bool oneMonth = in.Take("2");
        if (!in.Take(" ") || !in.Number(number) || number < 1 || number > 5 || !in.Take(" ") ||
            !in.Weekday(position.weekday))
            return false;
        if (oneMonth && (event.startDate.month < 1 || event.startDate.month > 12))
            return false;
        period = PeriodMonthlyByPosition;
        position.weekOrdinal = number;
        position.monthSel = oneMonth ? event.startDate.month : 0;
    } else {
        return false;
    }
    // "#0" is the vCalendar word for "for ever"; phones write it on every
    // repeating event.
    Date expiry;
    if (!in.AtEnd() && (!in.Take(" ") || !(in.Take("#0") || in.Expiry(expiry)) || !in.AtEnd()))
        return false;

    event.period = period;
    if (period == PeriodDaily)
        event.repeatDays = repeatDays;
    if (period == PeriodMonthlyByPosition)
        event.monthlyPosition = position;
    event.rangeEndDate = expiry;
    return true;
}

}  // namespace vorlen::store
