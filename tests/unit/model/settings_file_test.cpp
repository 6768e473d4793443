#include "model/settings_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "fakes/fake_file_system.h"
#include "fakes/fake_message_boxes.h"
#include "fakes/recording_log.h"
#include "model/text_files.h"
#include "model/text_tables.h"

namespace tindlow {
namespace {

const std::wstring kPath = L"C:\\P\\_Settings\\Settings.txt";
const std::wstring kDash = std::wstring(500, L'-');
const std::wstring kHeader = L"Read/Lese " + kPath + L":\n";

std::string narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end());
}

bool sameSettings(const Settings& a, const Settings& b) {
    return a.language == b.language && a.startX == b.startX && a.startY == b.startY &&
           a.days == b.days;
}

std::string describe(const Settings& s) {
    return narrow(s.language) + " " + std::to_string(s.startX) + "," + std::to_string(s.startY) +
           " " + std::to_string(s.days);
}

class SettingsFileTest : public ::testing::Test {
  protected:
    SettingsFileTest() { files.addDirectory(L"C:\\P\\_Settings"); }

    Settings read(Settings settings = {}) {
        readSettingsFile(files, log, boxes, kPath, kDash, settings);
        return settings;
    }

    FakeFileSystem files;
    RecordingLog log;
    FakeMessageBoxes boxes;
};

