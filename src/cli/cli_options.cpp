#include "cli/cli_options.h"

#include <cctype>
#include <map>

#include "cli/utf8_text.h"
#include "model/calendar.h"

namespace tindlow {

namespace {

constexpr std::int32_t kMaxDays = 1000;

const std::map<std::string, CliCommand>& commandNames() {
    static const std::map<std::string, CliCommand> names = {
        {"preview", CliCommand::Preview},   {"lookback", CliCommand::LookBack},
        {"simulate", CliCommand::Simulate}, {"next", CliCommand::Next},
        {"last", CliCommand::Last},         {"report", CliCommand::Report},
        {"check", CliCommand::Check},       {"help", CliCommand::Help}};
    return names;
}

const char* const kOverview =
    "Usage: tindlow [--dir PATH] [--lang en|de] [--now \"DD.MM.YYYY hh:mm:ss\"] COMMAND [ARGS]\n"
    "\n"
    "Reads the event files of a Tindlow program directory as the Tindlow window does and\n"
    "answers from them. It only reads: nothing in the directory is created or written, so it\n"
    "can run beside a running window on the same directory.\n"
    "\n"
    "Commands:\n"
    "  preview [DAYS] [--file PATH]   the events of today and DAYS further days\n"
    "  lookback [DAYS] [--file PATH]  the events of today and DAYS past days\n"
    "  simulate DATE                  the events that fall on DATE (DD.MM.YYYY)\n"
    "  next KEY                       the next event of the entry with reminder key KEY\n"
    "  last KEY                       the last event of the entry with reminder key KEY\n"
    "  report complete|today          every field of every entry of a dictionary\n"
    "  check                          every problem of the event files, the initialization\n"
    "                                 file and the settings file, each with file and line\n"
    "  help [COMMAND]                 this text, or the help of one command\n"
    "\n"
    "Options (before the command):\n"
    "  --dir PATH   the program directory (default: the current directory)\n"
    "  --lang L     en or de: the language of the output (default: the settings file's)\n"
    "  --now T      compute for the local time T, \"DD.MM.YYYY hh:mm:ss\" (default: now)\n"
    "  --help       this text; COMMAND --help gives the help of one command\n"
    "\n"
    "The output is UTF-8 text, the same text the window writes into its export files. On\n"
    "Linux, file paths are shown as the window shows them under Wine (Z:\\home\\...).\n"
    "\n"
    "Exit status: 0 done; 1 check found problems; 2 wrong arguments; 3 the program directory\n"
    "cannot be read; 4 the key is in no event file; 5 no next or last event within 1,000,000\n"
    "days; 6 the initialization file cannot be read; 7 the output cannot be written.\n";

const std::map<std::string, std::string>& commandHelp() {
    static const std::map<std::string, std::string> help = {
        {"preview",
         "Usage: tindlow preview [DAYS] [--file PATH]\n"
         "\n"
         "Lists the events of today and DAYS further days, day by day and within a day in the\n"
         "order of the reminder keys, numbered as the 'Future Events' button lists them. DAYS\n"
         "is 0 to 1000 (default: PreviewLookbackDays of the settings file, else 11).\n"
         "--file PATH lists only the entries of one event file: its name, a path ending in\n"
         "it (_PeriodicEvents/Health.csv) or its full path.\n"},
        {"lookback",
         "Usage: tindlow lookback [DAYS] [--file PATH]\n"
         "\n"
         "Lists the events of today and DAYS past days, today first, as the 'Missed Events'\n"
         "button lists them. DAYS and --file as for preview.\n"},
        {"simulate",
         "Usage: tindlow simulate DATE\n"
         "\n"
         "Lists the events that fall on DATE (DD.MM.YYYY), as the date simulation of the\n"
         "command menu does.\n"},
        {"next",
         "Usage: tindlow next KEY\n"
         "\n"
         "Shows the next event (today included) of the entry whose reminder key is KEY, for\n"
         "example [06.11.2018-10:09:27-963303772-775740099]; the brackets may be left out, and\n"
         "a whole reminder line may be given instead of the key.\n"},
        {"last",
         "Usage: tindlow last KEY\n"
         "\n"
         "Shows the last event (today included) of the entry whose reminder key is KEY. KEY as\n"
         "for next.\n"},
        {"report",
         "Usage: tindlow report complete|today\n"
         "\n"
         "Writes every field of every entry of the complete dictionary (all event lines) or\n"
         "of today's dictionary (the entries that remind today, with the reminders already\n"
         "given today as the emitted reminders log records them).\n"},
        {"check",
         "Usage: tindlow check\n"
         "\n"
         "Reads every event file, the initialization file and the settings file as a loading\n"
         "does and lists every problem at once, each with its file and line: interval columns\n"
         "the window refuses, trigger periods it shortens, reminder keys used twice, files that\n"
         "cannot be read, dates that are not dates, lines cut at 998 characters. Run it before\n"
         "you drop a new export into the program directory. Exit status 0 only when nothing\n"
         "was found, 1 when problems were listed.\n"},
        {"help",
         "Usage: tindlow help [COMMAND]\n"
         "\n"
         "Shows the overview, or the help of one command.\n"},
    };
    return help;
}

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
                (operands.size() == 1 && commandHelp().count(operands[0]) == 0)) {
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
    const auto command = commandNames().find(arguments[i]);
    if (command == commandNames().end()) {
        return refused("no such command: " + arguments[i]);
    }
    request.command = command->second;
    return parseCommandArguments(request, command->first, arguments, i + 1);
}

std::string cliHelpText(const std::string& topic) {
    const auto help = commandHelp().find(topic);
    return help == commandHelp().end() ? kOverview : help->second;
}

}  // namespace tindlow
