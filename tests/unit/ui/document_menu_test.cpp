#include <gtest/gtest.h>

#include "fakes/test_program.h"
#include "ui/control_ids.h"
#include "ui/document_menu.h"

namespace tindlow {
namespace {

TEST(DocumentMenu, LinesAreNumberedWithoutGaps) {
    EventFileLists lists;
    lists.singleEvents = {L"Dates.csv", L"Plan.csv.csv"};
    lists.periodicEvents = {L"Birthdays.csv"};
    const auto lines = documentMenuLines(englishTables(), lists);
    ASSERT_EQ(lines.size(), 18u);
    EXPECT_EQ(lines[0], L"1. Open the Settings File");
    EXPECT_EQ(lines[3], L"4. Open the _SingleEvents File: Dates.xlsm");
    EXPECT_EQ(lines[4], L"5. Open the _SingleEvents File: Plan.xlsm.xlsm");
    EXPECT_EQ(lines[5], L"6. Open the _PeriodicEvents File: Birthdays.xlsm");
    EXPECT_EQ(lines[6], L"7. Open the Help.pdf File");
    EXPECT_EQ(lines[17], L"18. Open the configured Network Path");
    EXPECT_EQ(documentMenuLines(germanTables(), EventFileLists{}).size(), 15u);
}

TEST(DocumentMenu, ChoiceOpensTheNamedTarget) {
    const DirectoryLayout paths = composeLayout(L"C:\\P");
    const struct {
        const wchar_t* selected;
        const wchar_t* path;
        int networkState;
        std::optional<int> message;
    } kCases[] = {
        {L"1. Open the Settings File", L"C:\\P\\_Settings\\Settings.txt", 0, std::nullopt},
        {L"2. Open the Initialization File", L"C:\\P\\_IniFile\\IniFile.xlsm", 0, std::nullopt},
        {L"4. Open the _SingleEvents File: Dates.xlsm", L"C:\\P\\_SingleEvents\\Dates.xlsm", 0,
         std::nullopt},
        {L"5. Open the _NetworkEvents File: N.xlsm", L"\\\\s\\e\\N.xlsm", 3, std::nullopt},
        {L"9. Open the Tindlow Main Directory", L"C:\\P", 0, std::nullopt},
        {L"15. Open the configured Network Path", L"\\\\s\\e\\", 2, std::nullopt},
        {L"15. Open the configured Network Path", L"", 0, 7},
        {L"15. Open the configured Network Path", L"", 1, 8},
        {L"", L"", 0, std::nullopt},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.selected);
        const DocumentChoice choice = documentChoice(
            c.selected, englishTables(), paths, L"\\\\s\\e\\", NetworkPathState{c.networkState});
        EXPECT_EQ(choice.path, c.path);
        EXPECT_EQ(choice.message, c.message);
    }
}

TEST(DocumentMenu, FilledAtStartAndAfterASwitchAndReportsAFailedOpen) {
    TestProgram program;
    program.fake.files.addFile(L"C:\\P\\_SingleEvents\\Dates.csv", "h\r\n");
    program.start();
    auto& menu = program.fake.view.combos[ids::kDocumentMenu];
    ASSERT_EQ(menu.size(), 16u);
    EXPECT_EQ(menu[3], L"4. Open the _SingleEvents File: Dates.xlsm");
    program.fake.view.comboSelections[ids::kDocumentMenu] = 3;
    program.fake.shell.result = 2;
    program.fake.shell.error = 2;
    program.dialog.onMenuChoice(ids::kDocumentMenu);
    EXPECT_TRUE(program.logged(
        L"The Combo-box command '4. Open the _SingleEvents File: Dates.xlsm' was selected."));
    EXPECT_EQ(program.fake.shell.opened.back(), L"C:\\P\\_SingleEvents\\Dates.xlsm");
    EXPECT_EQ(program.lastLog(), L"An error has occurred. The Windows error code was: 2");
    program.dialog.onButton(ids::kSwitchLanguage);
    EXPECT_EQ(menu[0], L"1. \u00d6ffne die Einstellungen-Datei");
}

}  // namespace
}  // namespace tindlow
