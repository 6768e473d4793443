#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "model/dictionary.h"
#include "model/text_tables.h"
#include "platform/clipboard.h"
#include "platform/clock.h"
#include "schedule/reminder_check.h"

namespace tindlow {

// Running instances: the numbered lines "1) Tindlow Process ID = 4711", ...
std::vector<std::wstring> runningInstanceLines(const std::vector<std::uint32_t>& ids,
                                               const TextTables& texts);

// The last reminders, newest first: the slot texts as they were logged and the numbered output
// text "1) ...\n2) ...\n". Reading stops at the first empty slot.
struct LastRemindersOutput {
    std::vector<std::wstring> lines;
    std::wstring text;
};
LastRemindersOutput lastRemindersOutput(const LastReminders& ring);

// The box text of a failed clipboard copy; empty for success. Not translated.
std::wstring clipboardFailureText(ClipboardResult result);

// The test reminder's entry: due at once (asked at now + 1, its event at now + 2) and marked as
// the test by its fixed key and by the command text as its file.
ReminderEntry testReminderEntry(ProgramSeconds nowSec, const std::wstring& commandText,
                                const TextTables& texts);

// The date simulation for a date text of the form DD.MM.YYYY: one day scan of the complete
// dictionary for that date at the current time of day. `logLines` are the header (with its line
// end) and the numbered lines, or the note for a day without events; `text` is the report.
struct DateSimulationResult {
    std::wstring text;
    std::vector<std::wstring> logLines;
};
DateSimulationResult dateSimulation(Dictionary& complete, const std::wstring& dateText,
                                    const LocalTime& now, const TextTables& texts);

}  // namespace tindlow
