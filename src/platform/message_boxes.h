#pragma once
#include <cstdint>
#include <string>

namespace tindlow {

enum class BoxIcon { Information, Exclamation, Stop };

// Modal message boxes with an OK button. Timer ticks keep running, nested, while a box is open.
class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    // Answers the value the box returned (0 when it could not be shown).
    virtual int show(const std::wstring& text, const std::wstring& caption, BoxIcon icon) = 0;
    // The system's error code of the last box that could not be shown.
    virtual std::uint32_t showFailure() const = 0;
};

}  // namespace tindlow
