#include "input/event_line.h"

#include <algorithm>

namespace tindlow {

void EventLineSplitter::feed(std::string_view bytes, const LineSink& sink) {
    while (!bytes.empty()) {
        const std::size_t lineFeed = bytes.find('\n');
        if (lineFeed == std::string_view::npos) {
            keepPendingReturn(sink);
            // A CR at the end may belong to a CR LF cut apart by the parts.
            pendingReturn_ = bytes.back() == '\r';
            append(bytes.substr(0, bytes.size() - (pendingReturn_ ? 1 : 0)), sink);
            return;
        }
        std::string_view line = bytes.substr(0, lineFeed);
        bytes.remove_prefix(lineFeed + 1);
        if (line.empty() && pendingReturn_) {
            pendingReturn_ = false;  // text mode: CR LF reads as LF
        }
        keepPendingReturn(sink);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        if (carry_.empty() && !pieceGiven_ && line.size() <= kEventLinePiece) {
            sink(line);  // the common case: a whole line inside the part, no copy
            continue;
        }
        append(line, sink);
        endLine(sink);
    }
}

void EventLineSplitter::finish(const LineSink& sink) {
    keepPendingReturn(sink);
    if (!carry_.empty()) {
        sink(carry_);
    }
    carry_.clear();
    pieceGiven_ = false;
}

void EventLineSplitter::append(std::string_view text, const LineSink& sink) {
    while (!text.empty()) {
        if (carry_.empty() && text.size() >= kEventLinePiece) {
            sink(text.substr(0, kEventLinePiece));
            pieceGiven_ = true;
            text.remove_prefix(kEventLinePiece);
            continue;
        }
        const std::size_t taken = std::min(kEventLinePiece - carry_.size(), text.size());
        carry_.append(text.substr(0, taken));
        text.remove_prefix(taken);
        if (carry_.size() == kEventLinePiece) {
            sink(carry_);
            carry_.clear();
            pieceGiven_ = true;
        }
    }
}

void EventLineSplitter::endLine(const LineSink& sink) {
    // A line of whole pieces has given them all; an empty one is one empty line.
    if (!carry_.empty() || !pieceGiven_) {
        sink(carry_);
    }
    carry_.clear();
    pieceGiven_ = false;
}

void EventLineSplitter::keepPendingReturn(const LineSink& sink) {
    if (pendingReturn_) {
        pendingReturn_ = false;
        append("\r", sink);
    }
}

std::vector<std::wstring> eventFileLines(const std::string& bytes) {
    std::vector<std::wstring> lines;
    EventLineSplitter splitter;
    const EventLineSplitter::LineSink addLine = [&lines](std::string_view line) {
        appendEventLineText(lines.emplace_back(), line);
    };
    splitter.feed(bytes, addLine);
    splitter.finish(addLine);
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
