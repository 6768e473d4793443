#include "model/text_files.h"

#include <gtest/gtest.h>

#include "fakes/fake_file_system.h"

namespace tindlow {
namespace {

using namespace std::string_literals;

const std::wstring kFile = L"C:\\P\\_Exports\\out.txt";
const std::wstring kMissingDirectoryFile = L"C:\\P\\_Nowhere\\out.txt";

// U+1F600 as UTF-16 code units; texts hold code units on every platform.
const std::wstring kGrinning{static_cast<wchar_t>(0xD83D), static_cast<wchar_t>(0xDE00)};

class TextFilesTest : public testing::Test {
  protected:
    TextFilesTest() { files.addDirectory(L"C:\\P\\_Exports"); }
    FakeFileSystem files;
};

TEST_F(TextFilesTest, WriteUnicodeFileWritesUtf16LeWithBomAndCrLf) {
    const struct {
        std::wstring text;
        std::string bytes;
    } kCases[] = {
        {L"", "\xFF\xFE"s},
        {L"a\nb",
         "\xFF\xFE"
         "a\0\r\0\n\0b\0"s},
        {L"\n\n", "\xFF\xFE\r\0\n\0\r\0\n\0"s},
        {L"x\r\n",
         "\xFF\xFE"
         "x\0\r\0\r\0\n\0"s},  // a CR of the text stays
        {L"\u00E4\u20AC", "\xFF\xFE\xE4\x00\xAC\x20"s},
        {kGrinning, "\xFF\xFE\x3D\xD8\x00\xDE"s},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message() << '"' << c.text << '"');
        EXPECT_EQ(writeUnicodeFile(files, kFile, c.text), 0);
        EXPECT_EQ(files.fileBytes(kFile), c.bytes);
    }
}

#if WCHAR_MAX > 0xFFFF
TEST_F(TextFilesTest, WriteUnicodeFileSplitsWideCodePointsIntoSurrogates) {
    const std::wstring text{static_cast<wchar_t>(0x1F600), static_cast<wchar_t>(0x110000)};
    EXPECT_EQ(writeUnicodeFile(files, kFile, text), 0);
    EXPECT_EQ(files.fileBytes(kFile), "\xFF\xFE\x3D\xD8\x00\xDE\xFD\xFF"s);
}
#endif

TEST_F(TextFilesTest, WriteByteTextFileWritesOneBytePerCharacter) {
    const struct {
        std::wstring text;
        std::string bytes;
    } kCases[] = {
        {L"", ""s},
        {L"Language = English\nDays = 11\n", "Language = English\r\nDays = 11\r\n"s},
        {L"x\r\n", "x\r\r\n"s},
        {L"\u00C4\u00FF\u0100\u20AC" + kGrinning, "\xC4\xFF????"s},
        {std::wstring(1, L'\0') + L"z", "\0z"s},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message() << '"' << c.text << '"');
        EXPECT_EQ(writeByteTextFile(files, kFile, c.text), 0);
        EXPECT_EQ(files.fileBytes(kFile), c.bytes);
    }
}

TEST(ByteText, MapsEveryByteToTheCharacterOfTheSameCode) {
    for (int code = 0; code < 256; ++code) {
        SCOPED_TRACE(code);
        const std::string byte(1, static_cast<char>(code));
        const std::wstring text = decodeByteText(byte);
        ASSERT_EQ(text, std::wstring(1, static_cast<wchar_t>(code)));
        EXPECT_EQ(encodeByteText(text), code == '\n' ? "\r\n"s : byte);
    }
}

TEST_F(TextFilesTest, WritesReportTheFailedOpen) {
    files.addFile(kFile, "old");
    files.lock(kFile);
    EXPECT_EQ(writeUnicodeFile(files, kFile, L"new"), 13);
    EXPECT_EQ(writeByteTextFile(files, kFile, L"new"), 13);
    EXPECT_EQ(files.fileBytes(kFile), "old");

    EXPECT_EQ(writeUnicodeFile(files, kMissingDirectoryFile, L"new"), 2);
    EXPECT_EQ(writeByteTextFile(files, kMissingDirectoryFile, L"new"), 2);
    EXPECT_FALSE(files.exists(kMissingDirectoryFile));
}

