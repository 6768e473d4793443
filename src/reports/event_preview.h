#pragma once
#include <string>
#include <vector>

#include "model/dictionary.h"
#include "model/text_tables.h"
#include "platform/clock.h"

namespace tindlow {

// One day under scan. The reference date of the event computation is the cursor's date, so
// the scan never changes what the reminder check computes for today.
struct ScanDay {
    double dayCursor = 0.0;     // program seconds: the day under scan at the time of day of the run
    double secondsOfDay = 0.0;  // seconds after midnight at the start of the run
};

// Visits the complete dictionary in key order (only the entries of `fileFilter` when it is not
// empty) and appends the preview form of the reminder line of every entry whose event falls on
// the cursor's day; stores that event time in the entry's triggerEventTimeSec.
void scanDay(Dictionary& complete, const ScanDay& day, const std::wstring& fileFilter,
             const TextTables& texts, const LocalTime& now, std::vector<std::wstring>& lines);

struct PreviewResult {
    std::wstring reportText;             // header line and numbered lines
    std::vector<std::wstring> logLines;  // the numbered lines, each with its line end
};

// Numbers the lines "01) ", "02) ", ... and appends each, with its line end, to the report text
// and to the log lines.
void appendNumberedLines(const std::vector<std::wstring>& lines, std::wstring& reportText,
                         std::vector<std::wstring>& logLines);

// Today and `days` further days forwards (preview) or backwards (look-back).
PreviewResult eventPreview(Dictionary& complete, const LocalTime& now, std::int32_t days,
                           bool lookBack, const std::wstring& fileFilter, const TextTables& texts);

}  // namespace tindlow
