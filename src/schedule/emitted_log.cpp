#include "schedule/emitted_log.h"

#include <algorithm>
#include <cmath>

#include "model/calendar.h"
#include "model/lenient_number.h"
#include "model/text_files.h"
#include "model/text_forms.h"
#include "schedule/event_computation.h"

namespace tindlow {

namespace {

std::uint32_t parseMatrix(const std::wstring& field) {
    std::uint32_t matrix = 0;
    int bit = 31;
    for (wchar_t c : field) {
        if (c == L' ') {
            continue;
        }
        if (bit < 0) {
            break;
        }
        if (c == L'1') {
            matrix |= 1u << bit;
        }
        --bit;
    }
    return matrix;
}

std::vector<std::wstring> splitFields(const std::wstring& line) {
    std::vector<std::wstring> fields;
    const std::wstring separator = kEmittedFieldSeparator;
    std::size_t from = 0;
    for (std::size_t at = line.find(separator); at != std::wstring::npos;
         at = line.find(separator, from)) {
        fields.push_back(line.substr(from, at - from));
        from = at + separator.size();
    }
    fields.push_back(line.substr(from));
    return fields;
}

// An event time as the log writes it: a number with up to two decimals. A line written before
// the event time was recorded has the description in that place, which begins with a blank.
bool isEventTimeField(const std::wstring& field) {
    std::size_t at = field.size() > 1 && field[0] == L'-' ? 1 : 0;
    const std::size_t digitsFrom = at;
    while (at < field.size() && field[at] >= L'0' && field[at] <= L'9') {
        ++at;
    }
    if (at == digitsFrom) {
        return false;
    }
    if (at < field.size() && field[at] == L'.') {
        ++at;
        while (at < field.size() && field[at] >= L'0' && field[at] <= L'9') {
            ++at;
        }
    }
    return at == field.size();
}

std::wstring joinedFrom(const std::vector<std::wstring>& fields, std::size_t first) {
    std::wstring text;
    for (std::size_t i = first; i < fields.size(); ++i) {
        if (i > first) {
            text += kEmittedFieldSeparator;
        }
        text += fields[i];
    }
    return text;
}

std::wstring recordLine(const GivenReminders::Occurrence& occurrence,
                        const GivenReminders::State& state) {
    const std::wstring separator = kEmittedFieldSeparator;
    std::wstring line = occurrence.key + separator + binaryText(state.matrix) + separator +
                        fixed2Text(state.lastOutputSec) + separator;
    if (occurrence.eventTimeKnown) {
        line += fixed2Text(state.eventTimeSec) + separator;
    }
    return line + state.description;
}

}  // namespace

std::wstring emittedLogLine(const std::wstring& key, const ReminderEntry& entry) {
    const auto [occurrence, state] = GivenReminders::recordOf(key, entry);
    return recordLine(occurrence, state);
}

std::wstring emittedLogText(const GivenReminders& given) {
    std::wstring text;
    for (const auto& [occurrence, state] : given.records()) {
        text += recordLine(occurrence, state);
        text += L'\n';
    }
    return text;
}

std::size_t readEmittedLog(const std::string& bytes, GivenReminders& given) {
    std::size_t skipped = 0;
    // The log is written with CR LF; a file cut after the last CR still reads as whole lines.
    std::vector<std::wstring> lines;
    appendTextLines(decodeByteText(bytes), lines, FinalReturn::LineEnd);
    for (const std::wstring& line : lines) {
        if (line.find(kEmittedFieldSeparator) == std::wstring::npos) {
            ++skipped;
            continue;
        }
        const std::vector<std::wstring> fields = splitFields(line);
        const std::uint32_t matrix = fields.size() > 1 ? parseMatrix(fields[1]) : 0;
        // Taken to the hundredth, as the log writes it, so that the file and the state held agree;
        // a time beyond every date (a hand-edited line) is kept as never.
        const double read = fields.size() > 2 ? leadingDouble(fields[2]) : 0.0;
        const double lastOutput = leadingDouble(
            fixed2Text(std::isnan(read) ? 0.0 : std::clamp(read, -kNeverSec, kNeverSec)));
        if (fields.size() > 4 && isEventTimeField(fields[3])) {
            const double eventTime = leadingDouble(fields[3]);
            given.add(fields[0], &eventTime, matrix, lastOutput, joinedFrom(fields, 4));
        } else {
            given.add(fields[0], nullptr, matrix, lastOutput, joinedFrom(fields, 3));
        }
    }
    return skipped;
}

int saveEmittedLog(FileSystem& files, const std::wstring& path, const Dictionary& today,
                   GivenReminders& given, ProgramSeconds nowSec, double defaultPostTrigger) {
    given.takeFrom(today);
    // What the file holds beyond this run's state (another instance's, or lines this run could
    // not write) is kept.
    const FileBytes content = files.readFile(path);
    if (content.ok()) {
        readEmittedLog(content.bytes, given);
    }
    given.dropOutdated(today, nowSec, defaultPostTrigger);
    return replaceFileContent(files, path, encodeByteText(emittedLogText(given)));
}

int restoreEmittedLog(FileSystem& files, const std::wstring& path, Dictionary& today,
                      GivenReminders& given, ProgramSeconds nowSec, double defaultPostTrigger) {
    const FileBytes content = files.readFile(path);
    GivenReminders inFile;
    if (content.ok()) {
        readEmittedLog(content.bytes, inFile);
    }
    // A save that failed left the file behind what this run has given: the rewrite below brings
    // it up to date.
    const bool fileBehind = !given.heldBy(inFile);
    for (const auto& [occurrence, state] : inFile.records()) {
        const ProgramSeconds* eventTime = occurrence.eventTimeKnown ? &state.eventTimeSec : nullptr;
        given.add(occurrence.key, eventTime, state.matrix, state.lastOutputSec, state.description);
    }
    const bool dropped = given.dropOutdated(today, nowSec, defaultPostTrigger) != 0;
    given.giveBackTo(today);
    if (!dropped && !fileBehind) {
        return 0;
    }
    // An unreadable file (held by another program) is left as it is.
    if (!content.ok() && files.exists(path)) {
        return 0;
    }
    return replaceFileContent(files, path, encodeByteText(emittedLogText(given)));
}

}  // namespace tindlow
