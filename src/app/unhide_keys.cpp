#include "app/unhide_keys.h"

namespace tindlow {

bool pollUnhideKeys(KeyPoll& keys, std::int32_t tickCounter, std::int32_t& step,
                    std::int32_t& deadline) {
    if (keys.otherKeyPressedSinceLastPoll()) {
        step = 0;
        deadline = 0;
    }
    switch (step) {
        case 0:
            if (keys.pressedSinceLastPoll(UnhideKey::Shift)) {
                step = 1;
                // Presses from before the sequence began must not count.
                keys.pressedSinceLastPoll(UnhideKey::Shift);
                keys.pressedSinceLastPoll(UnhideKey::Ctrl);
                keys.pressedSinceLastPoll(UnhideKey::D);
                keys.pressedSinceLastPoll(UnhideKey::R);
            }
            return false;
        case 1:
            if (keys.pressedSinceLastPoll(UnhideKey::Ctrl)) {
                step = 2;
                deadline = tickCounter + 10;
            }
            return false;
        case 2:
            if (keys.pressedSinceLastPoll(UnhideKey::D)) {
                step = 3;
                deadline = tickCounter + 10;
            }
            return false;
        case 3:
            if (keys.pressedSinceLastPoll(UnhideKey::R)) {
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
