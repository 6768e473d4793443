#pragma once
#include <cstdint>
#include <string>

#include "model/reminder_entry.h"
#include "model/text_tables.h"

namespace tindlow {

inline constexpr double kDefaultPostTriggerSec = 259200.0;  // 72 hours

// The length of one recurrence period in seconds (days, 30-day months, 365-day years), or
// nothing to check (0) for single and unused entries.
double recurrencePeriodSeconds(const ReminderEntry& entry);

// Keeps the remind windows of successive occurrences of a periodic entry apart: when
// pre + post + margin exceeds one period, shortens the periods and answers the message that
// names the values now in force; answers the empty text when nothing changed.
std::wstring overlapCheck(ReminderEntry& entry, std::int32_t executionLoopPeriod,
                          const TextTables& texts);

}  // namespace tindlow
