#pragma once
#include <cstdint>
#include <string>

#include "app/feedback.h"
#include "app/language.h"
#include "input/event_input.h"
#include "input/initialization_file.h"
#include "input/key_lookup.h"
#include "model/calendar.h"
#include "model/dictionary.h"
#include "model/directory_layout.h"
#include "platform/platform.h"
#include "schedule/given_reminders.h"
#include "ui/log_list.h"

namespace tindlow {

// The event files as loaded: both dictionaries, the file lists, the initialization file's
// settings, and the reminders given per occurrence, which every loading saves before and
// restores after. A loading asked for while one runs (from a tick nested in one of its boxes)
// is deferred until it has ended.
class EventStore {
  public:
    EventStore(Platform& platform, LogList& log, const Language& language, Feedback& feedback,
               const DirectoryLayout& paths, const std::wstring& dashLine)
        : platform_(platform),
          log_(log),
          language_(language),
          feedback_(feedback),
          paths_(paths),
          dashLine_(dashLine) {}

    // Reads the initialization file; answers false after a box with the system's reason when
    // it cannot be opened, leaving the settings as they were.
    bool readInitializationFile();

    // One loading of every event file between a save and a restore of the reminder state,
    // closed to saves and reminder checks while it runs. With a lookup, the line of its key is
    // looked up as well. Answers false when a loading runs already; the request is then kept
    // for takeDeferredLoading().
    bool load(bool saveFirst, KeyLookup* lookup = nullptr);
    // True once for a loading that was deferred, as soon as no loading runs.
    bool takeDeferredLoading();
    bool loading() const { return loading_; }

    // Saves the reminder state to the emitted reminders log, except while a loading runs:
    // today's dictionary has not got its state back yet, and every loading saves first.
    void saveReminderState();

    // The tick's watch of the local date: answers true once for every new date the entries have
    // not been loaded for (the next day, a machine woken later, a clock set back); the network
    // path is then looked for anew.
    bool takeNewDate(const DayMonthYear& today);
    void rememberDate(const DayMonthYear& today) { loadedDate_ = today; }
    const DayMonthYear& loadedDate() const { return loadedDate_; }
    // Looks for the network path not reached yet; answers true when it is there now. Every
    // 500th miss is logged.
    bool probeNetworkPath();

    // The test reminder goes straight into today's dictionary, replacing one given before.
    void putTestReminder(ReminderEntry entry);

    Dictionary& complete() { return complete_; }
    Dictionary& today() { return today_; }
    const EventFileLists& fileLists() const { return fileLists_; }
    const InitializationSettings& ini() const { return ini_; }
    InitializationSettings& ini() { return ini_; }

  private:
    void loadEvents(KeyLookup* lookup);
    void restoreReminderState();

    Platform& platform_;
    LogList& log_;
    const Language& language_;
    Feedback& feedback_;
    const DirectoryLayout& paths_;
    const std::wstring& dashLine_;

    Dictionary complete_;
    Dictionary today_;
    // The reminders given per occurrence, carried across every loading of this run; the
    // emitted reminders log carries them across runs.
    GivenReminders given_;
    EventFileLists fileLists_;
    InitializationSettings ini_;
    DayMonthYear loadedDate_;
    bool loading_ = false;
    // A loading was asked for during one.
    bool deferred_ = false;
    std::int32_t networkMisses_ = -1;
};

}  // namespace tindlow
