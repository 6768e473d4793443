#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "input/network_path.h"
#include "model/log_sink.h"
#include "model/text_tables.h"

namespace tindlow {

// The limits of the numeric keys: values outside the first three are moved to the nearest
// limit, a [RemindHours] value outside its range is ignored.
inline constexpr std::int32_t kExecutionLoopSecondsMin = 1;
inline constexpr std::int32_t kExecutionLoopSecondsMax = 3600;
inline constexpr std::int32_t kFlashLimitMax = 100;
inline constexpr std::int32_t kRemindHoursMin = 1;
inline constexpr std::int32_t kRemindHoursMax = 23999;

// How the window shows after start-up: the [WindowSize] value of the initialization file.
enum class WindowSizeMode : std::int32_t { Hidden = 0, Minimized = 1, Normal = 2 };
inline constexpr std::int32_t kWindowSizeModeMax =
    static_cast<std::int32_t>(WindowSizeMode::Normal);

// The five settings of the initialization file, with their values before any reading.
struct InitializationSettings {
    std::int32_t executionLoopPeriod = 1;  // ticks of 500 ms between two reminder checks
    WindowSizeMode windowSizeMode = WindowSizeMode::Normal;
    std::int32_t flashLimit = 0;
    double defaultPostTrigger = 259200.0;  // seconds
    std::wstring networkPath;              // ends with a backslash when set
    NetworkPathState networkPathState = NetworkPathState::None;
};

// Applies the lines of the initialization file in order and logs each one: the first of the
// five keys a line contains decides, its value is the text before the first ";". Keys missing
// from the file leave their earlier values.
void applyInitializationLines(const std::vector<std::wstring>& lines, const std::wstring& path,
                              const TextTables& texts, const std::wstring& dashLine, LogSink& log,
                              InitializationSettings& settings);

}  // namespace tindlow
