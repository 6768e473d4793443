#include "input/interval_column.h"

#include <gtest/gtest.h>

#include <limits>

namespace tindlow {
namespace {

constexpr std::int32_t kMax32 = std::numeric_limits<std::int32_t>::max();

TEST(ParseIntervalText, FindsTheFirstKeywordInOrderAbsMwdMmd) {
    const struct {
        const wchar_t* text;
        std::int32_t before;
        std::int32_t after;
        const wchar_t* keyword;
        const wchar_t* invalid;
    } kCases[] = {
        {L"30mwd2", 30, 2, L"mwd", L""},
        {L"  60 mwd -1  ", 60, -1, L"mwd", L""},
        {L"30x mwd 2", 30, 2, L"mwd", L""},  // the text before reads leniently
        {L"mwd2", 0, 2, L"mwd", L""},
        {L"30mwd2abs", 30, 0, L"abs", L""},  // "abs" is tried first
        {L"2mmd7mwd", 2, 0, L"mwd", L""},
        {L"7 abs 99", 7, 99, L"abs", L""},
        {L"99999999999mmd-99999999999", kMax32, -kMax32 - 1, L"mmd", L""},
        {L"30MWD2", 0, 0, L"", L"MWD"},  // keywords are case-sensitive
        {L"1 2", 0, 0, L"", L" "},
        {L"+30", 0, 0, L"", L"+"},
        {L"7d.d", 0, 0, L"", L"d.d"},
        {L"123", 0, 0, L"", L"nocharsfound"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message() << '"' << c.text << '"');
        const IntervalParts parts = parseIntervalText(c.text);
        EXPECT_EQ(parts.numberBefore, c.before);
        EXPECT_EQ(parts.numberAfter, c.after);
        EXPECT_EQ(parts.keyword, c.keyword);
        EXPECT_EQ(parts.invalidChars, c.invalid);
    }
}

TEST(DecideInterval, AcceptsEveryForm) {
    const struct {
        const wchar_t* text;
        RecurrenceKind incType;
        std::int32_t interval;
        std::int32_t dayPointer;
    } kCases[] = {
        {L"30", RecurrenceKind::Months, 1, 0},
        {L"360", RecurrenceKind::Months, 12, 0},  // a multiple of 30 before one of 365
        {L"10950", RecurrenceKind::Months, 365, 0},
        {L"365", RecurrenceKind::Years, 1, 0},
        {L"730", RecurrenceKind::Years, 2, 0},
        {L"7", RecurrenceKind::Days, 7, 0},
        {L"31", RecurrenceKind::Days, 31, 0},
        {L"00", RecurrenceKind::Months, 0, 0},
        {L"000", RecurrenceKind::Months, 0, 0},
        {L"0007", RecurrenceKind::Days, 7, 0},
        {L"2147483640", RecurrenceKind::Months, 71582788, 0},
        // Beyond 32 bits the number saturates, and 2147483647 divides by neither.
        {L"99999999999", RecurrenceKind::Days, kMax32, 0},
        {L"30abs", RecurrenceKind::Days, 30, 0},
        {L"7 abs 99", RecurrenceKind::Days, 7, 0},
        {L"abs", RecurrenceKind::Days, 0, 0},
        {L"0abs", RecurrenceKind::Days, 0, 0},
        {L"-5abs", RecurrenceKind::Days, -5, 0},
        {L"45abs", RecurrenceKind::Days, 45, 0},
        {L"30mwd2", RecurrenceKind::MonthWeekday, 1, 2},
        {L"90mwd-1", RecurrenceKind::MonthWeekday, 3, -1},
        {L"60 mwd -1", RecurrenceKind::MonthWeekday, 2, -1},
        {L"30mwd5", RecurrenceKind::MonthWeekday, 1, 5},
        {L"30mwd-5", RecurrenceKind::MonthWeekday, 1, -5},
        {L"-30mwd2", RecurrenceKind::MonthWeekday, -1, 2},
        {L"mwd1", RecurrenceKind::MonthWeekday, 0, 1},
        {L"30mmd15", RecurrenceKind::MonthDay, 1, 15},
        {L"90mmd-1", RecurrenceKind::MonthDay, 3, -1},
        {L"30mmd31", RecurrenceKind::MonthDay, 1, 31},
        {L"30mmd-31", RecurrenceKind::MonthDay, 1, -31},
        {L"30mmd0", RecurrenceKind::MonthDay, 1, 0},
        {L"0mmd5", RecurrenceKind::MonthDay, 0, 5},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message() << '"' << c.text << '"');
        const IntervalDecision decision = decideInterval(c.text);
        EXPECT_TRUE(decision.accepted);
        EXPECT_EQ(decision.incType, c.incType);
        EXPECT_EQ(decision.interval, c.interval);
        EXPECT_EQ(decision.dayPointer, c.dayPointer);
    }
}

TEST(DecideInterval, RefusesWhatNoFormAllows) {
    const struct {
        const wchar_t* text;
        const wchar_t* invalidChars;
        std::vector<int> failedChecks;
    } kCases[] = {
        {L"30MWD2", L"MWD", {}},
        {L"1 2", L" ", {}},
        {L"+30", L"+", {}},
        {L"-30", L"-", {}},
        {L"7d", L"d", {}},
        {L"1.5", L".", {}},
        {L"45mwd6", L"", {msg::kMonthNotDivisibleBy30, msg::kWeekAbove5}},
        {L"30mwd0", L"", {msg::kWeekZero}},
        {L"45mwd0", L"", {msg::kMonthNotDivisibleBy30, msg::kWeekZero}},
        {L"30mwd-6", L"", {msg::kWeekAbove5}},
        {L"30mwd99999999999", L"", {msg::kWeekAbove5}},
        {L"30mmd32", L"", {msg::kMonthDayAbove31}},
        {L"30mmd-32", L"", {msg::kMonthDayAbove31}},
        {L"45mmd40", L"", {msg::kMonthNotDivisibleBy30, msg::kMonthDayAbove31}},
        // Saturated month values are no multiples of 30 (and -2147483648 % 30 is no trap).
        {L"99999999999mwd1", L"", {msg::kMonthNotDivisibleBy30}},
        {L"-99999999999mmd1", L"", {msg::kMonthNotDivisibleBy30}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message() << '"' << c.text << '"');
        const IntervalDecision decision = decideInterval(c.text);
        EXPECT_FALSE(decision.accepted);
        EXPECT_EQ(decision.invalidChars, c.invalidChars);
        EXPECT_EQ(decision.failedChecks, c.failedChecks);
    }
}

TEST(IntervalRejectionMessage, NamesTheEntryFileAndLine) {
    const std::wstring path = L"C:\\P\\_SingleEvents\\Team.csv";
    const struct {
        const wchar_t* text;
        const TextTables& texts;
        const wchar_t* expected;
    } kCases[] = {
        {L"+30", englishTables(),
         L"Incorrect entry in interval column. Erroneous input cannot be processed. Please "
         L"correct it. Your entry was: \n+30; Invalid characters = +\n"
         L"File name and path: C:\\P\\_SingleEvents\\Team.csv\nLine number in file: 12"},
        {L"45mwd6", englishTables(),
         L"Incorrect entry in interval column. Erroneous input cannot be processed. Please "
         L"correct it. The recognized error was: \nMonth value not divisible by 30. Week value "
         L"> 5. \nFile name and path: C:\\P\\_SingleEvents\\Team.csv\nLine number in file: 12"},
        {L"30MWD2", germanTables(),
         L"Inkorrekter Eintrag in der Intervallspalte. Fehlerhafte Eingaben k\u00f6nnen nicht "
         L"verarbeitet werden. Bitte korrigieren Sie Ihren Eintrag. Er war: \n30MWD2; "
         L"Ung\u00fcltige Zeichen = MWD\nDateiname und Pfad: C:\\P\\_SingleEvents\\Team.csv\n"
         L"Zeilennummer in der Datei : 12"},
        {L"30mwd0", germanTables(),
         L"Inkorrekter Eintrag in der Intervallspalte. Fehlerhafte Eingaben k\u00f6nnen nicht "
         L"verarbeitet werden. Bitte korrigieren Sie Ihren Eintrag. Der erkannte Fehler war: \n"
         L"Wochenwert = 0. \nDateiname und Pfad: C:\\P\\_SingleEvents\\Team.csv\n"
         L"Zeilennummer in der Datei : 12"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message() << '"' << c.text << '"');
        EXPECT_EQ(intervalRejectionMessage(decideInterval(c.text), c.text, path, 12, c.texts),
                  c.expected);
    }
}

}  // namespace
}  // namespace tindlow
