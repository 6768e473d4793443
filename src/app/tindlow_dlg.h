#pragma once
#include <string>
#include <vector>

#include "app/program_state.h"
#include "model/dictionary.h"
#include "model/text_tables.h"
#include "platform/input_events.h"
#include "platform/platform.h"
#include "schedule/given_reminders.h"
#include "schedule/reminder_check.h"
#include "ui/log_list.h"
#include "ui/settings_file.h"

namespace tindlow {

// The main dialog's logic: owns the program state, the dictionaries and the log list, and holds
// one handler per window event. The Win32 host turns messages into these calls.
class CTindlowDlg {
  public:
    explicit CTindlowDlg(Platform& platform);

    // Dialog initialisation, before the window is first shown.
    void onInitDialog();
    // Every paint; the first one runs the first-paint initialisation.
    void onPaint();
    void onTimer();
    // The close message (caption, system menu): runs the close sequence and ends the dialog.
    void onClose();
    // The session ends (log-off, shutdown): the process ends without a close message, so the
    // close sequence runs here.
    void onEndSession();
    // The dialog's cancel command (Escape): ends the dialog without the close sequence.
    void onCancel();
    // A push button or the check box was clicked.
    void onButton(int controlId);
    // A drop-down menu's selection changed.
    void onMenuChoice(int comboId);
    // Key-down pre-filter of the dialog; answers true when the key is swallowed.
    bool onKeyDown(KeyPress key);
    // The window was moved (after the platform's own handling).
    void onMove();
    // The cursor moved over the dialog's own surface, outside every control.
    void onMouseMove();
    // The cursor left the dialog surface (onto a control or out of the window).
    void onMouseLeave();
    // The days field received the keyboard focus.
    void onDaysFieldFocus();

    ProgramState& state() { return state_; }
    const ProgramState& state() const { return state_; }
    LogList& log() { return log_; }
    Dictionary& completeDictionary() { return complete_; }
    Dictionary& todaysDictionary() { return today_; }
    const TextTables& texts() const { return texts_; }
    const std::wstring& text(int messageIndex) const;
    const LastReminders& lastReminders() const { return lastReminders_; }

  private:
    void firstPaint();
    // Execution tick steps.
    void popupSignalStep();
    void dayChangeStep();
    void networkProbe();
    void oneTimeStep();
    void flashingStep();
    void daysFieldStep();
    void unhideKeyStep();
    void showNormalInFront();
    // Save, load everything, refill the document menu, restore the day's reminder state. A
    // reload asked for while another one runs (from a tick nested in one of its boxes) is
    // deferred to the first tick after it.
    // The network probe also refills the command menu.
    void fullReload(bool saveFirst, bool refillCommandMenu = false);
    void runDeferredReload();
    // One loading (with the key lookup, if any) between a save and a restore of the day's
    // reminder state, closed to saves and reminder checks while it runs; the menus asked for
    // are refilled before the restore.
    void loadKeepingReminderState(bool saveFirst, KeyLookup* lookup, bool refillDocumentMenu,
                                  bool refillCommandMenu);
    // Answers false when the file could not be opened, after a box with the system's reason;
    // at start-up the dialog is then ended, while a later reading keeps the program running
    // with the settings it has.
    bool readInitializationFile(bool endOnFailure);
    void loadEvents(KeyLookup* lookup);
    void saveEmittedReminders();
    void runReminderCheck();
    void restoreEmittedReminders();
    // A log line naming the file and the system's reason, when `error` is not 0.
    void reportWriteFailure(const std::wstring& path, int error);
    void hideRequest();
    // The Windows error report: one log line with the system's error code.
    void windowsErrorReport(std::uint32_t code);
    // Opens the path with its application; a failure is logged as the Windows error report.
    void openReportingFailure(const std::wstring& path);
    void openHelp();
    void openDirectory();
    void hideWindowButton();
    void reloadDataButton();
    void switchLanguageButton();

    // Exports and reports (app/report_handlers.cpp).
    // Writes the text as an export file with the suffix, named by the time of writing; answers
    // the path. A file that cannot be written is reported in the log list and leaves nothing.
    std::wstring writeExport(const std::wstring& suffix, const std::wstring& content);
    // Logs "The file <path> could not be written. Reason: ..." unless the error is 0.
    void reportUnwritten(const std::wstring& path, int error);
    // Writes the export and opens it; a failed open is logged as the Windows error report when
    // `reportFailure` is set. Answers the path.
    std::wstring exportAndOpen(const std::wstring& suffix, const std::wstring& text,
                               bool reportFailure = true);
    // The Future Events / Missed Events run; a non-empty filter restricts it to one event file
    // and suppresses the button message.
    void eventPreview(bool lookBack, const std::wstring& fileFilter);
    void completeDictionaryReport();
    void todaysDictionaryReport();

    // The command menu (app/command_handlers.cpp), one row per command: its number, which its
    // text begins with and which is its place in the language's command texts, and what it does.
    // The menu and the dispatcher are made from the table.
    struct Command {
        int number;
        void (*run)(CTindlowDlg& dialog, const std::wstring& selected);
    };
    static const std::vector<Command>& commandTable();
    const std::wstring& commandText(const Command& command) const;
    void commandMenuChoice();
    // The selected log list line, or "No listbox entry was selected." when there is none.
    std::wstring selectedLogLine() const;
    // --- command menu: the commands behind the dispatcher ---
    void listRunningInstances();
    void popUpHiddenInstances();
    void reloadSettingsFile();
    void reloadAllDataFiles();
    void copyLogListToClipboard();
    void showLogListInEditor();
    void showLastReminders(bool inEditor);
    void filePreview(bool lookBack);
    void openFileOfKey();
    void nextOrLastEvent(bool last);
    void createTestReminder(const std::wstring& commandText);
    void simulateDate();
    void showTickCount();
    // --- end of the command menu block ---
    void clearListboxButton();
    void stopEntriesCheckBox();
    Settings currentSettings() const;
    void takeSettings(const Settings& settings);
    void closeSequence();
    void applyLanguage();
    void applyFacesAndCaptions();
    void rebuildTooltips();
    void fillCommandMenu();
    void fillDocumentMenu();
    void documentMenuChoice();
    // The selected text of a drop-down menu (empty when none), logged as the chosen command.
    std::wstring logMenuChoice(int comboId);
    void checkAndApplyStartPosition();
    void recordButtonRects();
    void showStartupNotices();
    void showCountedErrorBox(const std::wstring& text);
    std::wstring writeLogListExport();

    Platform& platform_;
    ProgramState state_;
    TextTables texts_;
    Dictionary complete_;
    Dictionary today_;
    LogList log_;
    // Start-up notices, kept as message indices so they are shown in the language active then;
    // -1 stands for the newly written settings file.
    std::vector<int> notices_;
    bool firstPaintStarted_ = false;
    std::int32_t networkProbeCounter_ = -1;
    bool oneTimeStepDone_ = false;
    bool loading_ = false;
    bool reloadPending_ = false;
    bool pendingCommandMenuRefill_ = false;
    // -1 before the first reminder box, 0 while it is open, then the value it returned.
    int reminderBoxGuard_ = -1;
    LastReminders lastReminders_;
    // The reminders given per occurrence, carried across every loading of this run; the emitted
    // reminders log carries them across runs.
    GivenReminders givenReminders_;
};

}  // namespace tindlow
