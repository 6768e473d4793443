#include <gtest/gtest.h>

#include "fakes/test_program.h"
#include "ui/control_ids.h"

namespace tindlow {
namespace {

TEST(LogList, NumbersLinesOverTheWholeRun) {
    TestProgram program;
    FakeView& view = program.fake.view;
    LogList& log = program.dialog.parts().log;
    for (int i = 0; i < 999; ++i)
        log.log(L"x");
    EXPECT_EQ(view.logLines[6], L"007   x");
    EXPECT_EQ(view.logLines[998], L"999   x");
    log.log(L"y");
    EXPECT_EQ(view.logLines.back(), L"1000   y");
    EXPECT_EQ(view.topIndex, 999);
}

TEST(LogList, ABulkIsShownOnceAtItsEndAndWhileABoxIsOpen) {
    FakeView view;
    LogList log(view);
    FakeMessageBoxes boxes;
    LogRevealingBoxes revealing(boxes, log);
    log.beginBulk();
    EXPECT_FALSE(view.logRedraw);
    for (int i = 0; i < 50; ++i)
        log.log(L"x");
    EXPECT_EQ(view.topIndexCalls, 0);
    boxes.onShow = [&](const FakeMessageBoxes::Box&) {
        EXPECT_TRUE(view.logRedraw);
        EXPECT_EQ(view.topIndex, 49);
        log.log(L"logged by a tick inside the box");
        EXPECT_EQ(view.topIndex, 50);
    };
    revealing.show(L"box", L"Tindlow", BoxIcon::Exclamation);
    EXPECT_FALSE(view.logRedraw);
    const int calls = view.topIndexCalls;
    for (int i = 0; i < 50; ++i)
        log.log(L"y");
    EXPECT_EQ(view.topIndexCalls, calls);
    log.endBulk();
    EXPECT_TRUE(view.logRedraw);
    EXPECT_EQ(view.topIndex, 100);
    log.log(L"z");
    EXPECT_EQ(view.topIndex, 101);
}

TEST(LogList, ManyLinesAtOnceAreScrolledToOnce) {
    FakeView view;
    LogList log(view);
    log.logAll(std::vector<std::wstring>(300, L"event"));
    EXPECT_EQ(view.topIndexCalls, 1);
    EXPECT_EQ(view.topIndex, 299);
    EXPECT_TRUE(view.logRedraw);
}

TEST(LogList, ClearListboxKeepsTheNumbering) {
    TestProgram program;
    program.start();
    while (program.dialog.parts().log.lineNumber() < 41)
        program.dialog.parts().log.log(L"x");
    program.dialog.onButton(ids::kClearListbox);
    ASSERT_EQ(program.logLines().size(), 1u);
    EXPECT_EQ(program.logLines()[0], L"042   The 'Clear Listbox' button was pressed.");
}

TEST(LogList, StopEntriesCheckBoxDropsLinesUntilUnchecked) {
    TestProgram program;
    program.start();
    program.fake.view.checked[ids::kStopEntries] = true;
    program.dialog.onButton(ids::kStopEntries);
    const std::wstring checkedLine = program.logLines().back();
    EXPECT_NE(checkedLine.find(L"The 'Stop Listbox checkmark was checked."), std::wstring::npos);
    const size_t lines = program.logLines().size();
    program.dialog.onButton(ids::kOpenDirectory);
    program.dialog.parts().log.log(L"dropped");
    EXPECT_EQ(program.logLines().size(), lines);
    program.fake.view.checked[ids::kStopEntries] = false;
    program.dialog.onButton(ids::kStopEntries);
    const int checkedNumber = std::stoi(checkedLine.substr(0, checkedLine.find(L' ')));
    const std::wstring& unchecked = program.logLines().back();
    EXPECT_EQ(std::stoi(unchecked.substr(0, unchecked.find(L' '))), checkedNumber + 1);
    EXPECT_NE(unchecked.find(L"The 'Stop Listbox checkmark was unchecked."), std::wstring::npos);
}

TEST(Buttons, OpenHelpFollowsTheLanguageSetting) {
    const struct {
        const wchar_t* language;
        const wchar_t* file;
        std::intptr_t shellResult;
        bool failureLogged;
    } kCases[] = {
        {L"English", L"C:\\P\\_Help\\Help.pdf", 42, false},
        {L"German", L"C:\\P\\_Help\\Hilfe.pdf", 42, false},
        {L"english", L"C:\\P\\_Help\\Hilfe.pdf", 42, false},
        {L"English", L"C:\\P\\_Help\\Help.pdf", 2, true},
        {L"English", L"C:\\P\\_Help\\Help.pdf", 32, true},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.language);
        TestProgram program;
        program.start();
        program.parts().language.setName(c.language);
        program.fake.shell.result = c.shellResult;
        program.dialog.onButton(ids::kOpenHelp);
        EXPECT_EQ(program.fake.shell.opened, std::vector<std::wstring>{c.file});
        EXPECT_EQ(program.logged(L"The attempt to open the Help.pdf file was not successful."),
                  c.failureLogged);
    }
}

TEST(Buttons, OpenDirectoryLogsFirstAndIgnoresTheResult) {
    TestProgram program;
    program.start();
    program.fake.shell.result = 2;
    program.dialog.onButton(ids::kOpenDirectory);
    EXPECT_EQ(program.lastLog(), L"The 'Open Directory' button was pressed.");
    EXPECT_EQ(program.fake.shell.opened, std::vector<std::wstring>{L"C:\\P"});
}

TEST(Buttons, HideWindowOnlyForInstanceOne) {
    TestProgram first;
    first.start();
    first.dialog.onButton(ids::kHideWindow);
    EXPECT_EQ(first.parts().window.displayState(), DisplayState::Hidden);
    EXPECT_EQ(first.fake.view.commands.back(), WindowCommand::Hide);
    EXPECT_EQ(first.fake.sleeper.slept, std::vector<int>{1000});

    TestProgram second;
    second.fake.processes.processes = {{1, L"Tindlow.exe"}, {2, L"Tindlow.exe"}};
    second.start();
    second.dialog.onButton(ids::kHideWindow);
    EXPECT_EQ(second.lastLog(),
              L"Hiding request is rejected. Only the first instance is allowed to be hidden.");
    EXPECT_NE(second.parts().window.displayState(), DisplayState::Hidden);
}

TEST(Buttons, HideRequestUsesTheInstanceWordOfTheStartLanguage) {
    TestProgram program;
    program.start();
    program.dialog.onButton(ids::kSwitchLanguage);  // now German; the title still says Instance
    program.dialog.onButton(ids::kHideWindow);
    EXPECT_EQ(program.parts().window.displayState(), DisplayState::Hidden);
}

TEST(Language, SwitchLogsInTheOldLanguageAndRelabelsEverything) {
    TestProgram program;
    program.start();
    FakeView& view = program.fake.view;
    EXPECT_EQ(view.texts[ids::kFutureEvents], L"Future Events");
    EXPECT_EQ(view.texts[ids::kDaysLabel], L"Days:");
    const std::wstring firstCommand = view.combos[ids::kCommandMenu].at(0);
    program.dialog.onButton(ids::kSwitchLanguage);
    EXPECT_EQ(program.lastLog(), L"The 'Switch Language' button was pressed.");
    EXPECT_EQ(program.parts().language.name(), L"German");
    EXPECT_EQ(view.texts[ids::kFutureEvents], L"K\u00fcnftige Ereignisse");
    EXPECT_EQ(view.texts[ids::kDaysLabel], L"Tage:");
    EXPECT_EQ(view.texts[ids::kStopEntries], L"Stoppe Eintr\u00e4ge");
    EXPECT_NE(view.combos[ids::kCommandMenu].at(0), firstCommand);
    EXPECT_EQ(view.combos[ids::kCommandMenu].size(), 19u);
    EXPECT_EQ(view.comboSelections[ids::kCommandMenu], 0);
    EXPECT_EQ(view.tooltips[ids::kStopEntries].substr(0, 7), L"Stoppt/");
    EXPECT_EQ(view.title, L"Tindlow v1.40 (a) Instance 1");
    program.dialog.onButton(ids::kSwitchLanguage);
    EXPECT_NE(program.lastLog().find(L"Sprache Wechseln"), std::wstring::npos);
    EXPECT_EQ(program.parts().language.name(), L"English");
}

TEST(Language, AnyOtherSettingSwitchesToEnglish) {
    TestProgram program;
    program.fake.files.addFile(L"C:\\P\\_Settings\\Settings.txt", "Language = Klingon\r\n");
    program.start();
    EXPECT_EQ(program.fake.view.texts[ids::kReloadData], L"Daten Nachladen");
    program.dialog.onButton(ids::kSwitchLanguage);
    EXPECT_EQ(program.parts().language.name(), L"English");
}

TEST(Language, MenusAreFilledOnlyOnceTheFirstPaintIsDone) {
    TestProgram program;
    program.dialog.onInitDialog();
    EXPECT_TRUE(program.fake.view.combos[ids::kCommandMenu].empty());
    EXPECT_TRUE(program.fake.view.tooltips.empty());
    program.dialog.onPaint();
    EXPECT_EQ(program.fake.view.combos[ids::kCommandMenu].size(), 19u);
    EXPECT_EQ(program.fake.view.tooltips.size(), 9u);
}

TEST(StartPosition, CorrectionBoxesAreCounted) {
    TestProgram program;
    program.fake.files.addFile(L"C:\\P\\_Settings\\Settings.txt", "StartPosition = 0,-5\r\n");
    spendErrorBoxBudget(program);
    program.start();
    EXPECT_TRUE(program.fake.boxes.shown.empty());
    EXPECT_EQ(program.fake.view.moves.back().x, 0);
    EXPECT_EQ(program.fake.view.moves.back().y, 0);

    TestProgram fresh;
    fresh.fake.files.addFile(L"C:\\P\\_Settings\\Settings.txt", "StartPosition = 0,-5\r\n");
    fresh.start();
    ASSERT_EQ(fresh.fake.boxes.shown.size(), 1u);
    EXPECT_EQ(fresh.fake.boxes.shown[0].text,
              L"The saved y start position of the Tindlow window was not plausible and was "
              L"corrected.");
}

TEST(Hover, TickMouseMoveAndLeaveShareTheHighlight) {
    TestProgram program;
    FakeView& view = program.fake.view;
    view.controlRects[ids::kFutureEvents] = {10, 10, 100, 30};
    view.controlRects[ids::kMissedEvents] = {110, 10, 200, 30};
    program.start();
    const Rgb red{255, 0, 0};
    view.cursor = {100, 30};  // bottom-right edge counts as inside
    program.ticks(1);
    EXPECT_EQ(view.faces[ids::kFutureEvents], red);
    EXPECT_EQ(program.parts().window.buttons().highlighted, std::optional<std::size_t>(0));
    const int changes = view.faceChanges;
    program.ticks(1);
    EXPECT_EQ(view.faceChanges, changes);
    view.cursor = {150, 20};
    program.ticks(1);
    EXPECT_EQ(view.faces[ids::kFutureEvents], (Rgb{255, 239, 213}));
    EXPECT_EQ(view.faces[ids::kMissedEvents], red);
    program.dialog.onMouseMove();
    EXPECT_EQ(view.faces[ids::kMissedEvents], (Rgb{240, 255, 240}));
    EXPECT_EQ(program.parts().window.buttons().highlighted, std::nullopt);
    EXPECT_EQ(view.leaveTrackings, 1);
    program.dialog.onMouseLeave();
    EXPECT_EQ(view.faces[ids::kMissedEvents], red);
    program.dialog.onMouseMove();  // back on the dialog's surface: no highlight
    view.cursor = {5000, 20};      // outside the window: leave does nothing
    const int before = view.faceChanges;
    program.dialog.onMouseLeave();
    EXPECT_EQ(view.faceChanges, before);
    program.ticks(1);  // the tick has no highlight to clear
    EXPECT_EQ(view.faceChanges, before);
}

TEST(WindowMove, StoresThePositionOnceTheFirstPaintIsDone) {
    TestProgram program;
    program.dialog.onInitDialog();
    program.fake.view.window = {50, 60, 1050, 500};
    program.dialog.onMove();
    EXPECT_EQ(program.parts().window.startPosition().x, 0);
    program.dialog.onPaint();
    program.fake.view.window = {70, 80, 1070, 520};
    program.fake.view.controlRects[ids::kOpenHelp] = {75, 85, 120, 100};
    program.dialog.onMove();
    EXPECT_EQ(program.parts().window.startPosition().x, 70);
    EXPECT_EQ(program.parts().window.startPosition().y, 80);
    EXPECT_EQ(program.parts().window.buttons().rows[3].rect, (ScreenRect{75, 85, 120, 100}));
    // Minimising moves the window off the screen; that position is not kept.
    program.fake.view.minimized = true;
    program.fake.view.window = {-32000, -32000, -31000, -31560};
    program.dialog.onMove();
    EXPECT_EQ(program.parts().window.startPosition().x, 70);
    EXPECT_EQ(program.parts().window.startPosition().y, 80);
}

}  // namespace
}  // namespace tindlow
