#include <string>
#include <vector>

#include "input/event_input.h"
#include "input/event_line.h"
#include "input/interval_column.h"
#include "input/trigger_periods.h"
#include "model/lenient_number.h"
#include "model/text_forms.h"
#include "model/text_replace.h"
#include "schedule/event_computation.h"

namespace tindlow {

namespace {

const std::wstring& message(const TextTables& texts, int index) {
    return texts.messages.at(static_cast<std::size_t>(index));
}

// A line of defaults changes the defaults of the lines after it in the same file.
void applyDefaultLine(const EventColumns& columns, ReminderEntry& defaults) {
    const std::wstring& first = columns[0];
    if (first.find(L'=', 1) != std::wstring::npos) {
        std::size_t start = first.find(L'=') + 1;
        while (start < first.size() && isBlank(first[start])) {
            ++start;
        }
        defaults.sWhat = first.substr(start);
    }
    if (!columns[1].empty()) {
        defaults.sText = columns[1];
    }
    if (!columns[2].empty()) {
        defaults.sDate = columns[2];
    }
    if (!columns[3].empty()) {
        defaults.sTime = commasToPoints(columns[3]);
    }
    if (!columns[4].empty()) {
        defaults.sPretrigg = columns[4];
    }
    if (!columns[5].empty()) {
        defaults.sRepeat = columns[5];
    }
    if (!columns[6].empty()) {
        defaults.sInterval = columns[6];
    }
}

// Columns 1 to 7 of a data line over the defaults; empty columns keep the default.
ReminderEntry entryOverDefaults(const EventColumns& columns, const ReminderEntry& defaults) {
    ReminderEntry entry = defaults;
    std::wstring* const fields[] = {&entry.sWhat,     &entry.sText,   &entry.sDate,    &entry.sTime,
                                    &entry.sPretrigg, &entry.sRepeat, &entry.sInterval};
    for (std::size_t column = 0; column < std::size(fields); ++column) {
        if (!columns[column].empty()) {
            *fields[column] = column == 3 ? commasToPoints(columns[column]) : columns[column];
        }
    }
    return entry;
}

// Decides the interval column of the entry. False when the line is to be skipped: a comment, "-1",
// or a column refused after its message box.
bool decideIntervalColumn(EventInput& input, ReminderEntry& entry, const std::wstring& path,
                          std::size_t lineNumber) {
    entry.sInterval = trimmed(entry.sInterval);
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
        input.errorBoxes.showCounted(intervalRejectionMessage(
            decision, entry.sInterval, path, static_cast<std::int64_t>(lineNumber), input.texts));
        return false;
    }
    entry.incType = decision.incType;
    entry.interval = decision.interval;
    entry.dayPointer = decision.dayPointer;
    return true;
}

}  // namespace

void readEventFile(EventInput& input, const std::wstring& path, KeyLookup* lookup) {
    const bool loadMode = lookup == nullptr;
    const TextTables& texts = input.texts;
    // A file that exists but cannot be read (locked by another program, or a directory named
    // like an event file) is reported like a missing one; the loading goes on with the next.
    const FileBytes file = input.files.readFile(path);
    if (!file.ok()) {
        input.log.log(message(texts, msg::kEventFileMissing) + path +
                      message(texts, msg::kEventFileMissingEnd));
        input.log.log(input.dashLine);
        return;
    }
    if (loadMode) {
        input.log.log(message(texts, msg::kReading) + path + L":");
    }

    // Taken once: a reload nested in a message box of this reading must not change the day the
    // rest of this file is computed for.
    const LocalTime now = input.now;
    const DayMonthYear referenceDate{now.day, now.month, now.year};
    const std::vector<std::wstring> lines = eventFileLines(file.bytes);
    ReminderEntry defaults;
    for (std::size_t index = 0; index < lines.size(); ++index) {
        const std::size_t lineNumber = index + 1;
        const std::wstring& line = lines[index];
        if (loadMode) {
            input.log.log(message(texts, msg::kLine) +
                          paddedIntText(static_cast<std::int64_t>(lineNumber), 2) + L": " + line);
        }
        if (lineNumber == 1 || line.empty()) {
            continue;
        }
        const EventColumns columns = splitColumns(line);
        // The lookup looks at every data line, also at those that are skipped below.
        if (!loadMode && columns[7] == lookup->key) {
            lookup->filePath = replacedAll(path, L".csv", L".xlsm");
            lookup->rowNumber = columns[8];
            lookup->foundKey = columns[7];
            lookup->found = true;
        }
        if (isDefaultLine(columns[0])) {
            applyDefaultLine(columns, defaults);
            continue;
        }
        ReminderEntry entry = entryOverDefaults(columns, defaults);
        if (columns[2].empty()) {
            continue;
        }
        // The pop-up shows title and text side by side.
        if (!entry.sWhat.empty() && !entry.sText.empty() && !entry.sWhat.ends_with(L' ') &&
            !entry.sText.starts_with(L' ')) {
            entry.sWhat += L' ';
        }
        entry.sKey = columns[7];
        entry.sRowNumber = columns[8];
        entry.repeat = leadingInt(entry.sRepeat);
        entry.dayTime = leadingDouble(entry.sTime) * 86400.0;
        entry.preTrigger = leadingDouble(entry.sPretrigg) * 60.0;
        entry.postTrigger = input.defaultPostTrigger;
        entry.remindMatrix = 0;
        entry.sFile = path;
        if (!decideIntervalColumn(input, entry, path, lineNumber)) {
            continue;
        }
        const std::wstring overlap = overlapCheck(entry, input.executionLoopPeriod, texts);
        if (!overlap.empty()) {
            input.errorBoxes.showCounted(overlap);
        }
        computeEvent(entry, referenceDate);
        if (todayTest(entry, now) == kRemindPeriodToday) {
            input.today.slot(entry.sKey) = entry;
        }
        input.complete.slot(entry.sKey) = entry;
    }
    if (loadMode) {
        input.log.log(input.dashLine);
    }
}

}  // namespace tindlow
