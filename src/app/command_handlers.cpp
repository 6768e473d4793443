// The "Further Commands" drop-down: the dispatcher and its nineteen commands.
#include <string>

#include "app/tindlow_dlg.h"
#include "commands/command_menu.h"
#include "commands/event_search.h"
#include "commands/log_lines.h"
#include "input/key_lookup.h"
#include "model/calendar.h"
#include "model/directory_layout.h"
#include "model/error_boxes.h"
#include "reports/event_preview.h"
#include "reports/export_files.h"
#include "schedule/emitted_log.h"
#include "schedule/reminder_text.h"
#include "ui/control_ids.h"
#include "ui/days_field.h"
#include "ui/instances.h"
#include "ui/settings_file.h"

namespace tindlow {

namespace {

// The pop-up signal lasts this many ticks after it was given.
constexpr std::int32_t kPopupSignalTicks = 20;

}  // namespace

const std::vector<CTindlowDlg::Command>& CTindlowDlg::commandTable() {
    // Adding a command is one row here and its text in both languages' command tables.
    static const std::vector<Command> kCommands = {
        {1, [](CTindlowDlg& d, const std::wstring&) { d.listRunningInstances(); }},
        {2, [](CTindlowDlg& d, const std::wstring&) { d.popUpHiddenInstances(); }},
        {3, [](CTindlowDlg& d, const std::wstring&) { d.reloadSettingsFile(); }},
        // A file removed or locked meanwhile is reported; ending the program over it would lose
        // the day's unsaved state and the settings.
        {4, [](CTindlowDlg& d, const std::wstring&) { d.readInitializationFile(false); }},
        {5, [](CTindlowDlg& d, const std::wstring&) { d.reloadAllDataFiles(); }},
        {6, [](CTindlowDlg& d, const std::wstring&) { d.copyLogListToClipboard(); }},
        {7, [](CTindlowDlg& d, const std::wstring&) { d.showLogListInEditor(); }},
        {8, [](CTindlowDlg& d, const std::wstring&) { d.showLastReminders(false); }},
        {9, [](CTindlowDlg& d, const std::wstring&) { d.showLastReminders(true); }},
        {10, [](CTindlowDlg& d, const std::wstring&) { d.completeDictionaryReport(); }},
        {11, [](CTindlowDlg& d, const std::wstring&) { d.todaysDictionaryReport(); }},
        {12, [](CTindlowDlg& d, const std::wstring&) { d.filePreview(false); }},
        {13, [](CTindlowDlg& d, const std::wstring&) { d.filePreview(true); }},
        {14, [](CTindlowDlg& d, const std::wstring&) { d.openFileOfKey(); }},
        {15, [](CTindlowDlg& d, const std::wstring&) { d.nextOrLastEvent(false); }},
        {16, [](CTindlowDlg& d, const std::wstring&) { d.nextOrLastEvent(true); }},
        {17, [](CTindlowDlg& d, const std::wstring& text) { d.createTestReminder(text); }},
        {18, [](CTindlowDlg& d, const std::wstring&) { d.simulateDate(); }},
        {19, [](CTindlowDlg& d, const std::wstring&) { d.showTickCount(); }},
    };
    return kCommands;
}

const std::wstring& CTindlowDlg::commandText(const Command& command) const {
    return texts_.commandMenu[static_cast<std::size_t>(command.number - 1)];
}

void CTindlowDlg::fillCommandMenu() {
    View& view = platform_.view;
    view.clearCombo(ids::kCommandMenu);
    for (const Command& command : commandTable()) {
        view.addComboItem(ids::kCommandMenu, commandText(command));
    }
    view.selectComboItem(ids::kCommandMenu, 0);
}

void CTindlowDlg::commandMenuChoice() {
    const std::wstring selected = logMenuChoice(ids::kCommandMenu);
    for (const Command& command : commandTable()) {
        if (commandText(command) == selected) {
            command.run(*this, selected);
            return;
        }
    }
}

std::wstring CTindlowDlg::selectedLogLine() const {
    const int selection = platform_.view.selectedLogLine();
    return selection < 0 ? std::wstring(kNoListboxEntrySelected)
                         : platform_.view.logLineText(selection);
}

void CTindlowDlg::listRunningInstances() {
    countRunningInstances(platform_.processes, state_.runningInstances);
    log_.log(text(msg::kRunningInstances));
    for (const std::wstring& line : runningInstanceLines(state_.runningInstances, texts_)) {
        log_.log(line);
    }
    log_.log(state_.dashLine);
}

void CTindlowDlg::popUpHiddenInstances() {
    FileSystem& files = platform_.files;
    // Every instance creates C:\Temp\ at its start; should it have gone since, the signal would
    // silently fail to appear.
    if (!files.exists(kTempDirectory)) {
        files.createDirectory(kTempDirectory);
    }
    reportUnwritten(kPopupSignalFile, files.writeFile(kPopupSignalFile, std::string()));
    state_.popupRemovalTick = state_.tickCounter + kPopupSignalTicks;
}

void CTindlowDlg::reloadSettingsFile() {
    // Only the values are taken: a new language or position shows at the next switch or start.
    Settings settings = currentSettings();
    readSettingsFile(platform_.files, log_, platform_.boxes, state_.paths.settingsFile,
                     state_.dashLine, settings);
    takeSettings(settings);
}

void CTindlowDlg::reloadAllDataFiles() {
    log_.log(state_.dashLine);
    fullReload(true);
}

void CTindlowDlg::copyLogListToClipboard() {
    const std::wstring failure = clipboardFailureText(platform_.clipboard.setText(log_.content()));
    if (!failure.empty()) {
        platform_.boxes.show(failure, kBoxCaption, BoxIcon::Exclamation);
    }
}

void CTindlowDlg::showLogListInEditor() {
    exportAndOpen(kListboxContentSuffix, log_.content());
}

void CTindlowDlg::showLastReminders(bool inEditor) {
    const LastRemindersOutput output = lastRemindersOutput(lastReminders_);
    if (output.lines.empty()) {
        showCountedErrorBox(text(msg::kLastRemindersEmpty));
        return;
    }
    log_.logAll(output.lines);
    log_.log(state_.dashLine);
    if (inEditor) {
        exportAndOpen(text(msg::kLastRemindersSuffix), output.text);
    } else {
        // Requested output, not an error: outside the error box budget.
        platform_.boxes.show(output.text, kBoxCaption, BoxIcon::Information);
    }
}

void CTindlowDlg::filePreview(bool lookBack) {
    const std::wstring line = selectedLogLine();
    const std::wstring& readingWord = text(msg::kReading);
    if (!isFileLine(line, readingWord)) {
        log_.log(text(msg::kNoFileNameInLine) + L"\n" + line);
        return;
    }
    eventPreview(lookBack, filePathOfLine(line, readingWord));
}

void CTindlowDlg::openFileOfKey() {
    const std::wstring line = selectedLogLine();
    const std::optional<std::wstring> key = extractKey(line);
    if (!key) {
        showCountedErrorBox(text(msg::kWrongKeyLine) + L"\n" + line);
        return;
    }
    // The boxes of a loading disable the dialog, so no lookup starts inside one; should one
    // all the same, it must not rebuild the dictionaries under the running loading.
    if (loading_) {
        return;
    }
    KeyLookup lookup;
    lookup.key = *key;
    // The lookup reads every event file anew, which rebuilds both dictionaries. The day's
    // reminder state is saved before and restored after, as around every reload: without it
    // the reminders already given today would be given again.
    loadKeepingReminderState(true, &lookup, false, false);

    if (!lookup.found) {
        showCountedErrorBox(text(msg::kKeyFileNotIdentified) + L"\n" + line);
        return;
    }
    log_.log(text(msg::kIdentifiedFilePath) + lookup.filePath);
    log_.log(text(msg::kRowNumber) + lookup.rowNumber);
    log_.log(text(msg::kReminderKey) + lookup.foundKey);
    log_.log(state_.dashLine);
    openReportingFailure(lookup.filePath);
}

void CTindlowDlg::nextOrLastEvent(bool last) {
    const std::wstring line = selectedLogLine();
    const std::optional<std::wstring> key = extractKey(line);
    if (!key) {
        showCountedErrorBox(text(msg::kWrongKeyLine) + L"\n" + line);
        return;
    }
    // The search keeps its day cursor to itself and ends before any box opens, so a reminder
    // check in the box's modal loop computes for today.
    const LocalTime now = platform_.clock.localTime();
    const double secondsOfDay = now.hour * 3600.0 + now.minute * 60.0 + now.second;
    std::optional<std::wstring> found;
    if (ReminderEntry* entry = complete_.find(*key)) {
        const std::optional<DayMonthYear> day =
            findEventDay(*entry, ScanDay{nowSeconds(now), secondsOfDay}, last);
        if (day) {
            found = reminderLine(*entry, ReminderTextContext{texts_, now, true, *day});
        }
    }
    if (!found) {
        showCountedErrorBox(text(msg::kNextLastEventNotFound));
        return;
    }
    log_.log(*found);
    showCountedErrorBox(*found);
}

void CTindlowDlg::createTestReminder(const std::wstring& commandText) {
    // Replaces a test entry given before, so the new one starts without emitted reminders.
    today_.slot(kTestReminderKey) =
        testReminderEntry(nowSeconds(platform_.clock.localTime()), commandText, texts_);
}

void CTindlowDlg::simulateDate() {
    const DateTextCheck date = checkDateText(platform_.view.controlText(ids::kDaysField));
    if (date.code != 0) {
        showCountedErrorBox(text(msg::kDateInputError));
        return;
    }
    // Until the first paint has loaded the event files, there is nothing to find.
    Dictionary notLoaded;
    const DateSimulationResult result =
        dateSimulation(state_.firstPaintDone ? complete_ : notLoaded, date.text,
                       platform_.clock.localTime(), texts_);
    log_.logAll(result.logLines);
    exportAndOpen(text(msg::kDateSimulationSuffix) + L".txt", result.text);
}

void CTindlowDlg::showTickCount() {
    // The value of the latest execution tick, not a fresh reading.
    log_.log(text(msg::kTickCount) + std::to_wstring(state_.lastTickCount));
}

}  // namespace tindlow
