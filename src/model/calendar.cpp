#include "model/calendar.h"

#include <algorithm>
#include <cmath>

#include "model/lenient_number.h"

namespace tindlow {

namespace {

constexpr int kMonthLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
// The days of a common year before the first of each month; [12] is the whole year.
constexpr int kDaysBeforeMonth[13] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365};

// Day numbers are clamped into this range so that differences of two day numbers, and day
// numbers times small factors, stay far from the 32-bit limits. The upper end is the first day
// number that dateOfDayNumber maps to 31.12.2999; the lower end leaves room for dates of a few
// centuries before 1901, which some recurrence grids start from.
constexpr std::int64_t kLowestDayNumber = -1000000;
constexpr std::int64_t kHighestDayNumber = kFirstClampedDayNumber;

constexpr std::int32_t kDaysPerFourYears = 4 * 365 + 1;

}  // namespace

bool isLeapYear(std::int64_t year) {
    return year % 4 == 0;
}

int monthLength(int month, std::int64_t year) {
    if (month < 1 || month > 12) {
        return 0;
    }
    if (month == 2 && isLeapYear(year)) {
        return 29;
    }
    return kMonthLengths[month - 1];
}

DayNumber dayNumberOf(std::int32_t day, std::int32_t month, std::int32_t year) {
    std::int64_t y = year;
    std::int64_t m = month;
    // Months 1..13 follow the table (13 counts the whole year, which makes it January of the
    // next year); months 0 and below add nothing. From 14 on, every 12 months carry into the
    // year, so month 14 is February of the next year and the table is never read past its end.
    if (m >= 14) {
        y += (m - 1) / 12;
        m = (m - 1) % 12 + 1;
    }
    std::int64_t n = day;
    if (m > 1) {
        n += kDaysBeforeMonth[m - 1];  // m is at most 13 here
    }
    if (m > 2 && isLeapYear(y)) {
        n += 1;
    }
    // One leap day for every fourth year boundary passed since 1901. The division rounds down,
    // so years before 1901 lose their leap days as well: 31.12.1900 (1900 is a leap year here)
    // is day number 0 and no earlier date shares a number with a later one.
    const std::int64_t years = y - 1901;
    n += years * 365 + (years >= 0 ? years / 4 : -((3 - years) / 4));
    return static_cast<std::int32_t>(std::clamp(n, kLowestDayNumber, kHighestDayNumber));
}

DayMonthYear dateOfDayNumber(DayNumber dayNumber) {
    if (dayNumber <= 0) {
        return {1, 1, 1901};
    }
    if (dayNumber >= kFirstClampedDayNumber) {
        return {31, 12, 2999};
    }
    // Every four years from 1901 on hold three common years and then a leap year.
    const std::int32_t zeroBased = dayNumber - 1;
    const std::int32_t cycles = zeroBased / kDaysPerFourYears;
    const std::int32_t inCycle = zeroBased % kDaysPerFourYears;
    const std::int32_t yearInCycle = std::min(inCycle / 365, 3);
    const std::int32_t year = 1901 + 4 * cycles + yearInCycle;
    std::int32_t dayOfYear = inCycle - 365 * yearInCycle + 1;
    int month = 1;
    while (dayOfYear > monthLength(month, year)) {
        dayOfYear -= monthLength(month, year);
        ++month;
    }
    return {dayOfYear, month, year};
}

DayMonthYear dateOfSeconds(ProgramSeconds seconds) {
    // Clamp in floating point first: converting a value outside the integer range is undefined.
    double days = std::trunc(seconds / kSecondsPerDay);
    if (std::isnan(days)) {
        days = 0.0;
    }
    days = std::clamp(days, 0.0, static_cast<double>(kFirstClampedDayNumber));
    return dateOfDayNumber(static_cast<DayNumber>(days));
}

int weekdayIndex(DayNumber dayNumber) {
    // Day number 0 (31.12.1900) is a Monday. The remainder is taken wide and made non-negative,
    // so days before it count backwards through the week.
    const std::int64_t remainder = (static_cast<std::int64_t>(dayNumber) + 1) % 7;
    return static_cast<int>(remainder < 0 ? remainder + 7 : remainder);
}

DayNumber todayDayNumber(const LocalTime& now) {
    return dayNumberOf(now.day, now.month, now.year);
}

ProgramSeconds nowSeconds(const LocalTime& now) {
    // Whole numbers far below 2^53 each: the sum is exact, whatever the order of the additions.
    return momentOf(todayDayNumber(now), secondsOfDay(now));
}

double nowDays(const LocalTime& now) {
    return static_cast<double>(todayDayNumber(now)) + now.hour / 24.0 + now.minute / 1440.0 +
           now.second / 86400.0;
}

namespace {

// One step of the date reading: the number before the first point, and the rest after it.
// Views only: every computation of an event reads its date text again.
std::int32_t takeNumberBeforePoint(std::wstring_view& text) {
    // A loop of its own rather than find(): the texts are a few characters long and read for
    // every entry of every preview.
    std::size_t point = 0;
    while (point < text.size() && text[point] != L'.') {
        ++point;
    }
    if (point == text.size()) {
        return 0;
    }
    const std::int32_t value = leadingInt(trimmedView(text.substr(0, point)));
    text = trimmedView(text.substr(point + 1));
    return value;
}

}  // namespace

DayMonthYear parseDateText(const std::wstring& text) {
    std::wstring_view rest = text;
    DayMonthYear date;
    date.day = takeNumberBeforePoint(rest);
    date.month = takeNumberBeforePoint(rest);
    date.year = leadingInt(rest);
    return date;
}

}  // namespace tindlow
