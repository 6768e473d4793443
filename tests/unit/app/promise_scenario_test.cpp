// Five weeks of a program that is used: every execution tick is run, and at seeded random moments
// the user reloads, the program is restarted, a network share with an event file comes and goes
// (so it is away at a start, at a reload, at midnight), the event file is held by another program
// during a reload, lines are edited between loadings (time earlier and later, date moved, interval
// changed, deleted and put back), the clock is set back by minutes and across midnight, the
// machine sleeps for days or for exactly a month, the disk is full for some saves, reminder boxes
// and a loading's error boxes stay open across later slots and across midnight, and the session
// ends inside a loader's box. Every reminder must come exactly once: each slot of each occurrence
// at the first moment the reminder check can give it, none repeated, none for the wrong
// occurrence, none earlier than one already given for the same occurrence.
//
// The expected reminders come from a model of its own: the occurrences are computed with
// std::chrono's calendar from the event lines' columns, the slots from the remind windows. What
// the model takes from the program are only the moments at which it watched things happen: a
// box opening, a loading starting.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "fakes/test_program.h"
#include "ui/control_ids.h"

namespace tindlow {
namespace {

namespace chr = std::chrono;

// ---------------------------------------------------------------------------------------------
// The independent model.

constexpr double kDay = 86400.0;
// The day number 0 of program seconds: 31.12.1900.
constexpr chr::sys_days kOrigin = chr::sys_days{chr::year{1900} / 12 / 31};

std::int64_t dayIndex(const chr::year_month_day& date) {
    return (chr::sys_days{date} - kOrigin).count();
}

chr::year_month_day dateOfIndex(std::int64_t index) {
    return chr::year_month_day{kOrigin + chr::days{index}};
}

double secondsOf(const LocalTime& t) {
    const chr::year_month_day date{chr::year{t.year}, chr::month{static_cast<unsigned>(t.month)},
                                   chr::day{static_cast<unsigned>(t.day)}};
    return static_cast<double>(dayIndex(date)) * kDay + t.hour * 3600 + t.minute * 60 + t.second;
}

std::string moment(double seconds) {
    const auto index = static_cast<std::int64_t>(seconds / kDay);
    const chr::year_month_day date = dateOfIndex(index);
    const auto rest = static_cast<std::int64_t>(seconds - static_cast<double>(index) * kDay);
    char text[96];
    std::snprintf(text, sizeof text, "%02u.%02u.%d %02lld:%02lld:%02lld",
                  static_cast<unsigned>(date.day()), static_cast<unsigned>(date.month()),
                  static_cast<int>(date.year()), static_cast<long long>(rest / 3600),
                  static_cast<long long>(rest / 60 % 60), static_cast<long long>(rest % 60));
    return text;
}

enum class Kind { Single, Days, Months, Years, NthWeekday, LastMonthDay };

struct ModelEntry {
    std::string key;
    std::string title;
    Kind kind;
    chr::year_month_day start;
    int interval;
    int pointer;     // NthWeekday: which weekday of the month
    int timeOfDay;   // seconds
    int preMinutes;  // as the line gives it
    int repeat;
    // The line's columns, as the event file carries them.
    std::string timeColumn;
    std::string intervalColumn;
    // The remind periods after the windows of successive occurrences have been kept apart.
    double pre = 0;
    double post = 0;
};

constexpr double kPostHours = 12;  // [RemindHours] of the scenario
constexpr double kMargin = 2;      // two execution loop periods of one tick, as seconds

// Occurrences of one line must not share a remind window: pre + post + margin fit into the
// period, the post-event period giving way first.
void keepWindowsApart(ModelEntry& e) {
    e.pre = e.preMinutes * 60.0;
    e.post = kPostHours * 3600;
    double period = 0;
    switch (e.kind) {
        case Kind::Single:
            return;
        case Kind::Days:
            period = e.interval * kDay;
            break;
        case Kind::Years:
            period = e.interval * 365 * kDay;
            break;
        default:
            period = e.interval * 30 * kDay;
            break;
    }
    if (e.pre + e.post + kMargin <= period) {
        return;
    }
    if (e.pre <= period - kMargin) {
        e.post = period - kMargin - e.pre;
    } else {
        e.pre = period - kMargin;
        e.post = 0;
    }
}

int monthIndex(const chr::year_month_day& d) {
    return static_cast<int>(d.year()) * 12 + static_cast<int>(static_cast<unsigned>(d.month())) - 1;
}

// The occurrence that is current on `day`: the latest one not after it; for the monthly and
// yearly kinds the one in the latest month (year) of the grid not after it, wherever in that
// month it falls.
double occurrence(const ModelEntry& e, std::int64_t day) {
    const chr::year_month_day today = dateOfIndex(day);
    std::int64_t eventDay = 0;
    auto gridMonth = [&] {
        const int index = monthIndex(today);
        const int back = ((index - monthIndex(e.start)) % e.interval + e.interval) % e.interval;
        const int target = index - back;
        return chr::year_month{chr::year{target / 12},
                               chr::month{static_cast<unsigned>(target % 12 + 1)}};
    };
    switch (e.kind) {
        case Kind::Single:
            eventDay = dayIndex(e.start);
            break;
        case Kind::Days: {
            const std::int64_t first = dayIndex(e.start);
            eventDay = day - (day - first) % e.interval;
            break;
        }
        case Kind::Months: {
            // A day the month lacks runs over into the next month (31.11. is 01.12.): that
            // occurrence of the grid month before is the current one from the start of the month
            // up to its own day.
            const chr::year_month month = gridMonth();
            eventDay = dayIndex(chr::year_month_day{month / e.start.day()});
            const std::int64_t ranOver =
                dayIndex(chr::year_month_day{(month - chr::months{e.interval}) / e.start.day()});
            if (ranOver >= day) {
                eventDay = ranOver;
            }
            break;
        }
        case Kind::Years: {
            const int year = static_cast<int>(today.year());
            const int back = (year - static_cast<int>(e.start.year())) % e.interval;
            eventDay = dayIndex(chr::year{year - back} / e.start.month() / e.start.day());
            break;
        }
        case Kind::NthWeekday: {
            const chr::weekday weekday{chr::sys_days{e.start}};
            const chr::year_month month = gridMonth();
            eventDay = (chr::sys_days{month / weekday[static_cast<unsigned>(e.pointer)]} - kOrigin)
                           .count();
            break;
        }
        case Kind::LastMonthDay: {
            const chr::year_month month = gridMonth();
            eventDay = (chr::sys_days{month / chr::last} - kOrigin).count();
            break;
        }
    }
    return static_cast<double>(eventDay) * kDay + e.timeOfDay;
}

constexpr int kAtEvent = 30;
constexpr int kAfterEvent = 31;

// Which reminder of the occurrence at `event` holds the moment `t`, or -1 for none: the slices
// of the pre-event period, the event time (up to two seconds after it), and afterwards the
// post-event reminder, which may come until the post-event period and the rest of that day are
// over.
int slotAt(const ModelEntry& e, double event, double t) {
    const double secondsOfDay = t - std::floor(t / kDay) * kDay;
    if (t < event - e.pre || t > event + e.post + (kDay - secondsOfDay)) {
        return -1;
    }
    if (t < event) {
        if (e.pre <= 0) {
            return -1;
        }
        const double slice = e.pre / e.repeat;
        const int slot = static_cast<int>((t - (event - e.pre)) / slice);
        return std::min(slot, e.repeat - 1);
    }
    return t <= event + kMargin ? kAtEvent : kAfterEvent;
}

struct Due {
    const ModelEntry* entry;
    double event;
    int slot;
    friend bool operator<(const Due& a, const Due& b) { return a.entry->key < b.entry->key; }
};

std::string slotName(int slot) {
    if (slot == kAtEvent) {
        return "event time";
    }
    if (slot == kAfterEvent) {
        return "after the event";
    }
    return "slot " + std::to_string(slot);
}

std::string describe(const std::vector<Due>& due) {
    if (due.empty()) {
        return "nothing";
    }
    std::string text;
    for (const Due& d : due) {
        text += (text.empty() ? "" : ", ") + d.entry->title + " (" + slotName(d.slot) +
                " of the occurrence " + moment(d.event) + ")";
    }
    return text;
}

// What has been given, per line and occurrence, and which lines the latest loading found.
class Model {
  public:
    // A loading found these lines, as they were then.
    void load(std::vector<ModelEntry> entries) {
        entries_ = std::move(entries);
        for (ModelEntry& e : entries_) {
            keepWindowsApart(e);
        }
        cachedDay_ = -1;
    }

