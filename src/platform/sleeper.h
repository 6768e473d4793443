#pragma once

namespace tindlow {

class Sleeper {
  public:
    virtual ~Sleeper() = default;
    virtual void sleepMilliseconds(int milliseconds) = 0;
};

}  // namespace tindlow
