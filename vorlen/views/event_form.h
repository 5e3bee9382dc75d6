// What the event properties dialog reads from its fields, without the
// window: date fields that may lack a year, the once-off year rule, the
// period wordings, and storing a filled-in form into an event with the
// messages of the fields that failed.
#pragma once

#include "vorlen/core/event_node.h"
#include "vorlen/core/type_list.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vorlen::views {

// The most characters the dialog reads from a field: "Where:" has its own,
// shorter limit; every other text has the long one.
inline constexpr std::size_t kEventTextLimit = 2047;
inline constexpr std::size_t kLocationLimit = 254;

// At most `limit` bytes of `text`.
std::string LimitedText(std::string text, std::size_t limit = kEventTextLimit);

// A date field as typed in the user's order (the process-wide date
// settings). A day and month without a year ("5/3", or "3/5" year first)
// read as such, with year 0.
struct DateFieldReading {
    bool readable = false;   // the text is a date in the user's order
    bool yearGiven = false;  // ... with a year of its own
    Date date;               // what was read (year 0 without a year)
};
DateFieldReading ReadDateField(const std::string& text, int32_t referenceYear);

// A day and month that could name a real day in some year (29 February
// counts).
bool IsValidDayMonth(const Date& date);

// A day and month without a year falls in `today`'s year, or in the next
// year when that day has already passed this year.
Date WithOnceOffYear(Date dayMonth, const Date& today);

// Categories whose events may be dated without a year: their reminders
// then come every year without a count of years.
bool IsAnniversaryCategory(std::string_view name);

// The decimal number at the start of `text`, 0 when there is none; held
// within the range of a 32-bit int.
int32_t LeadingNumber(const std::string& text);

// The one-line description of a period starting on the date in
// `startDateText`; empty for the periods that show their settings instead.
std::string PeriodDescription(PeriodKind period, const std::string& startDateText);

// The fields of the dialog as typed (Windows-1252, file names as bytes).
struct EventForm {
    std::string description;
    std::string category;
    std::string location;
    std::string extraInfo;
    std::string soundFile;
    std::string startDate;
    std::string startTime;
    std::string endDate;
    std::string endTime;
    std::string rangeEndDate;
    std::string warningDays;
    std::string alarmMinutes;
    std::string repeatDays;  // the "Every" field of a daily event
    int32_t autoDelete = 0;
    PeriodKind period = PeriodOnceOff;
    MonthlyPosition position;  // as stored: ordinal 1-5, weekday 1-7, month 0-12
};

// Checks and stores the fields one after the other into `event`: a field
// that fails is not stored (the times excepted, which keep what was read)
// and the later ones still are. A new category name is added to `types`.
// The messages of the failed fields, in order; empty when all passed.
std::vector<std::string> StoreEventForm(const EventForm& form, EventNode& event, Typelist& types,
                                        const Date& today);

}  // namespace vorlen::views
