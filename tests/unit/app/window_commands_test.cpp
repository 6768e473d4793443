#include <gtest/gtest.h>

#include "commands/command_menu.h"
#include "fakes/test_program.h"
#include "model/directory_layout.h"
#include "schedule/emitted_log.h"
#include "ui/control_ids.h"

namespace tindlow {
namespace {

const std::wstring kDates = L"C:\\P\\_SingleEvents\\Dates.csv";
const std::wstring kTeam = L"C:\\P\\_PeriodicEvents\\Team.csv";
const std::wstring kEmitted = L"C:\\P\\_EmittedReminders\\EmittedReminders.txt";
const std::wstring kTestKey = kTestReminderKey;
const std::wstring kTomorrow = L"[01.12.2026-10:00:00-123456789-987654321]";
const std::wstring kWeekly = L"[02.12.2026-10:00:00-123456789-987654322]";
const std::wstring kPast = L"[03.12.2026-10:00:00-123456789-987654323]";
const std::wstring kCall = L"[04.12.2026-10:00:00-123456789-987654324]";
const std::wstring kUnknown = L"[05.12.2026-10:00:00-123456789-987654325]";
constexpr const char* kHeader = "What;Text;Date;Time;Pre;Repeat;Interval;Key;Row\r\n";

std::string narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end());
}

// The program starts on Wednesday 09.12.2026 at 08:30:00. Dates.csv holds a single event
// tomorrow at 12:00 and one last Saturday at 09:00; Team.csv a weekly one on Fridays at 10:00.
// None of them is due today. With `dueCall`, a call at 08:24 today is given at the first tick.
struct Commands : TestProgram {
    explicit Commands(bool dueCall = false) {
        std::string dates = std::string(kHeader) + "Tomorrow;Dentist;10.12.2026;0,5;0;0;;" +
                            narrow(kTomorrow) + ";2\r\n" + "Past;Visit;05.12.2026;0,375;0;0;;" +
                            narrow(kPast) + ";3\r\n";
        if (dueCall) {
            dates += "Call;Bob;09.12.2026;0,35;0;0;;" + narrow(kCall) + ";4\r\n";
        }
        fake.files.addFile(kDates, dates);
        fake.files.addFile(kTeam, std::string(kHeader) +
                                      "Weekly;Team;04.12.2026;0,416666666666667;"
                                      "0;0;7;" +
                                      narrow(kWeekly) + ";2\r\n");
        start();
    }
    // Selects the last log line that contains the text.
    void select(const std::wstring& part) {
        fake.view.selectedLine = -1;
        for (std::size_t i = 0; i < logLines().size(); ++i) {
            if (logLines()[i].find(part) != std::wstring::npos) {
                fake.view.selectedLine = static_cast<int>(i);
            }
        }
        ASSERT_GE(fake.view.selectedLine, 0) << "no line with " << narrow(part);
    }
    // Logs a line that carries the key and selects it.
    void selectKey(const std::wstring& key) {
        dialog.parts().log.log(L"Event: x [Key: " + key + L"]");
        fake.view.selectedLine = static_cast<int>(logLines().size()) - 1;
    }
    std::size_t mark() const { return logLines().size(); }
    // The lines logged from `from` on, without their numbers.
    std::vector<std::wstring> logSince(std::size_t from) const {
        std::vector<std::wstring> lines;
        for (std::size_t i = from; i < logLines().size(); ++i) {
            const std::wstring& line = logLines()[i];
            const auto at = line.find(L"   ");
            lines.push_back(at == std::wstring::npos ? line : line.substr(at + 3));
        }
        return lines;
    }
    std::wstring selectedLine(MenuCommand command) const {
        return L"The Combo-box command '" +
               fake.view.combos.at(ids::kCommandMenu)[menuPlace(command)] + L"' was selected.";
    }
    // The text of the export opened last, its CR LF line ends read as "\n".
    std::wstring openedText() const {
        const std::string bytes = fake.files.fileBytes(fake.shell.opened.back()).value_or("");
        std::wstring text;
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
            const wchar_t c = static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) |
                                                   static_cast<unsigned char>(bytes[i + 1]) << 8);
            if (c != L'\r') {
                text += c;
            }
        }
        return text;
    }
    std::vector<std::wstring> boxTexts() const {
        std::vector<std::wstring> texts;
        for (const auto& box : fake.boxes.shown) {
            texts.push_back(box.text);
        }
        return texts;
    }
};

