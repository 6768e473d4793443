#include "schedule/reminder_check.h"

#include "model/calendar.h"
#include "model/text_forms.h"
#include "schedule/event_computation.h"

namespace tindlow {

DueReminders collectDueReminders(Dictionary& today, const LocalTime& now,
                                 std::int32_t executionLoopPeriod) {
    DueReminders due;
    const ProgramSeconds nowSec = nowSeconds(now);
    for (auto& [key, entry] : today) {
        if (entry.nextAskSec > nowSec) {
            continue;
        }
        const std::int32_t answer = evaluateDue(entry, now, executionLoopPeriod);
        if (answer < 0 || answer > kDueAfterEvent) {
            continue;
        }
        // A reminder already given, or one that a later reminder of the same occurrence has
        // passed (the clock was set back, the line's slices were changed): slots are given in
        // the order of time and never afterwards.
        const std::uint32_t bit = 1u << answer;
        if ((entry.remindMatrix >> answer) != 0) {
            continue;
        }
        if (answer == kDueAfterEvent) {
            if (entry.remindMatrix & (1u << kDueAtEvent)) {
                continue;
            }
            due.icon = BoxIcon::Stop;
        } else if (answer == kDueAtEvent && due.icon != BoxIcon::Stop) {
            due.icon = BoxIcon::Exclamation;
        }
        entry.remindMatrix |= bit;
        due.entries.push_back(entry);
        entry.lastOutputSec = nowSec;
    }
    return due;
}

ReminderTexts composeReminderTexts(const DueReminders& due, const ReminderTextContext& context) {
    ReminderTexts texts;
    const bool numbered = due.entries.size() > 1;
    std::int64_t number = 0;
    for (const ReminderEntry& entry : due.entries) {
        const std::wstring prefix = numbered ? intText(++number) + L") " : std::wstring();
        std::wstring line = reminderLine(entry, context);
        texts.fileText += prefix + line + L"\n";
        texts.boxText += prefix + reminderBoxText(entry, context) + L"\n";
        texts.lines.push_back(std::move(line));
    }
    return texts;
}

}  // namespace tindlow
