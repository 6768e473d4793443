#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "input/event_input.h"
#include "input/event_input_harness.h"
#include "input/event_line.h"
#include "input/interval_column.h"
#include "model/same_entry.h"
#include "schedule/emitted_log.h"

namespace tindlow {
namespace {

const std::wstring kTeam = L"C:\\P\\_SingleEvents\\Team.csv";
const std::wstring kHeader = L"Title;Text;Date;Time;Pretrigger;Repeat;Interval;Key;Row";
constexpr std::int32_t kMax32 = std::numeric_limits<std::int32_t>::max();

std::wstring missingLine(const std::wstring& path) {
    return L"The requested date file " + path + L" was not found an cannot be read.";
}

std::vector<std::wstring> keysOf(const Dictionary& dictionary) {
    std::vector<std::wstring> keys;
    for (const auto& [key, entry] : dictionary) {
        keys.push_back(key);
    }
    return keys;
}

TEST(EventFileLines, SplitsAtLineFeedsIntoPiecesOf998) {
    const std::string x998(998, 'x');
    const struct {
        const char* name;
        std::string bytes;
        std::vector<std::wstring> lines;
    } kCases[] = {
        {"empty file", "", {}},
        {"no final line feed", "a\nb", {L"a", L"b"}},
        {"final line feed", "a\nb\n", {L"a", L"b"}},
        {"empty lines count, trailing ones too", "a\n\nb\n\n\n", {L"a", L"", L"b", L"", L""}},
        {"only a line feed", "\n", {L""}},
        {"CR LF reads as LF", "a\r\n\r\nb\r\n", {L"a", L"", L"b"}},
        {"other CRs stay", "a\rb\r\r\nc\r", {L"a\rb\r", L"c\r"}},
        {"every byte one character", "\xE4\xC3\xA4\x01\xFF", {L"\u00E4\u00C3\u00A4\u0001\u00FF"}},
        {"NUL is a character", std::string("a\0b", 3), {std::wstring(L"a\0b", 3)}},
        {"998 characters are one line", x998 + "\r\nz", {std::wstring(998, L'x'), L"z"}},
        {"999 characters are two", x998 + "yz", {std::wstring(998, L'x'), L"yz"}},
        {"2500 characters are three",
         std::string(2500, 'q') + "\n",
         {std::wstring(998, L'q'), std::wstring(998, L'q'), std::wstring(504, L'q')}},
        {"a CR after 998 characters is dropped before LF",
         x998 + "\r\n",
         {std::wstring(998, L'x')}},
        {"and kept before other text", x998 + "\rz", {std::wstring(998, L'x'), L"\rz"}},
        {"1996 characters are two",
         std::string(1996, 'q'),
         {std::wstring(998, L'q'), std::wstring(998, L'q')}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(eventFileLines(c.bytes), c.lines);
        // A file is read in parts of any size: every cut gives the same lines.
        for (const std::size_t part : {1u, 2u, 3u, 997u, 998u, 999u}) {
            SCOPED_TRACE(part);
            std::vector<std::wstring> lines;
            const EventLineSplitter::LineSink addLine = [&lines](std::string_view line) {
                appendEventLineText(lines.emplace_back(), line);
            };
            EventLineSplitter splitter;
            for (std::size_t at = 0; at < c.bytes.size(); at += part) {
                splitter.feed(std::string_view(c.bytes).substr(at, part), addLine);
            }
            splitter.finish(addLine);
            EXPECT_EQ(lines, c.lines);
        }
    }
}

TEST(SplitColumns, CutsAtEverySemicolonUpToTenColumns) {
    const struct {
        const wchar_t* line;
        EventColumns columns;
    } kCases[] = {
        {L"a;b;c", {L"a", L"b", L"c"}},
        {L"no separator", {L"no separator"}},
        {L"a;;", {L"a", L"", L""}},
        {L"\"x;y\";z", {L"\"x", L"y\"", L"z"}},  // no quoting
        {L"1;2;3;4;5;6;7;8;9;10;11;12",
         {L"1", L"2", L"3", L"4", L"5", L"6", L"7", L"8", L"9", L"10"}},
        {L";;;;;;;;;;", {}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message() << '"' << c.line << '"');
        EXPECT_EQ(splitColumns(c.line), c.columns);
    }
}

TEST(IsDefaultLine, LooksForDefaultInAnyCaseOfAToZ) {
    const struct {
        const wchar_t* column;
        bool isDefault;
    } kCases[] = {
        {L"Default = Birthday of ", true},
        {L"Defaults for team", true},
        {L"DEFAULT", true},
        {L"my default text", true},
        {L"  dEfAuLt  ", true},
        {L"defaul", false},
        {L"de fault", false},
        {L"", false},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message() << '"' << c.column << '"');
        EXPECT_EQ(isDefaultLine(c.column), c.isDefault);
    }
}

class EventReaderTest : public testing::Test {
  protected:
    void read(const std::wstring& path = kTeam, KeyLookup* lookup = nullptr) {
        readEventFile(h.input, path, lookup);
    }
    void readLines(const std::wstring& dataLines) {
        std::string bytes;
        for (const wchar_t c : kHeader + L"\r\n" + dataLines) {
            bytes.push_back(static_cast<char>(c));
        }
        h.files.addFile(kTeam, bytes);
        read();
    }
    const ReminderEntry& entry(const std::wstring& key) {
        const ReminderEntry* found = h.complete.find(key);
        if (found == nullptr) {
            ADD_FAILURE() << "no entry under the key";
            static const ReminderEntry kNone;
            return kNone;
        }
        return *found;
    }

