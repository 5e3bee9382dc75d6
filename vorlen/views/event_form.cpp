#include "event_form.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdio>

namespace vorlen::views {
namespace {

bool IsDateSeparator(char c) {
    return c == '-' || c == '/' || c == '.';
}

// Stores a time field: empty is no time; otherwise whatever was read is
// kept, and a text that is not a real time also gives `message`.
void StoreTime(const std::string& text, Time& stored, const char* message,
               std::vector<std::string>& messages) {
    Time time;
    if (!text.empty() && !(time.Parse(text) && time.IsValid()))
        messages.push_back(message);
    stored = time;
}

// An optional date field: empty is no date; a date that is not real, or
// that `accept` refuses, is not stored and gives `message`.
template <typename Accept>
void StoreOptionalDate(const std::string& text, Date& stored, int32_t referenceYear, const char* message,
                       std::vector<std::string>& messages, Accept accept) {
    if (text.empty()) {
        stored = Date();
        return;
    }
    Date date;
    if (date.Parse(text, referenceYear) && date.IsValid() && accept(date))
        stored = date;
    else
        messages.push_back(message);
}

void StoreStartDate(const EventForm& form, const std::string& category, EventNode& event, const Date& today,
                    std::vector<std::string>& messages) {
    DateFieldReading reading = ReadDateField(LimitedText(form.startDate), today.year);
    Date date = reading.date;
    if (reading.readable && !reading.yearGiven && form.period == PeriodOnceOff)
        date = WithOnceOffYear(date, today);
    bool accepted = date.IsValid();
    // An anniversary may be kept without its year; it must still name a
    // real day, or the reminders would never find it.
    if (IsAnniversaryCategory(category) && reading.readable && date.year == 0)
        accepted = IsValidDayMonth(date);
    if (accepted)
        event.startDate = date;
    else
        messages.push_back("The start date is invalid!");
}

}  // namespace

std::string LimitedText(std::string text, std::size_t limit) {
    if (text.size() > limit)
        text.resize(limit);
    return text;
}

DateFieldReading ReadDateField(const std::string& text, int32_t referenceYear) {
    Date full;
    if (full.Parse(text, referenceYear))
        return {true, true, full};
    // Without a year: the same reader over the text completed with a year,
    // which is then forgotten.
    std::string dayMonth = text;
    if (!dayMonth.empty() && IsDateSeparator(dayMonth.back()))
        dayMonth.pop_back();
    std::string completed = dateOrder == 2 ? "2000/" + dayMonth : dayMonth + "/00";
    Date partial;
    if (dayMonth.empty() || !partial.Parse(completed, referenceYear))
        return {};
    partial.year = 0;
    return {true, false, partial};
}

bool IsValidDayMonth(const Date& date) {
    return Date(date.day, date.month, 2000).IsValid();
}

Date WithOnceOffYear(Date dayMonth, const Date& today) {
    bool passed = dayMonth.month < today.month || (dayMonth.month == today.month && dayMonth.day < today.day);
    dayMonth.year = today.year + (passed ? 1 : 0);
    return dayMonth;
}

bool IsAnniversaryCategory(std::string_view name) {
    std::string upper;
    for (char c : name)
        upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    // "WEDDING ANIVERSARY" is how the rule has always been spelled; the
    // built-in category is spelled right, and both are meant.
    return upper == "BIRTHDAY" || upper == "DEATH MEMORIAL" || upper == "WEDDING ANIVERSARY" ||
           upper == "WEDDING ANNIVERSARY";
}

int32_t LeadingNumber(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        ++i;
    long long value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
        value = std::min<long long>(value * 10 + (text[i] - '0'), INT_MAX + 1LL);
    value = negative ? -value : std::min<long long>(value, INT_MAX);
    return static_cast<int32_t>(value);
}

std::string PeriodDescription(PeriodKind period, const std::string& startDateText) {
    Date start;
    bool known = start.Parse(startDateText) && start.IsValid();
    char text[96];
    switch (period) {
    case PeriodOnceOff: std::snprintf(text, sizeof text, "Event occurs on %s", start.Text().c_str()); break;
    case PeriodWeekly: std::snprintf(text, sizeof text, "Occurs every week on %s", start.DayName()); break;
    case PeriodBiweekly:
        std::snprintf(text, sizeof text, "Occurs every second week on %s", start.DayName());
        break;
    case PeriodMonthlyByDay: {
        int day = start.day;
        const char* suffix = (day == 1 || day == 21 || day == 31) ? "st"
                             : (day == 2 || day == 22)            ? "nd"
                             : (day == 3 || day == 23)            ? "rd"
                                                                  : "th";
        std::snprintf(text, sizeof text, "Occurs every month on %d%s", day, suffix);
        break;
    }
    case PeriodYearly:
        std::snprintf(text, sizeof text, "Occurs every year on %s", start.DayMonthText().c_str());
        break;
    default: return {};
    }
    return known ? text : "No extra information";
}

std::vector<std::string> StoreEventForm(const EventForm& form, EventNode& event, Typelist& types,
                                        const Date& today) {
    std::vector<std::string> messages;
    std::string description = LimitedText(form.description);
    if (description.empty())
        messages.push_back("You need a event description!");
    else
        event.SetDescription(description.c_str());

    std::string category = LimitedText(form.category);
    if (category.empty()) {
        messages.push_back("You need to specify a event type!");
    } else {
        types.Add(category);
        event.SetTypeName(category.c_str());
    }

    event.SetExtraInfo(LimitedText(form.extraInfo).c_str());
    event.SetSoundFile(LimitedText(form.soundFile).c_str());
    event.warningDays = LeadingNumber(LimitedText(form.warningDays));
    event.alarmMinutes = LeadingNumber(LimitedText(form.alarmMinutes));

    StoreStartDate(form, category, event, today, messages);
    StoreTime(LimitedText(form.startTime), event.startTime, "The start time is invalid!", messages);
    // Signed: a start without a year lies before every dated day.
    auto number = [](const Date& date) { return static_cast<int32_t>(date.DayNumber()); };
    int32_t startNumber = number(event.startDate);
    StoreOptionalDate(LimitedText(form.endDate), event.endDate, today.year,
                      "The end date is invalid! (Either invalid date or occurs before start date)", messages,
                      [&](const Date& end) { return number(end) >= startNumber; });
    event.autoDelete = form.autoDelete;
    event.SetLocation(LimitedText(form.location, kLocationLimit).c_str());
    StoreTime(LimitedText(form.endTime), event.endTime, "The end time is invalid!", messages);
    StoreOptionalDate(LimitedText(form.rangeEndDate), event.rangeEndDate, today.year,
                      "The range end date is invalid!", messages, [](const Date&) { return true; });

    event.period = form.period;
    if (form.period == PeriodMonthlyByPosition)
        event.monthlyPosition = form.position;
    else if (form.period == PeriodDaily)
        event.repeatDays = LeadingNumber(LimitedText(form.repeatDays));
    return messages;
}

}  // namespace vorlen::views
