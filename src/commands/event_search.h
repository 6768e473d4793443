#pragma once
#include <cstdint>
#include <optional>

#include "model/calendar.h"
#include "model/reminder_entry.h"
#include "reports/event_preview.h"

namespace tindlow {

// The search for the next or last event covers the start day and this many further days.
inline constexpr std::int32_t kEventSearchDays = 1000000;

// The first day, from the day of `start` forwards, or backwards but never to a day cursor below
// 0, within `limit` further days, on which a day-by-day scan finds the entry's event, and that
// day's date (the date of its day cursor). That event time is then stored in the entry's
// triggerEventTimeSec; nothing else of the entry changes. The days are not walked one by one
// (see firstOccurrence), so even a search that finds nothing is quick.
// `start` is the day cursor of a run as the clock gives it: a whole day number times 86400 plus
// whole seconds of the day (secondsOfDay); any other start finds nothing.
std::optional<DayMonthYear> findEventDay(ReminderEntry& entry, const ScanDay& start, bool backwards,
                                         std::int32_t limit = kEventSearchDays);

}  // namespace tindlow
