#include "app/tindlow_dlg.h"

#include "model/calendar.h"
#include "model/directory_layout.h"
#include "model/error_boxes.h"
#include "model/text_files.h"
#include "model/text_forms.h"
#include "reports/export_cleanup.h"
#include "reports/export_files.h"
#include "ui/control_ids.h"
#include "ui/document_menu.h"
#include "ui/instances.h"
#include "ui/settings_file.h"
#include "ui/start_position.h"

namespace tindlow {

namespace {

constexpr int kSettingsNotice = -1;

}  // namespace

CTindlowDlg::CTindlowDlg(Platform& platform)
    : platform_(platform), texts_(emptyTables()), log_(platform.view) {}

const std::wstring& CTindlowDlg::text(int messageIndex) const {
    static const std::wstring kNone;
    if (messageIndex < 0 || messageIndex >= static_cast<int>(texts_.messages.size())) {
        return kNone;
    }
    return texts_.messages[static_cast<std::size_t>(messageIndex)];
}

void CTindlowDlg::onInitDialog() {
    View& view = platform_.view;
    FileSystem& files = platform_.files;

    view.setAppIcon();
    // Known before the first tick, so a tick nested in a start-up box sees no change of day.
    state_.rememberedDate = dateOf(platform_.clock.localTime());
    view.startTimer(ids::kTimer, 500);
    view.prepareLogList();
    // A signal left by an earlier run must not pop this window up.
    files.deleteFile(kPopupSignalFile);

    state_.paths = composeLayout(files.currentDirectory());
    state_.dashLine.assign(500, L'-');
    createMissingDirectories(files, state_.paths);
    // The language is not applied yet: the heading of the clean-up comes in English, the
    // language every run starts with.
    cleanUpExports(files, state_.paths.exportsDirectory, platform_.clock.localTime(),
                   englishTables(), state_.dashLine, log_);

    if (!files.exists(state_.paths.settingsFile)) {
        const int error = writeSettingsFile(files, state_.paths.settingsFile, currentSettings());
        reportWriteFailure(state_.paths.settingsFile, error);
        if (error == 0) {
            notices_.push_back(kSettingsNotice);
        }
    }
    Settings settings = currentSettings();
    readSettingsFile(files, log_, platform_.boxes, state_.paths.settingsFile, state_.dashLine,
                     settings);
    takeSettings(settings);

    fillButtonTable(state_.buttons);
    applyLanguage();

    const std::int32_t instance =
        countRunningInstances(platform_.processes, state_.runningInstances);
    state_.titleInstanceWord = text(msg::kInstanceWord);
    state_.windowTitle =
        std::wstring(kWindowTitleBase) + state_.titleInstanceWord + intText(instance);
    view.setTitle(state_.windowTitle);

    state_.rememberedDate = dateOf(platform_.clock.localTime());
}

Settings CTindlowDlg::currentSettings() const {
    Settings settings;
    settings.language = state_.language;
    settings.startX = state_.startX;
    settings.startY = state_.startY;
    settings.days = state_.days;
    return settings;
}

void CTindlowDlg::takeSettings(const Settings& settings) {
    state_.language = settings.language;
    state_.startX = settings.startX;
    state_.startY = settings.startY;
    state_.days = settings.days;
}

void CTindlowDlg::onPaint() {
    // A paint nested in a box that the first paint opens must not start it again.
    if (!state_.firstPaintDone && !firstPaintStarted_) {
        firstPaintStarted_ = true;
        firstPaint();
    }
}

void CTindlowDlg::firstPaint() {
    View& view = platform_.view;
    FileSystem& files = platform_.files;

    if (!view.findByTitle(state_.windowTitle)) {
        platform_.boxes.show(
            L"No handle to The Tindlow window was received [in the OnPaint() function]. The "
            L"application cannot work correctly.",
            kBoxCaption, BoxIcon::Stop);
        view.endDialog();
        return;
    }
    state_.windowKnown = true;

    state_.windowRect = view.windowRect();
    checkAndApplyStartPosition();
    view.setControlText(ids::kDaysField, intText(state_.days));
    view.setFocus(ids::kLogList);
    recordButtonRects();

    if (!files.exists(state_.paths.englishHelpFile)) {
        notices_.push_back(msg::kEnglishHelpMissing);
    }
    if (!files.exists(state_.paths.germanHelpFile)) {
        notices_.push_back(msg::kGermanHelpMissing);
    }
    if (!files.exists(state_.paths.iniFile)) {
        notices_.push_back(msg::kIniFileMissing);
    } else if (!readInitializationFile(true)) {
        return;
    }
    // Loads, fills the document menu and restores the day's reminder state, all computed for
    // the day of this moment.
    state_.rememberedDate = dateOf(platform_.clock.localTime());
    fullReload(false);

    fillCommandMenu();
    rebuildTooltips();

    switch (state_.ini.windowSizeMode) {
        case 0:
            view.command(WindowCommand::Hide);
            state_.displayState = DisplayState::Hidden;
            break;
        case 1:
            view.command(WindowCommand::Minimize);
            view.toForeground();
            state_.displayState = DisplayState::Minimized;
            break;
        default:
            view.command(WindowCommand::ShowNormal);
            view.toForeground();
            state_.displayState = DisplayState::Normal;
            break;
    }
    state_.firstPaintDone = true;
    showStartupNotices();
}

void CTindlowDlg::showStartupNotices() {
    for (int notice : notices_) {
        if (notice == kSettingsNotice) {
            log_.log(selectsEnglish(state_.language)
                         ? L"The settings-file was missing and newly created."
                         : L"Die Settings-Datei fehlte und wurde neu erzeugt.");
        } else {
            log_.log(text(notice));
        }
    }
    notices_.clear();
}

void CTindlowDlg::checkAndApplyStartPosition() {
    View& view = platform_.view;
    const StartPositionCheck check =
        checkStartPosition(state_.startX, state_.startY, state_.windowRect,
                           view.virtualScreenWidth(), view.virtualScreenHeight());
    state_.startX = check.x;
    state_.startY = check.y;
    if (check.message >= 0) {
        showCountedErrorBox(text(check.message));
    }
    view.moveWindow(state_.startX, state_.startY);
    state_.windowRect = view.windowRect();
}

void CTindlowDlg::recordButtonRects() {
    for (ButtonRow& row : state_.buttons.rows) {
        row.rect = platform_.view.controlRect(row.controlId);
    }
}

void CTindlowDlg::showCountedErrorBox(const std::wstring& message) {
    ErrorBoxes(platform_.boxes, state_.errorBoxCount).showCounted(message);
}

void CTindlowDlg::applyLanguage() {
    texts_ = tablesFor(state_.language);
    applyFacesAndCaptions();
    rebuildTooltips();
    if (state_.firstPaintDone) {
        fillDocumentMenu();
        fillCommandMenu();
    }
}

void CTindlowDlg::applyFacesAndCaptions() {
    View& view = platform_.view;
    for (std::size_t row = 0; row < kButtonCount; ++row) {
        const ButtonRow& button = state_.buttons.rows[row];
        view.setButtonFace(button.controlId, button.normalFace);
        view.setControlText(button.controlId, texts_.buttonCaptions[row]);
    }
    view.setControlText(ids::kDaysLabel, texts_.labels[0]);
    view.setControlText(ids::kDocumentsLabel, texts_.labels[1]);
    view.setControlText(ids::kCommandsLabel, texts_.labels[2]);
    view.setControlText(ids::kStopEntries, text(msg::kStopEntriesCaption));
}

void CTindlowDlg::rebuildTooltips() {
    if (!state_.windowKnown) {
        return;
    }
    for (std::size_t row = 0; row < kButtonCount; ++row) {
        platform_.view.setTooltip(state_.buttons.rows[row].controlId, texts_.buttonTooltips[row]);
    }
    platform_.view.setTooltip(ids::kStopEntries, checkBoxTooltip(state_.language));
}

void CTindlowDlg::fillDocumentMenu() {
    View& view = platform_.view;
    view.clearCombo(ids::kDocumentMenu);
    for (const std::wstring& line : documentMenuLines(texts_, state_.fileLists)) {
        view.addComboItem(ids::kDocumentMenu, line);
    }
    view.selectComboItem(ids::kDocumentMenu, 0);
}

void CTindlowDlg::onClose() {
    closeSequence();
    platform_.view.endDialog();
}

void CTindlowDlg::onEndSession() {
    closeSequence();
    platform_.view.endDialog();
}

void CTindlowDlg::closeSequence() {
    FileSystem& files = platform_.files;
    reportWriteFailure(state_.paths.settingsFile,
                       writeSettingsFile(files, state_.paths.settingsFile, currentSettings()));
    saveEmittedReminders();
    writeLogListExport();
    files.deleteFile(kPopupSignalFile);
}

std::wstring CTindlowDlg::writeExport(const std::wstring& suffix, const std::wstring& content) {
    // Named by the time of writing, not the time the report was asked for.
    const std::wstring path =
        exportPath(state_.paths.exportsDirectory, platform_.clock.localTime(), suffix);
    // The open that follows fails as well and reports that, where the caller reports it.
    reportUnwritten(path, writeUnicodeFile(platform_.files, path, content));
    return path;
}

void CTindlowDlg::reportUnwritten(const std::wstring& path, int error) {
    if (error != 0) {
        log_.log(text(msg::kFileNotWritten) + path + text(msg::kExportNotWritten) +
                 platform_.files.errorText(error));
    }
}

std::wstring CTindlowDlg::writeLogListExport() {
    return writeExport(kListboxContentSuffix, log_.content());
}

void CTindlowDlg::onCancel() {
    platform_.view.endDialog();
}

}  // namespace tindlow
