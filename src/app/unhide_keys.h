#pragma once
#include <cstdint>

#include "platform/key_poll.h"

namespace tindlow {

inline constexpr int kVkShift = 0x10;
inline constexpr int kVkControl = 0x11;
inline constexpr int kVkD = 0x44;
inline constexpr int kVkR = 0x52;

// One tick of the unhide key sequence Shift, Ctrl, D, R, polled while the window is hidden. Any
// other key of 0x21..0x7F restarts it; at most one step is taken per tick. Answers true when
// R completes the sequence.
bool pollUnhideKeys(KeyPoll& keys, std::int32_t tickCounter, std::int32_t& step,
                    std::int32_t& deadline);

}  // namespace tindlow
