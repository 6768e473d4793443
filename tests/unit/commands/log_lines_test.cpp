#include <gtest/gtest.h>

#include "commands/log_lines.h"

namespace tindlow {
namespace {

const std::wstring kKey = L"[06.11.2018-10:09:27-963303772-775740099]";
const std::wstring kReminderLine =
    L"012   Event: Dentist at the clinic [Input Date: 22.06.2024] [Trigger Date: 22.06.2025 "
    L"08:30:00] [File: C:\\P\\_PeriodicEvents\\Health.csv] [Line: 5] [Key: " +
    kKey + L"]";

TEST(LogLines, KeyLine) {
    const struct {
        std::wstring text;
        bool isKey;
    } kCases[] = {
        {kKey, true},
        {L"[01.12.2026-10:00:00-123-456]", true},  // exactly 20 digits
        {L"[01.12.2026-10:00:00-123-45]", false},  // 19 digits
        {L"[01.12.2026.-10:00:00-123456789-987654321]", false},
        {L"[01.12.2026-10:00:00:-123456789-987654321]", false},
        {L"[01.12.2026-10:00:00-123456789-98765-4321]", false},
        {kReminderLine, false},
        {L"", false},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(isKeyLine(c.text), c.isKey);
    }
}

TEST(LogLines, FileLineAndItsPath) {
    const struct {
        std::wstring line;
        std::wstring readingWord;
        std::wstring path;  // empty: not a file line
    } kCases[] = {
        {L"042   Reading C:\\Data\\_SingleEvents\\Dates.csv:", L"Reading ",
         L"C:\\Data\\_SingleEvents\\Dates.csv"},
        {L"042   Lese C:\\Data\\_SingleEvents\\Dates.csv:", L"Lese ",
         L"C:\\Data\\_SingleEvents\\Dates.csv"},
        // Logged before a switch of the language.
        {L"042   Reading C:\\Data\\_SingleEvents\\Dates.csv:", L"Lese ", L""},
        // A network file named by a UNC path has no drive colon.
        {L"042   Reading \\\\server\\events\\Team.csv:", L"Reading ",
         L"\\\\server\\events\\Team.csv"},
        {L"042   Reading Data\\Team.csv:", L"Reading ", L""},
        {L"042   Reading C:\\Data\\Dates.txt:", L"Reading ", L""},
        {L"042   Reading C:Dates.csv:", L"Reading ", L""},
        {L"042   Line 03: Reading C:\\Data\\Dates.csv:", L"Reading ", L""},
        {L"042   Reading C:\\Data\\Dates.csv", L"Reading ", L""},
        {kNoListboxEntrySelected, L"Reading ", L""},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(isFileLine(c.line, c.readingWord), !c.path.empty());
        if (!c.path.empty()) {
            EXPECT_EQ(filePathOfLine(c.line, c.readingWord), c.path);
        }
    }
    EXPECT_EQ(filePathOfLine(L"Reading C:\\a.csv:::", L"Reading "), L"C:\\a.csv");
}

TEST(LogLines, KeyOfALine) {
    const std::wstring other = L"[01.12.2026-10:00:00-123456789-987654321]";
    const struct {
        std::wstring line;
        std::wstring key;  // empty: no key
    } kCases[] = {
        {kReminderLine, kKey},
        {L"01) Event: x [Key: " + other + L"] [Key: " + kKey + L"]", kKey},
        {kKey, kKey},
        {L"003   The 'Reload Dates' button was pressed.", L""},
        {kNoListboxEntrySelected, L""},
        // The last brackets hold something else.
        {kReminderLine + L" [x]", L""},
        {kReminderLine + L" [", L""},
        // Too few points, colons or dashes in the whole line.
        {L"[Key: [0611.2018-10:09:27-963303772-775740099]]", L""},
        {L"[Key: [06.11.2018-1009:27-963303772-775740099]]", L""},
        {L"[Key: [06.11.2018-10:09:27-963303772775740099]]", L""},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.line);
        const std::optional<std::wstring> key = extractKey(c.line);
        EXPECT_EQ(key.value_or(L""), c.key);
    }
}

}  // namespace
}  // namespace tindlow
