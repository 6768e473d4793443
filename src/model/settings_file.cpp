#include "model/settings_file.h"

#include <string_view>
#include <vector>

#include "model/lenient_number.h"
#include "model/text_files.h"
#include "model/text_forms.h"
#include "model/text_tables.h"

namespace tindlow {

namespace {

// The key must stand at the first character, blanks included, with exactly this case.
bool startsWithKey(const std::wstring& line, std::wstring_view key) {
    return std::wstring_view(line).substr(0, key.size()) == key;
}

std::wstring_view restAfter(const std::wstring& line, std::wstring_view key) {
    return std::wstring_view(line).substr(key.size());
}

// Takes the value of one recognised line; false when the line is to be ignored (a start
// position without a comma).
bool takeLine(const std::wstring& line, Settings& settings) {
    if (startsWithKey(line, kSettingsLanguageKey)) {
        settings.language = trimmed(restAfter(line, kSettingsLanguageKey));
        return true;
    }
    if (startsWithKey(line, kSettingsStartPositionKey)) {
        const std::wstring rest = trimmed(restAfter(line, kSettingsStartPositionKey));
        const std::size_t comma = rest.find(L',');
        if (comma == std::wstring::npos) {
            return false;
        }
        const std::wstring_view restView(rest);
        settings.startX = leadingInt(trimmed(restView.substr(0, comma)));
        settings.startY = leadingInt(trimmed(restView.substr(comma + 1)));
        return true;
    }
    // PreviewLookbackDays: a value out of range keeps the old one, but the line still counts.
    const std::int32_t days = leadingInt(trimmed(restAfter(line, kSettingsDaysKey)));
    if (days >= kSettingsMinDays && days <= kSettingsMaxDays) {
        settings.days = days;
    }
    return true;
}

}  // namespace

std::wstring settingsText(const Settings& settings) {
    std::wstring text;
    text += kSettingsLanguageKey;
    text += settings.language + L"\n";
    text += kSettingsStartPositionKey;
    text += intText(settings.startX) + L"," + intText(settings.startY) + L"\n";
    text += kSettingsDaysKey;
    text += intText(settings.days) + L"\n";
    return text;
}

std::wstring settingsTempPath(const std::wstring& path) {
    return replacementPath(path);
}

int writeSettingsFile(FileSystem& files, const std::wstring& path, const Settings& settings) {
    return replaceFileContent(files, path, encodeByteText(settingsText(settings)));
}

std::wstring settingsOpenFailureText(int error) {
    const std::wstring number = intText(error);
    return L"English: \n" + englishTables().messages[msg::kSettingsFileNotOpened] + number +
           L"\n\nDeutsch: \n" + germanTables().messages[msg::kSettingsFileNotOpened] + number;
}

void readSettingsFile(const FileSystem& files, LogSink& log, MessageBoxes& boxes,
                      const std::wstring& path, const std::wstring& dashLine, Settings& settings) {
    std::vector<std::wstring> lines;
    const int result = readUnicodeLines(files, path, lines);
    log.log(L"Read/Lese " + path + L":\n");
    if (result < 0) {
        lines.clear();
        // Outside the error box budget: the user must learn that the settings were not taken.
        boxes.show(settingsOpenFailureText(-result), kSettingsBoxCaption, BoxIcon::Exclamation);
    }

    int logged = 0;
    for (const std::wstring& line : lines) {
        const bool known = startsWithKey(line, kSettingsLanguageKey) ||
                           startsWithKey(line, kSettingsStartPositionKey) ||
                           startsWithKey(line, kSettingsDaysKey);
        if (!known || !takeLine(line, settings)) {
            continue;
        }
        ++logged;
        log.log(L"Line/Zeile " + paddedIntText(logged, 2) + L": " + line);
    }
    log.log(dashLine);
}

}  // namespace tindlow
