#include "record_details.h"

#include "vorlen/core/period_text.h"

#include <cstdio>

namespace vorlen::views {
namespace {

constexpr int dayMonthYear = 1;

std::string Format(const char* pattern, int a, char separator, int b) {
    char text[32];
    std::snprintf(text, sizeof text, pattern, a, separator, b);
    return text;
}

const char* DaySuffix(int day) {
    switch (day) {
    case 1:
    case 21:
    case 31: return "st";
    case 2:
    case 22: return "nd";
    case 3:
    case 23: return "rd";
    default: return "th";
    }
}

// Day then month where the user's dates put the day first.
std::string DayAndMonth(const char* pattern, const Date& date) {
    if (dateOrder == dayMonthYear)
        return Format(pattern, date.day, dateSeparator, date.month);
    return Format(pattern, date.month, dateSeparator, date.day);
}

std::string EndText(const EventNode& event) {
    if (event.endDate.day == 0)
        return event.endTime.IsValid() ? event.endTime.Text() : std::string();
    if (event.endTime.IsValid())
        return event.endTime.Text() + ", " + event.endDate.LocaleShortText();
    return event.endDate.LocaleShortText();
}

}  // namespace

std::string StartText(const EventNode& event) {
    if (event.startTime.IsValid())
        return event.startTime.Text() + ", " + event.startDate.LocaleShortText();
    if (event.startDate.year == 0)
        return DayAndMonth("%d%c%d", event.startDate);
    return event.startDate.LocaleShortText();
}

std::string PeriodPhrase(const EventNode& event) {
    const Date& start = event.startDate;
    switch (event.period) {
    case PeriodOnceOff: return "Once Off";
    case PeriodWeekly: return std::string("Every ") + start.DayName();
    case PeriodBiweekly: return std::string("Every ") + start.DayName() + ", Fortnightly";
    case PeriodMonthlyByDay: return "Monthly on the " + std::to_string(start.day) + DaySuffix(start.day);
    case PeriodDaily: return "Reoccuring every " + std::to_string(event.repeatDays) + " day(s)";
    case PeriodYearly: return "Yearly on " + DayAndMonth("%02d%c%02d", start);
    case PeriodMonthlyByPosition: return MonthlyPositionText(event.monthlyPosition);
    default: return "Undefined!";
    }
}

RecordDetails DescribeEvent(const EventNode& event) {
    RecordDetails details;
    details.description = std::string(event.description.view());
    details.eventType = std::string(event.typeName.view());
    details.start = StartText(event);
    details.end = EndText(event);
    details.hasEnd = !details.end.empty();
    if (event.rangeEndDate.day != 0) {
        details.rangeEnd = event.rangeEndDate.LocaleShortText();
        details.hasRangeEnd = true;
    }
    details.where = std::string(event.location.view());
    details.hasWhere = !details.where.empty();
    details.period = PeriodPhrase(event);
    return details;
}

}  // namespace vorlen::views