    EventInputHarness h;
};

TEST_F(EventReaderTest, LogsEveryLineReadWithItsNumber) {
    const struct {
        const char* name;
        std::string bytes;
        std::vector<std::wstring> lines;
    } kCases[] = {
        {"empty file", "", {}},
        {"header only", "Title;Text\r\n", {L"Line 01: Title;Text"}},
        {"data, empty lines and a last line without line feed",
         "h\r\nMother;Birthday;22.06.1957;0;1440;3;365;[k1];2\r\n\r\nMeeting;;01.02.2025;0,5;30;1;;"
         "[k2];3",
         {L"Line 01: h", L"Line 02: Mother;Birthday;22.06.1957;0;1440;3;365;[k1];2", L"Line 03: ",
          L"Line 04: Meeting;;01.02.2025;0,5;30;1;;[k2];3"}},
        {"trailing empty lines", "h\n\n\n", {L"Line 01: h", L"Line 02: ", L"Line 03: "}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        h.log.lines.clear();
        h.files.addFile(kTeam, c.bytes);
        read();
        std::vector<std::wstring> expected = {L"Reading " + kTeam + L":"};
        expected.insert(expected.end(), c.lines.begin(), c.lines.end());
        expected.push_back(h.dash());
        EXPECT_EQ(h.log.lines, expected);
    }
}

TEST_F(EventReaderTest, NumbersLinesPastNinetyNineWithoutPadding) {
    std::wstring lines;
    for (int i = 2; i <= 100; ++i) {
        lines += L"\r\n";
    }
    readLines(lines);
    ASSERT_EQ(h.log.lines.size(), 102u);
    EXPECT_EQ(h.log.lines[9], L"Line 09: ");
    EXPECT_EQ(h.log.lines[100], L"Line 100: ");
}

TEST_F(EventReaderTest, TakesTheColumnsOfADataLine) {
    readLines(
        L"Mother;Birthday;22.06.1957;0;1440;3;365;[k1];2\r\n"
        L"Meeting;;01.02.2025;0,5;30;1;;[k2];3\r\n"
        L"Clock;Text;01.02.2025;12:00;1,5;x;365;[k3];4\r\n"
        L"Blank ;Text;01.02.2025;0,25;1e1;99999999999;365;[k4];5;tenth;eleventh\r\n"
        L"Title; Text;01.02.2025;1,5,2;-2.5E1;-7;  365 ;[k5]; 6 \r\n"
        L"a;b;c\r\n");
    const struct {
        const wchar_t* key;
        const wchar_t* sWhat;
        const wchar_t* sTime;
        const wchar_t* sInterval;
        const wchar_t* sRowNumber;
        double dayTime;
        double preTrigger;
        std::int32_t repeat;
        RecurrenceKind incType;
        std::int32_t interval;
    } kCases[] = {
        {L"[k1]", L"Mother ", L"0", L"365", L"2", 0.0, 86400.0, 3, RecurrenceKind::Years, 1},
        {L"[k2]", L"Meeting", L"0.5", L"0x7FFFFFFF", L"3", 43200.0, 1800.0, 1,
         RecurrenceKind::Single, kMax32},
        // A time of day must be a day fraction; 12:00 reads as twelve days.
        {L"[k3]", L"Clock ", L"12:00", L"365", L"4", 1036800.0, 60.0, 0, RecurrenceKind::Years, 1},
        {L"[k4]", L"Blank ", L"0.25", L"365", L"5", 21600.0, 600.0, kMax32, RecurrenceKind::Years,
         1},
        {L"[k5]", L"Title", L"1.5.2", L"365", L" 6 ", 129600.0, -1500.0, -7, RecurrenceKind::Years,
         1},
        {L"", L"a ", L"", L"0x7FFFFFFF", L"", 0.0, 0.0, 0, RecurrenceKind::Single, kMax32},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.key);
        const ReminderEntry& e = entry(c.key);
        EXPECT_EQ(e.sKey, c.key);
        EXPECT_EQ(e.sWhat, c.sWhat);
        EXPECT_EQ(e.sTime, c.sTime);
        EXPECT_EQ(e.sInterval, c.sInterval);
        EXPECT_EQ(e.sRowNumber, c.sRowNumber);
        EXPECT_EQ(e.sFile, kTeam);
        EXPECT_DOUBLE_EQ(e.dayTime, c.dayTime);
        EXPECT_DOUBLE_EQ(e.preTrigger, c.preTrigger);
        EXPECT_EQ(e.repeat, c.repeat);
        EXPECT_EQ(e.incType, c.incType);
        EXPECT_EQ(e.interval, c.interval);
        EXPECT_EQ(e.postTrigger, h.input.defaultPostTrigger);
    }
    EXPECT_EQ(entry(L"[k3]").sPretrigg, L"1,5");  // only the time column turns commas to points
    EXPECT_EQ(entry(L"[k1]").sText, L"Birthday");
    EXPECT_EQ(entry(L"").sDate, L"c");
}

TEST_F(EventReaderTest, ExtremeNumbersLoadWithoutOverflow) {
    // Runs the whole line through interval, overlap check and event computation under the
    // sanitizers; the numbers saturate or become infinite, never undefined.
    readLines(
        L"A;;01.01.2025;1e999;1e999;99999999999;365;[a];1\r\n"
        L"B;;01.01.2025;-1e999;-1e999;-99999999999;1;[b];2\r\n"
        L"C;;99.99.99999999999;1e300;1e300;5;30mwd-5;[c];3\r\n"
        L"D;;01.01.2025;0;0;0;2147483647;[d];4\r\n"
        L"E;;01.01.1901;0;0;0;-2147483648mmd-31;[e];5\r\n"
        L"F;;31.12.9999;0;0;0;-99999999999abs;[f];6\r\n");
    EXPECT_EQ(entry(L"[a]").dayTime, std::numeric_limits<double>::infinity());
    EXPECT_EQ(entry(L"[a]").repeat, kMax32);
    EXPECT_EQ(entry(L"[b]").repeat, -kMax32 - 1);
    EXPECT_EQ(entry(L"[d]").interval, kMax32);
    EXPECT_EQ(entry(L"[f]").interval, -kMax32 - 1);
    EXPECT_EQ(h.complete.find(L"[e]"), nullptr);  // -2147483648 is no multiple of 30
}

TEST_F(EventReaderTest, TakesThePostTriggerOfTheInitializationFile) {
    h.input.defaultPostTrigger = 7200.0;
    readLines(L"Year;;01.02.2025;0;0;0;365;[y];2\r\n");
    EXPECT_EQ(entry(L"[y]").postTrigger, 7200.0);
}

TEST_F(EventReaderTest, SkipsLinesThatAreNoEvents) {
    h.files.addFile(kTeam, fixtureBytes("event_skips.csv"));
    read();
    // The header looks like an event but is never read as one; the default date does not make
    // the line without a date an event.
    EXPECT_EQ(keysOf(h.complete), std::vector<std::wstring>{L"[kept]"});
    EXPECT_EQ(entry(L"[kept]").incType, RecurrenceKind::Single);
    EXPECT_TRUE(h.boxes.shown.empty());
    EXPECT_EQ(h.log.lines.size(), 10u);  // file line, eight lines, dash line
}

TEST_F(EventReaderTest, AppliesDefaultLinesToTheLinesAfterThem) {
    h.files.addFile(kTeam, fixtureBytes("event_defaults.csv"));
    read();
    const struct {
        const wchar_t* key;
        const wchar_t* sWhat;
        const wchar_t* sText;
        const wchar_t* sRowNumber;
        double dayTime;
        RecurrenceKind incType;
        std::int32_t interval;
    } kCases[] = {
        // The trailing blank of the default title stays, so no second one is appended.
        {L"[d1]", L"Birthday of ", L"has birthday", L"3", 21600.0, RecurrenceKind::Years, 1},
        {L"[d2]", L"  ", L"has birthday", L"4", 21600.0, RecurrenceKind::Years, 1},
        {L"[d3]", L"Mother ", L"has birthday", L"5", 21600.0, RecurrenceKind::Months, 1},
        // DEFAULT without "=" leaves the title; its interval column replaces the default.
        {L"[d4]", L"Birthday of ", L"Other", L"7", 21600.0, RecurrenceKind::Days, 7},
        {L"[d5]", L"Noon ", L"has birthday", L"9", 43200.0, RecurrenceKind::Days, 7},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.key);
        const ReminderEntry& e = entry(c.key);
        EXPECT_EQ(e.sWhat, c.sWhat);
        EXPECT_EQ(e.sText, c.sText);
        EXPECT_EQ(e.sDate, L"12.03.1980");
        EXPECT_EQ(e.sRowNumber, c.sRowNumber);
        EXPECT_DOUBLE_EQ(e.dayTime, c.dayTime);
        EXPECT_DOUBLE_EQ(e.preTrigger, 3600.0);
        EXPECT_EQ(e.repeat, 2);
        EXPECT_EQ(e.incType, c.incType);
        EXPECT_EQ(e.interval, c.interval);
    }
    EXPECT_EQ(keysOf(h.complete),
              (std::vector<std::wstring>{L"[d1]", L"[d2]", L"[d3]", L"[d4]", L"[d5]"}));

