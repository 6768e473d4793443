#pragma once
#include <cstdint>
#include <string>

#include "platform/message_boxes.h"

namespace tindlow {

inline constexpr const wchar_t* kBoxCaption = L"Tindlow";

// Error boxes that report bad input share one budget per run: only the first five are shown,
// later ones are dropped silently (the work they report on still happens). A program without a
// window that collects the boxes instead of showing them has no budget.
class ErrorBoxes {
  public:
    static constexpr std::int32_t kShownPerRun = 5;
    static constexpr std::int32_t kUnlimited = INT32_MAX;

    ErrorBoxes(MessageBoxes& boxes, std::int32_t& counter, std::int32_t budget = kShownPerRun)
        : boxes_(boxes), counter_(counter), budget_(budget) {}

    // Answers whether the box was shown.
    bool showCounted(const std::wstring& text, BoxIcon icon = BoxIcon::Exclamation) {
        if (counter_ < INT32_MAX) {
            ++counter_;
        }
        if (budget_ != kUnlimited && counter_ > budget_) {
            return false;
        }
        boxes_.show(text, kBoxCaption, icon);
        return true;
    }

  private:
    MessageBoxes& boxes_;
    std::int32_t& counter_;
    std::int32_t budget_;
};

}  // namespace tindlow
