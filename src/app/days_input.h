#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "app/language.h"
#include "platform/view.h"
#include "ui/log_list.h"

namespace tindlow {

// The days field: the number of days the previews cover, typed by the user (or a date for the
// date simulation). A number typed is taken a few ticks after the last digit, when the field
// loses interest, or at the next preview.
class DaysInput {
  public:
    DaysInput(View& view, LogList& log, const Language& language)
        : view_(view), log_(log), language_(language) {}

    std::int32_t days() const { return days_; }
    void setDays(std::int32_t days) { days_ = days; }
    // Shows the days value in the field.
    void showDays();

    // The field got the focus: it is emptied for typing, and read again in ten ticks.
    void onFocus(std::int32_t tick);
    // A digit typed while editing puts the reading off to six ticks from now.
    void onDigitKey(std::int32_t tick);
    // The tick step: reads the field when its reading is due.
    void readIfDue(std::int32_t tick);
    // Before a preview: takes a typed number of days within the preview limits.
    void takeTypedDays();
    // The date typed into the field for the date simulation, when it has the form DD.MM.YYYY.
    std::optional<std::wstring> typedDate() const;

    bool editing() const { return editing_; }
    std::optional<std::int32_t> readingTick() const { return readingTick_; }

  private:
    View& view_;
    LogList& log_;
    const Language& language_;
    std::int32_t days_ = 11;
    bool editing_ = false;
    std::optional<std::int32_t> readingTick_;
};

}  // namespace tindlow