    // The defaults belong to one reading of one file.
    const std::wstring other = L"C:\\P\\_SingleEvents\\Other.csv";
    h.files.addFile(other, "h\n;;12.03.1980;;;;;[fresh];2\n");
    read(other);
    EXPECT_EQ(entry(L"[fresh]").sWhat, L"");
    EXPECT_EQ(entry(L"[fresh]").sText, L"");
    EXPECT_EQ(entry(L"[fresh]").incType, RecurrenceKind::Single);
}

TEST_F(EventReaderTest, DefaultTitleIsTheTextAfterTheFirstEqualsSign) {
    readLines(
        L"Default=  a = b ;;;;;;;;\r\nx;;01.01.2025;;;;;[a];1\r\n"
        L"Default=;;;;;;;;\r\n;;01.01.2025;;;;;[empty];2\r\n"
        L"Default = kept;;;;;;;;\r\n=default;;;;;;;;\r\n;;01.01.2025;;;;;[first];3\r\n");
    EXPECT_EQ(entry(L"[a]").sWhat, L"x");
    EXPECT_EQ(entry(L"[empty]").sWhat, L"");
    // An "=" only at the very start changes nothing.
    EXPECT_EQ(entry(L"[first]").sWhat, L"kept");
    readLines(L"Default=  a = b ;;;;;;;;\r\n;;01.01.2025;;;;;[a2];1\r\n");
    EXPECT_EQ(entry(L"[a2]").sWhat, L"a = b ");
}

TEST_F(EventReaderTest, LaterLineOfADuplicateKeyWins) {
    // The first line concerns today, the second lies in the past: the complete dictionary keeps
    // the second, today's dictionary the last one that passed the today test.
    readLines(
        L"First;;15.06.2025;0,5;60;1;;[k5];2\r\n"
        L"Second;;01.01.2000;0;0;0;;[k5];3\r\n");
    EXPECT_EQ(entry(L"[k5]").sWhat, L"Second");
    ASSERT_NE(h.today.find(L"[k5]"), nullptr);
    EXPECT_EQ(h.today.find(L"[k5]")->sWhat, L"First");
    EXPECT_EQ(h.complete.size(), 1u);
    EXPECT_EQ(h.today.size(), 1u);
}

TEST_F(EventReaderTest, StoresInTodaysDictionaryOnlyWhatConcernsToday) {
    readLines(
        L"Now;;15.06.2025;0,5;60;1;;[now];2\r\n"
        L"Past;;01.01.2000;0;0;0;;[past];3\r\n"
        L"Later;;01.01.2030;0;0;0;;[later];4\r\n"
        L"NoStep;;15.06.2025;0,5;0;0;00;[nostep];5\r\n");
    EXPECT_EQ(keysOf(h.complete),
              (std::vector<std::wstring>{L"[later]", L"[nostep]", L"[now]", L"[past]"}));
    EXPECT_EQ(keysOf(h.today), std::vector<std::wstring>{L"[now]"});
    EXPECT_GT(entry(L"[now]").nextEventTimeSec, 0.0);
}

TEST_F(EventReaderTest, EachLineIsReadAsIfItWereTheOnlyOne) {
    // Every entry is made in the storage of the one before: nothing of an earlier line (a day
    // pointer, a shortened post trigger, a longer text) may remain in a later one.
    const std::wstring lines[] = {
        L"Monthly on a weekday;A long text for the storage;10.06.2025;0,5;60;3;30mwd2;[mwd];2",
        L"Daily;;01.01.2025;0;0;0;1;[daily];3",
        L"Now;x;15.06.2025;0,5;60;1;;[now];4",
        L"Past;;01.01.2000;0;0;0;365;[past];5",
        L"Monthly on a day;;15.06.2025;0,75;0;0;30mmd15;[mmd];6",
        L"T;;15.06.2025;0,5;;;;[short];7",
    };
    std::wstring all;
    for (const std::wstring& line : lines) {
        all += line + L"\r\n";
    }
    readLines(all);
    for (const std::wstring& line : lines) {
        SCOPED_TRACE(testing::Message() << line);
        EventInputHarness alone;
        std::string bytes;
        for (const wchar_t c : kHeader + L"\r\n" + line) {
            bytes.push_back(static_cast<char>(c));
        }
        alone.files.addFile(kTeam, bytes);
        readEventFile(alone.input, kTeam, nullptr);
        ASSERT_EQ(alone.complete.size(), 1u);
        const auto& [key, expected] = *alone.complete.begin();
        ASSERT_NE(h.complete.find(key), nullptr);
        expectSameEntry(*h.complete.find(key), expected);
        const ReminderEntry* todays = h.today.find(key);
        ASSERT_EQ(todays != nullptr, alone.today.find(key) != nullptr);
        if (todays != nullptr) {
            expectSameEntry(*todays, *alone.today.find(key));
        }
    }
}

TEST_F(EventReaderTest, ReadsEachPieceOfALongLineAsALineOfItsOwn) {
    const std::wstring data = L"Tail;;15.06.2025;0,5;0;0;;[tail];9";
    readLines(std::wstring(1996, L'x') + data + L"\r\nNext;;15.06.2025;0,5;0;0;;[next];10\r\n");
    ASSERT_EQ(h.log.lines.size(), 7u);
    EXPECT_EQ(h.log.lines[2], L"Line 02: " + std::wstring(998, L'x'));
    EXPECT_EQ(h.log.lines[3], L"Line 03: " + std::wstring(998, L'x'));
    EXPECT_EQ(h.log.lines[4], L"Line 04: " + data);
    EXPECT_EQ(h.log.lines[5], L"Line 05: Next;;15.06.2025;0,5;0;0;;[next];10");
    EXPECT_EQ(keysOf(h.complete), (std::vector<std::wstring>{L"[next]", L"[tail]"}));
}

TEST_F(EventReaderTest, ReadsUtf8BytesOneCharacterPerByte) {
    h.files.addFile(kTeam, fixtureBytes("event_utf8.csv"));
    read();
    // The byte order mark lands in the header line, which is not interpreted.
    ASSERT_GE(h.log.lines.size(), 2u);
    EXPECT_TRUE(h.log.lines[1].starts_with(L"Line 01: \u00EF\u00BB\u00BFTitel;"));
    EXPECT_EQ(entry(L"[u1]").sWhat, L"Geburtstag M\u00C3\u00A4x ");
    EXPECT_EQ(entry(L"[u1]").incType, RecurrenceKind::Years);
}

TEST_F(EventReaderTest, DecidesEveryIntervalForm) {
    h.files.addFile(kTeam, fixtureBytes("event_intervals.csv"));
    read();
    const struct {
        const wchar_t* key;
        const wchar_t* sInterval;
        RecurrenceKind incType;
        std::int32_t interval;
        std::int32_t dayPointer;
    } kCases[] = {
        {L"[days7]", L"7", RecurrenceKind::Days, 7, 0},
        {L"[days31]", L"31", RecurrenceKind::Days, 31, 0},
        {L"[month1]", L"30", RecurrenceKind::Months, 1, 0},
        {L"[month12]", L"360", RecurrenceKind::Months, 12, 0},
        {L"[year1]", L"365", RecurrenceKind::Years, 1, 0},
        {L"[abs30]", L"30abs", RecurrenceKind::Days, 30, 0},
        {L"[abs7]", L"7 abs 99", RecurrenceKind::Days, 7, 0},
        {L"[mwd]", L"30mwd2", RecurrenceKind::MonthWeekday, 1, 2},
        {L"[mwdlast]", L"90mwd-1", RecurrenceKind::MonthWeekday, 3, -1},
        {L"[mmd]", L"30mmd15", RecurrenceKind::MonthDay, 1, 15},
        {L"[mmd0]", L"30mmd0", RecurrenceKind::MonthDay, 1, 0},
        {L"[single]", L"0x7FFFFFFF", RecurrenceKind::Single, kMax32, 0},
        {L"[zero]", L"0x7FFFFFFF", RecurrenceKind::Single, kMax32, 0},
        {L"[huge]", L"99999999999", RecurrenceKind::Days, kMax32, 0},
        {L"[nostep]", L"00", RecurrenceKind::Months, 0, 0},
        {L"[negative]", L"-30mwd2", RecurrenceKind::MonthWeekday, -1, 2},
    };
    std::vector<std::wstring> expectedKeys;
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.key);
        expectedKeys.push_back(c.key);
        const ReminderEntry& e = entry(c.key);
        EXPECT_EQ(e.sInterval, c.sInterval);
        EXPECT_EQ(e.incType, c.incType);
        EXPECT_EQ(e.interval, c.interval);
        EXPECT_EQ(e.dayPointer, c.dayPointer);
    }
    // Comments, "-1" and the two refused columns are not stored.
    std::sort(expectedKeys.begin(), expectedKeys.end());
    EXPECT_EQ(keysOf(h.complete), expectedKeys);
    const std::wstring path = L"\nFile name and path: " + kTeam + L"\nLine number in file: ";
    EXPECT_EQ(h.boxesStartingWith(L"Incorrect entry in interval column."),
              (std::vector<std::wstring>{h.input.texts.messages[msg::kIntervalFailedChecks] +
                                             L"Month value not divisible by 30. Week value > 5. " +
                                             path + L"21",
                                         h.input.texts.messages[msg::kIntervalInvalidCharacters] +
                                             L"30MWD2; Invalid characters = MWD" + path + L"22"}));
}

