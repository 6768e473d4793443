// `tindlow check`: every problem of a program directory at once, each with file and line.

#include <gtest/gtest.h>

#include "cli_test_harness.h"
#include "golden/example_files.h"

namespace tindlow {
namespace {

const char* const kHeader = "What;Text;Date;Time;Pretrigger [min];Repeat;Interval;Key;Row\r\n";

TEST(CheckCommand, TheExampleDirectoryHasNoProblem) {
    CliHarness cli;
    ASSERT_TRUE(addExampleFiles(cli.files, L"C:\\P"));
    const CliRun run = cli.run({"check"});
    EXPECT_EQ(run.out, "No problems found.\n");
    EXPECT_EQ(run.status, kExitDone);
}

// One directory with one problem of every kind; each is listed with its file and line, and none
// is lost to the five boxes a window shows.
TEST(CheckCommand, ListsEveryProblemWithFileAndLine) {
    CliHarness cli;
    cli.files.addFile(L"C:\\P\\_Settings\\Settings.txt",
                      "Language = Klingon\r\nlanguage = German\r\nStartPosition = 10 20\r\n"
                      "PreviewLookbackDays = 5000\r\n");
    cli.files.addFile(L"C:\\P\\_IniFile\\IniFile.csv",
                      "Value;Key;Meaning\r\n9999;[ExecutionLoop];x\r\n0;[RemindHours];x\r\n"
                      "2;[WindowSize];x\r\n");
    std::string lines = kHeader;
    lines += "Walk;;10.12.2026;0,5;0;0;every week;[k-2];2\r\n";
    lines += "Pay;;31.02.2026;0,5;0;0;30;[k-3];3\r\n";
    lines += "Pay again;;01.03.2026;0,5;0;0;30;[k-3];4\r\n";
    lines += "Daily;;01.12.2026;0,5;2000;1;1;[k-5];5\r\n";
    lines += "Long;" + std::string(1200, 'x') + ";01.12.2026;0,5;0;0;7;[k-6];6\r\n";
    for (int i = 0; i < 6; ++i) {  // more refusals than a window shows boxes
        lines += "Bad" + std::to_string(i) + ";;01.12.2026;0,5;0;0;?;[b-" + std::to_string(i) +
                 "];9\r\n";
    }
    lines += "Tax;;01.12.2026;0,5;0;0;365;[k<@@@>14];14\r\n";
    lines += "Never;;01.12.2026;0,5;0;0; mwd1;[k-15];15\r\n";
    cli.files.addFile(L"C:\\P\\_PeriodicEvents\\Bad.csv", lines);
    cli.files.addFile(L"C:\\P\\_SingleEvents\\Locked.csv", kHeader);
    cli.files.lock(L"C:\\P\\_SingleEvents\\Locked.csv");

    const CliRun run = cli.run({"--lang", "en", "check"});
    EXPECT_EQ(run.status, kExitProblemsFound);
    const std::string settings = "C:\\P\\_Settings\\Settings.txt, line ";
    const std::string ini = "C:\\P\\_IniFile\\IniFile.csv, line ";
    const std::string bad = "C:\\P\\_PeriodicEvents\\Bad.csv, line ";
    const std::vector<std::string> expected = {
        settings +
            "1: the language \"Klingon\" is neither English nor German; the window shows German",
        settings + "2: the window knows no such setting",
        settings + "3: the start position needs two numbers separated by a comma",
        settings + "4: the number of days must be from 1 to 1000",
        ini + "2: [ExecutionLoop] takes 1 to 3600, not \"9999\"; the nearest limit is used",
        ini + "3: [RemindHours] takes 1 to 23999, not \"0\"",
        "C:\\P\\_SingleEvents\\Locked.csv: the file cannot be read",
        bad + "2: Incorrect entry in interval column.",
        "every week; Invalid characters = every week",
        bad +
            "3: the date \"31.02.2026\" is not a date of the form DD.MM.YYYY; the line is "
            "computed as if it were 03.03.2026",
        bad +
            "4: the reminder key [k-3] is used before, in C:\\P\\_PeriodicEvents\\Bad.csv line "
            "3; only this later line is kept",
        bad + "5: ",
        bad +
            "6: the line has 1234 characters; only 998 are read as one line, so it is read "
            "as 2 lines (to line 7)",
        bad + "7: Incorrect entry in interval column.",
        bad + "13: Incorrect entry in interval column.",
        bad + "14: The reminder key of this line contains \"<@@@>\"",
        bad +
            "15: the interval \"mwd1\" repeats every 0 days or months, so the line never "
            "reminds; write a number of days other than 0 (for example 7, 30mwd1 or 14abs), or "
            "leave the column empty for an event that does not repeat",
        "21 problems found.\n",
    };
    for (const std::string& line : expected) {
        EXPECT_NE(run.out.find(line), std::string::npos) << line << "\n--- output:\n" << run.out;
    }
    EXPECT_EQ(run.out.find("[WindowSize]"), std::string::npos) << run.out;
}

}  // namespace
}  // namespace tindlow
