#include "golden/golden_file.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

namespace tindlow::golden {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void appendUtf8(std::string& out, char32_t c) {
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        c = kReplacement;
    }
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::string hexByte(unsigned char byte) {
    static const char* const kDigits = "0123456789ABCDEF";
    return std::string{'\\', 'x', kDigits[byte >> 4], kDigits[byte & 0x0F]};
}

// One character of a displayed line: control characters written out, so that a stray carriage
// return or tab is visible in a failure message.
void appendDisplayed(std::string& out, char32_t c) {
    switch (c) {
        case U'\r':
            out += "\\r";
            return;
        case U'\t':
            out += "\\t";
            return;
        default:
            break;
    }
    if (c < 0x20 || c == 0x7F) {
        out += hexByte(static_cast<unsigned char>(c));
    } else {
        appendUtf8(out, c);
    }
}

// A file's text as characters: UTF-16LE after the byte order mark FF FE, otherwise UTF-8.
// Bytes that form no character are kept as negative values, shown as \xNN.
struct Decoded {
    std::string encoding;
    std::vector<std::int64_t> chars;
};

Decoded decode(const std::string& bytes) {
    Decoded decoded;
    const auto byte = [&bytes](std::size_t i) {
        return static_cast<char32_t>(static_cast<unsigned char>(bytes[i]));
    };
    if (bytes.size() >= 2 && byte(0) == 0xFF && byte(1) == 0xFE) {
        decoded.encoding = "UTF-16LE";
        std::size_t i = 2;
        while (i + 1 < bytes.size()) {
            const char32_t unit = byte(i) | (byte(i + 1) << 8);
            i += 2;
            if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < bytes.size()) {
                const char32_t low = byte(i) | (byte(i + 1) << 8);
                if (low >= 0xDC00 && low <= 0xDFFF) {
                    i += 2;
                    decoded.chars.push_back(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                    continue;
                }
            }
            decoded.chars.push_back(unit);
        }
        if (i < bytes.size()) {
            decoded.chars.push_back(-static_cast<std::int64_t>(byte(i)) - 1);
        }
        return decoded;
    }
    decoded.encoding = "UTF-8";
    std::size_t i = 0;
    while (i < bytes.size()) {
        const char32_t lead = byte(i);
        const std::size_t length = lead < 0x80           ? 1
                                   : (lead >> 5) == 0x6  ? 2
                                   : (lead >> 4) == 0xE  ? 3
                                   : (lead >> 3) == 0x1E ? 4
                                                         : 0;
        bool valid = length > 0 && i + length <= bytes.size();
        char32_t c = length == 1   ? lead
                     : length == 2 ? lead & 0x1F
                     : length == 3 ? lead & 0x0F
                                   : lead & 0x07;
        for (std::size_t k = 1; valid && k < length; ++k) {
            valid = (byte(i + k) & 0xC0) == 0x80;
            c = (c << 6) | (byte(i + k) & 0x3F);
        }
        if (valid) {
            decoded.chars.push_back(c);
            i += length;
        } else {
            decoded.chars.push_back(-static_cast<std::int64_t>(lead) - 1);
            ++i;
        }
    }
    return decoded;
}

// The displayed lines of a decoded text, split at line feeds. A final line feed ends the last
// line and opens no further one.
std::vector<std::string> displayedLines(const Decoded& decoded) {
    std::vector<std::string> lines(1);
    for (const std::int64_t c : decoded.chars) {
        if (c == U'\n') {
            lines.emplace_back();
        } else if (c < 0) {
            lines.back() += hexByte(static_cast<unsigned char>(-(c + 1)));
        } else {
            appendDisplayed(lines.back(), static_cast<char32_t>(c));
        }
    }
    if (lines.back().empty()) {
        lines.pop_back();
    }
    return lines;
}

// The column (counted in characters from 1) at which two displayed lines part.
std::size_t partingColumn(const std::string& a, const std::string& b) {
    const auto [at, unused] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    std::size_t column = 1;
    for (auto it = a.begin(); it != at; ++it) {
        column += (static_cast<unsigned char>(*it) & 0xC0) != 0x80;
    }
    return column;
}

std::string bytesAround(const std::string& bytes, std::size_t offset) {
    std::string shown;
    const std::size_t from = offset < 8 ? 0 : offset - 8;
    for (std::size_t i = from; i < std::min(bytes.size(), offset + 8); ++i) {
        shown +=
            (i == offset ? " [" : " ") + hexByte(static_cast<unsigned char>(bytes[i])).substr(2);
        if (i == offset) {
            shown += "]";
        }
    }
    return shown.empty() ? " (none)" : shown;
}

std::string readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// True when TINDLOW_UPDATE_GOLDEN=1: the golden files are to be written, not compared.
bool updating() {
    const char* value = std::getenv("TINDLOW_UPDATE_GOLDEN");
    return value != nullptr && std::string(value) == "1";
}

}  // namespace

