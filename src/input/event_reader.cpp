#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "input/event_input.h"
#include "input/event_line.h"
#include "input/interval_column.h"
#include "input/trigger_periods.h"
#include "model/lenient_number.h"
#include "model/text_forms.h"
#include "model/text_replace.h"
#include "schedule/emitted_log.h"
#include "schedule/event_computation.h"

namespace tindlow {

namespace {

const std::wstring& message(const TextTables& texts, int index) {
    return texts.messages.at(static_cast<std::size_t>(index));
}

// The first seven columns as a line of defaults set them; a data line's empty column takes the
// default of its column.
constexpr std::size_t kDefaultedColumns = 7;
using EventDefaults = std::array<std::wstring, kDefaultedColumns>;
constexpr std::size_t kTimeColumn = 3;

// A line of defaults changes the defaults of the lines after it in the same file.
void applyDefaultLine(const EventColumnViews& columns, EventDefaults& defaults) {
    const std::wstring_view first = columns[0];
    if (first.find(L'=', 1) != std::wstring_view::npos) {
        std::size_t start = first.find(L'=') + 1;
        while (start < first.size() && isBlank(first[start])) {
            ++start;
        }
        defaults[0] = first.substr(start);
    }
    for (std::size_t column = 1; column < kDefaultedColumns; ++column) {
        if (!columns[column].empty()) {
            defaults[column] = columns[column];
        }
    }
    if (!columns[kTimeColumn].empty()) {
        defaults[kTimeColumn] = commasToPoints(std::move(defaults[kTimeColumn]));
    }
}

// Columns 1 to 7 of a data line over the defaults; empty columns keep the default. Each field is
// made once from its column or its default: no copy of the whole defaults per line.
void takeColumnsOverDefaults(const EventColumnViews& columns, const EventDefaults& defaults,
                             ReminderEntry& entry) {
    const auto source = [&columns, &defaults](std::size_t column) {
        return columns[column].empty() ? std::wstring_view(defaults[column]) : columns[column];
    };
    const std::wstring_view what = source(0);
    const std::wstring_view text = source(1);
    // The pop-up shows title and text side by side.
    const bool blankBetween =
        !what.empty() && !text.empty() && !what.ends_with(L' ') && !text.starts_with(L' ');
    entry.sWhat.reserve(what.size() + (blankBetween ? 1 : 0));
    entry.sWhat = what;
    if (blankBetween) {
        entry.sWhat += L' ';
    }
    entry.sText = text;
    entry.sDate = source(2);
    entry.sTime = source(kTimeColumn);
    if (!columns[kTimeColumn].empty()) {
        std::replace(entry.sTime.begin(), entry.sTime.end(), L',', L'.');
    }
    entry.sPretrigg = source(4);
    entry.sRepeat = source(5);
    // Only the trimmed interval column is ever looked at.
    entry.sInterval = trimmedView(source(6));
}

// Back to a default entry, keeping the storage of its texts for the next line's fields.
void resetKeepingStorage(ReminderEntry& entry) {
    static constexpr std::wstring ReminderEntry::*kTexts[] = {
        &ReminderEntry::sKey,    &ReminderEntry::sWhat,     &ReminderEntry::sText,
        &ReminderEntry::sDate,   &ReminderEntry::sTime,     &ReminderEntry::sPretrigg,
        &ReminderEntry::sRepeat, &ReminderEntry::sInterval, &ReminderEntry::sRowNumber,
        &ReminderEntry::sFile};
    ReminderEntry blank;
    for (std::wstring ReminderEntry::*text : kTexts) {
        (entry.*text).clear();
        (blank.*text).swap(entry.*text);
    }
    // Every field not listed above simply becomes its default.
    entry = std::move(blank);
}

// Decides the interval column of the entry. False when the line is to be skipped: a comment, "-1",
// or a column refused after its message box.
bool decideIntervalColumn(EventInput& input, ReminderEntry& entry, const std::wstring& path,
                          std::size_t lineNumber) {
    if (entry.sInterval.starts_with(L'#') || entry.sInterval == L"-1") {
        return false;
    }
    if (entry.sInterval.empty() || entry.sInterval == L"0") {
        entry.sInterval = L"0x7FFFFFFF";
        entry.interval = 2147483647;
        entry.incType = RecurrenceKind::Single;
        return true;
    }
    const IntervalDecision decision = decideInterval(entry.sInterval);
    if (!decision.accepted) {
        const std::wstring text = intervalRejectionMessage(
            decision, entry.sInterval, path, static_cast<std::int64_t>(lineNumber), input.texts);
        if (input.observer != nullptr) {
            input.observer->lineProblem(path, lineNumber, text);
        }
        input.errorBoxes.showCounted(text);
        return false;
    }
    entry.incType = decision.incType;
    entry.interval = decision.interval;
    entry.dayPointer = decision.dayPointer;
    return true;
}

// False, after its message box, for a key whose reminders the emitted reminders log cannot keep:
// one holding the log's field separator would not be found there again, and the test reminder's
// key is never written there. Such a line would give its reminders again after every reload.
bool acceptKey(EventInput& input, const ReminderEntry& entry, const std::wstring& path,
               std::size_t lineNumber) {
    int refusal = 0;
    if (entry.sKey.find(kEmittedFieldSeparator) != std::wstring::npos) {
        refusal = msg::kKeyHoldsSeparator;
    } else if (entry.sKey == kTestReminderKey) {
        refusal = msg::kKeyOfTestReminder;
    } else {
        return true;
    }
    const TextTables& texts = input.texts;
    const std::wstring text = message(texts, refusal) + entry.sKey + L"\n" +
                              message(texts, msg::kFilePathLabel) + path + L"\n" +
                              message(texts, msg::kLineNumberLabel) +
                              intText(static_cast<std::int64_t>(lineNumber));
    if (input.observer != nullptr) {
        input.observer->lineProblem(path, lineNumber, text);
    }
    input.errorBoxes.showCounted(text);
    return false;
}

}  // namespace

void readEventFile(EventInput& input, const std::wstring& path, KeyLookup* lookup) {
    stageEventFile(input, path, lookup);
    input.today.commitStaged();
    input.complete.commitStaged();
}

void stageEventFile(EventInput& input, const std::wstring& path, KeyLookup* lookup) {
    const bool loadMode = lookup == nullptr;
    const TextTables& texts = input.texts;
    // "Reading <path>:" comes with the first bytes: a file that cannot be opened (locked by
    // another program, a directory named like an event file, gone since it was listed) is
    // reported as missing instead, and the loading goes on with the next.
    bool announced = false;
    const auto announce = [&] {
        if (loadMode && !announced) {
            input.log.log(message(texts, msg::kReading) + path + L":");
        }
        announced = true;
    };

    // Taken once: a reload nested in a message box of this reading must not change the day the
    // rest of this file is computed for.
    const LocalTime now = input.now;
    const DayMonthYear referenceDate{now.day, now.month, now.year};
    // The file is read in parts and each line is handled as soon as it is complete, so that a
    // loading holds one line of the file at a time. Each line is made as text in one buffer kept
    // for the whole file: in load mode right behind its "Line NN: " log prefix, so that the log
    // line is the buffer itself. The columns are parts of the buffer until the next line.
    std::wstring buffer;
    EventDefaults defaults;
    // Made anew for every line in the same storage, then copied into the dictionaries, which
    // keep the storage of their old entries for the copies during a reload.
    ReminderEntry entry;
    std::size_t lineNumber = 0;
    const EventLineSplitter::LineSink readLine = [&](std::string_view piece) {
        ++lineNumber;
        buffer.clear();
        if (loadMode) {
            const std::wstring& linePrefix = message(texts, msg::kLine);
            // Room for the digits of any line number and ": ".
            buffer.reserve(linePrefix.size() + 24 + piece.size());
            buffer += linePrefix;
            appendPaddedIntText(buffer, static_cast<std::int64_t>(lineNumber), 2);
            buffer += L": ";
        }
        const std::size_t lineStart = buffer.size();
        appendEventLineText(buffer, piece);
        if (loadMode) {
            input.log.log(buffer);
        }
        const std::wstring_view line = std::wstring_view(buffer).substr(lineStart);
        if (lineNumber == 1 || line.empty()) {
            return;
        }
        const EventColumnViews columns = splitColumnViews(line);
        // The lookup looks at every data line, also at those that are skipped below.
        if (!loadMode && columns[7] == lookup->key) {
            lookup->filePath = replacedAll(path, L".csv", L".xlsm");
            lookup->rowNumber = columns[8];
            lookup->foundKey = columns[7];
            lookup->found = true;
        }
        if (isDefaultLine(columns[0])) {
            applyDefaultLine(columns, defaults);
            return;
        }
        if (columns[2].empty()) {
            return;
        }
        resetKeepingStorage(entry);
        takeColumnsOverDefaults(columns, defaults, entry);
        entry.sKey = columns[7];
        entry.sRowNumber = columns[8];
        entry.repeat = leadingInt(entry.sRepeat);
        entry.dayTime = leadingDouble(entry.sTime) * 86400.0;
        entry.preTrigger = leadingDouble(entry.sPretrigg) * 60.0;
        entry.postTrigger = input.defaultPostTrigger;
        entry.sFile = path;
        if (!decideIntervalColumn(input, entry, path, lineNumber) ||
            !acceptKey(input, entry, path, lineNumber)) {
            return;
        }
        const std::wstring overlap = overlapCheck(entry, input.executionLoopPeriod, texts);
        if (!overlap.empty()) {
            if (input.observer != nullptr) {
                input.observer->lineProblem(path, lineNumber, overlap);
            }
            input.errorBoxes.showCounted(overlap);
        }
        computeEvent(entry, referenceDate);
        if (input.observer != nullptr) {
            input.observer->entryRead(path, lineNumber, entry);
        }
        if (todayTest(entry, now) == kRemindPeriodToday) {
            input.today.stage(entry.sKey, entry);
        }
        // The last use of the entry for this line: its texts move into the dictionary.
        input.complete.stage(std::move(entry));
    };
    EventLineSplitter splitter;
    const FileRead read = input.files.readFileInParts(path, [&](std::string_view part) {
        announce();
        splitter.feed(part, readLine);
    });
    if (read.ok()) {
        announce();
        splitter.finish(readLine);
    } else {
        // Also a read that failed part-way (a network share gone): the lines before it stay.
        input.log.log(message(texts, msg::kEventFileMissing) + path +
                      message(texts, msg::kEventFileMissingEnd));
    }
    if (loadMode || !read.ok()) {
        input.log.log(input.dashLine);
    }
}

}  // namespace tindlow
