// The reminder check's output: the window to the front and flashing, one box listing the due
// reminders, log lines, the reminders file opened in the editor, the ring and the saved state.
#include "app/tindlow_dlg.h"
#include "model/error_boxes.h"
#include "schedule/reminder_check.h"

namespace tindlow {

void CTindlowDlg::runReminderCheck() {
    // Closed until start-up is done, while the reminder box is open, and while a loading has
    // rebuilt today's dictionary without its emitted state yet: a tick nested in a box of the
    // loader must not give the day's reminders a second time.
    if (!state_.firstPaintDone || reminderBoxGuard_ == 0 || loading_) {
        return;
    }
    const LocalTime now = platform_.clock.localTime();
    const DueReminders due = collectDueReminders(today_, now, state_.ini.executionLoopPeriod);
    if (due.entries.empty()) {
        return;
    }
    state_.flashing = true;
    reminderBoxGuard_ = 0;

    const ReminderTextContext context{texts_, now};
    const ReminderTexts reminderTexts = composeReminderTexts(due, context);
    for (const std::wstring& line : reminderTexts.lines) {
        log_.log(line);
        lastReminders_.add(line);
    }
    log_.log(state_.dashLine);
    if (state_.windowKnown) {
        showNormalInFront();
    }

    const int answer = platform_.boxes.show(reminderTexts.boxText, kBoxCaption, due.icon);
    if (answer == 0) {
        // The platform could not show the box: report it and keep the check open, or no
        // reminder would come for the rest of the run.
        windowsErrorReport(platform_.boxes.showFailure());
        reminderBoxGuard_ = -1;
    } else {
        reminderBoxGuard_ = answer;
    }

    exportAndOpen(kRemindersFileSuffix, reminderTexts.fileText);
    saveEmittedReminders();
}

}  // namespace tindlow