TEST_F(EventReaderTest, ErrorBoxesStopAfterTheBudgetButLinesAreStillRefused) {
    std::wstring lines;
    for (int i = 0; i < 7; ++i) {
        lines += L"Bad;;01.01.2025;0;0;0;7d;[bad" + std::to_wstring(i) + L"];1\r\n";
    }
    readLines(lines + L"Good;;01.01.2025;0;0;0;365;[good];9\r\n");
    ASSERT_EQ(h.boxes.shown.size(), 5u);
    EXPECT_TRUE(h.boxes.shown[4].text.ends_with(L"Line number in file: 6"));
    EXPECT_EQ(keysOf(h.complete), std::vector<std::wstring>{L"[good]"});
}

// Keys whose reminders the emitted reminders log cannot keep, so that they would come back after
// every reload: one holding the log's separator "<@@@>", and the test reminder's own key.
TEST_F(EventReaderTest, RefusesKeysWhoseRemindersCouldNotBeRemembered) {
    const struct {
        std::wstring key;
        int message;
    } kCases[] = {
        {L"[a<@@@>b]", msg::kKeyHoldsSeparator},
        {kTestReminderKey, msg::kKeyOfTestReminder},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.key);
        h.boxes.shown.clear();
        h.complete.clear();
        readLines(L"Tax;;01.01.2025;0;0;0;365;" + c.key +
                  L";2\r\nGood;;01.01.2025;0;0;0;365;[good];3\r\n");
        ASSERT_EQ(h.boxes.shown.size(), 1u);
        EXPECT_EQ(h.boxes.shown[0].text,
                  h.input.texts.messages[static_cast<std::size_t>(c.message)] + c.key +
                      L"\nFile name and path: " + kTeam + L"\nLine number in file: 2");
        EXPECT_EQ(keysOf(h.complete), std::vector<std::wstring>{L"[good]"});
    }
}

