#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "model/log_sink.h"
#include "platform/file_system.h"
#include "platform/message_boxes.h"

namespace tindlow {

// What the settings file carries from one run to the next.
// The keys of the three lines, each at the first character with exactly this case and blanks,
// and the range a PreviewLookbackDays value must lie in to be taken.
inline constexpr std::wstring_view kSettingsLanguageKey = L"Language = ";
inline constexpr std::wstring_view kSettingsStartPositionKey = L"StartPosition = ";
inline constexpr std::wstring_view kSettingsDaysKey = L"PreviewLookbackDays = ";
inline constexpr std::int32_t kSettingsMinDays = 1;
inline constexpr std::int32_t kSettingsMaxDays = 1000;

struct Settings {
    std::wstring language = L"English";
    std::int32_t startX = 0;
    std::int32_t startY = 0;
    std::int32_t days = 11;
};

// The three lines "Language = ...", "StartPosition = x,y", "PreviewLookbackDays = n", each
// ended by "\n".
std::wstring settingsText(const Settings& settings);

// Writes the file as 8-bit text with CR LF line ends. The text goes to a temporary file beside
// it first and replaces the old file only once it is completely written, so a full disk or a
// killed process never leaves a truncated settings file behind. Answers 0 or the error number;
// on failure the old file is unchanged and no temporary file is left.
[[nodiscard]] int writeSettingsFile(FileSystem& files, const std::wstring& path,
                                    const Settings& settings);

// The temporary file the writer uses for `path`.
std::wstring settingsTempPath(const std::wstring& path);

// The text of the box shown when the file cannot be opened: English and German together, since
// the language is not known yet at that point.
std::wstring settingsOpenFailureText(int error);
inline constexpr const wchar_t* kSettingsBoxCaption = L"Tindlow";

// Reads the file and takes the values of the lines it recognises; logs the file, each line it
// took and the dash line at the end. Lines it does not know are skipped silently; a file that
// cannot be opened gives the bilingual box and leaves every value as it was.
void readSettingsFile(const FileSystem& files, LogSink& log, MessageBoxes& boxes,
                      const std::wstring& path, const std::wstring& dashLine, Settings& settings);

}  // namespace tindlow