std::filesystem::path goldenDirectory() {
    return (std::filesystem::path(__FILE__).parent_path() / ".." / ".." / "golden")
        .lexically_normal();
}

::testing::AssertionResult compareOutput(const std::string& goldenName, const std::string& expected,
                                         const std::string& actual) {
    if (expected == actual) {
        return ::testing::AssertionSuccess();
    }
    const Decoded expectedText = decode(expected);
    const Decoded actualText = decode(actual);
    const std::vector<std::string> expectedLines = displayedLines(expectedText);
    const std::vector<std::string> actualLines = displayedLines(actualText);

    std::ostringstream message;
    message << "The output differs from the golden file " << goldenName;
    if (expectedText.encoding == actualText.encoding) {
        message << " (" << expectedText.encoding << ")";
    } else {
        message << " (golden " << expectedText.encoding << ", output " << actualText.encoding
                << ")";
    }
    message << "; lines: golden " << expectedLines.size() << ", output " << actualLines.size()
            << ".\n";

    const auto [expectedAt, actualAt] = std::mismatch(expectedLines.begin(), expectedLines.end(),
                                                      actualLines.begin(), actualLines.end());
    if (expectedAt == expectedLines.end() && actualAt == actualLines.end()) {
        // Equal line by line: the difference lies in what the lines do not show (byte order
        // mark, a last line end, an odd byte).
        const auto [e, a] =
            std::mismatch(expected.begin(), expected.end(), actual.begin(), actual.end());
        const auto offset = static_cast<std::size_t>(e - expected.begin());
        message << "Every line is equal; the bytes part at offset " << offset << ":\n"
                << "  golden:" << bytesAround(expected, offset) << "\n"
                << "  output:" << bytesAround(actual, offset) << "\n";
    } else {
        const std::size_t line = static_cast<std::size_t>(expectedAt - expectedLines.begin()) + 1;
        const bool bothHaveIt = expectedAt != expectedLines.end() && actualAt != actualLines.end();
        message << "First difference in line " << line;
        if (bothHaveIt) {
            message << ", column " << partingColumn(*expectedAt, *actualAt);
        }
        message << ":\n"
                << "  golden: "
                << (expectedAt == expectedLines.end() ? "(end of file)" : *expectedAt) << "\n"
                << "  output: " << (actualAt == actualLines.end() ? "(end of file)" : *actualAt)
                << "\n";
    }
    message << "If the change is intended, run scripts/update-golden and review the golden files "
               "with git diff.";
    return ::testing::AssertionFailure() << message.str();
}

::testing::AssertionResult matchesGolden(const std::string& name, const std::string& actual) {
    const std::filesystem::path path = goldenDirectory() / name;
    if (updating()) {
        // Whatever failed before (a missing export, a wrong file) would be frozen as the truth.
        if (::testing::Test::HasFailure()) {
            return ::testing::AssertionFailure()
                   << "Not written: the test failed before " << path.string() << " was reached.";
        }
        const bool existed = std::filesystem::exists(path);
        const bool unchanged = existed && readBytes(path) == actual;
        if (!unchanged) {
            std::filesystem::create_directories(path.parent_path());
            std::ofstream out(path, std::ios::binary | std::ios::trunc);
            out.write(actual.data(), static_cast<std::streamsize>(actual.size()));
            if (!out.flush()) {
                return ::testing::AssertionFailure() << "Cannot write the golden file " << path;
            }
        }
        std::cout << "[  GOLDEN  ] "
                  << (unchanged ? "unchanged "
                      : existed ? "rewrote   "
                                : "created   ")
                  << path.string() << "\n";
        return ::testing::AssertionSuccess();
    }
    if (!std::filesystem::exists(path)) {
        return ::testing::AssertionFailure()
               << "The golden file " << path.string()
               << " is missing; run scripts/update-golden to write it from the current output.";
    }
    return compareOutput(path.string(), readBytes(path), actual);
}

std::string logText(const std::vector<std::wstring>& lines) {
    std::string text;
    for (const std::wstring& line : lines) {
        for (const wchar_t c : line) {
            if (c == L'\n') {
                text += "\\n";
            } else if (c == L'\r') {
                text += "\\r";
            } else {
                appendUtf8(text, static_cast<char32_t>(c));
            }
        }
        text += '\n';
    }
    return text;
}

std::string utf8(const std::wstring& text) {
    std::string out;
    for (const wchar_t c : text) {
        appendUtf8(out, static_cast<char32_t>(c));
    }
    return out;
}

}  // namespace tindlow::golden
