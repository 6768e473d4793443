#include <gtest/gtest.h>

#include <bit>

#include "fakes/test_program.h"
#include "schedule/emitted_log.h"
#include "ui/control_ids.h"

namespace tindlow {
namespace {

const std::wstring kEvents = L"C:\\P\\_SingleEvents\\Today.csv";
const std::wstring kEmitted = L"C:\\P\\_EmittedReminders\\EmittedReminders.txt";
constexpr const char* kHeader = "What;Text;Date;Time;Pre;Repeat;Interval;Key;Row\r\n";
// 10:00 with one hour of pre-event reminders in three slots: 09:00, 09:20, 09:40.
constexpr const char* kMeeting = "Meeting;Team;09.12.2026;0,416666666666667;60;3;;[k1];2\r\n";
constexpr const char* kLunch = "Lunch;With Eva;09.12.2026;0,5;60;3;;[k2];3\r\n";

struct Morning : TestProgram {
    explicit Morning(const std::string& lines, int hour, int minute) {
        fake.files.addFile(kEvents, std::string(kHeader) + lines);
        fake.clock.setTime(hour, minute, 0);
        start();
    }
    // Runs the program until the given time of day, one tick every `step` seconds.
    void runUntil(int hour, int minute, int step = 5) {
        const double until = hour * 3600.0 + minute * 60.0;
        while (secondsOfDay() < until) {
            fake.clock.advanceSeconds(step);
            dialog.onTimer();
        }
    }
    double secondsOfDay() const {
        const LocalTime now = fake.clock.localTime();
        return tindlow::secondsOfDay(now);
    }
    std::uint32_t matrix(const wchar_t* key) {
        const ReminderEntry* entry = dialog.parts().events.today().find(key);
        return entry ? entry->remindMatrix : 0xDEADBEEF;
    }
    std::vector<std::wstring> boxTexts() const {
        std::vector<std::wstring> texts;
        for (const auto& box : fake.boxes.shown)
            texts.push_back(box.text);
        return texts;
    }
    int reminderFiles() const {
        int count = 0;
        for (const auto& path : fake.files.paths()) {
            if (path.find(L" Reminders.txt") != std::wstring::npos)
                ++count;
        }
        return count;
    }
};

TEST(ReminderCheck, AMorningGivesEverySlotAndTheEventOnce) {
    Morning program(kMeeting, 8, 0);
    std::vector<std::pair<double, BoxIcon>> seen;
    program.fake.boxes.onShow = [&](const FakeMessageBoxes::Box& box) {
        seen.push_back({program.secondsOfDay(), box.icon});
    };
    program.runUntil(11, 0);
    ASSERT_EQ(seen.size(), 4u);
    const double expected[] = {9 * 3600, 9 * 3600 + 1200, 9 * 3600 + 2400, 10 * 3600};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(seen[static_cast<std::size_t>(i)].first, expected[i], 5);
    }
    EXPECT_EQ(seen[0].second, BoxIcon::Information);
    EXPECT_EQ(seen[3].second, BoxIcon::Exclamation);
    EXPECT_EQ(program.matrix(L"[k1]"), 0b111u | (1u << 30));
    EXPECT_EQ(program.reminderFiles(), 4);
    EXPECT_EQ(program.boxTexts()[0], L"Event: Meeting Team\n");
    EXPECT_TRUE(program.logged(L"[Total: 4 Reminder]"));
    EXPECT_EQ(program.fake.shell.opened.size(), 4u);
    // The complete dictionary's copy is untouched.
    EXPECT_EQ(program.dialog.parts().events.complete().find(L"[k1]")->remindMatrix, 0u);
}

TEST(ReminderCheck, AStartInTheMiddleSkipsThePassedSlot) {
    Morning program(kMeeting, 9, 30);
    program.runUntil(11, 0);
    EXPECT_EQ(program.fake.boxes.shown.size(), 3u);
    EXPECT_EQ(program.matrix(L"[k1]"), 0b110u | (1u << 30));
}

TEST(ReminderCheck, AStartAfterTheEventGivesOnePostEventReminder) {
    Morning program(kMeeting, 10, 10);
    program.runUntil(12, 0);
    ASSERT_EQ(program.fake.boxes.shown.size(), 1u);
    EXPECT_EQ(program.fake.boxes.shown[0].icon, BoxIcon::Stop);
    EXPECT_EQ(program.matrix(L"[k1]"), 1u << 31);
}

TEST(ReminderCheck, TwoDueAtOnceShareOneNumberedBox) {
    // Both pre-event periods have begun when the program starts at 11:30.
    Morning program(
        std::string(kMeeting).replace(std::string(kMeeting).find("0,4166"), 17, "0,5") + kLunch, 11,
        30);
    program.runUntil(11, 31);
    ASSERT_EQ(program.fake.boxes.shown.size(), 1u);
    EXPECT_EQ(program.fake.boxes.shown[0].text,
              L"1) Event: Meeting Team\n2) Event: Lunch With Eva\n");
    EXPECT_EQ(program.dialog.parts().reminders.lastReminders().writeIndex, 2);
    std::wstring file;
    for (const auto& [path, bytes] : program.fake.files.files()) {
        if (path.find(L" Reminders.txt") != std::wstring::npos)
            file = path;
    }
    const std::string bytes = *program.fake.files.fileBytes(file);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(bytes.substr(2, 6), std::string("1\0)\0 \0", 6));
    EXPECT_TRUE(program.logged(L"Event: Lunch With Eva [Input Date: 09.12.2026]"));
}

TEST(ReminderCheck, NothingIsEmittedWhileTheBoxIsOpen) {
    Morning program(kMeeting, 8, 59);
    // The first box stays open for 30 minutes; ticks keep running inside it.
    program.fake.boxes.onShow = [&](const FakeMessageBoxes::Box&) {
        if (program.fake.boxes.shown.size() == 1)
            program.runUntil(9, 29);
    };
    program.runUntil(9, 30);
    EXPECT_EQ(program.fake.boxes.shown.size(), 2u);  // slot 0, then slot 1 after the close
    EXPECT_EQ(program.matrix(L"[k1]"), 0b11u);
    EXPECT_TRUE(program.parts().reminders.flashing() ||
                program.parts().reminders.flashCounter() == -1);
}

TEST(ReminderCheck, AnUnshownBoxReportsAndKeepsTheCheckOpen) {
    Morning program(kMeeting, 8, 59);
    program.fake.boxes.answers = {0};
    program.runUntil(9, 25);
    EXPECT_EQ(program.fake.boxes.shown.size(), 2u);
    EXPECT_TRUE(program.logged(L"An error has occurred. The Windows error code was: "));
}

TEST(ReminderCheck, AFailedShellOpenIsReported) {
    Morning program(kMeeting, 8, 59);
    program.fake.shell.result = 2;
    program.fake.shell.error = 1155;
    program.runUntil(9, 1);
    EXPECT_TRUE(program.logged(L"An error has occurred. The Windows error code was: 1155"));
}

TEST(ReminderCheck, AReloadInTheMiddleOfTheDayDoesNotRepeat) {
    Morning program(kMeeting, 8, 59);
    program.runUntil(9, 5);
    ASSERT_EQ(program.fake.boxes.shown.size(), 1u);
    program.dialog.onButton(ids::kReloadData);  // Reload Data
    EXPECT_EQ(program.matrix(L"[k1]"), 1u);
    program.runUntil(9, 19);
    EXPECT_EQ(program.fake.boxes.shown.size(), 1u);
    program.runUntil(9, 21);
    EXPECT_EQ(program.fake.boxes.shown.size(), 2u);
}

TEST(ReminderCheck, ARestartOnTheSameDayDoesNotRepeat) {
    Morning first(kMeeting, 8, 59);
    first.runUntil(9, 5);
    first.dialog.onClose();
    ASSERT_EQ(first.fake.boxes.shown.size(), 1u);

    TestProgram second;
    second.fake.files = first.fake.files;
    second.fake.clock.set(first.fake.clock.localTime());
    second.fake.clock.advanceSeconds(60);
    second.start();
    for (int i = 0; i < 60; ++i) {
        second.fake.clock.advanceSeconds(5);
        second.dialog.onTimer();
    }
    EXPECT_TRUE(second.fake.boxes.shown.empty());
    EXPECT_EQ(second.dialog.parts().events.today().find(L"[k1]")->remindMatrix, 1u);
}

TEST(ReminderCheck, ATickInsideALoadersBoxNeitherRemindsNorReloads) {
    TestProgram program;
    // A line whose periods overlap makes the loader show a box; the day changes while it is open.
    program.fake.files.addFile(
        kEvents, std::string(kHeader) + kMeeting + "Daily;x;01.12.2026;0,5;0;1;1;[d];3\r\n");
    program.fake.clock.setTime(9, 10, 0);
    program.start();
    program.ticks(1);  // gives slot 0 of the meeting
    ASSERT_EQ(program.dialog.parts().events.today().find(L"[k1]")->remindMatrix, 1u);
    const size_t boxesBefore = program.fake.boxes.shown.size();
    int nestedBoxes = 0;
    program.fake.boxes.onShow = [&](const FakeMessageBoxes::Box& box) {
        if (box.text.find(L"must not overlap") != std::wstring::npos) {
            program.ticks(3);
            ++nestedBoxes;
        }
    };
    program.dialog.onButton(ids::kReloadData);
    EXPECT_EQ(nestedBoxes, 1);
    for (size_t i = boxesBefore; i < program.fake.boxes.shown.size(); ++i) {
        EXPECT_EQ(program.fake.boxes.shown[i].text.find(L"Event:"), std::wstring::npos);
    }
    EXPECT_EQ(program.dialog.parts().events.today().find(L"[k1]")->remindMatrix, 1u);
}

TEST(Reload, ADayChangeInsideALoadersBoxIsDeferredUntilTheLoadEnds) {
    TestProgram program;
    program.fake.files.addFile(kEvents,
                               std::string(kHeader) + "Daily;x;01.12.2026;0,5;0;1;1;[d];2\r\n");
    program.fake.clock.setTime(23, 59, 58);
    program.start();
    auto readings = [&] {
        int count = 0;
        for (const auto& line : program.logLines()) {
            if (line.find(L"Reading C:\\P\\_SingleEvents\\Today.csv:") != std::wstring::npos)
                ++count;
        }
        return count;
    };
    int depth = 0;
    program.fake.boxes.onShow = [&](const FakeMessageBoxes::Box&) {
        if (depth++ == 0)
            program.ticks(6);  // crosses midnight inside the box
    };
    program.dialog.onButton(ids::kReloadData);
    EXPECT_EQ(readings(), 2);  // start-up and the button; the day change waits
    EXPECT_EQ(program.parts().events.loadedDate(), (DayMonthYear{10, 12, 2026}));
    program.ticks(1);
    EXPECT_EQ(readings(), 3);
    program.ticks(5);
    EXPECT_EQ(readings(), 3);
}

}  // namespace
}  // namespace tindlow
