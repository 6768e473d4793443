#include "input/trigger_periods.h"

#include <algorithm>
#include <cmath>

#include "model/text_forms.h"

namespace tindlow {

namespace {

constexpr std::int64_t kDaySeconds = 86400;
constexpr std::int64_t kMonthSeconds = 2592000;  // 30 days
constexpr std::int64_t kYearSeconds = 31536000;  // 365 days

// The period in whole seconds, exact in 64 bits: the longest, 2^31 - 1 years of 365 days, is
// about 6.8e16 and far below the 64-bit limit. A period of 0 or less (an interval of 0 or a
// negative one) and the kinds without recurrence give 0.
std::int64_t periodSeconds(const ReminderEntry& entry) {
    std::int64_t unit = 0;
    switch (entry.incType) {
        case RecurrenceKind::Days:
            unit = kDaySeconds;
            break;
        case RecurrenceKind::Months:
        case RecurrenceKind::MonthWeekday:
        case RecurrenceKind::MonthDay:
            unit = kMonthSeconds;
            break;
        case RecurrenceKind::Years:
            unit = kYearSeconds;
            break;
        default:
            return 0;
    }
    return std::max<std::int64_t>(entry.interval, 0) * unit;
}

// A remind period as it counts towards the length of the remind window: a negative period (or
// one that is not a number) takes no room.
double occupiedSeconds(double period) {
    return period > 0.0 ? period : 0.0;
}

const std::wstring& messageText(const TextTables& texts, int index) {
    static const std::wstring kEmpty;
    const auto i = static_cast<std::size_t>(index);
    return i < texts.messages.size() ? texts.messages[i] : kEmpty;
}

std::wstring lineReference(const ReminderEntry& entry, const TextTables& texts) {
    return L"\n" + messageText(texts, msg::kFilePathLabel) + entry.sFile + L"\n" +
           messageText(texts, msg::kLineNumberLabel) + entry.sRowNumber + L"\n";
}

}  // namespace

double recurrencePeriodSeconds(const ReminderEntry& entry) {
    // Exact up to 2^53 seconds (about 285 million years); only longer periods round, and then
    // by a few seconds at most.
    return static_cast<double>(periodSeconds(entry));
}

std::wstring overlapCheck(ReminderEntry& entry, std::int32_t executionLoopPeriod,
                          const TextTables& texts) {
    const std::int64_t period = periodSeconds(entry);
    if (period <= 0) {
        return {};
    }
    // Two successive windows [E - pre, E + post] and [E + v - pre, E + v + post] stay apart by
    // the margin m when pre + post + m <= v. The margin is two loop periods, the ticks taken as
    // seconds, so a late reminder check cannot reach into the next window.
    const std::int64_t margin = 2 * static_cast<std::int64_t>(std::max(executionLoopPeriod, 0));
    const double v = static_cast<double>(period);
    const double pre = occupiedSeconds(entry.preTrigger);
    const double post = occupiedSeconds(entry.postTrigger);
    const double m = static_cast<double>(margin);
    if (pre + post + m <= v) {
        return {};
    }
    // What the window may hold besides the margin, never negative (a margin longer than the
    // period leaves nothing).
    const double room = static_cast<double>(std::max<std::int64_t>(period - margin, 0));
    if (pre <= room) {
        // The pre-event period fits: only the post-event period gives way, to whole seconds and
        // rounded down, so the sum really stays within the period.
        entry.postTrigger = room - std::ceil(pre);
        const auto hours = static_cast<std::int64_t>(entry.postTrigger / 3600.0);
        return messageText(texts, msg::kPostPeriodShortened) + lineReference(entry, texts) +
               messageText(texts, msg::kPostTriggerFromNowOn) + intText(hours) +
               messageText(texts, msg::kHoursUnit);
    }
    // The pre-event period alone (with the margin) fills the period: the post-event period goes
    // and the pre-event period takes what is left.
    entry.postTrigger = 0.0;
    entry.preTrigger = room;
    const auto minutes = static_cast<std::int64_t>(entry.preTrigger / 60.0);
    return messageText(texts, msg::kBothPeriodsShortened) + lineReference(entry, texts) +
           messageText(texts, msg::kPreTriggerFromNowOn) + intText(minutes) +
           messageText(texts, msg::kMinutesUnit) + L". " +
           messageText(texts, msg::kPostTriggerFromNowOn) + L"0 " +
           messageText(texts, msg::kHoursUnit);
}

}  // namespace tindlow
