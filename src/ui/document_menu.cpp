#include "ui/document_menu.h"

#include "model/text_forms.h"
#include "model/text_replace.h"

namespace tindlow {

std::wstring workbookName(const std::wstring& eventFileName) {
    return replacedAll(eventFileName, L".csv", L".xlsm");
}

std::vector<std::wstring> documentMenuLines(const TextTables& texts, const EventFileLists& lists) {
    std::vector<std::wstring> lines;
    auto add = [&](const std::wstring& text) {
        lines.push_back(intText(static_cast<std::int64_t>(lines.size()) + 1) + L". " + text);
    };
    const auto& menu = texts.documentMenu;
    for (int i = 0; i <= 2; ++i) {
        add(menu[i]);
    }
    for (const auto& name : lists.singleEvents) {
        add(menu[3] + workbookName(name));
    }
    for (const auto& name : lists.periodicEvents) {
        add(menu[4] + workbookName(name));
    }
    for (const auto& name : lists.networkEvents) {
        add(menu[5] + workbookName(name));
    }
    for (int i = 6; i <= 17; ++i) {
        add(menu[i]);
    }
    return lines;
}

DocumentChoice documentChoice(const std::wstring& selectedText, const TextTables& texts,
                              const DirectoryLayout& paths, const std::wstring& networkPath,
                              NetworkPathState networkPathState) {
    const auto& menu = texts.documentMenu;
    for (int i = 0; i < static_cast<int>(menu.size()); ++i) {
        const std::size_t at = menu[i].empty() ? std::wstring::npos : selectedText.find(menu[i]);
        if (at == std::wstring::npos) {
            continue;
        }
        const std::wstring fileName = selectedText.substr(at + menu[i].size());
        switch (i) {
            case 0:
                return {paths.settingsFile};
            case 1:
                return {paths.iniWorkbook};
            case 2:
                return {paths.emittedRemindersFile};
            case 3:
                return {paths.singleEventsDirectory + fileName};
            case 4:
                return {paths.periodicEventsDirectory + fileName};
            case 5:
                return {networkPath + fileName};
            case 6:
                return {paths.englishHelpFile};
            case 7:
                return {paths.germanHelpFile};
            case 8:
                return {paths.programDirectory};
            case 9:
                return {paths.emittedRemindersDirectory};
            case 10:
                return {paths.exportsDirectory};
            case 11:
                return {paths.helpDirectory};
            case 12:
                return {paths.iniFileDirectory};
            case 13:
                return {paths.singleEventsDirectory};
            case 14:
                return {paths.periodicEventsDirectory};
            case 15:
                return {paths.settingsDirectory};
            case 16:
                return {paths.userDocumentsDirectory};
            default:
                if (networkPathState == NetworkPathState::Reached ||
                    networkPathState == NetworkPathState::Read) {
                    return {networkPath};
                }
                return {L"", networkPathState == NetworkPathState::None
                                 ? msg::kNoNetworkPath
                                 : msg::kNetworkPathNotFound};
        }
    }
    return {};
}

}  // namespace tindlow
