#include "schedule/reminder_text.h"

#include <bit>

#include "model/text_forms.h"

namespace tindlow {

void replaceAll(std::wstring& text, const std::wstring& placeholder, const std::wstring& value) {
    if (placeholder.empty()) {
        return;
    }
    std::wstring result;
    std::size_t from = 0;
    for (std::size_t at = text.find(placeholder); at != std::wstring::npos;
         at = text.find(placeholder, from)) {
        result.append(text, from, at - from);
        result += value;
        from = at + placeholder.size();
    }
    if (from == 0) {
        return;
    }
    result.append(text, from, std::wstring::npos);
    text = std::move(result);
}

namespace {

void fillPlaceholders(std::wstring& text, const ReminderEntry& entry,
                      const ReminderTextContext& context) {
    const DayMonthYear input = parseDateText(entry.sDate);
    const std::int64_t referenceYear =
        context.previewMode ? context.cursorDate.year : context.now.year;
    replaceAll(text, L"%diff", intText(referenceYear - input.year));
    replaceAll(text, L"%dat", formatDate(input));
    replaceAll(text, L"%tim", formatTimeOfDay(entry.dayTime));
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
