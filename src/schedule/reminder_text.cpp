#include "schedule/reminder_text.h"

#include <bit>

#include "model/text_forms.h"
#include "model/text_replace.h"

namespace tindlow {

namespace {

void fillPlaceholders(std::wstring& text, const ReminderEntry& entry,
                      const ReminderTextContext& context) {
    const DayMonthYear input = parseDateText(entry.sDate);
    const std::int64_t referenceYear =
        context.previewMode ? context.cursorDate.year : context.now.year;
    text = replacedAll(text, L"%diff", intText(referenceYear - input.year));
    text = replacedAll(text, L"%dat", formatDate(input));
    text = replacedAll(text, L"%tim", formatTimeOfDay(entry.dayTime));
}

}  // namespace

std::wstring reminderLine(const ReminderEntry& entry, const ReminderTextContext& context) {
    const auto& m = context.texts.messages;
    std::wstring line = m[msg::kEvent] + L": " + entry.sWhat + entry.sText;
    line += L" [" + m[msg::kInputDate] + entry.sDate + L"]";
    if (context.previewMode) {
        line += L" [" + m[msg::kTriggerDate] + formatDateTime(entry.triggerEventTimeSec) + L"]";
    } else {
        line += L" [" + m[msg::kTriggerDate] + nowStamp(context.now, L" ", L":") + L"] [Total: " +
                intText(std::popcount(entry.remindMatrix)) + L" Reminder]";
    }
    line += L" [" + m[msg::kFileLabel] + entry.sFile + L"] [" + m[msg::kLineLabel] +
            entry.sRowNumber + L"] [Key: " + entry.sKey + L"]";
    fillPlaceholders(line, entry, context);
    return line;
}

std::wstring reminderBoxText(const ReminderEntry& entry, const ReminderTextContext& context) {
    std::wstring text = context.texts.messages[msg::kEvent] + L": " + entry.sWhat + entry.sText;
    fillPlaceholders(text, entry, context);
    return text;
}

}  // namespace tindlow
