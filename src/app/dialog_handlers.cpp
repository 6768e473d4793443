// The handlers of the dialog's buttons, check box, days field, mouse and window moves.
#include "app/tindlow_dlg.h"
#include "model/text_forms.h"
#include "ui/button_hover.h"
#include "ui/control_ids.h"
#include "ui/document_menu.h"
#include "ui/instances.h"

namespace tindlow {

void CTindlowDlg::onButton(int controlId) {
    switch (controlId) {
        case ids::kFutureEvents:
            eventPreview(false, L"");
            break;
        case ids::kMissedEvents:
            eventPreview(true, L"");
            break;
        case ids::kOpenHelp:
            openHelp();
            break;
        case ids::kOpenDirectory:
            openDirectory();
            break;
        case ids::kHideWindow:
            hideWindowButton();
            break;
        case ids::kReloadData:
            reloadDataButton();
            break;
        case ids::kSwitchLanguage:
            switchLanguageButton();
            break;
        case ids::kClearListbox:
            clearListboxButton();
            break;
        case ids::kStopEntries:
            stopEntriesCheckBox();
            break;
        default:
            break;
    }
}

void CTindlowDlg::onMenuChoice(int comboId) {
    if (comboId == ids::kDocumentMenu) {
        documentMenuChoice();
    } else if (comboId == ids::kCommandMenu) {
        commandMenuChoice();
    }
}

bool CTindlowDlg::onKeyDown(KeyPress key) {
    if (key == KeyPress::Enter) {
        return true;
    }
    if (key == KeyPress::Digit && state_.daysFieldEditFlag > 0) {
        state_.daysRevalidationTick = state_.tickCounter + 6;
    }
    return false;
}

void CTindlowDlg::onDaysFieldFocus() {
    platform_.view.setControlText(ids::kDaysField, L"");
    state_.daysFieldEditFlag = 1;
    state_.daysRevalidationTick = state_.tickCounter + 10;
}

void CTindlowDlg::onMove() {
    // A minimised window is moved off the screen by the platform; that is no position to start
    // from next time, and it would cost the user a correction box at every start.
    if (platform_.view.isMinimized()) {
        return;
    }
    state_.windowRect = platform_.view.windowRect();
    if (state_.firstPaintDone) {
        recordButtonRects();
        state_.startX = state_.windowRect.left;
        state_.startY = state_.windowRect.top;
    }
}

void CTindlowDlg::onMouseMove() {
    hoverFromMouseMove(state_.buttons, platform_.view);
}

void CTindlowDlg::onMouseLeave() {
    hoverFromMouseLeave(state_.buttons, state_.windowRect, platform_.view.cursorPos(),
                        platform_.view);
}

std::wstring CTindlowDlg::logMenuChoice(int comboId) {
    View& view = platform_.view;
    const int selection = view.comboSelection(comboId);
    const std::wstring selected =
        selection < 0 ? std::wstring() : view.comboItemText(comboId, selection);
    // Logged first, so the line precedes everything the choice writes.
    log_.log(text(msg::kComboCommand) + selected + text(msg::kComboCommandEnd));
    return selected;
}

void CTindlowDlg::documentMenuChoice() {
    const std::wstring selected = logMenuChoice(ids::kDocumentMenu);
    const DocumentChoice choice = documentChoice(
        selected, texts_, state_.paths, state_.ini.networkPath, state_.ini.networkPathState);
    if (choice.message >= 0) {
        log_.log(text(choice.message));
    }
    if (!choice.path.empty()) {
        openReportingFailure(choice.path);
    }
}

void CTindlowDlg::windowsErrorReport(std::uint32_t code) {
    log_.log(text(msg::kWindowsError) + intText(code));
}

void CTindlowDlg::openReportingFailure(const std::wstring& path) {
    const ShellResult result = platform_.shell.open(path);
    if (!result.opened) {
        windowsErrorReport(result.error);
    }
}

void CTindlowDlg::openHelp() {
    log_.log(text(msg::kOpenHelpPressed));
    const std::wstring& path = selectsEnglish(state_.language) ? state_.paths.englishHelpFile
                                                               : state_.paths.germanHelpFile;
    if (!platform_.shell.open(path).opened) {
        log_.log(text(msg::kHelpOpenFailed));
    }
}

void CTindlowDlg::openDirectory() {
    log_.log(text(msg::kOpenDirectoryPressed));
    // Whether the explorer came up is not reported.
    static_cast<void>(platform_.shell.open(state_.paths.programDirectory));
}

void CTindlowDlg::hideWindowButton() {
    log_.log(text(msg::kHideWindowPressed));
    saveEmittedReminders();
    hideRequest();
}

void CTindlowDlg::hideRequest() {
    const std::int32_t instance =
        instanceNumberInTitle(state_.windowTitle, state_.titleInstanceWord);
    if (instance < 0) {
        return;
    }
    if (instance != 1) {
        log_.log(text(msg::kHideRejected));
        return;
    }
    platform_.sleeper.sleepMilliseconds(1000);
    platform_.view.command(WindowCommand::Hide);
    state_.displayState = DisplayState::Hidden;
}

void CTindlowDlg::reloadDataButton() {
    log_.log(text(msg::kReloadDataPressed));
    log_.log(state_.dashLine);
    fullReload(true);
}

void CTindlowDlg::switchLanguageButton() {
    log_.log(text(msg::kSwitchLanguagePressed));
    state_.language = selectsEnglish(state_.language) ? L"German" : L"English";
    applyLanguage();
}

void CTindlowDlg::clearListboxButton() {
    log_.clear();
    log_.log(text(msg::kClearListboxPressed));
}

void CTindlowDlg::stopEntriesCheckBox() {
    if (platform_.view.isChecked(ids::kStopEntries)) {
        log_.log(text(msg::kStopEntriesChecked));
        log_.setEnabled(false);
    } else {
        log_.setEnabled(true);
        log_.log(text(msg::kStopEntriesUnchecked));
    }
}

}  // namespace tindlow