    // What the reminder check must give at `t`, when the latest loading started at `loadedAt`.
    std::vector<Due> due(double t, double loadedAt) {
        const auto day = static_cast<std::int64_t>(std::floor(t / kDay));
        if (day != cachedDay_) {
            cachedDay_ = day;
            events_.clear();
            for (const ModelEntry& e : entries_) {
                events_.push_back(occurrence(e, day));
            }
        }
        const double loadDayEnd = (std::floor(loadedAt / kDay) + 1) * kDay;
        std::vector<Due> result;
        for (std::size_t i = 0; i < entries_.size(); ++i) {
            const ModelEntry& e = entries_[i];
            const double event = events_[i];
            // A line is only looked at when its remind window touched the rest of the day at
            // the loading.
            if (event + e.post < loadedAt || event - e.pre > loadDayEnd) {
                continue;
            }
            const int slot = slotAt(e, event, t);
            if (slot < 0) {
                continue;
            }
            // A slot is given once, and never after a later one of the same occurrence (the clock
            // was set back); the post-event reminder only when the event-time one was missed.
            const std::set<int>& done = given_[{e.key, event}];
            if (done.lower_bound(slot) != done.end() ||
                (slot == kAfterEvent && done.count(kAtEvent) != 0)) {
                continue;
            }
            result.push_back(Due{&e, event, slot});
        }
        // The check lists them in the order of their keys.
        std::sort(result.begin(), result.end());
        return result;
    }