TEST_F(TextFilesTest, ReadUnicodeLinesSplitsAtLineEnds) {
    const struct {
        std::string bytes;
        std::vector<std::wstring> lines;
    } kCases[] = {
        {""s, {}},
        {"a"s, {L"a"}},
        {"a\n"s, {L"a"}},
        {"a\nb"s, {L"a", L"b"}},
        {"a\r\nb\r\n"s, {L"a", L"b"}},
        {"\n"s, {L""}},
        {"\r\n"s, {L""}},
        {"a\n\nb\n"s, {L"a", L"", L"b"}},
        {"a\rb\n"s, {L"a\rb"}},  // a lone CR stays in the line
        {"a\r"s, {L"a\r"}},
        {"a\r\r\n"s, {L"a\r"}},
        {"\xC4\xFF\x80\n"s, {L"\u00C4\u00FF\u0080"}},  // no byte-order mark: one byte per character
        {"x\0y"s, {L"x\0y"s}},
        {"\xEF\xBB"s, {L"\u00EF\u00BB"}},  // half a mark is text
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::PrintToString(c.bytes));
        files.addFile(kFile, c.bytes);
        std::vector<std::wstring> lines;
        EXPECT_EQ(readUnicodeLines(files, kFile, lines), static_cast<int>(c.lines.size()));
        EXPECT_EQ(lines, c.lines);
    }
}

// A CR that ends the text is a character of the last line, or its end; elsewhere the modes agree.
TEST(TextLines, AFinalCrIsReadAsTheModeSays) {
    const struct {
        std::wstring text;
        std::vector<std::wstring> inLine;
        std::vector<std::wstring> lineEnd;
    } kCases[] = {
        {L"a\r", {L"a\r"}, {L"a"}},
        {L"\r", {L"\r"}, {L""}},
        {L"a\r\nb\r", {L"a", L"b\r"}, {L"a", L"b"}},
        {L"a\r\r", {L"a\r\r"}, {L"a\r"}},
        {L"a\rb\r\n", {L"a\rb"}, {L"a\rb"}},
        {L"", {}, {}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::PrintToString(c.text));
        for (const FinalReturn mode : {FinalReturn::InLine, FinalReturn::LineEnd}) {
            const auto& expected = mode == FinalReturn::InLine ? c.inLine : c.lineEnd;
            std::vector<std::wstring> lines{L"before"};
            EXPECT_EQ(appendTextLines(c.text, lines, mode), static_cast<int>(expected.size()));
            lines.erase(lines.begin());
            EXPECT_EQ(lines, expected);
        }
    }
}

