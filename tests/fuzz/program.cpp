// A whole program on the fake platform, driven by the input: its files, then what the user, the
// clock and the world around the program do. The input is cut at the lines "@@" into the single
// events file, the periodic events file, the initialization file, the emitted reminders log, the
// settings file and the actions; a part that is not there is a file that is not there. The
// network directory C:\N, once it appears, holds a copy of the periodic events file, which is
// edited, removed and put back on its own. Without actions the program runs for a day and a quarter
// in steps of ten minutes.
//
// Each action is a byte and its arguments (act() lists them): ticks, the clock moving on by
// minutes, hours or days, the buttons, a command of the command menu on a chosen log line, the
// document menu, a text typed into the days field, keys, the mouse, window moves, the close (or
// the end of the session, or Escape) and a new run in the same directory, failing boxes, ticks
// while a box is open, the unhide keys and the network directory appearing. Then the ways an
// entry goes missing or changes between two loadings: an event file removed, locked or its
// directory gone, and put back as it was; a line's time or date moved, its interval changed, the
// line deleted, and each put back; the clock set back by minutes or over midnight; the machine
// asleep for days or for exactly one month; the disk full for the emitted reminders log, or for
// every file.
//
// Besides running clean under the sanitizers, the program never gives a reminder twice: no slot
// of an occurrence is given again once it was given, in this run or in an earlier one whose
// state the emitted reminders log carried over, and no slot is given after a later one of the
// same occurrence (the clock set back must not bring back what it passed). The event-time
// reminder and the one after a missed event are one slot, the last. An occurrence is an entry's
// line with its event time, and the line is told apart by its file and every text read from it,
// so a line deleted and put back, or moved away and back to the same time, is the same
// occurrence. The state is kept per key, so lines that share a key share it: the state of one
// can silence the other. That is what a duplicate key does (`tindlow check` lists them); the
// program may give less than the model allows, never more.
//
// The model holds the program only to what the world lets it keep:
// - A run that ends while the disk is full (the close and the end of the session save in vain,
//   Escape saves nothing) cannot leave its last reminders behind, and the next run may give
//   them again. At every run end the model therefore keeps of what it learnt in that run only
//   what the emitted reminders log on the fake disk carries: each line split at "<@@@>" into
//   key, matrix, last output and, when the fourth field is a number, the event time; a line
//   without the event time carries the occurrence that the model saw with that key and that last
//   output. So the full disk may come and go at any moment, run ends included, and the next start
//   is still held to everything the disk does carry.
// - The program may forget an occurrence once it is outdated: it is not among today's entries,
//   and its last reminder lies more than the default post-event period back or its own post-event
//   period has ended. The model forgets it then too; the clock set back further than that may
//   give it again.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/tindlow_dlg.h"
#include "fakes/fake_platform.h"
#include "fuzz_support.h"
#include "model/calendar.h"
#include "model/lenient_number.h"
#include "model/text_forms.h"
#include "model/text_tables.h"
#include "schedule/emitted_log.h"
#include "schedule/event_computation.h"
#include "ui/control_ids.h"

