#include "app/tindlow_dlg.h"

#include <utility>

#include "app/dialog_controls.h"
#include "app/program_settings.h"
#include "app/reloading.h"
#include "app/window_texts.h"
#include "model/calendar.h"
#include "model/error_boxes.h"
#include "reports/export_cleanup.h"
#include "reports/export_files.h"
#include "ui/control_ids.h"
#include "ui/instances.h"

namespace tindlow {

CTindlowDlg::CTindlowDlg(Platform& platform)
    : platform_(platform),
      log_(platform.view),
      feedback_(platform, log_, language_, paths_),
      window_(platform.view, language_, feedback_),
      daysInput_(platform.view, log_, language_),
      events_(platform, log_, language_, feedback_, paths_, dashLine_),
      reminders_(platform, log_, language_, feedback_, events_, window_, dashLine_),
      popup_(platform.files, feedback_),
      unhideKeys_(platform.keys),
      parts_{platform, log_,       language_, feedback_, window_, daysInput_,
             events_,  reminders_, popup_,    run_,      paths_,  dashLine_} {}

void CTindlowDlg::onInitDialog() {
    View& view = platform_.view;
    FileSystem& files = platform_.files;

    view.setAppIcon();
    // Known before the first tick, so a tick nested in a start-up box sees no change of day.
    events_.rememberDate(dateOf(platform_.clock.localTime()));
    view.startTimer(ids::kTimer, 500);
    view.prepareLogList();
    // A signal left by an earlier run must not pop this window up.
    popup_.remove();

    paths_ = composeLayout(files.currentDirectory());
    createMissingDirectories(files, paths_);
    // The language is not applied yet: the heading of the clean-up comes in English, the
    // language every run starts with.
    cleanUpExports(files, paths_.exportsDirectory, platform_.clock.localTime(), englishTables(),
                   dashLine_, log_);

    if (!files.exists(paths_.settingsFile) && writeProgramSettings(parts_) == 0) {
        notices_.push_back(StartupNotice::SettingsFileCreated);
    }
    readProgramSettings(parts_);
    applyLanguage(parts_);

    std::vector<std::uint32_t> instanceIds;
    window_.setTitle(countRunningInstances(platform_.processes, instanceIds));

    events_.rememberDate(dateOf(platform_.clock.localTime()));
}

void CTindlowDlg::onPaint() {
    // A paint nested in a box that the first paint opens must not start it again.
    if (!run_.started && !firstPaintStarted_) {
        firstPaintStarted_ = true;
        firstPaint();
    }
}

void CTindlowDlg::firstPaint() {
    View& view = platform_.view;
    FileSystem& files = platform_.files;

    if (!window_.findWindow()) {
        platform_.boxes.show(
            L"No handle to The Tindlow window was received [in the OnPaint() function]. The "
            L"application cannot work correctly.",
            kBoxCaption, BoxIcon::Stop);
        view.endDialog();
        return;
    }
    window_.placeAtStartPosition();
    daysInput_.showDays();
    view.setFocus(ids::kLogList);
    window_.recordButtonRects();

    if (!files.exists(paths_.englishHelpFile)) {
        notices_.push_back(StartupNotice::EnglishHelpMissing);
    }
    if (!files.exists(paths_.germanHelpFile)) {
        notices_.push_back(StartupNotice::GermanHelpMissing);
    }
    if (!files.exists(paths_.iniFile)) {
        notices_.push_back(StartupNotice::IniFileMissing);
    } else if (!events_.readInitializationFile()) {
        // Without its settings the program cannot work as configured: it ends.
        onCancel();
        return;
    }
    // Loads, fills the document menu and restores the day's reminder state, all computed for
    // the day of this moment.
    events_.rememberDate(dateOf(platform_.clock.localTime()));
    reloadEvents(parts_, false);

    fillCommandMenu(parts_);
    window_.rebuildTooltips();
    window_.showAfterStartUp(events_.ini().windowSizeMode);
    run_.started = true;
    showStartupNotices();
}

void CTindlowDlg::showStartupNotices() {
    for (const StartupNotice notice : notices_) {
        switch (notice) {
            case StartupNotice::SettingsFileCreated:
                log_.log(language_.isEnglish()
                             ? L"The settings-file was missing and newly created."
                             : L"Die Settings-Datei fehlte und wurde neu erzeugt.");
                break;
            case StartupNotice::EnglishHelpMissing:
                log_.log(language_.text(msg::kEnglishHelpMissing));
                break;
            case StartupNotice::GermanHelpMissing:
                log_.log(language_.text(msg::kGermanHelpMissing));
                break;
            case StartupNotice::IniFileMissing:
                log_.log(language_.text(msg::kIniFileMissing));
                break;
        }
    }
    notices_.clear();
}

void CTindlowDlg::onTimer() {
    // The steps in their fixed order.
    ++run_.tick;
    ++run_.loop;
    run_.lastTickCount = platform_.clock.tickCount();
    window_.hoverTick();
    if (window_.known() && popup_.present()) {
        window_.showNormalInFront();
    }
    dayChangeStep();
    if (events_.takeDeferredLoading()) {
        reloadAll(std::exchange(pendingCommandMenuRefill_, false));
    }
    if (events_.ini().networkPathState == NetworkPathState::NotReached && run_.tick % 10 == 0) {
        networkStep();
    }
    oneTimeStep();
    popup_.removeIfDue(run_.tick);
    if (run_.loop >= events_.ini().executionLoopPeriod) {
        run_.loop = 0;
        reminders_.check(run_.started);
    }
    reminders_.flashStep(run_.tick);
    daysInput_.readIfDue(run_.tick);
    if (window_.displayState() == DisplayState::Hidden && unhideKeys_.poll(run_.tick)) {
        window_.unhideFromKeys();
    }
    unhideKeys_.expireIfDue(run_.tick);
}

void CTindlowDlg::reloadAll(bool refillCommandMenu) {
    if (!reloadEvents(parts_, true)) {
        // Deferred: the menu is refilled when the deferred loading runs.
        pendingCommandMenuRefill_ = pendingCommandMenuRefill_ || refillCommandMenu;
    } else if (refillCommandMenu) {
        fillCommandMenu(parts_);
    }
}

void CTindlowDlg::dayChangeStep() {
    // Before the first paint has loaded, a reload would save the still empty today's
    // dictionary over the day's emitted reminders. The change stays unnoticed until then: the
    // first paint remembers the day its loading computes for, so a midnight passed inside one
    // of its boxes is seen by the first tick after it.
    if (!run_.started) {
        return;
    }
    if (events_.takeNewDate(dateOf(platform_.clock.localTime()))) {
        reloadAll(false);
    }
}

void CTindlowDlg::networkStep() {
    if (window_.known() && events_.probeNetworkPath()) {
        reloadAll(true);
    }
}

void CTindlowDlg::oneTimeStep() {
    if (oneTimeStepDone_ || run_.tick < 5 ||
        (events_.ini().networkPathState == NetworkPathState::NotReached && run_.tick < 20)) {
        return;
    }
    oneTimeStepDone_ = true;
    if (events_.ini().windowSizeMode == WindowSizeMode::Hidden) {
        hideRequest(parts_);
    }
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
    writeProgramSettings(parts_);
    events_.saveReminderState();
    feedback_.writeExport(kListboxContentSuffix, log_.content());
    popup_.remove();
}

void CTindlowDlg::onCancel() {
    platform_.view.endDialog();
}

void CTindlowDlg::onButton(int controlId) {
    pressButton(parts_, controlId);
}

void CTindlowDlg::onMenuChoice(int comboId) {
    if (comboId == ids::kDocumentMenu) {
        chooseDocument(parts_);
    } else if (comboId == ids::kCommandMenu) {
        chooseCommand(parts_);
    }
}

bool CTindlowDlg::onKeyDown(KeyPress key) {
    if (key == KeyPress::Enter) {
        return true;
    }
    if (key == KeyPress::Digit) {
        daysInput_.onDigitKey(run_.tick);
    }
    return false;
}

void CTindlowDlg::onMove() {
    window_.onMove(run_.started);
}

void CTindlowDlg::onMouseMove() {
    window_.onMouseMove();
}

void CTindlowDlg::onMouseLeave() {
    window_.onMouseLeave();
}

void CTindlowDlg::onDaysFieldFocus() {
    daysInput_.onFocus(run_.tick);
}

}  // namespace tindlow
