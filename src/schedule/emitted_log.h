#pragma once
#include <string>

#include "model/dictionary.h"
#include "platform/file_system.h"

namespace tindlow {

// The test reminder's key: its state is never written to the emitted reminders log.
inline constexpr const wchar_t* kTestReminderKey = L"[06.11.2018-10:09:27-963303772-775740099]";
inline constexpr const wchar_t* kEmittedFieldSeparator = L"<@@@>";

// One line of the log for an entry: key, remindMatrix, lastOutputSec, then a description.
std::wstring emittedLogLine(const std::wstring& key, const ReminderEntry& entry);

// Rewrites the log from today's dictionary: one line per entry with a reminder bit set, in key
// order. The new content is written beside the old file and swapped in only when complete, so
// a crash or a full disk never leaves a truncated log behind. Answers 0 or the error.
[[nodiscard]] int saveEmittedLog(FileSystem& files, const std::wstring& path,
                                 const Dictionary& today);

// Merges the log into today's dictionary: ORs the saved bits into the entries and keeps the
// later lastOutputSec, but only where a line's reminders were given for the entry's current
// occurrence; the bits of an earlier occurrence (yesterday's, for a daily event) would silence
// the new one. Lines whose last output lies more than the default post-trigger length
// before `nowSec` are dropped from the file, which is then rewritten without them, unless their
// state went back into a current occurrence: that state must survive an end without a save.
// Answers 0, or the error of that rewrite (the file then keeps its lines).
[[nodiscard]] int restoreEmittedLog(FileSystem& files, const std::wstring& path, Dictionary& today,
                                    double nowSec, double defaultPostTrigger);

}  // namespace tindlow