namespace tindlow {
namespace {

const std::wstring kRoot = L"C:\\P";
const std::wstring kFiles[] = {
    L"C:\\P\\_SingleEvents\\Single.csv", L"C:\\P\\_PeriodicEvents\\Periodic.csv",
    L"C:\\P\\_IniFile\\IniFile.csv", L"C:\\P\\_EmittedReminders\\EmittedReminders.txt",
    L"C:\\P\\_Settings\\Settings.txt"};
const std::wstring& kEmittedLog = kFiles[3];
const std::wstring kEventDirectories[] = {L"C:\\P\\_SingleEvents", L"C:\\P\\_PeriodicEvents",
                                          L"C:\\N"};
const std::wstring kNetworkFile = L"C:\\N\\Network.csv";
constexpr std::size_t kActionPart = 5;
constexpr int kDiskFull = 28;

// Keep previews and look-backs to a few weeks, so that an input runs in milliseconds.
constexpr std::int32_t kMostDays = 40;
constexpr int kMostTicks = 4000;
constexpr int kMostRuns = 4;

const int kButtons[] = {ids::kFutureEvents,   ids::kMissedEvents, ids::kOpenHelp,
                        ids::kOpenDirectory,  ids::kHideWindow,   ids::kReloadData,
                        ids::kSwitchLanguage, ids::kClearListbox, ids::kStopEntries};

// What a user writes into an interval column when changing it: single, days, weeks, months
// (every number of days divisible by 30), years, the month forms, a comment, a line turned off.
const char* const kIntervals[] = {"",    "1",      "2",       "7",       "30",  "60",
                                  "365", "30mwd2", "30mmd-1", "30mmd31", "#30", "-1"};

// The event time and the last output as the emitted reminders log keeps them: to the hundredth.
std::int64_t centiseconds(double seconds) {
    constexpr double kLimit = 1e17;
    if (!(seconds > -kLimit)) {
        return static_cast<std::int64_t>(-kLimit);
    }
    if (!(seconds < kLimit)) {
        return static_cast<std::int64_t>(kLimit);
    }
    return std::llround(seconds * 100.0);
}

// A field that is a plain decimal number (what the log writes for an event time), or nothing.
std::optional<double> plainNumber(std::string_view field) {
    std::size_t at = 0;
    if (at < field.size() && field[at] == '-') {
        ++at;
    }
    bool digits = false;
    for (; at < field.size(); ++at) {
        const char c = field[at];
        if (c >= '0' && c <= '9') {
            digits = true;
        } else if (c != '.') {
            return std::nullopt;
        }
    }
    if (!digits) {
        return std::nullopt;
    }
    return leadingDouble(fuzz::byteText(field));
}

// The matrix field as the program reads it: blanks left out, the i-th digit is bit 31 - i.
std::uint32_t matrixOf(std::string_view field) {
    std::uint32_t matrix = 0;
    int bit = 31;
    for (const char c : field) {
        if (c == ' ') {
            continue;
        }
        if (bit < 0) {
            break;
        }
        if (c == '1') {
            matrix |= 1u << bit;
        }
        --bit;
    }
    return matrix;
}

std::vector<std::string> columnsOf(std::string_view line) {
    std::vector<std::string> columns;
    for (const std::string_view column : fuzz::splitBytes(line, ";")) {
        columns.emplace_back(column);
    }
    return columns;
}

// A time column (a fraction of a day, with a decimal comma) moved by whole minutes.
std::string movedTime(const std::string& column, int minutes) {
    std::wstring number = fuzz::byteText(column);
    std::replace(number.begin(), number.end(), L',', L'.');
    const double dayFraction = leadingDouble(number) + minutes / 1440.0;
    if (!std::isfinite(dayFraction)) {
        return column;
    }
    char text[64];
    std::snprintf(text, sizeof text, "%.12g", dayFraction);
    std::string moved = text;
    std::replace(moved.begin(), moved.end(), '.', ',');
    return moved;
}

// A date column moved by whole days; a column that names no date stays as it is.
std::string movedDate(const std::string& column, int days) {
    const DayMonthYear date = parseDateText(fuzz::byteText(column));
    if (date.day < 1 || date.month < 1) {
        return column;
    }
    const std::int32_t day = dayNumberOf(date.day, date.month, date.year);
    if (day < 1 || day >= kFirstClampedDayNumber) {
        return column;
    }
    const DayMonthYear moved = dateOfDayNumber(day + days);
    char text[40];
    std::snprintf(text, sizeof text, "%02d.%02d.%04d", static_cast<int>(moved.day),
                  static_cast<int>(moved.month), static_cast<int>(moved.year));
    return text;
}

// One line of an event file as the user keeps it: the text it had, whether it is there, and how
// its time, date and interval were changed. Moved back by as much as it was moved, the line has
// its old text again, so it is the same line to the program and to the model.
struct EventLine {
    std::string original;
    bool present = true;
    int minutesMoved = 0;
    int daysMoved = 0;
    int interval = -1;  // an index into kIntervals, or -1 for the column as it was

