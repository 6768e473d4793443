#include "model/calendar.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tindlow {
namespace {

constexpr std::int32_t kMin32 = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax32 = std::numeric_limits<std::int32_t>::max();

TEST(DayNumberOf, CountsDaysFromFirstJanuary1901) {
    const struct {
        int day, month, year;
        std::int32_t expected;
    } kCases[] = {
        {1, 1, 1901, 1},      {31, 12, 1901, 365},   {1, 1, 1902, 366},
        {28, 2, 1901, 59},    {1, 3, 1901, 60},      {29, 2, 1904, 1155},
        {31, 12, 1904, 1461}, {1, 1, 1905, 1462},    {1, 1, 2000, 36160},
        {1, 1, 2024, 44926},  {31, 1, 2024, 44956},  {28, 2, 2100, 72743},
        {29, 2, 2100, 72744}, {1, 3, 2100, 72745},   {31, 12, 2999, 401409},
        {1, 1, 3000, 401410}, {6, 11, 4638, 999999}, {7, 11, 4638, 1000000},
        {31, 12, 1900, 0},    {1, 3, 1900, 1 - 306}, {1, 1, 1900, -365},
        {1, 1, 1897, -1460},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.day << "." << c.month << "." << c.year);
        EXPECT_EQ(dayNumberOf(c.day, c.month, c.year), c.expected);
    }
}

TEST(DayNumberOf, RunsUncheckedDaysAndMonthsOn) {
    const struct {
        int day, month, year;
        int sameDay, sameMonth, sameYear;
    } kCases[] = {
        {32, 1, 2024, 1, 2, 2024},    // a day past the month's end runs into the next month
        {31, 4, 2025, 1, 5, 2025},    // 31.04. is 01.05.
        {30, 2, 2023, 2, 3, 2023},    // no 29 February in a common year
        {0, 3, 2024, 29, 2, 2024},    // day 0 is the day before the 1st
        {-1, 1, 2024, 30, 12, 2023},  // negative days count back
        {1, 13, 2023, 1, 1, 2024},    // month 13 counts the whole year
        {1, 13, 1900, 1, 1, 1901},
        {15, 0, 2024, 15, 1, 2024},  // months below 1 add nothing
        {15, -7, 2024, 15, 1, 2024},
        {29, 14, 2023, 29, 2, 2024},  // from 14 on, twelve months make a year
        {1, 25, 2023, 1, 1, 2025},
        {1, 24, 2023, 1, 12, 2024},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.day << "." << c.month << "." << c.year);
        EXPECT_EQ(dayNumberOf(c.day, c.month, c.year),
                  dayNumberOf(c.sameDay, c.sameMonth, c.sameYear));
    }
}

TEST(DayNumberOf, ClampsExtremeValuesWithoutOverflow) {
    const struct {
        std::int32_t day, month, year;
        std::int32_t expected;
    } kCases[] = {
        {1, 1, 5000, 1000000},
        {kMax32, 1, 2024, 1000000},
        {kMin32, 1, 2024, -1000000},
        {1, kMax32, 2024, 1000000},
        {1, kMin32, 2024, dayNumberOf(1, 1, 2024)},
        {1, 1, kMax32, 1000000},
        {1, 1, kMin32, -1000000},
        {kMax32, kMax32, kMax32, 1000000},
        {kMin32, kMin32, kMin32, -1000000},
        {kMax32, 12, kMin32, -1000000},
        {kMin32, 12, kMax32, 1000000},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.day << "." << c.month << "." << c.year);
        EXPECT_EQ(dayNumberOf(c.day, c.month, c.year), c.expected);
    }
    // The never-checked text of an empty date still gives a usable number.
    const std::int32_t empty = dayNumberOf(0, 0, 0);
    EXPECT_LT(empty, 0);
    EXPECT_GT(empty, -1000000);
}

TEST(DateOfDayNumber, ConvertsAndClamps) {
    const struct {
        std::int32_t dayNumber;
        DayMonthYear expected;
    } kCases[] = {
        {1, {1, 1, 1901}},        {59, {28, 2, 1901}},       {60, {1, 3, 1901}},
        {365, {31, 12, 1901}},    {366, {1, 1, 1902}},       {1155, {29, 2, 1904}},
        {1460, {30, 12, 1904}},   {1461, {31, 12, 1904}},    {1462, {1, 1, 1905}},
        {36160, {1, 1, 2000}},    {44956, {31, 1, 2024}},    {72744, {29, 2, 2100}},
        {72745, {1, 3, 2100}},    {401409, {31, 12, 2999}},  {401410, {1, 1, 3000}},
        {999999, {6, 11, 4638}},  {1000000, {31, 12, 2999}}, {1000001, {31, 12, 2999}},
        {kMax32, {31, 12, 2999}}, {0, {1, 1, 1901}},         {-5, {1, 1, 1901}},
        {kMin32, {1, 1, 1901}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.dayNumber);
        EXPECT_EQ(dateOfDayNumber(c.dayNumber), c.expected);
    }
}

