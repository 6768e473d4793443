#pragma once
#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace tindlow {

// Every user-visible text that follows the language, in the fixed sizes the program relies on.
// The English and the German set are built once; the dialog keeps an active copy that the
// language switch overwrites entry by entry.
struct TextTables {
    std::vector<std::wstring> messages;        // message table
    std::vector<std::wstring> documentMenu;    // document menu texts (unnumbered)
    std::vector<std::wstring> commandMenu;     // command menu texts ("1. ..." to "19. ...")
    std::vector<std::wstring> labels;          // labels 1014, 1015, 1016
    std::vector<std::wstring> buttonCaptions;  // row order 1005 1009 1001 1010 1008 1003 1011 1007
    std::vector<std::wstring> buttonTooltips;  // same row order
};

inline constexpr std::size_t kMessageCount = 111;
inline constexpr std::size_t kDocumentMenuCount = 18;
inline constexpr std::size_t kCommandMenuCount = 19;
inline constexpr std::size_t kLabelCount = 3;
inline constexpr std::size_t kButtonTextCount = 8;

const TextTables& englishTables();
const TextTables& germanTables();
// The active copy before any language has been applied: every entry empty, every table at its
// size, so a text read that early is an empty text and never an out-of-range access.
TextTables emptyTables();

// Only the exact, case-sensitive "English" selects the English set; "german", "english", ""
// and anything else select the German one.
bool selectsEnglish(const std::wstring& languageSetting);
const TextTables& tablesFor(const std::wstring& languageSetting);

// The check box tooltip, which is not one of the tables.
std::wstring checkBoxTooltip(const std::wstring& languageSetting);

