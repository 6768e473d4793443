#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/dictionary.h"
#include "platform/message_boxes.h"
#include "schedule/reminder_text.h"

namespace tindlow {

// The texts of the last 256 reminders, written in a ring with a one-byte index.
struct LastReminders {
    std::array<std::wstring, 256> texts;
    std::uint8_t writeIndex = 0;

    void add(const std::wstring& text) { texts[writeIndex++] = text; }
};

// The reminders that fall due in one run of the check, in key order, with the icon of their box.
struct DueReminders {
    std::vector<ReminderEntry> entries;  // copies with their new remindMatrix
    BoxIcon icon = BoxIcon::Information;
};

// Asks every entry of today's dictionary whose time to be looked at has come, marks each
// reminder that falls due in its remindMatrix and lastOutputSec, and answers the due copies.
// At most one reminder per pre-event slot, one at the event time, and one afterwards only when
// the event-time reminder was missed.
DueReminders collectDueReminders(Dictionary& today, const LocalTime& now,
                                 std::int32_t executionLoopPeriod);

// The texts of one run: the reminders file and the box list each line numbered "1) ", "2) ", ...
// when more than one is due; the log lines are the plain reminder lines.
struct ReminderTexts {
    std::wstring fileText;
    std::wstring boxText;
    std::vector<std::wstring> lines;
};

ReminderTexts composeReminderTexts(const DueReminders& due, const ReminderTextContext& context);

inline constexpr const wchar_t* kRemindersFileSuffix = L" Reminders.txt";

}  // namespace tindlow
