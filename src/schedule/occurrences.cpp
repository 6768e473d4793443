#include "schedule/occurrences.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace tindlow {

namespace {

// Reference day numbers with a date of their own: the day scan's reference date of day D is
// that of the reference day r = D + floor(secondsOfDay / 86400), and every r <= 0 reads as
// 01.01.1901, every r >= 1000000 as 31.12.2999 (dateOfSeconds clamps).
constexpr std::int64_t kFirstPlainDay = 1;
constexpr std::int64_t kLastPlainDay = kFirstClampedDayNumber - 1;

// Every event time below never lies within 2,000,000,000 days of day 0, so days beyond these
// can never match, and day numbers stay far from any overflow.
constexpr std::int64_t kFarthestDay = 2'000'000'002;
constexpr std::int64_t kUnbounded = std::numeric_limits<std::int64_t>::max() / 4;
constexpr std::int64_t kLargestSecondsOfDay = std::int64_t{1} << 44;

// Beyond this distance from day 0 a period of the match pattern is no longer safe from
// rounding: event times there exceed 2^40 seconds, where half a unit of the last place exceeds
// 1e-4 seconds.
constexpr std::int64_t kPeriodicDayLimit = 10'000'000;
constexpr double kRoundingMargin = 1e-4;

// Segments scanned one by one before the stretches of a rule are looked up.
constexpr int kSegmentsBeforeStretches = 4;

constexpr std::int64_t kMonthsPerLeapCycle = 48;      // 4 years of this calendar
constexpr std::int64_t kDaysPerLeapCycle = 1461;      // exactly, as it has no century rule
constexpr std::int64_t kMonthsPerWeekdayCycle = 336;  // 28 years: 7 leap cycles, whole weeks

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

// A month counted from January 1901, as the event computation counts them.
std::int64_t monthIndex(std::int64_t month, std::int64_t year) {
    return (year - 1901) * 12 + month - 1;
}

// The day number of the first day of month index j; the year is limited first so the calendar
// clamps the day number instead of the year overflowing.
std::int64_t firstDayOfMonth(std::int64_t j) {
    const std::int64_t years = floorDiv(j, 12);
    const std::int64_t month = j - years * 12 + 1;
    const std::int64_t year = std::clamp<std::int64_t>(1901 + years, -10000, 10000);
    return dayNumberOf(1, static_cast<std::int32_t>(month), static_cast<std::int32_t>(year));
}

std::int64_t firstDayOfYear(std::int64_t year) {
    return dayNumberOf(1, 1,
                       static_cast<std::int32_t>(std::clamp<std::int64_t>(year, -10000, 10000)));
}

// The event computation steps back from the reference by the truncating remainder of its
// distance x from the grid's start (forward when x < 0), so positions with one value form cells
// of k positions: how many positions before and after x belong to the cell of x.
struct CellSpan {
    std::int64_t before = 0;
    std::int64_t after = 0;
};

CellSpan cellSpan(std::int64_t x, std::int64_t k) {
    if (x >= 0) {
        const std::int64_t r = x % k;
        return {r, k - 1 - r};
    }
    const std::int64_t r = (-x) % k;
    return {k - 1 - r, r};
}

std::int64_t gridStep(std::int32_t interval) {
    return interval < 0 ? -static_cast<std::int64_t>(interval) : interval;
}

bool isMonthKind(RecurrenceKind kind) {
    return kind == RecurrenceKind::Months || kind == RecurrenceKind::MonthWeekday ||
           kind == RecurrenceKind::MonthDay;
}

// How far a time of day lies below the next multiple of 86400, when rounding can make that
// matter: an event time E * 86400 + dayTime then either stays on the day before or rounds up
// onto the midnight, depending on how large it is. 0 when rounding treats every event time
// alike: a whole time of day gives exact event times, one not just below a multiple of 86400
// rounds within the day it lies in (far from day 0 a unit of the last place grows past 1e-4,
// which kPeriodicDayLimit keeps away), one that is not a number or infinite gives midnight or
// never, and one beyond 10^13 seconds puts every event far outside the days a period is used.
double gapBelowMidnight(double dayTime) {
    if (!std::isfinite(dayTime) || std::fabs(dayTime) >= 1e13 || dayTime == std::floor(dayTime)) {
        return 0.0;
    }
    double multiple = (std::floor(dayTime / kSecondsPerDay) - 1.0) * kSecondsPerDay;
    while (multiple <= dayTime) {
        multiple += kSecondsPerDay;
    }
    // Exact when it is small: the two values lie within a factor of two of each other.
    const double gap = multiple - dayTime;
    return gap <= kRoundingMargin ? gap : 0.0;
}

// The first j of [low, end) for which `holds` is true (end when none is), for a condition
// that stays true once it is.
template <typename Condition>
std::int64_t firstTrue(std::int64_t low, std::int64_t end, Condition holds) {
    std::int64_t high = end;
    while (low < high) {
        const std::int64_t middle = low + (high - low) / 2;
        if (holds(middle)) {
            high = middle;
        } else {
            low = middle + 1;
        }
    }
    return low;
}

struct Segment {
    std::int64_t first = 0;
    std::int64_t last = 0;
    double eventTimeSec = 0.0;
};

// Days over which the days with a match repeat every `period` days: a match on D means one on
// D + period as long as both lie in [first, last].
struct Stretch {
    std::int64_t first = 0;
    std::int64_t last = -1;
    std::int64_t period = 0;
};

// The day scan of one rule, seen as segments of days with one event time each.
class RuleScan {
  public:
    RuleScan(const EventRule& rule, std::int64_t secondsOfDay)
        : rule_(rule),
          shift_(floorDiv(secondsOfDay, 86400)),
          gapBelowMidnight_(gapBelowMidnight(rule.dayTime)) {}

