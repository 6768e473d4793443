#include "commands/log_lines.h"

#include <algorithm>

namespace tindlow {

namespace {

std::size_t countOf(const std::wstring& text, wchar_t c) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), c));
}

std::size_t digitCount(const std::wstring& text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; }));
}

bool contains(const std::wstring& text, const std::wstring& part) {
    return text.find(part) != std::wstring::npos;
}

// The text after the first occurrence of the reading word, as the loader wrote it.
std::wstring afterReadingWord(const std::wstring& line, const std::wstring& readingWord) {
    const std::size_t at = line.find(readingWord);
    return at == std::wstring::npos ? std::wstring() : line.substr(at + readingWord.size());
}

}  // namespace

bool isKeyLine(const std::wstring& text) {
    return countOf(text, L'.') == 2 && countOf(text, L':') == 2 && countOf(text, L'-') == 3 &&
           digitCount(text) >= 20;
}

// The loader's file line carries the drive colon and the closing colon. A network file named
// by a UNC path (\\server\share\...) has no drive colon, so its line carries one colon only;
// it is a file line all the same, or the events of network files could never be previewed on
// their own.
bool isFileLine(const std::wstring& line, const std::wstring& readingWord) {
    if (isKeyLine(line) || !contains(line, readingWord) || !contains(line, L".csv") ||
        !contains(line, L"\\")) {
        return false;
    }
    const std::size_t colons = countOf(line, L':');
    if (colons == 2) {
        return true;
    }
    return colons == 1 && afterReadingWord(line, readingWord).starts_with(L"\\\\");
}

std::wstring filePathOfLine(const std::wstring& line, const std::wstring& readingWord) {
    std::wstring path = afterReadingWord(line, readingWord);
    const std::size_t end = path.find_last_not_of(L':');
    path.erase(end == std::wstring::npos ? 0 : end + 1);
    return path;
}

std::optional<std::wstring> extractKey(const std::wstring& line) {
    if (countOf(line, L'.') < 2 || countOf(line, L':') < 2 || countOf(line, L'-') < 3 ||
        countOf(line, L'[') < 1 || countOf(line, L']') < 1) {
        return std::nullopt;
    }
    // The key closes every line that carries one, so the last opening bracket begins it.
    std::wstring key = line.substr(line.rfind(L'['));
    const std::size_t close = key.find(L']');
    key = close == std::wstring::npos ? std::wstring() : key.substr(0, close + 1);
    if (!isKeyLine(key)) {
        return std::nullopt;
    }
    return key;
}

}  // namespace tindlow