    std::string text() const {
        if (minutesMoved == 0 && daysMoved == 0 && interval < 0) {
            return original;
        }
        std::string_view body = original;
        const bool carriageReturn = !body.empty() && body.back() == '\r';
        if (carriageReturn) {
            body.remove_suffix(1);
        }
        std::vector<std::string> columns = columnsOf(body);
        if (minutesMoved != 0 && columns.size() > 3) {
            columns[3] = movedTime(columns[3], minutesMoved);
        }
        if (daysMoved != 0 && columns.size() > 2) {
            columns[2] = movedDate(columns[2], daysMoved);
        }
        if (interval >= 0) {
            columns.resize(std::max<std::size_t>(columns.size(), 7));
            columns[6] = kIntervals[interval];
        }
        std::string line;
        for (std::size_t i = 0; i < columns.size(); ++i) {
            line += i == 0 ? "" : ";";
            line += columns[i];
        }
        return carriageReturn ? line + '\r' : line;
    }
};

// An event file as the user keeps it: its lines, and where it is. Removed (alone or with its
// directory) or locked by another program, it comes back with what it holds by then.
class EventFile {
  public:
    EventFile(std::wstring path, std::wstring directory)
        : path_(std::move(path)), directory_(std::move(directory)) {}

    // The user has this file; it is on the disk only once it is put there.
    void hold(std::string_view content) {
        held_ = true;
        for (const std::string_view line : fuzz::splitBytes(content, "\n")) {
            lines_.push_back(EventLine{std::string(line)});
        }
    }

    void putBack(FakeFileSystem& files) {
        if (!held_) {
            return;
        }
        files.unlock(path_);
        files.addFile(path_, content());
        removed_ = false;
    }

    void takeAway(FakeFileSystem& files, int how) {
        if (!held_) {
            return;
        }
        if (how == 0) {
            files.removeTree(path_);
            removed_ = true;
        } else if (how == 1) {
            files.lock(path_);
        } else {
            files.removeTree(directory_);
            removed_ = true;
        }
    }

    // One change to one line (the header stays): its time earlier or later, its date earlier or
    // later, another interval, the line deleted, or put back as it was.
    void edit(FakeFileSystem& files, fuzz::ByteReader& in) {
        const std::uint8_t choice = in.byte();
        const int change = in.below(7);
        const std::uint8_t amount = in.byte();
        if (!held_ || lines_.size() < 2) {
            return;
        }
        EventLine& line = lines_[1 + choice % (lines_.size() - 1)];
        switch (change) {
            case 0:
            case 1:
                line.minutesMoved += (change == 0 ? -1 : 1) * (amount % 180 + 1);
                break;
            case 2:
            case 3:
                line.daysMoved += (change == 2 ? -1 : 1) * (amount % 40 + 1);
                break;
            case 4:
                line.interval = amount % static_cast<int>(std::size(kIntervals));
                break;
            case 5:
                line.present = false;
                break;
            default:
                line = EventLine{line.original};
                break;
        }
        // A locked file changes all the same: the program that holds it is the one editing it.
        if (!removed_) {
            files.addFile(path_, content());
        }
    }

  private:
    std::string content() const {
        std::string bytes;
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            if (lines_[i].present) {
                bytes += lines_[i].text();
                if (i + 1 < lines_.size()) {
                    bytes += '\n';
                }
            }
        }
        return bytes;
    }

