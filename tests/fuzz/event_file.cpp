// An event file in the program directory of an in-memory file system, loaded as the dialog loads
// it, then everything the program does with the entries of one day. The header line, which the
// reader skips, may begin with the day of the loading as "DD.MM.YYYY hh:mm:ss" (otherwise
// 15.06.2025 12:00:00).
//
// - The dictionaries hold what the lines gave, the later line of a key winning, and a second
//   loading into the same dictionaries (the reload, which reuses their storage) gives them again;
//   no key holds the log's field separator or is the test reminder's; the key lookup finds every
//   key.
// - The reminder check gives each slot of an entry at most once, the pre-event slots in their
//   order, and the reminder after the event only when the one at the event was missed.
// - A short preview and look-back give the report of a scan of every day.
// - Every reminder text has its placeholders filled.
// - The emitted reminders log: a restore never clears a bit or lowers a last output; a save
//   and a restore into the entries without their state give back the state of every entry whose
//   occurrence is the one of its last output.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "fakes/fake_clock.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_message_boxes.h"
#include "fakes/recording_log.h"
#include "fuzz_support.h"
#include "input/event_input.h"
#include "model/calendar.h"
#include "model/date_text.h"
#include "model/dictionary.h"
#include "model/error_boxes.h"
#include "model/lenient_number.h"
#include "model/text_forms.h"
#include "model/text_tables.h"
#include "reports/event_preview.h"
#include "reports/literal_day_scan.h"
#include "schedule/emitted_log.h"
#include "schedule/event_computation.h"
#include "schedule/reminder_check.h"
#include "schedule/reminder_text.h"

