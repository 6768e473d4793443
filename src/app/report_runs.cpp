#include "app/report_runs.h"

#include "reports/dictionary_report.h"
#include "reports/event_preview.h"

namespace tindlow {

void runEventPreview(AppParts& parts, bool lookBack, const std::wstring& fileFilter) {
    const Language& language = parts.language;
    // A run for one event file comes from the command menu, which has logged its own line.
    if (fileFilter.empty()) {
        parts.log.log(
            language.text(lookBack ? msg::kMissedEventsPressed : msg::kFutureEventsPressed));
    }
    parts.daysInput.takeTypedDays();
    // Until start-up has loaded the event files, a run finds nothing (a button can be pressed in
    // a box that the loading shows).
    Dictionary notLoaded;
    // The whole computation happens before any box or shell call: the run keeps its day cursor
    // to itself, and nothing here can open a modal loop in the middle of it. The sink gathers
    // the report text for the export file and the lines for the log list.
    PreviewCollector report;
    writeEventPreview(parts.run.started ? parts.events.complete() : notLoaded,
                      parts.platform.clock.localTime(), parts.daysInput.days(), lookBack,
                      fileFilter, language.texts(), report);
    parts.log.logAll(report.result.logLines);
    parts.feedback.exportAndOpen(
        language.text(lookBack ? msg::kLookBackSuffix : msg::kPreviewSuffix) + L".txt",
        report.result.reportText);
}

void completeDictionaryReport(AppParts& parts) {
    parts.feedback.exportAndOpen(
        parts.language.text(msg::kCompleteDictionarySuffix),
        dictionaryReport(parts.events.complete(), false, parts.language.texts(), parts.dashLine),
        OpenFailure::Ignored);
}

void todaysDictionaryReport(AppParts& parts) {
    parts.feedback.exportAndOpen(
        parts.language.text(msg::kTodaysDictionarySuffix),
        dictionaryReport(parts.events.today(), true, parts.language.texts(), parts.dashLine),
        OpenFailure::Ignored);
}

}  // namespace tindlow
