#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "platform/clock.h"

namespace tindlow {

// The commands of the command-line program; each has its row in cliCommands().
enum class CliCommand { Help, Preview, LookBack, Simulate, Next, Last, Report, Check };

// What one call of the command-line program asks for. Texts are already decoded from UTF-8.
struct CliRequest {
    CliCommand command = CliCommand::Help;
    // The command whose help is asked for (`tindlow preview --help`, `tindlow help preview`);
    // empty for the overview.
    std::string helpTopic;
    std::wstring directory;                // --dir; empty: the current directory
    std::optional<std::wstring> language;  // --lang: "English" or "German"
    std::optional<LocalTime> now;          // --now
    std::optional<std::int32_t> days;      // preview, lookback
    std::optional<std::wstring> file;      // preview, lookback: --file
    std::wstring argument;                 // simulate: the date; next, last: the key
    bool todaysReport = false;             // report today (otherwise complete)
};

}  // namespace tindlow