    // Where rounding can differ between periods, it does not within the days whose exact
    // event time F * 86400 - gap has one sign and one binary exponent: the step of the
    // representable numbers is the same there, and a shift by whole days keeps each value's
    // place among them. The zone of an event time: a number that grows with the event time,
    // the same for all days when rounding treats them alike.
    std::int64_t zoneOf(double eventTimeSec) const {
        if (gapBelowMidnight_ == 0.0 || !std::isfinite(eventTimeSec)) {
            return 0;
        }
        // The event time is F * 86400 or rounded a hair below it.
        const double f = std::ceil(eventTimeSec / kSecondsPerDay);
        if (f >= 1.0) {
            return 2000 + std::ilogb(f * kSecondsPerDay);
        }
        return -(2000 + std::ilogb(f == 0.0 ? gapBelowMidnight_ : -f * kSecondsPerDay));
    }

    bool zoned() const { return gapBelowMidnight_ != 0.0; }

    // The segment of days with the event time of `day`. It may be shorter than the longest
    // such run; it is never longer.
    Segment segmentAt(std::int64_t day) const {
        if (!ruleFollowsReferenceDate(rule_)) {
            return {-kUnbounded, kUnbounded, eventTimeOf(rule_, DayMonthYear{1, 1, 1901})};
        }
        const std::int64_t reference = day + shift_;
        if (reference < kFirstPlainDay) {
            return {-kUnbounded, kFirstPlainDay - 1 - shift_,
                    eventTimeOf(rule_, dateOfDayNumber(0))};
        }
        if (reference > kLastPlainDay) {
            return {kLastPlainDay + 1 - shift_, kUnbounded,
                    eventTimeOf(rule_, dateOfDayNumber(kFirstClampedDayNumber))};
        }
        const DayMonthYear date = dateOfDayNumber(static_cast<DayNumber>(reference));
        const auto [first, last] = referenceSpan(reference, date);
        return {std::max(first, kFirstPlainDay) - shift_, std::min(last, kLastPlainDay) - shift_,
                eventTimeOf(rule_, date)};
    }

