#include "app/days_input.h"

#include "model/date_text.h"
#include "model/text_forms.h"
#include "ui/control_ids.h"

namespace tindlow {

namespace {

// A preview takes a typed value only within these limits; anything else keeps the days value.
constexpr std::int32_t kPreviewDaysMin = 1;
constexpr std::int32_t kPreviewDaysMax = 999;

}  // namespace

void DaysInput::showDays() {
    view_.setControlText(ids::kDaysField, intText(days_));
}

void DaysInput::onFocus(std::int32_t tick) {
    view_.setControlText(ids::kDaysField, L"");
    editing_ = true;
    readingTick_ = tick + 10;
}

void DaysInput::onDigitKey(std::int32_t tick) {
    if (editing_) {
        readingTick_ = tick + 6;
    }
}

void DaysInput::readIfDue(std::int32_t tick) {
    if (readingTick_ != tick) {
        return;
    }
    const std::wstring field = view_.controlText(ids::kDaysField);
    const std::optional<std::int32_t> days = validateDaysField(field, log_, language_.texts());
    if (days && *days > 0) {
        days_ = *days;
    } else if (!checkDateText(field)) {
        // A date stays in the field for the date simulation; anything else shows the value.
        showDays();
    }
    editing_ = false;
    readingTick_.reset();
    view_.setFocus(ids::kLogList);
}

void DaysInput::takeTypedDays() {
    const std::optional<std::int32_t> typed =
        validateDaysField(view_.controlText(ids::kDaysField), log_, language_.texts());
    if (typed && *typed >= kPreviewDaysMin && *typed <= kPreviewDaysMax) {
        days_ = *typed;
    }
}

std::optional<std::wstring> DaysInput::typedDate() const {
    return checkDateText(view_.controlText(ids::kDaysField));
}

}  // namespace tindlow
