#include "cli/program_directory.h"

#include "input/event_line.h"
#include "model/calendar.h"
#include "model/error_boxes.h"
#include "schedule/emitted_log.h"

namespace tindlow {

DirectoryReading readProgramSettings(const FileSystem& files,
                                     const std::optional<std::wstring>& language, LogSink& log,
                                     ProgramDirectory& directory) {
    const std::wstring root = files.currentDirectory();
    if (!files.isDirectory(root)) {
        return DirectoryReading::NoDirectory;
    }
    directory.paths = composeLayout(root);
    directory.dashLine.assign(500, L'-');
    if (files.exists(directory.paths.settingsFile)) {
        readSettingsFile(files, log, directory.boxes, directory.paths.settingsFile,
                         directory.dashLine, directory.settings);
    }
    directory.texts = &tablesFor(language.value_or(directory.settings.language));

    // Without an initialization file the window goes on with the values it starts with.
    if (!files.exists(directory.paths.iniFile)) {
        return DirectoryReading::Done;
    }
    const FileBytes content = files.readFile(directory.paths.iniFile);
    if (!content.ok()) {
        directory.iniFailure = files.errorText(static_cast<int>(content.systemError));
        return DirectoryReading::IniFileUnreadable;
    }
    applyInitializationLines(eventFileLines(content.bytes), directory.paths.iniFile,
                             *directory.texts, directory.dashLine, log, directory.ini);
    return DirectoryReading::Done;
}

void loadEvents(FileSystem& files, const LocalTime& now, LogSink& log, ProgramDirectory& directory,
                LoadObserver* observer) {
    // Every box counts and none is dropped: the window shows only the first five of a run, but
    // here they are all written down.
    std::int32_t boxCount = 0;
    ErrorBoxes errorBoxes(directory.boxes, boxCount, ErrorBoxes::kUnlimited);
    EventInput input{files,
                     log,
                     errorBoxes,
                     *directory.texts,
                     directory.complete,
                     directory.today,
                     now,
                     directory.ini.defaultPostTrigger,
                     directory.ini.executionLoopPeriod,
                     directory.dashLine,
                     observer};
    loadEventFiles(input, directory.paths.singleEventsDirectory,
                   directory.paths.periodicEventsDirectory, directory.ini.networkPath,
                   directory.ini.networkPathState, directory.lists, nullptr);
    // The file system refuses the rewrite that drops outdated lines; the file stays as it is,
    // which is what the window's next loading expects anyway.
    GivenReminders given;
    static_cast<void>(restoreEmittedLog(files, directory.paths.emittedRemindersFile,
                                        directory.today, given, nowSeconds(now),
                                        directory.ini.defaultPostTrigger));
}

}  // namespace tindlow