    std::wstring path_;
    std::wstring directory_;
    bool held_ = false;
    bool removed_ = true;
    std::vector<EventLine> lines_;
};

class Program {
  public:
    explicit Program(const std::vector<std::string_view>& parts)
        : events_{EventFile(kFiles[0], kEventDirectories[0]),
                  EventFile(kFiles[1], kEventDirectories[1]),
                  EventFile(kNetworkFile, kEventDirectories[2])} {
        fake.files.setCurrentDirectory(kRoot);
        fake.clock.set(LocalTime{2026, 12, 9, 8, 30, 0, 0});
        for (std::size_t i = 0; i < kActionPart && i < parts.size(); ++i) {
            if (i < 2) {
                events_[i].hold(parts[i]);
                events_[i].putBack(fake.files);
            } else {
                fake.files.addFile(kFiles[i], std::string(parts[i]));
            }
        }
        events_[2].hold(parts.size() > 1 ? parts[1] : std::string_view());
        fake.boxes.onShow = [this](const FakeMessageBoxes::Box&) { boxOpen(); };
    }

    void start() {
        ++runs_;
        dialog_ = std::make_unique<CTindlowDlg>(fake.platform);
        dialog_->onInitDialog();
        dialog_->onPaint();
        seenWrites_ = dialog_->parts().reminders.lastReminders().writeIndex;
        keepShort();
        observe();
    }

    void run(fuzz::ByteReader& actions) {
        for (int action = 0; action < 120 && !actions.empty() && ticks_ < kMostTicks; ++action) {
            act(actions);
            observe();
        }
    }

    // A day and a quarter in steps of ten minutes.
    void runADay() {
        for (int step = 0; step < 180; ++step) {
            fake.clock.advanceSeconds(600);
            tick();
            observe();
        }
    }

    void close() { dialog_->onClose(); }

    FakePlatform fake;

  private:
    using Occurrence = std::pair<std::wstring, double>;
    static Occurrence occurrenceOf(const ReminderEntry& e) {
        std::wstring line;
        for (const std::wstring* text : {&e.sFile, &e.sKey, &e.sWhat, &e.sText, &e.sDate, &e.sTime,
                                         &e.sPretrigg, &e.sRepeat, &e.sInterval, &e.sRowNumber}) {
            line += *text;
            line += L'\x1f';
        }
        return {line, e.nextEventTimeSec};
    }

    // The event-time reminder and the one after a missed event: one slot, the last.
    static constexpr std::uint32_t kEventSlots = 1u << kDueAtEvent | 1u << kDueAfterEvent;

    // What the model knows of one occurrence.
    struct Known {
        std::uint32_t given = 0;    // the slots given, in this run or carried over to it
        std::uint32_t thisRun = 0;  // of them, those first learnt in this run
        std::wstring key;
        double lastOutputSec = 0.0;
        double postTrigger = 0.0;
    };

    void tick() {
        ++ticks_;
        fake.clock.advanceMilliseconds(500);
        dialog_->onTimer();
    }

