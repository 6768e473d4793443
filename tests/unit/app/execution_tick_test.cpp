#include <gtest/gtest.h>

#include "app/unhide_keys.h"
#include "fakes/test_program.h"
#include "ui/control_ids.h"

namespace tindlow {
namespace {

constexpr const wchar_t* kSignal = L"C:\\Temp\\PopupHiddenReminders.txt";

TEST(ExecutionTick, CountsTicksAndKeepsTheTickCount) {
    TestProgram program;
    program.start();
    program.fake.clock.setTickCount(123456);
    program.dialog.onTimer();
    EXPECT_EQ(program.parts().run.tick, 1);
    EXPECT_EQ(program.parts().run.lastTickCount, 123456u);
}

TEST(ExecutionTick, PopupSignalShowsTheWindowOnEveryTickWhileItExists) {
    TestProgram program;
    program.start();
    program.parts().window.hide();
    program.fake.view.commands.clear();
    program.fake.files.addFile(kSignal);
    program.ticks(2);
    EXPECT_EQ(program.parts().window.displayState(), DisplayState::Normal);
    EXPECT_EQ(program.fake.view.commands,
              (std::vector<WindowCommand>{WindowCommand::ShowNormal, WindowCommand::ShowNormal}));
    program.fake.files.deleteFile(kSignal);
    program.fake.view.commands.clear();
    program.ticks(1);
    EXPECT_TRUE(program.fake.view.commands.empty());
}

TEST(ExecutionTick, SignalIsDeletedAtTheRemovalTick) {
    TestProgram program;
    program.start();
    program.ticks(3);
    program.parts().popup.give(program.parts().run.tick);
    program.ticks(19);
    EXPECT_TRUE(program.fake.files.exists(kSignal));
    program.ticks(1);
    EXPECT_FALSE(program.fake.files.exists(kSignal));
}

TEST(ExecutionTick, ChangeOfDayIsNoticedOnceAndDropsTheNetworkState) {
    TestProgram program;
    program.start();
    program.parts().events.ini().networkPathState = NetworkPathState::Read;
    program.fake.clock.setTime(23, 59, 59, 500);
    program.ticks(1);
    EXPECT_EQ(program.parts().events.loadedDate(), (DayMonthYear{10, 12, 2026}));
    EXPECT_EQ(program.parts().events.ini().networkPathState, NetworkPathState::NotReached);
}

TEST(ExecutionTick, TicksInsideAStartupBoxDoNotReloadOrEmptyTheEmittedLog) {
    TestProgram program;
    const std::wstring emitted = L"C:\\P\\_EmittedReminders\\EmittedReminders.txt";
    program.fake.files.addFile(emitted, "[k]<@@@>1<@@@>3880000000.00<@@@>\r\n");
    // A settings file that cannot be read opens a box during the dialog initialisation.
    program.fake.files.addFile(L"C:\\P\\_Settings\\Settings.txt", "\xFE\xFF\0L");
    program.fake.clock.setTime(23, 59, 58);
    int nested = 0;
    program.fake.boxes.onShow = [&](const FakeMessageBoxes::Box&) {
        if (nested++ == 0)
            program.ticks(8);  // crosses midnight inside the box
    };
    program.dialog.onInitDialog();
    EXPECT_EQ(nested, 1);
    EXPECT_EQ(program.fake.files.fileBytes(emitted), "[k]<@@@>1<@@@>3880000000.00<@@@>\r\n");
    EXPECT_FALSE(program.logged(L"Reading "));
    EXPECT_FALSE(program.logged(L"Trying to read"));
}

TEST(ExecutionTick, UnreachableNetworkPathIsLoggedAtTheFirstProbeAndEvery500th) {
    TestProgram program;
    program.start();
    program.parts().events.ini().networkPath = L"\\\\server\\share\\";
    program.parts().events.ini().networkPathState = NetworkPathState::NotReached;
    program.ticks(9);
    EXPECT_FALSE(program.logged(L"The network path"));
    program.ticks(1);
    EXPECT_TRUE(program.logged(L"The network path \\\\server\\share\\ was not found on 08:30:05."));
    const size_t lines = program.logLines().size();
    program.ticks(10 * 499);
    EXPECT_EQ(program.logLines().size(), lines);
    program.ticks(10);
    EXPECT_EQ(program.logLines().size(), lines + 1);
}

TEST(ExecutionTick, OneTimeStepHidesInstanceOneWithWindowSizeModeZero) {
    const struct {
        NetworkPathState networkState;
        int tickOfHide;
    } kCases[] = {{NetworkPathState::None, 5}, {NetworkPathState::NotReached, 20}};
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.tickOfHide);
        TestProgram program;
        program.start();
        program.parts().events.ini().windowSizeMode = WindowSizeMode::Hidden;
        program.parts().events.ini().networkPathState = c.networkState;
        program.parts().events.ini().networkPath = L"Z:\\absent\\";
        program.ticks(c.tickOfHide - 1);
        EXPECT_TRUE(program.fake.sleeper.slept.empty());
        program.ticks(1);
        EXPECT_EQ(program.fake.sleeper.slept, std::vector<int>{1000});
        EXPECT_EQ(program.parts().window.displayState(), DisplayState::Hidden);
        program.ticks(30);
        EXPECT_EQ(program.fake.sleeper.slept.size(), 1u);
    }
}