TEST_F(TextFilesTest, ReadUnicodeLinesDecodesByTheByteOrderMark) {
    const std::wstring bad(1, static_cast<wchar_t>(0xFFFD));
    const struct {
        std::string bytes;
        std::vector<std::wstring> lines;
    } kCases[] = {
        {"\xEF\xBB\xBF"s, {}},
        {"\xEF\xBB\xBF"
         "Gr\xC3\xBC\xC3\x9F"
         "e\r\n\xE2\x82\xAC\n"s,
         {L"Gr\u00FC\u00DFe", L"\u20AC"}},
        {"\xEF\xBB\xBF\xF0\x9F\x98\x80"s, {kGrinning}},
        {"\xEF\xBB\xBF\xC3"s, {bad}},                                // cut off at the end
        {"\xEF\xBB\xBF\xC3\x41"s, {bad + L"A"}},                     // cut off by an ASCII byte
        {"\xEF\xBB\xBF\x80x"s, {bad + L"x"}},                        // stray continuation byte
        {"\xEF\xBB\xBF\xC0\xAF"s, {bad + bad}},                      // overlong
        {"\xEF\xBB\xBF\xE0\x80\xAF"s, {bad + bad + bad}},            // overlong
        {"\xEF\xBB\xBF\xED\xA0\x80"s, {bad + bad + bad}},            // surrogate
        {"\xEF\xBB\xBF\xF4\x90\x80\x80"s, {bad + bad + bad + bad}},  // past U+10FFFF
        {"\xEF\xBB\xBF\xFF\xFE"s, {bad + bad}},
        {"\xEF\xBB\xBF\xF0\x9F\x98\n"s, {bad}},  // one mark for the cut-off sequence
        {"\xEF\xBB\xBF\xE2\x82"s, {bad}},
        {"\xFF\xFE"s, {}},
        {"\xFF\xFE"
         "a\0\r\0\n\0\xAC\x20"s,
         {L"a", L"\u20AC"}},
        {"\xFF\xFE"
         "a\0\n\0\n\0"s,
         {L"a", L""}},
        {"\xFF\xFE"
         "a\0b"s,
         {L"a"}},  // an odd last byte is no character
        {"\xFF\xFE\x3D\xD8\x00\xDE"s, {kGrinning}},
        {"\xFF\xFE\x0A\x0D"s, {L"\u0D0A"}},  // line ends are whole code units
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::PrintToString(c.bytes));
        files.addFile(kFile, c.bytes);
        std::vector<std::wstring> lines;
        EXPECT_EQ(readUnicodeLines(files, kFile, lines), static_cast<int>(c.lines.size()));
        EXPECT_EQ(lines, c.lines);
    }
}

TEST_F(TextFilesTest, ReadUnicodeLinesAppendsAndReportsFailuresWithoutChangingTheList) {
    files.addFile(kFile, "one\ntwo\n");
    std::vector<std::wstring> lines{L"kept"};
    EXPECT_EQ(readUnicodeLines(files, kFile, lines), 2);
    EXPECT_EQ(lines, (std::vector<std::wstring>{L"kept", L"one", L"two"}));

    const std::wstring bigEndian = L"C:\\P\\_Exports\\be.txt";
    files.addFile(bigEndian, "\xFE\xFF\0a\0\n"s);
    const std::wstring locked = L"C:\\P\\_Exports\\locked.txt";
    files.addFile(locked, "x");
    files.lock(locked);
    const struct {
        std::wstring path;
        int result;
    } kCases[] = {
        {bigEndian, -22},
        {L"C:\\P\\_Exports\\missing.txt", -2},
        {kMissingDirectoryFile, -2},
        {locked, -13},
        {L"C:\\P\\_Exports", -13},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.path);
        std::vector<std::wstring> unchanged{L"kept"};
        EXPECT_EQ(readUnicodeLines(files, c.path, unchanged), c.result);
        EXPECT_EQ(unchanged, std::vector<std::wstring>{L"kept"});
    }
}

TEST_F(TextFilesTest, WrittenFilesReadBackLineByLine) {
    const std::vector<std::wstring> lines{L"Language = Deutsch", L"", L"\u00C4rger \u00DF",
                                          L"Days = 11"};
    std::wstring text;
    for (const auto& line : lines) {
        text += line + L"\n";
    }
    std::vector<std::wstring> readBack;
    ASSERT_EQ(writeByteTextFile(files, kFile, text), 0);
    EXPECT_EQ(readUnicodeLines(files, kFile, readBack), 4);
    EXPECT_EQ(readBack, lines);

    const std::wstring wide = L"\u20AC " + kGrinning + L" \u4E2D";
    readBack.clear();
    ASSERT_EQ(writeUnicodeFile(files, kFile, text + wide), 0);
    EXPECT_EQ(readUnicodeLines(files, kFile, readBack), 5);
    std::vector<std::wstring> expected = lines;
    expected.push_back(wide);
    EXPECT_EQ(readBack, expected);
}

}  // namespace
}  // namespace tindlow
