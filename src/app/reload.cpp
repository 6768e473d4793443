// Loading the event files and the reload sequence shared by start-up, the day change, the
// network probe and the Reload Data button.
#include "app/tindlow_dlg.h"
#include "input/event_line.h"
#include "input/initialization_file.h"
#include "model/calendar.h"
#include "model/text_tables.h"
#include "schedule/emitted_log.h"

namespace tindlow {

bool CTindlowDlg::readInitializationFile(bool endOnFailure) {
    const std::wstring& path = state_.paths.iniFile;
    const FileBytes content = platform_.files.readFile(path);
    if (!content.ok()) {
        platform_.boxes.show(platform_.files.errorText(static_cast<int>(content.systemError)),
                             L"GetLastError", BoxIcon::Information);
        if (endOnFailure) {
            onCancel();
        }
        return false;
    }
    applyInitializationLines(eventFileLines(content.bytes), path, texts_, state_.dashLine, log_,
                             state_.ini);
    return true;
}

void CTindlowDlg::loadEvents(KeyLookup* lookup) {
    LogBulk bulk(log_);
    LogRevealingBoxes boxes(platform_.boxes, log_);
    ErrorBoxes errorBoxes(boxes, state_.errorBoxCount);
    EventInput input{platform_.files,
                     log_,
                     errorBoxes,
                     texts_,
                     complete_,
                     today_,
                     platform_.clock.localTime(),
                     state_.ini.defaultPostTrigger,
                     state_.ini.executionLoopPeriod,
                     state_.dashLine};
    loadEventFiles(input, state_.paths.singleEventsDirectory, state_.paths.periodicEventsDirectory,
                   state_.ini.networkPath, state_.ini.networkPathState, state_.fileLists, lookup);
}

void CTindlowDlg::saveEmittedReminders() {
    // While a loading runs, today's dictionary is being rebuilt and has not got its emitted
    // state back yet; there is nothing new to save: every loading saves before it starts, and no
    // reminder is given during it.
    if (loading_) {
        return;
    }
    reportWriteFailure(
        state_.paths.emittedRemindersFile,
        saveEmittedLog(platform_.files, state_.paths.emittedRemindersFile, today_, givenReminders_,
                       nowSeconds(platform_.clock.localTime()), state_.ini.defaultPostTrigger));
}

void CTindlowDlg::restoreEmittedReminders() {
    reportWriteFailure(state_.paths.emittedRemindersFile,
                       restoreEmittedLog(platform_.files, state_.paths.emittedRemindersFile, today_,
                                         givenReminders_, nowSeconds(platform_.clock.localTime()),
                                         state_.ini.defaultPostTrigger));
}

void CTindlowDlg::reportWriteFailure(const std::wstring& path, int error) {
    if (error == 0) {
        return;
    }
    // The language's own table: at start-up the settings file is written before any language
    // has been applied to the active tables.
    const TextTables& tables = tablesFor(state_.language);
    log_.log(tables.messages[msg::kFileNotWritten] + path +
             tables.messages[msg::kFileNotWrittenReason] + platform_.files.errorText(error));
}

void CTindlowDlg::fullReload(bool saveFirst, bool refillCommandMenu) {
    if (loading_) {
        reloadPending_ = true;
        pendingCommandMenuRefill_ = pendingCommandMenuRefill_ || refillCommandMenu;
        return;
    }
    loadKeepingReminderState(saveFirst, nullptr, true, refillCommandMenu);
}

void CTindlowDlg::loadKeepingReminderState(bool saveFirst, KeyLookup* lookup,
                                           bool refillDocumentMenu, bool refillCommandMenu) {
    if (saveFirst) {
        saveEmittedReminders();
    }
    loading_ = true;
    loadEvents(lookup);
    if (refillDocumentMenu) {
        fillDocumentMenu();
    }
    if (refillCommandMenu) {
        fillCommandMenu();
    }
    restoreEmittedReminders();
    loading_ = false;
}

void CTindlowDlg::runDeferredReload() {
    if (reloadPending_ && !loading_) {
        const bool refillCommandMenu = pendingCommandMenuRefill_;
        reloadPending_ = false;
        pendingCommandMenuRefill_ = false;
        fullReload(true, refillCommandMenu);
    }
}

}  // namespace tindlow