    // The action is the first byte modulo 24; each argument is one more byte:
    //  0 n      n % 16 + 1 ticks
    //  1 m      the clock on by m + 1 minutes, then a tick
    //  2 h      on by h % 30 + 1 hours, then a tick
    //  3 b      a button (b % 9 in kButtons; the check box flips)
    //  4 c l    command c of the command menu, with a log line chosen by l
    //  5 d      a document of the document menu
    //  6 text   typed into the days field (up to 12 bytes, ending at a line feed)
    //  7 k      a key;  8 x y z  the mouse;  9 x y z  the window moved
    // 10 h      the run ends (h % 3: close, end of the session, Escape) and a new one starts
    // 11 a      boxes fail (a % 4 == 0) or answer OK;  12 n  n % 8 ticks inside each box
    // 13 k o    an unhide key and other keys, then a tick
    // 14        the network file appears (is put back)
    // 15 d      asleep for d % 3 + 1 days, then a tick
    // 16 f h    event file f % 3 (single, periodic, network) goes away: h % 3 removed, locked,
    //           its directory gone
    // 17 f      event file f is put back with what it holds
    // 18 f l c a  line l of event file f changes, c % 7: its time earlier or later by a % 180 + 1
    //           minutes, its date earlier or later by a % 40 + 1 days, its interval becomes
    //           kIntervals[a % 12], it is deleted, or it is put back as it was
    // 19 m      the clock set back by m + 1 minutes, then a tick
    // 20 d m    the clock set back to 5 m + 1 minutes before the start of today or of one of the
    //           d % 4 days before, then a tick
    // 21        asleep for exactly one month, then a tick
    // 22 d m    asleep for d % 60 + 1 days and 6 m minutes, then a tick
    // 23 s      s % 3: room on the disk again, the emitted reminders log's writes fail for a
    //           full disk, or no free space for any file
    void act(fuzz::ByteReader& in) {
        View& view = fake.view;
        switch (in.below(24)) {
            case 0:
                for (int i = in.below(16); i >= 0; --i) {
                    tick();
                }
                break;
            case 1:
                fake.clock.advanceSeconds(60 * (in.byte() + 1));
                tick();
                break;
            case 2:
                fake.clock.advanceSeconds(3600 * (in.below(30) + 1));
                tick();
                break;
            case 3: {
                const int button = kButtons[in.below(static_cast<int>(std::size(kButtons)))];
                if (button == ids::kStopEntries) {
                    fake.view.checked[button] = !fake.view.isChecked(button);
                }
                dialog_->onButton(button);
                break;
            }
            case 4:
                fake.view.comboSelections[ids::kCommandMenu] =
                    in.below(static_cast<int>(kCommandMenuCount));
                selectLogLine(in.byte());
                dialog_->onMenuChoice(ids::kCommandMenu);
                break;
            case 5: {
                const auto& items = fake.view.combos[ids::kDocumentMenu];
                fake.view.comboSelections[ids::kDocumentMenu] =
                    items.empty() ? -1 : in.byte() % static_cast<int>(items.size());
                dialog_->onMenuChoice(ids::kDocumentMenu);
                break;
            }
            case 6:
                dialog_->onDaysFieldFocus();
                view.setControlText(ids::kDaysField, fuzz::byteText(in.textUntil('\n', 12)));
                dialog_->onKeyDown(KeyPress::Digit);
                break;
            case 7:
                dialog_->onKeyDown(static_cast<KeyPress>(in.below(3)));
                break;
            case 8:
                fake.view.cursor = ScreenPoint{in.byte() * 8 - 200, in.byte() * 4 - 100};
                dialog_->onMouseMove();
                if (in.below(2) == 0) {
                    dialog_->onMouseLeave();
                }
                break;
            case 9:
                fake.view.moveWindow(in.byte() * 16 - 1000, in.byte() * 8 - 500);
                fake.view.minimized = in.below(4) == 0;
                dialog_->onMove();
                fake.view.minimized = false;
                break;
            case 10:
                restart(in.below(3));
                break;
            case 11:
                fake.boxes.defaultAnswer = in.below(4) == 0 ? 0 : 1;
                break;
            case 12:
                ticksInBoxes_ = in.below(8);
                break;
            case 13:
                fake.keys.pressed.insert(static_cast<UnhideKey>(in.below(4)));
                fake.keys.otherPresses = in.below(2);
                tick();
                break;
            case 14:
                events_[2].putBack(fake.files);
                break;
            case 15:
                fake.clock.advanceSeconds(86400 * (in.below(3) + 1));
                tick();
                break;
            // An event file (single, periodic, network) goes away: the file removed, locked by
            // another program, or its whole directory gone (the share disconnected).
            case 16: {
                EventFile& file = events_[in.below(3)];
                file.takeAway(fake.files, in.below(3));
                break;
            }
            case 17:
                events_[in.below(3)].putBack(fake.files);
                break;
            case 18:
                events_[in.below(3)].edit(fake.files, in);
                break;
            case 19:
                fake.clock.advanceSeconds(-60 * (in.byte() + 1));
                tick();
                break;
            // The clock set back over midnight: to a time before the start of today, or of one
            // of the three days before.
            case 20: {
                const LocalTime now = fake.clock.localTime();
                const auto intoToday = static_cast<std::int64_t>(secondsOfDay(now));
                const std::int64_t daysMore = in.below(4);
                const std::int64_t minutesBefore = in.byte() * 5 + 1;
                fake.clock.advanceSeconds(-(intoToday + daysMore * 86400 + minutesBefore * 60));
                tick();
                break;
            }
            // Asleep for exactly one month: the same day of the next month, without a tick
            // between (a day the month lacks runs over into the month after).
            case 21: {
                const LocalTime now = fake.clock.localTime();
                const DayMonthYear next =
                    dateOfDayNumber(dayNumberOf(now.day, now.month + 1, now.year));
                fake.clock.setDate(next.day, next.month, next.year);
                tick();
                break;
            }
            case 22: {
                const std::int64_t days = in.below(60) + 1;
                fake.clock.advanceSeconds(days * 86400 + in.byte() * 360);
                tick();
                break;
            }
            default:
                switch (in.below(3)) {
                    case 0:
                        fake.files.failWritesWith(kEmittedLog, 0);
                        fake.files.setFreeSpace(std::nullopt);
                        break;
                    case 1:
                        fake.files.failWritesWith(kEmittedLog, kDiskFull);
                        break;
                    default:
                        fake.files.setFreeSpace(0);
                        break;
                }
                break;
        }
        keepShort();
    }

