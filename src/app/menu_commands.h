#pragma once
#include <cstdint>

namespace tindlow {

// The commands of the "Further Commands" drop-down, by the number their text begins with; the
// number is also their place in the menu and in each language's command texts. Tests and the
// end-to-end harness name commands by these names.
enum class MenuCommand : std::int32_t {
    ListRunningInstances = 1,
    PopUpHiddenInstances = 2,
    ReloadSettingsFile = 3,
    ReloadInitializationFile = 4,
    ReloadAllDataFiles = 5,
    CopyLogListToClipboard = 6,
    ShowLogListInEditor = 7,
    ShowLastReminders = 8,
    ShowLastRemindersInEditor = 9,
    CompleteDictionaryReport = 10,
    TodaysDictionaryReport = 11,
    PreviewOfSelectedFile = 12,
    LookBackOfSelectedFile = 13,
    OpenFileOfSelectedKey = 14,
    NextEventOfSelectedKey = 15,
    LastEventOfSelectedKey = 16,
    CreateTestReminder = 17,
    SimulateDate = 18,
    ShowTickCount = 19,
};

}  // namespace tindlow