    void give(const std::vector<Due>& due) {
        for (const Due& d : due) {
            given_[{d.entry->key, d.event}].insert(d.slot);
            ++givenCount_;
        }
    }
    int givenCount() const { return givenCount_; }

  private:
    std::vector<ModelEntry> entries_;
    std::map<std::pair<std::string, double>, std::set<int>> given_;
    std::int64_t cachedDay_ = -1;
    std::vector<double> events_;
    int givenCount_ = 0;
};

chr::year_month_day ymd(int y, unsigned m, unsigned d) {
    return chr::year_month_day{chr::year{y}, chr::month{m}, chr::day{d}};
}

// A line of an event file as the world changes it: the definitions the user edits it to (the
// first is the original), which one the file holds now, whether it is deleted, and whether it
// lies in the event file on the network share.
struct WorldLine {
    std::vector<ModelEntry> variants;
    std::size_t chosen = 0;
    bool deleted = false;
    bool onShare = false;
};

// The same line with other columns: each returns a copy.
ModelEntry withTime(ModelEntry e, int seconds, const char* column) {
    e.timeOfDay = seconds;
    e.timeColumn = column;
    return e;
}
ModelEntry withStart(ModelEntry e, chr::year_month_day start) {
    e.start = start;
    return e;
}
ModelEntry withInterval(ModelEntry e, Kind kind, int interval, const char* column) {
    e.kind = kind;
    e.interval = interval;
    e.intervalColumn = column;
    return e;
}

// Every recurrence kind, with pre-event slots and post-event periods, monthly lines on the 29th,
// 30th and 31st, and for some lines the edits a user makes. The times are exact binary fractions
// of a day (multiples of 22.5 minutes), so the program's event times are whole seconds as the
// model's are. [overlap] and [evening] need their windows shortened, so every loading that reads
// them shows a box about each while the error box budget lasts.
std::vector<WorldLine> scenarioLines() {
    const ModelEntry single{
        "[single]", "Single", Kind::Single, ymd(2026, 12, 15), 0, 0, 51300, 120, 4, "0,59375", ""};
    const ModelEntry daily{"[daily]", "Daily", Kind::Days, ymd(2026, 11, 1), 1,  0,
                           27000,     30,      2,          "0,3125",         "1"};
    const ModelEntry every2{"[every2]", "Second", Kind::Days, ymd(2026, 11, 2), 2,  0,
                            75600,      180,      3,          "0,875",          "2"};
    const ModelEntry every3{"[every3]", "Third", Kind::Days, ymd(2026, 11, 3), 3,  0,
                            83700,      60,      2,          "0,96875",        "3"};
    const ModelEntry weekly{"[weekly]", "Weekly", Kind::Days, ymd(2026, 11, 4), 7,  0,
                            2700,       600,      5,          "0,03125",        "7"};
    const ModelEntry monthly{"[monthly]", "Monthly", Kind::Months, ymd(2026, 10, 20),
                             1,           0,         32400,        2880,
                             4,           "0,375",   "30"};
    const ModelEntry evening{"[evening]", "Evening", Kind::Days, ymd(2026, 11, 1), 1,  0,
                             72900,       1000,      2,          "0,84375",        "1"};
    return {
        {{single, withStart(single, ymd(2026, 12, 16)), withTime(single, 56700, "0,65625")}},
        {{daily, withTime(daily, 22950, "0,265625"), withTime(daily, 32400, "0,375")}},
        {{every2, withInterval(every2, Kind::Days, 3, "3"), withStart(every2, ymd(2026, 11, 3))}},
        {{every3, withTime(every3, 81000, "0,9375")}, 0, false, true},
        {{weekly, withStart(weekly, ymd(2026, 11, 5))}},
        {{monthly, withStart(monthly, ymd(2026, 10, 22)),
          withInterval(monthly, Kind::Months, 2, "60")}},
        {{{"[yearly]", "Yearly", Kind::Years, ymd(1990, 12, 24), 1, 0, 64800, 1440, 3, "0,75",
           "365"}}},
        {{{"[tuesday]", "Tuesday", Kind::NthWeekday, ymd(2026, 11, 10), 1, 2, 29700, 90, 3,
           "0,34375", "30mwd2"}}},
        {{{"[lastday]", "LastDay", Kind::LastMonthDay, ymd(2026, 11, 30), 1, 0, 62100, 240, 2,
           "0,71875", "30mmd-1"}}},
        {{{"[overlap]", "Overlap", Kind::Months, ymd(2026, 1, 1), 1, 0, 0, 50000, 1, "0", "30"}}},
        {{evening, withTime(evening, 75600, "0,875")}, 0, false, true},
        {{{"[m29]", "Month29", Kind::Months, ymd(2026, 10, 29), 1, 0, 43200, 120, 2, "0,5", "30"}}},
        {{{"[m30]", "Month30", Kind::Months, ymd(2026, 10, 30), 1, 0, 21600, 60, 1, "0,25", "30"}}},
        {{{"[m31]", "Month31", Kind::Months, ymd(2026, 10, 31), 1, 0, 35100, 90, 3, "0,40625",
           "30"}},
         0,
         false,
         true},
    };
}

// The event file of the local directory or of the share, as the lines are now.
std::string eventFile(const std::vector<WorldLine>& lines, bool share) {
    std::string text = "What;Text;Date;Time;Pretrigger;Repeat;Interval;Key;Row\r\n";
    int row = 2;
    for (const WorldLine& line : lines) {
        if (line.onShare != share || line.deleted) {
            continue;
        }
        const ModelEntry& e = line.variants[line.chosen];
        char date[16];
        std::snprintf(date, sizeof date, "%02u.%02u.%d", static_cast<unsigned>(e.start.day()),
                      static_cast<unsigned>(e.start.month()), static_cast<int>(e.start.year()));
        text += e.title + ";;" + date + ";" + e.timeColumn + ";" + std::to_string(e.preMinutes) +
                ";" + std::to_string(e.repeat) + ";" + e.intervalColumn + ";" + e.key + ";" +
                std::to_string(row++) + "\r\n";
    }
    return text;
}

// ---------------------------------------------------------------------------------------------
// The world around the program: the user, the clock, the disk, the session.

const std::wstring kNetworkShare = L"\\\\nas\\events";
const std::wstring kShareFile = kNetworkShare + L"\\Share.csv";
const std::wstring kLocalFile = L"C:\\P\\_SingleEvents\\Events.csv";

struct Coverage {
    int reminderBoxes = 0;
    int restarts = 0;
    int reloads = 0;
    int sessionEnds = 0;
    int networkReloads = 0;
    int reminderBoxesOverMidnight = 0;
    int loaderBoxesOverMidnight = 0;
    int loadingsWithoutShare = 0;
    int edits = 0;
    int lockedReloads = 0;
    int clockBackMinutes = 0;
    int clockBackOverMidnight = 0;
    int sleeps = 0;
    int monthSleeps = 0;
    int fullDiskSaves = 0;
};

// The first day of a run: a December with a November that lacks the 31st, or a February of a
// common or a leap year, so that the monthly lines on the 29th to 31st run over into March.
LocalTime startOf(unsigned seed) {
    switch (seed % 3) {
        case 0:
            return LocalTime{2027, 2, 10, 6, 0, 0, 0};
        case 1:
            return LocalTime{2026, 12, 1, 6, 0, 0, 0};
        default:
            return LocalTime{2028, 2, 10, 6, 0, 0, 0};
    }
}

class Scenario {
  public:
    Scenario(unsigned seed, int days) : seed_(seed), random_(seed), lines_(scenarioLines()) {
        files_.setCurrentDirectory(kTestRoot);
        files_.addFile(L"C:\\P\\_IniFile\\IniFile.csv", "Value;Key\r\n12;[RemindHours]\r\n" +
                                                            std::string("\\\\nas\\events") +
                                                            ";[NetworkPathDateFiles]\r\n");
        now_ = secondsOf(startOf(seed));
        end_ = now_ + days * kDay;
        writeEventFiles();
        nextReload_ = now_ + randomSeconds(3600, 12 * 3600);
        nextRestart_ = now_ + randomSeconds(3 * 3600, 40 * 3600);
        nextNetworkChange_ = now_ + randomSeconds(3600, 20 * 3600);
        nextEdit_ = now_ + randomSeconds(3600, 30 * 3600);
        nextLock_ = now_ + randomSeconds(3600, 60 * 3600);
        nextClock_ = now_ + randomSeconds(12 * 3600, 80 * 3600);
        nextDisk_ = now_ + randomSeconds(3600, 40 * 3600);
    }

