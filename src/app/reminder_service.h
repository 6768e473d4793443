#pragma once
#include <cstdint>
#include <string>

#include "app/event_store.h"
#include "app/feedback.h"
#include "app/language.h"
#include "app/window_presentation.h"
#include "platform/platform.h"
#include "schedule/reminder_check.h"
#include "ui/log_list.h"

namespace tindlow {

// Gives the due reminders: the window to the front and flashing, one box listing them, their
// log lines, the reminders file opened in the editor, the ring of the last reminders and the
// saved state. The check stays closed while its box is open, so a tick nested in the box gives
// nothing twice.
class ReminderService {
  public:
    ReminderService(Platform& platform, LogList& log, const Language& language, Feedback& feedback,
                    EventStore& events, WindowPresentation& window, const std::wstring& dashLine)
        : platform_(platform),
          log_(log),
          language_(language),
          feedback_(feedback),
          events_(events),
          window_(window),
          dashLine_(dashLine) {}

    // One reminder check; `started` is false until start-up has loaded the entries.
    void check(bool started);
    // The tick's flashing step: minimised and normal by turns, then normal in front once the
    // initialization file's number of steps is done.
    void flashStep(std::int32_t tick);
    void startFlashing() { flashing_ = true; }
    bool flashing() const { return flashing_; }
    std::int32_t flashCounter() const { return flashCounter_; }
    const LastReminders& lastReminders() const { return lastReminders_; }

  private:
    Platform& platform_;
    LogList& log_;
    const Language& language_;
    Feedback& feedback_;
    EventStore& events_;
    WindowPresentation& window_;
    const std::wstring& dashLine_;
    bool boxOpen_ = false;
    bool flashing_ = false;
    // Flashing steps taken; -1 before the first.
    std::int32_t flashCounter_ = -1;
    LastReminders lastReminders_;
};

}  // namespace tindlow
