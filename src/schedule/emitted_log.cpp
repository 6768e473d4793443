#include "schedule/emitted_log.h"

#include "model/lenient_number.h"
#include "model/text_files.h"
#include "model/text_forms.h"
#include "schedule/event_computation.h"

namespace tindlow {

std::wstring emittedLogLine(const std::wstring& key, const ReminderEntry& entry) {
    const std::wstring separator = kEmittedFieldSeparator;
    return key + separator + binaryText(entry.remindMatrix) + separator +
           fixed2Text(entry.lastOutputSec) + separator +
           L" [Key] [remindMatrix] [lastOutputSec] weitere Informationen: " + entry.sWhat +
           entry.sText + L"; Datei: " + entry.sFile + L"; Zeile: " + entry.sRowNumber;
}

int saveEmittedLog(FileSystem& files, const std::wstring& path, const Dictionary& today) {
    std::wstring text;
    for (const auto& [key, entry] : today) {
        if (key != kTestReminderKey && entry.remindMatrix != 0) {
            text += emittedLogLine(key, entry);
            text += L'\n';
        }
    }
    return replaceFileContent(files, path, encodeByteText(text));
}

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

// Whether reminders last given at `givenSec` were given for the entry's current occurrence.
// Every change of day reloads the entries, so a reminder is always given for the occurrence
// that the entry has on the day it is given; that occurrence is computed again here and
// compared. A remind window alone cannot tell: the windows of a daily event follow each other
// without a gap, and the post-event answer runs on to the end of its day.
bool givenForCurrentOccurrence(const ReminderEntry& entry, double givenSec) {
    ReminderEntry then = entry;
    computeEvent(then, dateOfSeconds(givenSec));
    return then.nextEventTimeSec == entry.nextEventTimeSec;
}

std::vector<std::wstring> byteTextLines(const std::string& bytes) {
    std::vector<std::wstring> lines;
    const std::wstring text = decodeByteText(bytes);
    std::size_t from = 0;
    while (from < text.size()) {
        std::size_t end = text.find(L'\n', from);
        if (end == std::wstring::npos) {
            end = text.size();
        }
        std::size_t lineEnd = end;
        if (lineEnd > from && text[lineEnd - 1] == L'\r') {
            --lineEnd;
        }
        lines.push_back(text.substr(from, lineEnd - from));
        from = end + 1;
    }
    return lines;
}

}  // namespace

int restoreEmittedLog(FileSystem& files, const std::wstring& path, Dictionary& today, double nowSec,
                      double defaultPostTrigger) {
    const FileBytes content = files.readFile(path);
    if (!content.ok()) {
        return 0;
    }
    std::wstring kept;
    bool rewrite = false;
    for (const std::wstring& line : byteTextLines(content.bytes)) {
        if (line.find(kEmittedFieldSeparator) == std::wstring::npos) {
            continue;
        }
        const std::vector<std::wstring> fields = splitFields(line);
        const double lastOutput = fields.size() > 2 ? leadingDouble(fields[2]) : 0.0;
        // The state goes back wherever it belongs to the current occurrence, however old the
        // line is: an occurrence can stay current longer than the default post-event period
        // (a long pre-event slice, or the post-event answer that lasts to the end of its day),
        // and a bit left out would give its reminder again. Such a line also stays in the file:
        // the program may end without another save (Escape, a crash, a power cut), and the next
        // start must find the state again.
        ReminderEntry* entry = today.find(fields[0]);
        const bool current = entry != nullptr && givenForCurrentOccurrence(*entry, lastOutput);
        if (current) {
            entry->remindMatrix |= parseMatrix(fields[1]);
            if (lastOutput > entry->lastOutputSec) {
                entry->lastOutputSec = lastOutput;
            }
        }
        if (!current && nowSec > lastOutput + defaultPostTrigger) {
            rewrite = true;
            continue;
        }
        kept += line;
        kept += L'\n';
    }
    return rewrite ? replaceFileContent(files, path, encodeByteText(kept)) : 0;
}

}  // namespace tindlow