// A file arrives in parts of any size; lines across parts read as if the file came whole.
TEST_F(EventReaderTest, ReadsTheSameWhateverThePartsOfTheFile) {
    std::wstring lines;
    for (int i = 0; i < 40; ++i) {
        lines += L"Event " + std::to_wstring(i) + L";Note;0" + std::to_wstring(i % 9 + 1) +
                 L".01.2025;0,5;30;1;" + (i % 3 == 0 ? L"7" : L"365") + L";[k" +
                 std::to_wstring(i) + L"];" + std::to_wstring(i + 2) + L"\r\n";
    }
    lines += std::wstring(2100, L'x') + L"\r\nlast;;01.01.2025;0;0;0;1;[last];99";
    readLines(lines);
    const std::vector<std::wstring> wholeLog = h.log.lines;
    std::vector<ReminderEntry> whole;
    for (const auto& [key, entry] : h.complete) {
        whole.push_back(entry);
    }
    for (const std::size_t part : {1u, 2u, 5u, 64u}) {
        SCOPED_TRACE(part);
        EventInputHarness other;
        other.files.setReadPartSize(part);
        other.files.addFile(kTeam, *h.files.fileBytes(kTeam));
        readEventFile(other.input, kTeam, nullptr);
        EXPECT_EQ(other.log.lines, wholeLog);
        ASSERT_EQ(keysOf(other.complete), keysOf(h.complete));
        for (const ReminderEntry& entry : whole) {
            expectSameEntry(*other.complete.find(entry.sKey), entry);
        }
    }
}

