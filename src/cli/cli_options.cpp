#include "cli/cli_options.h"

#include <cctype>

#include "cli/cli_program.h"
#include "cli/utf8_text.h"
#include "model/calendar.h"

namespace tindlow {

namespace {

constexpr std::int32_t kMaxDays = 1000;

bool takeDigits(const std::string& text, std::size_t& at, std::size_t count, int& value) {
    value = 0;
    for (std::size_t i = 0; i < count; ++i, ++at) {
        if (at >= text.size() || !std::isdigit(static_cast<unsigned char>(text[at]))) {
            return false;
        }
        value = value * 10 + (text[at] - '0');
    }
    return true;
}

bool takeChar(const std::string& text, std::size_t& at, char c) {
    if (at >= text.size() || text[at] != c) {
        return false;
    }
    ++at;
    return true;
}

std::optional<std::int32_t> parseDays(const std::string& text) {
    if (text.empty() || text.size() > 4) {
        return std::nullopt;
    }
    std::int32_t value = 0;
    for (const char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c))) {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    if (value > kMaxDays) {
        return std::nullopt;
    }
    return value;
}

// Takes the value of an option given as "--name VALUE" or "--name=VALUE".
bool optionValue(const std::vector<std::string>& arguments, std::size_t& i, const std::string& name,
                 std::string& value, std::string& error) {
    const std::string& argument = arguments[i];
    if (argument == name) {
        if (i + 1 >= arguments.size()) {
            error = name + " needs a value";
            return true;
        }
        value = arguments[++i];
        return true;
    }
    if (argument.rfind(name + "=", 0) == 0) {
        value = argument.substr(name.size() + 1);
        return true;
    }
    return false;
}

CliParse refused(const std::string& error) {
    return CliParse{std::nullopt, error};
}

// The command's own options and operands.
CliParse parseCommandArguments(CliRequest request, const std::string& name,
                               const std::vector<std::string>& arguments, std::size_t i) {
    std::vector<std::string> operands;
    for (; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            request.command = CliCommand::Help;
            request.helpTopic = name;
            return CliParse{request, {}};
        }
        std::string value;
        std::string error;
        const bool filtered =
            request.command == CliCommand::Preview || request.command == CliCommand::LookBack;
        if (filtered && optionValue(arguments, i, "--file", value, error)) {
            if (!error.empty()) {
                return refused(error);
            }
            request.file = wideFromUtf8(value);
            continue;
        }
        if (argument.size() > 1 && argument[0] == '-' && argument != "-" &&
            !std::isdigit(static_cast<unsigned char>(argument[1]))) {
            return refused("unknown option for " + name + ": " + argument);
        }
        operands.push_back(argument);
    }

    switch (request.command) {
        case CliCommand::Preview:
        case CliCommand::LookBack:
            if (operands.size() > 1) {
                return refused(name + " takes at most one number of days");
            }
            if (operands.size() == 1) {
                request.days = parseDays(operands[0]);
                if (!request.days) {
                    return refused("the number of days must be a whole number from 0 to 1000: " +
                                   operands[0]);
                }
            }
            break;
        case CliCommand::Simulate:
        case CliCommand::Next:
        case CliCommand::Last:
            if (operands.size() != 1) {
                return refused(name + (request.command == CliCommand::Simulate
                                           ? " needs one date (DD.MM.YYYY)"
                                           : " needs one reminder key"));
            }
            request.argument = wideFromUtf8(operands[0]);
            break;
        case CliCommand::Report:
            if (operands.size() != 1 || (operands[0] != "complete" && operands[0] != "today")) {
                return refused("report needs 'complete' or 'today'");
            }
            request.todaysReport = operands[0] == "today";
            break;
        case CliCommand::Check:
            if (!operands.empty()) {
                return refused("check takes no arguments");
            }
            break;
        case CliCommand::Help:
            if (operands.size() > 1 ||
                (operands.size() == 1 && findCliCommand(operands[0]) == nullptr)) {
                return refused("no such command: " + (operands.empty() ? "" : operands[0]));
            }
            request.helpTopic = operands.empty() ? "" : operands[0];
            break;
    }
    return CliParse{request, {}};
}

}  // namespace

std::optional<LocalTime> parseFixedTime(const std::string& text) {
    LocalTime time;
    std::size_t at = 0;
    const bool form = takeDigits(text, at, 2, time.day) && takeChar(text, at, '.') &&
                      takeDigits(text, at, 2, time.month) && takeChar(text, at, '.') &&
                      takeDigits(text, at, 4, time.year) && takeChar(text, at, ' ') &&
                      takeDigits(text, at, 2, time.hour) && takeChar(text, at, ':') &&
                      takeDigits(text, at, 2, time.minute) && takeChar(text, at, ':') &&
                      takeDigits(text, at, 2, time.second) && at == text.size();
    if (!form || time.month < 1 || time.month > 12 || time.day < 1 ||
        time.day > monthLength(time.month, time.year) || time.hour > 23 || time.minute > 59 ||
        time.second > 59) {
        return std::nullopt;
    }
    return time;
}

CliParse parseCliArguments(const std::vector<std::string>& arguments) {
    CliRequest request;
    std::size_t i = 0;
    for (; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            return CliParse{request, {}};
        }
        std::string value;
        std::string error;
        if (optionValue(arguments, i, "--dir", value, error)) {
            if (!error.empty()) {
                return refused(error);
            }
            request.directory = wideFromUtf8(value);
        } else if (optionValue(arguments, i, "--lang", value, error)) {
            if (!error.empty()) {
                return refused(error);
            }
            if (value != "en" && value != "de") {
                return refused("--lang takes en or de, not " + value);
            }
            request.language = value == "en" ? L"English" : L"German";
        } else if (optionValue(arguments, i, "--now", value, error)) {
            if (!error.empty()) {
                return refused(error);
            }
            request.now = parseFixedTime(value);
            if (!request.now) {
                return refused("--now takes a local time \"DD.MM.YYYY hh:mm:ss\", not " + value);
            }
        } else if (argument.size() > 1 && argument[0] == '-') {
            return refused("unknown option: " + argument);
        } else {
            break;
        }
    }
    if (i == arguments.size()) {
        return refused("no command given");
    }
    const CliCommandRow* command = findCliCommand(arguments[i]);
    if (command == nullptr) {
        return refused("no such command: " + arguments[i]);
    }
    request.command = command->command;
    return parseCommandArguments(request, std::string(command->name), arguments, i + 1);
}

}  // namespace tindlow