    // The stretch that holds `day`, when the rule has one there.
    const Stretch* stretchAt(std::int64_t day) {
        if (!stretchesFound_) {
            findStretches();
            stretchesFound_ = true;
        }
        for (const Stretch& s : stretches_) {
            if (s.period > 0 && day >= s.first && day <= s.last) {
                return &s;
            }
        }
        return nullptr;
    }

  private:
    // Reference days that share the event time of `reference` (whose date is `date`).
    std::pair<std::int64_t, std::int64_t> referenceSpan(std::int64_t reference,
                                                        const DayMonthYear& date) const {
        const std::int64_t k = gridStep(rule_.interval);
        if (rule_.kind == RecurrenceKind::Days) {
            const CellSpan span = cellSpan(reference - rule_.startDay, k);
            return {reference - span.before, reference + span.after};
        }
        if (rule_.kind == RecurrenceKind::Years) {
            const CellSpan span =
                cellSpan(static_cast<std::int64_t>(date.year) - rule_.start.year, k);
            return {firstDayOfYear(date.year - span.before),
                    firstDayOfYear(date.year + span.after + 1) - 1};
        }
        // The month kinds place the event by the reference month alone.
        const std::int64_t j = monthIndex(date.month, date.year);
        const CellSpan span = cellSpan(j - monthIndex(rule_.start.month, rule_.start.year), k);
        std::int64_t first = firstDayOfMonth(j - span.before);
        std::int64_t last = firstDayOfMonth(j + span.after + 1) - 1;
        // Except where the Months kind's occurrence of the grid month before has run over into
        // the cell: the days up to that occurrence have it, the days after it the cell's own.
        const std::int64_t runOver = runOverDayOf(rule_, date);
        if (reference <= runOver) {
            last = std::min(last, runOver);
        } else {
            first = std::max(first, runOver + 1);
        }
        return {first, last};
    }

    // Reference days [first, last] as scan days, limited to the days with dates of their own.
    Stretch stretchOfReferences(std::int64_t first, std::int64_t last, std::int64_t period) const {
        return {std::max(first, kFirstPlainDay) - shift_, std::min(last, kLastPlainDay) - shift_,
                period};
    }

    // Before and after the grid's start the event times step alike: t(r + period) =
    // t(r) + period * 86400 for the Days kind with period k, and for the month kinds with the
    // days of a whole number of leap cycles (and weeks, for the weekday kind) that is also a
    // whole number of grid cells.
    void findStretches() {
        if (!ruleFollowsReferenceDate(rule_)) {
            return;
        }
        // Event times of far away days are too coarse to repeat exactly.
        if (kFirstPlainDay - shift_ <= -kPeriodicDayLimit ||
            kLastPlainDay - shift_ >= kPeriodicDayLimit) {
            return;
        }
        const std::int64_t k = gridStep(rule_.interval);
        if (rule_.kind == RecurrenceKind::Days) {
            stretches_[0] = stretchOfReferences(kFirstPlainDay, rule_.startDay - 1, k);
            stretches_[1] = stretchOfReferences(rule_.startDay, kLastPlainDay, k);
            return;
        }
        if (isMonthKind(rule_.kind)) {
            findMonthStretches(k);
        }
    }

