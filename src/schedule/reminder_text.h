#pragma once
#include <string>

#include "model/calendar.h"
#include "model/reminder_entry.h"
#include "model/text_tables.h"
#include "platform/clock.h"

namespace tindlow {

// What the reminder texts depend on besides the entry: the language, the current local time
// and, while a preview, look-back or date simulation runs, the date under scan.
struct ReminderTextContext {
    const TextTables& texts;
    LocalTime now;
    bool previewMode = false;
    DayMonthYear cursorDate{1, 1, 1901};
};

// The long form: title and text, input date, trigger date, total of reminders given, file, row
// and key, with %diff, %dat and %tim filled in over the whole line.
std::wstring reminderLine(const ReminderEntry& entry, const ReminderTextContext& context);
// The same, appended to `out`: a preview builds millions of lines in one buffer.
void appendReminderLine(std::wstring& out, const ReminderEntry& entry,
                        const ReminderTextContext& context);

// The short form shown in the reminder box: title and text only.
std::wstring reminderBoxText(const ReminderEntry& entry, const ReminderTextContext& context);

}  // namespace tindlow
