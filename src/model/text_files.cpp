#include "model/text_files.h"

#include <cstdint>

namespace tindlow {

namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr int kBigEndianRefused = 22;

// Appends one code point as UTF-16 code units, whatever the width of wchar_t: code points above
// 0xFFFF become surrogate pairs, so a text holds the same units on every platform.
void appendUtf16(std::wstring& text, char32_t codePoint) {
    if (codePoint > 0x10FFFF) {
        codePoint = kReplacement;
    }
    if (codePoint >= 0x10000) {
        const char32_t offset = codePoint - 0x10000;
        text.push_back(static_cast<wchar_t>(0xD800 + (offset >> 10)));
        text.push_back(static_cast<wchar_t>(0xDC00 + (offset & 0x3FF)));
    } else {
        text.push_back(static_cast<wchar_t>(codePoint));
    }
}

// Decodes UTF-8 into UTF-16 code units. Ill-formed input (stray continuation bytes, cut-off,
// overlong or surrogate sequences, values past U+10FFFF) gives one U+FFFD for each maximal
// part of a sequence that could have been begun well, the way the Unicode standard recommends;
// decoding goes on right after it.
std::wstring decodeUtf8(std::string_view bytes) {
    std::wstring text;
    text.reserve(bytes.size());
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[pos++]);
        if (lead < 0x80) {
            text.push_back(static_cast<wchar_t>(lead));
            continue;
        }
        int following = 0;
        char32_t codePoint = 0;
        // The second byte's range excludes overlong forms, surrogates and values past U+10FFFF.
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            following = 1;
            codePoint = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            following = 2;
            codePoint = lead & 0x0F;
            low = lead == 0xE0 ? 0xA0 : 0x80;
            high = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            following = 3;
            codePoint = lead & 0x07;
            low = lead == 0xF0 ? 0x90 : 0x80;
            high = lead == 0xF4 ? 0x8F : 0xBF;
        } else {
            text.push_back(static_cast<wchar_t>(kReplacement));
            continue;
        }
        bool complete = true;
        for (int i = 0; i < following; ++i) {
            const auto next =
                pos < bytes.size() ? static_cast<unsigned char>(bytes[pos]) : std::uint8_t{0};
            if (next < low || next > high) {
                complete = false;
                break;
            }
            codePoint = (codePoint << 6) | (next & 0x3F);
            ++pos;
            low = 0x80;
            high = 0xBF;
        }
        appendUtf16(text, complete ? codePoint : kReplacement);
    }
    return text;
}

std::wstring decodeUtf16Le(std::string_view bytes) {
    std::wstring text;
    text.reserve(bytes.size() / 2);
    // An odd last byte is no whole code unit and is dropped.
    for (std::size_t pos = 0; pos + 1 < bytes.size(); pos += 2) {
        const auto low = static_cast<unsigned char>(bytes[pos]);
        const auto high = static_cast<unsigned char>(bytes[pos + 1]);
        text.push_back(static_cast<wchar_t>(low | (high << 8)));
    }
    return text;
}

bool startsWith(std::string_view bytes, std::string_view prefix) {
    return bytes.substr(0, prefix.size()) == prefix;
}

}  // namespace

int appendTextLines(const std::wstring& text, std::vector<std::wstring>& lines,
                    FinalReturn finalReturn) {
    int count = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(L'\n', start);
        const bool lineFeed = end != std::wstring::npos;
        const std::size_t next = lineFeed ? end + 1 : text.size();
        if (!lineFeed) {
            end = text.size();
        }
        if ((lineFeed || finalReturn == FinalReturn::LineEnd) && end > start &&
            text[end - 1] == L'\r') {
            --end;
        }
        lines.push_back(text.substr(start, end - start));
        ++count;
        start = next;
    }
    return count;
}

std::wstring decodeByteText(const std::string& bytes) {
    std::wstring text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(byte)));
    }
    return text;
}

