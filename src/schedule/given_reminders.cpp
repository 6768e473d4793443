#include "schedule/given_reminders.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>

#include "model/calendar.h"
#include "model/lenient_number.h"
#include "model/text_files.h"
#include "model/text_forms.h"
#include "schedule/event_computation.h"

namespace tindlow {

namespace {

// Whether reminders last given at `givenSec` were given for the entry's current occurrence, for
// a record that does not know its event time. Every change of day reloads the entries, so a
// reminder is always given for the occurrence that the entry has on the day it is given; that
// occurrence is computed again here and compared.
bool givenOnTheCurrentOccurrence(const ReminderEntry& entry, ProgramSeconds givenSec) {
    ReminderEntry then = entry;
    computeEvent(then, dateOfSeconds(givenSec));
    return then.nextEventTimeSec == entry.nextEventTimeSec;
}

// The readable rest of the log line for an entry, as 8-bit text keeps it: a description read
// back from the file is then the same text.
std::wstring descriptionOf(const ReminderEntry& entry) {
    return decodeByteText(encodeByteText(
        L" [Key] [remindMatrix] [lastOutputSec] weitere Informationen: " + entry.sWhat +
        entry.sText + L"; Datei: " + entry.sFile + L"; Zeile: " + entry.sRowNumber));
}

}  // namespace

std::int64_t GivenReminders::centisecondsOf(ProgramSeconds eventTimeSec) {
    // Event times lie within never and its negative; anything else (a hand-edited file) is
    // brought there. Compared as the log writes them, so that a time read back from the file is
    // the same occurrence.
    const double bounded =
        std::isnan(eventTimeSec) ? 0.0 : std::clamp(eventTimeSec, -kNeverSec, kNeverSec);
    return std::llround(leadingDouble(fixed2Text(bounded)) * 100.0);
}

void GivenReminders::merge(const Occurrence& occurrence, const State& state) {
    auto [at, inserted] = records_.try_emplace(occurrence, state);
    if (inserted) {
        return;
    }
    State& held = at->second;
    held.matrix |= state.matrix;
    held.lastOutputSec = std::max(held.lastOutputSec, state.lastOutputSec);
    if (held.description.empty()) {
        held.description = state.description;
    }
}

std::pair<GivenReminders::Occurrence, GivenReminders::State> GivenReminders::recordOf(
    const std::wstring& key, const ReminderEntry& entry) {
    return {Occurrence{key, true, centisecondsOf(entry.nextEventTimeSec)},
            State{entry.remindMatrix, entry.lastOutputSec, entry.nextEventTimeSec,
                  descriptionOf(entry)}};
}

void GivenReminders::takeFrom(const Dictionary& today) {
    for (const auto& [key, entry] : today) {
        if (entry.remindMatrix == 0 || key == kTestReminderKey) {
            continue;
        }
        auto [occurrence, state] = recordOf(key, entry);
        std::wstring description = state.description;
        merge(occurrence, state);
        // The entry's texts are the latest ones.
        records_[occurrence].description = std::move(description);
    }
}

void GivenReminders::add(const std::wstring& key, const ProgramSeconds* eventTimeSec,
                         std::uint32_t matrix, ProgramSeconds lastOutputSec,
                         const std::wstring& description) {
    if (eventTimeSec != nullptr) {
        const double event =
            std::isnan(*eventTimeSec) ? 0.0 : std::clamp(*eventTimeSec, -kNeverSec, kNeverSec);
        merge({key, true, centisecondsOf(event)}, State{matrix, lastOutputSec, event, description});
        return;
    }
    for (auto at = records_.lower_bound({key, true, std::numeric_limits<std::int64_t>::min()});
         at != records_.end() && at->first.key == key; ++at) {
        const State& held = at->second;
        if (at->first.eventTimeKnown && (held.matrix & matrix) == matrix &&
            held.lastOutputSec >= lastOutputSec) {
            return;
        }
    }
    merge({key, false, 0}, State{matrix, lastOutputSec, 0.0, description});
}

bool GivenReminders::sameOccurrence(const Occurrence& occurrence, const State& state,
                                    const ReminderEntry& entry) {
    if (occurrence.eventTimeKnown) {
        return occurrence.eventCentiseconds == centisecondsOf(entry.nextEventTimeSec);
    }
    return givenOnTheCurrentOccurrence(entry, state.lastOutputSec);
}

std::size_t GivenReminders::dropOutdated(const Dictionary& today, ProgramSeconds nowSec,
                                         double defaultPostTrigger) {
    return std::erase_if(records_, [&](const auto& record) {
        const auto& [occurrence, state] = record;
        const double latest = occurrence.eventTimeKnown
                                  ? std::max(state.lastOutputSec, state.eventTimeSec)
                                  : state.lastOutputSec;
        // A day more than the post-event period: its reminder may come until the end of the day
        // the period ends in, and a clock set back over midnight brings the day before back.
        if (!(nowSec > latest + defaultPostTrigger + kSecondsPerDay)) {
            return false;
        }
        // An occurrence can stay current longer than the default post-event period (a long
        // pre-event slice, a longer post-event period of its own): its state must stay.
        const ReminderEntry* entry = today.find(occurrence.key);
        return entry == nullptr || !sameOccurrence(occurrence, state, *entry);
    });
}

void GivenReminders::giveBackTo(Dictionary& today) {
    constexpr std::int64_t kLast = std::numeric_limits<std::int64_t>::max();
    auto at = records_.begin();
    while (at != records_.end()) {
        const std::wstring key = at->first.key;
        ReminderEntry* entry = today.find(key);
        if (entry != nullptr) {
            // A record without event time that matches becomes the record of the occurrence,
            // now that it is known; then every record of that occurrence goes back.
            const auto old = records_.find({key, false, 0});
            if (old != records_.end() && sameOccurrence(old->first, old->second, *entry)) {
                State state = old->second;
                state.eventTimeSec = entry->nextEventTimeSec;
                records_.erase(old);
                merge({key, true, centisecondsOf(entry->nextEventTimeSec)}, state);
            }
            const std::int64_t current = centisecondsOf(entry->nextEventTimeSec);
            const auto found = records_.find({key, true, current});
            if (found != records_.end()) {
                entry->remindMatrix |= found->second.matrix;
                entry->lastOutputSec = std::max(entry->lastOutputSec, found->second.lastOutputSec);
            }
        }
        at = records_.upper_bound({key, true, kLast});
    }
}

bool GivenReminders::heldBy(const GivenReminders& other) const {
    auto holds = [&](const Occurrence& occurrence, const State& state) {
        const auto found = other.records_.find(occurrence);
        return found != other.records_.end() &&
               (found->second.matrix & state.matrix) == state.matrix &&
               found->second.lastOutputSec >= state.lastOutputSec;
    };
    // A record that was carried over from a line without event time is held by that line.
    return std::all_of(records_.begin(), records_.end(), [&](const auto& record) {
        return holds(record.first, record.second) ||
               (record.first.eventTimeKnown && holds({record.first.key, false, 0}, record.second));
    });
}

}  // namespace tindlow
