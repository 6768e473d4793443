#pragma once
#include <cstdint>
#include <optional>

#include "platform/clock.h"
#include "schedule/event_computation.h"

namespace tindlow {

// The days a preview, look-back or event search visits: day numbers first..last (inclusive),
// each at the time of day of the run. Day D is evaluated for the reference date
// dateOfSeconds(D * 86400 + secondsOfDay), and the entry's event falls on it when
// eventFallsOnDay(t, D * 86400) holds for the event time t of that reference date.
struct ScanRange {
    std::int64_t first = 0;
    std::int64_t last = -1;
    // Whole seconds after midnight as a LocalTime gives them (hour * 3600 + minute * 60 +
    // second). A value no clock gives (beyond about 2^44) finds nothing.
    std::int64_t secondsOfDay = 0;
};

// The time of day of a run started at `now`, as ScanRange takes it.
std::int64_t scanSecondsOfDay(const LocalTime& now);

// The first day whose day cursor D * 86400 + secondsOfDay is not below 0: a backward scan
// ends before the calendar begins.
std::int64_t firstDayWithCursor(std::int64_t secondsOfDay);

// A day on which the entry's event falls, with that event's time.
struct Occurrence {
    std::int64_t day = 0;
    ProgramSeconds eventTimeSec = 0.0;
};

// The first day of the range, going upwards, on which a day-by-day scan finds the event. The
// days are not visited one by one: the event time depends on the reference date only, and it
// stays the same over stretches of days (a grid cell of the Days kind, a month, a year; the
// first days of a month up to an occurrence of the Months kind that ran over into it from the
// month before, and the rest of the month), so it is computed once per stretch, and only the
// day that contains it can match.
std::optional<Occurrence> firstOccurrence(const EventRule& rule, const ScanRange& range);

// The last such day of the range: the first one going downwards.
std::optional<Occurrence> lastOccurrence(const EventRule& rule, const ScanRange& range);

}  // namespace tindlow
