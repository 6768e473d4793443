#pragma once
#include <cstdint>
#include <string>

#include "platform/message_boxes.h"

namespace tindlow {

inline constexpr const wchar_t* kBoxCaption = L"Tindlow";

// Error boxes that report bad input share one budget per run: only the first five are shown,
// later ones are dropped silently (the work they report on still happens).
class ErrorBoxes {
  public:
    ErrorBoxes(MessageBoxes& boxes, std::int32_t& counter) : boxes_(boxes), counter_(counter) {}

    // Answers whether the box was shown.
    bool showCounted(const std::wstring& text, BoxIcon icon = BoxIcon::Exclamation) {
        if (counter_ < INT32_MAX) {
            ++counter_;
        }
        if (counter_ > 5) {
            return false;
        }
        boxes_.show(text, kBoxCaption, icon);
        return true;
    }

  private:
    MessageBoxes& boxes_;
    std::int32_t& counter_;
};

}  // namespace tindlow