// Indices of the message table entries the program shows. The indices in between hold empty
// texts that nothing shows; they keep their places so the numbering stays fixed.
namespace msg {
inline constexpr int kInstanceWord = 0;             // " Instance " in the window title
inline constexpr int kDaysFieldEmpty = 1;           // days field validation
inline constexpr int kDaysFieldWrongCharacter = 2;  // + the offending character
inline constexpr int kEnglishHelpMissing = 3;       // start-up notices
inline constexpr int kGermanHelpMissing = 4;
inline constexpr int kIniFileMissing = 5;
inline constexpr int kNoNetworkPath = 7;        // document menu, network entry
inline constexpr int kNetworkPathNotFound = 8;  // document menu, network entry
inline constexpr int kRunningInstances = 9;     // command 1 header
inline constexpr int kReading = 10;  // "Reading " + path + ":"; file lines are found by it
inline constexpr int kFutureEventsPressed = 13;
inline constexpr int kMissedEventsPressed = 14;
inline constexpr int kReloadDataPressed = 15;
inline constexpr int kOpenHelpPressed = 16;
inline constexpr int kOpenDirectoryPressed = 17;
inline constexpr int kHideWindowPressed = 18;
inline constexpr int kSwitchLanguagePressed = 19;
inline constexpr int kClearListboxPressed = 20;
inline constexpr int kStopEntriesChecked = 21;
inline constexpr int kStopEntriesUnchecked = 22;
inline constexpr int kStopEntriesCaption = 23;  // check box caption
inline constexpr int kHelpOpenFailed = 33;
inline constexpr int kHideRejected = 34;
inline constexpr int kLine = 35;          // "Line " + n + ": " of the file readers
inline constexpr int kTryingToRead = 36;  // + directory + kNoFilesFound / kNetworkDriveNotFound
inline constexpr int kNoFilesFound = 37;
inline constexpr int kNetworkDriveNotFound = 38;
inline constexpr int kEventFileMissing = 39;  // + path + kEventFileMissingEnd
inline constexpr int kEventFileMissingEnd = 40;
inline constexpr int kOutdatedExportsDeleted = 45;
inline constexpr int kComboCommand = 46;  // + menu text + kComboCommandEnd
inline constexpr int kComboCommandEnd = 47;
inline constexpr int kWindowsError = 48;           // + last error code
inline constexpr int kProcessId = 49;              // + process id
inline constexpr int kSettingsFileNotOpened = 50;  // + error number; shown in both languages
inline constexpr int kKeyFileNotIdentified = 51;
inline constexpr int kIdentifiedFilePath = 52;
inline constexpr int kRowNumber = 53;
inline constexpr int kReminderKey = 54;
inline constexpr int kWrongKeyLine = 55;
inline constexpr int kLastRemindersEmpty = 56;
inline constexpr int kNoFileNameInLine = 57;
inline constexpr int kIntervalInvalidCharacters = 61;  // ends with "\n"
inline constexpr int kIntervalFailedChecks = 62;       // ends with "\n"
inline constexpr int kFileLabel = 63;                  // reminder line
inline constexpr int kLineLabel = 64;                  // reminder line
inline constexpr int kMonthNotDivisibleBy30 = 66;
inline constexpr int kWeekAbove5 = 67;
inline constexpr int kMonthDayAbove31 = 68;
inline constexpr int kStartXCorrected = 69;
inline constexpr int kStartYCorrected = 70;
inline constexpr int kFilePathLabel = 72;
inline constexpr int kLineNumberLabel = 73;
inline constexpr int kInvalidCharacters = 74;
inline constexpr int kWeekZero = 75;
inline constexpr int kPostPeriodShortened = 76;
inline constexpr int kBothPeriodsShortened = 77;
inline constexpr int kPostTriggerFromNowOn = 78;
inline constexpr int kPreTriggerFromNowOn = 79;
inline constexpr int kSecondsUnit = 80;
inline constexpr int kMinutesUnit = 81;
inline constexpr int kHoursUnit = 82;
inline constexpr int kDaysUnit = 83;
inline constexpr int kEvent = 86;
inline constexpr int kPreviewSuffix = 87;   // also part of the export file name
inline constexpr int kLookBackSuffix = 88;  // also part of the export file name
inline constexpr int kInputDate = 90;
inline constexpr int kTriggerDate = 91;
inline constexpr int kExcelDoubleNote = 92;
inline constexpr int kLastRemindersSuffix = 93;       // export file name suffix
inline constexpr int kCompleteDictionarySuffix = 94;  // export file name suffix
inline constexpr int kTestReminder = 95;
inline constexpr int kNextLastEventNotFound = 96;
inline constexpr int kDateInputError = 97;
inline constexpr int kDateSimulation = 98;
inline constexpr int kNoEventsOnSimulatedDay = 99;
inline constexpr int kDateSimulationSuffix = 100;    // export file name suffix, without ".txt"
inline constexpr int kTodaysDictionarySuffix = 101;  // export file name suffix
inline constexpr int kNoReminderToday = 102;
inline constexpr int kIncTypeLegend = 103;
inline constexpr int kTickCount = 104;
// A file of the program's own that could not be written: kFileNotWritten + path +
// kFileNotWrittenReason + the system's reason.
inline constexpr int kFileNotWritten = 106;
inline constexpr int kFileNotWrittenReason = 107;
// An event line whose reminder key holds the emitted reminders file's field separator.
inline constexpr int kKeyHoldsSeparator = 108;
// An export that could not be written: kFileNotWritten + path + kExportNotWritten + the reason.
inline constexpr int kExportNotWritten = 109;
// An event line whose reminder key is the test reminder's.
inline constexpr int kKeyOfTestReminder = 110;

// Every index above, in ascending order.
inline constexpr auto kShown = std::to_array<int>(
    {0,  1,  2,  3,  4,   5,   7,   8,   9,   10,  13,  14,  15,  16, 17, 18, 19, 20,
     21, 22, 23, 33, 34,  35,  36,  37,  38,  39,  40,  45,  46,  47, 48, 49, 50, 51,
     52, 53, 54, 55, 56,  57,  61,  62,  63,  64,  66,  67,  68,  69, 70, 72, 73, 74,
     75, 76, 77, 78, 79,  80,  81,  82,  83,  86,  87,  88,  90,  91, 92, 93, 94, 95,
     96, 97, 98, 99, 100, 101, 102, 103, 104, 106, 107, 108, 109, 110});
}  // namespace msg

}  // namespace tindlow
