#include "commands/event_search.h"

#include <algorithm>
#include <cmath>

#include "schedule/event_computation.h"
#include "schedule/occurrences.h"

namespace tindlow {

namespace {

// Day numbers and times of day far beyond what any clock gives; within them every day cursor
// is a whole number of seconds that a double holds exactly.
constexpr double kLargestStartDay = 4'000'000'000.0;
constexpr double kLargestSecondsOfDay = 17'592'186'044'416.0;  // 2^44

struct StartDay {
    std::int64_t day = 0;
    std::int64_t secondsOfDay = 0;
};

std::optional<StartDay> startDayOf(const ScanDay& start) {
    const double seconds = start.secondsOfDay;
    if (!(std::fabs(seconds) < kLargestSecondsOfDay) || seconds != std::floor(seconds)) {
        return std::nullopt;
    }
    const double day = (start.dayCursor - seconds) / kSecondsPerDay;
    if (!(std::fabs(day) < kLargestStartDay) || day != std::floor(day) ||
        day * kSecondsPerDay + seconds != start.dayCursor) {
        return std::nullopt;
    }
    return StartDay{static_cast<std::int64_t>(day), static_cast<std::int64_t>(seconds)};
}

}  // namespace

std::optional<DayMonthYear> findEventDay(ReminderEntry& entry, const ScanDay& start, bool backwards,
                                         std::int32_t limit) {
    const std::optional<StartDay> from = startDayOf(start);
    if (!from) {
        return std::nullopt;
    }
    const EventRule rule = eventRuleOf(entry);
    // A negative limit leaves no day to scan.
    const std::optional<Occurrence> found =
        backwards ? lastOccurrence(
                        rule, {std::max(from->day - limit, firstDayWithCursor(from->secondsOfDay)),
                               from->day, from->secondsOfDay})
                  : firstOccurrence(rule, {from->day, from->day + limit, from->secondsOfDay});
    if (!found) {
        return std::nullopt;
    }
    entry.triggerEventTimeSec = found->eventTimeSec;
    return dateOfSeconds(momentOf(found->day, static_cast<SecondsOfDay>(from->secondsOfDay)));
}

}  // namespace tindlow
