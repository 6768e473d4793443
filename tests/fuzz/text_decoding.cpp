// The text encodings of the program's files. 8-bit text decodes and encodes back to the same
// bytes (the encoder writes every LF as CR LF); a text written as UTF-16LE with its byte-order
// mark, or as UTF-8 with its mark, reads back as the same lines; any bytes read as lines of
// well-formed UTF-16, whatever their mark.

#include <cstdint>
#include <string>
#include <vector>

#include "fakes/fake_file_system.h"
#include "fuzz_support.h"
#include "model/text_files.h"

namespace tindlow {
namespace {

const std::wstring kPath = L"C:\\P\\text.txt";

// The lines a text-mode reading gives: LF ends a line and a CR right before it belongs to the
// line end; a last line without a line end counts, nothing after a final line end does.
std::vector<std::wstring> linesOf(const std::wstring& text) {
    std::vector<std::wstring> lines;
    std::wstring line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\n') {
            if (!line.empty() && line.back() == L'\r') {
                line.pop_back();
            }
            lines.push_back(line);
            line.clear();
        } else {
            line.push_back(text[i]);
        }
    }
    if (!line.empty()) {
        lines.push_back(line);
    }
    return lines;
}

// The text as the UTF-16 encoder writes it: every LF with a CR before it.
std::wstring withCrLf(const std::wstring& text) {
    std::wstring written;
    for (const wchar_t c : text) {
        if (c == L'\n') {
            written.push_back(L'\r');
        }
        written.push_back(c);
    }
    return written;
}

std::vector<std::wstring> readLines(const std::string& bytes, int& result) {
    FakeFileSystem files;
    files.addFile(kPath, bytes);
    std::vector<std::wstring> lines;
    result = readUnicodeLines(files, kPath, lines);
    return lines;
}

void appendUtf16(std::wstring& text, std::uint32_t codePoint) {
    if (codePoint >= 0x10000) {
        text.push_back(static_cast<wchar_t>(0xD800 + ((codePoint - 0x10000) >> 10)));
        text.push_back(static_cast<wchar_t>(0xDC00 + ((codePoint - 0x10000) & 0x3FF)));
    } else {
        text.push_back(static_cast<wchar_t>(codePoint));
    }
}

void appendUtf8(std::string& bytes, std::uint32_t codePoint) {
    const auto put = [&bytes](std::uint32_t byte) {
        bytes.push_back(static_cast<char>(static_cast<unsigned char>(byte)));
    };
    if (codePoint < 0x80) {
        put(codePoint);
    } else if (codePoint < 0x800) {
        put(0xC0 | (codePoint >> 6));
        put(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        put(0xE0 | (codePoint >> 12));
        put(0x80 | ((codePoint >> 6) & 0x3F));
        put(0x80 | (codePoint & 0x3F));
    } else {
        put(0xF0 | (codePoint >> 18));
        put(0x80 | ((codePoint >> 12) & 0x3F));
        put(0x80 | ((codePoint >> 6) & 0x3F));
        put(0x80 | (codePoint & 0x3F));
    }
}

bool isHighSurrogate(wchar_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool isLowSurrogate(wchar_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

bool wellFormedUtf16(const std::wstring& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (static_cast<std::uint32_t>(text[i]) > 0xFFFF) {
            return false;
        }
        if (isHighSurrogate(text[i])) {
            if (i + 1 == text.size() || !isLowSurrogate(text[i + 1])) {
                return false;
            }
            ++i;
        } else if (isLowSurrogate(text[i])) {
            return false;
        }
    }
    return true;
}

bool startsWith(const std::string& bytes, const char* mark) {
    return bytes.rfind(mark, 0) == 0;
}

}  // namespace
}  // namespace tindlow

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tindlow;
    const std::string bytes(fuzz::bytesOf(data, size));

    // 8-bit text: one character per byte, back to the same bytes with LF written as CR LF.
    const std::wstring text = decodeByteText(bytes);
    FUZZ_CHECK(text == fuzz::byteText(bytes));
    std::string expected;
    for (const char byte : bytes) {
        expected += byte == '\n' ? std::string("\r\n") : std::string(1, byte);
    }
    FUZZ_CHECK(encodeByteText(text) == expected);

    // The bytes as a file: lines of well-formed UTF-16 whatever the mark; without a mark, the
    // lines of the 8-bit text.
    int result = 0;
    const std::vector<std::wstring> read = readLines(bytes, result);
    if (startsWith(bytes, "\xFE\xFF")) {
        FUZZ_CHECK(result == -22 && read.empty());
    } else {
        FUZZ_CHECK(result == static_cast<int>(read.size()));
        const bool utf16 = startsWith(bytes, "\xFF\xFE");
        for (const std::wstring& line : read) {
            FUZZ_CHECK_MSG(utf16 || wellFormedUtf16(line), fuzz::printable(line));
        }
        if (!utf16 && !startsWith(bytes, "\xEF\xBB\xBF")) {
            FUZZ_CHECK(read == linesOf(text));
        }
    }

    // The bytes as UTF-16 code units, written with the mark and read back.
    std::wstring units;
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        units.push_back(static_cast<wchar_t>(data[i] | (data[i + 1] << 8)));
    }
    const std::string utf16 = encodeUtf16LeWithBom(units);
    FUZZ_CHECK(utf16.size() >= 2 + 2 * units.size());
    std::vector<std::wstring> back = readLines(utf16, result);
    FUZZ_CHECK_MSG(back == linesOf(withCrLf(units)), fuzz::printable(units));

    // The bytes as code points (three bytes each, surrogates moved out of their range), written
    // as UTF-8 with the mark and read back as UTF-16.
    std::string utf8 = "\xEF\xBB\xBF";
    std::wstring codeUnits;
    for (std::size_t i = 0; i + 2 < size; i += 3) {
        std::uint32_t codePoint =
            static_cast<std::uint32_t>(data[i] | (data[i + 1] << 8) | (data[i + 2] << 16)) %
            0x110000;
        if (codePoint >= 0xD800 && codePoint <= 0xDFFF) {
            codePoint += 0x800;
        }
        appendUtf8(utf8, codePoint);
        appendUtf16(codeUnits, codePoint);
    }
    back = readLines(utf8, result);
    FUZZ_CHECK_MSG(back == linesOf(codeUnits), fuzz::printable(codeUnits));

    // Code points beyond 16 bits written by the UTF-16 encoder come back as surrogate pairs.
    std::wstring wide;
    for (std::size_t i = 0; i + 2 < size; i += 3) {
        const std::uint32_t codePoint =
            0x10000 + static_cast<std::uint32_t>(data[i] | (data[i + 1] << 8)) * 16 +
            (data[i + 2] & 0xFu);
        if (sizeof(wchar_t) < 4) {
            break;
        }
        wide.push_back(static_cast<wchar_t>(codePoint));
    }
    std::wstring pairs;
    for (const wchar_t c : wide) {
        appendUtf16(pairs, static_cast<std::uint32_t>(c));
    }
    back = readLines(encodeUtf16LeWithBom(wide), result);
    FUZZ_CHECK(back == linesOf(pairs));
    return 0;
}
