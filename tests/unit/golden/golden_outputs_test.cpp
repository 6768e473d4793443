// Whole outputs of the program at a fixed moment, in English and in German, compared byte for
// byte with the golden files in tests/golden/: the program starts on a copy of the example
// program directory and writes its start-up log, both dictionary reports, a 30-day preview and
// look-back and a date simulation; the log of those commands and the files the session leaves
// behind are golden files as well. After an intended change of output, scripts/update-golden
// rewrites them (see golden_file.h).

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "fakes/test_program.h"
#include "golden/example_files.h"
#include "golden/golden_file.h"
#include "model/text_forms.h"
#include "ui/control_ids.h"

namespace tindlow {
namespace {

using golden::logText;
using golden::matchesGolden;
using golden::utf8;

const std::wstring kExports = kTestRoot + L"\\_Exports\\";

// Wednesday 09.12.2026, 08:30:00. Within the next 30 days fall a birthday, the weekly, monthly
// and fortnightly duties and the turn of the year; within the past 30 days the same duties; and
// today the weekly duty is due in the evening, so today's dictionary is not empty.
constexpr LocalTime kNow{2026, 12, 9, 8, 30, 0, 0};
// Wednesday 03.02.2027, beyond the 30 days: a single event, the weekly duty and the monthly
// meeting on the first Wednesday.
const std::wstring kSimulatedDate = L"03.02.2027";

// The program on the fake platform, started on a copy of examples/ with the language chosen in
// the settings file; the clock stands still for the whole session.
struct GoldenSession : TestProgram {
    explicit GoldenSession(const std::string& language) {
        fake.clock.set(kNow);
        copyExamples();
        fake.files.addFile(kTestRoot + L"\\_Settings\\Settings.txt",
                           "Language = " + language + "\r\n");
    }

    void copyExamples() { ASSERT_TRUE(addExampleFiles(fake.files, kTestRoot)); }

    void typeIntoDaysField(const std::wstring& text) { fake.view.texts[ids::kDaysField] = text; }
    void press(int button) { dialog.onButton(button); }

    // Runs an action that exports one report and answers the bytes of the export file. The
    // action must write exactly one file, a new one in _Exports, and hand it to the shell.
    template <class Action>
    std::string exportOf(Action action) {
        const std::map<std::wstring, std::string> before = fake.files.files();
        action();
        std::vector<std::wstring> written;
        for (const auto& [path, bytes] : fake.files.files()) {
            const auto old = before.find(path);
            if (old == before.end() || old->second != bytes) {
                written.push_back(path);
            }
        }
        if (written.size() != 1 || written[0].rfind(kExports, 0) != 0 ||
            before.count(written[0]) != 0) {
            std::string list;
            for (const std::wstring& path : written) {
                list += "\n  " + utf8(path);
            }
            ADD_FAILURE() << "expected one new export file in _Exports, written:" << list;
            return std::string();
        }
        EXPECT_FALSE(fake.shell.opened.empty());
        if (!fake.shell.opened.empty()) {
            EXPECT_EQ(utf8(fake.shell.opened.back()), utf8(written[0]));
        }
        return *fake.files.fileBytes(written[0]);
    }

    std::vector<std::wstring> logSince(std::size_t from) const {
        return std::vector<std::wstring>(logLines().begin() + static_cast<std::ptrdiff_t>(from),
                                         logLines().end());
    }

