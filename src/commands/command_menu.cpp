#include "commands/command_menu.h"

#include "model/text_forms.h"
#include "reports/event_preview.h"
#include "schedule/emitted_log.h"

namespace tindlow {

std::vector<std::wstring> runningInstanceLines(const std::vector<std::uint32_t>& ids,
                                               const TextTables& texts) {
    std::vector<std::wstring> lines;
    lines.reserve(ids.size());
    std::int64_t number = 0;
    for (std::uint32_t id : ids) {
        lines.push_back(intText(++number) + L") " + texts.messages[msg::kProcessId] + intText(id));
    }
    return lines;
}

LastRemindersOutput lastRemindersOutput(const LastReminders& ring) {
    LastRemindersOutput output;
    const std::size_t size = ring.texts.size();
    for (std::size_t i = 1; i <= size; ++i) {
        const std::wstring& slot = ring.texts[(ring.writeIndex + size - i) % size];
        if (slot.empty()) {
            break;
        }
        output.lines.push_back(slot);
        output.text += intText(static_cast<std::int64_t>(i)) + L") " + slot + L"\n";
    }
    return output;
}

std::wstring clipboardFailureText(ClipboardResult result) {
    switch (result) {
        case ClipboardResult::Ok:
            return std::wstring();
        case ClipboardResult::OpenFailed:
            return L"Cannot open the clipboard";
        case ClipboardResult::EmptyFailed:
            return L"Cannot empty the clipboard";
        case ClipboardResult::AllocFailed:
        case ClipboardResult::SetFailed:
            break;
    }
    return L"Unable to insert clipboard data";
}

ReminderEntry testReminderEntry(ProgramSeconds nowSec, const std::wstring& commandText,
                                const TextTables& texts) {
    ReminderEntry entry;
    entry.sKey = kTestReminderKey;
    entry.sWhat = texts.messages[msg::kTestReminder];
    entry.sDate = L"09.09.1928";
    entry.sTime = L"0.5";
    entry.sPretrigg = L"1440";
    entry.sRepeat = L"1";
    entry.sInterval = L"365";
    entry.sRowNumber = L"-";
    entry.sFile = commandText;
    entry.repeat = 1;
    entry.interval = 1;
    entry.incType = RecurrenceKind::Years;
    // The texts above are not turned into numbers: the entry falls due by these two times.
    entry.nextAskSec = nowSec + 1.0;
    entry.nextEventTimeSec = nowSec + 2.0;
    return entry;
}

DateSimulationResult dateSimulation(Dictionary& complete, const std::wstring& dateText,
                                    const LocalTime& now, const TextTables& texts) {
    const DayMonthYear date = parseDateText(dateText);
    const SecondsOfDay time = secondsOfDay(now);
    const ScanDay day{momentOf(dayNumberOf(date.day, date.month, date.year), time), time};
    std::vector<std::wstring> found;
    scanDay(complete, day, std::wstring(), texts, now, found);

    DateSimulationResult result;
    const std::wstring header = texts.messages[msg::kDateSimulation] + dateText + L"\n";
    result.text = header;
    result.logLines.push_back(header);
    if (found.empty()) {
        result.text += texts.messages[msg::kNoEventsOnSimulatedDay];
        result.logLines.push_back(texts.messages[msg::kNoEventsOnSimulatedDay]);
        return result;
    }
    appendNumberedLines(found, result.text, result.logLines);
    return result;
}

}  // namespace tindlow