TEST(CommandMenu, TheChoiceIsLoggedBeforeTheCommandRuns) {
    Commands program;
    program.fake.processes.processes = {
        {4711, L"Tindlow.exe"}, {12, L"explorer.exe"}, {815, L"TindlowHelper.exe"}};
    const std::wstring dash(500, L'-');
    const struct {
        bool german;
        std::vector<std::wstring> lines;
    } kCases[] = {
        {false,
         {L"The following Tindlow instances are currently running: ",
          L"1) Tindlow Process ID = 4711", L"2) Tindlow Process ID = 815", dash}},
        {true,
         {L"Die folgenden Tindlow Instanzen laufen aktuell: ", L"1) Tindlow Prozess ID = 4711",
          L"2) Tindlow Prozess ID = 815", dash}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.german);
        if (c.german) {
            program.dialog.onButton(ids::kSwitchLanguage);
        }
        const std::size_t from = program.mark();
        program.choose(MenuCommand::ListRunningInstances);
        const std::wstring& text = program.fake.view.combos.at(ids::kCommandMenu)[0];
        std::vector<std::wstring> expected = {
            c.german ? L"Der Combo-Box Befehl '" + text + L"' wurde ausgew\u00e4hlt."
                     : L"The Combo-box command '" + text + L"' was selected."};
        expected.insert(expected.end(), c.lines.begin(), c.lines.end());
        EXPECT_EQ(program.logSince(from), expected);
        EXPECT_EQ(program.fake.view.comboSelections[ids::kCommandMenu], 0);
    }
}

TEST(CommandMenu, ATextOfNoCommandIsOnlyLogged) {
    Commands program;
    program.dialog.onButton(ids::kSwitchLanguage);
    auto& menu = program.fake.view.combos[ids::kCommandMenu];
    menu.push_back(L"20. Nothing");
    // The English text of command 1 while German is active.
    menu.push_back(englishTables().commandMenu[0]);
    const struct {
        int selection;
        const wchar_t* text;
    } kCases[] = {{-1, L""}, {19, L"20. Nothing"}, {20, englishTables().commandMenu[0].c_str()}};
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.selection);
        const std::size_t from = program.mark();
        program.fake.view.comboSelections[ids::kCommandMenu] = c.selection;
        program.dialog.onMenuChoice(ids::kCommandMenu);
        EXPECT_EQ(program.logSince(from),
                  std::vector<std::wstring>{L"Der Combo-Box Befehl '" + std::wstring(c.text) +
                                            L"' wurde ausgew\u00e4hlt."});
    }
    EXPECT_TRUE(program.fake.boxes.shown.empty());
}

TEST(CommandMenu, PopUpSignalLastsTwentyTicks) {
    Commands program;
    const std::size_t from = program.mark();
    program.choose(MenuCommand::PopUpHiddenInstances);
    EXPECT_EQ(program.logSince(from).size(), 1u);
    EXPECT_TRUE(program.fake.files.exists(kPopupSignalFile));
    program.fake.view.commands.clear();
    program.ticks(19);
    EXPECT_TRUE(program.fake.files.exists(kPopupSignalFile));
    EXPECT_FALSE(program.fake.view.commands.empty());
    program.ticks(1);
    EXPECT_FALSE(program.fake.files.exists(kPopupSignalFile));
}

TEST(CommandMenu, PopUpSignalWithoutTheTempDirectory) {
    for (const bool blocked : {false, true}) {
        SCOPED_TRACE(blocked);
        TestProgram program;
        // A file in its place keeps C:\Temp\ from being created at the start.
        program.fake.files.addFile(L"C:\\Temp");
        program.start();
        if (!blocked) {
            program.fake.files.deleteFile(L"C:\\Temp");
        }
        const std::size_t lines = program.logLines().size();
        program.fake.view.comboSelections[ids::kCommandMenu] = 1;
        program.dialog.onMenuChoice(ids::kCommandMenu);
        EXPECT_EQ(program.fake.files.exists(kPopupSignalFile), !blocked);
        // A signal that cannot be given is said, or the user waits for windows that never come.
        EXPECT_EQ(program.logLines().size(), lines + (blocked ? 2 : 1));
        EXPECT_EQ(
            program.logged(L"The file C:\\Temp\\PopupHiddenReminders.txt could not be written."),
            blocked);
        EXPECT_TRUE(program.fake.boxes.shown.empty());
    }
}

