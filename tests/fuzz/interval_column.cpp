// One event line's recurrence, from the decision on its interval column to its occurrences. The
// input is the line's fields, separated by ";": interval, date, time (a fraction of a day, comma
// or point), pretrigger (minutes), repeat, reference date (DD.MM.YYYY, default 15.06.2025),
// default post-event hours, execution loop seconds, seconds of the day of a scan.
//
// - The decision accepts a column or refuses it for exactly one reason; a plain number of days
//   recurs every that many days, however it is stored; the keyword forms keep their limits.
// - The overlap check leaves successive remind windows apart by its margin, and answers a text
//   exactly when it changed a period.
// - The occurrence for a reference date lies on the entry's grid, in the grid cell of the
//   reference date, on the weekday or day of the month it names.
// - The first and last occurrences of a range of days are those a scan of every day finds.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "input/event_line.h"
#include "input/interval_column.h"
#include "input/trigger_periods.h"
#include "model/calendar.h"
#include "model/lenient_number.h"
#include "model/text_forms.h"
#include "model/text_tables.h"
#include "schedule/event_computation.h"
#include "schedule/occurrences.h"

namespace tindlow {
namespace {

const std::wstring kPath = L"C:\\P\\_PeriodicEvents\\Fuzz.csv";

bool isDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

bool calendarDate(const DayMonthYear& date) {
    return date.year >= 1901 && date.year <= 2999 && date.month >= 1 && date.month <= 12 &&
           date.day >= 1 && date.day <= monthLength(date.month, date.year);
}

// The value of a text of digits, saturated at the 32-bit limit.
std::int64_t digitsValue(const std::wstring& text) {
    std::int64_t value = 0;
    for (const wchar_t c : text) {
        value = std::min<std::int64_t>(value * 10 + (c - L'0'), INT32_MAX);
    }
    return value;
}

// The grid point of start + k * step (k whole) that lies between reference and start, less than
// one step from the reference: the cell of the grid the reference falls into, counted from the
// start.
std::int64_t gridPoint(std::int64_t start, std::int64_t reference, std::int64_t step) {
    if (reference >= start) {
        return start + (reference - start) / step * step;
    }
    return start - (start - reference) / step * step;
}

// The day of the month of the pointer-th given weekday (from the end for a negative pointer),
// the last (first) one for a pointer beyond them, the first one for 0.
std::int32_t nthWeekday(std::int32_t month, std::int32_t year, int weekday, std::int64_t pointer) {
    std::vector<std::int32_t> days;
    for (std::int32_t day = 1; day <= monthLength(month, year); ++day) {
        if (weekdayIndex(dayNumberOf(day, month, year)) == weekday) {
            days.push_back(day);
        }
    }
    const auto count = static_cast<std::int64_t>(days.size());
    if (pointer >= 0) {
        return days[static_cast<std::size_t>(std::clamp<std::int64_t>(pointer, 1, count) - 1)];
    }
    return days[static_cast<std::size_t>(count - std::min<std::int64_t>(-pointer, count))];
}

void checkDecision(const std::wstring& text) {
    const IntervalDecision decision = decideInterval(text);
    const int reasons = (decision.accepted ? 1 : 0) + (decision.invalidChars.empty() ? 0 : 1) +
                        (decision.failedChecks.empty() ? 0 : 1);
    const std::string detail = "interval \"" + fuzz::printable(text) + "\"";
    FUZZ_CHECK_MSG(reasons == 1, detail);

    const IntervalParts parts = parseIntervalText(text);
    FUZZ_CHECK_MSG(parts.keyword.empty() != parts.invalidChars.empty(), detail);

    if (!decision.accepted) {
        const std::wstring message =
            intervalRejectionMessage(decision, text, kPath, 17, englishTables());
        FUZZ_CHECK_MSG(message.find(kPath) != std::wstring::npos && message.ends_with(L"17"),
                       detail);
        return;
    }
    ReminderEntry entry;
    entry.incType = decision.incType;
    entry.interval = decision.interval;
    entry.dayPointer = decision.dayPointer;
    if (std::all_of(text.begin(), text.end(), isDigit)) {
        // A plain number of days, stored as days, 30-day months or 365-day years.
        FUZZ_CHECK_MSG(
            recurrencePeriodSeconds(entry) == static_cast<double>(digitsValue(text)) * 86400.0,
            detail);
        return;
    }
    FUZZ_CHECK_MSG(parts.invalidChars.empty(), detail);
    if (parts.keyword == L"abs") {
        FUZZ_CHECK_MSG(
            decision.incType == RecurrenceKind::Days && decision.interval == parts.numberBefore,
            detail);
        return;
    }
    const bool weekday = parts.keyword == L"mwd";
    const std::int32_t limit = weekday ? 5 : 31;
    FUZZ_CHECK_MSG(
        decision.incType == (weekday ? RecurrenceKind::MonthWeekday : RecurrenceKind::MonthDay),
        detail);
    FUZZ_CHECK_MSG(parts.numberBefore % 30 == 0 && decision.interval * 30 == parts.numberBefore,
                   detail);
    FUZZ_CHECK_MSG(decision.dayPointer == parts.numberAfter && decision.dayPointer <= limit &&
                       decision.dayPointer >= -limit && (!weekday || decision.dayPointer != 0),
                   detail);
}

void checkOverlap(ReminderEntry& entry, std::int32_t loopPeriod) {
    const ReminderEntry before = entry;
    const std::wstring message = overlapCheck(entry, loopPeriod, englishTables());
    const bool changed =
        !(entry.preTrigger == before.preTrigger && entry.postTrigger == before.postTrigger) &&
        !(std::isnan(before.preTrigger) && std::isnan(entry.preTrigger));
    const std::string detail = "pre " + std::to_string(before.preTrigger) + " post " +
                               std::to_string(before.postTrigger) + " -> pre " +
                               std::to_string(entry.preTrigger) + " post " +
                               std::to_string(entry.postTrigger) + ", period " +
                               std::to_string(recurrencePeriodSeconds(entry));
    FUZZ_CHECK_MSG(message.empty() == !changed, detail);
    const double period = recurrencePeriodSeconds(entry);
    if (period <= 0.0 || !changed) {
        return;
    }
    // The window [E - pre, E + post] ends a margin before the next one begins at E + v - pre;
    // a negative period takes no room.
    const double margin = 2.0 * std::max(loopPeriod, 0);
    FUZZ_CHECK_MSG(entry.postTrigger >= 0.0, detail);
    FUZZ_CHECK_MSG(
        std::max(entry.preTrigger, 0.0) + entry.postTrigger + margin <= std::max(period, margin),
        detail);
    // Shortened once, the periods need no second shortening.
    ReminderEntry again = entry;
    FUZZ_CHECK_MSG(overlapCheck(again, loopPeriod, englishTables()).empty(), detail);
}

void checkOccurrence(const ReminderEntry& entry, const DayMonthYear& reference) {
    ReminderEntry computed = entry;
    computeEvent(computed, reference);
    const double t = computed.nextEventTimeSec;
    FUZZ_CHECK(!std::isnan(t) && t >= -kNeverSec && t <= kNeverSec);

    const EventRule rule = eventRuleOf(entry);
    const DayMonthYear start = rule.start;
    const bool sane = calendarDate(start) && calendarDate(reference) && entry.dayTime >= 0.0 &&
                      entry.dayTime < 86400.0;
    if (!sane || entry.interval == 0) {
        return;
    }
    const std::int64_t step = std::abs(static_cast<std::int64_t>(entry.interval));
    std::int64_t eventDay = 0;
    switch (entry.incType) {
        case RecurrenceKind::Single:
            eventDay = rule.startDay;
            break;
        case RecurrenceKind::Days:
            eventDay = gridPoint(rule.startDay,
                                 dayNumberOf(reference.day, reference.month, reference.year), step);
            break;
        case RecurrenceKind::Years: {
            const std::int64_t year = gridPoint(start.year, reference.year, step);
            eventDay = dayNumberOf(start.day, start.month, static_cast<std::int32_t>(year));
            break;
        }
        case RecurrenceKind::Months:
        case RecurrenceKind::MonthWeekday:
        case RecurrenceKind::MonthDay: {
            const std::int64_t index = gridPoint(start.year * 12 + start.month - 1,
                                                 reference.year * 12 + reference.month - 1, step);
            const auto year = static_cast<std::int32_t>(index / 12);
            const auto month = static_cast<std::int32_t>(index % 12 + 1);
            std::int32_t day = start.day;
            if (entry.incType == RecurrenceKind::MonthWeekday) {
                day = nthWeekday(month, year, weekdayIndex(rule.startDay), entry.dayPointer);
            } else if (entry.incType == RecurrenceKind::MonthDay) {
                const std::int32_t length = monthLength(month, year);
                const std::int64_t pointer = entry.dayPointer;
                day = pointer >= 1
                          ? static_cast<std::int32_t>(std::min<std::int64_t>(pointer, length))
                      : pointer <= -1 && pointer >= -length
                          ? static_cast<std::int32_t>(length + 1 + pointer)
                          : 1;
            }
            eventDay = dayNumberOf(day, month, year);
            break;
        }
        default:
            return;
    }
    if (eventDay <= 0 || eventDay >= kFirstClampedDayNumber - 400) {
        return;  // beyond the dates the calendar holds
    }
    const double expected = static_cast<double>(eventDay) * kSecondsPerDay + entry.dayTime;
    FUZZ_CHECK_MSG(t == expected, "kind " + std::to_string(number(entry.incType)) + " interval " +
                                      std::to_string(entry.interval) + " pointer " +
                                      std::to_string(entry.dayPointer) + " start " +
                                      fuzz::printable(entry.sDate) + ": event " +
                                      fuzz::printable(formatDateTime(t)) + ", expected " +
                                      fuzz::printable(formatDateTime(expected)));
}

// The day scan that the occurrence search stands for: every day, one after the other.
std::optional<Occurrence> scanned(const EventRule& rule, const ScanRange& range, bool last) {
    for (std::int64_t i = 0; i <= range.last - range.first; ++i) {
        const std::int64_t day = last ? range.last - i : range.first + i;
        const double dayStart = static_cast<double>(day) * kSecondsPerDay;
        const double t =
            eventTimeOf(rule, dateOfSeconds(dayStart + static_cast<double>(range.secondsOfDay)));
        if (eventFallsOnDay(t, dayStart)) {
            return Occurrence{day, t};
        }
    }
    return std::nullopt;
}

void checkOccurrences(const ReminderEntry& entry, std::int64_t centre, std::int64_t secondsOfDay,
                      std::int64_t span) {
    const EventRule rule = eventRuleOf(entry);
    const ScanRange range{centre - span, centre + span, secondsOfDay};
    for (const bool last : {false, true}) {
        const std::optional<Occurrence> found =
            last ? lastOccurrence(rule, range) : firstOccurrence(rule, range);
        const std::optional<Occurrence> expected = scanned(rule, range, last);
        const std::string detail = std::string(last ? "last" : "first") + " occurrence of \"" +
                                   fuzz::printable(entry.sInterval) + "\" from " +
                                   std::to_string(range.first) + " to " +
                                   std::to_string(range.last);
        FUZZ_CHECK_MSG(found.has_value() == expected.has_value(), detail);
        if (found) {
            FUZZ_CHECK_MSG(
                found->day == expected->day && found->eventTimeSec == expected->eventTimeSec,
                detail + ": day " + std::to_string(found->day) + " instead of " +
                    std::to_string(expected->day));
        }
    }
}

}  // namespace
}  // namespace tindlow

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tindlow;
    const std::vector<std::string_view> fields =
        fuzz::splitBytes(fuzz::bytesOf(data, size), ";", 9);
    const auto field = [&fields](std::size_t i) {
        return i < fields.size() ? fuzz::byteText(fields[i]) : std::wstring();
    };

    // As the event file reader makes an entry of the columns.
    ReminderEntry entry;
    entry.sInterval = trimmed(field(0));
    entry.sDate = field(1);
    entry.sTime = commasToPoints(field(2));
    entry.sPretrigg = field(3);
    entry.sRepeat = field(4);
    entry.sFile = kPath;
    entry.sRowNumber = L"17";
    entry.repeat = leadingInt(entry.sRepeat);
    entry.dayTime = leadingDouble(entry.sTime) * 86400.0;
    entry.preTrigger = leadingDouble(entry.sPretrigg) * 60.0;
    const std::int32_t hours = leadingInt(field(6));
    entry.postTrigger = hours >= 1 && hours <= 23999 ? hours * 3600.0 : 259200.0;
    const std::wstring loopText = trimmed(field(7));
    const std::int32_t loopPeriod =
        loopText.empty() ? 1 : 2 * std::clamp(leadingInt(loopText), 1, 3600);
    DayMonthYear reference{15, 6, 2025};
    if (!trimmed(field(5)).empty()) {
        reference = parseDateText(field(5));
    }

    if (entry.sInterval.starts_with(L'#') || entry.sInterval == L"-1") {
        return 0;  // a comment, or a line switched off
    }
    if (entry.sInterval.empty() || entry.sInterval == L"0") {
        entry.incType = RecurrenceKind::Single;
        entry.interval = 2147483647;
    } else {
        checkDecision(entry.sInterval);
        const IntervalDecision decision = decideInterval(entry.sInterval);
        if (!decision.accepted) {
            return 0;
        }
        entry.incType = decision.incType;
        entry.interval = decision.interval;
        entry.dayPointer = decision.dayPointer;
    }
    checkOverlap(entry, loopPeriod);
    checkOccurrence(entry, reference);

    const std::int64_t secondsOfDay = std::clamp(leadingInt(field(8)), 0, 86399);
    checkOccurrences(entry, dayNumberOf(reference.day, reference.month, reference.year),
                     secondsOfDay, 40);

    // The due test over the day of the reference date.
    ReminderEntry due = entry;
    computeEvent(due, reference);
    LocalTime now{reference.year, reference.month, reference.day, 0, 0, 0, 0};
    for (int hour = 0; hour < 24; hour += 3) {
        now.hour = hour;
        const int today = todayTest(due, now);
        FUZZ_CHECK(today == kRemindPeriodOver || today == kRemindPeriodToday ||
                   today == kRemindPeriodLater);
        const std::int32_t answer = evaluateDue(due, now, loopPeriod);
        const std::int32_t slots = std::min(due.repeat, kMaxPreEventSlots);
        FUZZ_CHECK_MSG((answer >= 0 && answer < slots) || answer == kDueAtEvent ||
                           answer == kDueAfterEvent || answer == kDueNothing,
                       "answer " + std::to_string(answer));
        if (answer < kDueAtEvent) {
            FUZZ_CHECK(due.nextAskSec > nowSeconds(now));
        }
    }
    return 0;
}
