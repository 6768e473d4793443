#include "app/dialog_controls.h"

#include "app/reloading.h"
#include "app/report_runs.h"
#include "app/window_commands.h"
#include "app/window_texts.h"
#include "ui/control_ids.h"
#include "ui/document_menu.h"

namespace tindlow {

namespace {

void openHelp(AppParts& parts) {
    parts.log.log(parts.language.text(msg::kOpenHelpPressed));
    const std::wstring& path =
        parts.language.isEnglish() ? parts.paths.englishHelpFile : parts.paths.germanHelpFile;
    if (!parts.platform.shell.open(path).opened) {
        parts.log.log(parts.language.text(msg::kHelpOpenFailed));
    }
}

void openDirectory(AppParts& parts) {
    parts.log.log(parts.language.text(msg::kOpenDirectoryPressed));
    // Whether the explorer came up is not reported.
    static_cast<void>(parts.platform.shell.open(parts.paths.programDirectory));
}

void hideWindow(AppParts& parts) {
    parts.log.log(parts.language.text(msg::kHideWindowPressed));
    parts.events.saveReminderState();
    hideRequest(parts);
}

void reloadData(AppParts& parts) {
    parts.log.log(parts.language.text(msg::kReloadDataPressed));
    parts.log.log(parts.dashLine);
    reloadEvents(parts, true);
}

void switchLanguage(AppParts& parts) {
    parts.log.log(parts.language.text(msg::kSwitchLanguagePressed));
    parts.language.setName(parts.language.isEnglish() ? L"German" : L"English");
    applyLanguage(parts);
}

void clearListbox(AppParts& parts) {
    parts.log.clear();
    parts.log.log(parts.language.text(msg::kClearListboxPressed));
}

void stopEntries(AppParts& parts) {
    if (parts.platform.view.isChecked(ids::kStopEntries)) {
        parts.log.log(parts.language.text(msg::kStopEntriesChecked));
        parts.log.setEnabled(false);
    } else {
        parts.log.setEnabled(true);
        parts.log.log(parts.language.text(msg::kStopEntriesUnchecked));
    }
}

// The place of the selection in a drop-down menu, with its text (empty when none), logged as
// the chosen command first, so the line precedes everything the choice writes.
struct MenuChoice {
    int index = -1;
    std::wstring text;
};

MenuChoice logMenuChoice(AppParts& parts, int comboId) {
    const View& view = parts.platform.view;
    MenuChoice choice;
    choice.index = view.comboSelection(comboId);
    if (choice.index >= 0) {
        choice.text = view.comboItemText(comboId, choice.index);
    }
    parts.log.log(parts.language.text(msg::kComboCommand) + choice.text +
                  parts.language.text(msg::kComboCommandEnd));
    return choice;
}

}  // namespace

void pressButton(AppParts& parts, int controlId) {
    switch (controlId) {
        case ids::kFutureEvents:
            runEventPreview(parts, false, L"");
            break;
        case ids::kMissedEvents:
            runEventPreview(parts, true, L"");
            break;
        case ids::kOpenHelp:
            openHelp(parts);
            break;
        case ids::kOpenDirectory:
            openDirectory(parts);
            break;
        case ids::kHideWindow:
            hideWindow(parts);
            break;
        case ids::kReloadData:
            reloadData(parts);
            break;
        case ids::kSwitchLanguage:
            switchLanguage(parts);
            break;
        case ids::kClearListbox:
            clearListbox(parts);
            break;
        case ids::kStopEntries:
            stopEntries(parts);
            break;
        default:
            break;
    }
}

void chooseDocument(AppParts& parts) {
    const MenuChoice selected = logMenuChoice(parts, ids::kDocumentMenu);
    const InitializationSettings& ini = parts.events.ini();
    const DocumentChoice choice = documentChoice(selected.text, parts.language.texts(), parts.paths,
                                                 ini.networkPath, ini.networkPathState);
    if (choice.message) {
        parts.log.log(parts.language.text(*choice.message));
    }
    if (!choice.path.empty()) {
        parts.feedback.openReportingFailure(choice.path);
    }
}

void chooseCommand(AppParts& parts) {
    const MenuChoice selected = logMenuChoice(parts, ids::kCommandMenu);
    if (selected.index >= 0) {
        runWindowCommand(parts, static_cast<std::size_t>(selected.index), selected.text);
    }
}

void hideRequest(AppParts& parts) {
    const std::optional<std::int32_t> instance = parts.window.instanceNumber();
    if (!instance) {
        return;
    }
    if (*instance != 1) {
        parts.log.log(parts.language.text(msg::kHideRejected));
        return;
    }
    parts.platform.sleeper.sleepMilliseconds(1000);
    parts.window.hide();
}

}  // namespace tindlow
