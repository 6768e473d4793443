#include "schedule/reminder_text.h"

#include <bit>
#include <string_view>

#include "model/text_forms.h"

namespace tindlow {

namespace {

bool startsWithAt(const std::wstring& text, std::size_t at, std::wstring_view word) {
    return text.compare(at, word.size(), word) == 0;
}

// Fills %diff (years between the date text and the reference year), %dat (the date text as
// DD.MM.YYYY) and %tim (the time of day) into text[from..], in one pass from left to right.
// Every placeholder starts with "%" and no filled-in value holds one, so this is the same as
// replacing all of each in turn, and a line without "%" is left as it is.
void fillPlaceholders(std::wstring& text, std::size_t from, const ReminderEntry& entry,
                      const ReminderTextContext& context) {
    const std::size_t first = text.find(L'%', from);
    if (first == std::wstring::npos) {
        return;
    }
    const std::wstring rest = text.substr(first);
    text.resize(first);
    const DayMonthYear input = parseDateText(entry.sDate);
    const std::int64_t referenceYear =
        context.previewMode ? context.cursorDate.year : context.now.year;
    for (std::size_t at = 0; at < rest.size();) {
        if (rest[at] == L'%' && startsWithAt(rest, at, L"%diff")) {
            appendIntText(text, referenceYear - input.year);
            at += 5;
        } else if (rest[at] == L'%' && startsWithAt(rest, at, L"%dat")) {
            appendDate(text, input);
            at += 4;
        } else if (rest[at] == L'%' && startsWithAt(rest, at, L"%tim")) {
            appendTimeOfDay(text, entry.dayTime);
            at += 4;
        } else {
            text += rest[at];
            ++at;
        }
    }
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
        appendDateTime(line, entry.triggerEventTimeSec);
        line.append(L"]");
    } else {
        line.append(nowStamp(context.now, L" ", L":"))
            .append(L"] [Total: ")
            .append(intText(std::popcount(entry.remindMatrix)))
            .append(L" Reminder]");
    }
    line.append(L" [").append(m[msg::kFileLabel]).append(entry.sFile);
    line.append(L"] [").append(m[msg::kLineLabel]).append(entry.sRowNumber);
    line.append(L"] [Key: ").append(entry.sKey).append(L"]");
    // The placeholders are filled over this line only.
    fillPlaceholders(line, start, entry, context);
}

std::wstring reminderLine(const ReminderEntry& entry, const ReminderTextContext& context) {
    std::wstring line;
    appendReminderLine(line, entry, context);
    return line;
}

std::wstring reminderBoxText(const ReminderEntry& entry, const ReminderTextContext& context) {
    std::wstring text = context.texts.messages[msg::kEvent] + L": " + entry.sWhat + entry.sText;
    fillPlaceholders(text, 0, entry, context);
    return text;
}

}  // namespace tindlow