TEST_F(EventReaderTest, ShowsTheOverlapMessageAndStoresTheShortenedEntry) {
    readLines(L"Daily;;01.01.2025;0;0;0;1;[daily];4\r\n");
    ASSERT_EQ(h.boxes.shown.size(), 1u);
    EXPECT_TRUE(
        h.boxes.shown[0].text.starts_with(h.input.texts.messages[msg::kPostPeriodShortened]));
    EXPECT_LT(entry(L"[daily]").postTrigger, 259200.0);
}

TEST_F(EventReaderTest, LookupFillsTheRecordAndLogsNothing) {
    std::wstring lines;
    for (int n = 2; n < 12; ++n) {
        lines += L"Other;;01.01.2025;0;0;0;;[other];" + std::to_wstring(n) + L"\r\n";
    }
    lines += L"Team;;01.01.2025;0;0;0;;[wanted];11\r\n";
    std::string bytes;
    for (const wchar_t c : kHeader + L"\r\n" + lines) {
        bytes.push_back(static_cast<char>(c));
    }
    h.files.addFile(kTeam, bytes);
    KeyLookup lookup;
    lookup.key = L"[wanted]";
    read(kTeam, &lookup);
    EXPECT_TRUE(lookup.found);
    EXPECT_EQ(lookup.filePath, L"C:\\P\\_SingleEvents\\Team.xlsm");
    EXPECT_EQ(lookup.rowNumber, L"11");
    EXPECT_EQ(lookup.foundKey, L"[wanted]");
    EXPECT_TRUE(h.log.lines.empty());
    // The lines are stored all the same.
    EXPECT_EQ(keysOf(h.complete), (std::vector<std::wstring>{L"[other]", L"[wanted]"}));
}

