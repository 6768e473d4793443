#include "input/initialization_file.h"

#include <algorithm>

#include "model/lenient_number.h"
#include "model/text_forms.h"

namespace tindlow {

namespace {

std::wstring firstColumn(const std::wstring& line) {
    const auto end = line.find(L';');
    return end == std::wstring::npos ? std::wstring() : line.substr(0, end);
}

bool contains(const std::wstring& line, const wchar_t* key) {
    return line.find(key) != std::wstring::npos;
}

}  // namespace

void applyInitializationLines(const std::vector<std::wstring>& lines, const std::wstring& path,
                              const TextTables& texts, const std::wstring& dashLine, LogSink& log,
                              InitializationSettings& settings) {
    log.log(texts.messages[msg::kReading] + path + L":");
    std::int64_t number = 0;
    for (const std::wstring& line : lines) {
        ++number;
        const std::wstring prefix = texts.messages[msg::kLine] + paddedIntText(number, 2);
        const std::wstring value = firstColumn(line);
        if (contains(line, L"[ExecutionLoop]")) {
            const std::int32_t seconds =
                std::clamp(leadingInt(value), kExecutionLoopSecondsMin, kExecutionLoopSecondsMax);
            settings.executionLoopPeriod = 2 * seconds;
            log.log(prefix + L": [ExecutionLoop] = " + intText(seconds));
        } else if (contains(line, L"[WindowSize]")) {
            const std::int32_t mode = std::clamp(leadingInt(value), 0, kWindowSizeModeMax);
            settings.windowSizeMode = static_cast<WindowSizeMode>(mode);
            log.log(prefix + L": [WindowSize] = " + intText(mode));
        } else if (contains(line, L"[NumFlashing]")) {
            settings.flashLimit = std::clamp(leadingInt(value), 0, kFlashLimitMax);
            log.log(prefix + L": [NumFlashing] = " + intText(settings.flashLimit));
        } else if (contains(line, L"[RemindHours]")) {
            const std::int32_t hours = leadingInt(value);
            if (hours >= kRemindHoursMin && hours <= kRemindHoursMax) {
                settings.defaultPostTrigger = hours * 3600.0;
            }
            log.log(prefix + L": [RemindHours] = " + intText(hours));
        } else if (contains(line, L"[NetworkPathDateFiles]")) {
            std::wstring networkPath = trimmed(value);
            if (!networkPath.empty()) {
                if (networkPath.back() != L'\\') {
                    networkPath += L'\\';
                }
                settings.networkPath = networkPath;
                settings.networkPathState = NetworkPathState::NotReached;
            }
            log.log(prefix + L": [NetworkPathDateFiles] = " + settings.networkPath);
        } else {
            log.log(prefix + L": " + line);
        }
    }
    log.log(dashLine);
}

}  // namespace tindlow
