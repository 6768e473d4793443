#pragma once
#include <cstdint>
#include <string>

#include "model/calendar.h"

namespace tindlow {

// How an entry recurs. The numbers are those the files and the dictionary report show.
enum class RecurrenceKind : std::int32_t {
    NotUsed = 0,       // never fires
    Single = 1,        // once, on its date
    Days = 2,          // every `interval` days
    Months = 3,        // every `interval` months on the day of its date
    Years = 4,         // every `interval` years on its day and month
    MonthWeekday = 5,  // every `interval` months on the dayPointer-th weekday of its date
    MonthDay = 6,      // every `interval` months on day dayPointer of the month
};

// The kind's number, as the reports print it.
constexpr std::int32_t number(RecurrenceKind kind) {
    return static_cast<std::int32_t>(kind);
}

// One event line of an event file. Held by value everywhere; copying copies all 22 fields.
struct ReminderEntry {
    std::wstring sKey;
    std::wstring sWhat;
    std::wstring sText;
    std::wstring sDate;
    std::wstring sTime;
    std::wstring sPretrigg;
    std::wstring sRepeat;
    std::wstring sInterval;
    std::wstring sRowNumber;
    std::wstring sFile;
    SecondsOfDay dayTime = 0.0;
    double preTrigger = 0.0;   // seconds before the event that the reminders begin
    double postTrigger = 0.0;  // seconds after the event that it is still reminded of
    ProgramSeconds nextAskSec = 0.0;
    ProgramSeconds nextEventTimeSec = 0.0;
    ProgramSeconds triggerEventTimeSec = 0.0;
    ProgramSeconds lastOutputSec = 0.0;
    std::int32_t repeat = 0;
    std::int32_t interval = 0;
    RecurrenceKind incType = RecurrenceKind::NotUsed;
    std::int32_t dayPointer = 0;
    std::uint32_t remindMatrix = 0;
};

}  // namespace tindlow
