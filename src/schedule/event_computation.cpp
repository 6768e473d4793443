#include "schedule/event_computation.h"

#include <algorithm>
#include <cmath>

namespace tindlow {

namespace {

// Years outside this range are far beyond the day numbers the calendar can hold (it clamps at
// about the years -837 and 4638); limiting them first keeps every later step inside 32 bits.
constexpr std::int64_t kLowestYear = -10000;
constexpr std::int64_t kHighestYear = 10000;

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

// A month counted from January 1901. Years before 1901 count negative, so a grid that starts
// before 1901 keeps its months: clamping them to 0 would shift every such grid.
std::int64_t monthIndex(std::int64_t month, std::int64_t year) {
    return (year - 1901) * 12 + month - 1;
}

// The remainder of truncating division, taken in 64 bits: it has the sign of the dividend,
// and INT32_MIN by -1 is simply 0. A negative divisor gives the same remainder as its amount,
// so negative intervals walk the same grid as positive ones.
std::int64_t truncatingRem(std::int64_t dividend, std::int64_t divisor) {
    return dividend % divisor;
}

struct MonthYear {
    std::int32_t month = 1;
    std::int32_t year = 1901;
};

std::int64_t gridStep(std::int64_t interval) {
    return interval < 0 ? -interval : interval;
}

// The month of the grid that belongs to the reference month, as months since January of the
// year 0 (year * 12 + month - 1): the reference month stepped back by the remainder of the month
// distance (or forward, when the reference lies before the start).
std::int64_t eventMonthCount(const DayMonthYear& start, const DayMonthYear& reference,
                             std::int64_t interval) {
    const std::int64_t distance =
        monthIndex(reference.month, reference.year) - monthIndex(start.month, start.year);
    const std::int64_t r = truncatingRem(distance, interval);
    return static_cast<std::int64_t>(reference.year) * 12 +
           (static_cast<std::int64_t>(reference.month) - 1) - r;
}

// A month count as month and year, with the year carried across December and January and
// limited to the years the calendar can tell apart.
MonthYear monthOfCount(std::int64_t months) {
    const std::int64_t year = floorDiv(months, 12);
    const std::int64_t month = months - year * 12 + 1;
    return {static_cast<std::int32_t>(month),
            static_cast<std::int32_t>(std::clamp(year, kLowestYear, kHighestYear))};
}

MonthYear eventMonth(const DayMonthYear& start, const DayMonthYear& reference,
                     std::int64_t interval) {
    return monthOfCount(eventMonthCount(start, reference, interval));
}

// The day number of day `day` of a month count. The day is not limited to the month: the 31st
// of a 30-day month is the 1st of the next one.
std::int32_t dayOfMonthCount(std::int32_t day, std::int64_t months) {
    const MonthYear month = monthOfCount(months);
    return dayNumberOf(day, month.month, month.year);
}

// Day of the month of the dayPointer-th weekday `weekday` in the month; a pointer beyond the
// last (or, from the end, the first) such weekday gives that last (first) one. A pointer of 0
// never comes from an event file; it is taken as the first such weekday.
std::int32_t weekdayOfMonth(const MonthYear& month, int weekday, std::int64_t pointer) {
    const std::int32_t length = monthLength(month.month, month.year);
    if (pointer >= 0) {
        const int firstWeekday = weekdayIndex(dayNumberOf(1, month.month, month.year));
        const int k = weekday - firstWeekday;
        const std::int64_t first = k >= 0 ? k + 1 : k + 8;
        const std::int64_t steps =
            std::min(std::max<std::int64_t>(pointer - 1, 0), (length - first) / 7);
        return static_cast<std::int32_t>(first + 7 * steps);
    }
    const int lastWeekday = weekdayIndex(dayNumberOf(length, month.month, month.year));
    std::int64_t last = length - lastWeekday + weekday;
    if (last > length) {
        last -= 7;
    }
    const std::int64_t steps = std::min(-1 - pointer, (last - 1) / 7);
    return static_cast<std::int32_t>(last - 7 * steps);
}

// Day of the month for a month-day pointer: from the start (1..length, beyond the length the
// last day), from the end (-1 is the last day), and the first day for 0 or a pointer reaching
// before the month.
std::int32_t monthDayOfMonth(const MonthYear& month, std::int64_t pointer) {
    const std::int64_t length = monthLength(month.month, month.year);
    if (pointer >= 1) {
        return static_cast<std::int32_t>(std::min(pointer, length));
    }
    if (pointer <= -1 && pointer >= -length) {
        return static_cast<std::int32_t>(length + 1 + pointer);
    }
    return 1;
}

// Keeps a time value usable for comparisons and later conversions: NaN reads as 0, and the
// value stays within never and its negative.
double boundedTime(double seconds) {
    if (std::isnan(seconds)) {
        return 0.0;
    }
    return std::clamp(seconds, -kNeverSec, kNeverSec);
}

}  // namespace

EventRule eventRuleOf(const ReminderEntry& entry) {
    EventRule rule;
    rule.start = parseDateText(entry.sDate);
    rule.startDay = dayNumberOf(rule.start.day, rule.start.month, rule.start.year);
    rule.kind = entry.incType;
    rule.interval = entry.interval;
    rule.dayPointer = entry.dayPointer;
    rule.dayTime = entry.dayTime;
    rule.storedEventTimeSec = entry.nextEventTimeSec;
    return rule;
}

bool ruleFollowsReferenceDate(const EventRule& rule) {
    return rule.interval != 0 && number(rule.kind) >= number(RecurrenceKind::Days) &&
           number(rule.kind) <= number(RecurrenceKind::MonthDay);
}

DayNumber runOverDayOf(const EventRule& rule, const DayMonthYear& referenceDate) {
    if (rule.kind != RecurrenceKind::Months || rule.interval == 0) {
        return kNoRunOverDay;
    }
    return dayOfMonthCount(
        rule.start.day,
        eventMonthCount(rule.start, referenceDate, rule.interval) - gridStep(rule.interval));
}

ProgramSeconds eventTimeOf(const EventRule& rule, const DayMonthYear& referenceDate) {
    if (rule.interval == 0) {
        return rule.storedEventTimeSec;  // no grid to step on: the event stays what it was
    }
    const DayMonthYear& start = rule.start;
    const DayNumber startDay = rule.startDay;
    const std::int64_t interval = rule.interval;
    DayNumber eventDay = 0;
    switch (rule.kind) {
        case RecurrenceKind::NotUsed:
            return kNeverSec;
        case RecurrenceKind::Single:
            eventDay = startDay;
            break;
        case RecurrenceKind::Days: {
            const std::int64_t reference =
                dayNumberOf(referenceDate.day, referenceDate.month, referenceDate.year);
            // Lies between the reference day and the start day, so it fits the calendar.
            eventDay = static_cast<std::int32_t>(reference -
                                                 truncatingRem(reference - startDay, interval));
            break;
        }
        case RecurrenceKind::Months: {
            const std::int64_t months = eventMonthCount(start, referenceDate, interval);
            eventDay = dayOfMonthCount(start.day, months);
            // The occurrence of the grid month one interval before may have run over into the
            // reference month. Up to its day it is still to come (or today): the current one.
            const std::int32_t runOver = dayOfMonthCount(start.day, months - gridStep(interval));
            if (runOver >=
                dayNumberOf(referenceDate.day, referenceDate.month, referenceDate.year)) {
                eventDay = runOver;
            }
            break;
        }
        case RecurrenceKind::Years: {
            const std::int64_t year =
                referenceDate.year -
                truncatingRem(static_cast<std::int64_t>(referenceDate.year) - start.year, interval);
            // 29 February of a common year runs on to 1 March.
            eventDay =
                dayNumberOf(start.day, start.month,
                            static_cast<std::int32_t>(std::clamp(year, kLowestYear, kHighestYear)));
            break;
        }
        case RecurrenceKind::MonthWeekday: {
            const MonthYear month = eventMonth(start, referenceDate, interval);
            const std::int32_t day = weekdayOfMonth(month, weekdayIndex(startDay), rule.dayPointer);
            eventDay = dayNumberOf(day, month.month, month.year);
            break;
        }
        case RecurrenceKind::MonthDay: {
            const MonthYear month = eventMonth(start, referenceDate, interval);
            eventDay =
                dayNumberOf(monthDayOfMonth(month, rule.dayPointer), month.month, month.year);
            break;
        }
        default:
            return rule.storedEventTimeSec;
    }
    // A time of day that is not a number counts as midnight; one beyond all dates (the column
    // is a decimal of any size) puts the event at never rather than at infinity.
    const ProgramSeconds dayStart = static_cast<double>(eventDay) * kSecondsPerDay;
    const ProgramSeconds time = dayStart + rule.dayTime;
    return std::isnan(time) ? dayStart : boundedTime(time);
}

void computeEvent(ReminderEntry& entry, const DayMonthYear& referenceDate) {
    entry.nextEventTimeSec = eventTimeOf(eventRuleOf(entry), referenceDate);
}

bool eventFallsOnDay(ProgramSeconds eventTimeSec, ProgramSeconds dayStart) {
    return eventTimeSec < kNeverSec && eventTimeSec >= dayStart &&
           eventTimeSec < dayStart + kSecondsPerDay;
}

int todayTest(const ReminderEntry& entry, const LocalTime& now) {
    const ProgramSeconds event = boundedTime(entry.nextEventTimeSec);
    if (event >= kNeverSec) {
        return kRemindPeriodLater;  // an entry that never fires has no remind period
    }
    const double pre = boundedTime(entry.preTrigger);
    const double post = boundedTime(entry.postTrigger);
    const ProgramSeconds nowSec = nowSeconds(now);
    const ProgramSeconds midnight =
        nowSec + kSecondsPerDay - secondsOfDay(now);  // start of tomorrow
    if (event + post >= nowSec && midnight >= event - pre) {
        return kRemindPeriodToday;
    }
    return nowSec > event + post ? kRemindPeriodOver : kRemindPeriodLater;
}

std::int32_t evaluateDue(ReminderEntry& entry, const LocalTime& now,
                         std::int32_t executionLoopPeriod) {
    const ProgramSeconds event = boundedTime(entry.nextEventTimeSec);
    if (event >= kNeverSec) {
        entry.nextAskSec = kNeverSec;
        return kDueNothing;
    }
    const double pre = boundedTime(entry.preTrigger);
    const double post = boundedTime(entry.postTrigger);
    const ProgramSeconds nowSec = nowSeconds(now);
    const double restOfDay = kSecondsPerDay - secondsOfDay(now);

    if (nowSec < event - pre) {
        entry.nextAskSec = event - pre;
        return kDueNothing;
    }
    // The remind period is extended to the end of the current day.
    if (nowSec > event + post + restOfDay) {
        entry.nextAskSec = event - pre;
        return kDueNothing;
    }
    if (event > nowSec) {
        // Without slices (no pre-event period, or a repeat count of 0 or less) there is no
        // pre-event reminder; the entry waits for its event time.
        if (pre == 0.0 || entry.repeat <= 0) {
            entry.nextAskSec = event;
            return kDueNothing;
        }
        // remindMatrix has 30 bits for pre-event slots: more slots than that are 30 slots, so a
        // slot number never meets the answers 30, 31 and 33.
        const std::int32_t slots = std::min(entry.repeat, kMaxPreEventSlots);
        const double slice = pre / slots;
        // The slice that contains now, counted back from the event. The first step already
        // showed now >= event - pre, so the earliest slice is taken without a comparison that
        // rounding could make fail.
        std::int32_t i = 1;
        while (i < slots && nowSec < event - i * slice) {
            ++i;
        }
        entry.nextAskSec = event - (i - 1) * slice;
        return slots - i;
    }
    entry.nextAskSec = kNeverSec;
    const double lateness = 2.0 * std::max<std::int32_t>(executionLoopPeriod, 0);
    return nowSec <= event + lateness ? kDueAtEvent : kDueAfterEvent;
}

std::int32_t evaluateDueInPreview(ReminderEntry& entry, const DayMonthYear& cursorDate,
                                  ProgramSeconds dayStart) {
    const ProgramSeconds t = eventTimeOf(eventRuleOf(entry), cursorDate);
    if (eventFallsOnDay(t, dayStart)) {
        entry.triggerEventTimeSec = t;
        return kDueAtEvent;
    }
    return kDueNothing;
}

}  // namespace tindlow
