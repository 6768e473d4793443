// The restore of the emitted reminders log from any bytes into a small today's dictionary. A
// restore only ever adds: it never clears a bit of remindMatrix, never lowers lastOutputSec, never
// touches another field or an entry whose key no line names, and adds nothing more when it runs
// again. The file loses the state of the occurrences that are over (last output and event time
// older than the default post-event period and a day), except the state that went back into a
// current occurrence; it keeps every other state, and is left byte for byte as it was when it loses
// none.

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "fakes/fake_file_system.h"
#include "fuzz_support.h"
#include "model/calendar.h"
#include "model/dictionary.h"
#include "model/lenient_number.h"
#include "schedule/emitted_log.h"
#include "schedule/event_computation.h"

namespace tindlow {
namespace {

const std::wstring kPath = L"C:\\P\\_EmittedReminders\\EmittedReminders.txt";
constexpr LocalTime kNow{2025, 6, 15, 12, 0, 0, 0};
constexpr double kPostTrigger = 259200.0;

ReminderEntry entryOf(const wchar_t* key, const wchar_t* date, RecurrenceKind kind,
                      std::int32_t interval, std::int32_t dayPointer, double dayTime,
                      std::uint32_t matrix, double lastOutputBeforeNow) {
    ReminderEntry entry;
    entry.sKey = key;
    entry.sDate = date;
    entry.sWhat = L"What ";
    entry.sText = L"text";
    entry.incType = kind;
    entry.interval = interval;
    entry.dayPointer = dayPointer;
    entry.dayTime = dayTime;
    entry.preTrigger = 3600.0;
    entry.postTrigger = kPostTrigger;
    entry.repeat = 3;
    computeEvent(entry, DayMonthYear{kNow.day, kNow.month, kNow.year});
    entry.remindMatrix = matrix;
    entry.lastOutputSec = matrix == 0 ? 0.0 : nowSeconds(kNow) - lastOutputBeforeNow;
    return entry;
}

// Daily, single, monthly, weekly and once more daily under a key that ends like a separator.
Dictionary todaysDictionary() {
    Dictionary today;
    const ReminderEntry entries[] = {
        entryOf(L"[k1]", L"01.01.2025", RecurrenceKind::Days, 1, 0, 32400.0, 0b1, 3600.0),
        entryOf(L"[k2]", L"15.06.2025", RecurrenceKind::Single, 2147483647, 0, 64800.0, 0, 0.0),
        entryOf(L"", L"15.01.2025", RecurrenceKind::MonthDay, 1, 15, 0.0, 1u << 30, 7200.0),
        entryOf(L"[k4]", L"02.06.2025", RecurrenceKind::Days, 7, 0, 43200.0, 0, 0.0),
        entryOf(L"a<@@@", L"01.06.2025", RecurrenceKind::Days, 2, 0, 50000.0, 0b110, 60.0),
    };
    for (const ReminderEntry& entry : entries) {
        today.store(entry.sKey, entry);
    }
    return today;
}

// The lines as the restore reads them: LF ends a line, one CR before it is part of the line end,
// and so is one CR that ends the file.
std::vector<std::wstring> linesOf(const std::string& bytes) {
    std::vector<std::wstring> lines;
    std::wstring line;
    for (const char byte : bytes) {
        if (byte == '\n') {
            if (!line.empty() && line.back() == L'\r') {
                line.pop_back();
            }
            lines.push_back(line);
            line.clear();
        } else {
            line.push_back(static_cast<wchar_t>(static_cast<unsigned char>(byte)));
        }
    }
    if (!line.empty() && line.back() == L'\r') {
        line.pop_back();
        lines.push_back(line);
    } else if (!line.empty()) {
        lines.push_back(line);
    }
    return lines;
}

// Whether the state of a record is over and not that of a current occurrence: the restore's
// rule for dropping it, told here from today's entries and the record alone.
bool dropsOut(const GivenReminders::Occurrence& occurrence, const GivenReminders::State& state,
              const Dictionary& today, double nowSec) {
    const double latest = occurrence.eventTimeKnown
                              ? std::max(state.lastOutputSec, state.eventTimeSec)
                              : state.lastOutputSec;
    if (!(nowSec > latest + kPostTrigger + kSecondsPerDay)) {
        return false;
    }
    const ReminderEntry* entry = today.find(occurrence.key);
    if (entry == nullptr) {
        return true;
    }
    if (occurrence.eventTimeKnown) {
        return GivenReminders::centisecondsOf(entry->nextEventTimeSec) !=
               occurrence.eventCentiseconds;
    }
    ReminderEntry then = *entry;
    computeEvent(then, dateOfSeconds(state.lastOutputSec));
    return then.nextEventTimeSec != entry->nextEventTimeSec;
}

// Whether `records` hold the state under the key: all its bits, at a time as late.
bool holds(const GivenReminders& records, const std::wstring& key,
           const GivenReminders::State& state) {
    for (const auto& [occurrence, held] : records.records()) {
        if (occurrence.key == key && (held.matrix & state.matrix) == state.matrix &&
            !(held.lastOutputSec < state.lastOutputSec)) {
            return true;
        }
    }
    return false;
}

bool sameApartFromState(ReminderEntry a, ReminderEntry b) {
    a.remindMatrix = b.remindMatrix;
    a.lastOutputSec = b.lastOutputSec;
    return a.sKey == b.sKey && a.sDate == b.sDate && a.nextEventTimeSec == b.nextEventTimeSec &&
           a.nextAskSec == b.nextAskSec && a.incType == b.incType && a.interval == b.interval &&
           a.dayPointer == b.dayPointer && a.dayTime == b.dayTime && a.preTrigger == b.preTrigger &&
           a.postTrigger == b.postTrigger && a.repeat == b.repeat && a.sWhat == b.sWhat &&
           a.sText == b.sText;
}

}  // namespace
}  // namespace tindlow

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tindlow;
    const std::string bytes(fuzz::bytesOf(data, size));
    FakeFileSystem files;
    files.addFile(kPath, bytes);
    const Dictionary before = todaysDictionary();
    Dictionary today = before;
    const double nowSec = nowSeconds(kNow);

    GivenReminders given;
    FUZZ_CHECK(restoreEmittedLog(files, kPath, today, given, nowSec, kPostTrigger) == 0);

    const std::vector<std::wstring> lines = linesOf(bytes);
    const std::wstring separator = kEmittedFieldSeparator;
    FUZZ_CHECK(today.size() == before.size());
    for (const auto& [key, old] : before) {
        const ReminderEntry* now = today.find(key);
        FUZZ_CHECK(now != nullptr);
        const std::string detail = "key \"" + fuzz::printable(key) + "\"";
        FUZZ_CHECK_MSG((now->remindMatrix & old.remindMatrix) == old.remindMatrix, detail);
        FUZZ_CHECK_MSG(now->lastOutputSec >= old.lastOutputSec, detail);
        FUZZ_CHECK_MSG(sameApartFromState(*now, old), detail);
        if (now->remindMatrix != old.remindMatrix || now->lastOutputSec != old.lastOutputSec) {
            bool named = false;
            for (const std::wstring& line : lines) {
                named = named || line.starts_with(key + separator);
            }
            FUZZ_CHECK_MSG(named, detail);
        }
    }

    // The file keeps the state of every occurrence that is not over, or that went back into a
    // current occurrence, and loses the rest; it is rewritten only when something goes.
    const std::string after = files.fileBytes(kPath).value_or("");
    GivenReminders held;
    readEmittedLog(bytes, held);
    GivenReminders left;
    readEmittedLog(after, left);
    bool dropped = false;
    for (const auto& [occurrence, state] : held.records()) {
        const std::string detail = "key \"" + fuzz::printable(occurrence.key) + "\"";
        if (dropsOut(occurrence, state, today, nowSec)) {
            dropped = true;
            FUZZ_CHECK_MSG(after != bytes, "an outdated state stayed: " + detail);
        } else {
            FUZZ_CHECK_MSG(holds(left, occurrence.key, state), "a state left the file: " + detail);
        }
    }
    for (const auto& [occurrence, state] : left.records()) {
        FUZZ_CHECK_MSG(!dropsOut(occurrence, state, today, nowSec) || after == bytes,
                       "the rewritten file holds an outdated state: key \"" +
                           fuzz::printable(occurrence.key) + "\"");
    }
    FUZZ_CHECK_MSG(after == bytes || dropped, "the file was rewritten, but nothing had to go");

    // A second restore finds nothing more to add and nothing more to drop.
    const Dictionary once = today;
    FUZZ_CHECK(restoreEmittedLog(files, kPath, today, given, nowSec, kPostTrigger) == 0);
    FUZZ_CHECK(files.fileBytes(kPath).value_or("") == after);
    for (const auto& [key, entry] : once) {
        const ReminderEntry* again = today.find(key);
        FUZZ_CHECK(again != nullptr && again->remindMatrix == entry.remindMatrix &&
                   again->lastOutputSec == entry.lastOutputSec);
    }
    return 0;
}