TEST_F(EventReaderTest, LookupFindsLinesThatAreSkippedAndTakesTheLastMatch) {
    const struct {
        const char* name;
        std::string bytes;
        const wchar_t* rowNumber;
    } kCases[] = {
        {"default line", "h\nDefault;;;;;;;[k];d\n", L"d"},
        {"no date", "h\nx;;;;;;;[k];nodate\n", L"nodate"},
        {"comment", "h\nx;;01.01.2025;;;;#7;[k];comment\n", L"comment"},
        {"refused interval", "h\nx;;01.01.2025;;;;7d;[k];refused\n", L"refused"},
        {"later match", "h\nx;;01.01.2025;;;;;[k];1\ny;;01.01.2025;;;;;[k];2\n", L"2"},
    };
    const std::wstring path = L"C:\\P\\dir.csv\\Team.csv";
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        h.files.addFile(path, c.bytes);
        KeyLookup lookup;
        lookup.key = L"[k]";
        read(path, &lookup);
        EXPECT_TRUE(lookup.found);
        EXPECT_EQ(lookup.rowNumber, c.rowNumber);
        EXPECT_EQ(lookup.filePath, L"C:\\P\\dir.xlsm\\Team.xlsm");  // every ".csv"
    }
    // The header is never looked at, and the key is compared exactly.
    h.files.addFile(path, "x;;01.01.2025;;;;;[k];1\ny;;01.01.2025;;;;;[K];2\n");
    KeyLookup lookup;
    lookup.key = L"[k]";
    read(path, &lookup);
    EXPECT_FALSE(lookup.found);
}