namespace tindlow {
namespace {

const std::wstring kSingleEvents = L"C:\\P\\_SingleEvents\\";
const std::wstring kPeriodicEvents = L"C:\\P\\_PeriodicEvents\\";
const std::wstring kEventFile = L"C:\\P\\_SingleEvents\\Fuzz.csv";
const std::wstring kLogFile = L"C:\\P\\_EmittedReminders\\EmittedReminders.txt";
constexpr double kPostTrigger = 259200.0;

LocalTime loadingTime(std::string_view bytes) {
    LocalTime now{2025, 6, 15, 12, 0, 0, 0};
    const std::wstring header = fuzz::byteText(bytes.substr(0, 19));
    if (header.size() < 10 || !checkDateText(header.substr(0, 10))) {
        return now;
    }
    const DayMonthYear date = parseDateText(header.substr(0, 10));
    if (date.year < 1901 || date.year > 2999 || date.month < 1 || date.month > 12 || date.day < 1 ||
        date.day > monthLength(date.month, date.year)) {
        return now;
    }
    now.day = date.day;
    now.month = date.month;
    now.year = date.year;
    if (header.size() == 19 && header[10] == L' ' && header[13] == L':' && header[16] == L':') {
        now.hour = leadingInt(header.substr(11, 2)) % 24;
        now.minute = leadingInt(header.substr(14, 2)) % 60;
        now.second = leadingInt(header.substr(17, 2)) % 60;
    }
    return now;
}

bool same(double a, double b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

bool sameEntry(const ReminderEntry& a, const ReminderEntry& b) {
    return a.sKey == b.sKey && a.sWhat == b.sWhat && a.sText == b.sText && a.sDate == b.sDate &&
           a.sTime == b.sTime && a.sPretrigg == b.sPretrigg && a.sRepeat == b.sRepeat &&
           a.sInterval == b.sInterval && a.sRowNumber == b.sRowNumber && a.sFile == b.sFile &&
           same(a.dayTime, b.dayTime) && same(a.preTrigger, b.preTrigger) &&
           same(a.postTrigger, b.postTrigger) && same(a.nextAskSec, b.nextAskSec) &&
           same(a.nextEventTimeSec, b.nextEventTimeSec) &&
           same(a.triggerEventTimeSec, b.triggerEventTimeSec) &&
           same(a.lastOutputSec, b.lastOutputSec) && a.repeat == b.repeat &&
           a.interval == b.interval && a.incType == b.incType && a.dayPointer == b.dayPointer &&
           a.remindMatrix == b.remindMatrix;
}

void checkSameDictionary(const Dictionary& actual,
                         const std::map<std::wstring, ReminderEntry>& expected, const char* what) {
    FUZZ_CHECK_MSG(actual.size() == expected.size(),
                   std::string(what) + ": " + std::to_string(actual.size()) + " entries, " +
                       std::to_string(expected.size()) + " expected");
    auto it = expected.begin();
    for (const auto& [key, entry] : actual) {
        FUZZ_CHECK_MSG(key == it->first && sameEntry(entry, it->second),
                       std::string(what) + ": key \"" + fuzz::printable(key) + "\"");
        FUZZ_CHECK(actual.find(key) == &entry);
        ++it;
    }
}

// Every entry the reader made, in the order of the lines.
class ReadEntries : public LoadObserver {
  public:
    void entryRead(const std::wstring&, std::size_t, const ReminderEntry& entry) override {
        entries.push_back(entry);
    }
    void lineProblem(const std::wstring&, std::size_t, const std::wstring& text) override {
        FUZZ_CHECK(!text.empty());
    }
    std::vector<ReminderEntry> entries;
};

struct Loading {
    explicit Loading(const FileSystem& files, const LocalTime& now, Dictionary& complete,
                     Dictionary& today)
        : input{files, log,          errorBoxes, englishTables(), complete, today,
                now,   kPostTrigger, 2,          L"----"} {}

    RecordingLog log;
    FakeMessageBoxes boxes;
    std::int32_t counter = 0;
    ErrorBoxes errorBoxes{boxes, counter};
    ReadEntries read;
    EventInput input;
};

void load(const FileSystem& files, const LocalTime& now, Dictionary& complete, Dictionary& today,
          std::vector<ReminderEntry>* entries) {
    Loading loading(files, now, complete, today);
    loading.input.observer = &loading.read;
    NetworkPathState state = NetworkPathState::None;
    EventFileLists lists;
    loadEventFiles(loading.input, kSingleEvents, kPeriodicEvents, L"", state, lists, nullptr);
    if (entries != nullptr) {
        *entries = loading.read.entries;
    }
}

void checkLoading(const FakeFileSystem& files, const LocalTime& now, Dictionary& complete,
                  Dictionary& today) {
    std::vector<ReminderEntry> entries;
    load(files, now, complete, today, &entries);
    std::map<std::wstring, ReminderEntry> expectedComplete;
    std::map<std::wstring, ReminderEntry> expectedToday;
    for (const ReminderEntry& entry : entries) {
        // The log keeps no state for these keys: their reminders would come again at every
        // reload.
        FUZZ_CHECK_MSG(entry.sKey.find(kEmittedFieldSeparator) == std::wstring::npos &&
                           entry.sKey != kTestReminderKey,
                       fuzz::printable(entry.sKey));
        expectedComplete.insert_or_assign(entry.sKey, entry);
        if (todayTest(entry, now) == kRemindPeriodToday) {
            expectedToday.insert_or_assign(entry.sKey, entry);
        }
    }
    checkSameDictionary(complete, expectedComplete, "complete dictionary");
    checkSameDictionary(today, expectedToday, "today's dictionary");

    // The reload: the same lines into the dictionaries that hold them already.
    load(files, now, complete, today, nullptr);
    checkSameDictionary(complete, expectedComplete, "complete dictionary after a reload");
    checkSameDictionary(today, expectedToday, "today's dictionary after a reload");

    // The lookup of the first and the last key reads the file in the lookup mode.
    if (!expectedComplete.empty()) {
        for (const std::wstring& key :
             {expectedComplete.begin()->first, expectedComplete.rbegin()->first}) {
            Dictionary lookupComplete;
            Dictionary lookupToday;
            Loading loading(files, now, lookupComplete, lookupToday);
            KeyLookup lookup;
            lookup.key = key;
            readEventFile(loading.input, kEventFile, &lookup);
            FUZZ_CHECK_MSG(lookup.found && lookup.foundKey == key, fuzz::printable(key));
            FUZZ_CHECK(lookup.filePath == L"C:\\P\\_SingleEvents\\Fuzz.xlsm");
        }
    }
}

// The reminder check every 20 minutes over a day and a half from the loading's time.
void checkReminderCheck(Dictionary today, const LocalTime& start) {
    FakeClock clock(start);
    for (int step = 0; step < 108; ++step) {
        const LocalTime now = clock.localTime();
        const double nowSec = nowSeconds(now);
        std::map<std::wstring, std::uint32_t> before;
        for (const auto& [key, entry] : today) {
            before[key] = entry.remindMatrix;
        }
        const DueReminders due = collectDueReminders(today, now, 2);
        for (const ReminderEntry& entry : due.entries) {
            const std::uint32_t added = entry.remindMatrix & ~before[entry.sKey];
            const std::string detail = "key \"" + fuzz::printable(entry.sKey) + "\" at " +
                                       fuzz::printable(formatDateTime(nowSec));
            FUZZ_CHECK_MSG(added != 0 && (added & (added - 1)) == 0, detail);
            FUZZ_CHECK_MSG(today.find(entry.sKey)->lastOutputSec == nowSec, detail);
            const std::uint32_t slotBits =
                entry.preTrigger > 0.0 && entry.repeat > 0
                    ? (1u << std::min(entry.repeat, kMaxPreEventSlots)) - 1
                    : 0u;
            FUZZ_CHECK_MSG((added & (slotBits | 3u << kDueAtEvent)) == added, detail);
            FUZZ_CHECK_MSG((entry.remindMatrix & 3u << kDueAtEvent) != 3u << kDueAtEvent, detail);
            // Pre-event slots come in their order: none after it was given before it.
            FUZZ_CHECK_MSG(added > slotBits || (entry.remindMatrix & slotBits) < (added << 1),
                           detail);
        }
        for (const auto& [key, entry] : today) {
            FUZZ_CHECK((entry.remindMatrix & before[key]) == before[key]);
        }
        clock.advanceSeconds(1200);
    }
}

void checkPreview(const Dictionary& complete, const LocalTime& now) {
    for (const bool lookBack : {false, true}) {
        Dictionary fast = complete;
        Dictionary literalCopy = complete;
        const PreviewResult report = eventPreview(fast, now, 4, lookBack, L"", englishTables());
        const PreviewResult expected =
            literal::eventPreview(literalCopy, now, 4, lookBack, L"", englishTables());
        FUZZ_CHECK_MSG(report.reportText == expected.reportText,
                       std::string(lookBack ? "look-back" : "preview") + ":\n" +
                           fuzz::printable(report.reportText) + "\nexpected:\n" +
                           fuzz::printable(expected.reportText));
        FUZZ_CHECK(report.logLines == expected.logLines);
        auto it = literalCopy.begin();
        for (const auto& [key, entry] : fast) {
            FUZZ_CHECK_MSG(same(entry.triggerEventTimeSec, it->second.triggerEventTimeSec),
                           fuzz::printable(key));
            ++it;
        }
    }
}

bool holdsPlaceholder(const std::wstring& text) {
    return text.find(L"%diff") != std::wstring::npos || text.find(L"%dat") != std::wstring::npos ||
           text.find(L"%tim") != std::wstring::npos;
}

void checkTexts(const Dictionary& complete, const LocalTime& now) {
    const ReminderTextContext context{englishTables(), now};
    const ReminderTextContext preview{englishTables(), now, true, {29, 2, 2028}};
    for (const auto& [key, entry] : complete) {
        for (const ReminderTextContext* c : {&context, &preview}) {
            const std::wstring line = reminderLine(entry, *c);
            const std::wstring box = reminderBoxText(entry, *c);
            FUZZ_CHECK_MSG(!holdsPlaceholder(line), fuzz::printable(line));
            FUZZ_CHECK_MSG(!holdsPlaceholder(box), fuzz::printable(box));
            FUZZ_CHECK(line.starts_with(L"Event: ") && box.starts_with(L"Event: "));
        }
    }
}

// A state for an entry, made from its key: some bits, and a last output now, a day ago or four
// days ago (then its line is older than the post-event period and leaves the file), but never
// before the first day of the calendar, where no clock time lies.
void giveState(ReminderEntry& entry, double nowSec) {
    std::uint32_t hash = 2166136261u;
    for (const wchar_t c : entry.sKey) {
        hash = (hash ^ static_cast<std::uint32_t>(c)) * 16777619u;
    }
    entry.remindMatrix = hash & 0xC000000Fu;
    const double daysAgo = (hash >> 8) % 3 == 2 ? 4.0 : static_cast<double>((hash >> 8) % 3);
    entry.lastOutputSec = std::max(nowSec - daysAgo * 86400.0, kSecondsPerDay);
}

void checkEmittedLog(FakeFileSystem& files, const Dictionary& today, const LocalTime& now) {
    const double nowSec = nowSeconds(now);
    Dictionary given = today;
    for (auto& [key, entry] : given) {
        giveState(entry, nowSec);
    }
    GivenReminders run;
    FUZZ_CHECK(saveEmittedLog(files, kLogFile, given, run, nowSec, kPostTrigger) == 0);

    // Into the entries with their state: nothing is lost.
    Dictionary kept = given;
    FUZZ_CHECK(restoreEmittedLog(files, kLogFile, kept, run, nowSec, kPostTrigger) == 0);
    for (const auto& [key, entry] : given) {
        const ReminderEntry* after = kept.find(key);
        FUZZ_CHECK(after != nullptr);
        FUZZ_CHECK_MSG((after->remindMatrix & entry.remindMatrix) == entry.remindMatrix &&
                           after->lastOutputSec >= entry.lastOutputSec,
                       fuzz::printable(key));
    }

    // Into the entries of a new loading in a new run: every state comes back, because every
    // entry still has the occurrence it was given for (the test reminder's is never kept).
    FUZZ_CHECK(saveEmittedLog(files, kLogFile, given, run, nowSec, kPostTrigger) == 0);
    Dictionary restored = today;
    GivenReminders nextRun;
    FUZZ_CHECK(restoreEmittedLog(files, kLogFile, restored, nextRun, nowSec, kPostTrigger) == 0);
    for (const auto& [key, entry] : given) {
        const ReminderEntry* after = restored.find(key);
        FUZZ_CHECK(after != nullptr);
        if (entry.remindMatrix == 0 || key == kTestReminderKey) {
            continue;
        }
        FUZZ_CHECK_MSG(after->remindMatrix == entry.remindMatrix &&
                           after->lastOutputSec == entry.lastOutputSec,
                       "key \"" + fuzz::printable(key) + "\": bits " +
                           std::to_string(entry.remindMatrix) + " at " +
                           std::to_string(entry.lastOutputSec) + " saved, " +
                           std::to_string(after->remindMatrix) + " at " +
                           std::to_string(after->lastOutputSec) + " restored");
    }
}

}  // namespace
}  // namespace tindlow

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tindlow;
    const std::string_view bytes = fuzz::bytesOf(data, size);
    const LocalTime now = loadingTime(bytes);
    FakeFileSystem files;
    files.addDirectory(kPeriodicEvents);
    files.addDirectory(L"C:\\P\\_EmittedReminders");
    files.addFile(kEventFile, std::string(bytes));

    Dictionary complete;
    Dictionary today;
    checkLoading(files, now, complete, today);
    checkReminderCheck(today, now);
    checkPreview(complete, now);
    checkTexts(complete, now);
    checkEmittedLog(files, today, now);
    return 0;
}
