#pragma once

namespace tindlow {

class KeyPoll {
public:
    virtual ~KeyPoll() = default;
    // Whether the key was pressed since the previous poll of it.
    virtual bool pressedSinceLastPoll(int virtualKey) = 0;
};

}  // namespace tindlow
