#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "input/key_lookup.h"
#include "input/network_path.h"
#include "model/dictionary.h"
#include "model/error_boxes.h"
#include "model/log_sink.h"
#include "model/text_tables.h"
#include "platform/clock.h"
#include "platform/file_system.h"

namespace tindlow {

// Told what a loading makes of each data line, so that a check can list every problem with its
// file and line. The window's loadings have none.
class LoadObserver {
  public:
    virtual ~LoadObserver() = default;
    // A line that became an entry, as it is stored.
    virtual void entryRead(const std::wstring& path, std::size_t lineNumber,
                           const ReminderEntry& entry) = 0;
    // The text of a box the loading shows for the line: an interval column it refuses, or trigger
    // periods it shortens.
    virtual void lineProblem(const std::wstring& path, std::size_t lineNumber,
                             const std::wstring& text) = 0;
};

// Everything one loading reads and writes. `now` is taken once when the loading starts, so
// every entry of one loading is computed for the same day.
struct EventInput {
    const FileSystem& files;
    LogSink& log;
    ErrorBoxes& errorBoxes;
    const TextTables& texts;
    Dictionary& complete;
    Dictionary& today;
    LocalTime now;
    double defaultPostTrigger = 259200.0;
    std::int32_t executionLoopPeriod = 1;
    std::wstring dashLine;
    LoadObserver* observer = nullptr;
};

// The file lists of the three event directories, kept until the next loading.
struct EventFileLists {
    std::vector<std::wstring> singleEvents;
    std::vector<std::wstring> periodicEvents;
    std::vector<std::wstring> networkEvents;
};

// Reads one event file into the dictionaries. With a lookup, nothing but the not-found message
// is logged and the record is filled when its key is met.
void readEventFile(EventInput& input, const std::wstring& path, KeyLookup* lookup);
// The same, leaving the entries staged in the dictionaries: a loading of many files commits
// them all at once when it ends.
void stageEventFile(EventInput& input, const std::wstring& path, KeyLookup* lookup);

// Fills `names` with the names of the directory's files that qualify for the extension (".csv"
// exactly, or ".*" for every name longer than four characters), sorted ascending without regard
// to case; answers their number.
int listFiles(const FileSystem& files, const std::wstring& directory, const std::wstring& extension,
              std::vector<std::wstring>& names);

// Clears both dictionaries and reads every event file of _SingleEvents, _PeriodicEvents and the
// network path (when set); moves the network path state to 2 and 3 as it reaches it.
void loadEventFiles(EventInput& input, const std::wstring& singleEventsDirectory,
                    const std::wstring& periodicEventsDirectory, const std::wstring& networkPath,
                    NetworkPathState& networkPathState, EventFileLists& lists, KeyLookup* lookup);

}  // namespace tindlow
