#pragma once
#include <cstdint>

#include "platform/key_poll.h"

namespace tindlow {

// One tick of the unhide key sequence Shift, Ctrl, D, R, polled while the window is hidden. Any
// other key restarts it; at most one step is taken per tick. Answers true when R completes the
// sequence.
bool pollUnhideKeys(KeyPoll& keys, std::int32_t tickCounter, std::int32_t& step,
                    std::int32_t& deadline);

}  // namespace tindlow
