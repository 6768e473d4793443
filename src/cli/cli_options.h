#pragma once
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_request.h"
#include "platform/clock.h"

namespace tindlow {

struct CliParse {
    std::optional<CliRequest> request;
    std::string error;  // why the arguments were refused, when there is no request
};

// Global options come before the command, the command's own options and operands after it.
CliParse parseCliArguments(const std::vector<std::string>& arguments);

// "DD.MM.YYYY hh:mm:ss" with a date of the program's calendar; nothing for any other text.
std::optional<LocalTime> parseFixedTime(const std::string& text);

}  // namespace tindlow
