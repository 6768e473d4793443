#include "schedule/reminder_text.h"

#include <bit>

#include "model/text_forms.h"
#include "model/text_replace.h"

namespace tindlow {

namespace {

void fillPlaceholders(std::wstring& text, const ReminderEntry& entry,
                      const ReminderTextContext& context) {
    // Every placeholder starts with "%": most lines have none, and a preview makes a line for
    // every day an entry falls on.
    if (text.find(L'%') == std::wstring::npos) {
        return;
    }
    const DayMonthYear input = parseDateText(entry.sDate);
    const std::int64_t referenceYear =
        context.previewMode ? context.cursorDate.year : context.now.year;
    text = replacedAll(text, L"%diff", intText(referenceYear - input.year));
    text = replacedAll(text, L"%dat", formatDate(input));
    text = replacedAll(text, L"%tim", formatTimeOfDay(entry.dayTime));
}

}  // namespace

void appendReminderLine(std::wstring& line, const ReminderEntry& entry,
                        const ReminderTextContext& context) {
    const auto& m = context.texts.messages;
    const std::size_t start = line.size();
    line.reserve(start + entry.sWhat.size() + entry.sText.size() + entry.sDate.size() +
                 entry.sFile.size() + entry.sRowNumber.size() + entry.sKey.size() + 160);
    line.append(m[msg::kEvent]).append(L": ").append(entry.sWhat).append(entry.sText);
    line.append(L" [").append(m[msg::kInputDate]).append(entry.sDate).append(L"]");
    line.append(L" [").append(m[msg::kTriggerDate]);
    if (context.previewMode) {
        line.append(formatDateTime(entry.triggerEventTimeSec)).append(L"]");
    } else {
        line.append(nowStamp(context.now, L" ", L":"))
            .append(L"] [Total: ")
            .append(intText(std::popcount(entry.remindMatrix)))
            .append(L" Reminder]");
    }
    line.append(L" [").append(m[msg::kFileLabel]).append(entry.sFile);
    line.append(L"] [").append(m[msg::kLineLabel]).append(entry.sRowNumber);
    line.append(L"] [Key: ").append(entry.sKey).append(L"]");
    // The placeholders are filled over this line only; most lines have none.
    if (line.find(L'%', start) != std::wstring::npos) {
        std::wstring own = line.substr(start);
        fillPlaceholders(own, entry, context);
        line.resize(start);
        line += own;
    }
}

std::wstring reminderLine(const ReminderEntry& entry, const ReminderTextContext& context) {
    std::wstring line;
    appendReminderLine(line, entry, context);
    return line;
}

std::wstring reminderBoxText(const ReminderEntry& entry, const ReminderTextContext& context) {
    std::wstring text = context.texts.messages[msg::kEvent] + L": " + entry.sWhat + entry.sText;
    fillPlaceholders(text, entry, context);
    return text;
}

}  // namespace tindlow