TEST(ExecutionTick, OneTimeStepOfASecondInstanceLogsTheRejection) {
    TestProgram program;
    program.fake.processes.processes = {{1, L"Tindlow.exe"}, {2, L"Tindlow.exe"}};
    program.start();
    program.parts().events.ini().windowSizeMode = WindowSizeMode::Hidden;
    program.ticks(5);
    EXPECT_EQ(program.lastLog(),
              L"Hiding request is rejected. Only the first instance is allowed to be hidden.");
    EXPECT_TRUE(program.fake.sleeper.slept.empty());
}

TEST(ExecutionTick, FlashingAlternatesAndEndsShownNormally) {
    TestProgram program;
    program.start();
    program.parts().events.ini().flashLimit = 2;
    program.parts().reminders.startFlashing();
    program.fake.view.commands.clear();
    program.ticks(4);  // ticks 1..4: counter 0, 1, 2 flash; 3 ends
    EXPECT_EQ(program.fake.view.commands,
              (std::vector<WindowCommand>{WindowCommand::ShowNormal, WindowCommand::Minimize,
                                          WindowCommand::ShowNormal, WindowCommand::ShowNormal}));
    EXPECT_FALSE(program.parts().reminders.flashing());
    EXPECT_EQ(program.parts().reminders.flashCounter(), -1);
    EXPECT_EQ(program.parts().window.displayState(), DisplayState::Normal);
}

TEST(ExecutionTick, ExecutionLoopPeriodResetsTheLoopCounter) {
    TestProgram program;
    program.start();
    program.parts().events.ini().executionLoopPeriod = 120;
    program.ticks(119);
    EXPECT_EQ(program.parts().run.loop, 119);
    program.ticks(1);
    EXPECT_EQ(program.parts().run.loop, 0);
}

// Typing into the days field: focus empties it; the tick validates it later.
TEST(DaysField, RevalidationAfterTyping) {
    const struct {
        const wchar_t* typed;
        int expectedDays;
        const wchar_t* expectedField;
        const wchar_t* expectedLog;  // nullptr: nothing logged
    } kCases[] = {
        {L"30", 30, L"30", nullptr},
        {L"", 11, L"11",
         L"Attetion, the days input field is empty. Please input a valid number from one to 9999. "
         L"Meanwhile the default value 11 will be applied."},
        {L"12a", 11, L"11", L"Wrong character detected in days input field: a"},
        {L"0", 11, L"11", nullptr},
        {L"25.12.2024", 11, L"25.12.2024", L"Wrong character detected in days input field: ."},
        {L"99999999999", 2147483647, L"99999999999", nullptr},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.typed);
        TestProgram program;
        program.start();
        program.dialog.onDaysFieldFocus();
        EXPECT_EQ(program.fake.view.texts[ids::kDaysField], L"");
        program.fake.view.texts[ids::kDaysField] = c.typed;
        const size_t before = program.logLines().size();
        program.ticks(10);
        EXPECT_EQ(program.parts().daysInput.days(), c.expectedDays);
        EXPECT_EQ(program.fake.view.texts[ids::kDaysField], c.expectedField);
        EXPECT_EQ(program.fake.view.focus, ids::kLogList);
        EXPECT_FALSE(program.parts().daysInput.editing());
        if (c.expectedLog) {
            EXPECT_EQ(program.lastLog(), c.expectedLog);
        } else {
            EXPECT_EQ(program.logLines().size(), before);
        }
    }
}

