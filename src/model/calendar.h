#pragma once
#include <cstdint>
#include <string>

#include "platform/clock.h"

namespace tindlow {

// The program's own calendar: day number 1 is 01.01.1901, every year divisible by 4 is a leap
// year (no century rule).
struct DayMonthYear {
    std::int32_t day = 0;
    std::int32_t month = 0;
    std::int32_t year = 0;
    friend bool operator==(const DayMonthYear&, const DayMonthYear&) = default;
};

// The three ways the program counts time:
// A day of the calendar by its number (1 is 01.01.1901, 0 is 31.12.1900).
using DayNumber = std::int32_t;
// A time of day: seconds after midnight.
using SecondsOfDay = double;
// A moment: program seconds, day number * 86400 + seconds after midnight. Event times, the times
// of the next check and of the last reminder, and the clock's now are all kept as moments.
using ProgramSeconds = double;

inline constexpr double kSecondsPerDay = 86400.0;
inline constexpr ProgramSeconds kNeverSec = 172800000000000.0;  // 2,000,000,000 days
inline constexpr DayNumber kFirstClampedDayNumber = 1000000;

bool isLeapYear(std::int64_t year);
int monthLength(int month, std::int64_t year);  // month 1..12

// Day number of a date; day and month are not checked (day 32 of January is 1 February, month 13
// is January of the next year, month 14 February of the next year, months below 1 add nothing).
// Never overflows: computed wide and clamped to -1000000 .. 1000000 (kFirstClampedDayNumber).
DayNumber dayNumberOf(std::int32_t day, std::int32_t month, std::int32_t year);
DayMonthYear dateOfDayNumber(DayNumber dayNumber);
// The date of the day a moment lies in.
DayMonthYear dateOfSeconds(ProgramSeconds seconds);
// 0 = Sunday, 1 = Monday, ... 6 = Saturday.
int weekdayIndex(DayNumber dayNumber);

// The moment `time` after the midnight that begins day `day`. The day is taken wide, so the
// day numbers of a scan beyond the calendar's range convert as well (exactly, as every integer
// up to 2^53 does).
constexpr ProgramSeconds momentOf(std::int64_t day, SecondsOfDay time) {
    return static_cast<ProgramSeconds>(day) * kSecondsPerDay + time;
}

inline DayMonthYear dateOf(const LocalTime& t) {
    return {t.day, t.month, t.year};
}
// The time of day of a clock reading, in whole seconds (hour * 3600 + minute * 60 + second).
constexpr SecondsOfDay secondsOfDay(const LocalTime& now) {
    return now.hour * 3600.0 + now.minute * 60.0 + now.second;
}
ProgramSeconds nowSeconds(const LocalTime& now);
double nowDays(const LocalTime& now);
DayNumber todayDayNumber(const LocalTime& now);

DayMonthYear parseDateText(const std::wstring& text);

}  // namespace tindlow
