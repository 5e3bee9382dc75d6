// A clock that the test sets: Date::Today and Time::Now read it until the
// guard ends and the system clock returns.
#pragma once

#include "vorlen/platform/local_clock.h"

namespace vorlen::test {

class FixedClock {
public:
    FixedClock(int year, int month, int day, int hour, int minute)
        : reading_{year, month, day, hour, minute} {
        platform::SetClockSource([this] { return reading_; });
    }
    ~FixedClock() { platform::SetClockSource(nullptr); }
    FixedClock(const FixedClock&) = delete;
    FixedClock& operator=(const FixedClock&) = delete;

    void Set(int day, int hour, int minute) {
        reading_.day = day;
        reading_.hour = hour;
        reading_.minute = minute;
    }

private:
    platform::ClockReading reading_;
};

}  // namespace vorlen::test
