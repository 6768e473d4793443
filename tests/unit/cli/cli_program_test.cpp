// The command-line program over the example program directory and over small broken ones.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "cli/utf8_text.h"
#include "cli_test_harness.h"
#include "golden/example_files.h"
#include "golden/golden_file.h"

namespace tindlow {
namespace {

// The text of a window export (UTF-16LE with byte order mark, CR LF) as the command line
// writes it: UTF-8 with the line ends of the text itself.
std::string exportText(const std::string& bytes) {
    std::wstring text;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
        text += static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) |
                                     (static_cast<unsigned char>(bytes[i + 1]) << 8));
    }
    std::wstring lf;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!(text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n')) {
            lf += text[i];
        }
    }
    return utf8FromWide(lf);
}

std::string goldenExport(const std::string& name) {
    std::ifstream in(golden::goldenDirectory() / name, std::ios::binary);
    return exportText(
        std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
}

struct ExampleDirectory : CliHarness {
    explicit ExampleDirectory(const std::string& language = "English") {
        EXPECT_TRUE(addExampleFiles(files, L"C:\\P"));
        files.addFile(L"C:\\P\\_Settings\\Settings.txt", "Language = " + language + "\r\n");
    }
};

// The window's exports of the example directory at the golden moment, made by the command line.
TEST(CommandLine, WritesTheTextOfTheWindowsExports) {
    struct Case {
        std::vector<std::string> arguments;
        std::string golden;
    };
    const Case cases[] = {
        {{"preview", "30"}, "future-30-days.txt"},
        {{"lookback", "30"}, "missed-30-days.txt"},
        {{"simulate", "03.02.2027"}, "date-simulation-03.02.2027.txt"},
        {{"report", "complete"}, "complete-dictionary.txt"},
        {{"report", "today"}, "todays-dictionary.txt"},
    };
    for (const std::string prefix : {"en", "de"}) {
        for (const Case& c : cases) {
            // The language once from the settings file, once from --lang over the other one.
            for (const bool byOption : {false, true}) {
                const bool german = prefix == "de";
                ExampleDirectory directory(german != byOption ? "German" : "English");
                std::vector<std::string> arguments;
                if (byOption) {
                    arguments = {"--lang", prefix};
                }
                arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
                const CliRun run = directory.run(arguments);
                SCOPED_TRACE(prefix + " " + c.arguments[0] + (byOption ? " --lang" : ""));
                EXPECT_EQ(run.status, kExitDone) << run.err;
                EXPECT_EQ(run.err, "");
                EXPECT_TRUE(golden::compareOutput(prefix + "-" + c.golden,
                                                  goldenExport(prefix + "-" + c.golden), run.out));
            }
        }
    }
}

// Beside a running window: nothing in the directory is created, written or deleted, not even the
// settings file the window would write or the outdated lines the window would drop.
TEST(CommandLine, LeavesTheProgramDirectoryAsItWas) {
    CliHarness directory;
    ASSERT_TRUE(addExampleFiles(directory.files, L"C:\\P"));
    directory.files.addFile(L"C:\\P\\_EmittedReminders\\EmittedReminders.txt",
                            "[old-key]<@@@>01.01.2020 10:00:00<@@@>0x00000001<@@@>Old\r\n");
    const auto before = directory.files.files();
    const auto paths = directory.files.paths();
    const std::vector<std::vector<std::string>> commands = {
        {"preview"},
        {"lookback", "5"},
        {"simulate", "24.12.2026"},
        {"report", "complete"},
        {"report", "today"},
        {"check"},
        {"next", "[02.01.2026-18:00:00-300000001-400000001]"},
        {"--help"}};
    for (const auto& arguments : commands) {
        const CliRun run = directory.run(arguments);
        EXPECT_LE(run.status, kExitProblemsFound) << arguments[0] << run.err;
        EXPECT_EQ(directory.files.files(), before) << arguments[0];
        EXPECT_EQ(directory.files.paths(), paths) << arguments[0];
    }
}

TEST(CommandLine, RefusesWrongArgumentsWithUsage) {
    struct Case {
        std::vector<std::string> arguments;
        std::string error;
    };
    const Case cases[] = {
        {{}, "no command given"},
        {{"frobnicate"}, "no such command: frobnicate"},
        {{"--lang", "fr", "preview"}, "--lang takes en or de, not fr"},
        {{"--now", "2026-12-09 08:30:00", "preview"}, "--now takes a local time"},
        {{"--now", "30.02.2026 08:30:00", "preview"}, "--now takes a local time"},
        {{"--now", "29.02.2100 24:00:00", "preview"}, "--now takes a local time"},
        {{"--dir"}, "--dir needs a value"},
        {{"preview", "1001"}, "from 0 to 1000: 1001"},
        {{"preview", "12a"}, "from 0 to 1000: 12a"},
        {{"preview", "3", "4"}, "at most one number of days"},
        {{"preview", "--file"}, "--file needs a value"},
        {{"simulate"}, "simulate needs one date"},
        {{"next"}, "next needs one reminder key"},
        {{"report", "yesterday"}, "report needs 'complete' or 'today'"},
        {{"check", "now"}, "check takes no arguments"},
        {{"simulate", "--file", "x.csv", "01.01.2027"}, "unknown option for simulate: --file"},
        {{"preview", "--dir", "x"}, "unknown option for preview: --dir"},
    };
    for (const Case& c : cases) {
        CliHarness cli;
        const CliRun run = cli.run(c.arguments);
        EXPECT_EQ(run.status, kExitWrongArguments) << c.error;
        EXPECT_NE(run.err.find(c.error), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("Try 'tindlow --help'."), std::string::npos);
        EXPECT_EQ(run.out, "");
    }
}

TEST(CommandLine, HelpExplainsEveryCommand) {
    CliHarness cli;
    const CliRun overview = cli.run({"--help"});
    EXPECT_EQ(overview.status, kExitDone);
    for (const std::string command :
         {"preview", "lookback", "simulate", "next", "last", "report", "check", "help"}) {
        EXPECT_NE(overview.out.find("  " + command + " "), std::string::npos) << command;
        for (const auto& arguments : std::vector<std::vector<std::string>>{
                 {command, "--help"}, {"help", command}, {"--lang", "de", command, "-h"}}) {
            const CliRun help = cli.run(arguments);
            EXPECT_EQ(help.status, kExitDone);
            EXPECT_EQ(help.out.rfind("Usage: tindlow " + command, 0), 0u) << help.out;
        }
    }
    EXPECT_EQ(cli.run({"help", "nothing"}).status, kExitWrongArguments);
}

// The overview lists the commands of the table in its order, each usage with its summary in one
// column, and the help of each is its usage line over its help text.
TEST(CommandLine, OverviewAndHelpShowEveryCommandOfTheTable) {
    CliHarness cli;
    const std::string overview = cli.run({"--help"}).out;
    std::size_t at = overview.find("Commands:\n") + std::string("Commands:\n").size();
    std::size_t column = 0;
    for (const CliCommandRow& row : cliCommands()) {
        const std::string name(row.name);
        const std::string usage =
            row.operands.empty() ? name : name + " " + std::string(row.operands);
        SCOPED_TRACE(usage);
        ASSERT_EQ(overview.compare(at, usage.size() + 3, "  " + usage + " "), 0) << overview;
        const std::size_t summaryAt = overview.find_first_not_of(' ', at + 2 + usage.size());
        column = column == 0 ? summaryAt - at : column;
        EXPECT_EQ(summaryAt - at, column);
        std::string summary;
        for (const char c : row.summary) {
            summary += c;
            if (c == '\n') {
                summary.append(column, ' ');
            }
        }
        ASSERT_EQ(overview.compare(summaryAt, summary.size() + 1, summary + "\n"), 0) << overview;
        at = summaryAt + summary.size() + 1;
        EXPECT_EQ(cli.run({"help", name}).out,
                  "Usage: tindlow " + usage + "\n\n" + std::string(row.help));
    }
    EXPECT_EQ(overview.compare(at, 10, "\nOptions ("), 0);
}

TEST(CommandLine, NextAndLastTakeTheKeyInEveryFormAUserHasAtHand) {
    const std::string key =
        "[02.01.2026-18:00:00-300000001-400000001]";  // weekly, Wednesdays 18:00
    const std::string line =
        "01) Event: Plants Water the plants [Input Date: 07.01.2026] [Trigger Date: 09.12.2026 "
        "18:00:00] [File: C:\\P\\_PeriodicEvents\\Duties.csv] [Line: 2] [Key: " +
        key + "]";
    for (const std::string& typed : {key, key.substr(1, key.size() - 2), line}) {
        ExampleDirectory directory;
        const CliRun next = directory.run({"--now", "10.12.2026 08:00:00", "next", typed});
        EXPECT_EQ(next.status, kExitDone) << next.err;
        EXPECT_NE(next.out.find("[Trigger Date: 16.12.2026 18:00:00]"), std::string::npos)
            << next.out;
        EXPECT_NE(next.out.find("[Key: " + key + "]\n"), std::string::npos) << next.out;
        const CliRun last = directory.run({"--now", "10.12.2026 08:00:00", "last", typed});
        EXPECT_NE(last.out.find("[Trigger Date: 09.12.2026 18:00:00]"), std::string::npos)
            << last.out;
    }

    ExampleDirectory directory;
    const CliRun unknown = directory.run({"next", "[01.01.2000-00:00:00-111111111-222222222]"});
    EXPECT_EQ(unknown.status, kExitUnknownKey);
    EXPECT_NE(unknown.err.find("no event line has the reminder key"), std::string::npos);
}

TEST(CommandLine, AnEventThatNeverComesAgainIsNoNextEvent) {
    CliHarness cli;
    cli.files.addFile(L"C:\\P\\_SingleEvents\\Once.csv",
                      "Title;Text;Date;Time;Pre;Repeat;Interval;Key;Row\r\n"
                      "Once;done;01.03.2025;0,5;60;1;;[k-1];2\r\n");
    const CliRun next = cli.run({"next", "[k-1]"});
    EXPECT_EQ(next.status, kExitNoEvent);
    EXPECT_NE(next.err.find("the next/last event could not be determined"), std::string::npos)
        << next.err;
    const CliRun last = cli.run({"--lang", "de", "last", "k-1"});
    EXPECT_EQ(last.status, kExitDone) << last.err;
    EXPECT_NE(last.out.find("[Trigger Datum: 01.03.2025 12:00:00]"), std::string::npos) << last.out;
}

// Rent, monthly on the 31st (interval 30) at 09:00 from 31.10.2026.
struct RentDirectory : CliHarness {
    RentDirectory() {
        files.addFile(L"C:\\P\\_PeriodicEvents\\Rent.csv",
                      "What;Text;Date;Time;Pretrigger [min];Repeat;Interval;Reminder key;Row\r\n"
                      "Rent;Pay the rent;31.10.2026;0,375;0;0;30;[rent];2\r\n");
    }
};

// In a month without a 31st the monthly event falls on the first days of the next month, and
// every command finds it there.
TEST(CommandLine, AMonthlyEventOnThe31stIsFoundInMonthsWithoutOne) {
    const struct {
        std::vector<std::string> arguments;
        std::string expected;  // the trigger dates of the output, in its order
    } kCases[] = {
        {{"simulate", "01.12.2026"}, "01.12.2026 09:00:00"},
        {{"simulate", "02.12.2026"}, ""},
        {{"simulate", "31.12.2026"}, "31.12.2026 09:00:00"},
        {{"simulate", "01.03.2027"}, ""},
        {{"simulate", "03.03.2027"}, "03.03.2027 09:00:00"},
        {{"--now", "25.11.2026 08:00:00", "next", "[rent]"}, "01.12.2026 09:00:00"},
        {{"--now", "01.12.2026 20:00:00", "next", "[rent]"}, "01.12.2026 09:00:00"},
        {{"--now", "02.12.2026 08:00:00", "next", "[rent]"}, "31.12.2026 09:00:00"},
        {{"--now", "15.12.2026 08:00:00", "last", "[rent]"}, "01.12.2026 09:00:00"},
        {{"--now", "01.02.2027 08:00:00", "next", "[rent]"}, "03.03.2027 09:00:00"},
        {{"--now", "30.03.2027 08:00:00", "last", "[rent]"}, "03.03.2027 09:00:00"},
        {{"--now", "01.12.2026 08:00:00", "last", "[rent]"}, "01.12.2026 09:00:00"},
        {{"--now", "25.10.2026 08:00:00", "preview", "200"},
         "31.10.2026 09:00:00 01.12.2026 09:00:00 31.12.2026 09:00:00 31.01.2027 09:00:00 "
         "03.03.2027 09:00:00 31.03.2027 09:00:00 01.05.2027 09:00:00"},
        {{"--now", "13.05.2027 08:00:00", "lookback", "200"},
         "01.05.2027 09:00:00 31.03.2027 09:00:00 03.03.2027 09:00:00 31.01.2027 09:00:00 "
         "31.12.2026 09:00:00 01.12.2026 09:00:00 31.10.2026 09:00:00"},
    };
    for (const auto& c : kCases) {
        std::string command;
        for (const std::string& argument : c.arguments) {
            command += argument + " ";
        }
        SCOPED_TRACE(command);
        RentDirectory cli;
        const CliRun run = cli.run(c.arguments);
        EXPECT_EQ(run.status, kExitDone) << run.err;
        std::string dates;
        for (auto at = run.out.find("[Trigger Date: "); at != std::string::npos;
             at = run.out.find("[Trigger Date: ", at + 1)) {
            if (!dates.empty()) {
                dates += ' ';
            }
            dates.append(run.out, at + 15, 19);
        }
        EXPECT_EQ(dates, c.expected) << run.out;
    }

    // On the day that ran over the entry is among today's, with that day's event: it reminds.
    const struct {
        const char* now;
        bool today;
    } kDays[] = {
        {"30.11.2026 08:00:00", false},
        {"01.12.2026 08:00:00", true},
        {"02.12.2026 08:00:00", false},
    };
    for (const auto& d : kDays) {
        SCOPED_TRACE(d.now);
        RentDirectory cli;
        const CliRun run = cli.run({"--now", d.now, "report", "today"});
        EXPECT_EQ(run.status, kExitDone) << run.err;
        EXPECT_EQ(run.out.find("Dictionary Key: [rent]") != std::string::npos, d.today) << run.out;
        if (d.today) {
            const auto at = run.out.find("nextEventTimeSec: ");
            ASSERT_NE(at, std::string::npos) << run.out;
            EXPECT_EQ(run.out.substr(run.out.find("[=>", at), 23), "[=>01.12.2026 09:00:00]");
        }
    }
}

TEST(CommandLine, FileOptionNamesOneEventFile) {
    struct Case {
        std::string file;
        int status;
        std::string expected;  // in the output, or in the error
    };
    const Case cases[] = {
        {"Duties.csv", kExitDone, "Duties.csv] [Line: 2]"},
        {"_PeriodicEvents/duties.CSV", kExitDone, "Duties.csv] [Line: 2]"},
        {"C:\\P\\_PeriodicEvents\\Duties.csv", kExitDone, "Duties.csv] [Line: 2]"},
        {"./Duties.csv", kExitDone, "Duties.csv] [Line: 2]"},
        {"Same.csv", kExitWrongArguments, "several event files are named Same.csv"},
        {"ties.csv", kExitWrongArguments, "no event file of the program directory is named"},
        {"Empty.csv", kExitDone, "Event Preview 30 days:\n"},
    };
    for (const Case& c : cases) {
        ExampleDirectory directory;
        directory.files.addFile(L"C:\\P\\_SingleEvents\\Same.csv", "");
        directory.files.addFile(L"C:\\P\\_PeriodicEvents\\Same.csv", "");
        directory.files.addFile(L"C:\\P\\_PeriodicEvents\\Empty.csv", "header only\r\n");
        const CliRun run = directory.run({"preview", "30", "--file", c.file});
        EXPECT_EQ(run.status, c.status) << c.file << run.err;
        EXPECT_NE((c.status == kExitDone ? run.out : run.err).find(c.expected), std::string::npos)
            << c.file << "\n"
            << run.out << run.err;
        if (c.status == kExitDone) {
            EXPECT_EQ(run.out.find("Birthdays.csv"), std::string::npos) << c.file;
        }
    }
}

TEST(CommandLine, MissingDirectoryAndUnreadableInitializationFileEndWithTheirOwnStatus) {
    CliHarness missing(L"C:\\Nowhere");
    missing.files.removeTree(L"C:\\Nowhere");
    EXPECT_EQ(missing.run({"preview"}).status, kExitNoDirectory);
    EXPECT_EQ(missing.run({"check"}).status, kExitNoDirectory);

    ExampleDirectory locked;
    locked.files.lock(L"C:\\P\\_IniFile\\IniFile.csv");
    const CliRun run = locked.run({"preview"});
    EXPECT_EQ(run.status, kExitIniFileUnreadable);
    EXPECT_NE(run.err.find("IniFile.csv cannot be read"), std::string::npos) << run.err;
}

TEST(CommandLine, AnOutputThatCannotBeWrittenIsNoSuccess) {
    ExampleDirectory directory;
    std::ostringstream out;
    out.setstate(std::ios::badbit);
    std::ostringstream err;
    ReadOnlyFileSystem files(directory.files);
    CliSystem system{files, directory.clock, out, err};
    CliRequest request;
    request.command = CliCommand::Preview;
    EXPECT_EQ(runCli(request, system), kExitOutputFailed);
    EXPECT_NE(err.str().find("the output could not be written"), std::string::npos);
}

TEST(Utf8Text, RoundTripsAndReplacesWhatIsNoCharacter) {
    const std::wstring text = L"J\u00f6rg \u20ac \U0001F514 ;[]";
    EXPECT_EQ(wideFromUtf8(utf8FromWide(text)), text);
    EXPECT_EQ(utf8FromWide(text), "J\xC3\xB6rg \xE2\x82\xAC \xF0\x9F\x94\x94 ;[]");
    struct Case {
        std::string bytes;
        std::wstring text;
    };
    const Case cases[] = {
        {"a\xFF"
         "b",
         L"a\uFFFDb"},                                      // no lead byte
        {"\xC3", L"\uFFFD"},                                // cut short
        {"\xC0\xAF", L"\uFFFD\uFFFD"},                      // overlong
        {"\xED\xA0\x80", L"\uFFFD\uFFFD\uFFFD"},            // a surrogate
        {"\xF4\x90\x80\x80", L"\uFFFD\uFFFD\uFFFD\uFFFD"},  // beyond U+10FFFF
    };
    for (const Case& c : cases) {
        EXPECT_EQ(wideFromUtf8(c.bytes), c.text) << c.bytes;
    }
}

}  // namespace
}  // namespace tindlow
