#pragma once
#include <string>
#include <vector>

#include "app/app_parts.h"
#include "app/days_input.h"
#include "app/event_store.h"
#include "app/feedback.h"
#include "app/language.h"
#include "app/popup_signal.h"
#include "app/reminder_service.h"
#include "app/unhide_keys.h"
#include "app/window_presentation.h"
#include "model/directory_layout.h"
#include "platform/input_events.h"
#include "platform/platform.h"
#include "ui/log_list.h"

namespace tindlow {

// The main dialog: owns the parts of the program and holds one handler per window event, which
// the Win32 host calls; start-up, the execution tick and the close are the sequences that call
// the parts in their order.
class CTindlowDlg {
  public:
    explicit CTindlowDlg(Platform& platform);
    CTindlowDlg(const CTindlowDlg&) = delete;
    CTindlowDlg& operator=(const CTindlowDlg&) = delete;

    // Dialog initialisation, before the window is first shown.
    void onInitDialog();
    // Every paint; the first one runs the first-paint initialisation.
    void onPaint();
    // The execution tick: one call per 500 ms timer event drives everything that is not a user
    // action.
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

    AppParts& parts() { return parts_; }
    const AppParts& parts() const { return parts_; }

  private:
    // Start-up notices, logged once start-up is done, in the language active then.
    enum class StartupNotice {
        SettingsFileCreated,
        EnglishHelpMissing,
        GermanHelpMissing,
        IniFileMissing
    };

    void firstPaint();
    void showStartupNotices();
    void closeSequence();
    // Loads every event file anew and refills both menus (the command menu when asked).
    void reloadAll(bool refillCommandMenu);
    // Execution tick steps.
    void dayChangeStep();
    void networkStep();
    void oneTimeStep();

    Platform& platform_;
    LogList log_;
    DirectoryLayout paths_;
    const std::wstring dashLine_ = std::wstring(500, L'-');
    RunState run_;
    Language language_;
    Feedback feedback_;
    WindowPresentation window_;
    DaysInput daysInput_;
    EventStore events_;
    ReminderService reminders_;
    PopupSignal popup_;
    UnhideKeys unhideKeys_;
    AppParts parts_;
    std::vector<StartupNotice> notices_;
    bool firstPaintStarted_ = false;
    bool oneTimeStepDone_ = false;
    // A deferred loading asked for by the network probe refills the command menu when it runs.
    bool pendingCommandMenuRefill_ = false;
};

}  // namespace tindlow