    // Runs until the end or the first difference; answers the difference, or nothing.
    std::string run() {
        startProgram();
        while (failure_.empty() && now_ < end_) {
            if (!program_) {
                now_ = restartAt_;
                startProgram();
                continue;
            }
            if (now_ >= nextRestart_) {
                restart();
                continue;
            }
            if (now_ >= nextReload_) {
                nextReload_ = now_ + randomSeconds(3600, 16 * 3600);
                reload();
                continue;
            }
            if (now_ >= nextNetworkChange_) {
                changeNetwork();
            }
            if (now_ >= nextEdit_) {
                edit();
                continue;
            }
            if (now_ >= nextLock_) {
                lockedReload();
                continue;
            }
            if (now_ >= nextClock_) {
                moveClock();
            }
            if (now_ >= nextDisk_) {
                changeDisk();
            }
            topLevelTick();
        }
        if (program_ && failure_.empty()) {
            freeDisk();
            program_->dialog.onClose();
        }
        return failure_;
    }

    const Coverage& coverage() const { return coverage_; }
    int given() const { return model_.givenCount(); }

  private:
    double randomSeconds(double from, double to) {
        return std::floor(std::uniform_real_distribution<double>(from, to)(random_));
    }
    bool chance(double p) { return std::bernoulli_distribution(p)(random_); }
    std::size_t pick(std::size_t count) {
        return std::uniform_int_distribution<std::size_t>(0, count - 1)(random_);
    }
    double secondsToMidnight() const { return (std::floor(now_ / kDay) + 1) * kDay - now_; }
    double secondsOfDay() const { return now_ - std::floor(now_ / kDay) * kDay; }
    // The files as the running program sees them, or as they lie on disk between two runs.
    FakeFileSystem& disk() { return program_ ? program_->fake.files : files_; }

