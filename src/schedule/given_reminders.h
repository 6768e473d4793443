#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <utility>

#include "model/calendar.h"
#include "model/dictionary.h"

namespace tindlow {

// The test reminder's key: its state is never remembered, in memory or in the emitted
// reminders log.
inline constexpr const wchar_t* kTestReminderKey = L"[06.11.2018-10:09:27-963303772-775740099]";

// The reminders given so far, per occurrence: an entry's key with the event time they were given
// for. The state belongs to the occurrence, not to today's dictionary, so it survives everything
// that changes the dictionary between two loadings: an event file that is away for one loading,
// a line moved to another time and back, a save that failed, a clock set back over midnight. A
// record whose event time is not known (a line written before the event time was recorded) is
// matched as the program did then: against the occurrence the entry had on the day of its last
// output.
class GivenReminders {
  public:
    struct Occurrence {
        std::wstring key;
        bool eventTimeKnown = false;
        std::int64_t eventCentiseconds = 0;  // the event time to the hundredth, as the file has it
        friend auto operator<=>(const Occurrence&, const Occurrence&) = default;
    };
    struct State {
        std::uint32_t matrix = 0;
        ProgramSeconds lastOutputSec = 0.0;
        ProgramSeconds eventTimeSec = 0.0;  // when known: the event time itself
        std::wstring description;           // the readable rest of the log line
    };

    // The event time of an entry as a record compares it: to the hundredth of a second, which
    // is what the log keeps.
    static std::int64_t centisecondsOf(ProgramSeconds eventTimeSec);

    // The record an entry's reminder state makes: its key with its current event time.
    static std::pair<Occurrence, State> recordOf(const std::wstring& key,
                                                 const ReminderEntry& entry);

    // Takes the reminder state of every entry of today's dictionary that has one (the test
    // reminder's excepted) as the state of its current occurrence. Only adds: bits are ORed and
    // the later output time is kept.
    void takeFrom(const Dictionary& today);

    // Adds the state of one log line. A line without its event time is left out when a record
    // of the same key with the event time already holds all its state (it was matched and
    // carried over before).
    void add(const std::wstring& key, const ProgramSeconds* eventTimeSec, std::uint32_t matrix,
             ProgramSeconds lastOutputSec, const std::wstring& description);

    // Forgets the occurrences that are over: last output and event time both more than the
    // default post-trigger length and a day before now. A record stays while it is the state of an
    // entry's current occurrence in today's dictionary, however old. Answers how many went.
    std::size_t dropOutdated(const Dictionary& today, ProgramSeconds nowSec,
                             double defaultPostTrigger);

    // Gives each entry of today's dictionary the state of its current occurrence; a record
    // without event time that matches becomes that occurrence's record.
    void giveBackTo(Dictionary& today);

    // Whether every record of this set is held, with all its bits and a time at least as late,
    // by `other`.
    bool heldBy(const GivenReminders& other) const;

    const std::map<Occurrence, State>& records() const { return records_; }
    bool empty() const { return records_.empty(); }

  private:
    static bool sameOccurrence(const Occurrence& occurrence, const State& state,
                               const ReminderEntry& entry);
    void merge(const Occurrence& occurrence, const State& state);

    std::map<Occurrence, State> records_;
};

}  // namespace tindlow
