#include "fakes/fake_clock.h"

#include <gtest/gtest.h>

namespace tindlow {
namespace {

bool sameTime(const LocalTime& a, const LocalTime& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour &&
           a.minute == b.minute && a.second == b.second && a.milliseconds == b.milliseconds;
}

TEST(FakeClock, AdvancesOnTheProgramCalendar) {
    const struct {
        LocalTime start;
        std::int64_t seconds;
        LocalTime expected;
    } kCases[] = {
        {{2024, 1, 31, 13, 45, 7, 0}, 1, {2024, 1, 31, 13, 45, 8, 0}},
        {{2023, 12, 31, 23, 59, 59, 0}, 1, {2024, 1, 1, 0, 0, 0, 0}},
        {{2024, 2, 28, 23, 0, 0, 0}, 3600, {2024, 2, 29, 0, 0, 0, 0}},
        {{2100, 2, 28, 23, 59, 30, 500}, 60, {2100, 2, 29, 0, 0, 30, 500}},
        {{2023, 2, 28, 12, 0, 0, 0}, 86400, {2023, 3, 1, 12, 0, 0, 0}},
        {{2024, 3, 1, 0, 0, 0, 0}, -1, {2024, 2, 29, 23, 59, 59, 0}},
        {{2024, 1, 1, 0, 0, 0, 0}, 366 * 86400, {2025, 1, 1, 0, 0, 0, 0}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.start.day << "." << c.start.month << "."
                                        << c.start.year << " + " << c.seconds);
        FakeClock clock(c.start);
        clock.advanceSeconds(c.seconds);
        EXPECT_TRUE(sameTime(clock.localTime(), c.expected));
    }
}

TEST(FakeClock, TickCountMovesWithTheTime) {
    FakeClock clock;
    clock.set({2024, 1, 31, 23, 59, 59, 0});
    clock.setTickCount(5000);
    clock.advanceMilliseconds(500);
    EXPECT_EQ(clock.localTime().second, 59);
    EXPECT_EQ(clock.tickCount(), 5500u);
    clock.advanceMilliseconds(500);
    EXPECT_TRUE(sameTime(clock.localTime(), {2024, 2, 1, 0, 0, 0, 0}));
    EXPECT_EQ(clock.tickCount(), 6000u);
    clock.advanceSeconds(-10);
    EXPECT_EQ(clock.tickCount(), 6000u);

    clock.setDate(9, 12, 2026);
    clock.setTime(8, 30, 0);
    EXPECT_TRUE(sameTime(clock.localTime(), {2026, 12, 9, 8, 30, 0, 0}));
}

}  // namespace
}  // namespace tindlow
