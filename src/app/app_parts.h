#pragma once
#include <cstdint>
#include <string>

#include "app/days_input.h"
#include "app/event_store.h"
#include "app/feedback.h"
#include "app/language.h"
#include "app/popup_signal.h"
#include "app/reminder_service.h"
#include "app/window_presentation.h"
#include "model/directory_layout.h"
#include "platform/platform.h"
#include "ui/log_list.h"

namespace tindlow {

// The run's own counters, kept by the execution tick.
struct RunState {
    std::int32_t tick = 0;
    // Ticks since the last reminder check.
    std::int32_t loop = 0;
    // The platform's tick count at the latest execution tick.
    std::uint64_t lastTickCount = 0;
    // Start-up has loaded the entries and shown the window.
    bool started = false;
};

// The parts of the program, owned by the dialog, as the commands and reports reach them. Each
// part keeps its own state; what is shared here is only the way to reach them.
struct AppParts {
    Platform& platform;
    LogList& log;
    Language& language;
    Feedback& feedback;
    WindowPresentation& window;
    DaysInput& daysInput;
    EventStore& events;
    ReminderService& reminders;
    PopupSignal& popup;
    const RunState& run;
    const DirectoryLayout& paths;
    const std::wstring& dashLine;
};

}  // namespace tindlow
