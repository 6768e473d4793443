#include "app/program_settings.h"

namespace tindlow {

Settings currentSettings(const AppParts& parts) {
    Settings settings;
    settings.language = parts.language.name();
    settings.startX = parts.window.startPosition().x;
    settings.startY = parts.window.startPosition().y;
    settings.days = parts.daysInput.days();
    return settings;
}

int writeProgramSettings(AppParts& parts) {
    const int error =
        writeSettingsFile(parts.platform.files, parts.paths.settingsFile, currentSettings(parts));
    parts.feedback.reportWriteFailure(parts.paths.settingsFile, error,
                                      UnwrittenFile::KeepsPreviousContent);
    return error;
}

void readProgramSettings(AppParts& parts) {
    Settings settings = currentSettings(parts);
    readSettingsFile(parts.platform.files, parts.log, parts.platform.boxes,
                     parts.paths.settingsFile, parts.dashLine, settings);
    parts.language.setName(settings.language);
    parts.window.setStartPosition(settings.startX, settings.startY);
    parts.daysInput.setDays(settings.days);
}

}  // namespace tindlow
