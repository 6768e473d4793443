#include "input/event_line.h"

#include <algorithm>

namespace tindlow {

std::vector<std::string_view> eventFileLinePieces(std::string_view bytes) {
    std::vector<std::string_view> pieces;
    // The only byte a line loses is the CR right before its LF, so every line is one unbroken
    // part of the bytes and none needs a copy.
    const auto addPhysicalLine = [&pieces](std::string_view physical) {
        if (physical.empty()) {
            pieces.emplace_back();
        }
        for (std::size_t at = 0; at < physical.size(); at += kEventLinePiece) {
            pieces.push_back(physical.substr(at, kEventLinePiece));
        }
    };
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t lineFeed = bytes.find('\n', start);
        if (lineFeed == std::string_view::npos) {
            addPhysicalLine(bytes.substr(start));
            break;
        }
        std::size_t end = lineFeed;
        // Text mode: CR LF reads as LF.
        if (end > start && bytes[end - 1] == '\r') {
            --end;
        }
        addPhysicalLine(bytes.substr(start, end - start));
        start = lineFeed + 1;
    }
    return pieces;
}

std::vector<std::wstring> eventFileLines(const std::string& bytes) {
    const std::vector<std::string_view> pieces = eventFileLinePieces(bytes);
    std::vector<std::wstring> lines(pieces.size());
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        appendEventLineText(lines[i], pieces[i]);
    }
    return lines;
}

void appendEventLineText(std::wstring& text, std::string_view piece) {
    const std::size_t start = text.size();
    text.resize(start + piece.size());
    std::transform(
        piece.begin(), piece.end(), text.begin() + static_cast<std::ptrdiff_t>(start),
        [](char byte) { return static_cast<wchar_t>(static_cast<unsigned char>(byte)); });
}

EventColumnViews splitColumnViews(std::wstring_view line) {
    EventColumnViews columns;
    std::size_t column = 0;
    std::size_t start = 0;
    while (column < kEventColumnCount) {
        const std::size_t end = line.find(L';', start);
        columns[column++] = line.substr(start, end - start);
        if (end == std::wstring_view::npos) {
            break;
        }
        start = end + 1;
    }
    return columns;
}

EventColumns splitColumns(std::wstring_view line) {
    const EventColumnViews views = splitColumnViews(line);
    EventColumns columns;
    std::copy(views.begin(), views.end(), columns.begin());
    return columns;
}

bool isDefaultLine(std::wstring_view firstColumn) {
    static constexpr std::wstring_view kWord = L"default";
    const auto lowered = [](wchar_t c) {
        return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
    };
    return std::search(firstColumn.begin(), firstColumn.end(), kWord.begin(), kWord.end(),
                       [&lowered](wchar_t c, wchar_t letter) { return lowered(c) == letter; }) !=
           firstColumn.end();
}

std::wstring commasToPoints(std::wstring text) {
    std::replace(text.begin(), text.end(), L',', L'.');
    return text;
}

}  // namespace tindlow
