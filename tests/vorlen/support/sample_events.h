// A household's year of events, as a person would keep them: birthdays and
// anniversaries, weekly and monthly meetings, appointments with places and
// times, holidays with end dates. For screenshots of the screens that list
// events.
#pragma once

#include "vorlen/core/event_list.h"

namespace vorlen::test {

struct SampleEvent {
    const char* description;
    const char* category;
    const char* where;
    int32_t period;
    Date start;
    Time startTime;
    Date end;
    Time endTime;
    Date expiry;
};

inline void AddSampleEvents(Eventlist& events) {
    const Time none;
    const Date noDate;
    // One event a line.
    // clang-format off
    const SampleEvent samples[] = {
        {"Mother's birthday", "Birthday", "", PeriodYearly, {14, 3, 1952}, none, noDate, none, noDate},
        {"Dad's birthday", "Birthday", "", PeriodYearly, {2, 9, 1949}, none, noDate, none, noDate},
        {"Emma turns 10", "Birthday", "Playland, Hobart", PeriodOnceOff, {21, 6, 2026}, {14, 0}, noDate, {17, 0},
         noDate},
        {"Wedding anniversary", "Wedding Anniversary", "", PeriodYearly, {8, 11, 2003}, none, noDate, none, noDate},
        {"Grandpa Joe", "Death Memorial", "St Mary's cemetery", PeriodYearly, {30, 7, 2011}, none, noDate, none,
         noDate},
        {"Team meeting", "Meeting", "Room 4.12", PeriodWeekly, {4, 5, 2026}, {9, 30}, noDate, {10, 30},
         {18, 12, 2026}},
        {"Project steering group", "Meeting", "Boardroom", PeriodMonthlyByPosition, {13, 1, 2026}, {14, 0}, noDate,
         {15, 30}, noDate},
        {"Dentist - check-up", "Appointment", "Dr Lee, 12 Elizabeth St", PeriodOnceOff, {9, 6, 2026}, {8, 45},
         noDate, {9, 15}, noDate},
        {"Car service", "Appointment", "City Motors", PeriodOnceOff, {17, 6, 2026}, {7, 30}, noDate, none, noDate},
        {"Pay rent", "Normal", "", PeriodMonthlyByDay, {1, 1, 2026}, none, noDate, none, noDate},
        {"Piano lesson (Emma)", "Education", "Music school", PeriodWeekly, {3, 2, 2026}, {16, 0}, noDate, {16, 45},
         {30, 11, 2026}},
        {"Swimming", "Personal", "Aquatic centre", PeriodBiweekly, {7, 3, 2026}, {7, 0}, noDate, {8, 0}, noDate},
        {"Call the bank about the loan", "Phone Call", "", PeriodOnceOff, {5, 6, 2026}, {11, 0}, noDate, none,
         noDate},
        {"Winter holiday", "Holiday", "Cradle Mountain", PeriodOnceOff, {4, 7, 2026}, none, {12, 7, 2026}, none,
         noDate},
        {"School holidays", "Holiday", "", PeriodOnceOff, {27, 6, 2026}, none, {12, 7, 2026}, none, noDate},
        {"Conference in Sydney", "Travel", "International Convention Centre", PeriodOnceOff, {15, 9, 2026},
         {8, 0}, {17, 9, 2026}, {17, 30}, noDate},
        {"Flight QF 1234 to Sydney", "Travel", "Hobart airport", PeriodOnceOff, {14, 9, 2026}, {18, 20}, noDate,
         {20, 5}, noDate},
        {"Book club", "Personal", "Library, meeting room", PeriodMonthlyByPosition, {28, 1, 2026}, {19, 30},
         noDate, {21, 0}, noDate},
        {"Bin night", "Normal", "", PeriodWeekly, {6, 1, 2026}, {20, 0}, noDate, none, noDate},
        {"Recycling bin", "Normal", "", PeriodBiweekly, {13, 1, 2026}, {20, 0}, noDate, none, noDate},
        {"Tax return due", "Buisness", "", PeriodYearly, {31, 10, 2026}, none, noDate, none, noDate},
        {"Quarterly report", "Buisness", "Office", PeriodMonthlyByPosition, {27, 3, 2026}, {10, 0}, noDate, none,
         noDate},
        {"Annual leave", "Vacation", "", PeriodOnceOff, {21, 12, 2026}, none, {8, 1, 2027}, none, noDate},
        {"Flu shot", "Appointment", "Medical centre", PeriodOnceOff, {22, 4, 2026}, {9, 10}, noDate, none, noDate},
        {"Water the plants", "Normal", "", PeriodDaily, {1, 6, 2026}, none, noDate, none, {31, 8, 2026}},
        {"Physio", "Sick Day", "Back in Motion", PeriodWeekly, {12, 5, 2026}, {17, 15}, noDate, {18, 0},
         {30, 6, 2026}},
        {"Parent-teacher interview", "Education", "Primary school, room 7", PeriodOnceOff, {23, 6, 2026}, {15, 40},
         noDate, {15, 55}, noDate},
        {"Anna & Tom's wedding", "Special Occasion", "Botanical gardens", PeriodOnceOff, {10, 10, 2026}, {15, 0},
         noDate, {23, 0}, noDate},
        {"Renew car registration", "Normal", "", PeriodYearly, {19, 8, 2026}, none, noDate, none, noDate},
        {"Choir practice", "Personal", "Town hall", PeriodWeekly, {5, 2, 2026}, {19, 0}, noDate, {21, 0}, noDate},
        {"Lunch with Sarah", "Personal", "Cafe on the pier", PeriodOnceOff, {12, 6, 2026}, {12, 30}, noDate,
         {13, 30}, noDate},
        {"Christmas Day", "Holiday", "", PeriodYearly, {25, 12, 2026}, none, noDate, none, noDate},
        {"Budget review", "Meeting", "Room 2.01", PeriodMonthlyByDay, {15, 1, 2026}, {11, 0}, noDate, {12, 0},
         noDate},
        {"Insurance renewal", "Phone Call", "", PeriodOnceOff, {30, 6, 2026}, {10, 0}, noDate, none, noDate},
        {"Marathon training", "Personal", "Domain track", PeriodDaily, {1, 5, 2026}, {6, 0}, noDate, {7, 0},
         {13, 9, 2026}},
        {"Hair cut", "Appointment", "Salon Bella", PeriodOnceOff, {26, 6, 2026}, {10, 30}, noDate, none, noDate},
    };
    // clang-format on
    for (const SampleEvent& sample : samples) {
        EventNode& event = *events.Add();
        event.description = OptionalText(sample.description);
        event.typeName = OptionalText(sample.category);
        event.location = OptionalText(sample.where);
        event.period = sample.period;
        event.startDate = sample.start;
        event.startTime = sample.startTime;
        event.endDate = sample.end;
        event.endTime = sample.endTime;
        event.rangeEndDate = sample.expiry;
        event.repeatDays = 1;
    }
}

}  // namespace vorlen::test
