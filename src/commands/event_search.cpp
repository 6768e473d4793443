#include "commands/event_search.h"

#include <cmath>

#include "schedule/event_computation.h"

namespace tindlow {

namespace {

// The event computation reads only these fields of an entry and writes only nextEventTimeSec,
// which it leaves as it was for an entry without a grid. A probe that carries nothing else
// gets every day the answer the entry would get, while the copy the preview evaluation makes
// for each day no longer carries the entry's texts: a search over a million days costs half.
ReminderEntry eventProbe(const ReminderEntry& entry) {
    ReminderEntry probe;
    probe.sDate = entry.sDate;
    probe.dayTime = entry.dayTime;
    probe.interval = entry.interval;
    probe.incType = entry.incType;
    probe.dayPointer = entry.dayPointer;
    probe.nextEventTimeSec = entry.nextEventTimeSec;
    return probe;
}

// Kinds the event computation places without looking at the reference date: interval 0 and
// unknown kinds keep the event they have, kind 0 is never, kind 1 is its start date.
bool eventIgnoresReferenceDate(const ReminderEntry& entry) {
    return entry.interval == 0 || number(entry.incType) < number(RecurrenceKind::Days) ||
           number(entry.incType) > number(RecurrenceKind::MonthDay);
}

// The day cursor after `steps` days; the walk and the shortcut compute it alike.
double dayCursorAfter(const ScanDay& start, bool backwards, double steps) {
    return start.dayCursor + (backwards ? -steps : steps) * kSecondsPerDay;
}

std::optional<DayMonthYear> tryDay(ReminderEntry& entry, ReminderEntry& probe, const ScanDay& start,
                                   double dayCursor) {
    const DayMonthYear cursorDate = dateOfSeconds(dayCursor);
    if (evaluateDueInPreview(probe, cursorDate, dayCursor - start.secondsOfDay) != kDueAtEvent) {
        return std::nullopt;
    }
    entry.triggerEventTimeSec = probe.triggerEventTimeSec;
    return cursorDate;
}

}  // namespace

std::optional<DayMonthYear> walkForEventDay(ReminderEntry& entry, const ScanDay& start,
                                            bool backwards, std::int32_t limit) {
    ReminderEntry probe = eventProbe(entry);
    for (std::int64_t steps = 0; steps <= limit; ++steps) {
        const double dayCursor = dayCursorAfter(start, backwards, static_cast<double>(steps));
        if (backwards && dayCursor < 0.0) {
            break;
        }
        if (const auto found = tryDay(entry, probe, start, dayCursor)) {
            return found;
        }
    }
    return std::nullopt;
}

std::optional<DayMonthYear> findEventDay(ReminderEntry& entry, const ScanDay& start, bool backwards,
                                         std::int32_t limit) {
    if (!eventIgnoresReferenceDate(entry)) {
        return walkForEventDay(entry, start, backwards, limit);
    }
    // Every day of the walk sees the same event time t, and the days do not overlap, so only
    // the day that contains t can match. Its distance from the first day is computed; the
    // neighbours are tried as well, in case the division rounded across a day boundary.
    ReminderEntry probe = eventProbe(entry);
    computeEvent(probe, dateOfSeconds(start.dayCursor));
    const double t = probe.nextEventTimeSec;
    if (!(t < kNeverSec)) {
        return std::nullopt;  // never, or not a number: no day matches
    }
    const double days = std::floor((t - (start.dayCursor - start.secondsOfDay)) / kSecondsPerDay);
    const double steps = backwards ? -days : days;
    for (const double candidate : {steps - 1.0, steps, steps + 1.0}) {
        // Comparisons that are false for infinities keep such a t out of the range.
        if (!(candidate >= 0.0 && candidate <= limit)) {
            continue;
        }
        const double dayCursor = dayCursorAfter(start, backwards, candidate);
        if (backwards && dayCursor < 0.0) {
            continue;  // the walk ends before it reaches this day
        }
        if (const auto found = tryDay(entry, probe, start, dayCursor)) {
            return found;
        }
    }
    return std::nullopt;
}

}  // namespace tindlow
