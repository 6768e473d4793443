#include "ui/document_menu.h"

#include <iterator>

#include "model/text_forms.h"
#include "model/text_replace.h"

namespace tindlow {

std::wstring workbookName(const std::wstring& eventFileName) {
    return replacedAll(eventFileName, L".csv", L".xlsm");
}

namespace {

// What a line of the document menu opens.
enum class Target {
    Path,               // one of the program's own paths
    SingleWorkbooks,    // a line per event file of _SingleEvents: its workbook
    PeriodicWorkbooks,  // a line per event file of _PeriodicEvents
    NetworkWorkbooks,   // a line per event file of the network path
    NetworkPath,        // the network path itself, once it has been reached
};

// The document menu, one row per text of the menu's text table, in the menu's order: the row's
// text (with a file name after it for the workbook rows) makes its lines, and a chosen line is
// decided by the first row whose text it contains.
struct DocumentRow {
    int text;
    Target target;
    std::wstring DirectoryLayout::*path;  // the path of a Path row; the directory of a workbook
};

const DocumentRow kDocumentRows[] = {
    {0, Target::Path, &DirectoryLayout::settingsFile},
    {1, Target::Path, &DirectoryLayout::iniWorkbook},
    {2, Target::Path, &DirectoryLayout::emittedRemindersFile},
    {3, Target::SingleWorkbooks, &DirectoryLayout::singleEventsDirectory},
    {4, Target::PeriodicWorkbooks, &DirectoryLayout::periodicEventsDirectory},
    {5, Target::NetworkWorkbooks, nullptr},
    {6, Target::Path, &DirectoryLayout::englishHelpFile},
    {7, Target::Path, &DirectoryLayout::germanHelpFile},
    {8, Target::Path, &DirectoryLayout::programDirectory},
    {9, Target::Path, &DirectoryLayout::emittedRemindersDirectory},
    {10, Target::Path, &DirectoryLayout::exportsDirectory},
    {11, Target::Path, &DirectoryLayout::helpDirectory},
    {12, Target::Path, &DirectoryLayout::iniFileDirectory},
    {13, Target::Path, &DirectoryLayout::singleEventsDirectory},
    {14, Target::Path, &DirectoryLayout::periodicEventsDirectory},
    {15, Target::Path, &DirectoryLayout::settingsDirectory},
    {16, Target::Path, &DirectoryLayout::userDocumentsDirectory},
    {17, Target::NetworkPath, nullptr},
};
static_assert(std::size(kDocumentRows) == kDocumentMenuCount);

const std::vector<std::wstring>* listedFiles(Target target, const EventFileLists& lists) {
    switch (target) {
        case Target::SingleWorkbooks:
            return &lists.singleEvents;
        case Target::PeriodicWorkbooks:
            return &lists.periodicEvents;
        case Target::NetworkWorkbooks:
            return &lists.networkEvents;
        default:
            return nullptr;
    }
}

}  // namespace

std::vector<std::wstring> documentMenuLines(const TextTables& texts, const EventFileLists& lists) {
    std::vector<std::wstring> lines;
    auto add = [&](const std::wstring& text) {
        lines.push_back(intText(static_cast<std::int64_t>(lines.size()) + 1) + L". " + text);
    };
    for (const DocumentRow& row : kDocumentRows) {
        const std::wstring& text = texts.documentMenu[static_cast<std::size_t>(row.text)];
        if (const std::vector<std::wstring>* files = listedFiles(row.target, lists)) {
            for (const std::wstring& name : *files) {
                add(text + workbookName(name));
            }
        } else {
            add(text);
        }
    }
    return lines;
}

DocumentChoice documentChoice(const std::wstring& selectedText, const TextTables& texts,
                              const DirectoryLayout& paths, const std::wstring& networkPath,
                              NetworkPathState networkPathState) {
    for (const DocumentRow& row : kDocumentRows) {
        const std::wstring& text = texts.documentMenu[static_cast<std::size_t>(row.text)];
        const std::size_t at = text.empty() ? std::wstring::npos : selectedText.find(text);
        if (at == std::wstring::npos) {
            continue;
        }
        const std::wstring fileName = selectedText.substr(at + text.size());
        switch (row.target) {
            case Target::Path:
                return {paths.*row.path, std::nullopt};
            case Target::SingleWorkbooks:
            case Target::PeriodicWorkbooks:
                return {paths.*row.path + fileName, std::nullopt};
            case Target::NetworkWorkbooks:
                return {networkPath + fileName, std::nullopt};
            case Target::NetworkPath:
                if (networkPathState == NetworkPathState::Reached ||
                    networkPathState == NetworkPathState::Read) {
                    return {networkPath, std::nullopt};
                }
                return {L"", networkPathState == NetworkPathState::None
                                 ? msg::kNoNetworkPath
                                 : msg::kNetworkPathNotFound};
        }
    }
    return {};
}

}  // namespace tindlow