std::string encodeByteText(const std::wstring& text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (const wchar_t c : text) {
        // wchar_t is signed on some platforms: compare the code as unsigned.
        const auto code = static_cast<std::uint32_t>(c);
        if (c == L'\n') {
            bytes += "\r\n";
        } else if (code > 0xFF) {
            bytes.push_back('?');
        } else {
            bytes.push_back(static_cast<char>(static_cast<unsigned char>(code)));
        }
    }
    return bytes;
}

std::string encodeUtf16LeWithBom(const std::wstring& text) {
    std::string bytes = "\xFF\xFE";
    bytes.reserve(2 + 2 * text.size());
    auto putUnit = [&bytes](std::uint32_t unit) {
        bytes.push_back(static_cast<char>(static_cast<unsigned char>(unit & 0xFF)));
        bytes.push_back(static_cast<char>(static_cast<unsigned char>((unit >> 8) & 0xFF)));
    };
    for (const wchar_t c : text) {
        const auto code = static_cast<std::uint32_t>(c);
        if (c == L'\n') {
            putUnit(L'\r');
            putUnit(L'\n');
        } else if (code > 0xFFFF) {
            // Only where wchar_t holds whole code points: write them as surrogate pairs.
            std::wstring units;
            appendUtf16(units, code);
            for (const wchar_t unit : units) {
                putUnit(static_cast<std::uint32_t>(unit));
            }
        } else {
            putUnit(code);
        }
    }
    return bytes;
}

int writeUnicodeFile(FileSystem& files, const std::wstring& path, const std::wstring& text) {
    const int error = files.writeFile(path, encodeUtf16LeWithBom(text));
    if (error != 0) {
        // A part of a report would pass for the whole of it.
        files.deleteFile(path);
    }
    return error;
}

int writeByteTextFile(FileSystem& files, const std::wstring& path, const std::wstring& text) {
    return files.writeFile(path, encodeByteText(text));
}

int readUnicodeLines(const FileSystem& files, const std::wstring& path,
                     std::vector<std::wstring>& lines) {
    const FileBytes file = files.readFile(path);
    if (!file.ok()) {
        return -file.error;
    }
    const std::string_view bytes = file.bytes;
    std::wstring text;
    if (startsWith(bytes, "\xEF\xBB\xBF")) {
        text = decodeUtf8(bytes.substr(3));
    } else if (startsWith(bytes, "\xFF\xFE")) {
        text = decodeUtf16Le(bytes.substr(2));
    } else if (startsWith(bytes, "\xFE\xFF")) {
        return -kBigEndianRefused;
    } else {
        text = decodeByteText(file.bytes);
    }
    return appendTextLines(text, lines, FinalReturn::InLine);
}

std::wstring replacementPath(const std::wstring& path, int attempt) {
    return attempt == 0 ? path + L".tmp" : path + L"." + std::to_wstring(attempt) + L".tmp";
}

int replaceFileContent(FileSystem& files, const std::wstring& path, const std::string& bytes) {
    int error = 0;
    for (int attempt = 0; attempt < kReplacementNames; ++attempt) {
        const std::wstring temporary = replacementPath(path, attempt);
        const bool leftover = files.exists(temporary);
        // Durable before the swap: after a power loss the file holds the old content or the
        // new, never a new name over content that did not reach the disk.
        error = files.writeFileDurably(temporary, bytes);
        if (error == 0) {
            error = files.replaceFile(temporary, path);
        }
        if (error != 0) {
            // A partial copy, or a leftover of an earlier crash; a directory stays.
            files.deleteFile(temporary);
        }
        // Only something in the way of the name (a read-only or locked leftover, a directory of
        // that name) makes the next name worth a try; a full disk or a failed swap would fail
        // there as well.
        if (error == 0 || !leftover || !files.exists(temporary)) {
            return error;
        }
    }
    return error;
}

}  // namespace tindlow
