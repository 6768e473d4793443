#pragma once
// A clock that a test sets and moves. Moving it carries seconds into minutes, hours, days,
// months and years on the program's own calendar (every fourth year a leap year), and the tick
// count moves along with it.

#include <cstdint>

#include "model/calendar.h"
#include "platform/clock.h"

namespace tindlow {

class FakeClock : public Clock {
  public:
    FakeClock() = default;
    explicit FakeClock(const LocalTime& now) : now_(now) {}

    LocalTime localTime() const override { return now_; }
    std::uint64_t tickCount() const override { return ticks_; }

    void set(const LocalTime& now) { now_ = now; }
    void setDate(int day, int month, int year) {
        now_.day = day;
        now_.month = month;
        now_.year = year;
    }
    void setTime(int hour, int minute, int second, int milliseconds = 0) {
        now_.hour = hour;
        now_.minute = minute;
        now_.second = second;
        now_.milliseconds = milliseconds;
    }
    void setTickCount(std::uint64_t ticks) { ticks_ = ticks; }

    void advanceSeconds(std::int64_t seconds) { advanceMilliseconds(seconds * 1000); }

    // Negative amounts move the local time back; the tick count never runs backwards.
    void advanceMilliseconds(std::int64_t milliseconds) {
        if (milliseconds > 0) {
            ticks_ += static_cast<std::uint64_t>(milliseconds);
        }
        const std::int64_t total = static_cast<std::int64_t>(todayDayNumber(now_)) * 86400000 +
                                   now_.hour * 3600000LL + now_.minute * 60000LL +
                                   now_.second * 1000LL + now_.milliseconds + milliseconds;
        const std::int64_t day = floorDiv(total, 86400000);
        const std::int64_t inDay = total - day * 86400000;
        const DayMonthYear date = dateOfDayNumber(static_cast<std::int32_t>(day));
        now_.year = date.year;
        now_.month = date.month;
        now_.day = date.day;
        now_.hour = static_cast<int>(inDay / 3600000);
        now_.minute = static_cast<int>(inDay / 60000 % 60);
        now_.second = static_cast<int>(inDay / 1000 % 60);
        now_.milliseconds = static_cast<int>(inDay % 1000);
    }

  private:
    static std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
        const std::int64_t q = a / b;
        return (a % b != 0 && a < 0) ? q - 1 : q;
    }

    LocalTime now_{2024, 1, 31, 13, 45, 7, 0};
    std::uint64_t ticks_ = 1000000;
};

}  // namespace tindlow
