#include <gtest/gtest.h>

#include "model/calendar.h"
#include "reports/dictionary_report.h"

namespace tindlow {
namespace {

const std::wstring kDash = L"-----";

ReminderEntry dentist() {
    ReminderEntry e;
    e.sKey = L"[k1]";
    e.sFile = L"C:\\P\\_PeriodicEvents\\Health.csv";
    e.sWhat = L"Dentist ";
    e.sText = L"at the clinic";
    e.sDate = L"22.06.2024";
    e.sTime = L"0.354166666666667";
    e.sPretrigg = L"30";
    e.sRepeat = L"2";
    e.sInterval = L"365";
    e.sRowNumber = L"5";
    e.dayTime = 30600;
    e.preTrigger = 1800;
    e.postTrigger = 5400;
    e.nextAskSec = 3959654400.0;        // 22.06.2026 08:00:00
    e.nextEventTimeSec = 3959656200.0;  // 22.06.2026 08:30:00
    e.triggerEventTimeSec = 0.0;
    e.lastOutputSec = kNeverSec;
    e.repeat = 2;
    e.interval = 1;
    e.incType = RecurrenceKind::Years;
    e.dayPointer = 0;
    e.remindMatrix = 5;
    return e;
}

Dictionary withDentist(const std::wstring& key = L"[k1]") {
    Dictionary dictionary;
    dictionary.slot(key) = dentist();
    return dictionary;
}

std::vector<std::wstring> linesOf(const std::wstring& text) {
    std::vector<std::wstring> lines;
    std::size_t from = 0;
    for (std::size_t at = text.find(L'\n'); at != std::wstring::npos;
         from = at + 1, at = text.find(L'\n', from)) {
        lines.push_back(text.substr(from, at - from));
    }
    lines.push_back(text.substr(from));
    return lines;
}

TEST(DictionaryReport, OneEntryIsOneBlockOfTwentyThreeLines) {
    EXPECT_EQ(
        dictionaryReport(withDentist(), false, englishTables(), kDash),
        L"Current Content of the Reminder Dictionary:\n"
        L"File: C:\\P\\_PeriodicEvents\\Health.csv\n"
        L"Dictionary Key: [k1]\n"
        L"sWhat: Dentist \n"
        L"sText : at the clinic\n"
        L"sDate : 22.06.2024\n"
        L"sTime : 0.354166666666667 [converted by Excel into the double format during the export "
        L"to *.csv]\n"
        L"sPretrigg : 30 minutes\n"
        L"sRepeat : 2\n"
        L"sInterval : 365\n"
        L"sRowNumber : 5\n"
        L"dayTime : 30600.00 seconds [=>08:30:00]\n"
        L"preTrigger : 1800.00 seconds [=>30.00 minutes]\n"
        L"postTrigger : 5400.00 seconds [=>1.50 hours]\n"
        L"nextAskSec: 3959654400.00 seconds [=>22.06.2026 08:00:00]\n"
        L"nextEventTimeSec: 3959656200.00 seconds [=>22.06.2026 08:30:00]\n"
        L"triggerEventTimeSec: 0.00 seconds [=>01.01.1901 00:00:00]\n"
        L"lastOutputSec: 172800000000000.00 seconds [=>31.12.2999 00:00:00]\n"
        L"repeat : 2\n"
        L"interval : 1\n"
        L"incType : 4 [0=notused 1=single 2=days 3=months 4=years 5=month2weekdayPointer "
        L"6=month2monthdayPointer]\n"
        L"dayPointer: 0\n"
        L"remindMatrix: 0x00000005 [=>bin: 0000 0000 0000 0000 0000 0000 0000 0101]\n"
        L"-----\n");
}

TEST(DictionaryReport, GermanChangesUnitsAndNotesButNotTheLabels) {
    const std::vector<std::wstring> lines =
        linesOf(dictionaryReport(withDentist(), false, germanTables(), kDash));
    ASSERT_EQ(lines.size(), 25u);  // header, 23 lines, nothing after the last line end
    const struct {
        std::size_t index;
        const wchar_t* line;
    } kCases[] = {
        {0, L"Current Content of the Reminder Dictionary:"},
        {6,
         L"sTime : 0.354166666666667 [von Excel in double Format konvertiert beim Export nach "
         L"*.csv]"},
        {7, L"sPretrigg : 30 Minuten"},
        {12, L"preTrigger : 1800.00 Sekunden [=>30.00 Minuten]"},
        {13, L"postTrigger : 5400.00 Sekunden [=>1.50 Stunden]"},
        {20,
         L"incType : 4 [0=nicht_benutzt 1=Einzelereignis 2=Tage 3=Monate 4=Jahre "
         L"5=MonatAufWochentagZeiger 6=MonatAufMonatstagZeiger]"},
        {24, L""},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.index);
        EXPECT_EQ(lines[c.index], c.line);
    }
}

TEST(DictionaryReport, BlocksFollowTheKeyOrderAndShowTheDictionaryKey) {
    Dictionary dictionary = withDentist(L"[b]");
    dictionary.slot(L"[a]") = dentist();
    const std::vector<std::wstring> lines =
        linesOf(dictionaryReport(dictionary, false, englishTables(), kDash));
    ASSERT_EQ(lines.size(), 48u);
    EXPECT_EQ(lines[2], L"Dictionary Key: [a]");
    EXPECT_EQ(lines[25], L"Dictionary Key: [b]");
}

TEST(DictionaryReport, EmptyDictionaries) {
    const struct {
        bool todays;
        bool german;
        const wchar_t* text;
    } kCases[] = {
        {false, false, L"Current Content of the Reminder Dictionary:\n"},
        {true, false,
         L"Today's Content of the Reminder Dictionary:\n No reminder will be output today."},
        {true, true,
         L"Today's Content of the Reminder Dictionary:\nHeute wird keine Erinnerung ausgegeben."},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(dictionaryReport(Dictionary(), c.todays,
                                   c.german ? germanTables() : englishTables(), kDash),
                  c.text);
    }
}

TEST(DictionaryReport, TodaysReportOfAFilledDictionaryHasNoEmptyNote) {
    const std::wstring text = dictionaryReport(withDentist(), true, englishTables(), kDash);
    EXPECT_EQ(text.rfind(L"Today's Content of the Reminder Dictionary:\nFile: ", 0), 0u);
    EXPECT_EQ(text.find(L"No reminder"), std::wstring::npos);
}

}  // namespace
}  // namespace tindlow
