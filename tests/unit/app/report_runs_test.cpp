#include <gtest/gtest.h>

#include "fakes/test_program.h"
#include "model/text_files.h"
#include "model/text_forms.h"
#include "reports/dictionary_report.h"
#include "ui/control_ids.h"

namespace tindlow {
namespace {

const std::wstring kEvents = L"C:\\P\\_SingleEvents\\Today.csv";
const std::wstring kExports = L"C:\\P\\_Exports\\";
// Every day at 12:00; the program starts on 09.12.2026 at 08:30.
constexpr const char* kDailyFile =
    "What;Text;Date;Time;Pre;Repeat;Interval;Key;Row\r\n"
    "Daily;x;01.12.2026;0,5;0;1;1;[d];2\r\n";

struct Reports : TestProgram {
    Reports() {
        fake.files.addFile(kEvents, kDailyFile);
        start();
    }
    void press(int controlId, const std::wstring& daysField) {
        fake.view.texts[ids::kDaysField] = daysField;
        dialog.onButton(controlId);
    }
    // The lines logged from `from` on, without their numbers.
    std::vector<std::wstring> logSince(std::size_t from) const {
        std::vector<std::wstring> lines;
        for (std::size_t i = from; i < logLines().size(); ++i) {
            const std::wstring& line = logLines()[i];
            lines.push_back(line.substr(line.find(L"   ") + 3));
        }
        return lines;
    }
    std::size_t eventLines(std::size_t from) const {
        std::size_t count = 0;
        for (const std::wstring& line : logSince(from)) {
            count += line.find(L"[Key: [d]]") != std::wstring::npos;
        }
        return count;
    }
};

std::wstring dayText(int offset) {
    return formatDate(dateOfDayNumber(dayNumberOf(9, 12, 2026) + offset));
}

TEST(PreviewButtons, LogRunAndExportInTheActiveLanguage) {
    struct Labels {
        const wchar_t* event;
        const wchar_t* inputDate;
        const wchar_t* triggerDate;
        const wchar_t* file;
        const wchar_t* line;
    };
    const Labels english{L"Event", L"Input Date: ", L"Trigger Date: ", L"File: ", L"Line: "};
    const Labels german{L"Ereignis", L"Eingabedatum: ", L"Trigger Datum: ", L"Datei: ", L"Zeile: "};
    const struct {
        int button;
        bool german;
        const wchar_t* message;
        const wchar_t* header;
        const wchar_t* suffix;
    } kCases[] = {
        {ids::kFutureEvents, false, L"The 'Future Events' button was pressed.",
         L"Event Preview 11 days:", L" Preview.txt"},
        // The look-back begins with today's event, which is still to come at 08:30.
        {ids::kMissedEvents, false, L"The 'Missed Events' button was pressed.",
         L"Event Loop-back 11 days:", L" Loop-back.txt"},
        {ids::kFutureEvents, true, L"Der Button 'K\u00fcnftige Ereignisse' wurde gedr\u00fcckt.",
         L"Ereignis Vorschau 11 Tage:", L" Vorschau.txt"},
        {ids::kMissedEvents, true, L"Der Button 'Verpasste Ereignisse' wurde gedr\u00fcckt.",
         L"Ereignis R\u00fcckschau 11 Tage:", L" R\u00fcckschau.txt"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.header);
        Reports program;
        if (c.german)
            program.dialog.onButton(ids::kSwitchLanguage);
        const Labels& l = c.german ? german : english;
        const std::size_t from = program.logLines().size();
        const std::size_t boxes = program.fake.boxes.shown.size();
        program.press(c.button, L"11");

        std::wstring report = std::wstring(c.header) + L"\n";
        std::vector<std::wstring> logged{c.message};
        for (int i = 0; i < 12; ++i) {
            const int offset = c.button == ids::kMissedEvents ? -i : i;
            std::wstring line = paddedIntText(i + 1, 2) + L") " + l.event + L": Daily x [" +
                                l.inputDate + L"01.12.2026] [" + l.triggerDate + dayText(offset) +
                                L" 12:00:00] [" + l.file + kEvents + L"] [" + l.line +
                                L"2] [Key: [d]]\n";
            report += line;
            logged.push_back(line);
        }
        EXPECT_EQ(program.logSince(from), logged);
        const std::wstring path = kExports + L"2026-12-09_08.30.00" + c.suffix;
        EXPECT_EQ(program.fake.files.fileBytes(path), encodeUtf16LeWithBom(report));
        ASSERT_FALSE(program.fake.shell.opened.empty());
        EXPECT_EQ(program.fake.shell.opened.back(), path);
        EXPECT_EQ(program.fake.boxes.shown.size(), boxes);
    }
}

TEST(PreviewButtons, TheDaysFieldSetsTheDaysValueOnlyFromOneTo999) {
    const struct {
        const wchar_t* field;
        std::int32_t days;
        const wchar_t* logged;
    } kCases[] = {
        {L"12", 12, nullptr},
        {L"1", 1, nullptr},
        {L"999", 999, nullptr},
        {L"0", 11, nullptr},
        {L"1000", 11, nullptr},
        {L"12a", 11, L"Wrong character detected in days input field: a"},
        {L"", 11, L"Attetion, the days input field is empty."},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.field);
        Reports program;
        std::size_t from = program.logLines().size();
        program.press(ids::kFutureEvents, c.field);
        EXPECT_EQ(program.parts().daysInput.days(), c.days);
        EXPECT_EQ(program.eventLines(from), static_cast<std::size_t>(c.days) + 1);
        const std::wstring header = L"Event Preview " + intText(c.days) + L" days:\n";
        const auto file = program.fake.files.fileBytes(program.fake.shell.opened.back());
        ASSERT_TRUE(file.has_value());
        EXPECT_EQ(file->rfind(encodeUtf16LeWithBom(header), 0), 0u);
        if (c.logged) {
            EXPECT_TRUE(program.logged(c.logged));
        }
        // The days value stays for the next run.
        from = program.logLines().size();
        program.press(ids::kFutureEvents, L"0");
        EXPECT_EQ(program.eventLines(from), static_cast<std::size_t>(c.days) + 1);
    }
}

TEST(PreviewButtons, TheLogListGetsTheNumberedLinesButNotTheHeader) {
    Reports program;
    program.press(ids::kFutureEvents, L"99");
    EXPECT_TRUE(program.logged(L"   01) Event: Daily x [Input Date: 01.12.2026] [Trigger Date: " +
                               dayText(0) + L" 12:00:00]"));
    EXPECT_TRUE(program.logged(L"   100) Event: Daily x [Input Date: 01.12.2026] [Trigger Date: " +
                               dayText(99) + L" 12:00:00]"));
    EXPECT_FALSE(program.logged(L"Event Preview"));
}

TEST(PreviewButtons, AFailedOpenIsReported) {
    Reports program;
    program.fake.shell.result = 2;
    program.fake.shell.error = 1155;
    program.press(ids::kMissedEvents, L"3");
    EXPECT_EQ(program.lastLog(), L"An error has occurred. The Windows error code was: 1155");
    EXPECT_TRUE(program.fake.files.exists(program.fake.shell.opened.back()));
}

TEST(PreviewButtons, TheCompleteReportShowsTheTriggerTimeOfThePreview) {
    Reports program;
    auto report = [&] {
        return dictionaryReport(program.dialog.parts().events.complete(), false, englishTables(),
                                program.parts().dashLine);
    };
    EXPECT_NE(report().find(L"triggerEventTimeSec: 0.00 seconds [=>01.01.1901 00:00:00]\n"),
              std::wstring::npos);
    const ReminderEntry before = *program.dialog.parts().events.today().find(L"[d]");
    program.press(ids::kFutureEvents, L"11");
    // The last day of the run that found the entry.
    const double found = (dayNumberOf(9, 12, 2026) + 11) * kSecondsPerDay + 43200;
    EXPECT_NE(report().find(L"triggerEventTimeSec: " + fixed2Text(found) +
                            L" seconds [=>20.12.2026 12:00:00]\n"),
              std::wstring::npos);
    EXPECT_EQ(program.dialog.parts().events.complete().find(L"[d]")->nextEventTimeSec,
              before.nextEventTimeSec);
    // Today's dictionary holds its own copy, which the reminder check goes on using.
    const ReminderEntry& today = *program.dialog.parts().events.today().find(L"[d]");
    EXPECT_EQ(today.triggerEventTimeSec, 0.0);
    EXPECT_EQ(today.nextEventTimeSec, before.nextEventTimeSec);
}

TEST(DictionaryReportCommands, ExportUnderTheirSuffixAndLeaveNoTraceOfAFailedOpen) {
    const struct {
        int menuIndex;  // commands 10 and 11
        bool german;
        const wchar_t* suffix;
    } kCases[] = {
        {9, false, L" CompleteDictionaryContent.txt"},
        {10, false, L" TodaysDictionaryContent.txt"},
        {9, true, L" KompletterDictionaryInhalt.txt"},
        {10, true, L" HeutigerDictionaryInhalt.txt"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.suffix);
        Reports program;
        if (c.german)
            program.dialog.onButton(ids::kSwitchLanguage);
        program.fake.shell.result = 2;
        program.fake.shell.error = 1155;
        const std::size_t from = program.logLines().size();
        program.fake.view.comboSelections[ids::kCommandMenu] = c.menuIndex;
        program.dialog.onMenuChoice(ids::kCommandMenu);

        const bool todays = c.menuIndex == 10;
        const std::wstring expected = dictionaryReport(
            todays ? program.dialog.parts().events.today()
                   : program.dialog.parts().events.complete(),
            todays, c.german ? germanTables() : englishTables(), program.parts().dashLine);
        ASSERT_NE(expected.find(L"Dictionary Key: [d]"), std::wstring::npos);
        const std::wstring path = kExports + L"2026-12-09_08.30.00" + c.suffix;
        EXPECT_EQ(program.fake.files.fileBytes(path), encodeUtf16LeWithBom(expected));
        ASSERT_FALSE(program.fake.shell.opened.empty());
        EXPECT_EQ(program.fake.shell.opened.back(), path);
        // Only the menu's own line.
        EXPECT_EQ(program.logSince(from).size(), 1u);
    }
}

}  // namespace
}  // namespace tindlow
