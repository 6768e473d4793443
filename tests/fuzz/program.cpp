// A whole program on the fake platform, driven by the input: its files, then what the user and
// the clock do. The input is cut at the lines "@@" into the single events file, the periodic
// events file, the initialization file, the emitted reminders log, the settings file and the
// actions; a part that is not there is a file that is not there. Without actions the program
// runs for a day and a quarter in steps of ten minutes.
//
// Each action is a byte and its arguments: ticks, the clock moving on by minutes, hours or days,
// the buttons, a command of the command menu on a chosen log line, the document menu, a text
// typed into the days field, keys, the mouse, window moves, the close (or the end of the session,
// or Escape) and a new run in the same directory, failing boxes, ticks while a box is open, the
// unhide keys and the network directory appearing.
//
// Besides running clean under the sanitizers, the program never gives a reminder twice: no slot
// of an occurrence (an entry's line with its event time) is given again once it was given, in
// this run or in an earlier one whose state the emitted reminders log carried over. The state
// is kept per key, so lines that share a key share it: the state of one can silence the other.
// That is what a duplicate key does (`tindlow check` lists them), so an occurrence is told
// apart by its line: its file and every text read from it. Two lines equal in all of them are
// the same reminder to the user.

#include <cstdint>
#include <map>
#include <memory>
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
#include "ui/control_ids.h"

namespace tindlow {
namespace {

const std::wstring kRoot = L"C:\\P";
const std::wstring kFiles[] = {
    L"C:\\P\\_SingleEvents\\Single.csv", L"C:\\P\\_PeriodicEvents\\Periodic.csv",
    L"C:\\P\\_IniFile\\IniFile.csv", L"C:\\P\\_EmittedReminders\\EmittedReminders.txt",
    L"C:\\P\\_Settings\\Settings.txt"};
const std::wstring kNetworkFile = L"C:\\N\\Network.csv";
constexpr std::size_t kActionPart = 5;

// Keep previews and look-backs to a few weeks, so that an input runs in milliseconds.
constexpr std::int32_t kMostDays = 40;
constexpr int kMostTicks = 4000;
constexpr int kMostRuns = 4;

const int kButtons[] = {ids::kFutureEvents,   ids::kMissedEvents, ids::kOpenHelp,
                        ids::kOpenDirectory,  ids::kHideWindow,   ids::kReloadData,
                        ids::kSwitchLanguage, ids::kClearListbox, ids::kStopEntries};

class Program {
  public:
    explicit Program(const std::vector<std::string_view>& parts) {
        fake.files.setCurrentDirectory(kRoot);
        fake.clock.set(LocalTime{2026, 12, 9, 8, 30, 0, 0});
        for (std::size_t i = 0; i < kActionPart && i < parts.size(); ++i) {
            fake.files.addFile(kFiles[i], std::string(parts[i]));
        }
        if (parts.size() > 1) {
            network_ = parts[1];
        }
        fake.boxes.onShow = [this](const FakeMessageBoxes::Box&) { boxOpen(); };
    }

    void start() {
        ++runs_;
        dialog_ = std::make_unique<CTindlowDlg>(fake.platform);
        dialog_->onInitDialog();
        dialog_->onPaint();
        seenWrites_ = dialog_->lastReminders().writeIndex;
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
    void tick() {
        ++ticks_;
        fake.clock.advanceMilliseconds(500);
        dialog_->onTimer();
    }

    void act(fuzz::ByteReader& in) {
        View& view = fake.view;
        switch (in.below(16)) {
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
                fake.files.addFile(kNetworkFile, std::string(network_));
                break;
            default:
                fake.clock.advanceSeconds(86400 * (in.below(3) + 1));
                tick();
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
        fake.view = FakeView();
        start();
    }

    // Previews over at most kMostDays days, wherever the number comes from.
    void keepShort() {
        if (dialog_->state().days > kMostDays) {
            dialog_->state().days = kMostDays;
        }
        const std::wstring field = fake.view.controlText(ids::kDaysField);
        if (!field.empty() && field.size() < 10 && leadingInt(field) > kMostDays) {
            fake.view.setControlText(ids::kDaysField, intText(kMostDays));
        }
    }

    // A box is open: when it is the reminder box, the reminders it shows must be new. The boxes
    // of the real dialog keep the timer running, and so may these.
    void boxOpen() {
        const std::uint8_t writes = dialog_->lastReminders().writeIndex;
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

    // The reminder check marks each reminder it gives with a new bit and the time of now; the
    // entries with this time are the ones given when there are as many as the box shows.
    void checkGivenOnce(std::size_t count) {
        const double nowSec = nowSeconds(fake.clock.localTime());
        std::vector<const ReminderEntry*> given;
        for (const auto& [key, entry] : dialog_->todaysDictionary()) {
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
            const std::uint32_t before = given_[occurrenceOf(*entry)];
            FUZZ_CHECK_MSG((entry->remindMatrix & ~before) != 0,
                           "the reminder of key \"" + fuzz::printable(entry->sKey) +
                               "\" for the event at " +
                               fuzz::printable(formatDateTime(entry->nextEventTimeSec)) +
                               " was given again at " + fuzz::printable(formatDateTime(nowSec)) +
                               " (bits " + std::to_string(entry->remindMatrix) + ", given before " +
                               std::to_string(before) + ")");
        }
    }

    // Every bit set in today's dictionary has been given, now or in an earlier run.
    void observe() {
        for (const auto& [key, entry] : dialog_->todaysDictionary()) {
            if (entry.remindMatrix != 0) {
                given_[occurrenceOf(entry)] |= entry.remindMatrix;
            }
        }
    }

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

    std::unique_ptr<CTindlowDlg> dialog_;
    std::string_view network_;
    std::map<Occurrence, std::uint32_t> given_;
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
