#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "model/calendar.h"
#include "model/dictionary.h"
#include "model/text_tables.h"
#include "platform/clock.h"

namespace tindlow {

// One day under scan. The reference date of the event computation is the cursor's date, so
// the scan never changes what the reminder check computes for today.
struct ScanDay {
    ProgramSeconds dayCursor = 0.0;   // the day under scan at the time of day of the run
    SecondsOfDay secondsOfDay = 0.0;  // the time of day at the start of the run
};

// Visits the complete dictionary in key order (only the entries of `fileFilter` when it is not
// empty) and appends the preview form of the reminder line of every entry whose event falls on
// the cursor's day; stores that event time in the entry's triggerEventTimeSec. The date
// simulation's scan of its one day.
void scanDay(Dictionary& complete, const ScanDay& day, const std::wstring& fileFilter,
             const TextTables& texts, const LocalTime& now, std::vector<std::wstring>& lines);

// Receives a report as it is made.
class PreviewSink {
  public:
    virtual ~PreviewSink() = default;
    virtual void header(const std::wstring& text) = 0;        // the header line with its "\n"
    virtual void numberedLine(const std::wstring& text) = 0;  // "01) ...\n", in report order
};

// Today and `days` (0..1000) further days forwards (preview) or backwards (look-back, which
// ends before the first day whose day cursor lies before day 0). The lines are those of a scan
// of day after day, each day in key order: the reminder line of every entry (of `fileFilter`
// alone when it is not empty) whose event falls on that day, made with that day as the date
// under scan after the event time was stored in the entry's triggerEventTimeSec. Each entry
// keeps the event time of its last line. The lines go to the sink as they are made, a few
// weeks of days at a time, so a long run never holds its whole report.
void writeEventPreview(Dictionary& complete, const LocalTime& now, std::int32_t days, bool lookBack,
                       const std::wstring& fileFilter, const TextTables& texts, PreviewSink& sink);

struct PreviewResult {
    std::wstring reportText;             // header line and numbered lines
    std::vector<std::wstring> logLines;  // the numbered lines, each with its line end
};

// A sink that keeps the report: the header and the numbered lines in the report text, the
// numbered lines also as log lines.
class PreviewCollector : public PreviewSink {
  public:
    void header(const std::wstring& text) override;
    void numberedLine(const std::wstring& text) override;
    PreviewResult result;
};

// The numbered form of a report line: "01) " (at least two digits) before it, its line end after.
std::wstring numberedLineText(std::int64_t number, const std::wstring& line);

// Numbers the lines "01) ", "02) ", ... and appends each, with its line end, to the report text
// and to the log lines.
void appendNumberedLines(const std::vector<std::wstring>& lines, std::wstring& reportText,
                         std::vector<std::wstring>& logLines);

// writeEventPreview into a PreviewCollector.
PreviewResult eventPreview(Dictionary& complete, const LocalTime& now, std::int32_t days,
                           bool lookBack, const std::wstring& fileFilter, const TextTables& texts);

}  // namespace tindlow
