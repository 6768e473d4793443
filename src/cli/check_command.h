#pragma once
#include <optional>
#include <ostream>
#include <string>

#include "platform/clock.h"
#include "platform/file_system.h"

namespace tindlow {

// Reads the settings file, the initialization file and every event file of the program
// directory as a loading does and writes every problem it finds, one a line, each with its file
// and line, and a last line with their number. Answers 0 when there was none, 1 when there
// were problems, 3 when the program directory cannot be read. With `processEndsAfter`, what it
// loaded is left to the end of the process.
int checkProgramDirectory(FileSystem& files, const std::optional<std::wstring>& language,
                          const LocalTime& now, std::ostream& out, bool processEndsAfter = false);

}  // namespace tindlow
