#include <gtest/gtest.h>

#include "commands/event_search.h"
#include "model/text_forms.h"
#include "reports/literal_day_scan.h"

namespace tindlow {
namespace {

// Wednesday 09.12.2026 08:30:00.
const std::int32_t kToday = dayNumberOf(9, 12, 2026);
constexpr double kSecondsOfDay = 8 * 3600.0 + 30 * 60.0;
const ScanDay kStart{kToday * kSecondsPerDay + kSecondsOfDay, kSecondsOfDay};

ReminderEntry entryOf(const wchar_t* date, double dayTime, std::int32_t incType,
                      std::int32_t interval) {
    ReminderEntry entry;
    entry.sKey = L"[k]";
    entry.sWhat = L"What";
    entry.sDate = date;
    entry.dayTime = dayTime;
    entry.incType = RecurrenceKind{incType};
    entry.interval = interval;
    return entry;
}

std::wstring found(const std::optional<DayMonthYear>& day, const ReminderEntry& entry) {
    return day ? formatDate(*day) + L" " + formatDateTime(entry.triggerEventTimeSec) : L"-";
}

TEST(EventSearch, NextAndLastOccurrence) {
    const struct {
        const wchar_t* name;
        ReminderEntry entry;
        const wchar_t* next;
        const wchar_t* last;
    } kCases[] = {
        // Weekly on Mondays at 10:00, asked on a Wednesday.
        {L"weekly", entryOf(L"07.12.2026", 36000, 2, 7), L"14.12.2026 14.12.2026 10:00:00",
         L"07.12.2026 07.12.2026 10:00:00"},
        // Today's event counts in both directions, passed or still to come.
        {L"today passed", entryOf(L"09.12.2026", 7 * 3600, 1, 1), L"09.12.2026 09.12.2026 07:00:00",
         L"09.12.2026 09.12.2026 07:00:00"},
        {L"today to come", entryOf(L"09.12.2026", 20 * 3600, 1, 1),
         L"09.12.2026 09.12.2026 20:00:00", L"09.12.2026 09.12.2026 20:00:00"},
        {L"single past", entryOf(L"01.02.2020", 36000, 1, 1), L"-",
         L"01.02.2020 01.02.2020 10:00:00"},
        {L"single future", entryOf(L"24.12.2030", 0, 1, 1), L"24.12.2030 24.12.2030 00:00:00",
         L"-"},
        {L"yearly", entryOf(L"22.06.1957", 0, 4, 1), L"22.06.2027 22.06.2027 00:00:00",
         L"22.06.2026 22.06.2026 00:00:00"},
        {L"never", entryOf(L"09.12.2026", 0, 0, 1), L"-", L"-"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        ReminderEntry next = c.entry;
        EXPECT_EQ(found(findEventDay(next, kStart, false), next), c.next);
        ReminderEntry last = c.entry;
        EXPECT_EQ(found(findEventDay(last, kStart, true), last), c.last);
    }
}

// Single events, entries that never happen and entries without a grid have one event time for
// every day. The answer must be the walk's, at the edges of every day and of the range.
TEST(EventSearch, ComputedDayEqualsTheWalk) {
    constexpr std::int32_t kLimit = 40;
    const double kMidnight = kToday * kSecondsPerDay;
    std::vector<ReminderEntry> entries;
    for (const double offset :
         {-1.0, 0.0, 1.0, kSecondsOfDay, 86399.0, 86400.0, 86400.5, -86400.0, -86401.0}) {
        for (const std::int32_t days : {0, 1, -1, 39, 40, 41, -39, -40, -41, -9000, 9000}) {
            ReminderEntry single = entryOf(L"09.12.2026", days * kSecondsPerDay + offset, 1, 1);
            entries.push_back(single);
            // Without a grid the stored event stays, whatever day is under scan.
            ReminderEntry stored = entryOf(L"01.01.2000", 0, 2, 0);
            stored.nextEventTimeSec = kMidnight + days * kSecondsPerDay + offset;
            entries.push_back(stored);
            stored.incType = RecurrenceKind{9};
            stored.interval = 1;
            entries.push_back(stored);
        }
    }
    entries.push_back(entryOf(L"09.12.2026", 0, 0, 1));
    ReminderEntry atNever = entryOf(L"01.01.2000", 0, 1, 0);
    atNever.nextEventTimeSec = kNeverSec;
    entries.push_back(atNever);
    // Close to day 0 the look-back ends before its limit.
    const ScanDay early{12 * kSecondsPerDay + kSecondsOfDay, kSecondsOfDay};
    entries.push_back(entryOf(L"01.01.1901", 3600, 1, 1));
    entries.push_back(entryOf(L"31.12.1900", 3600, 1, 1));

    for (const ScanDay& start : {kStart, early}) {
        for (const bool backwards : {false, true}) {
            for (const ReminderEntry& entry : entries) {
                SCOPED_TRACE(testing::Message()
                             << "start " << start.dayCursor << (backwards ? " back" : " forth")
                             << " incType " << number(entry.incType) << " dayTime " << entry.dayTime
                             << " stored " << entry.nextEventTimeSec);
                ReminderEntry walked = entry;
                ReminderEntry computed = entry;
                const auto byWalk = literal::walkForEventDay(walked, start, backwards, kLimit);
                const auto byComputation = findEventDay(computed, start, backwards, kLimit);
                EXPECT_EQ(byComputation, byWalk);
                EXPECT_EQ(computed.triggerEventTimeSec, walked.triggerEventTimeSec);
            }
        }
    }
}

TEST(EventSearch, TheRangeEndsAfterAMillionDays) {
    // A time column read as a number of days can put a single event far from its date.
    ReminderEntry lastDay = entryOf(L"09.12.2026", kEventSearchDays * kSecondsPerDay + 3600, 1, 1);
    EXPECT_TRUE(findEventDay(lastDay, kStart, false));
    ReminderEntry beyond = entryOf(L"09.12.2026", (kEventSearchDays + 1) * kSecondsPerDay, 1, 1);
    EXPECT_FALSE(findEventDay(beyond, kStart, false));
    EXPECT_EQ(beyond.triggerEventTimeSec, 0.0);
    // A recurring entry stops at its limit as well: the Monday is five days ahead.
    ReminderEntry weekly = entryOf(L"07.12.2026", 36000, 2, 7);
    EXPECT_FALSE(findEventDay(weekly, kStart, false, 4));
    EXPECT_TRUE(findEventDay(weekly, kStart, false, 5));
    EXPECT_FALSE(findEventDay(weekly, kStart, true, 1));
    EXPECT_TRUE(findEventDay(weekly, kStart, true, 2));
}

// The search skips the rest of a stretch of days in which one whole grid period had no match.
// Each case is one where a skip too early, too far or with the wrong period misses a day that
// the walk finds: rounding that changes as event times grow, event days clamped by the
// calendar, the first cells after a grid's start, a weekday that repeats after 28 years only.
TEST(EventSearch, SkipsOnlyWhatHasNoMatch) {
    const struct {
        const char* what;
        ReminderEntry entry;
        std::int32_t start;
        bool backwards;
        std::int32_t limit;
    } kCases[] = {
        // Before day 195 an event a nanosecond before midnight falls on the day before; from
        // then on it rounds up onto its own day.
        {"daily, nanosecond before midnight", entryOf(L"01.01.1901", -1e-9, 2, 1), 2, false, 400},
        {"weekly, nanosecond before midnight", entryOf(L"01.01.1901", -1e-9, 2, 7), 50, false, 400},
        {"3-daily backwards", entryOf(L"02.01.1901", -3e-10, 2, -3), 2, false, 400},
        {"monthly, nanosecond before midnight", entryOf(L"01.01.1901", -1e-9, 3, 1), 2, false, 400},
        {"month day, before midnight", entryOf(L"01.01.1901", 86400 - 1e-9, 6, -1), 2, false, 400},
        {"back to the rounding day", entryOf(L"01.01.1901", -1e-9, 2, 1), 150, true, 400},
        // Every event day is clamped to 1000000 (or -1000000); the time of day moves that one
        // event to day 2500.
        {"clamped high", entryOf(L"999999.1.1901", -997500 * kSecondsPerDay, 3, 1), 2, false, 3000},
        {"clamped low", entryOf(L"-2000000.1.1901", 1002500 * kSecondsPerDay, 3, 1), 2, false,
         3000},
        {"clamped high, backwards", entryOf(L"999999.1.1901", -997500 * kSecondsPerDay, 3, 1), 5000,
         true, 3000},
        // A day and a bit after each grid step: never before the start (the step lies at the
        // end of those cells), always after it.
        {"days after the start", entryOf(L"01.01.1920", 1.5 * kSecondsPerDay, 2, 7), 2, false,
         8000},
        {"days before the start", entryOf(L"01.01.1920", -1.5 * kSecondsPerDay, 2, -7), 8000, true,
         8000},
        {"months after the start", entryOf(L"01.01.1910", 35 * kSecondsPerDay, 3, 3), 2, false,
         4000},
        {"month days after the start", entryOf(L"01.01.1910", 35 * kSecondsPerDay, 6, 3), 2, false,
         4000},
        // The 4th weekday of December, 343 days later, is still in November of the next year
        // only when it is the 22nd (or the 23rd before a leap year): from December 1906 on
        // next in 1911, more than 48 months later.
        {"4th weekday, a few years in 28", entryOf(L"22.12.1905", 343 * kSecondsPerDay, 5, 12),
         dayNumberOf(1, 12, 1906), false, 12000},
        {"4th weekday, backwards", entryOf(L"22.12.1905", 343 * kSecondsPerDay, 5, 12), 12000, true,
         12000},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        ReminderEntry walked = c.entry;
        if (number(walked.incType) == 5) {
            walked.dayPointer = 4;
        }
        ReminderEntry searched = walked;
        const ScanDay from{c.start * kSecondsPerDay + kSecondsOfDay, kSecondsOfDay};
        const auto byWalk = literal::walkForEventDay(walked, from, c.backwards, c.limit);
        ASSERT_TRUE(byWalk);  // each case has a day to find
        EXPECT_EQ(findEventDay(searched, from, c.backwards, c.limit), byWalk);
        EXPECT_EQ(searched.triggerEventTimeSec, walked.triggerEventTimeSec);
    }
}

}  // namespace
}  // namespace tindlow
