#pragma once
#include "platform/input_events.h"

namespace tindlow {

class KeyPoll {
  public:
    virtual ~KeyPoll() = default;
    // Whether the key was pressed since the previous poll of it (Shift and Ctrl on either side).
    virtual bool pressedSinceLastPoll(UnhideKey key) = 0;
    // Whether any other key of the printable and navigation range (page up to the last function
    // keys; D and R excepted) was pressed since its previous poll. The keys are polled in
    // ascending order up to the first that reports a press.
    virtual bool otherKeyPressedSinceLastPoll() = 0;
};

}  // namespace tindlow