    // Any line, or the last one that names a key or an event file, or none.
    void selectLogLine(std::uint8_t choice) {
        const std::vector<std::wstring>& lines = fake.view.logLines;
        fake.view.selectedLine = -1;
        if (lines.empty() || choice % 4 == 0) {
            return;
        }
        if (choice % 4 == 1) {
            fake.view.selectedLine = choice / 4 % static_cast<int>(lines.size());
            return;
        }
        const std::wstring& reading = englishTables().messages[msg::kReading];
        const std::wstring& lesen = germanTables().messages[msg::kReading];
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const std::wstring& line = lines[i];
            const bool wanted = choice % 4 == 2 ? line.find(L"[Key: ") != std::wstring::npos
                                                : line.find(reading) != std::wstring::npos ||
                                                      line.find(lesen) != std::wstring::npos;
            if (wanted) {
                fake.view.selectedLine = static_cast<int>(i);
            }
        }
    }

    // The end of a run (close, end of the session, or Escape, which saves nothing) and the start
    // of the next one in the same directory.
    void restart(int how) {
        if (runs_ >= kMostRuns) {
            return;
        }
        if (how == 0) {
            dialog_->onClose();
        } else if (how == 1) {
            dialog_->onEndSession();
        } else {
            dialog_->onCancel();
        }
        keepWhatTheDiskCarries();
        fake.view = FakeView();
        start();
    }

    // Previews over at most kMostDays days, wherever the number comes from.
    void keepShort() {
        if (dialog_->parts().daysInput.days() > kMostDays) {
            dialog_->parts().daysInput.setDays(kMostDays);
        }
        const std::wstring field = fake.view.controlText(ids::kDaysField);
        if (!field.empty() && field.size() < 10 && leadingInt(field) > kMostDays) {
            fake.view.setControlText(ids::kDaysField, intText(kMostDays));
        }
    }

