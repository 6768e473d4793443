#pragma once
#include <cstdint>
#include <optional>

#include "app/feedback.h"
#include "platform/file_system.h"

namespace tindlow {

// The pop-up signal: a file that every running instance watches; while it exists, each one
// shows its window normally in front. The instance that gives it removes it some ticks later.
class PopupSignal {
  public:
    PopupSignal(FileSystem& files, Feedback& feedback) : files_(files), feedback_(feedback) {}

    void give(std::int32_t tick);
    bool present() const;
    // The tick step: removes the signal this instance gave once its time is up.
    void removeIfDue(std::int32_t tick);
    // Removes any signal, given by this instance or left by another.
    void remove();
    std::optional<std::int32_t> removalTick() const { return removalTick_; }

  private:
    FileSystem& files_;
    Feedback& feedback_;
    std::optional<std::int32_t> removalTick_;
};

}  // namespace tindlow