    // The event month always lies between the reference month and the start month. Within
    // the months whose event days the calendar does not clamp, shifting the reference by
    // whole leap cycles (and whole weeks for the weekday kind) shifts the event day by exactly
    // as many days. The Months kind's run-over day shifts alike, and so do the days that take
    // the occurrence of the grid month before: that day lies before the event day, so within
    // a stretch the calendar clamps it only far below, where it lies before every reference
    // day and is never taken.
    void findMonthStretches(std::int64_t k) {
        const std::int64_t cycle = rule_.kind == RecurrenceKind::MonthWeekday
                                       ? kMonthsPerWeekdayCycle
                                       : kMonthsPerLeapCycle;
        const std::int64_t period = std::lcm(k, cycle) / kMonthsPerLeapCycle * kDaysPerLeapCycle;
        const std::int64_t firstReference = 0;  // January 1901
        const DayMonthYear lastDate = dateOfDayNumber(static_cast<DayNumber>(kLastPlainDay));
        const std::int64_t lastReference = monthIndex(lastDate.month, lastDate.year);
        const std::int64_t start = monthIndex(rule_.start.month, rule_.start.year);
        // The months day 1 of the month kinds (or the start day) can be placed in unclamped.
        const std::int64_t lowDay = rule_.kind == RecurrenceKind::Months ? rule_.start.day : 1;
        const std::int64_t highDay = rule_.kind == RecurrenceKind::Months ? rule_.start.day : 31;
        const auto unclampedFrom = [&](std::int64_t j) {
            return 1901 + floorDiv(j, 12) >= -10000 &&
                   eventDayOf(lowDay, j) > -kFirstClampedDayNumber;
        };
        const auto unclampedTo = [&](std::int64_t j) {
            return 1901 + floorDiv(j, 12) <= 10000 &&
                   eventDayOf(highDay, j) < kFirstClampedDayNumber;
        };
        const std::int64_t low = std::min(firstReference, start);
        const std::int64_t high = std::max(lastReference, start);
        // The first month from which on (and the last up to which) no event day is clamped.
        const std::int64_t safeFrom = firstTrue(low, high + 1, unclampedFrom);
        const std::int64_t safeTo =
            firstTrue(low, high + 1, [&](std::int64_t j) { return !unclampedTo(j); }) - 1;
        if (start <= safeTo) {  // before the start the event months reach up to it
            stretches_[0] = monthStretch(std::max(firstReference, safeFrom), start - 1, period);
        }
        if (start >= safeFrom) {  // after it they reach down to it
            stretches_[1] = monthStretch(start, std::min(lastReference, safeTo), period);
        }
    }

    Stretch monthStretch(std::int64_t firstMonth, std::int64_t lastMonth,
                         std::int64_t period) const {
        if (firstMonth > lastMonth) {
            return {};
        }
        return stretchOfReferences(firstDayOfMonth(firstMonth), firstDayOfMonth(lastMonth + 1) - 1,
                                   period);
    }

    // The event day of day `day` of month index j, as the event computation places it.
    static std::int64_t eventDayOf(std::int64_t day, std::int64_t j) {
        const std::int64_t years = floorDiv(j, 12);
        const std::int64_t year = std::clamp<std::int64_t>(1901 + years, -10000, 10000);
        return dayNumberOf(static_cast<std::int32_t>(day),
                           static_cast<std::int32_t>(j - years * 12 + 1),
                           static_cast<std::int32_t>(year));
    }