TEST(CommandMenu, SettingsAndInitializationFileAreReadAgain) {
    Commands program;
    program.fake.files.addFile(L"C:\\P\\_Settings\\Settings.txt",
                               "Language = German\r\nPreviewLookbackDays = 42\r\n");
    program.choose(MenuCommand::ReloadSettingsFile);
    EXPECT_TRUE(program.logged(L"Read/Lese C:\\P\\_Settings\\Settings.txt:\n"));
    EXPECT_EQ(program.parts().daysInput.days(), 42);
    // Taken, not applied: the language changes at the next switch or start.
    EXPECT_EQ(program.parts().language.name(), L"German");
    EXPECT_EQ(program.fake.view.combos[ids::kCommandMenu][0], englishTables().commandMenu[0]);

    program.fake.files.addFile(L"C:\\P\\_IniFile\\IniFile.csv", "30;[ExecutionLoop]\r\n");
    program.choose(MenuCommand::ReloadInitializationFile);
    EXPECT_TRUE(program.logged(L"Reading C:\\P\\_IniFile\\IniFile.csv:"));
    EXPECT_EQ(program.parts().events.ini().executionLoopPeriod, 60);
    EXPECT_FALSE(program.fake.view.ended);

    // Without the file the reason is shown and the program runs on with what it has.
    program.fake.files.deleteFile(L"C:\\P\\_IniFile\\IniFile.csv");
    program.choose(MenuCommand::ReloadInitializationFile);
    ASSERT_EQ(program.fake.boxes.shown.size(), 1u);
    EXPECT_EQ(program.fake.boxes.shown[0].caption, L"GetLastError");
    EXPECT_FALSE(program.fake.view.ended);
    EXPECT_EQ(program.parts().events.ini().executionLoopPeriod, 60);
}

TEST(CommandMenu, ReloadOfAllDataFilesKeepsTheDaysReminderState) {
    Commands program(true);
    program.ticks(1);
    ASSERT_EQ(program.fake.boxes.shown.size(), 1u);
    program.fake.files.addFile(L"C:\\P\\_SingleEvents\\New.csv",
                               std::string(kHeader) + "New;x;10.12.2026;0;0;0;;[new];2\r\n");
    const std::size_t from = program.mark();
    program.choose(MenuCommand::ReloadAllDataFiles);
    const auto lines = program.logSince(from);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[1], program.parts().dashLine);
    EXPECT_FALSE(program.logged(L"The 'Reload Dates' button was pressed."));
    EXPECT_NE(program.dialog.parts().events.complete().find(L"[new]"), nullptr);
    EXPECT_TRUE(program.logged(L"Reading C:\\P\\_SingleEvents\\New.csv:"));
    program.ticks(4);
    EXPECT_EQ(program.fake.boxes.shown.size(), 1u);
}