    // The first difference, with the program's last log lines (without the long dash lines)
    // to show what led to it.
    void fail(const std::string& what) {
        if (!failure_.empty()) {
            return;
        }
        failure_ = "seed " + std::to_string(seed_) + ", " + moment(now_) + ": " + what;
        if (program_) {
            const std::vector<std::wstring>& lines = program_->fake.view.logLines;
            std::string context;
            int shown = 0;
            for (auto it = lines.rbegin(); it != lines.rend() && shown < 12; ++it) {
                if (it->find(L"-----") == std::wstring::npos) {
                    context =
                        "\n    " + std::string(it->begin(), it->end()).substr(0, 160) + context;
                    ++shown;
                }
            }
            failure_ += "\n  last log lines:" + context;
        }
    }

    // Exports the lines: the local event file, and the share's while the share is there.
    void writeEventFiles() {
        disk().addFile(kLocalFile, eventFile(lines_, false));
        if (networkUp_) {
            disk().addFile(kShareFile, eventFile(lines_, true));
        }
    }

    // The lines a loading starting now finds: the local file's unless another program holds it,
    // the share's while the share is there.
    std::vector<ModelEntry> visibleLines() const {
        std::vector<ModelEntry> visible;
        for (const WorldLine& line : lines_) {
            if (!line.deleted && (line.onShare ? networkUp_ : !localLocked_)) {
                visible.push_back(line.variants[line.chosen]);
            }
        }
        return visible;
    }

    void startProgram() {
        program_ = std::make_unique<TestProgram>();
        FakePlatform& fake = program_->fake;
        fake.files = files_;
        fake.clock.set(localTimeOf(now_));
        fake.boxes.onShow = [this](const FakeMessageBoxes::Box& box) { onBox(box); };
        fake.view.onLogLine = [this](const std::wstring& line) { onLogLine(line); };
        started_ = false;
        ended_ = false;
        trace("start");
        program_->start();
        trace("started");
        started_ = true;
        discardIfEnded();
    }

    // The first line of a loading names the local event directory: its file is read, it holds
    // none, or the file cannot be read.
    void onLogLine(const std::wstring& line) {
        if (line.find(L"read from C:\\P\\_SingleEvents\\") != std::wstring::npos ||
            line.find(L"Reading C:\\P\\_SingleEvents\\") != std::wstring::npos ||
            line.find(kLocalFile + L" was not found") != std::wstring::npos) {
            loadedAt_ = now_;
            model_.load(visibleLines());
            coverage_.loadingsWithoutShare += networkUp_ ? 0 : 1;
            trace(localLocked_ ? "loading, the event file held" : "loading");
        }
        if (line.find(L"Reading " + kShareFile) != std::wstring::npos) {
            ++networkLoads_;
        }
        if (line.find(L"could not be written") != std::wstring::npos) {
            ++coverage_.fullDiskSaves;
        }
    }

    void reload() {
        ++coverage_.reloads;
        trace("Reload Data");
        program_->dialog.onButton(ids::kReloadData);
        discardIfEnded();
    }