    const EventRule& rule_;
    std::int64_t shift_;  // reference day minus scan day
    double gapBelowMidnight_;
    bool stretchesFound_ = false;
    Stretch stretches_[2];
};

// The one day of [first, last] that can hold t, when it does.
std::optional<Occurrence> matchWithin(double t, std::int64_t first, std::int64_t last) {
    if (!(t < kNeverSec)) {
        return std::nullopt;  // never, or not a number
    }
    const double day = std::floor(t / kSecondsPerDay);
    // Also false for minus infinity. Rounding of the division may put t a day off.
    if (!(day >= static_cast<double>(first) - 1.0 && day <= static_cast<double>(last) + 1.0)) {
        return std::nullopt;
    }
    const auto center = static_cast<std::int64_t>(day);
    for (std::int64_t d = std::max(center - 1, first); d <= std::min(center + 1, last); ++d) {
        if (eventFallsOnDay(t, static_cast<double>(d) * kSecondsPerDay)) {
            return Occurrence{d, t};
        }
    }
    return std::nullopt;
}

bool usableRange(ScanRange& range) {
    if (range.secondsOfDay <= -kLargestSecondsOfDay || range.secondsOfDay >= kLargestSecondsOfDay) {
        return false;
    }
    range.first = std::max(range.first, -kFarthestDay);
    range.last = std::min(range.last, kFarthestDay);
    return range.first <= range.last;
}

// The day scan from one end of the range towards the other: upwards from its first day (step
// +1) or downwards from its last (step -1). The first day on which it finds the event.
template <int kStep>
std::optional<Occurrence> nearestOccurrence(const EventRule& rule, const ScanRange& wanted) {
    constexpr bool kUpwards = kStep > 0;
    ScanRange range = wanted;
    if (!usableRange(range)) {
        return std::nullopt;
    }
    RuleScan scan(rule, range.secondsOfDay);
    // Whether day a lies beyond day b in the direction of the scan.
    const auto beyond = [](std::int64_t a, std::int64_t b) { return kUpwards ? a > b : a < b; };
    // The last day of a stretch in the direction of the scan.
    const auto endOf = [](const Stretch& s) { return kUpwards ? s.last : s.first; };
    const std::int64_t end = kUpwards ? range.last : range.first;
    std::int64_t day = kUpwards ? range.first : range.last;
    // Looked up once a few segments have no match: most searches end before, and finding the
    // stretches of a month kind costs more than those segments.
    const Stretch* stretch = nullptr;
    bool stretchKnown = false;
    int unmatchedSegments = 0;
    std::int64_t quietSince = day;  // every day from here on was scanned without a match
    std::int64_t zone = 0;          // the rounding zone of those days
    while (!beyond(day, end)) {
        const Segment segment = scan.segmentAt(day);
        // The segment's last day in the direction of the scan, within the range.
        const std::int64_t segmentEnd =
            kUpwards ? std::min(segment.last, end) : std::max(segment.first, end);
        if (const auto found = matchWithin(segment.eventTimeSec, kUpwards ? day : segmentEnd,
                                           kUpwards ? segmentEnd : day)) {
            return found;
        }
        if (const std::int64_t z = scan.zoneOf(segment.eventTimeSec); z != zone) {
            zone = z;
            quietSince = day;
        }
        day = segmentEnd + kStep;
        if (!stretchKnown) {
            if (++unmatchedSegments < kSegmentsBeforeStretches) {
                continue;
            }
            stretch = scan.stretchAt(quietSince);
            stretchKnown = true;
        }
        if (stretch != nullptr && !beyond(day, endOf(*stretch)) &&
            (day - quietSince) * kStep >= stretch->period) {
            // A whole period without a match: none in the rest of the stretch, or of the part
            // of it in the same rounding zone.
            day = endOf(*stretch) + kStep;
            if (scan.zoned()) {
                // The nearest day of another zone: zones grow with the day.
                const auto inZone = [&](std::int64_t d) {
                    return scan.zoneOf(scan.segmentAt(d).eventTimeSec) == zone;
                };
                day = kUpwards ? firstTrue(quietSince, stretch->last + 1,
                                           [&](std::int64_t d) { return !inZone(d); })
                               : firstTrue(stretch->first, quietSince + 1, inZone) - 1;
            }
        }
        if (stretch == nullptr || beyond(day, endOf(*stretch))) {
            stretch = scan.stretchAt(day);
            quietSince = day;
        }
    }
    return std::nullopt;
}

}  // namespace

std::int64_t scanSecondsOfDay(const LocalTime& now) {
    // A whole number of seconds: the conversion is exact.
    return static_cast<std::int64_t>(secondsOfDay(now));
}

std::int64_t firstDayWithCursor(std::int64_t secondsOfDay) {
    return -floorDiv(secondsOfDay, 86400);
}

std::optional<Occurrence> firstOccurrence(const EventRule& rule, const ScanRange& range) {
    return nearestOccurrence<+1>(rule, range);
}

std::optional<Occurrence> lastOccurrence(const EventRule& rule, const ScanRange& range) {
    return nearestOccurrence<-1>(rule, range);
}

}  // namespace tindlow
