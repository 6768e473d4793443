// The dialog's exports and reports: the Future Events and Missed Events buttons and the two
// dictionary content reports.
#include "app/tindlow_dlg.h"
#include "model/text_files.h"
#include "reports/dictionary_report.h"
#include "reports/event_preview.h"
#include "reports/export_files.h"
#include "ui/control_ids.h"
#include "ui/days_field.h"

namespace tindlow {

namespace {

// The days field sets the days value only within these limits; anything else keeps it.
constexpr std::int32_t kFieldDaysMin = 1;
constexpr std::int32_t kFieldDaysMax = 999;

}  // namespace

std::wstring CTindlowDlg::exportAndOpen(const std::wstring& suffix, const std::wstring& text,
                                        bool reportFailure) {
    const std::wstring path = writeExport(suffix, text);
    if (reportFailure) {
        openReportingFailure(path);
    } else {
        static_cast<void>(platform_.shell.open(path));
    }
    return path;
}

void CTindlowDlg::eventPreview(bool lookBack, const std::wstring& fileFilter) {
    // A run for one event file comes from the command menu, which has logged its own line.
    if (fileFilter.empty()) {
        log_.log(text(lookBack ? msg::kMissedEventsPressed : msg::kFutureEventsPressed));
    }
    const std::int32_t typed =
        validateDaysField(platform_.view.controlText(ids::kDaysField), log_, texts_);
    if (typed >= kFieldDaysMin && typed <= kFieldDaysMax) {
        state_.days = typed;
    }
    // Until the first paint has loaded the event files, a run finds nothing (a button can be
    // pressed in a box that the loading shows).
    Dictionary notLoaded;
    // The whole computation happens before any box or shell call: the run keeps its day cursor
    // to itself, and nothing here can open a modal loop in the middle of it. The sink gathers
    // the report text for the export file and the lines for the log list.
    PreviewCollector report;
    writeEventPreview(state_.firstPaintDone ? complete_ : notLoaded, platform_.clock.localTime(),
                      state_.days, lookBack, fileFilter, texts_, report);
    log_.logAll(report.result.logLines);
    exportAndOpen(text(lookBack ? msg::kLookBackSuffix : msg::kPreviewSuffix) + L".txt",
                  report.result.reportText);
}

// The dictionary reports ignore a failed open: they leave no trace in the log list.
void CTindlowDlg::completeDictionaryReport() {
    exportAndOpen(text(msg::kCompleteDictionarySuffix),
                  dictionaryReport(complete_, false, texts_, state_.dashLine), false);
}

void CTindlowDlg::todaysDictionaryReport() {
    exportAndOpen(text(msg::kTodaysDictionarySuffix),
                  dictionaryReport(today_, true, texts_, state_.dashLine), false);
}

}  // namespace tindlow