    // A box is open: when it is the reminder box, the reminders it shows must be new. The boxes
    // of the real dialog keep the timer running, and so may these.
    void boxOpen() {
        const std::uint8_t writes = dialog_->parts().reminders.lastReminders().writeIndex;
        if (writes != seenWrites_) {
            checkGivenOnce(static_cast<std::uint8_t>(writes - seenWrites_));
            seenWrites_ = writes;
        }
        observe();
        if (fake.boxes.openCount() == 1) {
            for (int i = 0; i < ticksInBoxes_ && ticks_ < kMostTicks; ++i) {
                tick();
            }
        }
    }

    // The reminder check marks each reminder it gives with the time of now; the entries with
    // this time are the ones given when there are as many as the box shows. The slot each got
    // is the one its event computation answers for this moment, asked again of a copy.
    void checkGivenOnce(std::size_t count) {
        const LocalTime now = fake.clock.localTime();
        const double nowSec = nowSeconds(now);
        std::vector<const ReminderEntry*> given;
        for (const auto& [key, entry] : dialog_->parts().events.today()) {
            if (entry.lastOutputSec == nowSec) {
                given.push_back(&entry);
            }
        }
        if (given.size() != count) {
            return;
        }
        for (const ReminderEntry* entry : given) {
            if (entry->sKey == kTestReminderKey) {
                continue;  // the test reminder of command 17: a new one each time
            }
            ReminderEntry asked = *entry;
            const std::int32_t slot =
                evaluateDue(asked, now, dialog_->parts().events.ini().executionLoopPeriod);
            if (slot < 0 || slot > kDueAfterEvent) {
                continue;  // not this check's reminder after all: nothing is due for it now
            }
            const std::uint32_t bit = 1u << slot;
            const auto known = known_.find(occurrenceOf(*entry));
            const std::uint32_t before = known == known_.end() ? 0 : known->second.given;
            const std::uint32_t sameSlot = slot >= kDueAtEvent ? kEventSlots : bit;
            const std::uint32_t laterSlots = slot >= kDueAtEvent ? 0 : ~((bit << 1) - 1);
            FUZZ_CHECK_MSG((before & sameSlot) == 0, givenText(*entry, slot, before, "again"));
            FUZZ_CHECK_MSG((before & laterSlots) == 0,
                           givenText(*entry, slot, before, "after a later slot"));
            learn(*entry, bit);
        }
    }

    std::string givenText(const ReminderEntry& entry, std::int32_t slot, std::uint32_t before,
                          const char* how) const {
        return "slot " + std::to_string(slot) + " of key \"" + fuzz::printable(entry.sKey) +
               "\" for the event at " + fuzz::printable(formatDateTime(entry.nextEventTimeSec)) +
               " was given " + how + " at " +
               fuzz::printable(formatDateTime(nowSeconds(fake.clock.localTime()))) +
               " (slots given before: " + std::to_string(before) + ")";
    }

    // Every bit set in today's dictionary has been given, now or in an earlier run; and what is
    // outdated may go.
    void observe() {
        std::set<Occurrence> today;
        for (const auto& [key, entry] : dialog_->parts().events.today()) {
            if (entry.remindMatrix != 0 && entry.sKey != kTestReminderKey) {
                learn(entry, entry.remindMatrix);
            }
            today.insert(occurrenceOf(entry));
        }
        forgetOutdated(today);
    }

    void learn(const ReminderEntry& entry, std::uint32_t bits) {
        Known& known = known_[occurrenceOf(entry)];
        known.thisRun |= bits & ~known.given;
        known.given |= bits;
        known.key = entry.sKey;
        known.lastOutputSec = std::max(known.lastOutputSec, entry.lastOutputSec);
        known.postTrigger = entry.postTrigger;
        outputs_[{entry.sKey, centiseconds(entry.lastOutputSec)}].insert(
            centiseconds(entry.nextEventTimeSec));
    }

