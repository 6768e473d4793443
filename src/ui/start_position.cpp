#include "ui/start_position.h"

namespace tindlow {

namespace {
constexpr int kXNotPlausible = 69;
constexpr int kYNotPlausible = 70;
}  // namespace

StartPositionCheck checkStartPosition(std::int32_t x, std::int32_t y, const ScreenRect& window,
                                      int virtualWidth, int virtualHeight) {
    // Wide arithmetic: a hand-edited settings file may hold any 32-bit value.
    const std::int64_t halfWidth = (static_cast<std::int64_t>(window.right) - window.left) / 2;
    const std::int64_t halfHeight = (static_cast<std::int64_t>(window.bottom) - window.top) / 2;
    int finding = 0;
    if (x < -halfWidth) {
        finding = 1;
    }
    if (x > virtualWidth - halfWidth) {
        finding = 2;
    }
    if (y > virtualHeight - halfHeight) {
        finding = 3;
    }
    if (y < 0) {
        return {0, 0, kYNotPlausible};
    }
    if (finding != 0) {
        return {0, 0, finding == 3 ? kYNotPlausible : kXNotPlausible};
    }
    return {x, y, std::nullopt};
}

}  // namespace tindlow
