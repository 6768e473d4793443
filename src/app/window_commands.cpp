// The "Further Commands" drop-down: its rows and the nineteen commands behind them.
#include "app/window_commands.h"

#include <optional>

#include "app/program_settings.h"
#include "app/reloading.h"
#include "app/report_runs.h"
#include "commands/command_menu.h"
#include "commands/event_search.h"
#include "commands/log_lines.h"
#include "input/key_lookup.h"
#include "model/calendar.h"
#include "model/error_boxes.h"
#include "reports/export_files.h"
#include "schedule/reminder_text.h"
#include "ui/instances.h"

namespace tindlow {

namespace {

// The selected log list line, or "No listbox entry was selected." when there is none.
std::wstring selectedLogLine(const AppParts& parts) {
    const View& view = parts.platform.view;
    const int selection = view.selectedLogLine();
    return selection < 0 ? std::wstring(kNoListboxEntrySelected) : view.logLineText(selection);
}

void listRunningInstances(AppParts& parts, const std::wstring&) {
    std::vector<std::uint32_t> ids;
    countRunningInstances(parts.platform.processes, ids);
    parts.log.log(parts.language.text(msg::kRunningInstances));
    for (const std::wstring& line : runningInstanceLines(ids, parts.language.texts())) {
        parts.log.log(line);
    }
    parts.log.log(parts.dashLine);
}

void popUpHiddenInstances(AppParts& parts, const std::wstring&) {
    parts.popup.give(parts.run.tick);
}

void reloadSettingsFile(AppParts& parts, const std::wstring&) {
    readProgramSettings(parts);
}

void reloadInitializationFile(AppParts& parts, const std::wstring&) {
    // A file removed or locked meanwhile is reported; ending the program over it would lose the
    // day's unsaved state and the settings.
    parts.events.readInitializationFile();
}

void reloadAllDataFiles(AppParts& parts, const std::wstring&) {
    parts.log.log(parts.dashLine);
    reloadEvents(parts, true);
}

void copyLogListToClipboard(AppParts& parts, const std::wstring&) {
    const std::wstring failure =
        clipboardFailureText(parts.platform.clipboard.setText(parts.log.content()));
    if (!failure.empty()) {
        parts.platform.boxes.show(failure, kBoxCaption, BoxIcon::Exclamation);
    }
}

void showLogListInEditor(AppParts& parts, const std::wstring&) {
    parts.feedback.exportAndOpen(kListboxContentSuffix, parts.log.content());
}

void showLastReminders(AppParts& parts, bool inEditor) {
    const LastRemindersOutput output = lastRemindersOutput(parts.reminders.lastReminders());
    if (output.lines.empty()) {
        parts.feedback.showCountedErrorBox(parts.language.text(msg::kLastRemindersEmpty));
        return;
    }
    parts.log.logAll(output.lines);
    parts.log.log(parts.dashLine);
    if (inEditor) {
        parts.feedback.exportAndOpen(parts.language.text(msg::kLastRemindersSuffix), output.text);
    } else {
        // Requested output, not an error: outside the error box budget.
        parts.platform.boxes.show(output.text, kBoxCaption, BoxIcon::Information);
    }
}

void filePreview(AppParts& parts, bool lookBack) {
    const std::wstring line = selectedLogLine(parts);
    const std::wstring& readingWord = parts.language.text(msg::kReading);
    if (!isFileLine(line, readingWord)) {
        parts.log.log(parts.language.text(msg::kNoFileNameInLine) + L"\n" + line);
        return;
    }
    runEventPreview(parts, lookBack, filePathOfLine(line, readingWord));
}

// The reminder key of the selected line; a line without one gets the counted box.
std::optional<std::wstring> selectedKey(AppParts& parts, const std::wstring& line) {
    std::optional<std::wstring> key = extractKey(line);
    if (!key) {
        parts.feedback.showCountedErrorBox(parts.language.text(msg::kWrongKeyLine) + L"\n" + line);
    }
    return key;
}

void openFileOfSelectedKey(AppParts& parts, const std::wstring&) {
    const std::wstring line = selectedLogLine(parts);
    const std::optional<std::wstring> key = selectedKey(parts, line);
    // The boxes of a loading disable the dialog, so no lookup starts inside one; should one all
    // the same, it must not rebuild the dictionaries under the running loading.
    if (!key || parts.events.loading()) {
        return;
    }
    KeyLookup lookup;
    lookup.key = *key;
    // The lookup reads every event file anew, which rebuilds both dictionaries; the reminder
    // state is saved before and restored after, as around every loading.
    parts.events.load(true, &lookup);

    const Language& language = parts.language;
    if (!lookup.found) {
        parts.feedback.showCountedErrorBox(language.text(msg::kKeyFileNotIdentified) + L"\n" +
                                           line);
        return;
    }
    parts.log.log(language.text(msg::kIdentifiedFilePath) + lookup.filePath);
    parts.log.log(language.text(msg::kRowNumber) + lookup.rowNumber);
    parts.log.log(language.text(msg::kReminderKey) + lookup.foundKey);
    parts.log.log(parts.dashLine);
    parts.feedback.openReportingFailure(lookup.filePath);
}

void nextOrLastEvent(AppParts& parts, bool last) {
    const std::optional<std::wstring> key = selectedKey(parts, selectedLogLine(parts));
    if (!key) {
        return;
    }
    // The search keeps its day cursor to itself and ends before any box opens, so a reminder
    // check in the box's modal loop computes for today.
    const LocalTime now = parts.platform.clock.localTime();
    std::optional<std::wstring> found;
    if (ReminderEntry* entry = parts.events.complete().find(*key)) {
        const std::optional<DayMonthYear> day =
            findEventDay(*entry, ScanDay{nowSeconds(now), secondsOfDay(now)}, last);
        if (day) {
            found =
                reminderLine(*entry, ReminderTextContext{parts.language.texts(), now, true, *day});
        }
    }
    if (!found) {
        parts.feedback.showCountedErrorBox(parts.language.text(msg::kNextLastEventNotFound));
        return;
    }
    parts.log.log(*found);
    parts.feedback.showCountedErrorBox(*found);
}

void createTestReminder(AppParts& parts, const std::wstring& selectedText) {
    // Replaces a test entry given before, so the new one starts without emitted reminders.
    parts.events.putTestReminder(testReminderEntry(nowSeconds(parts.platform.clock.localTime()),
                                                   selectedText, parts.language.texts()));
}

void simulateDate(AppParts& parts, const std::wstring&) {
    const std::optional<std::wstring> date = parts.daysInput.typedDate();
    if (!date) {
        parts.feedback.showCountedErrorBox(parts.language.text(msg::kDateInputError));
        return;
    }
    // Until start-up has loaded the event files, there is nothing to find.
    Dictionary notLoaded;
    const DateSimulationResult result =
        dateSimulation(parts.run.started ? parts.events.complete() : notLoaded, *date,
                       parts.platform.clock.localTime(), parts.language.texts());
    parts.log.logAll(result.logLines);
    parts.feedback.exportAndOpen(parts.language.text(msg::kDateSimulationSuffix) + L".txt",
                                 result.text);
}

void showTickCount(AppParts& parts, const std::wstring&) {
    // The value of the latest execution tick, not a fresh reading.
    parts.log.log(parts.language.text(msg::kTickCount) + std::to_wstring(parts.run.lastTickCount));
}

using C = MenuCommand;
constexpr std::array<WindowCommandRow, kCommandMenuCount> kRows = {{
    {C::ListRunningInstances, listRunningInstances},
    {C::PopUpHiddenInstances, popUpHiddenInstances},
    {C::ReloadSettingsFile, reloadSettingsFile},
    {C::ReloadInitializationFile, reloadInitializationFile},
    {C::ReloadAllDataFiles, reloadAllDataFiles},
    {C::CopyLogListToClipboard, copyLogListToClipboard},
    {C::ShowLogListInEditor, showLogListInEditor},
    {C::ShowLastReminders, [](AppParts& p, const std::wstring&) { showLastReminders(p, false); }},
    {C::ShowLastRemindersInEditor,
     [](AppParts& p, const std::wstring&) { showLastReminders(p, true); }},
    {C::CompleteDictionaryReport,
     [](AppParts& p, const std::wstring&) { completeDictionaryReport(p); }},
    {C::TodaysDictionaryReport,
     [](AppParts& p, const std::wstring&) { todaysDictionaryReport(p); }},
    {C::PreviewOfSelectedFile, [](AppParts& p, const std::wstring&) { filePreview(p, false); }},
    {C::LookBackOfSelectedFile, [](AppParts& p, const std::wstring&) { filePreview(p, true); }},
    {C::OpenFileOfSelectedKey, openFileOfSelectedKey},
    {C::NextEventOfSelectedKey,
     [](AppParts& p, const std::wstring&) { nextOrLastEvent(p, false); }},
    {C::LastEventOfSelectedKey, [](AppParts& p, const std::wstring&) { nextOrLastEvent(p, true); }},
    {C::CreateTestReminder, createTestReminder},
    {C::SimulateDate, simulateDate},
    {C::ShowTickCount, showTickCount},
}};

// Every command has its row, in the order of the numbers its texts begin with: a row left out
// or out of place would run another command than the menu shows.
constexpr bool rowsInNumberOrder() {
    for (std::size_t place = 0; place < kRows.size(); ++place) {
        if (kRows[place].run == nullptr ||
            static_cast<std::size_t>(kRows[place].command) != place + 1) {
            return false;
        }
    }
    return true;
}
static_assert(rowsInNumberOrder());

}  // namespace

const std::array<WindowCommandRow, kCommandMenuCount>& windowCommandRows() {
    return kRows;
}

std::vector<std::wstring> commandMenuLines(const TextTables& texts) {
    std::vector<std::wstring> lines;
    for (const WindowCommandRow& row : windowCommandRows()) {
        // Each command's text begins with its number, which is its place in the texts.
        lines.push_back(texts.commandMenu[static_cast<std::size_t>(row.command) - 1]);
    }
    return lines;
}

void runWindowCommand(AppParts& parts, std::size_t menuIndex, const std::wstring& selectedText) {
    if (menuIndex < windowCommandRows().size()) {
        windowCommandRows()[menuIndex].run(parts, selectedText);
    }
}

}  // namespace tindlow
