#pragma once
#include <cstdint>
#include <string>

namespace tindlow {

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
    double dayTime = 0.0;
    double preTrigger = 0.0;
    double postTrigger = 0.0;
    double nextAskSec = 0.0;
    double nextEventTimeSec = 0.0;
    double triggerEventTimeSec = 0.0;
    double lastOutputSec = 0.0;
    std::int32_t repeat = 0;
    std::int32_t interval = 0;
    std::int32_t incType = 0;
    std::int32_t dayPointer = 0;
    std::uint32_t remindMatrix = 0;
};

}  // namespace tindlow
