#pragma once
#include <ostream>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "platform/clock.h"
#include "platform/file_system.h"

namespace tindlow {

// Exit statuses of the command-line program.
inline constexpr int kExitDone = 0;
inline constexpr int kExitProblemsFound = 1;
inline constexpr int kExitWrongArguments = 2;
inline constexpr int kExitNoDirectory = 3;
inline constexpr int kExitUnknownKey = 4;
inline constexpr int kExitNoEvent = 5;
inline constexpr int kExitIniFileUnreadable = 6;
inline constexpr int kExitOutputFailed = 7;

// Where the command-line program works: `files` is rooted at the program directory (its
// current directory is the directory of --dir) and must refuse every write.
struct CliSystem {
    FileSystem& files;
    const Clock& clock;
    std::ostream& out;
    std::ostream& err;
};

// Writes why the arguments were refused and where to find help; answers kExitWrongArguments.
int refuseArguments(const std::string& error, std::ostream& err);

// Runs one request; answers the exit status. Results go to `out` as UTF-8, errors to `err`.
int runCli(const CliRequest& request, CliSystem& system);

}  // namespace tindlow
