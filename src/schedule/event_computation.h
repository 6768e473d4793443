#pragma once
#include <cstdint>

#include "model/calendar.h"
#include "model/reminder_entry.h"
#include "platform/clock.h"

namespace tindlow {

// Answers of evaluateDue: 0..29 a pre-event slot, or one of these.
inline constexpr std::int32_t kDueAtEvent = 30;
inline constexpr std::int32_t kDueAfterEvent = 31;
inline constexpr std::int32_t kDueNothing = 33;
inline constexpr std::int32_t kMaxPreEventSlots = 30;

// Answers of todayTest.
inline constexpr int kRemindPeriodOver = 0;
inline constexpr int kRemindPeriodToday = 1;
inline constexpr int kRemindPeriodLater = 2;

// Finds the occurrence of the entry that belongs to the reference date and stores its time in
// nextEventTimeSec. The reference date is always passed in, so no caller can compute with the
// wrong one.
void computeEvent(ReminderEntry& entry, const DayMonthYear& referenceDate);

// Whether the entry's remind period touches the day of `now`.
int todayTest(const ReminderEntry& entry, const LocalTime& now);

// Which reminder of the entry is due at `now`; moves nextAskSec on.
std::int32_t evaluateDue(ReminderEntry& entry, const LocalTime& now,
                         std::int32_t executionLoopPeriod);

// Preview mode: computes the occurrence for the cursor date on a copy; when it falls within
// [dayStart, dayStart + 86400) it is stored in triggerEventTimeSec and 30 is answered, else 33.
std::int32_t evaluateDueInPreview(ReminderEntry& entry, const DayMonthYear& cursorDate,
                                  double dayStart);

}  // namespace tindlow
