#pragma once
#include <cstdint>
#include <optional>

#include "platform/view.h"

namespace tindlow {

struct StartPositionCheck {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::optional<int> message;  // message table entry of the correction box
};

// A window may start up to half its width beyond the left or right edge of the virtual screen;
// its top edge must lie at 0 or below and at least half its height above the bottom.
StartPositionCheck checkStartPosition(std::int32_t x, std::int32_t y, const ScreenRect& window,
                                      int virtualWidth, int virtualHeight);

}  // namespace tindlow