TEST(CommandMenu, LogListToTheClipboard) {
    const struct {
        ClipboardResult result;
        const wchar_t* box;
    } kCases[] = {
        {ClipboardResult::Ok, L""},
        {ClipboardResult::OpenFailed, L"Cannot open the clipboard"},
        {ClipboardResult::EmptyFailed, L"Cannot empty the clipboard"},
        {ClipboardResult::AllocFailed, L"Unable to insert clipboard data"},
        {ClipboardResult::SetFailed, L"Unable to insert clipboard data"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(narrow(c.box));
        Commands program;
        program.fake.clipboard.result = c.result;
        const std::size_t from = program.mark();
        program.choose(MenuCommand::CopyLogListToClipboard);
        EXPECT_EQ(program.logSince(from).size(), 1u);
        EXPECT_EQ(program.parts().feedback.errorBoxCount(), 0);
        if (c.result == ClipboardResult::Ok) {
            EXPECT_TRUE(program.fake.boxes.shown.empty());
            const std::wstring& copied = program.fake.clipboard.content;
            EXPECT_EQ(copied, program.dialog.parts().log.content());
            // The command's own line comes last, followed by a line feed only.
            EXPECT_TRUE(copied.ends_with(program.selectedLine(MenuCommand::CopyLogListToClipboard) +
                                         L"\n"));
            EXPECT_EQ(copied.find(L'\r'), std::wstring::npos);
        } else {
            ASSERT_EQ(program.fake.boxes.shown.size(), 1u);
            EXPECT_EQ(program.fake.boxes.shown[0].text, c.box);
        }
    }
}

TEST(CommandMenu, AnEmptyLogListIsCopiedAsAnEmptyText) {
    Commands program;
    program.fake.view.checked[ids::kStopEntries] = true;
    program.dialog.onButton(ids::kStopEntries);
    program.dialog.onButton(ids::kClearListbox);
    program.fake.clipboard.content = L"before";
    program.choose(MenuCommand::CopyLogListToClipboard);
    EXPECT_EQ(program.fake.clipboard.content, L"");
    EXPECT_TRUE(program.fake.boxes.shown.empty());
}

TEST(CommandMenu, ExportsOpenInTheEditor) {
    const struct {
        MenuCommand command;
        const wchar_t* suffix;
        bool reportsFailedOpen;
    } kCases[] = {
        {MenuCommand::ShowLogListInEditor, L" ListboxContent.txt", true},
        {MenuCommand::CompleteDictionaryReport, L" CompleteDictionaryContent.txt", false},
        {MenuCommand::TodaysDictionaryReport, L" TodaysDictionaryContent.txt", false},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(static_cast<int>(c.command));
        Commands program;
        program.choose(c.command);
        ASSERT_EQ(program.fake.shell.opened.size(), 1u);
        const std::wstring& path = program.fake.shell.opened[0];
        EXPECT_TRUE(path.starts_with(L"C:\\P\\_Exports\\2026-12-09_08.30.00"));
        EXPECT_TRUE(path.ends_with(c.suffix));
        if (c.command == MenuCommand::ShowLogListInEditor) {
            EXPECT_TRUE(program.openedText().ends_with(
                program.selectedLine(MenuCommand::ShowLogListInEditor) + L"\n"));
        }
        program.fake.shell.result = 2;
        program.fake.shell.error = 5;
        const std::size_t from = program.mark();
        program.choose(c.command);
        const auto lines = program.logSince(from);
        EXPECT_EQ(lines.size(), c.reportsFailedOpen ? 2u : 1u);
        EXPECT_EQ(lines.back() == L"An error has occurred. The Windows error code was: 5",
                  c.reportsFailedOpen);
    }
}

TEST(CommandMenu, LastRemindersNewestFirst) {
    Commands program;
    for (int i = 0; i < 3; ++i) {
        program.choose(MenuCommand::CreateTestReminder);
        program.ticks(6);
    }
    const auto& ring = program.dialog.parts().reminders.lastReminders().texts;
    const std::vector<std::wstring> emitted = {ring[2], ring[1], ring[0]};
    ASSERT_FALSE(emitted[0].empty());
    ASSERT_NE(emitted[0], emitted[1]);
    const std::wstring text =
        L"1) " + emitted[0] + L"\n2) " + emitted[1] + L"\n3) " + emitted[2] + L"\n";
    const std::size_t boxes = program.fake.boxes.shown.size();

    std::size_t from = program.mark();
    program.choose(MenuCommand::ShowLastReminders);
    std::vector<std::wstring> expected = {program.selectedLine(MenuCommand::ShowLastReminders),
                                          emitted[0], emitted[1], emitted[2],
                                          program.parts().dashLine};
    EXPECT_EQ(program.logSince(from), expected);
    ASSERT_EQ(program.fake.boxes.shown.size(), boxes + 1);
    EXPECT_EQ(program.fake.boxes.shown.back().text, text);
    EXPECT_EQ(program.fake.boxes.shown.back().icon, BoxIcon::Information);
    EXPECT_EQ(program.parts().feedback.errorBoxCount(), 0);

    from = program.mark();
    program.choose(MenuCommand::ShowLastRemindersInEditor);
    expected[0] = program.selectedLine(MenuCommand::ShowLastRemindersInEditor);
    EXPECT_EQ(program.logSince(from), expected);
    EXPECT_TRUE(program.fake.shell.opened.back().ends_with(L" Reminders.txt"));
    EXPECT_EQ(program.openedText(), text);
}

TEST(CommandMenu, LastRemindersWhenNoneWasGiven) {
    Commands program;
    for (const MenuCommand command :
         {MenuCommand::ShowLastReminders, MenuCommand::ShowLastRemindersInEditor,
          MenuCommand::ShowLastReminders, MenuCommand::ShowLastRemindersInEditor,
          MenuCommand::ShowLastReminders, MenuCommand::ShowLastRemindersInEditor}) {
        SCOPED_TRACE(static_cast<int>(command));
        const std::size_t from = program.mark();
        const std::size_t boxes = program.fake.boxes.shown.size();
        program.choose(command);
        EXPECT_EQ(program.logSince(from).size(), 1u);
        // Counted: the sixth error box of the run is no longer shown.
        const bool shown = program.parts().feedback.errorBoxCount() <= 5;
        ASSERT_EQ(program.fake.boxes.shown.size(), boxes + (shown ? 1 : 0));
        if (shown) {
            EXPECT_EQ(program.fake.boxes.shown.back().text,
                      L"Sorry, but the last reminders list was empty.");
        }
    }
    EXPECT_EQ(program.fake.boxes.shown.size(), 5u);
    EXPECT_TRUE(program.fake.shell.opened.empty());
}

TEST(CommandMenu, TheRingKeepsTheLast256) {
    LastReminders ring;
    for (int i = 0; i < 300; ++i) {
        ring.add(L"r" + std::to_wstring(i));
    }
    const LastRemindersOutput output = lastRemindersOutput(ring);
    ASSERT_EQ(output.lines.size(), 256u);
    EXPECT_EQ(output.lines.front(), L"r299");
    EXPECT_EQ(output.lines.back(), L"r44");
    EXPECT_TRUE(output.text.starts_with(L"1) r299\n2) r298\n"));
    EXPECT_TRUE(output.text.ends_with(L"\n256) r44\n"));
    EXPECT_TRUE(lastRemindersOutput(LastReminders{}).lines.empty());
}

TEST(CommandMenu, PreviewAndLookBackOfOneFile) {
    const struct {
        MenuCommand command;
        const wchar_t* key;
        const wchar_t* trigger;
        const wchar_t* suffix;
    } kCases[] = {
        {MenuCommand::PreviewOfSelectedFile, kTomorrow.c_str(),
         L"[Trigger Date: 10.12.2026 12:00:00]", L" Preview.txt"},
        {MenuCommand::LookBackOfSelectedFile, kPast.c_str(), L"[Trigger Date: 05.12.2026 09:00:00]",
         L" Loop-back.txt"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(static_cast<int>(c.command));
        Commands program;
        program.select(L"Reading " + kDates + L":");
        const std::size_t from = program.mark();
        program.choose(c.command);
        const auto lines = program.logSince(from);
        // Only the file's entries, and no button message: the weekly entry of Team.csv falls
        // on a day of both runs, on Friday 11.12. and on Friday 04.12.
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_TRUE(lines[1].starts_with(L"01) Event: "));
        EXPECT_NE(lines[1].find(c.trigger), std::wstring::npos);
        EXPECT_TRUE(lines[1].ends_with(L"[Key: " + std::wstring(c.key) + L"]\n"));
        EXPECT_TRUE(program.fake.shell.opened.back().ends_with(c.suffix));
    }
}

TEST(CommandMenu, FilePreviewNeedsAFileLine) {
    Commands program;
    const std::size_t from = program.mark();
    program.choose(MenuCommand::PreviewOfSelectedFile);
    EXPECT_EQ(program.logSince(from).back(),
              L"Sorry, but the selected listbox line does not contain a file name. The selected "
              L"line was: \nNo listbox entry was selected.");
    // A file line logged in English is not one once German is active.
    program.select(L"Reading " + kDates + L":");
    const std::wstring line =
        program.logLines()[static_cast<std::size_t>(program.fake.view.selectedLine)];
    program.dialog.onButton(ids::kSwitchLanguage);
    program.choose(MenuCommand::LookBackOfSelectedFile);
    EXPECT_EQ(program.lastLog(),
              L"Der ausgew\u00e4hlte Listbox Eintrag enth\u00e4lt leider keinen Dateinamen. Die "
              L"ausgew\u00e4hlte Zeile war: \n" +
                  line);
    EXPECT_TRUE(program.fake.shell.opened.empty());
}

TEST(CommandMenu, KeyLineOpensTheWorkbookOfItsFile) {
    Commands program(true);
    program.ticks(1);
    ASSERT_EQ(program.fake.boxes.shown.size(), 1u);
    program.selectKey(kTomorrow);
    const std::size_t from = program.mark();
    program.choose(MenuCommand::OpenFileOfSelectedKey);
    const std::vector<std::wstring> expected = {
        program.selectedLine(MenuCommand::OpenFileOfSelectedKey),
        L"The identified file path and name is: C:\\P\\_SingleEvents\\Dates.xlsm",
        L"The row number is: 2", L"The reminder key is: " + kTomorrow, program.parts().dashLine};
    EXPECT_EQ(program.logSince(from), expected);
    EXPECT_EQ(program.fake.shell.opened.back(), L"C:\\P\\_SingleEvents\\Dates.xlsm");
    // The files were read anew without a trace in the log list, and the reminder given before
    // the lookup is not given again.
    EXPECT_NE(program.dialog.parts().events.complete().find(kWeekly), nullptr);
    program.ticks(4);
    EXPECT_EQ(program.fake.boxes.shown.size(), 1u);

    program.fake.shell.result = 2;
    program.fake.shell.error = 2;
    program.selectKey(kWeekly);
    program.choose(MenuCommand::OpenFileOfSelectedKey);
    EXPECT_EQ(program.fake.shell.opened.back(), L"C:\\P\\_PeriodicEvents\\Team.xlsm");
    EXPECT_EQ(program.lastLog(), L"An error has occurred. The Windows error code was: 2");
}

TEST(CommandMenu, KeyLookupFailures) {
    Commands program;
    program.selectKey(kUnknown);
    const std::wstring unknownLine = program.logLines().back();
    program.choose(MenuCommand::OpenFileOfSelectedKey);
    program.select(L"The Combo-box command '14.");
    const std::wstring wrongLine =
        program.logLines()[static_cast<std::size_t>(program.fake.view.selectedLine)];
    for (const MenuCommand command :
         {MenuCommand::OpenFileOfSelectedKey, MenuCommand::NextEventOfSelectedKey,
          MenuCommand::LastEventOfSelectedKey}) {
        program.choose(command);
    }
    program.fake.view.selectedLine = -1;
    program.choose(MenuCommand::NextEventOfSelectedKey);
    const std::wstring wrong =
        L"Sorry, but you have selected a wrong line. It does not contain a valid reminder key "
        L"(a long random string).\n";
    const std::vector<std::wstring> expected = {
        L"Sorry, but a corresponding event file could not be identified. Your listbox selection "
        L"was: \n" +
            unknownLine,
        wrong + wrongLine, wrong + wrongLine, wrong + wrongLine,
        wrong + L"No listbox entry was selected."};
    EXPECT_EQ(program.boxTexts(), expected);
    EXPECT_EQ(program.parts().feedback.errorBoxCount(), 5);
    EXPECT_TRUE(program.fake.shell.opened.empty());
}

TEST(CommandMenu, NextAndLastEventOfAKey) {
    const std::wstring notFound =
        L"The reminder-key was found, but unfortunately the next/last event could not be "
        L"determined.";
    const struct {
        MenuCommand command;
        std::wstring key;
        std::wstring result;  // the line, or the box when nothing was found
    } kCases[] = {
        {MenuCommand::NextEventOfSelectedKey, kWeekly,
         L"Event: Weekly Team [Input Date: 04.12.2026] [Trigger Date: 11.12.2026 10:00:00] [File: "
         L"C:\\P\\_PeriodicEvents\\Team.csv] [Line: 2] [Key: " +
             kWeekly + L"]"},
        {MenuCommand::LastEventOfSelectedKey, kWeekly, L"[Trigger Date: 04.12.2026 10:00:00]"},
        {MenuCommand::NextEventOfSelectedKey, kPast, notFound},
        {MenuCommand::LastEventOfSelectedKey, kPast, L"[Trigger Date: 05.12.2026 09:00:00]"},
        {MenuCommand::LastEventOfSelectedKey, kTomorrow, notFound},
        // The test reminder lives in today's dictionary only.
        {MenuCommand::NextEventOfSelectedKey, kTestKey, notFound},
        {MenuCommand::NextEventOfSelectedKey, kUnknown, notFound},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(c.command) << " " << narrow(c.key));
        Commands program;
        program.choose(MenuCommand::CreateTestReminder);
        program.selectKey(c.key);
        const std::size_t entries = program.dialog.parts().events.complete().size();
        const std::size_t from = program.mark();
        program.choose(c.command);
        ASSERT_EQ(program.fake.boxes.shown.size(), 1u);
        const std::wstring& box = program.fake.boxes.shown[0].text;
        const auto lines = program.logSince(from);
        if (c.result == notFound) {
            EXPECT_EQ(box, notFound);
            EXPECT_EQ(lines.size(), 1u);
        } else {
            ASSERT_EQ(lines.size(), 2u);
            EXPECT_EQ(box, lines[1]);
            EXPECT_NE(box.find(c.result), std::wstring::npos);
            EXPECT_NE(program.dialog.parts().events.complete().find(c.key)->triggerEventTimeSec,
                      0.0);
        }
        EXPECT_EQ(program.parts().feedback.errorBoxCount(), 1);
        EXPECT_EQ(program.dialog.parts().events.complete().size(), entries);
    }
}

TEST(CommandMenu, NextEventOnlyLoggedOnceTheBoxBudgetIsSpent) {
    Commands program;
    spendErrorBoxBudget(program);
    program.selectKey(kWeekly);
    program.choose(MenuCommand::NextEventOfSelectedKey);
    EXPECT_TRUE(program.fake.boxes.shown.empty());
    EXPECT_NE(program.lastLog().find(L"[Trigger Date: 11.12.2026 10:00:00]"), std::wstring::npos);
}

TEST(CommandMenu, TestReminderIsGivenAndNeverSaved) {
    Commands program;
    const std::size_t from = program.mark();
    program.choose(MenuCommand::CreateTestReminder);
    EXPECT_EQ(program.logSince(from).size(), 1u);
    const ReminderEntry* entry = program.dialog.parts().events.today().find(kTestKey);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->sFile, L"17. Create a Test-Reminder");
    EXPECT_EQ(entry->sWhat, L"The user has triggered a test-reminder.");
    EXPECT_EQ(program.dialog.parts().events.complete().find(kTestKey), nullptr);

    program.ticks(6);
    ASSERT_EQ(program.boxTexts(),
              std::vector<std::wstring>{L"Event: The user has triggered a test-reminder.\n"});
    EXPECT_TRUE(
        program.logged(L"[File: 17. Create a Test-Reminder] [Line: -] [Key: " + kTestKey + L"]"));
    const std::string saved = program.fake.files.fileBytes(kEmitted).value_or("");
    EXPECT_EQ(saved.find(narrow(kTestKey)), std::string::npos);

    // Once more: the new entry starts without emitted reminders.
    program.ticks(6);
    EXPECT_EQ(program.fake.boxes.shown.size(), 1u);
    program.choose(MenuCommand::CreateTestReminder);
    program.ticks(6);
    EXPECT_EQ(program.fake.boxes.shown.size(), 2u);

    // Today's report shows it, the complete one does not.
    program.choose(MenuCommand::CompleteDictionaryReport);
    EXPECT_EQ(program.openedText().find(kTestKey), std::wstring::npos);
    program.choose(MenuCommand::TodaysDictionaryReport);
    EXPECT_NE(program.openedText().find(kTestKey), std::wstring::npos);
}

