#include "ui/start_position.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

namespace tindlow {
namespace {

TEST(StartPosition, Plausibility) {
    const ScreenRect window{0, 0, 1000, 400};
    const struct {
        int x, y;
        int expectedX, expectedY;
        std::optional<int> message;
    } kCases[] = {
        {-400, 100, -400, 100, std::nullopt},
        {-500, 100, -500, 100, std::nullopt},
        {-501, 100, 0, 0, 69},
        {1420, 0, 1420, 0, std::nullopt},
        {1421, 0, 0, 0, 69},
        {0, 880, 0, 880, std::nullopt},
        {0, 881, 0, 0, 70},
        {0, -1, 0, 0, 70},
        {-501, -1, 0, 0, 70},
        {-501, 881, 0, 0, 70},
        {INT32_MIN, INT32_MAX, 0, 0, 70},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        const StartPositionCheck check = checkStartPosition(c.x, c.y, window, 1920, 1080);
        EXPECT_EQ(check.x, c.expectedX);
        EXPECT_EQ(check.y, c.expectedY);
        EXPECT_EQ(check.message, c.message);
    }
}

}  // namespace
}  // namespace tindlow
