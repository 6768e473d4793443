#include <gtest/gtest.h>

#include "commands/event_search.h"
#include "model/text_forms.h"

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

// Single events, entries that never happen and entries without a grid are not walked to: their
// day is computed. The answer must be the walk's, at the edges of every day and of the range.
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
                const auto byWalk = walkForEventDay(walked, start, backwards, kLimit);
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
    // A walked entry stops at its limit as well: the Monday is five days ahead.
    ReminderEntry weekly = entryOf(L"07.12.2026", 36000, 2, 7);
    EXPECT_FALSE(walkForEventDay(weekly, kStart, false, 4));
    EXPECT_TRUE(walkForEventDay(weekly, kStart, false, 5));
}

}  // namespace
}  // namespace tindlow
