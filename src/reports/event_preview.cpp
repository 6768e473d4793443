#include "reports/event_preview.h"

#include <algorithm>
#include <optional>

#include "model/calendar.h"
#include "model/text_forms.h"
#include "schedule/event_computation.h"
#include "schedule/occurrences.h"
#include "schedule/reminder_text.h"

namespace tindlow {

namespace {

// The days field gives at most 999 days and the settings file at most 1000, but the execution
// tick takes any positive number typed into the field, and callers may pass any value. A run never
// covers more than this many days after today (and never fewer than 0), so a value such as 99999999
// cannot keep the dialog computing for hours.
constexpr std::int32_t kMaxRunDays = 1000;

// The days whose lines are gathered before they are written: the lines of one window are
// entry pointers sorted into their days, so the memory of a run depends on the dictionary and
// not on the number of lines.
constexpr std::int64_t kWindowDays = 64;

// An entry of the run with its rule, and the next day of the run on which it has a line.
struct Tracked {
    ReminderEntry* entry = nullptr;
    EventRule rule;
    std::optional<Occurrence> next;
};

struct Line {
    ReminderEntry* entry = nullptr;
    ProgramSeconds eventTimeSec = 0.0;
};

// The run's days in the order they are scanned: upwards from `first` for the preview,
// downwards from `last` for the look-back.
class PreviewRun {
  public:
    PreviewRun(const ScanRange& range, bool lookBack) : range_(range), lookBack_(lookBack) {}

    std::optional<Occurrence> occurrenceFrom(const EventRule& rule, std::int64_t day) const {
        if (lookBack_) {
            return lastOccurrence(rule, {range_.first, day, range_.secondsOfDay});
        }
        return firstOccurrence(rule, {day, range_.last, range_.secondsOfDay});
    }

    std::optional<Occurrence> occurrenceAfter(const EventRule& rule, std::int64_t day) const {
        return occurrenceFrom(rule, lookBack_ ? day - 1 : day + 1);
    }

    std::int64_t firstScanned() const { return lookBack_ ? range_.last : range_.first; }
    std::int64_t dayCount() const { return range_.last - range_.first + 1; }
    // The day at position `index` of the scan order.
    std::int64_t dayAt(std::int64_t index) const {
        return lookBack_ ? range_.last - index : range_.first + index;
    }
    std::int64_t indexOf(std::int64_t day) const {
        return lookBack_ ? range_.last - day : day - range_.first;
    }

  private:
    ScanRange range_;
    bool lookBack_;
};

std::wstring headerText(std::int32_t dayCount, bool lookBack, const TextTables& texts) {
    const auto& m = texts.messages;
    return m[msg::kEvent] +
           m[static_cast<std::size_t>(lookBack ? msg::kLookBackSuffix : msg::kPreviewSuffix)] +
           L" " + intText(dayCount) + m[msg::kDaysUnit] + L":\n";
}

}  // namespace

void scanDay(Dictionary& complete, const ScanDay& day, const std::wstring& fileFilter,
             const TextTables& texts, const LocalTime& now, std::vector<std::wstring>& lines) {
    const DayMonthYear cursorDate = dateOfSeconds(day.dayCursor);
    // The midnight that begins the day under scan.
    const ProgramSeconds dayStart = day.dayCursor - day.secondsOfDay;
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

void writeEventPreview(Dictionary& complete, const LocalTime& now, std::int32_t days, bool lookBack,
                       const std::wstring& fileFilter, const TextTables& texts, PreviewSink& sink) {
    const std::int32_t dayCount = std::clamp(days, 0, kMaxRunDays);
    sink.header(headerText(dayCount, lookBack, texts));

    // Everything of the run lives here: the reminder check, even one that runs in a modal loop
    // afterwards, computes for today and never sees the day under scan.
    const std::int64_t today = todayDayNumber(now);
    const std::int64_t secondsOfDay = scanSecondsOfDay(now);
    ScanRange range{today, today + dayCount, secondsOfDay};
    if (lookBack) {
        // The look-back ends at the beginning of the calendar: no day cursor below 0.
        range = {std::max(today - dayCount, firstDayWithCursor(secondsOfDay)), today, secondsOfDay};
    }
    if (range.first > range.last) {
        return;
    }
    const PreviewRun run(range, lookBack);

    std::vector<Tracked> tracked;
    for (auto& [key, entry] : complete) {
        if (!fileFilter.empty() && entry.sFile != fileFilter) {
            continue;
        }
        Tracked t{&entry, eventRuleOf(entry), std::nullopt};
        t.next = run.occurrenceFrom(t.rule, run.firstScanned());
        if (t.next) {
            tracked.push_back(std::move(t));
        }
    }

    std::vector<std::vector<Line>> window(static_cast<std::size_t>(kWindowDays));
    std::int64_t number = 0;
    std::wstring numbered;
    const auto seconds = static_cast<SecondsOfDay>(secondsOfDay);
    for (std::int64_t start = 0; start < run.dayCount(); start += kWindowDays) {
        const std::int64_t end = std::min(start + kWindowDays, run.dayCount());
        // Entries in key order, so every day's lines are in key order as well.
        for (Tracked& t : tracked) {
            while (t.next && run.indexOf(t.next->day) < end) {
                window[static_cast<std::size_t>(run.indexOf(t.next->day) - start)].push_back(
                    {t.entry, t.next->eventTimeSec});
                t.next = run.occurrenceAfter(t.rule, t.next->day);
            }
        }
        for (std::int64_t index = start; index < end; ++index) {
            std::vector<Line>& lines = window[static_cast<std::size_t>(index - start)];
            const ProgramSeconds dayCursor = momentOf(run.dayAt(index), seconds);
            const ReminderTextContext context{texts, now, true, dateOfSeconds(dayCursor)};
            for (const Line& line : lines) {
                line.entry->triggerEventTimeSec = line.eventTimeSec;
                // One buffer for every line of the run: "NN) ", the line, its line end.
                numbered.clear();
                appendPaddedIntText(numbered, ++number, 2);
                numbered += L") ";
                appendReminderLine(numbered, *line.entry, context);
                numbered += L'\n';
                sink.numberedLine(numbered);
            }
            lines.clear();
        }
    }
}

void PreviewCollector::header(const std::wstring& text) {
    result.reportText += text;
}

void PreviewCollector::numberedLine(const std::wstring& text) {
    result.reportText += text;
    result.logLines.push_back(text);
}

PreviewResult eventPreview(Dictionary& complete, const LocalTime& now, std::int32_t days,
                           bool lookBack, const std::wstring& fileFilter, const TextTables& texts) {
    PreviewCollector collector;
    writeEventPreview(complete, now, days, lookBack, fileFilter, texts, collector);
    return std::move(collector.result);
}

std::wstring numberedLineText(std::int64_t number, const std::wstring& line) {
    return paddedIntText(number, 2) + L") " + line + L"\n";
}

void appendNumberedLines(const std::vector<std::wstring>& lines, std::wstring& reportText,
                         std::vector<std::wstring>& logLines) {
    logLines.reserve(logLines.size() + lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::wstring line = numberedLineText(static_cast<std::int64_t>(i) + 1, lines[i]);
        reportText += line;
        logLines.push_back(std::move(line));
    }
}

}  // namespace tindlow