    // Every directory and file of the fake file system, one path a line.
    std::string fileList() const {
        std::string text;
        for (const std::wstring& path : fake.files.paths()) {
            text += utf8(path) + "\n";
        }
        return text;
    }
};

void checkSession(const std::string& language, const std::string& prefix) {
    GoldenSession program(language);
    program.start();
    EXPECT_TRUE(matchesGolden(prefix + "-startup-log.txt", logText(program.logLines())));
    const std::size_t startLines = program.logLines().size();

    // The dictionaries as the start-up loaded them, before the scans below store their event
    // times in the entries.
    EXPECT_TRUE(matchesGolden(prefix + "-complete-dictionary.txt", program.exportOf([&] {
        program.choose(MenuCommand::CompleteDictionaryReport);
    })));
    EXPECT_TRUE(matchesGolden(prefix + "-todays-dictionary.txt", program.exportOf([&] {
        program.choose(MenuCommand::TodaysDictionaryReport);
    })));

    program.typeIntoDaysField(L"30");
    EXPECT_TRUE(matchesGolden(prefix + "-future-30-days.txt",
                              program.exportOf([&] { program.press(ids::kFutureEvents); })));
    EXPECT_TRUE(matchesGolden(prefix + "-missed-30-days.txt",
                              program.exportOf([&] { program.press(ids::kMissedEvents); })));

    program.typeIntoDaysField(kSimulatedDate);
    EXPECT_TRUE(
        matchesGolden(prefix + "-date-simulation-" + utf8(kSimulatedDate) + ".txt",
                      program.exportOf([&] { program.choose(MenuCommand::SimulateDate); })));

    EXPECT_TRUE(matchesGolden(prefix + "-commands-log.txt", logText(program.logSince(startLines))));
    EXPECT_TRUE(matchesGolden(prefix + "-files.txt", program.fileList()));
    // Reports are files and log lines, never boxes.
    EXPECT_TRUE(program.fake.boxes.shown.empty());
}

TEST(GoldenOutputs, English) {
    checkSession("English", "en");
}

TEST(GoldenOutputs, German) {
    checkSession("German", "de");
}

// The failure message of a golden comparison: the first differing line, readable.
TEST(GoldenFile, DifferenceIsShownAsTheFirstDifferingLine) {
    const auto utf16 = [](const std::u16string& text) {
        std::string bytes = "\xFF\xFE";
        for (const char16_t unit : text) {
            bytes += static_cast<char>(unit & 0xFF);
            bytes += static_cast<char>(unit >> 8);
        }
        return bytes;
    };
    EXPECT_TRUE(golden::compareOutput("report.txt", utf16(u"a\r\nb\r\n"), utf16(u"a\r\nb\r\n")));

    const std::string changed =
        golden::compareOutput("report.txt", utf16(u"Title:\r\n01) J\u00f6rg 14.12.2026\r\nend\r\n"),
                              utf16(u"Title:\r\n01) J\u00f6rg 15.12.2026\r\nend\r\n"))
            .message();
    EXPECT_NE(changed.find("The output differs from the golden file report.txt (UTF-16LE)"),
              std::string::npos)
        << changed;
    EXPECT_NE(changed.find("First difference in line 2, column 11:\n"
                           "  golden: 01) J\xC3\xB6rg 14.12.2026\\r\n"
                           "  output: 01) J\xC3\xB6rg 15.12.2026\\r\n"),
              std::string::npos)
        << changed;

    const std::string shorter =
        golden::compareOutput("log.txt", "001   a\n002   b\n", "001   a\n").message();
    EXPECT_NE(shorter.find("lines: golden 2, output 1."), std::string::npos) << shorter;
    EXPECT_NE(shorter.find("line 2:\n  golden: 002   b\n  output: (end of file)\n"),
              std::string::npos)
        << shorter;

    // Equal lines, different bytes: a missing byte order mark and a missing last line end.
    const std::string noMark =
        golden::compareOutput("report.txt", utf16(u"a\r\n"), "a\r\n").message();
    EXPECT_NE(noMark.find("report.txt (golden UTF-16LE, output UTF-8)"), std::string::npos)
        << noMark;
    const std::string noEnd = golden::compareOutput("log.txt", "a\nb\n", "a\nb").message();
    EXPECT_NE(noEnd.find("the bytes part at offset 3"), std::string::npos) << noEnd;
}

TEST(GoldenFile, LogTextKeepsOneListLinePerLine) {
    EXPECT_EQ(logText({L"001   Read/Lese C:\\P\\_Settings\\Settings.txt:\n", L"002   J\u00f6rg"}),
              "001   Read/Lese C:\\P\\_Settings\\Settings.txt:\\n\n002   J\xC3\xB6rg\n");
}

}  // namespace
}  // namespace tindlow
