#pragma once
#include <cstdint>
#include <optional>

#include "model/calendar.h"
#include "model/reminder_entry.h"
#include "reports/event_preview.h"

namespace tindlow {

// The search for the next or last event covers the start day and this many further days.
inline constexpr std::int32_t kEventSearchDays = 1000000;

// Walks day by day from the day of `start` (whole program seconds) forwards, or backwards but
// never to a day cursor below 0, over at most `limit` further days, and answers the date of the
// first day on which the entry's event falls. That event time is then stored in the entry's
// triggerEventTimeSec; nothing else of the entry changes.
std::optional<DayMonthYear> walkForEventDay(ReminderEntry& entry, const ScanDay& start,
                                            bool backwards, std::int32_t limit = kEventSearchDays);

// The same answer as the walk. An event that does not depend on the day under scan (a single
// event, one that never happens, an entry without a grid) can fall on one day of the walk
// only, and that day is computed instead of walked to.
std::optional<DayMonthYear> findEventDay(ReminderEntry& entry, const ScanDay& start, bool backwards,
                                         std::int32_t limit = kEventSearchDays);

}  // namespace tindlow
