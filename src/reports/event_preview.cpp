#include "reports/event_preview.h"

#include <algorithm>

#include "model/calendar.h"
#include "model/text_forms.h"
#include "schedule/event_computation.h"
#include "schedule/reminder_text.h"

namespace tindlow {

namespace {

// The days field gives at most 999 days and the settings file at most 1000, but the execution
// tick takes any positive number typed into the field, and callers may pass any value. A run never
// covers more than this many days after today (and never fewer than 0), so a value such as 99999999
// cannot keep the dialog computing for hours.
constexpr std::int32_t kMaxRunDays = 1000;

}  // namespace

void scanDay(Dictionary& complete, const ScanDay& day, const std::wstring& fileFilter,
             const TextTables& texts, const LocalTime& now, std::vector<std::wstring>& lines) {
    const DayMonthYear cursorDate = dateOfSeconds(day.dayCursor);
    // The midnight that begins the day under scan.
    const double dayStart = day.dayCursor - day.secondsOfDay;
    const ReminderTextContext context{texts, now, true, cursorDate};
    for (auto& [key, entry] : complete) {
        if (!fileFilter.empty() && entry.sFile != fileFilter) {
            continue;
        }
        if (evaluateDueInPreview(entry, cursorDate, dayStart) == kDueAtEvent) {
            lines.push_back(reminderLine(entry, context));
        }
    }
}

PreviewResult eventPreview(Dictionary& complete, const LocalTime& now, std::int32_t days,
                           bool lookBack, const std::wstring& fileFilter, const TextTables& texts) {
    const std::int32_t dayCount = std::clamp(days, 0, kMaxRunDays);
    // Everything of the run lives here: the reminder check, even one that runs in a modal loop
    // afterwards, computes for today and never sees the day under scan.
    const double secondsOfDay = now.hour * 3600.0 + now.minute * 60.0 + now.second;
    ScanDay day{todayDayNumber(now) * kSecondsPerDay + secondsOfDay, secondsOfDay};
    const double step = lookBack ? -kSecondsPerDay : kSecondsPerDay;
    std::vector<std::wstring> found;
    // Today and dayCount further days; the look-back ends at the beginning of the calendar.
    for (std::int32_t i = 0; i <= dayCount && day.dayCursor >= 0.0; ++i) {
        scanDay(complete, day, fileFilter, texts, now, found);
        day.dayCursor += step;
    }

    const auto& m = texts.messages;
    PreviewResult result;
    result.reportText =
        m[msg::kEvent] +
        m[static_cast<std::size_t>(lookBack ? msg::kLookBackSuffix : msg::kPreviewSuffix)] + L" " +
        intText(dayCount) + m[msg::kDaysUnit] + L":\n";
    appendNumberedLines(found, result.reportText, result.logLines);
    return result;
}

void appendNumberedLines(const std::vector<std::wstring>& lines, std::wstring& reportText,
                         std::vector<std::wstring>& logLines) {
    logLines.reserve(logLines.size() + lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::wstring line =
            paddedIntText(static_cast<std::int64_t>(i) + 1, 2) + L") " + lines[i] + L"\n";
        reportText += line;
        logLines.push_back(std::move(line));
    }
}

}  // namespace tindlow