TEST(DaysField, DigitsPostponeTheCheckOnlyWhileEditing) {
    TestProgram program;
    program.start();
    program.dialog.onKeyDown(KeyPress::Digit);
    EXPECT_EQ(program.parts().daysInput.readingTick(), std::nullopt);
    program.dialog.onDaysFieldFocus();
    EXPECT_EQ(program.parts().daysInput.readingTick(), 10);
    program.ticks(8);
    program.fake.view.texts[ids::kDaysField] = L"3";
    EXPECT_FALSE(program.dialog.onKeyDown(KeyPress::Digit));
    EXPECT_EQ(program.parts().daysInput.readingTick(), 14);
    program.ticks(5);
    EXPECT_EQ(program.parts().daysInput.days(), 11);
    program.ticks(1);
    EXPECT_EQ(program.parts().daysInput.days(), 3);
}

// Feeds the key poll one press per tick from a script.
struct KeyScript {
    TestProgram& program;
    void press(UnhideKey key) {
        program.fake.keys.pressed.insert(key);
        program.ticks(1);
    }
    void pressOther() {
        ++program.fake.keys.otherPresses;
        program.ticks(1);
    }
};

constexpr UnhideKey kShift = UnhideKey::Shift;
constexpr UnhideKey kCtrl = UnhideKey::Ctrl;
constexpr UnhideKey kD = UnhideKey::D;
constexpr UnhideKey kR = UnhideKey::R;

TEST(UnhideKeys, ShiftCtrlDRShowsTheHiddenWindow) {
    TestProgram program;
    program.start();
    program.parts().window.hide();
    program.fake.view.commands.clear();
    KeyScript keys{program};
    keys.press(kShift);
    keys.press(kCtrl);
    keys.press(kD);
    EXPECT_TRUE(program.fake.view.commands.empty());
    keys.press(kR);
    EXPECT_EQ(program.fake.view.commands, std::vector<WindowCommand>{WindowCommand::ShowNormal});
    EXPECT_EQ(program.parts().window.displayState(), DisplayState::Initial);
}

TEST(UnhideKeys, InterruptionsAndTimeouts) {
    // A step of the script: one of the four keys, another key, or a tick without a key.
    struct Step {
        enum { Key, Other, Idle } kind;
        UnhideKey key = UnhideKey::Shift;
    };
    const Step shift{Step::Key, kShift}, ctrl{Step::Key, kCtrl}, d{Step::Key, kD}, r{Step::Key, kR},
        other{Step::Other}, idle{Step::Idle};
    const struct {
        const char* name;
        std::vector<Step> steps;
        bool shown;
    } kCases[] = {
        {"other key restarts", {shift, ctrl, other, d, r}, false},
        {"other key then whole sequence", {shift, other, shift, ctrl, d, r}, true},
        {"a key outside the sequence's range plays no part", {idle, shift, ctrl, d, r}, true},
        {"order matters", {ctrl, shift, d, r}, false},
        {"slow D drops it",
         {shift, ctrl, idle, idle, idle, idle, idle, idle, idle, idle, idle, idle, d, r},
         false},
        {"D in time", {shift, ctrl, idle, idle, idle, idle, idle, idle, idle, idle, d, r}, true},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        TestProgram program;
        program.start();
        program.parts().window.hide();
        KeyScript keys{program};
        for (const Step& step : c.steps) {
            if (step.kind == Step::Key) {
                keys.press(step.key);
            } else if (step.kind == Step::Other) {
                keys.pressOther();
            } else {
                program.ticks(1);
            }
        }
        EXPECT_EQ(program.parts().window.displayState() != DisplayState::Hidden, c.shown);
    }
}

TEST(UnhideKeys, NotPolledWhileTheWindowIsShown) {
    TestProgram program;
    program.start();
    program.fake.keys.polls = 0;
    program.ticks(3);
    EXPECT_EQ(program.fake.keys.polls, 0);
}

}  // namespace
}  // namespace tindlow
