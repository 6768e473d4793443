#pragma once
#include <ostream>

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
    // Set by the real program, whose process ends right after the command: what the command
    // loaded is then left to the operating system, which takes it back at once, instead of
    // being freed entry by entry (a fifth of a run at 100,000 events).
    bool processEndsAfter = false;
};

}  // namespace tindlow
