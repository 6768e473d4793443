// Every reminder exactly once, per occurrence: across days, reloads, restarts, session ends and
// boxes left open while midnight passes.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "fakes/test_program.h"
#include "model/text_files.h"
#include "model/text_forms.h"
#include "ui/control_ids.h"

namespace tindlow {
namespace {

const std::wstring kEvents = L"C:\\P\\_SingleEvents\\Events.csv";
const std::wstring kIniFile = L"C:\\P\\_IniFile\\IniFile.csv";
const std::wstring kEmitted = L"C:\\P\\_EmittedReminders\\EmittedReminders.txt";
const std::wstring kSettings = L"C:\\P\\_Settings\\Settings.txt";
constexpr const char* kHeader = "What;Text;Date;Time;Pre;Repeat;Interval;Key;Row\r\n";
// Its periods overlap (a pre-event period of 50000 minutes every month), so every loading shows
// a box about it while the error box budget lasts. It reminds of nothing in December: its
// occurrence on the 1st at midnight lies behind, and the shortening leaves it no post-event
// period.
constexpr const char* kOverlapping = "Overlap;x;01.01.2026;0;50000;1;30;[overlap];9\r\n";

// A line starting on 01.12.2026 (a single event: on 09.12.2026).
std::string eventLine(const std::string& what, const std::string& time, int preMinutes, int repeat,
                      const std::string& interval, const std::string& key) {
    const std::string date = interval.empty() ? "09.12.2026" : "01.12.2026";
    return what + ";;" + date + ";" + time + ";" + std::to_string(preMinutes) + ";" +
           std::to_string(repeat) + ";" + interval + ";" + key + ";2\r\n";
}

struct Program : TestProgram {
    Program(const std::string& lines, const LocalTime& start, const std::string& ini = "") {
        fake.files.addFile(kEvents, std::string(kHeader) + lines);
        if (!ini.empty()) {
            fake.files.addFile(kIniFile, ini);
        }
        fake.clock.set(start);
        this->start();
    }
    // Runs ticks `step` seconds apart (every tick by default) until the clock reaches `until`
    // (program seconds).
    void runUntil(double until, int step = 0) {
        while (nowSeconds(fake.clock.localTime()) < until) {
            if (step > 0) {
                fake.clock.advanceSeconds(step);
                dialog.onTimer();
            } else {
                ticks(1);
            }
        }
    }
    std::vector<FakeMessageBoxes::Box> reminderBoxes() const {
        std::vector<FakeMessageBoxes::Box> boxes;
        for (const auto& box : fake.boxes.shown) {
            if (box.text.find(L"Event: ") != std::wstring::npos) {
                boxes.push_back(box);
            }
        }
        return boxes;
    }
};

double at(int day, int hour, int minute = 0, int second = 0) {
    return dayNumberOf(day, 12, 2026) * 86400.0 + hour * 3600 + minute * 60 + second;
}

// "DD.MM.YYYY hh:mm:ss" and the box icon's letter, for failures that read as a timetable.
std::wstring boxMoment(double seconds, BoxIcon icon) {
    const wchar_t* letters[] = {L" i", L" !", L" x"};
    return formatDateTime(seconds) + letters[static_cast<int>(icon)];
}

// A daily, two-daily and three-daily event at 10:00 with three reminders in the hour before:
// every occurrence gets its three pre-event reminders and the one at the event time, day after
// day, and nothing in between.
TEST(ReminderPromise, RecurringEventsRemindAtEveryOccurrence) {
    for (const int interval : {1, 2, 3}) {
        SCOPED_TRACE(interval);
        Program run(
            eventLine("Standup", "0,416666666666667", 60, 3, std::to_string(interval), "[s]"),
            LocalTime{2026, 12, 9, 8, 0, 0, 0});
        std::vector<std::wstring> seen;
        run.fake.boxes.onShow = [&](const FakeMessageBoxes::Box& box) {
            if (box.text.starts_with(L"Event: ")) {
                seen.push_back(boxMoment(nowSeconds(run.fake.clock.localTime()), box.icon));
            }
        };
        run.runUntil(at(16, 0), 5);
        std::vector<std::wstring> expected;
        // The line starts on 01.12.; the three-daily event's occurrence of the 7th was missed
        // and is still in its post-event period at the start.
        if (interval == 3) {
            expected.push_back(boxMoment(at(9, 8, 0, 5), BoxIcon::Stop));
        }
        for (int day = 9; day < 16; ++day) {
            if ((day - 1) % interval != 0) {
                continue;
            }
            for (int minute : {0, 20, 40}) {
                expected.push_back(boxMoment(at(day, 9, minute), BoxIcon::Information));
            }
            expected.push_back(boxMoment(at(day, 10), BoxIcon::Exclamation));
        }
        EXPECT_EQ(seen, expected);
    }
}

// Reload Data after the event-time reminder: the reloaded entry has the event-time bit back, and
// no post-event ("missed") reminder may follow it.
TEST(ReminderPromise, NoMissedReminderAfterTheEventTimeReminderWasGiven) {
    Program run(eventLine("Dentist", "0,416666666666667", 0, 1, "", "[d]"),
                LocalTime{2026, 12, 9, 9, 59, 0, 0}, "Value;Key\r\n1;[RemindHours]\r\n");
    run.runUntil(at(9, 10, 1));
    ASSERT_EQ(run.reminderBoxes().size(), 1u);
    EXPECT_EQ(run.reminderBoxes()[0].icon, BoxIcon::Exclamation);
    run.dialog.onButton(ids::kReloadData);  // Reload Data
    run.runUntil(at(9, 10, 30));
    EXPECT_EQ(run.reminderBoxes().size(), 1u);
}

// A log-off while a loader's box is open runs the close sequence in the middle of the loading:
// the emitted reminders log must keep the day's state, so a restart gives nothing again.
TEST(ReminderPromise, SessionEndInsideALoadersBoxKeepsTheDaysState) {
    Program run(eventLine("Meeting", "0,416666666666667", 60, 3, "", "[m]") + kOverlapping,
                LocalTime{2026, 12, 9, 8, 59, 0, 0});
    run.runUntil(at(9, 9, 0, 30));
    ASSERT_EQ(run.reminderBoxes().size(), 1u);
    const std::string before = *run.fake.files.fileBytes(kEmitted);
    ASSERT_NE(before.find("[m]<@@@>"), std::string::npos);

    FakeFileSystem filesAtSessionEnd;
    run.fake.boxes.onShow = [&](const FakeMessageBoxes::Box& box) {
        if (box.text.find(L"must not overlap") != std::wstring::npos) {
            run.dialog.onEndSession();
            filesAtSessionEnd = run.fake.files;  // the process ends here
        }
    };
    run.dialog.onButton(ids::kReloadData);  // Reload Data
    ASSERT_TRUE(run.fake.view.ended);
    EXPECT_EQ(filesAtSessionEnd.fileBytes(kEmitted), before);

    TestProgram next;
    next.fake.files = filesAtSessionEnd;
    next.fake.clock.set(LocalTime{2026, 12, 9, 9, 5, 0, 0});
    next.start();
    next.ticks(100);
    for (const auto& box : next.fake.boxes.shown) {
        EXPECT_EQ(box.text.find(L"Event: "), std::wstring::npos) << box.text;
    }
}

// A pre-event reminder given ten days ahead still belongs to the current occurrence four days
// later, longer than the 72 hours the emitted reminders log keeps a line for. A start then must
// keep its state in the file: a run that ends with Escape saves nothing, and the run after it
// must not give the reminder again.
TEST(ReminderPromise, AnOldReminderOfTheCurrentOccurrenceSurvivesAnEndWithoutSave) {
    const std::string line = "Trip;;20.12.2026;0,416666666666667;14400;2;;[trip];2\r\n";
    Program first(line, LocalTime{2026, 12, 10, 10, 1, 0, 0});
    first.ticks(4);
    ASSERT_EQ(first.reminderBoxes().size(), 1u);
    first.dialog.onClose();

    FakeFileSystem files = first.fake.files;
    for (const int minute : {0, 5}) {
        SCOPED_TRACE(minute);
        TestProgram run;
        run.fake.files = files;
        run.fake.clock.set(LocalTime{2026, 12, 14, 11, minute, 0, 0});
        run.start();
        run.ticks(20);
        for (const auto& box : run.fake.boxes.shown) {
            EXPECT_EQ(box.text.find(L"Event: "), std::wstring::npos) << box.text;
        }
        run.dialog.onCancel();
        files = run.fake.files;
    }
}

// Midnight passes while a box of start-up's first loading is open: once start-up is done, the
// whole new day is computed anew and its reminders come.
TEST(ReminderPromise, MidnightInsideAStartupBoxLeadsToAReloadOnceStarted) {
    TestProgram program;
    program.fake.files.addFile(kEvents, std::string(kHeader) + kOverlapping +
                                            eventLine("Early", "0,000694444444444", 0, 1, "1",
                                                      "[early]"));  // daily at 00:01
    program.fake.files.addFile(kIniFile, "Value;Key\r\n1;[RemindHours]\r\n");
    program.fake.clock.set(LocalTime{2026, 12, 9, 23, 59, 50, 0});
    program.fake.boxes.onShow = [&](const FakeMessageBoxes::Box& box) {
        if (box.text.find(L"must not overlap") != std::wstring::npos) {
            program.ticks(40);  // 20 seconds: midnight passes inside the box
        }
    };
    program.start();
    program.fake.boxes.onShow = nullptr;
    ASSERT_EQ(program.fake.clock.localTime().day, 10);
    program.ticks(2 * 90);
    int early = 0;
    for (const auto& box : program.fake.boxes.shown) {
        early += box.text == L"Event: Early\n" ? 1 : 0;
    }
    EXPECT_EQ(early, 1);
    EXPECT_EQ(program.parts().events.loadedDate(), (DayMonthYear{10, 12, 2026}));
}

// A save that fails (a full disk) is reported with the file and the system's reason, in the
// active language, and the old file stays whole.
TEST(ReminderPromise, FailedSavesAreReportedAndKeepTheOldFiles) {
    for (const bool german : {false, true}) {
        SCOPED_TRACE(german);
        TestProgram program;
        const std::string settings = german ? "Language = German\r\nStartPosition = 0,0\r\n"
                                              "PreviewLookbackDays = 11\r\n"
                                            : "Language = English\r\nStartPosition = 0,0\r\n"
                                              "PreviewLookbackDays = 11\r\n";
        program.fake.files.addFile(kSettings, settings);
        program.fake.files.addFile(kEmitted, "old state\r\n");
        program.fake.files.addFile(
            kEvents, std::string(kHeader) + eventLine("Call", "0,375", 60, 1, "", "[c]"));
        program.fake.clock.set(LocalTime{2026, 12, 9, 8, 0, 0, 0});
        program.start();
        program.fake.files.failWritesWith(kSettings, 28);
        program.fake.files.failWritesWith(kEmitted, 28);
        program.parts().daysInput.setDays(30);
        program.ticks(4);  // the reminder at 08:00 and its save
        ASSERT_EQ(program.fake.boxes.shown.size(), 1u);
        program.dialog.onClose();

        const std::wstring reason = L"Error 28: no space left on device";
        const std::wstring emittedLine =
            german
                ? L"Die Datei " + kEmitted +
                      L" konnte nicht geschrieben werden und beh\u00e4lt daher ihren "
                      L"bisherigen Inhalt. Grund: " +
                      reason
                : L"The file " + kEmitted +
                      L" could not be written, so it keeps its previous content. Reason: " + reason;
        int emittedReports = 0;
        bool settingsReported = false;
        for (const auto& line : program.logLines()) {
            emittedReports += line.ends_with(emittedLine) ? 1 : 0;
            settingsReported = settingsReported || line.find(kSettings) != std::wstring::npos;
        }
        EXPECT_EQ(emittedReports, 2);  // after the reminder and at the close
        EXPECT_TRUE(settingsReported);
        EXPECT_EQ(program.fake.files.fileBytes(kSettings), settings);
        EXPECT_EQ(program.fake.files.fileBytes(kEmitted), "old state\r\n");
        EXPECT_FALSE(program.fake.files.exists(replacementPath(kEmitted)));
    }
}

// ---------------------------------------------------------------------------------------------
// The given reminders belong to the occurrence: whatever happens to the entry between two
// loadings, and whatever the clock does, a reminder of an occurrence comes once.

const std::wstring kShare = L"\\\\nas\\events";
const std::wstring kShareEvents = kShare + L"\\Events.csv";
constexpr const char* kTen = "0,416666666666667";  // 10:00

// A single event at the time on the date, without pre-event reminders.
std::string singleLine(const std::string& what, const std::string& date, const std::string& time,
                       const std::string& key) {
    return what + ";;" + date + ";" + time + ";0;1;;" + key + ";2\r\n";
}

// Programs run one after another on one disk; every reminder box of every run is counted.
class Runs {
  public:
    explicit Runs(const std::string& events, bool onShare = false) {
        disk_.setCurrentDirectory(kTestRoot);
        disk_.addFile(onShare ? kShareEvents : kEvents, std::string(kHeader) + events);
        if (onShare) {
            disk_.addFile(kIniFile, "Value;Key\r\n\\\\nas\\events;[NetworkPathDateFiles]\r\n");
        }
    }
    void start(const LocalTime& at) {
        program_ = std::make_unique<TestProgram>();
        program_->fake.files = disk_;
        program_->fake.clock.set(at);
        program_->fake.boxes.onShow = [this](const FakeMessageBoxes::Box& box) {
            if (box.text.find(L"Event: ") != std::wstring::npos) {
                boxes.push_back(boxMoment(nowSeconds(program_->fake.clock.localTime()), box.icon));
            }
        };
        program_->start();
    }
    void close() {
        program_->dialog.onClose();
        disk_ = program_->fake.files;
        program_.reset();
    }
    TestProgram& program() { return *program_; }
    FakeFileSystem& files() { return program_ ? program_->fake.files : disk_; }
    void reload() { program_->dialog.onButton(ids::kReloadData); }
    // Ticks, one a second, until the clock reaches `until` (program seconds).
    void runUntil(double until) {
        while (nowSeconds(program_->fake.clock.localTime()) < until) {
            program_->fake.clock.advanceSeconds(1);
            program_->dialog.onTimer();
        }
    }
    // The clock is set to another moment (by the user, or on waking), then one tick.
    void clockTo(const LocalTime& at) {
        program_->fake.clock.set(at);
        program_->dialog.onTimer();
    }
    void putEvents(const std::string& events) {
        files().addFile(kEvents, std::string(kHeader) + events);
    }

