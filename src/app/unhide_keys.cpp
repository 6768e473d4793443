#include "app/unhide_keys.h"

namespace tindlow {

bool pollUnhideKeys(KeyPoll& keys, std::int32_t tickCounter, std::int32_t& step,
                    std::int32_t& deadline) {
    for (int key = 0x21; key <= 0x7F; ++key) {
        if (key == kVkD || key == kVkR) {
            continue;
        }
        if (keys.pressedSinceLastPoll(key)) {
            step = 0;
            deadline = 0;
            break;
        }
    }
    switch (step) {
        case 0:
            if (keys.pressedSinceLastPoll(kVkShift)) {
                step = 1;
                // Presses from before the sequence began must not count.
                keys.pressedSinceLastPoll(kVkShift);
                keys.pressedSinceLastPoll(kVkControl);
                keys.pressedSinceLastPoll(kVkD);
                keys.pressedSinceLastPoll(kVkR);
            }
            return false;
        case 1:
            if (keys.pressedSinceLastPoll(kVkControl)) {
                step = 2;
                deadline = tickCounter + 10;
            }
            return false;
        case 2:
            if (keys.pressedSinceLastPoll(kVkD)) {
                step = 3;
                deadline = tickCounter + 10;
            }
            return false;
        case 3:
            if (keys.pressedSinceLastPoll(kVkR)) {
                step = 0;
                deadline = 0;
                return true;
            }
            return false;
        default:
            step = 0;
            return false;
    }
}

}  // namespace tindlow
