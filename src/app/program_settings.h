#pragma once
#include "app/app_parts.h"
#include "model/settings_file.h"

namespace tindlow {

// The values the settings file carries, as the parts hold them now.
Settings currentSettings(const AppParts& parts);

// Writes the settings file; a failure is logged. Answers 0 or the error number.
int writeProgramSettings(AppParts& parts);

// Reads the settings file and hands its values to the parts. Only the values are taken: a new
// language or position shows at the next switch or start.
void readProgramSettings(AppParts& parts);

}  // namespace tindlow