    // An occurrence that is not among today's entries, whose last reminder lies more than the
    // default post-event period back or whose post-event period has ended, can remind no more
    // until the clock is set back; the program may let its state go, and so the model forgets it.
    void forgetOutdated(const std::set<Occurrence>& today) {
        const double nowSec = nowSeconds(fake.clock.localTime());
        const double defaultPostTrigger = dialog_->parts().events.ini().defaultPostTrigger;
        for (auto it = known_.begin(); it != known_.end();) {
            const auto& [occurrence, known] = *it;
            const bool outdated = today.count(occurrence) == 0 &&
                                  (nowSec > known.lastOutputSec + defaultPostTrigger ||
                                   nowSec > occurrence.second + known.postTrigger);
            it = outdated ? known_.erase(it) : std::next(it);
        }
    }

    // After a run has ended: of what the model learnt in it, only the slots that the emitted
    // reminders log on the disk carries stay given; the rest the disk could not take.
    void keepWhatTheDiskCarries() {
        const std::vector<Carried> carried = carriedByLog();
        for (auto it = known_.begin(); it != known_.end();) {
            Known& known = it->second;
            if (known.thisRun != 0) {
                const std::int64_t event = centiseconds(it->first.second);
                std::uint32_t kept = 0;
                for (const Carried& line : carried) {
                    if (line.key == known.key && std::llabs(line.eventCentiseconds - event) <= 1) {
                        kept |= line.matrix;
                    }
                }
                known.given &= ~(known.thisRun & ~kept);
                known.thisRun = 0;
            }
            it = known.given == 0 ? known_.erase(it) : std::next(it);
        }
    }

    // A line of the emitted reminders log on the disk: the slots it carries for one occurrence.
    struct Carried {
        std::wstring key;
        std::int64_t eventCentiseconds = 0;
        std::uint32_t matrix = 0;
    };

    std::vector<Carried> carriedByLog() const {
        std::vector<Carried> carried;
        const std::optional<std::string> bytes = fake.files.fileBytes(kEmittedLog);
        if (!bytes) {
            return carried;
        }
        for (std::string_view line : fuzz::splitBytes(*bytes, "\n")) {
            if (!line.empty() && line.back() == '\r') {
                line.remove_suffix(1);
            }
            const std::vector<std::string_view> fields = fuzz::splitBytes(line, "<@@@>");
            if (fields.size() < 3) {
                continue;
            }
            Carried state{fuzz::byteText(fields[0]), 0, matrixOf(fields[1])};
            const std::optional<double> event =
                fields.size() > 3 ? plainNumber(fields[3]) : std::nullopt;
            if (event) {
                state.eventCentiseconds = centiseconds(*event);
            } else {
                // Without the event time, the line is the state of the occurrence that had this
                // key and this last output, when the model saw exactly one.
                const double lastOutput = leadingDouble(fuzz::byteText(fields[2]));
                const auto seen = outputs_.find({state.key, centiseconds(lastOutput)});
                if (seen == outputs_.end() || seen->second.size() != 1) {
                    continue;
                }
                state.eventCentiseconds = *seen->second.begin();
            }
            carried.push_back(std::move(state));
        }
        return carried;
    }

    std::unique_ptr<CTindlowDlg> dialog_;
    EventFile events_[3];
    std::map<Occurrence, Known> known_;
    // The event times (to the hundredth) of the occurrences seen with a key and a last output.
    std::map<std::pair<std::wstring, std::int64_t>, std::set<std::int64_t>> outputs_;
    std::uint8_t seenWrites_ = 0;
    int ticksInBoxes_ = 0;
    int ticks_ = 0;
    int runs_ = 0;
};

}  // namespace
}  // namespace tindlow

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tindlow;
    const std::vector<std::string_view> parts =
        fuzz::splitBytes(fuzz::bytesOf(data, size), "\n@@\n", kActionPart + 1);
    Program program(parts);
    program.start();
    if (parts.size() > kActionPart) {
        fuzz::ByteReader actions(parts[kActionPart]);
        program.run(actions);
    } else {
        program.runADay();
    }
    program.close();
    return 0;
}