    void restart() {
        ++coverage_.restarts;
        trace("close");
        freeDisk();
        program_->dialog.onClose();
        files_ = program_->fake.files;
        program_.reset();
        // Now and then the next start falls shortly before midnight, so that its loading's boxes
        // may stay open while the day changes.
        double gap = randomSeconds(60, 3 * 3600);
        if (chance(0.3)) {
            gap = secondsToMidnight() - randomSeconds(2, 40);
            gap += gap < 60 ? kDay : 0;
        }
        restartAt_ = now_ + gap;
        nextRestart_ = restartAt_ + randomSeconds(3 * 3600, 60 * 3600);
    }

    // The session ended inside a box: the process is gone; its files stay as they were then.
    void discardIfEnded() {
        if (ended_) {
            program_.reset();
            restartAt_ = now_ + randomSeconds(60, 2 * 3600);
            if (nextRestart_ < restartAt_) {
                nextRestart_ = restartAt_ + randomSeconds(3 * 3600, 60 * 3600);
            }
        }
    }

    // The share goes away or comes back with its event file; so it is away at some starts,
    // reloads and midnights.
    void changeNetwork() {
        nextNetworkChange_ = now_ + randomSeconds(1800, 30 * 3600);
        networkUp_ = !networkUp_;
        if (networkUp_) {
            writeEventFiles();
        } else {
            disk().removeTree(kNetworkShare);
        }
        trace(networkUp_ ? "share up" : "share down");
    }

    // A line is edited in its workbook and exported: another variant (the original among them),
    // or deleted, or put back; mostly followed by Reload Data.
    void edit() {
        nextEdit_ = now_ + randomSeconds(3600, 30 * 3600);
        WorldLine& line = lines_[pick(lines_.size())];
        if (line.deleted || chance(0.2)) {
            line.deleted = !line.deleted;
        } else {
            line.chosen = pick(line.variants.size());
        }
        ++coverage_.edits;
        const ModelEntry& e = line.variants[line.chosen];
        trace("edit " + e.key +
              (line.deleted ? " deleted" : " to " + e.timeColumn + " " + e.intervalColumn));
        writeEventFiles();
        if (chance(0.7)) {
            reload();
        }
    }

    // The spreadsheet holds the event file while it saves it, just as Reload Data is pressed.
    void lockedReload() {
        nextLock_ = now_ + randomSeconds(3600, 60 * 3600);
        ++coverage_.lockedReloads;
        disk().lock(kLocalFile);
        localLocked_ = true;
        trace("event file held");
        program_->dialog.onButton(ids::kReloadData);
        localLocked_ = false;
        // The session may have ended inside a box of that loading: its disk is then the one the
        // next run finds.
        files_.unlock(kLocalFile);
        if (program_) {
            program_->fake.files.unlock(kLocalFile);
        }
        discardIfEnded();
    }

    // The clock is set back (it ran fast): by minutes, or, just after midnight, into the day
    // before. Or the machine sleeps: for a few days, or for exactly a month.
    void moveClock() {
        nextClock_ = now_ + randomSeconds(20 * 3600, 100 * 3600);
        double to = now_;
        if (secondsOfDay() < 1800) {
            ++coverage_.clockBackOverMidnight;
            to = now_ - secondsOfDay() - randomSeconds(60, 1800);
        } else if (chance(0.6)) {
            ++coverage_.clockBackMinutes;
            to = now_ - randomSeconds(60, 1800);
        } else {
            const LocalTime t = localTimeOf(now_);
            const chr::year_month_day date{chr::year{t.year},
                                           chr::month{static_cast<unsigned>(t.month)},
                                           chr::day{static_cast<unsigned>(t.day)}};
            const chr::year_month_day monthLater = date + chr::months{1};
            if (chance(0.3) && monthLater.ok()) {
                ++coverage_.monthSleeps;
                to = now_ + static_cast<double>(dayIndex(monthLater) - dayIndex(date)) * kDay;
            } else {
                ++coverage_.sleeps;
                to = now_ + randomSeconds(3600, 3 * kDay);
            }
        }
        trace("clock to " + moment(to));
        program_->fake.clock.set(localTimeOf(to));
        // Nobody was there while the machine slept: what the user and the world do next comes
        // after the wake, and the run lasts its days awake.
        const double slept = std::max(to - now_, 0.0);
        for (double* next : {&nextReload_, &nextRestart_, &nextNetworkChange_, &nextEdit_,
                             &nextLock_, &nextDisk_, &end_}) {
            *next += slept;
        }
        now_ = to;
        // Now and then at the next change the clock goes back into the last minutes of a day.
        if (chance(0.4)) {
            nextClock_ = (std::floor(nextClock_ / kDay) + 1) * kDay + randomSeconds(5, 1500);
        }
    }

