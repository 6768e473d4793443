#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "input/event_input.h"
#include "input/initialization_file.h"
#include "model/calendar.h"
#include "model/directory_layout.h"
#include "platform/view.h"
#include "ui/button_table.h"

namespace tindlow {

inline constexpr const wchar_t* kWindowTitleBase = L"Tindlow v1.40 (a)";

// What the program last did to the window (not what the platform reports); the numbers are the
// show commands they stand for.
enum class DisplayState : std::int32_t {
    Hidden = 0,
    Normal = 1,
    Initial = 2,  // before start-up has shown it, and after the unhide key sequence
    Minimized = 6,
};

// Program-wide state, owned by the dialog and handed by reference to whatever needs it.
struct ProgramState {
    DirectoryLayout paths;
    std::wstring windowTitle = kWindowTitleBase;
    // The instance word the title was made with, so a later language switch does not change
    // what the hide request looks for.
    std::wstring titleInstanceWord;
    std::wstring language = L"English";
    std::int32_t days = 11;
    std::int32_t startX = 0;
    std::int32_t startY = 0;

    std::int32_t tickCounter = 0;
    std::int32_t loopCounter = 0;
    bool flashing = false;
    std::int32_t flashCounter = -1;
    DisplayState displayState = DisplayState::Initial;
    // The local date the entries were last loaded for: any other date (the next day, a machine
    // woken a month later, a clock set back) reloads them.
    DayMonthYear rememberedDate;
    // The initialization file's settings with the network path state.
    InitializationSettings ini;
    EventFileLists fileLists;
    bool firstPaintDone = false;
    bool windowKnown = false;
    ScreenRect windowRect{};
    ButtonTable buttons;
    std::int32_t errorBoxCount = 0;
    std::int32_t daysRevalidationTick = 0;
    std::int32_t daysFieldEditFlag = 0;
    std::int32_t keySequenceStep = 0;
    std::int32_t keySequenceDeadline = 0;
    std::int32_t popupRemovalTick = 0;
    std::uint64_t lastTickCount = 0;
    std::vector<std::uint32_t> runningInstances;
    std::wstring dashLine;
};

}  // namespace tindlow
