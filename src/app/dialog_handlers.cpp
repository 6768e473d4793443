// The handlers of the dialog's buttons, check box, days field, mouse and window moves.
#include "app/tindlow_dlg.h"
#include "model/text_forms.h"
#include "ui/button_hover.h"
#include "ui/control_ids.h"
#include "ui/document_menu.h"
#include "ui/instances.h"

namespace tindlow {

namespace {
constexpr int kEditSetFocus = 0x0100;      // EN_SETFOCUS
constexpr int kButtonClicked = 0;          // BN_CLICKED
constexpr int kComboSelectionChanged = 1;  // CBN_SELCHANGE
constexpr int kVkReturn = 0x0D;
}  // namespace

void CTindlowDlg::onCommand(int controlId, int notification) {
    if (controlId == ids::kDaysField) {
        if (notification == kEditSetFocus) {
            onDaysFieldFocus();
        }
        return;
    }
    if (controlId == ids::kDocumentMenu || controlId == ids::kCommandMenu) {
        if (notification == kComboSelectionChanged) {
            if (controlId == ids::kDocumentMenu) {
                documentMenuChoice();
            } else {
                commandMenuChoice();
            }
        }
        return;
    }
    if (notification != kButtonClicked) {
        return;
    }
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

bool CTindlowDlg::preTranslateKeyDown(int virtualKey) {
    if (virtualKey == kVkReturn) {
        return true;
    }
    if (virtualKey >= 0x30 && virtualKey <= 0x39 && state_.daysFieldEditFlag > 0) {
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
    if (!choice.path.empty() && platform_.shell.open(choice.path) <= 32) {
        windowsErrorReport();
    }
}

void CTindlowDlg::windowsErrorReport() {
    // Read the code before logging: adding a list line may overwrite it.
    const std::uint32_t code = platform_.shell.lastError();
    log_.log(text(msg::kWindowsError) + intText(code));
}

void CTindlowDlg::openHelp() {
    log_.log(text(msg::kOpenHelpPressed));
    const std::wstring& path = selectsEnglish(state_.language) ? state_.paths.englishHelpFile
                                                               : state_.paths.germanHelpFile;
    if (platform_.shell.open(path) <= 32) {
        log_.log(text(msg::kHelpOpenFailed));
    }
}

void CTindlowDlg::openDirectory() {
    log_.log(text(msg::kOpenDirectoryPressed));
    platform_.shell.open(state_.paths.programDirectory);
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
    state_.displayState = kDisplayHidden;
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
