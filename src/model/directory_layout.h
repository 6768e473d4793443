#pragma once
#include <string>

#include "platform/file_system.h"

namespace tindlow {

inline constexpr const wchar_t* kTempDirectory = L"C:\\Temp\\";
inline constexpr const wchar_t* kPopupSignalFile = L"C:\\Temp\\PopupHiddenReminders.txt";

// Every path below the program directory. Directory paths end with a backslash.
struct DirectoryLayout {
    std::wstring programDirectory;  // no trailing backslash
    std::wstring settingsDirectory;
    std::wstring settingsFile;
    std::wstring iniFileDirectory;
    std::wstring iniFile;
    std::wstring iniWorkbook;
    std::wstring periodicEventsDirectory;
    std::wstring singleEventsDirectory;
    std::wstring emittedRemindersDirectory;
    std::wstring emittedRemindersFile;
    std::wstring exportsDirectory;
    std::wstring userDocumentsDirectory;
    std::wstring helpDirectory;
    std::wstring englishHelpFile;
    std::wstring germanHelpFile;
};

// Composes the layout for a program directory (a trailing backslash is dropped).
DirectoryLayout composeLayout(const std::wstring& programDirectory);

// Creates every missing directory of the layout, one level each, and an empty emitted reminders
// file when it is missing; then C:\Temp\. Failures are not reported: later reads and writes of
// those places report them.
void createMissingDirectories(FileSystem& files, const DirectoryLayout& layout);

}  // namespace tindlow
