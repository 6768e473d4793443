#pragma once
#include <cstdint>
#include <limits>

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

// Everything the event computation reads from an entry, with the date text parsed once: a
// preview or a search asks the same entry for many reference dates.
struct EventRule {
    DayMonthYear start;      // the date text as read
    DayNumber startDay = 0;  // its day number
    RecurrenceKind kind = RecurrenceKind::NotUsed;
    std::int32_t interval = 0;
    std::int32_t dayPointer = 0;
    SecondsOfDay dayTime = 0.0;
    ProgramSeconds storedEventTimeSec =
        0.0;  // the entry's nextEventTimeSec, kept where no grid applies
};

EventRule eventRuleOf(const ReminderEntry& entry);

// Whether the event time depends on the reference date at all: without a grid (interval 0,
// unknown kinds) the stored event stays, kind 0 is never and a single event is its start date.
bool ruleFollowsReferenceDate(const EventRule& rule);

// The Months kind places an occurrence on the start day without limiting it to the month, so in
// a month that lacks that day it runs over into the next one (31.11. is 01.12.). The occurrence
// of the grid month one interval before the reference's event month can therefore still lie
// ahead: on every reference day up to and including its day it is the current occurrence. This
// is its day number; it depends on the reference month only. kNoRunOverDay for the other kinds
// and without a grid.
inline constexpr DayNumber kNoRunOverDay = std::numeric_limits<DayNumber>::min();
DayNumber runOverDayOf(const EventRule& rule, const DayMonthYear& referenceDate);

// The time of the occurrence that belongs to the reference date: what computeEvent stores.
ProgramSeconds eventTimeOf(const EventRule& rule, const DayMonthYear& referenceDate);

// Finds the occurrence of the entry that belongs to the reference date and stores its time in
// nextEventTimeSec. The reference date is always passed in, so no caller can compute with the
// wrong one.
void computeEvent(ReminderEntry& entry, const DayMonthYear& referenceDate);

// The preview's test: an event time falls on the day that begins at dayStart (program seconds)
// when it lies in [dayStart, dayStart + 86400) and is not never.
bool eventFallsOnDay(ProgramSeconds eventTimeSec, ProgramSeconds dayStart);

// Whether the entry's remind period touches the day of `now`.
int todayTest(const ReminderEntry& entry, const LocalTime& now);

// Which reminder of the entry is due at `now`; moves nextAskSec on.
std::int32_t evaluateDue(ReminderEntry& entry, const LocalTime& now,
                         std::int32_t executionLoopPeriod);

// Preview mode: computes the occurrence for the cursor date on a copy; when it falls within
// [dayStart, dayStart + 86400) it is stored in triggerEventTimeSec and 30 is answered, else 33.
std::int32_t evaluateDueInPreview(ReminderEntry& entry, const DayMonthYear& cursorDate,
                                  ProgramSeconds dayStart);

}  // namespace tindlow