    // The disk fills up for some hours of a run and has room again before the program closes.
    void changeDisk() {
        nextDisk_ = now_ + randomSeconds(1800, 30 * 3600);
        diskFull_ = !diskFull_;
        disk().setFreeSpace(diskFull_ ? std::optional<std::size_t>(0) : std::nullopt);
        trace(diskFull_ ? "disk full" : "disk has room");
    }
    void freeDisk() {
        if (diskFull_) {
            diskFull_ = false;
            disk().setFreeSpace(std::nullopt);
            trace("disk has room");
        }
    }

    static LocalTime localTimeOf(double seconds) {
        const auto index = static_cast<std::int64_t>(seconds / kDay);
        const chr::year_month_day date = dateOfIndex(index);
        const auto rest = static_cast<int>(seconds - static_cast<double>(index) * kDay);
        return LocalTime{static_cast<int>(date.year()),
                         static_cast<int>(static_cast<unsigned>(date.month())),
                         static_cast<int>(static_cast<unsigned>(date.day())),
                         rest / 3600,
                         rest / 60 % 60,
                         rest % 60,
                         0};
    }

    void advanceHalfSecond() {
        program_->fake.clock.advanceMilliseconds(500);
        now_ = secondsOf(program_->fake.clock.localTime());
    }

    // One tick of the timer outside every box: the reminder check runs at its end, so unless it
    // showed a box, nothing may have been due then. When boxes of a loading were open during the
    // tick, the ticks inside them have run the check's loop count down and this tick's check
    // waits for the next tick.
    void topLevelTick() {
        const int networkLoadsBefore = networkLoads_;
        inTopLevelTick_ = true;
        checkShowedBox_ = false;
        nestedTicks_ = 0;
        advanceHalfSecond();
        program_->dialog.onTimer();
        inTopLevelTick_ = false;
        if (ended_) {
            discardIfEnded();
            return;
        }
        if (networkLoads_ != networkLoadsBefore) {
            ++coverage_.networkReloads;
        }
        // Every new date is loaded at the first tick that sees it (also a month later, or the day
        // before after the clock was set back), unless a box kept the tick from it.
        if (nestedTicks_ == 0 && std::floor(loadedAt_ / kDay) != std::floor(now_ / kDay)) {
            fail("the entries were not loaded for the new date; the last loading was at " +
                 moment(loadedAt_));
            return;
        }
        if (!checkShowedBox_ && nestedTicks_ == 0) {
            const std::vector<Due> due = model_.due(now_, loadedAt_);
            if (!due.empty()) {
                fail("not given: " + describe(due));
            }
        }
    }

    // Ticks while a box is open, until `until` or until the session ends.
    void ticksInsideBox(double until) {
        while (failure_.empty() && !ended_ && now_ < until) {
            ++nestedTicks_;
            advanceHalfSecond();
            program_->dialog.onTimer();
            if (chance(0.001)) {
                program_->dialog.onPaint();
            }
        }
    }

    void onBox(const FakeMessageBoxes::Box& box) {
        if (ended_ || !failure_.empty()) {
            return;
        }
        if (box.text.find(L"Event: ") != std::wstring::npos) {
            onReminderBox(box);
        } else if (box.text.find(L"must not overlap") != std::wstring::npos) {
            onLoaderBox();
        } else {
            fail("an unexpected box: " + std::string(box.text.begin(), box.text.end()));
        }
    }

    void onReminderBox(const FakeMessageBoxes::Box& box) {
        if (!inTopLevelTick_ || openReminderBoxes_ > 0 || openLoaderBoxes_ > 0 || !started_) {
            fail("a reminder box while the check is closed: " +
                 std::string(box.text.begin(), box.text.end()));
            return;
        }
        checkShowedBox_ = true;
        ++coverage_.reminderBoxes;
        const std::vector<Due> expected = model_.due(now_, loadedAt_);
        const std::string shown = titlesOf(box.text);
        std::string wanted;
        for (const Due& d : expected) {
            wanted += (wanted.empty() ? "" : ", ") + d.entry->title;
        }
        if (shown != wanted || box.icon != iconFor(expected)) {
            fail("the box gave " + shown + " with icon " +
                 std::to_string(static_cast<int>(box.icon)) + ", due was " + describe(expected) +
                 " with icon " + std::to_string(static_cast<int>(iconFor(expected))));
            return;
        }
        model_.give(expected);

        // Mostly closed soon; now and then left open over later slots, or over midnight.
        double open = randomSeconds(1, 20);
        if (chance(0.15)) {
            open = randomSeconds(60, 3 * 3600);
        } else if (secondsToMidnight() < 3 * 3600 && chance(0.5)) {
            open = secondsToMidnight() + randomSeconds(5, 1800);
        }
        const double closeAt = now_ + open;
        const bool overMidnight = open > secondsToMidnight();
        trace("reminder box " + shown + " open until " + moment(closeAt));
        ++openReminderBoxes_;
        ticksInsideBox(closeAt);
        --openReminderBoxes_;
        coverage_.reminderBoxesOverMidnight += overMidnight ? 1 : 0;
    }

