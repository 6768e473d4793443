#pragma once
#include <cstdint>

namespace tindlow {

// Local wall-clock time as the system reports it (no time zone handling).
struct LocalTime {
    int year = 1901;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int milliseconds = 0;
};

class Clock {
  public:
    virtual ~Clock() = default;
    virtual LocalTime localTime() const = 0;
    // Milliseconds since system start.
    virtual std::uint64_t tickCount() const = 0;
};

}  // namespace tindlow
