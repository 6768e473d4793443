#pragma once
#include <cstdint>
#include <optional>

#include "platform/key_poll.h"

namespace tindlow {

// The unhide key sequence Shift, Ctrl, D, R, polled once a tick while the window is hidden. Any
// other key restarts it; at most one step is taken per tick, and after Ctrl and after D the next
// key must come within ten ticks.
class UnhideKeys {
  public:
    explicit UnhideKeys(KeyPoll& keys) : keys_(keys) {}

    // One poll; answers true when R completes the sequence.
    bool poll(std::int32_t tick);
    // The tick step: a sequence whose next key did not come in time starts again.
    void expireIfDue(std::int32_t tick);

  private:
    KeyPoll& keys_;
    std::int32_t step_ = 0;  // the keys of the sequence typed so far
    std::optional<std::int32_t> deadline_;
};

}  // namespace tindlow
