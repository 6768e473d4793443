#include "schedule/event_computation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include "model/text_forms.h"

namespace tindlow {
namespace {

constexpr std::int32_t kMin32 = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax32 = std::numeric_limits<std::int32_t>::max();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

double secondsAt(int day, int month, int year, int hour = 0, int minute = 0, int second = 0) {
    return dayNumberOf(day, month, year) * 86400.0 + hour * 3600.0 + minute * 60.0 + second;
}

LocalTime localAt(double programSeconds) {
    const auto dayNumber = static_cast<std::int32_t>(std::floor(programSeconds / 86400.0));
    const DayMonthYear date = dateOfDayNumber(dayNumber);
    const auto rest = static_cast<int>(programSeconds - dayNumber * 86400.0);
    LocalTime now;
    now.year = date.year;
    now.month = date.month;
    now.day = date.day;
    now.hour = rest / 3600;
    now.minute = rest % 3600 / 60;
    now.second = rest % 60;
    return now;
}

std::wstring dateText(int day, int month, int year) {
    return intText(day) + L"." + intText(month) + L"." + intText(year);
}

ReminderEntry recurring(int incType, std::int32_t interval, const std::wstring& startDate,
                        std::int32_t dayPointer = 0) {
    ReminderEntry entry;
    entry.incType = RecurrenceKind{incType};
    entry.interval = interval;
    entry.sDate = startDate;
    entry.dayPointer = dayPointer;
    entry.dayTime = 36000.0;  // 10:00
    return entry;
}

struct Date {
    int day, month, year;
};

// The entry's event is the date at 10:00; the text first, for a readable failure, and the value,
// because the text shows every date before 1901 as 01.01.1901.
void expectEventAtTen(const ReminderEntry& entry, const Date& expected) {
    EXPECT_EQ(formatDateTime(entry.nextEventTimeSec),
              formatDateTime(secondsAt(expected.day, expected.month, expected.year, 10)));
    EXPECT_EQ(entry.nextEventTimeSec, secondsAt(expected.day, expected.month, expected.year, 10));
}

TEST(ComputeEvent, FindsTheOccurrenceOfEveryKind) {
    const struct {
        const char* what;
        int incType;
        std::int32_t interval;
        const wchar_t* start;
        std::int32_t dayPointer;
        Date reference;
        Date expected;
    } kCases[] = {
        {"single, reference long after", 1, kMax32, L"05.03.2024", 0, {10, 1, 2025}, {5, 3, 2024}},
        {"single, reference before", 1, kMax32, L"05.03.2024", 0, {1, 1, 2024}, {5, 3, 2024}},
        {"daily: today", 2, 1, L"01.01.2024", 0, {15, 6, 2024}, {15, 6, 2024}},
        {"weekly from a Monday, next Sunday", 2, 7, L"04.03.2024", 0, {10, 3, 2024}, {4, 3, 2024}},
        {"weekly from a Monday, next Monday", 2, 7, L"04.03.2024", 0, {11, 3, 2024}, {11, 3, 2024}},
        {"days, start 10 days ahead", 2, 7, L"20.03.2024", 0, {10, 3, 2024}, {13, 3, 2024}},
        {"days, negative interval", 2, -7, L"04.03.2024", 0, {10, 3, 2024}, {4, 3, 2024}},
        {"days, negative interval, ahead", 2, -7, L"20.03.2024", 0, {10, 3, 2024}, {13, 3, 2024}},
        {"days over 29.02.2100", 2, 2, L"28.02.2100", 0, {1, 3, 2100}, {1, 3, 2100}},
        {"days, start before 1901", 2, 3, L"31.12.1900", 0, {3, 1, 1901}, {3, 1, 1901}},
        {"monthly on the 20th, ref 10th", 3, 1, L"20.01.2024", 0, {10, 5, 2024}, {20, 5, 2024}},
        {"monthly on the 20th, ref 25th", 3, 1, L"20.01.2024", 0, {25, 5, 2024}, {20, 5, 2024}},
        {"monthly on the 31st, April", 3, 1, L"31.01.2024", 0, {15, 4, 2024}, {1, 5, 2024}},
        {"monthly on the 30th, Feb 2025", 3, 1, L"30.01.2025", 0, {15, 2, 2025}, {2, 3, 2025}},
        {"two-monthly, rem 1", 3, 2, L"15.01.2024", 0, {10, 4, 2024}, {15, 3, 2024}},
        {"two-monthly, rem 0", 3, 2, L"15.01.2024", 0, {10, 5, 2024}, {15, 5, 2024}},
        {"quarterly, back over new year", 3, 3, L"15.11.2023", 0, {10, 1, 2024}, {15, 11, 2023}},
        {"quarterly, into the new year", 3, 3, L"15.11.2023", 0, {10, 3, 2024}, {15, 2, 2024}},
        {"months, start ahead", 3, 2, L"15.05.2024", 0, {10, 2, 2024}, {15, 3, 2024}},
        {"months, start ahead, negative", 3, -2, L"15.05.2024", 0, {10, 2, 2024}, {15, 3, 2024}},
        {"months, ahead over new year", 3, 4, L"15.03.2025", 0, {10, 12, 2024}, {15, 3, 2025}},
        {"months, ahead on the grid", 3, 4, L"15.03.2025", 0, {10, 11, 2024}, {15, 11, 2024}},
        {"months, start before 1901", 3, 2, L"15.02.1899", 0, {10, 4, 2024}, {15, 4, 2024}},
        {"months, start in Dec 1900", 3, 5, L"01.12.1900", 0, {9, 5, 1901}, {1, 5, 1901}},
        {"yearly 29.02., common year", 4, 1, L"29.02.2000", 0, {1, 1, 2023}, {1, 3, 2023}},
        {"yearly 29.02., leap year", 4, 1, L"29.02.2000", 0, {31, 12, 2024}, {29, 2, 2024}},
        {"yearly 29.02., 2100 is leap", 4, 1, L"29.02.2000", 0, {1, 6, 2100}, {29, 2, 2100}},
        {"four-yearly", 4, 4, L"10.07.2001", 0, {15, 1, 2024}, {10, 7, 2021}},
        {"years, start ahead", 4, 4, L"10.07.2030", 0, {15, 1, 2024}, {10, 7, 2026}},
        {"years, negative interval", 4, -4, L"10.07.2001", 0, {15, 1, 2024}, {10, 7, 2021}},
        {"years, start before 1901", 4, 10, L"01.06.1895", 0, {1, 1, 2024}, {1, 6, 2015}},
        {"monthday 31 in Feb 2025", 6, 1, L"01.01.2025", 31, {10, 2, 2025}, {28, 2, 2025}},
        {"monthday -1 in Feb 2024", 6, 1, L"01.01.2024", -1, {10, 2, 2024}, {29, 2, 2024}},
        {"monthday -1 in Feb 2100", 6, 1, L"01.01.2100", -1, {10, 2, 2100}, {29, 2, 2100}},
        {"monthday -31 in April", 6, 1, L"01.01.2024", -31, {10, 4, 2024}, {1, 4, 2024}},
        {"monthday -30 in April", 6, 1, L"01.01.2024", -30, {10, 4, 2024}, {1, 4, 2024}},
        {"monthday -29 in April", 6, 1, L"01.01.2024", -29, {10, 4, 2024}, {2, 4, 2024}},
        {"monthday -29 in Feb 2025", 6, 1, L"01.01.2025", -29, {10, 2, 2025}, {1, 2, 2025}},
        {"monthday 0 is the first", 6, 1, L"01.01.2024", 0, {10, 4, 2024}, {1, 4, 2024}},
        {"monthday 15, every 2 months", 6, 2, L"03.01.2024", 15, {1, 4, 2024}, {15, 3, 2024}},
        {"monthday extremes", 6, 1, L"01.01.2024", kMax32, {10, 4, 2024}, {30, 4, 2024}},
        {"monthday extremes, negative", 6, 1, L"01.01.2024", kMin32, {10, 4, 2024}, {1, 4, 2024}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        ReminderEntry entry = recurring(c.incType, c.interval, c.start, c.dayPointer);
        computeEvent(entry, {c.reference.day, c.reference.month, c.reference.year});
        expectEventAtTen(entry, c.expected);
    }
}

// A monthly date beyond the length of a month runs over into the next month (31.11. is 01.12.),
// and there that occurrence is the current one up to its day, although the reference month's
// own occurrence lies later in it.
TEST(ComputeEvent, AnOccurrenceThatRanOverIsCurrentUpToItsDay) {
    const struct {
        const char* what;
        std::int32_t interval;
        const wchar_t* start;
        Date reference;
        Date expected;
    } kCases[] = {
        {"31st: November's, in November", 1, L"31.10.2026", {30, 11, 2026}, {1, 12, 2026}},
        {"31st: November's, on its day", 1, L"31.10.2026", {1, 12, 2026}, {1, 12, 2026}},
        {"31st: December's, the day after", 1, L"31.10.2026", {2, 12, 2026}, {31, 12, 2026}},
        {"31st: a 31-day month runs over nothing", 1, L"31.10.2026", {1, 11, 2026}, {1, 12, 2026}},
        {"31st: February's, in February", 1, L"31.01.2027", {28, 2, 2027}, {3, 3, 2027}},
        {"31st: February's, 1 March", 1, L"31.01.2027", {1, 3, 2027}, {3, 3, 2027}},
        {"31st: February's, 2 March", 1, L"31.01.2027", {2, 3, 2027}, {3, 3, 2027}},
        {"31st: February's, on its day", 1, L"31.01.2027", {3, 3, 2027}, {3, 3, 2027}},
        {"31st: March's, the day after", 1, L"31.01.2027", {4, 3, 2027}, {31, 3, 2027}},
        {"30th: leap February's, in February", 1, L"30.01.2028", {29, 2, 2028}, {1, 3, 2028}},
        {"30th: leap February's, on its day", 1, L"30.01.2028", {1, 3, 2028}, {1, 3, 2028}},
        {"30th: March's, the day after", 1, L"30.01.2028", {2, 3, 2028}, {30, 3, 2028}},
        {"30th: common February's, on its day", 1, L"30.01.2027", {2, 3, 2027}, {2, 3, 2027}},
        {"29th: common February's, on its day", 1, L"29.01.2027", {1, 3, 2027}, {1, 3, 2027}},
        {"29th: leap February has it", 1, L"29.01.2028", {1, 3, 2028}, {29, 3, 2028}},
        {"a negative interval alike", -1, L"31.10.2026", {1, 12, 2026}, {1, 12, 2026}},
        {"before the start, monthly", 1, L"31.12.2026", {1, 12, 2026}, {1, 12, 2026}},
        {"before the start, the day after", 1, L"31.12.2026", {2, 12, 2026}, {31, 12, 2026}},
        // Before the start the event month lies up to two intervals after the grid month
        // before it, so the run-over of a quarterly grid reaches the reference month as well.
        {"before the start, quarterly", 3, L"31.03.2027", {1, 10, 2026}, {1, 10, 2026}},
        {"before the start, quarterly, after", 3, L"31.03.2027", {2, 10, 2026}, {31, 12, 2026}},
        {"before the start, quarterly, negative", -3, L"31.03.2027", {1, 10, 2026}, {1, 10, 2026}},
        // After the start a quarterly occurrence runs over into its own cell.
        {"quarterly: November's in December", 3, L"31.08.2026", {2, 12, 2026}, {1, 12, 2026}},
        {"quarterly: still November's in January", 3, L"31.08.2026", {20, 1, 2027}, {1, 12, 2026}},
        // The calendar's own leap years: 1900 and 2100 are leap years, 1801 is not.
        {"1900 is a leap year", 1, L"31.01.1900", {2, 3, 1900}, {2, 3, 1900}},
        {"before 1901, common February", 1, L"31.12.1800", {3, 3, 1801}, {3, 3, 1801}},
        {"before 1901, the day after", 1, L"31.12.1800", {4, 3, 1801}, {31, 3, 1801}},
        {"2100 is a leap year", 1, L"30.01.2100", {1, 3, 2100}, {1, 3, 2100}},
        {"2100, the day after", 1, L"30.01.2100", {2, 3, 2100}, {30, 3, 2100}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        ReminderEntry entry = recurring(3, c.interval, c.start);
        computeEvent(entry, {c.reference.day, c.reference.month, c.reference.year});
        expectEventAtTen(entry, c.expected);
    }
}

// Scanned day by day, a monthly or yearly grid shows every occurrence exactly once, on its own
// day, also where a month (or a common year) lacks the date and the occurrence runs over.
TEST(ComputeEvent, TheDayScanMeetsEveryOccurrenceOfTheGrid) {
    const struct {
        int incType;
        std::int32_t interval;
        Date start;
    } kCases[] = {
        {3, 1, {31, 10, 2026}},  {3, 1, {30, 1, 2028}},  {3, 1, {29, 1, 2027}},
        {3, -1, {31, 10, 2026}}, {3, 2, {31, 12, 2026}}, {3, 3, {31, 3, 2027}},
        {3, -3, {31, 3, 2027}},  {3, 5, {30, 4, 2026}},  {3, 12, {31, 1, 2027}},
        {3, 1, {31, 1, 1899}},   {3, 1, {28, 2, 2026}},  {3, 7, {29, 8, 1903}},
        {4, 1, {29, 2, 2024}},   {4, 3, {29, 2, 2000}},  {4, -2, {29, 2, 2024}},
        {4, 1, {31, 12, 2026}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message()
                     << "kind " << c.incType << " interval " << c.interval << " start "
                     << c.start.day << "." << c.start.month << "." << c.start.year);
        ReminderEntry entry =
            recurring(c.incType, c.interval, dateText(c.start.day, c.start.month, c.start.year));
        const std::int64_t startDay = dayNumberOf(c.start.day, c.start.month, c.start.year);
        // Reference dates begin in 1901.
        const std::int64_t first = std::max<std::int64_t>(startDay - 4 * 366, 1);
        const std::int64_t last = startDay + 12 * 366;

        // Day sd of every grid month (or of the grid year's month) from a few steps before the
        // range to a few after it, the month carried into the year.
        const std::int64_t step = std::abs(c.interval) * (c.incType == 3 ? 1 : 12);
        std::vector<std::int64_t> expected;
        for (std::int64_t n = -200; n <= 200; ++n) {
            const std::int64_t months = c.start.year * 12LL + c.start.month - 1 + n * step;
            const std::int64_t year = months >= 0 ? months / 12 : -((11 - months) / 12);
            const auto month = static_cast<std::int32_t>(months - year * 12 + 1);
            const std::int64_t day =
                dayNumberOf(c.start.day, month, static_cast<std::int32_t>(year));
            if (day >= first && day <= last) {
                expected.push_back(day);
            }
        }
        ASSERT_GE(expected.size(), 4u);

        std::vector<std::int64_t> met;
        for (std::int64_t day = first; day <= last; ++day) {
            const double dayStart = static_cast<double>(day) * kSecondsPerDay;
            if (evaluateDueInPreview(entry, dateOfDayNumber(static_cast<std::int32_t>(day)),
                                     dayStart) == kDueAtEvent) {
                met.push_back(day);
            }
        }
        EXPECT_EQ(met, expected);
    }
}

// 09.12.2026 is a Wednesday. February 2027 has four Wednesdays (3, 10, 17, 24), December 2026
// five (2, 9, 16, 23, 30); 01.02.2024 is a Thursday and February 2024 ends on one (29th).
TEST(ComputeEvent, PointsToTheNthWeekdayOfTheMonth) {
    ASSERT_EQ(weekdayIndex(dayNumberOf(9, 12, 2026)), 3);
    const struct {
        const wchar_t* start;
        std::int32_t interval;
        std::int32_t pointer;
        Date reference;
        Date expected;
    } kCases[] = {
        {L"09.12.2026", 1, 1, {28, 2, 2027}, {3, 2, 2027}},
        {L"09.12.2026", 1, 2, {1, 2, 2027}, {10, 2, 2027}},
        {L"09.12.2026", 1, 4, {1, 2, 2027}, {24, 2, 2027}},
        {L"09.12.2026", 1, 5, {1, 2, 2027}, {24, 2, 2027}},  // only four: the last
        {L"09.12.2026", 1, kMax32, {1, 2, 2027}, {24, 2, 2027}},
        {L"09.12.2026", 1, -1, {1, 2, 2027}, {24, 2, 2027}},
        {L"09.12.2026", 1, -2, {1, 2, 2027}, {17, 2, 2027}},
        {L"09.12.2026", 1, -4, {1, 2, 2027}, {3, 2, 2027}},
        {L"09.12.2026", 1, -5, {1, 2, 2027}, {3, 2, 2027}},  // only four: the first
        {L"09.12.2026", 1, kMin32, {1, 2, 2027}, {3, 2, 2027}},
        {L"09.12.2026", 1, 5, {31, 12, 2026}, {30, 12, 2026}},
        {L"09.12.2026", 1, -5, {31, 12, 2026}, {2, 12, 2026}},
        {L"09.12.2026", 1, -1, {1, 12, 2026}, {30, 12, 2026}},
        {L"09.12.2026", 1, 0, {1, 2, 2027}, {3, 2, 2027}},      // never read; taken as the first
        {L"09.12.2026", 2, 2, {20, 3, 2027}, {10, 2, 2027}},    // every two months: February
        {L"09.12.2026", -2, 2, {20, 3, 2027}, {10, 2, 2027}},   // a negative interval alike
        {L"09.12.2026", 2, 3, {20, 10, 2026}, {21, 10, 2026}},  // before the start: October
        {L"01.02.2024", 1, -1, {10, 2, 2024}, {29, 2, 2024}},
        {L"01.02.2024", 1, 5, {10, 2, 2024}, {29, 2, 2024}},
        {L"01.02.2024", 1, 1, {10, 2, 2024}, {1, 2, 2024}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message()
                     << "pointer " << c.pointer << " interval " << c.interval << " reference "
                     << c.reference.day << "." << c.reference.month << "." << c.reference.year);
        ReminderEntry entry = recurring(5, c.interval, c.start, c.pointer);
        computeEvent(entry, {c.reference.day, c.reference.month, c.reference.year});
        EXPECT_EQ(formatDateTime(entry.nextEventTimeSec),
                  formatDateTime(secondsAt(c.expected.day, c.expected.month, c.expected.year, 10)));
    }
}

TEST(ComputeEvent, LeavesTheEventOrMarksItNever) {
    constexpr double kEarlier = 12345.0;
    const struct {
        const char* what;
        int incType;
        std::int32_t interval;
        double expected;
    } kCases[] = {
        {"not used: never", 0, 1, kNeverSec},
        {"not used, single interval: never", 0, kMax32, kNeverSec},
        {"interval 0, days: unchanged", 2, 0, kEarlier},
        {"interval 0, not used: unchanged", 0, 0, kEarlier},
        {"interval 0, single: unchanged", 1, 0, kEarlier},
        {"unknown kind 7: unchanged", 7, 1, kEarlier},
        {"unknown kind -1: unchanged", -1, 1, kEarlier},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        ReminderEntry entry = recurring(c.incType, c.interval, L"01.01.2024");
        entry.nextEventTimeSec = kEarlier;
        computeEvent(entry, {10, 3, 2024});
        EXPECT_EQ(entry.nextEventTimeSec, c.expected);
    }
    // Nothing but the event time changes.
    ReminderEntry entry = recurring(3, 1, L"31.01.2024", 5);
    entry.preTrigger = 60.0;
    entry.postTrigger = 7200.0;
    entry.nextAskSec = 1.0;
    entry.triggerEventTimeSec = 2.0;
    entry.lastOutputSec = 3.0;
    entry.repeat = 4;
    entry.remindMatrix = 0x40000001u;
    ReminderEntry expected = entry;
    computeEvent(entry, {15, 4, 2024});
    expected.nextEventTimeSec = entry.nextEventTimeSec;
    EXPECT_EQ(entry.dayTime, expected.dayTime);
    EXPECT_EQ(entry.preTrigger, expected.preTrigger);
    EXPECT_EQ(entry.postTrigger, expected.postTrigger);
    EXPECT_EQ(entry.nextAskSec, expected.nextAskSec);
    EXPECT_EQ(entry.triggerEventTimeSec, expected.triggerEventTimeSec);
    EXPECT_EQ(entry.lastOutputSec, expected.lastOutputSec);
    EXPECT_EQ(entry.interval, expected.interval);
    EXPECT_EQ(entry.dayPointer, expected.dayPointer);
    EXPECT_EQ(entry.remindMatrix, expected.remindMatrix);
}

TEST(ComputeEvent, HandlesExtremeIntervalsAndTimes) {
    const struct {
        const char* what;
        int incType;
        std::int32_t interval;
        double dayTime;
        double expected;
    } kCases[] = {
        // The remainder by -1 is 0 (INT32_MIN rem -1 would trap in 32 bits): the reference day.
        {"days by -1", 2, -1, 0.0, secondsAt(10, 3, 2024)},
        {"days by INT32_MIN: the start", 2, kMin32, 0.0, secondsAt(1, 1, 2020)},
        {"days by INT32_MAX: the start", 2, kMax32, 0.0, secondsAt(1, 1, 2020)},
        {"months by INT32_MIN: the start", 3, kMin32, 0.0, secondsAt(1, 1, 2020)},
        {"months by -1: this month", 3, -1, 0.0, secondsAt(1, 3, 2024)},
        {"years by INT32_MIN: the start", 4, kMin32, 0.0, secondsAt(1, 1, 2020)},
        {"years by -1: this year", 4, -1, 0.0, secondsAt(1, 1, 2024)},
        {"time of day past midnight", 2, 1, 90000.0, secondsAt(11, 3, 2024, 1)},
        {"negative time of day", 2, 1, -3600.0, secondsAt(9, 3, 2024, 23)},
        {"time of day not a number", 2, 1, kNaN, secondsAt(10, 3, 2024)},
        {"time of day beyond all dates", 2, 1, 1e300, kNeverSec},
        {"infinite time of day", 2, 1, kInf, kNeverSec},
        {"infinitely negative time of day", 2, 1, -kInf, -kNeverSec},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        ReminderEntry entry = recurring(c.incType, c.interval, L"01.01.2020");
        entry.dayTime = c.dayTime;
        computeEvent(entry, {10, 3, 2024});
        EXPECT_EQ(entry.nextEventTimeSec, c.expected);
    }
}

// Whatever the line held, the event time is a finite value within never and its negative.
TEST(ComputeEvent, StaysFiniteOnAnyInput) {
    const std::wstring kStarts[] = {L"",
                                    L"abc",
                                    L"99.99.99999",
                                    L"0.0.0",
                                    L"-5.-3.-100",
                                    L"31.02.2100",
                                    L"1.1.2147483647",
                                    L"-2147483648.2147483647.-2147483648",
                                    L"15.06.1066",
                                    L"31.01.10000",
                                    L"31.01.-10000",
                                    L"31.12.-2147483648",
                                    L"2147483647.1.2000"};
    const std::int32_t kIntervals[] = {1, -1, 2, 7, 13, kMax32, kMin32, kMin32 + 1};
    const std::int32_t kPointers[] = {0, 1, -1, 5, -5, 32, -32, kMax32, kMin32};
    const double kTimes[] = {0.0, 36000.0, -1e300, 1e300, kNaN, kInf};
    const DayMonthYear kReferences[] = {{10, 3, 2024},
                                        {1, 1, 1901},
                                        {31, 12, 2999},
                                        {0, 0, 0},
                                        {kMax32, kMax32, kMax32},
                                        {kMin32, kMin32, kMin32},
                                        {1, 3, 10000},
                                        {1, 3, -10000},
                                        {1, kMin32, kMax32}};
    for (int incType = 1; incType <= 6; ++incType) {
        for (const auto& start : kStarts) {
            for (const auto interval : kIntervals) {
                for (const auto pointer : kPointers) {
                    for (const auto time : kTimes) {
                        for (const auto& reference : kReferences) {
                            ReminderEntry entry = recurring(incType, interval, start, pointer);
                            entry.dayTime = time;
                            computeEvent(entry, reference);
                            ASSERT_TRUE(std::isfinite(entry.nextEventTimeSec) &&
                                        std::abs(entry.nextEventTimeSec) <= kNeverSec)
                                << "kind " << incType << " interval " << interval << " pointer "
                                << pointer << " time " << time << " value "
                                << entry.nextEventTimeSec;
                        }
                    }
                }
            }
        }
    }
}

// A small deterministic generator for the grid property below.
class Lcg {
  public:
    explicit Lcg(std::uint32_t seed) : state_(seed) {}
    int between(int low, int high) {
        state_ = state_ * 1664525u + 1013904223u;
        return low + static_cast<int>((state_ >> 8) % static_cast<std::uint32_t>(high - low + 1));
    }

  private:
    std::uint32_t state_;
};

std::int64_t monthNumber(int month, int year) {
    return static_cast<std::int64_t>(year) * 12 + month - 1;
}

// For days, months and years the event is found by searching the grid (start + k * interval
// days, months or years) for the one step within one interval of the reference: the latest not
// after it, or, when the reference lies before the start, the earliest not before it.
TEST(ComputeEvent, PicksTheGridStepOfTheReference) {
    Lcg random(20240310u);
    for (int round = 0; round < 3000; ++round) {
        const int incType = 2 + round % 3;
        const Date start{random.between(1, 28), random.between(1, 12), random.between(1850, 2150)};
        const int refYear = random.between(1901, 2200);
        const int refMonth = random.between(1, 12);
        const Date reference{random.between(1, monthLength(refMonth, refYear)), refMonth, refYear};
        const int size = random.between(1, incType == 2 ? 800 : 40);
        const std::int32_t interval = random.between(0, 3) == 0 ? -size : size;
        SCOPED_TRACE(testing::Message()
                     << "kind " << incType << " interval " << interval << " start " << start.day
                     << "." << start.month << "." << start.year << " reference " << reference.day
                     << "." << reference.month << "." << reference.year);

        ReminderEntry entry =
            recurring(incType, interval, dateText(start.day, start.month, start.year));
        computeEvent(entry, {reference.day, reference.month, reference.year});

        // Positions on the kind's own scale: day numbers, month numbers or years.
        std::int64_t startPos = 0;
        std::int64_t refPos = 0;
        if (incType == 2) {
            startPos = dayNumberOf(start.day, start.month, start.year);
            refPos = dayNumberOf(reference.day, reference.month, reference.year);
        } else if (incType == 3) {
            startPos = monthNumber(start.month, start.year);
            refPos = monthNumber(reference.month, reference.year);
        } else {
            startPos = start.year;
            refPos = reference.year;
        }
        const std::int64_t low = refPos >= startPos ? refPos - size + 1 : refPos;
        const std::int64_t high = refPos >= startPos ? refPos : refPos + size - 1;
        std::int64_t found = 0;
        int matches = 0;
        for (std::int64_t pos = low; pos <= high; ++pos) {
            if ((pos - startPos) % size == 0) {
                found = pos;
                ++matches;
            }
        }
        ASSERT_EQ(matches, 1);
        double expected = 0.0;
        if (incType == 2) {
            expected = static_cast<double>(found);
        } else if (incType == 3) {
            const auto year = static_cast<int>(found / 12);  // month numbers are positive here
            const auto month = static_cast<int>(found % 12 + 1);
            expected = dayNumberOf(start.day, month, year);
        } else {
            expected = dayNumberOf(start.day, start.month, static_cast<int>(found));
        }
        ASSERT_EQ(entry.nextEventTimeSec, expected * 86400.0 + 36000.0);
    }
}

TEST(TodayTest, TellsWhetherTheRemindPeriodTouchesToday) {
    const LocalTime now = localAt(secondsAt(10, 3, 2024, 12));
    const struct {
        const char* what;
        double event;
        double pre;
        double post;
        int expected;
    } kCases[] = {
        {"tomorrow 08:00, pre 1 day", secondsAt(11, 3, 2024, 8), 86400.0, 3600.0, 1},
        {"tomorrow 08:00, pre 1 hour", secondsAt(11, 3, 2024, 8), 3600.0, 3600.0, 2},
        {"post period ended an hour ago", secondsAt(9, 3, 2024, 11), 0.0, 86400.0, 0},
        {"post period ends now", secondsAt(9, 3, 2024, 12), 0.0, 86400.0, 1},
        {"post period ended a second ago", secondsAt(9, 3, 2024, 12), 0.0, 86399.0, 0},
        {"earlier today", secondsAt(10, 3, 2024, 8), 0.0, 3600.0, 0},
        {"earlier today, post open", secondsAt(10, 3, 2024, 8), 0.0, 259200.0, 1},
        {"later today", secondsAt(10, 3, 2024, 20), 0.0, 0.0, 1},
        {"at the coming midnight", secondsAt(11, 3, 2024), 0.0, 0.0, 1},
        {"one second after it", secondsAt(11, 3, 2024, 0, 0, 1), 0.0, 0.0, 2},
        {"window around today", secondsAt(20, 3, 2024), 30 * 86400.0, 0.0, 1},
        {"never", kNeverSec, 0.0, 259200.0, 2},
        {"never, pre period beyond all dates", kNeverSec, 1e300, 259200.0, 2},
        {"periods not numbers", secondsAt(10, 3, 2024, 20), kNaN, kNaN, 1},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        ReminderEntry entry;
        entry.nextEventTimeSec = c.event;
        entry.preTrigger = c.pre;
        entry.postTrigger = c.post;
        EXPECT_EQ(todayTest(entry, now), c.expected);
    }
    // An entry that is not used never fires, whatever its periods.
    ReminderEntry unused = recurring(0, 1, L"10.03.2024");
    unused.preTrigger = 86400.0;
    computeEvent(unused, {10, 3, 2024});
    EXPECT_EQ(todayTest(unused, now), kRemindPeriodLater);
}

const double kEvent = secondsAt(10, 3, 2024, 10);  // 10:00

TEST(EvaluateDue, AnswersTheSlotOrTheEventTimeAndMovesNextAsk) {
    const struct {
        const char* what;
        double pre;
        std::int32_t repeat;
        double post;
        std::int32_t loopPeriod;
        double now;
        std::int32_t expected;
        double nextAsk;
    } kCases[] = {
        {"3 slots: before the period", 3600, 3, 259200, 1, kEvent - 3601, 33, kEvent - 3600},
        {"3 slots: 09:00", 3600, 3, 259200, 1, kEvent - 3600, 0, kEvent - 2400},
        {"3 slots: 09:19:59", 3600, 3, 259200, 1, kEvent - 2401, 0, kEvent - 2400},
        {"3 slots: 09:20", 3600, 3, 259200, 1, kEvent - 2400, 1, kEvent - 1200},
        {"3 slots: 09:40", 3600, 3, 259200, 1, kEvent - 1200, 2, kEvent},
        {"3 slots: 09:59:59", 3600, 3, 259200, 1, kEvent - 1, 2, kEvent},
        {"3 slots: 10:00", 3600, 3, 259200, 1, kEvent, 30, kNeverSec},
        {"no pre period: before", 0, 3, 259200, 1, kEvent - 7200, 33, kEvent},
        {"no pre period: at the event", 0, 3, 259200, 1, kEvent, 30, kNeverSec},
        {"10 minutes late", 0, 0, 259200, 1, kEvent + 600, 31, kNeverSec},
        {"loop 1: 2 s late", 0, 0, 259200, 1, kEvent + 2, 30, kNeverSec},
        {"loop 1: 3 s late", 0, 0, 259200, 1, kEvent + 3, 31, kNeverSec},
        {"loop 120: 240 s late", 0, 0, 259200, 120, kEvent + 240, 30, kNeverSec},
        {"loop 120: 241 s late", 0, 0, 259200, 120, kEvent + 241, 31, kNeverSec},
        // The period's end moves on by what is left of the current day.
        {"after post, same day", 0, 0, 3600, 1, kEvent + 5400, 31, kNeverSec},
        {"late evening", 0, 0, 3600, 1, secondsAt(10, 3, 2024, 23), 33, kEvent},
        {"next day", 600, 2, 3600, 1, secondsAt(11, 3, 2024, 12), 33, kEvent - 600},
        // Repeat 0 or less: no pre-event reminders, and the event-time reminder still comes.
        {"repeat 0: in the pre period", 3600, 0, 259200, 1, kEvent - 1800, 33, kEvent},
        {"repeat 0: at the event", 3600, 0, 259200, 1, kEvent, 30, kNeverSec},
        {"repeat -3: in the pre period", 3600, -3, 259200, 1, kEvent - 1, 33, kEvent},
        {"repeat kMin32", 3600, kMin32, 259200, 1, kEvent - 1, 33, kEvent},
        // More than 30 slots are 30 slots: answers stay within 0..29.
        {"repeat 45: first slot", 4500, 45, 259200, 1, kEvent - 4500, 0, kEvent - 4350},
        {"repeat 45: last slot", 4500, 45, 259200, 1, kEvent - 1, 29, kEvent},
        {"repeat kMax32: last slot", 4500, kMax32, 259200, 1, kEvent - 150, 29, kEvent},
        {"repeat kMax32: slot 28", 4500, kMax32, 259200, 1, kEvent - 151, 28, kEvent - 150},
        // A negative pre period opens the window after the event.
        {"negative pre: before", -600, 3, 259200, 1, kEvent + 599, 33, kEvent + 600},
        {"negative pre: opened", -600, 3, 259200, 1, kEvent + 600, 31, kNeverSec},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        ReminderEntry entry;
        entry.nextEventTimeSec = kEvent;
        entry.preTrigger = c.pre;
        entry.repeat = c.repeat;
        entry.postTrigger = c.post;
        EXPECT_EQ(evaluateDue(entry, localAt(c.now), c.loopPeriod), c.expected);
        EXPECT_EQ(entry.nextAskSec, c.nextAsk);
    }
    // An entry that never fires stays silent, even with a pre period reaching back to today.
    ReminderEntry never;
    never.nextEventTimeSec = kNeverSec;
    never.preTrigger = 1e300;
    never.repeat = 3;
    EXPECT_EQ(evaluateDue(never, localAt(kEvent), 1), kDueNothing);
    EXPECT_EQ(never.nextAskSec, kNeverSec);
}

// Follows the reminder check: from before the remind period to after the event, second by
// second, the entry is asked whenever its next ask time has come. Every slot and the event-time
// reminder come exactly once, in order, and nothing else is due.
TEST(EvaluateDue, WalksThroughEverySlotOnceByNextAsk) {
    const struct {
        const char* what;
        double pre;
        std::int32_t repeat;
        std::vector<std::int32_t> expected;
    } kCases[] = {
        {"3 slots", 3600, 3, {0, 1, 2, 30}},
        {"1 slot", 600, 1, {0, 30}},
        {"uneven slices", 100, 3, {0, 1, 2, 30}},
        {"fractional pre period", 99.9, 7, {0, 1, 2, 3, 4, 5, 6, 30}},
        {"no pre period", 0, 5, {30}},
        {"repeat 0", 3600, 0, {30}},
        {"repeat -1", 3600, -1, {30}},
        {"repeat 31", 3100, 31, {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15,
                                 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        ReminderEntry entry;
        entry.nextEventTimeSec = kEvent;
        entry.preTrigger = c.pre;
        entry.repeat = c.repeat;
        entry.postTrigger = 259200.0;
        std::vector<std::int32_t> answers;
        for (double now = kEvent - 4000; now <= kEvent + 60; now += 1.0) {
            if (now < entry.nextAskSec) {
                continue;
            }
            const std::int32_t answer = evaluateDue(entry, localAt(now), 1);
            ASSERT_FALSE(std::isnan(entry.nextAskSec));
            if (answer != kDueNothing) {
                answers.push_back(answer);
            }
        }
        EXPECT_EQ(answers, c.expected);
    }
}

TEST(EvaluateDue, KeepsNextAskAValueOnUnusualPeriods) {
    const struct {
        const char* what;
        double pre;
        double post;
        double now;
        std::int32_t expected;
    } kCases[] = {
        {"pre period not a number", kNaN, 3600, kEvent - 10, 33},
        {"post period not a number", 600, kNaN, kEvent + 10, 31},
        {"infinite pre period", kInf, 3600, kEvent - 10, 0},
        {"huge pre period", 1e300, 3600, kEvent - 10, 0},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        ReminderEntry entry;
        entry.nextEventTimeSec = kEvent;
        entry.preTrigger = c.pre;
        entry.postTrigger = c.post;
        entry.repeat = 1;
        EXPECT_EQ(evaluateDue(entry, localAt(c.now), 1), c.expected);
        EXPECT_TRUE(std::isfinite(entry.nextAskSec)) << entry.nextAskSec;
    }
}

TEST(EvaluateDueInPreview, MatchesTheEventsOfTheScannedDay) {
    const double dayStart = secondsAt(10, 3, 2024);
    const struct {
        const char* what;
        double dayTime;
        int incType;
        std::int32_t interval;
        std::int32_t expected;
    } kCases[] = {
        {"at 00:00:00", 0.0, 2, 1, 30},
        {"at 23:59:59", 86399.0, 2, 1, 30},
        {"at the next midnight", 86400.0, 2, 1, 33},
        {"a second before the day", -1.0, 2, 1, 33},
        {"every other day, off the grid", 36000.0, 2, 2, 33},
        {"every other day, on the grid", 36000.0, 2, 3, 30},
        {"not used", 36000.0, 0, 1, 33},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        // Starts 01.03.2024: the 10th is on the grid of 3 days, not on that of 2.
        ReminderEntry entry = recurring(c.incType, c.interval, L"01.03.2024");
        entry.dayTime = c.dayTime;
        entry.nextEventTimeSec = 777.0;  // computed for another day at load time
        entry.nextAskSec = 888.0;
        entry.triggerEventTimeSec = 999.0;
        EXPECT_EQ(evaluateDueInPreview(entry, {10, 3, 2024}, dayStart), c.expected);
        EXPECT_EQ(entry.triggerEventTimeSec,
                  c.expected == kDueAtEvent ? dayStart + c.dayTime : 999.0);
        EXPECT_EQ(entry.nextEventTimeSec, 777.0);
        EXPECT_EQ(entry.nextAskSec, 888.0);
    }
}

}  // namespace
}  // namespace tindlow
