// The day-by-day scans, kept as the reference that the preview and the event search must
// match byte for byte: every day of the range, every entry, evaluateDueInPreview. Header only,
// so the benchmarks measure the same code.
#pragma once
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/calendar.h"
#include "model/dictionary.h"
#include "model/text_forms.h"
#include "model/text_tables.h"
#include "platform/clock.h"
#include "reports/event_preview.h"
#include "schedule/event_computation.h"
#include "schedule/reminder_text.h"

namespace tindlow::literal {

inline void scanOneDay(Dictionary& complete, const ScanDay& day, const std::wstring& fileFilter,
                       const TextTables& texts, const LocalTime& now,
                       std::vector<std::wstring>& lines) {
    const DayMonthYear cursorDate = dateOfSeconds(day.dayCursor);
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

// Today and the days after (preview) or before (look-back, which stops at the first day cursor
// below 0), one day after the other.
inline PreviewResult eventPreview(Dictionary& complete, const LocalTime& now, std::int32_t days,
                                  bool lookBack, const std::wstring& fileFilter,
                                  const TextTables& texts) {
    const std::int32_t dayCount = std::clamp(days, 0, 1000);
    const SecondsOfDay time = secondsOfDay(now);
    ScanDay day{momentOf(todayDayNumber(now), time), time};
    const double step = lookBack ? -kSecondsPerDay : kSecondsPerDay;
    std::vector<std::wstring> found;
    for (std::int32_t i = 0; i <= dayCount && (!lookBack || day.dayCursor >= 0.0); ++i) {
        scanOneDay(complete, day, fileFilter, texts, now, found);
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

// Walks day by day from the day of `start` forwards, or backwards but never to a day cursor
// below 0, over at most `limit` further days, and answers the date of the first day on which
// the entry's event falls; stores that event time in the entry's triggerEventTimeSec.
inline std::optional<DayMonthYear> walkForEventDay(ReminderEntry& entry, const ScanDay& start,
                                                   bool backwards, std::int32_t limit) {
    // The computation reads only these fields: a probe without the texts is cheaper to copy.
    ReminderEntry probe;
    probe.sDate = entry.sDate;
    probe.dayTime = entry.dayTime;
    probe.interval = entry.interval;
    probe.incType = entry.incType;
    probe.dayPointer = entry.dayPointer;
    probe.nextEventTimeSec = entry.nextEventTimeSec;
    for (std::int64_t steps = 0; steps <= limit; ++steps) {
        const double dayCursor =
            start.dayCursor +
            (backwards ? -static_cast<double>(steps) : static_cast<double>(steps)) * kSecondsPerDay;
        if (backwards && dayCursor < 0.0) {
            break;
        }
        const DayMonthYear cursorDate = dateOfSeconds(dayCursor);
        if (evaluateDueInPreview(probe, cursorDate, dayCursor - start.secondsOfDay) ==
            kDueAtEvent) {
            entry.triggerEventTimeSec = probe.triggerEventTimeSec;
            return cursorDate;
        }
    }
    return std::nullopt;
}

}  // namespace tindlow::literal
