#include "model/directory_layout.h"

namespace tindlow {

DirectoryLayout composeLayout(const std::wstring& programDirectory) {
    DirectoryLayout layout;
    std::wstring root = programDirectory;
    while (!root.empty() && (root.back() == L'\\' || root.back() == L'/')) {
        root.pop_back();
    }
    layout.programDirectory = root;
    layout.settingsDirectory = root + L"\\_Settings\\";
    layout.settingsFile = root + L"\\_Settings\\Settings.txt";
    layout.iniFileDirectory = root + L"\\_IniFile\\";
    layout.iniFile = root + L"\\_IniFile\\IniFile.csv";
    layout.iniWorkbook = root + L"\\_IniFile\\IniFile.xlsm";
    layout.periodicEventsDirectory = root + L"\\_PeriodicEvents\\";
    layout.singleEventsDirectory = root + L"\\_SingleEvents\\";
    layout.emittedRemindersDirectory = root + L"\\_EmittedReminders\\";
    layout.emittedRemindersFile = root + L"\\_EmittedReminders\\EmittedReminders.txt";
    layout.exportsDirectory = root + L"\\_Exports\\";
    layout.userDocumentsDirectory = root + L"\\_UserDocuments\\";
    layout.helpDirectory = root + L"\\_Help\\";
    layout.englishHelpFile = root + L"\\_Help\\Help.pdf";
    layout.germanHelpFile = root + L"\\_Help\\Hilfe.pdf";
    return layout;
}

namespace {

void createIfMissing(FileSystem& files, const std::wstring& directory) {
    if (!files.exists(directory)) {
        files.createDirectory(directory);
    }
}

}  // namespace

void createMissingDirectories(FileSystem& files, const DirectoryLayout& layout) {
    createIfMissing(files, layout.settingsDirectory);
    createIfMissing(files, layout.iniFileDirectory);
    createIfMissing(files, layout.periodicEventsDirectory);
    createIfMissing(files, layout.singleEventsDirectory);
    createIfMissing(files, layout.emittedRemindersDirectory);
    if (!files.exists(layout.emittedRemindersFile)) {
        // Not reported: the first save reports a file it cannot write.
        static_cast<void>(files.writeFile(layout.emittedRemindersFile, std::string()));
    }
    createIfMissing(files, layout.exportsDirectory);
    createIfMissing(files, layout.userDocumentsDirectory);
    createIfMissing(files, layout.helpDirectory);
    createIfMissing(files, kTempDirectory);
}

}  // namespace tindlow