TEST_F(EventReaderTest, FileThatCannotBeReadIsReportedLikeAMissingOne) {
    const struct {
        const char* name;
        void (*setUp)(FakeFileSystem&);
        bool lookupMode;
    } kCases[] = {
        {"missing", [](FakeFileSystem&) {}, false},
        {"missing, lookup", [](FakeFileSystem&) {}, true},
        {"locked",
         [](FakeFileSystem& files) {
             files.addFile(kTeam, "h\nx;;01.01.2025;;;;;[k];1\n");
             files.lock(kTeam);
         },
         false},
        {"locked, lookup",
         [](FakeFileSystem& files) {
             files.addFile(kTeam, "h\nx;;01.01.2025;;;;;[k];1\n");
             files.lock(kTeam);
         },
         true},
        {"directory", [](FakeFileSystem& files) { files.addDirectory(kTeam); }, false},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        EventInputHarness fresh;
        c.setUp(fresh.files);
        fresh.complete.slot(L"[before]").sWhat = L"kept";
        KeyLookup lookup;
        lookup.key = L"[k]";
        readEventFile(fresh.input, kTeam, c.lookupMode ? &lookup : nullptr);
        EXPECT_EQ(fresh.log.lines, (std::vector<std::wstring>{missingLine(kTeam), fresh.dash()}));
        EXPECT_EQ(keysOf(fresh.complete), std::vector<std::wstring>{L"[before]"});
        EXPECT_FALSE(lookup.found);
    }
}

TEST_F(EventReaderTest, ReportsAMissingFileInGerman) {
    EventInput german{h.files,    h.log,   h.errorBoxes, germanTables(),
                      h.complete, h.today, h.input.now,  259200.0,
                      1,          h.dash()};
    readEventFile(german, kTeam, nullptr);
    EXPECT_EQ(h.log.lines[0], L"Die angeforderte Erinnerungsdatei " + kTeam +
                                  L" wurde nicht gefunden und kann daher nicht gelesen werden.");
}

}  // namespace
}  // namespace tindlow