TEST_F(SettingsFileTest, TakesTheKnownLinesAndLogsThem) {
    const struct {
        const char* name;
        std::string bytes;
        Settings expected;
        std::vector<std::wstring> logged;  // between the header and the dash line
    } kCases[] = {
        {"own file",
         "Language = German\r\nStartPosition = 10,-20\r\nPreviewLookbackDays = 30\r\n",
         {L"German", 10, -20, 30},
         {L"Line/Zeile 01: Language = German", L"Line/Zeile 02: StartPosition = 10,-20",
          L"Line/Zeile 03: PreviewLookbackDays = 30"}},
        {"other order, comments, unknown and empty lines, no final line end",
         "# kept by hand\nPreviewLookbackDays = 5\nColour = red\n\nStartPosition = 1,2\n"
         "Language = English",
         {L"English", 1, 2, 5},
         {L"Line/Zeile 01: PreviewLookbackDays = 5", L"Line/Zeile 02: StartPosition = 1,2",
          L"Line/Zeile 03: Language = English"}},
        {"days 0 is ignored but logged",
         "PreviewLookbackDays = 0\r\n",
         {},
         {L"Line/Zeile 01: PreviewLookbackDays = 0"}},
        {"days 1001 is ignored but logged",
         "PreviewLookbackDays = 1001\r\n",
         {},
         {L"Line/Zeile 01: PreviewLookbackDays = 1001"}},
        {"days at the limits",
         "PreviewLookbackDays = 1\r\nPreviewLookbackDays = 1000\r\n",
         {L"English", 0, 0, 1000},
         {L"Line/Zeile 01: PreviewLookbackDays = 1", L"Line/Zeile 02: PreviewLookbackDays = 1000"}},
        {"days read leniently",
         "PreviewLookbackDays =  +7 days\r\n",
         {L"English", 0, 0, 7},
         {L"Line/Zeile 01: PreviewLookbackDays =  +7 days"}},
        {"start position without comma is neither taken nor counted",
         "StartPosition = 100\r\nLanguage = German\r\n",
         {L"German", 0, 0, 11},
         {L"Line/Zeile 01: Language = German"}},
        {"start position parts are trimmed",
         "StartPosition =   -20 , 35 \r\n",
         {L"English", -20, 35, 11},
         {L"Line/Zeile 01: StartPosition =   -20 , 35 "}},
        {"start position parts without digits give 0",
         "StartPosition = x,\r\n",
         {L"English", 0, 0, 11},
         {L"Line/Zeile 01: StartPosition = x,"}},
        {"keys match exactly at the line start",
         "language = German\r\nLanguage=German\r\n Language = German\r\nLANGUAGE = German\r\n"
         "StartPosition= 5,5\r\npreviewLookbackDays = 5\r\n",
         {},
         {}},
        {"language is trimmed, may be empty or anything",
         "Language =   Deutsch \t\r\nLanguage = \r\n",
         {L"", 0, 0, 11},
         {L"Line/Zeile 01: Language =   Deutsch \t", L"Line/Zeile 02: Language = "}},
        {"the later of two lines wins",
         "Language = Klingon\nLanguage = German\n",
         {L"German", 0, 0, 11},
         {L"Line/Zeile 01: Language = Klingon", L"Line/Zeile 02: Language = German"}},
        {"empty file", "", {}, {}},
    };
    for (const auto& row : kCases) {
        SCOPED_TRACE(row.name);
        files.addFile(kPath, row.bytes);
        log.lines.clear();

        const Settings got = read();

        EXPECT_TRUE(sameSettings(got, row.expected)) << describe(got);
        std::vector<std::wstring> expectedLog = {kHeader};
        expectedLog.insert(expectedLog.end(), row.logged.begin(), row.logged.end());
        expectedLog.push_back(kDash);
        EXPECT_EQ(log.lines, expectedLog);
    }
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(SettingsFileTest, LogNumbersGrowPastTwoDigitsAsNeeded) {
    std::string bytes;
    for (int i = 0; i < 100; ++i) {
        bytes += "PreviewLookbackDays = 3\r\n";
    }
    files.addFile(kPath, bytes);
    read();
    ASSERT_EQ(log.lines.size(), 102u);
    EXPECT_EQ(log.lines[9], L"Line/Zeile 09: PreviewLookbackDays = 3");
    EXPECT_EQ(log.lines[100], L"Line/Zeile 100: PreviewLookbackDays = 3");
}

// An editor may save the file with a byte order mark; the values read are the same.
TEST_F(SettingsFileTest, ReadsUtf8AndUtf16LittleEndianFilesLikeItsOwn) {
    const std::wstring text =
        L"Language = Fran\u00e7ais\nStartPosition = 3,4\nPreviewLookbackDays = 12\n";
    const struct {
        const char* name;
        std::string bytes;
    } kCases[] = {
        {"8-bit", encodeByteText(text)},
        {"UTF-8 with BOM",
         "\xEF\xBB\xBFLanguage = Fran\xC3\xA7"
         "ais\r\nStartPosition = 3,4\r\n"
         "PreviewLookbackDays = 12\r\n"},
        {"UTF-16LE with BOM", encodeUtf16LeWithBom(text)},
    };
    for (const auto& row : kCases) {
        SCOPED_TRACE(row.name);
        files.addFile(kPath, row.bytes);
        log.lines.clear();

        const Settings got = read();

        EXPECT_TRUE(sameSettings(got, Settings{L"Fran\u00e7ais", 3, 4, 12})) << describe(got);
        ASSERT_EQ(log.lines.size(), 5u);
        EXPECT_EQ(log.lines[1], L"Line/Zeile 01: Language = Fran\u00e7ais");
    }
    EXPECT_TRUE(boxes.shown.empty());
}

// The box shows both languages, whatever the language setting, and no value changes.
TEST_F(SettingsFileTest, UnopenableFileGivesTheBilingualBoxAndKeepsTheValues) {
    const struct {
        const char* name;
        std::optional<std::string> bytes;
        int error;
    } kCases[] = {
        {"missing", std::nullopt, 2},
        {"UTF-16 big-endian", std::string("\xFE\xFF\0L\0a", 6), 22},
    };
    for (const auto& row : kCases) {
        SCOPED_TRACE(row.name);
        FakeFileSystem fresh;
        if (row.bytes) {
            fresh.addFile(kPath, *row.bytes);
        }
        RecordingLog ownLog;
        FakeMessageBoxes ownBoxes;
        Settings settings{L"German", -5, 7, 30};

        readSettingsFile(fresh, ownLog, ownBoxes, kPath, kDash, settings);

        EXPECT_TRUE(sameSettings(settings, Settings{L"German", -5, 7, 30}));
        EXPECT_EQ(ownLog.lines, (std::vector<std::wstring>{kHeader, kDash}));
        ASSERT_EQ(ownBoxes.shown.size(), 1u);
        const std::wstring e = std::to_wstring(row.error);
        EXPECT_EQ(ownBoxes.shown[0].text,
                  L"English: \n" + englishTables().messages[msg::kSettingsFileNotOpened] + e +
                      L"\n\nDeutsch: \n" + germanTables().messages[msg::kSettingsFileNotOpened] +
                      e);
        EXPECT_EQ(ownBoxes.shown[0].icon, BoxIcon::Exclamation);
        EXPECT_FALSE(ownBoxes.shown[0].caption.empty());
    }
}

TEST_F(SettingsFileTest, WritesThreeLinesAsEightBitText) {
    const Settings defaults;
    Settings german;
    german.language = L"German";
    german.startX = -32000;
    german.startY = -32000;
    german.days = 999;
    // The settings are filled in by assignment: GCC 12 at -O3 takes the strings of an aggregate
    // table of them for uninitialized.
    const struct {
        const Settings& settings;
        const char* bytes;
    } kCases[] = {
        {defaults, "Language = English\r\nStartPosition = 0,0\r\nPreviewLookbackDays = 11\r\n"},
        {german,
         "Language = German\r\nStartPosition = -32000,-32000\r\nPreviewLookbackDays = 999\r\n"},
    };
    for (const auto& row : kCases) {
        SCOPED_TRACE(describe(row.settings));
        EXPECT_EQ(writeSettingsFile(files, kPath, row.settings), 0);
        EXPECT_EQ(files.fileBytes(kPath), row.bytes);
        EXPECT_FALSE(files.exists(settingsTempPath(kPath)));
    }
}

// What the reader can hand back (no line feed inside, no white space at the ends, characters up
// to U+00FF) comes back unchanged; other values come back trimmed, or with "?" for what 8-bit
// text cannot hold.
TEST_F(SettingsFileTest, RoundTripKeepsWhatTheReaderCanProduce) {
    std::wstring every8Bit = L"<";
    for (wchar_t c = 0; c <= 0xFF; ++c) {
        if (c != L'\n') {
            every8Bit += c;
        }
    }
    every8Bit += L">";
    constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
    constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
    const struct {
        const char* name;
        Settings written;
        Settings readBack;
    } kCases[] = {
        {"every 8-bit character but LF", {every8Bit, 1, 2, 3}, {every8Bit, 1, 2, 3}},
        {"32-bit limits", {L"English", kMin, kMax, 1000}, {L"English", kMin, kMax, 1000}},
        {"blanks at the ends", {L" \tGerman \t", 0, 0, 11}, {L"German", 0, 0, 11}},
        {"beyond 8 bits", {L"Deutsch\u20ac", 0, 0, 11}, {L"Deutsch?", 0, 0, 11}},
    };
    for (const auto& row : kCases) {
        SCOPED_TRACE(row.name);
        ASSERT_EQ(writeSettingsFile(files, kPath, row.written), 0);
        const Settings got = read(Settings{L"x", 9, 9, 9});
        EXPECT_TRUE(sameSettings(got, row.readBack)) << describe(got);
    }
}

// A write that fails halfway (disk full, file locked) must leave the old file as it was and no
// temporary file behind.
TEST_F(SettingsFileTest, FailedWriteKeepsTheOldFile) {
    const std::string old =
        "Language = German\r\nStartPosition = 1,1\r\nPreviewLookbackDays = 5\r\n";
    const struct {
        const char* name;
        std::wstring failingPath;
        int error;
    } kCases[] = {
        {"temporary file cannot be written", settingsTempPath(kPath), 28},
        {"old file cannot be replaced", kPath, 13},
    };
    for (const auto& row : kCases) {
        SCOPED_TRACE(row.name);
        FakeFileSystem fresh;
        fresh.addFile(kPath, old);
        fresh.failWritesWith(row.failingPath, row.error);

        EXPECT_EQ(writeSettingsFile(fresh, kPath, Settings{}), row.error);

        EXPECT_EQ(fresh.fileBytes(kPath), old);
        EXPECT_FALSE(fresh.exists(settingsTempPath(kPath)));
    }
}

TEST_F(SettingsFileTest, WriteIntoAMissingDirectoryFailsWithoutTraces) {
    FakeFileSystem fresh;
    EXPECT_NE(writeSettingsFile(fresh, kPath, Settings{}), 0);
    EXPECT_FALSE(fresh.exists(kPath));
    EXPECT_FALSE(fresh.exists(settingsTempPath(kPath)));
}

}  // namespace
}  // namespace tindlow
