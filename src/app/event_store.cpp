#include "app/event_store.h"

#include "input/event_line.h"
#include "model/error_boxes.h"
#include "model/text_forms.h"
#include "schedule/emitted_log.h"

namespace tindlow {

bool EventStore::readInitializationFile() {
    const std::wstring& path = paths_.iniFile;
    const FileBytes content = platform_.files.readFile(path);
    if (!content.ok()) {
        platform_.boxes.show(platform_.files.errorText(static_cast<int>(content.systemError)),
                             L"GetLastError", BoxIcon::Information);
        return false;
    }
    applyInitializationLines(eventFileLines(content.bytes), path, language_.texts(), dashLine_,
                             log_, ini_);
    return true;
}

bool EventStore::load(bool saveFirst, KeyLookup* lookup) {
    if (loading_) {
        deferred_ = true;
        return false;
    }
    if (saveFirst) {
        saveReminderState();
    }
    loading_ = true;
    loadEvents(lookup);
    restoreReminderState();
    loading_ = false;
    return true;
}

bool EventStore::takeDeferredLoading() {
    if (loading_ || !deferred_) {
        return false;
    }
    deferred_ = false;
    return true;
}

void EventStore::loadEvents(KeyLookup* lookup) {
    LogBulk bulk(log_);
    LogRevealingBoxes boxes(platform_.boxes, log_);
    ErrorBoxes errorBoxes = feedback_.errorBoxes(boxes);
    EventInput input{platform_.files,
                     log_,
                     errorBoxes,
                     language_.texts(),
                     complete_,
                     today_,
                     platform_.clock.localTime(),
                     ini_.defaultPostTrigger,
                     ini_.executionLoopPeriod,
                     dashLine_};
    loadEventFiles(input, paths_.singleEventsDirectory, paths_.periodicEventsDirectory,
                   ini_.networkPath, ini_.networkPathState, fileLists_, lookup);
}

void EventStore::saveReminderState() {
    if (loading_) {
        return;
    }
    feedback_.reportWriteFailure(
        paths_.emittedRemindersFile,
        saveEmittedLog(platform_.files, paths_.emittedRemindersFile, today_, given_,
                       nowSeconds(platform_.clock.localTime()), ini_.defaultPostTrigger),
        UnwrittenFile::KeepsPreviousContent);
}

void EventStore::restoreReminderState() {
    feedback_.reportWriteFailure(
        paths_.emittedRemindersFile,
        restoreEmittedLog(platform_.files, paths_.emittedRemindersFile, today_, given_,
                          nowSeconds(platform_.clock.localTime()), ini_.defaultPostTrigger),
        UnwrittenFile::KeepsPreviousContent);
}

bool EventStore::takeNewDate(const DayMonthYear& today) {
    if (today == loadedDate_) {
        return false;
    }
    loadedDate_ = today;
    if (ini_.networkPathState != NetworkPathState::None) {
        ini_.networkPathState = NetworkPathState::NotReached;
    }
    return true;
}

bool EventStore::probeNetworkPath() {
    if (platform_.files.exists(ini_.networkPath)) {
        ini_.networkPathState = NetworkPathState::Reached;
        return true;
    }
    if (networkMisses_ < INT32_MAX) {
        ++networkMisses_;
    }
    if (networkMisses_ % 500 == 0) {
        log_.log(L"The network path " + ini_.networkPath + L" was not found on " +
                 nowText(platform_.clock.localTime(), L"time", L"", L":", L"") + L".");
    }
    return false;
}

void EventStore::putTestReminder(ReminderEntry entry) {
    today_.slot(kTestReminderKey) = std::move(entry);
}

}  // namespace tindlow
