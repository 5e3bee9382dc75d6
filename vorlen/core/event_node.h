// One event or appointment, with its repetition rule, and the numbering of
// those rules as the data file stores them.
#pragma once

#include "vorlen/core/date_time.h"
#include "vorlen/core/node.h"
#include "vorlen/core/optional_text.h"

#include <cstdint>
#include <string>

namespace vorlen {

enum PeriodKind : int32_t {
    PeriodUndefined = 0,
    PeriodOnceOff = 1,
    PeriodWeekly = 2,
    PeriodBiweekly = 3,
    PeriodMonthlyByDay = 4,
    PeriodDaily = 5,
    PeriodYearly = 6,
    PeriodMonthlyByPosition = 7,
};

// "The second Tuesday of every month": weekOrdinal 2, weekday 3 (Sunday 1),
// monthSel 0 for every month or 1-12 for one month. Stored in the shape of a
// Date (three 32-bit ints).
struct MonthlyPosition {
    int32_t weekOrdinal = 0;
    int32_t weekday = 0;
    int32_t monthSel = 0;
};

// The fields of an event, apart from its list links. The fields that the
// occurrence rules read come first, right after the links, then the other
// numbers, and the texts last: walking a long list then touches as few
// cache lines of each record as it can.
struct EventFields {
    Date startDate;
    Date endDate;       // last day of a multi-day event; empty for one day
    Date rangeEndDate;  // expiry of a repeating event; empty = for ever
    MonthlyPosition monthlyPosition;
    int32_t warningDays = 0;
    int32_t period = PeriodUndefined;
    int32_t repeatDays = 0;  // interval of a PeriodDaily event
    Time startTime;          // no time = all-day event
    Time endTime;
    int32_t alarmMinutes = 0;   // before startTime; 0 = no alarm
    int32_t autoDelete = 0;     // 0 keep, 1 delete, 2 archive once old
    OptionalText reservedText;  // carried through files, never shown
    OptionalText description;
    OptionalText typeName;  // category name, compared case-sensitively
    OptionalText location;
    OptionalText extraInfo;
    OptionalText soundFile;
};

struct EventNode : Node, EventFields {
    EventNode* Next() const { return static_cast<EventNode*>(next); }
    EventNode* Prev() const { return static_cast<EventNode*>(prev); }

    void SetStartDate(int32_t d, int32_t m, int32_t y) { startDate = Date(d, m, y); }
    void SetEndDate(int32_t d, int32_t m, int32_t y) { endDate = Date(d, m, y); }
    void SetRangeEndDate(int32_t d, int32_t m, int32_t y) { rangeEndDate = Date(d, m, y); }
    void SetMonthlyPosition(int32_t ordinal, int32_t weekday, int32_t monthSel) {
        monthlyPosition = {ordinal, weekday, monthSel};
    }
    void SetStartTime(int32_t h, int32_t m) { startTime = Time(h, m); }
    void SetEndTime(int32_t h, int32_t m) { endTime = Time(h, m); }
    void SetAlarmMinutes(int32_t value) { alarmMinutes = value; }
    void SetAutoDelete(int32_t value) { autoDelete = value; }
    void SetWarningDays(int32_t value) { warningDays = value; }
    void SetPeriod(int32_t value) { period = value; }
    void SetRepeatDays(int32_t value) { repeatDays = value; }

    // A null text leaves the field as it was.
    void SetReservedText(const char* text) { reservedText.SetUnlessNull(text); }
    void SetDescription(const char* text) { description.SetUnlessNull(text); }
    void SetTypeName(const char* text) { typeName.SetUnlessNull(text); }
    void SetLocation(const char* text) { location.SetUnlessNull(text); }
    void SetExtraInfo(const char* text) { extraInfo.SetUnlessNull(text); }
    void SetSoundFile(const char* text) { soundFile.SetUnlessNull(text); }

    // The period of an old file's letter: O W M R Y S, anything else undefined.
    void SetPeriodFromLetter(char letter);
    bool HasStartTime() const { return startTime.IsValid(); }
    bool IsExpiredBefore(const Date& date) const;
    std::string PeriodName() const;
    std::string RangeEndVCalText() const;

    // Copies what an archived event keeps; alarm, extra information and
    // sound file stay as they are.
    void CopyFrom(const EventNode& other);
};

}  // namespace vorlen
