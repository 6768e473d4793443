#pragma once
#include <cstddef>
#include <string>

#include "model/dictionary.h"
#include "platform/file_system.h"
#include "schedule/given_reminders.h"

namespace tindlow {

inline constexpr const wchar_t* kEmittedFieldSeparator = L"<@@@>";

// One line of the log for an entry: key, remindMatrix, lastOutputSec, the event time of the
// occurrence the reminders were given for, then a description.
std::wstring emittedLogLine(const std::wstring& key, const ReminderEntry& entry);

// The whole log: one line per occurrence with reminders given, in key order.
std::wstring emittedLogText(const GivenReminders& given);

// Adds the lines of a log to the set. Lines without the field separator are skipped (and
// counted); a line without the event time (written before it was recorded) is taken as well.
std::size_t readEmittedLog(const std::string& bytes, GivenReminders& given);

// Takes today's reminder state into `given`, adds what the file holds, forgets what is outdated
// at `nowSec`, and writes the result. So no save drops the state of an entry that is missing from
// today's dictionary this once (its event file away for one loading), and a save that fails
// loses nothing while the program runs: `given` still holds it. The new content is written
// beside the old file and swapped in only when complete, so a crash or a full disk never leaves
// a truncated log behind. Answers 0 or the error.
[[nodiscard]] int saveEmittedLog(FileSystem& files, const std::wstring& path,
                                 const Dictionary& today, GivenReminders& given,
                                 ProgramSeconds nowSec, double defaultPostTrigger);

// Adds what the file holds to `given`, forgets what is outdated, and gives every entry of today's
// dictionary the state of its current occurrence: bits ORed, the later lastOutputSec kept. A
// record goes back only into the occurrence it was given for, so an edited line whose event moved
// is reminded anew. The file is rewritten when records went as outdated, or when it lacks state
// that `given` holds (a save failed); otherwise it stays byte for byte. Answers 0 or the error of
// that rewrite (the file then keeps its lines).
[[nodiscard]] int restoreEmittedLog(FileSystem& files, const std::wstring& path, Dictionary& today,
                                    GivenReminders& given, ProgramSeconds nowSec,
                                    double defaultPostTrigger);

}  // namespace tindlow
