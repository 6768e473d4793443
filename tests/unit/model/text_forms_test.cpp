#include "model/text_forms.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace tindlow {
namespace {

const double kInf = std::numeric_limits<double>::infinity();

TEST(FormatTimeOfDay, RoundsToTheSecondAndCarries) {
    const struct {
        double seconds;
        const wchar_t* expected;
    } kCases[] = {
        {0.0, L"00:00:00"},     {45296.0, L"12:34:56"}, {59.4, L"00:00:59"},
        {59.5, L"00:01:00"},    {3599.4, L"00:59:59"},  {3599.7, L"01:00:00"},
        {43199.6, L"12:00:00"}, {86399.0, L"23:59:59"}, {86399.6, L"24:00:00"},
        {90000.0, L"25:00:00"},  // hours are not taken modulo 24
        {-3600.0, L"-1:00:00"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.seconds);
        EXPECT_EQ(formatTimeOfDay(c.seconds), c.expected);
    }
}

TEST(FormatTimeOfDay, GivesATextForValuesOutsideTheDay) {
    EXPECT_EQ(formatTimeOfDay(std::nan("")), L"00:00:00");
    for (const double seconds : {kInf, -kInf, 1e300, -1e300, kNeverSec}) {
        SCOPED_TRACE(seconds);
        const std::wstring text = formatTimeOfDay(seconds);
        EXPECT_EQ(std::count(text.begin(), text.end(), L':'), 2) << text;
    }
}

TEST(FormatDate, PadsDayAndMonthButNotTheYear) {
    const struct {
        DayMonthYear date;
        const wchar_t* expected;
    } kCases[] = {
        {{22, 6, 1957}, L"22.06.1957"},  {{5, 1, 2024}, L"05.01.2024"}, {{5, 1, 800}, L"05.01.800"},
        {{31, 12, 2999}, L"31.12.2999"}, {{0, 0, 0}, L"00.00.0"},       {{-1, 13, -5}, L"-1.13.-5"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.expected);
        EXPECT_EQ(formatDate(c.date), c.expected);
    }
}

TEST(FormatDateTime, SplitsProgramSecondsIntoDayAndTime) {
    const struct {
        double seconds;
        const wchar_t* expected;
    } kCases[] = {
        {44956 * 86400.0 + 49507.0, L"31.01.2024 13:45:07"},
        {172800.0 + 45296.0, L"02.01.1901 12:34:56"},
        {86400.0, L"01.01.1901 00:00:00"},
        {0.0, L"01.01.1901 00:00:00"},  // day number 0 clamps to day 1's date
        {36160 * 86400.0 + 86399.6, L"01.01.2000 24:00:00"},
        {kNeverSec, L"31.12.2999 00:00:00"},
        {1e300, L"31.12.2999 00:00:00"},
        {kInf, L"31.12.2999 00:00:00"},
        {-kInf, L"01.01.1901 00:00:00"},
        {std::nan(""), L"01.01.1901 00:00:00"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.seconds);
        EXPECT_EQ(formatDateTime(c.seconds), c.expected);
    }
}

TEST(NowTexts, FormTheCurrentTime) {
    const LocalTime now{2024, 1, 31, 13, 45, 7, 250};
    EXPECT_EQ(nowStamp(now, L" ", L":"), L"31.01.2024 13:45:07");
    EXPECT_EQ(nowStamp(now, L" - ", L"."), L"31.01.2024 - 13.45.07");

    const struct {
        const wchar_t* kind;
        const wchar_t* dateSeparator;
        const wchar_t* timeSeparator;
        const wchar_t* join;
        const wchar_t* expected;
    } kCases[] = {
        {L"datetime", L"-", L".", L"_", L"2024-01-31_13.45.07"},
        {L"time", L"-", L":", L"_", L"13:45:07"},
        {L"date", L"-", L":", L"_", L"2024-01-31"},
        {L"date", L"", L"", L"", L"20240131"},
        {L"Date", L"-", L":", L"_", L""},
        {L"", L"-", L":", L"_", L""},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.kind);
        EXPECT_EQ(nowText(now, c.kind, c.dateSeparator, c.timeSeparator, c.join), c.expected);
    }

    const LocalTime early{800, 2, 3, 4, 5, 6, 0};
    EXPECT_EQ(nowText(early, L"datetime", L"-", L".", L"_"), L"0800-02-03_04.05.06");
    EXPECT_EQ(nowStamp(early, L" ", L":"), L"03.02.800 04:05:06");
}

TEST(NumberTexts, IntAndPaddedInt) {
    EXPECT_EQ(intText(0), L"0");
    EXPECT_EQ(intText(-1), L"-1");
    EXPECT_EQ(intText(std::numeric_limits<std::int64_t>::max()), L"9223372036854775807");
    EXPECT_EQ(intText(std::numeric_limits<std::int64_t>::min()), L"-9223372036854775808");

    const struct {
        std::int64_t value;
        int width;
        const wchar_t* expected;
    } kCases[] = {
        {7, 2, L"07"}, {123, 2, L"123"}, {42, 5, L"00042"}, {0, 0, L"0"},
        {5, -3, L"5"}, {-5, 3, L"0-5"},  {-5, 2, L"-5"},    {0, 2, L"00"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.value << " width " << c.width);
        EXPECT_EQ(paddedIntText(c.value, c.width), c.expected);
    }

    // The log lines are built by appending: the text before stays as it is.
    std::wstring line = L"Line ";
    appendPaddedIntText(line, 7, 2);
    line += L": ";
    appendIntText(line, std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(line, L"Line 07: -9223372036854775808");
}

TEST(NumberTexts, HexAndBinary) {
    const struct {
        std::uint32_t value;
        const wchar_t* hex;
        const wchar_t* binary;
    } kCases[] = {
        {0, L"0x00000000", L"0000 0000 0000 0000 0000 0000 0000 0000"},
        {255, L"0x000000FF", L"0000 0000 0000 0000 0000 0000 1111 1111"},
        {0x4000000F, L"0x4000000F", L"0100 0000 0000 0000 0000 0000 0000 1111"},
        {0x80000001, L"0x80000001", L"1000 0000 0000 0000 0000 0000 0000 0001"},
        {0xDEADBEEF, L"0xDEADBEEF", L"1101 1110 1010 1101 1011 1110 1110 1111"},
        {0xFFFFFFFF, L"0xFFFFFFFF", L"1111 1111 1111 1111 1111 1111 1111 1111"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(hexText(c.value), c.hex);
        EXPECT_EQ(binaryText(c.value), c.binary);
    }
}

TEST(NumberTexts, FixedTwoDecimals) {
    const struct {
        double value;
        const wchar_t* expected;
    } kCases[] = {
        {0.0, L"0.00"},   {2.5, L"2.50"},           {-3.14159, L"-3.14"},
        {0.999, L"1.00"}, {259200.0, L"259200.00"}, {1e20, L"100000000000000000000.00"},
        {kInf, L"inf"},   {-kInf, L"-inf"},         {std::nan(""), L"nan"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(fixed2Text(c.value), c.expected);
    }
    EXPECT_EQ(fixed2Text(std::numeric_limits<double>::max()).size(), 309u + 3u);
}

}  // namespace
}  // namespace tindlow
