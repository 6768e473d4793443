// Every reminder exactly once, per occurrence: across days, reloads, restarts, session ends and
// boxes left open while midnight passes.
#include <gtest/gtest.h>

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
    EXPECT_EQ(program.state().rememberedDay, 10);
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
        program.state().days = 30;
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

}  // namespace
}  // namespace tindlow