    std::vector<std::wstring> boxes;

  private:
    FakeFileSystem disk_;
    std::unique_ptr<TestProgram> program_;
};

const std::wstring kAtTen = boxMoment(at(9, 10), BoxIcon::Exclamation);

// The event file is away for one loading (a share not yet connected, away at a reload or at
// midnight, a file held by the spreadsheet while it saves): the reminder given before must not
// come again when the file is back.
TEST(ReminderState, AReminderIsNotRepeatedWhenItsEventFileWasAwayForOneLoading) {
    const struct {
        const char* name;
        bool onShare;
        std::string line;
        std::function<void(Runs&)> away;
    } kCases[] = {
        {"the share is not yet connected at a restart", true,
         singleLine("Meeting", "09.12.2026", kTen, "[m]"),
         [](Runs& runs) {
             runs.close();
             runs.files().removeTree(kShare);
             runs.start(LocalTime{2026, 12, 9, 10, 30, 0, 0});
             runs.runUntil(at(9, 10, 31));
             runs.files().addFile(
                 kShareEvents,
                 std::string(kHeader) + singleLine("Meeting", "09.12.2026", kTen, "[m]"));
             runs.runUntil(at(9, 10, 35));  // the network probe finds it and reloads
         }},
        {"the share is away at Reload Data", true, singleLine("Meeting", "09.12.2026", kTen, "[m]"),
         [](Runs& runs) {
             const std::string content = *runs.files().fileBytes(kShareEvents);
             runs.files().removeTree(kShare);
             runs.reload();
             runs.runUntil(at(9, 10, 5));
             runs.files().addFile(kShareEvents, content);
             runs.reload();
             runs.runUntil(at(9, 10, 10));
         }},
        {"the share is away at midnight", true,
         singleLine("Evening", "09.12.2026", "0,916666666666667", "[e]"),
         [](Runs& runs) {
             const std::string content = *runs.files().fileBytes(kShareEvents);
             runs.runUntil(at(9, 23, 59));
             runs.files().removeTree(kShare);
             runs.runUntil(at(10, 0, 5));
             runs.files().addFile(kShareEvents, content);
             runs.runUntil(at(10, 0, 10));  // the probe after midnight finds it and reloads
             runs.reload();
             runs.runUntil(at(10, 0, 15));
         }},
        {"the file is held by another program during one Reload Data", false,
         singleLine("Meeting", "09.12.2026", kTen, "[m]"),
         [](Runs& runs) {
             runs.files().lock(kEvents);
             runs.reload();
             runs.runUntil(at(9, 10, 5));
             runs.files().unlock(kEvents);
             runs.reload();
             runs.runUntil(at(9, 10, 10));
             runs.close();
             runs.start(LocalTime{2026, 12, 9, 10, 20, 0, 0});
             runs.runUntil(at(9, 10, 21));
         }},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        Runs runs(c.line, c.onShare);
        const bool evening = c.line.starts_with("Evening");
        runs.start(LocalTime{2026, 12, 9, evening ? 21 : 9, 59, 50, 0});
        runs.runUntil(at(9, evening ? 22 : 10, 0, 5));
        ASSERT_EQ(runs.boxes.size(), 1u);
        c.away(runs);
        EXPECT_EQ(runs.boxes.size(), 1u) << runs.boxes.back();
    }
}

// An edited line whose occurrence moved is reminded anew; one whose occurrence stayed, or came
// back to where it was, keeps its state.
TEST(ReminderState, AnEditedLineIsRemindedAnewOnlyWhenItsOccurrenceMoved) {
    const std::string atTen = singleLine("Meeting", "09.12.2026", kTen, "[m]");
    const std::string atTwo = singleLine("Meeting", "09.12.2026", "0,583333333333333", "[m]");
    const std::string nextDay = singleLine("Meeting", "10.12.2026", kTen, "[m]");
    const struct {
        const char* name;
        std::vector<std::string> edits;  // each exported, then Reload Data, a minute apart
        double until;
        std::vector<std::wstring> boxes;
    } kCases[] = {
        {"moved to 14:00",
         {atTwo},
         at(9, 14, 1),
         {kAtTen, boxMoment(at(9, 14), BoxIcon::Exclamation)}},
        {"moved to the next day",
         {nextDay},
         at(10, 10, 1),
         {kAtTen, boxMoment(at(10, 10), BoxIcon::Exclamation)}},
        {"moved to 14:00 and back", {atTwo, atTen}, at(9, 14, 1), {kAtTen}},
        {"only its text changed",
         {singleLine("Meeting room 4", "09.12.2026", kTen, "[m]")},
         at(9, 14, 1),
         {kAtTen}},
        {"deleted and put back", {"", atTen}, at(9, 14, 1), {kAtTen}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        Runs runs(atTen);
        runs.start(LocalTime{2026, 12, 9, 9, 59, 50, 0});
        runs.runUntil(at(9, 10, 0, 5));
        double minute = at(9, 10, 1);
        for (const std::string& edit : c.edits) {
            runs.putEvents(edit);
            runs.reload();
            minute += 60;
            runs.runUntil(minute);
        }
        runs.runUntil(c.until);
        EXPECT_EQ(runs.boxes, c.boxes);
    }
}

// The save after a reminder fails (a full disk); the failure is reported, and a reload after it
// still knows the reminder was given.
TEST(ReminderState, AReloadAfterAFailedSaveDoesNotRepeatTheReminder) {
    Runs runs(singleLine("Meeting", "09.12.2026", kTen, "[m]"));
    runs.start(LocalTime{2026, 12, 9, 9, 59, 50, 0});
    runs.files().setFreeSpace(0);
    runs.runUntil(at(9, 10, 0, 5));
    ASSERT_EQ(runs.boxes.size(), 1u);
    EXPECT_TRUE(runs.program().logged(L"The file " + kEmitted + L" could not be written"));
    runs.reload();
    runs.runUntil(at(9, 10, 5));
    EXPECT_EQ(runs.boxes.size(), 1u);
    // Once the disk has room, the next save writes the state.
    runs.files().setFreeSpace(std::nullopt);
    runs.close();
    runs.start(LocalTime{2026, 12, 9, 10, 10, 0, 0});
    runs.runUntil(at(9, 10, 11));
    EXPECT_EQ(runs.boxes.size(), 1u);
}

// The clock is set back (a clock that ran fast): across midnight the entries are loaded for the
// day before again, and its reminders, given already, do not come again; within the hour, a
// pre-event slot that a later one has passed does not come either.
TEST(ReminderState, SettingTheClockBackRepeatsNoReminder) {
    {
        SCOPED_TRACE("across midnight");
        Runs runs(eventLine("Daily", kTen, 0, 1, "1", "[d]"));
        runs.start(LocalTime{2026, 12, 9, 9, 59, 50, 0});
        runs.runUntil(at(9, 10, 0, 5));
        ASSERT_EQ(runs.boxes.size(), 1u);
        runs.clockTo(LocalTime{2026, 12, 10, 0, 10, 0, 0});
        runs.clockTo(LocalTime{2026, 12, 9, 23, 50, 0, 0});
        runs.runUntil(at(9, 23, 51));
        EXPECT_EQ(runs.boxes, std::vector<std::wstring>{kAtTen});
        EXPECT_EQ(runs.program().parts().events.loadedDate(), (DayMonthYear{9, 12, 2026}));
    }
    {
        SCOPED_TRACE("back into an earlier slot, then Reload Data");
        Runs runs(eventLine("Standup", kTen, 60, 3, "1", "[s]"));
        runs.start(LocalTime{2026, 12, 9, 9, 25, 0, 0});
        runs.runUntil(at(9, 9, 25, 5));
        ASSERT_EQ(runs.boxes.size(), 1u);  // the second slot
        runs.clockTo(LocalTime{2026, 12, 9, 9, 5, 0, 0});
        runs.reload();
        runs.runUntil(at(9, 9, 10));
        EXPECT_EQ(runs.boxes.size(), 1u);
    }
}

// The machine wakes after a sleep: the entries are loaded for the new date, also when the day of
// the month is the same as before (exactly a month later).
TEST(ReminderState, WakingOnAnotherDateLoadsItsReminders) {
    for (const LocalTime slept :
         {LocalTime{2026, 12, 6, 20, 0, 0, 0}, LocalTime{2026, 11, 9, 20, 0, 0, 0},
          LocalTime{2025, 12, 9, 20, 0, 0, 0}}) {
        SCOPED_TRACE(formatDateTime(nowSeconds(slept)));
        Runs runs(singleLine("Dentist", "09.12.2026", kTen, "[d]"));
        runs.start(slept);
        runs.runUntil(nowSeconds(slept) + 5);
        runs.clockTo(LocalTime{2026, 12, 9, 9, 59, 50, 0});
        runs.runUntil(at(9, 10, 0, 5));
        EXPECT_EQ(runs.boxes, std::vector<std::wstring>{kAtTen});
    }
}

// A monthly event on the 31st: the occurrence of a month without that day falls on the first
// days of the next month, and is reminded there.
TEST(ReminderState, AMonthlyEventOnTheLastDaysIsRemindedInShorterMonths) {
    Runs runs(eventLine("Rent", kTen, 0, 1, "30", "[rent]")
                  .replace(std::string("Rent;;").size(), 10, "31.10.2026"));
    runs.start(LocalTime{2026, 12, 1, 9, 59, 50, 0});
    runs.runUntil(dayNumberOf(1, 12, 2026) * 86400.0 + 10 * 3600 + 5);
    EXPECT_EQ(runs.boxes,
              std::vector<std::wstring>{
                  boxMoment(dayNumberOf(1, 12, 2026) * 86400.0 + 10 * 3600, BoxIcon::Exclamation)});
}

}  // namespace
}  // namespace tindlow
