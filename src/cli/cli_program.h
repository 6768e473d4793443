#pragma once
#include <ostream>
#include <span>
#include <string>
#include <string_view>

#include "cli/cli_request.h"
#include "cli/cli_system.h"

namespace tindlow {

// One command of the command-line program: its name, what the overview and its help say of
// it, and what runs it.
struct CliCommandRow {
    CliCommand command;
    std::string_view name;
    std::string_view operands;  // what follows the name in its usage line; empty for nothing
    std::string_view summary;   // the overview's description; each "\n" continues it a line below
    std::string_view help;      // the help below the usage line
    // Runs a request of this command; answers the exit status.
    int (*run)(const CliRequest& request, CliSystem& system);
};

// Every command, in the order of the overview.
std::span<const CliCommandRow> cliCommands();

// The command of that name; nothing for a name no command has.
const CliCommandRow* findCliCommand(std::string_view name);

// The overview, or the help of one command (by its name).
std::string cliHelpText(const std::string& topic);

// Writes why the arguments were refused and where to find help; answers kExitWrongArguments.
int refuseArguments(const std::string& error, std::ostream& err);

// Runs one request; answers the exit status. Results go to `out` as UTF-8, errors to `err`.
int runCli(const CliRequest& request, CliSystem& system);

}  // namespace tindlow
