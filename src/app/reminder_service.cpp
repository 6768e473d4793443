#include "app/reminder_service.h"

#include "schedule/reminder_text.h"

namespace tindlow {

void ReminderService::check(bool started) {
    // Closed until start-up is done, while the reminder box is open, and while a loading has
    // rebuilt today's dictionary without its emitted state yet: a tick nested in a box of the
    // loader must not give the day's reminders a second time.
    if (!started || boxOpen_ || events_.loading()) {
        return;
    }
    const LocalTime now = platform_.clock.localTime();
    const DueReminders due =
        collectDueReminders(events_.today(), now, events_.ini().executionLoopPeriod);
    if (due.entries.empty()) {
        return;
    }
    flashing_ = true;
    boxOpen_ = true;

    const ReminderTextContext context{language_.texts(), now};
    const ReminderTexts reminderTexts = composeReminderTexts(due, context);
    for (const std::wstring& line : reminderTexts.lines) {
        log_.log(line);
        lastReminders_.add(line);
    }
    log_.log(dashLine_);
    if (window_.known()) {
        window_.showNormalInFront();
    }

    const int answer = platform_.boxes.show(reminderTexts.boxText, kBoxCaption, due.icon);
    boxOpen_ = false;
    if (answer == 0) {
        // The platform could not show the box: report it; the check stays open, or no reminder
        // would come for the rest of the run.
        feedback_.windowsErrorReport(platform_.boxes.showFailure());
    }

    feedback_.exportAndOpen(kRemindersFileSuffix, reminderTexts.fileText);
    events_.saveReminderState();
}

void ReminderService::flashStep(std::int32_t tick) {
    if (!flashing_) {
        return;
    }
    if (flashCounter_ < INT32_MAX) {
        ++flashCounter_;
    }
    if (flashCounter_ > events_.ini().flashLimit) {
        window_.showNormalInFront();
        flashCounter_ = -1;
        flashing_ = false;
        return;
    }
    window_.flash(tick % 2 == 0);
}

}  // namespace tindlow
