// Local wall-clock time and the offset of the local time zone from UTC, from
// the C library's zone data (TZ).
#pragma once

#include <functional>
#include <string>

namespace vorlen::platform {

struct ClockReading {
    int year = 0;
    int month = 0;  // 1-12
    int day = 0;
    int hour = 0;
    int minute = 0;
};

// The local wall-clock time: the system's, or that of the source set last.
ClockReading LocalNow();

// Replaces the system clock for the whole program, so that tests can move
// the day and the minute; an empty source restores the system clock.
using ClockSource = std::function<ClockReading()>;
void SetClockSource(ClockSource source);

// Minutes to add to a local time to reach UTC (positive west of Greenwich),
// as in force at that local wall-clock time, daylight saving included.
int UtcOffsetWestAtLocal(const ClockReading& local);

// The same offset, in force at the given UTC instant.
int UtcOffsetWestAtUtc(const ClockReading& utc);

// The name of the local zone in the zone database ("Europe/London"): from
// TZ when it names one, else /etc/timezone, else the target of
// /etc/localtime. Empty when none of them tells (TZ="EST5EDT,M3.2.0,..."
// rules, a copied zone file).
std::string LocalZoneName();

}  // namespace vorlen::platform
