#include "input/event_line.h"

#include <algorithm>

namespace tindlow {

std::vector<std::wstring> eventFileLines(const std::string& bytes) {
    std::vector<std::wstring> lines;
    std::wstring physical;
    // One pass over the bytes; each character is copied once into its physical line and once
    // into its piece, so the work grows with the file size only.
    const auto endPhysicalLine = [&lines, &physical] {
        if (physical.empty()) {
            lines.emplace_back();
        }
        for (std::size_t at = 0; at < physical.size(); at += kEventLinePiece) {
            lines.push_back(physical.substr(at, kEventLinePiece));
        }
        physical.clear();
    };
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char byte = bytes[i];
        if (byte == '\n') {
            endPhysicalLine();
        } else if (byte == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
            // Text mode: CR LF reads as LF.
        } else {
            physical.push_back(static_cast<wchar_t>(static_cast<unsigned char>(byte)));
        }
    }
    if (!physical.empty()) {
        endPhysicalLine();
    }
    return lines;
}

EventColumns splitColumns(std::wstring_view line) {
    EventColumns columns;
    std::size_t column = 0;
    std::size_t start = 0;
    while (column < kEventColumnCount) {
        const std::size_t end = line.find(L';', start);
        columns[column++] = std::wstring(line.substr(start, end - start));
        if (end == std::wstring_view::npos) {
            break;
        }
        start = end + 1;
    }
    return columns;
}

bool isDefaultLine(std::wstring_view firstColumn) {
    std::wstring lower(firstColumn);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](wchar_t c) {
        return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
    });
    return lower.find(L"default") != std::wstring::npos;
}

std::wstring commasToPoints(std::wstring text) {
    std::replace(text.begin(), text.end(), L',', L'.');
    return text;
}

}  // namespace tindlow
