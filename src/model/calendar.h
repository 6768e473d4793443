#pragma once
#include <cstdint>
#include <string>

#include "platform/clock.h"

namespace tindlow {

// The program's own calendar: day number 1 is 01.01.1901, every year divisible by 4 is a leap
// year (no century rule), program seconds are day number * 86400 + seconds after midnight.
struct DayMonthYear {
    std::int32_t day = 0;
    std::int32_t month = 0;
    std::int32_t year = 0;
    friend bool operator==(const DayMonthYear&, const DayMonthYear&) = default;
};

inline constexpr double kSecondsPerDay = 86400.0;
inline constexpr double kNeverSec = 172800000000000.0;  // 2,000,000,000 days
inline constexpr std::int32_t kFirstClampedDayNumber = 1000000;

bool isLeapYear(std::int64_t year);
int monthLength(int month, std::int64_t year);  // month 1..12

// Day number of a date; day and month are not checked (day 32 of January is 1 February, month 13
// is January of the next year, month 14 February of the next year, months below 1 add nothing).
// Never overflows: computed wide and clamped to -1000000 .. 1000000 (kFirstClampedDayNumber).
std::int32_t dayNumberOf(std::int32_t day, std::int32_t month, std::int32_t year);
DayMonthYear dateOfDayNumber(std::int32_t dayNumber);
DayMonthYear dateOfSeconds(double seconds);
// 0 = Sunday, 1 = Monday, ... 6 = Saturday.
int weekdayIndex(std::int32_t dayNumber);

inline DayMonthYear dateOf(const LocalTime& t) {
    return {t.day, t.month, t.year};
}
double nowSeconds(const LocalTime& now);
double nowDays(const LocalTime& now);
std::int32_t todayDayNumber(const LocalTime& now);

DayMonthYear parseDateText(const std::wstring& text);

}  // namespace tindlow
