#include "app/unhide_keys.h"

namespace tindlow {

bool UnhideKeys::poll(std::int32_t tick) {
    if (keys_.otherKeyPressedSinceLastPoll()) {
        step_ = 0;
        deadline_.reset();
    }
    switch (step_) {
        case 0:
            if (keys_.pressedSinceLastPoll(UnhideKey::Shift)) {
                step_ = 1;
                // Presses from before the sequence began must not count.
                keys_.pressedSinceLastPoll(UnhideKey::Shift);
                keys_.pressedSinceLastPoll(UnhideKey::Ctrl);
                keys_.pressedSinceLastPoll(UnhideKey::D);
                keys_.pressedSinceLastPoll(UnhideKey::R);
            }
            return false;
        case 1:
            if (keys_.pressedSinceLastPoll(UnhideKey::Ctrl)) {
                step_ = 2;
                deadline_ = tick + 10;
            }
            return false;
        case 2:
            if (keys_.pressedSinceLastPoll(UnhideKey::D)) {
                step_ = 3;
                deadline_ = tick + 10;
            }
            return false;
        case 3:
            if (keys_.pressedSinceLastPoll(UnhideKey::R)) {
                step_ = 0;
                deadline_.reset();
                return true;
            }
            return false;
        default:
            step_ = 0;
            return false;
    }
}

void UnhideKeys::expireIfDue(std::int32_t tick) {
    if (deadline_ == tick) {
        step_ = 0;
        deadline_.reset();
    }
}

}  // namespace tindlow