TEST(CommandMenu, DateSimulation) {
    Commands program;
    program.fake.files.addFile(L"C:\\P\\_PeriodicEvents\\Family.csv",
                               std::string(kHeader) +
                                   "Anna;(%diff);24.12.1957;0;0;0;365;[b1];2\r\n"
                                   "Daily;walk;01.12.2025;0,5;0;0;1;[b2];3\r\n");
    program.choose(MenuCommand::ReloadAllDataFiles);
    const std::wstring family = L"[File: C:\\P\\_PeriodicEvents\\Family.csv]";
    const struct {
        const wchar_t* field;
        std::vector<std::wstring> lines;
    } kCases[] = {
        {L" 24.12.2025 ",
         {L"Date Simulation: 24.12.2025\n",
          L"01) Event: Anna (68) [Input Date: 24.12.1957] [Trigger Date: 24.12.2025 00:00:00] " +
              family + L" [Line: 2] [Key: [b1]]\n",
          L"02) Event: Daily walk [Input Date: 01.12.2025] [Trigger Date: 24.12.2025 12:00:00] " +
              family + L" [Line: 3] [Key: [b2]]\n"}},
        // Not a calendar date, but of the right form: the day that its number denotes.
        {L"31.02.2025",
         {L"Date Simulation: 31.02.2025\n",
          L"01) Event: Daily walk [Input Date: 01.12.2025] [Trigger Date: 03.03.2025 12:00:00] " +
              family + L" [Line: 3] [Key: [b2]]\n"}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(narrow(c.field));
        program.fake.view.texts[ids::kDaysField] = c.field;
        const std::size_t from = program.mark();
        program.choose(MenuCommand::SimulateDate);
        std::vector<std::wstring> expected = {program.selectedLine(MenuCommand::SimulateDate)};
        expected.insert(expected.end(), c.lines.begin(), c.lines.end());
        EXPECT_EQ(program.logSince(from), expected);
        EXPECT_TRUE(program.fake.shell.opened.back().ends_with(L" DateSimulation.txt"));
        std::wstring text;
        for (const std::wstring& line : c.lines) {
            text += line.ends_with(L"\n") ? line : line + L"\n";
        }
        EXPECT_EQ(program.openedText(), text);
    }
}

TEST(CommandMenu, DateSimulationOfADayWithoutEvents) {
    Commands program;
    program.dialog.onButton(ids::kSwitchLanguage);
    program.fake.view.texts[ids::kDaysField] = L"24.12.2025";
    const std::size_t from = program.mark();
    program.choose(MenuCommand::SimulateDate);
    const auto lines = program.logSince(from);
    const std::vector<std::wstring> expected = {
        L"Simulation eines Datums: 24.12.2025\n",
        L"F\u00fcr den simulierten Tag wurden keine Ereignisse gefunden."};
    EXPECT_EQ(std::vector<std::wstring>(lines.begin() + 1, lines.end()), expected);
    EXPECT_TRUE(program.fake.shell.opened.back().ends_with(L" DatumSimulation.txt"));
    EXPECT_EQ(program.openedText(), expected[0] + expected[1]);
}

TEST(CommandMenu, DateSimulationNeedsADate) {
    Commands program;
    for (const wchar_t* field : {L"", L"11", L"24.12.25", L"24-12-2025", L"2024.12.24"}) {
        SCOPED_TRACE(narrow(field));
        program.fake.view.texts[ids::kDaysField] = field;
        const std::size_t from = program.mark();
        program.choose(MenuCommand::SimulateDate);
        EXPECT_EQ(program.logSince(from).size(), 1u);
    }
    EXPECT_EQ(
        program.boxTexts(),
        std::vector<std::wstring>(5, L"Error in the input date. The command cannot be executed."));
    EXPECT_TRUE(program.fake.shell.opened.empty());
}

TEST(CommandMenu, TickCountOfTheLatestTick) {
    Commands program;
    program.fake.clock.setTickCount(5000000000ull);
    program.ticks(1);
    program.fake.clock.setTickCount(7);
    program.choose(MenuCommand::ShowTickCount);
    program.choose(MenuCommand::ShowTickCount);
    const std::wstring line = L"Tick-count value since computer start (milli seconds): 5000000500";
    const auto lines = program.logSince(program.mark() - 4);
    EXPECT_EQ(lines[1], line);
    EXPECT_EQ(lines[3], line);
}

}  // namespace
}  // namespace tindlow
