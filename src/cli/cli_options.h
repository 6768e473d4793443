#pragma once
#include <optional>
#include <string>
#include <vector>

#include "platform/clock.h"

namespace tindlow {

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

struct CliParse {
    std::optional<CliRequest> request;
    std::string error;  // why the arguments were refused, when there is no request
};

// Global options come before the command, the command's own options and operands after it.
CliParse parseCliArguments(const std::vector<std::string>& arguments);

// "DD.MM.YYYY hh:mm:ss" with a date of the program's calendar; nothing for any other text.
std::optional<LocalTime> parseFixedTime(const std::string& text);

// The overview, or the help of one command (by its name).
std::string cliHelpText(const std::string& topic);

}  // namespace tindlow