TEST(DateOfDayNumber, IsTheInverseOfDayNumberOfOverTheWholeRange) {
    for (std::int32_t n = 1; n < kFirstClampedDayNumber; ++n) {
        const DayMonthYear date = dateOfDayNumber(n);
        ASSERT_GE(date.month, 1) << n;
        ASSERT_LE(date.month, 12) << n;
        ASSERT_GE(date.day, 1) << n;
        ASSERT_LE(date.day, monthLength(date.month, date.year)) << n;
        ASSERT_EQ(dayNumberOf(date.day, date.month, date.year), n) << n;
    }
}

TEST(Calendar, LeapYearsHaveNoCenturyRule) {
    const struct {
        int year;
        bool leap;
    } kCases[] = {{1900, true},  {1901, false}, {1904, true}, {2000, true},
                  {2023, false}, {2100, true},  {2200, true}, {2500, true}};
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.year);
        EXPECT_EQ(isLeapYear(c.year), c.leap);
        EXPECT_EQ(monthLength(2, c.year), c.leap ? 29 : 28);
        EXPECT_EQ(dayNumberOf(1, 1, c.year + 1) - dayNumberOf(1, 1, c.year), c.leap ? 366 : 365);
    }
    EXPECT_EQ(monthLength(0, 2024), 0);
    EXPECT_EQ(monthLength(13, 2024), 0);
}

TEST(WeekdayIndex, CountsFromSunday) {
    const struct {
        std::int32_t dayNumber;
        int expected;
    } kCases[] = {
        {1, 2},                          // 01.01.1901, Tuesday
        {0, 1},                          // 31.12.1900, Monday
        {-1, 0},                         // Sunday
        {-2, 6},                         // Saturday
        {dayNumberOf(1, 1, 2024), 1},    // Monday
        {dayNumberOf(9, 12, 2026), 3},   // Wednesday
        {dayNumberOf(31, 12, 2999), 2},  // Tuesday
        {kMax32, 2},
        {kMin32, 6},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.dayNumber);
        EXPECT_EQ(weekdayIndex(c.dayNumber), c.expected);
    }
}

TEST(DateOfSeconds, TruncatesToTheDayAndClamps) {
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        double seconds;
        DayMonthYear expected;
    } kCases[] = {
        {0.0, {1, 1, 1901}},
        {86400.0, {1, 1, 1901}},
        {172799.9, {1, 1, 1901}},
        {172800.0, {2, 1, 1901}},
        {36160 * 86400.0 + 86399.0, {1, 1, 2000}},
        {999999 * 86400.0, {6, 11, 4638}},
        {kNeverSec, {31, 12, 2999}},
        {1e300, {31, 12, 2999}},
        {inf, {31, 12, 2999}},
        {-1.0, {1, 1, 1901}},
        {-1e300, {1, 1, 1901}},
        {-inf, {1, 1, 1901}},
        {std::nan(""), {1, 1, 1901}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.seconds);
        EXPECT_EQ(dateOfSeconds(c.seconds), c.expected);
    }
}

TEST(Calendar, NowValuesUseTheLocalTimeToTheSecond) {
    const LocalTime now{2024, 1, 31, 13, 45, 7, 999};
    EXPECT_EQ(todayDayNumber(now), 44956);
    EXPECT_EQ(nowSeconds(now), 44956 * 86400.0 + 13 * 3600 + 45 * 60 + 7);
    EXPECT_DOUBLE_EQ(nowDays(now), 44956 + 13 / 24.0 + 45 / 1440.0 + 7 / 86400.0);

    const LocalTime midnight{1901, 1, 1, 0, 0, 0, 0};
    EXPECT_EQ(nowSeconds(midnight), 86400.0);
    EXPECT_EQ(nowDays(midnight), 1.0);
}

TEST(ParseDateText, ReadsDayMonthAndYearBetweenPoints) {
    const struct {
        const wchar_t* text;
        DayMonthYear expected;
    } kCases[] = {
        {L"22.06.1957", {22, 6, 1957}},
        {L" 1. 2.2020", {1, 2, 2020}},
        {L"\t7 .\t8 . 2024 ", {7, 8, 2024}},
        {L"2020", {0, 0, 2020}},
        {L"", {0, 0, 0}},
        {L"1.2", {1, 0, 2}},  // one point: the rest is read as month and year
        {L"31.12.", {31, 12, 0}},
        {L"1..2000", {1, 0, 2000}},
        {L"1.2.3.4", {1, 2, 3}},
        {L"-1.+2.-3", {-1, 2, -3}},
        {L"x.y.z", {0, 0, 0}},
        {L"3rd.4th.2024AD", {3, 4, 2024}},
        {L"31.02.2025", {31, 2, 2025}},  // not checked against the calendar
        {L"99999999999.1.2000", {kMax32, 1, 2000}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message() << '"' << std::wstring(c.text) << '"');
        EXPECT_EQ(parseDateText(c.text), c.expected);
    }
}

}  // namespace
}  // namespace tindlow