    void onLoaderBox() {
        // The session may end while the box is open; the process goes with it.
        if (!diskFull_ && chance(0.06)) {
            ++coverage_.sessionEnds;
            trace("session end");
            program_->dialog.onEndSession();
            files_ = program_->fake.files;
            ended_ = true;
            return;
        }
        double open = randomSeconds(1, 120);
        if (secondsToMidnight() < 600 && chance(0.8)) {
            open = secondsToMidnight() + randomSeconds(1, 300);
        } else if (chance(0.1)) {
            open = randomSeconds(600, 2 * 3600);
        }
        const bool overMidnight = open > secondsToMidnight();
        trace("loader box open until " + moment(now_ + open));
        ++openLoaderBoxes_;
        ticksInsideBox(now_ + open);
        --openLoaderBoxes_;
        coverage_.loaderBoxesOverMidnight += overMidnight ? 1 : 0;
    }

    std::string titlesOf(const std::wstring& boxText) const {
        std::string titles;
        std::wistringstream lines(boxText);
        std::wstring line;
        while (std::getline(lines, line)) {
            const std::size_t at = line.find(L"Event: ");
            if (at == std::wstring::npos) {
                continue;
            }
            const std::wstring title = line.substr(at + 7);
            titles += (titles.empty() ? "" : ", ") + std::string(title.begin(), title.end());
        }
        return titles;
    }

    static BoxIcon iconFor(const std::vector<Due>& due) {
        BoxIcon icon = BoxIcon::Information;
        for (const Due& d : due) {
            if (d.slot == kAfterEvent) {
                return BoxIcon::Stop;
            }
            if (d.slot == kAtEvent) {
                icon = BoxIcon::Exclamation;
            }
        }
        return icon;
    }

    // TINDLOW_SCENARIO_TRACE=1 prints what the world did, for finding the cause of a difference.
    void trace(const std::string& what) const {
        if (tracing_) {
            std::printf("%s  %s\n", moment(now_).c_str(), what.c_str());
        }
    }

    bool tracing_ = std::getenv("TINDLOW_SCENARIO_TRACE") != nullptr;
    unsigned seed_;
    std::mt19937 random_;
    std::vector<WorldLine> lines_;
    Model model_;
    FakeFileSystem files_;
    std::unique_ptr<TestProgram> program_;
    double now_ = 0;
    double end_ = 0;
    double restartAt_ = 0;
    double nextReload_ = 0;
    double nextRestart_ = 0;
    double nextNetworkChange_ = 0;
    double nextEdit_ = 0;
    double nextLock_ = 0;
    double nextClock_ = 0;
    double nextDisk_ = 0;
    bool localLocked_ = false;
    bool diskFull_ = false;
    double loadedAt_ = 0;
    bool networkUp_ = false;
    int networkLoads_ = 0;
    bool started_ = false;
    bool ended_ = false;
    bool inTopLevelTick_ = false;
    bool checkShowedBox_ = false;
    int nestedTicks_ = 0;
    int openReminderBoxes_ = 0;
    int openLoaderBoxes_ = 0;
    std::string failure_;
    Coverage coverage_;
};

class PromiseScenario : public ::testing::TestWithParam<unsigned> {};

TEST_P(PromiseScenario, EveryReminderExactlyOnceOverFiveWeeks) {
    Scenario scenario(GetParam(), 35);
    const std::string failure = scenario.run();
    EXPECT_EQ(failure, "");
    const Coverage& c = scenario.coverage();
    std::printf(
        "reminders %d in %d boxes, restarts %d, reloads %d, loadings that reached the share %d, "
        "loadings without it %d, session ends %d, reminder boxes over midnight %d, loader boxes "
        "over midnight %d, edits %d, reloads of a held file %d, clock back by minutes %d and over "
        "midnight %d, sleeps %d and for a month %d, saves on a full disk %d\n",
        scenario.given(), c.reminderBoxes, c.restarts, c.reloads, c.networkReloads,
        c.loadingsWithoutShare, c.sessionEnds, c.reminderBoxesOverMidnight,
        c.loaderBoxesOverMidnight, c.edits, c.lockedReloads, c.clockBackMinutes,
        c.clockBackOverMidnight, c.sleeps, c.monthSleeps, c.fullDiskSaves);
}

INSTANTIATE_TEST_SUITE_P(Seeds, PromiseScenario, ::testing::Values(1u, 2u, 3u, 4u, 5u, 6u));

}  // namespace
}  // namespace tindlow
