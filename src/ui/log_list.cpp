#include "ui/log_list.h"

#include <utility>

#include "model/text_forms.h"

namespace tindlow {

void LogList::log(const std::wstring& text) {
    if (!enabled_) {
        return;
    }
    if (lineNumber_ < INT32_MAX) {
        ++lineNumber_;
    }
    // Built in place in the storage of the line before (taken out while the view adds it, so a
    // line logged from inside the view gets storage of its own).
    std::wstring line = std::move(line_);
    line.clear();
    line.reserve(kMostDigits + kNumberGap.size() + text.size());
    appendPaddedIntText(line, lineNumber_, static_cast<int>(kNumberWidth));
    line += kNumberGap;
    line += text;
    const int index = view_.addLogLine(line);
    line_ = std::move(line);
    if (index < 0) {
        return;
    }
    if (deferring()) {
        pendingTop_ = index;
    } else {
        view_.setLogTopIndex(index);
    }
}

void LogList::logAll(const std::vector<std::wstring>& lines) {
    LogBulk bulk(*this);
    for (const std::wstring& line : lines) {
        log(line);
    }
}

void LogList::beginBulk() {
    if (bulkDepth_++ == 0) {
        revealed_ = false;
        pendingTop_ = -1;
        view_.setLogRedraw(false);
    }
}

void LogList::endBulk() {
    if (bulkDepth_ == 0 || --bulkDepth_ > 0) {
        return;
    }
    if (pendingTop_ >= 0) {
        view_.setLogTopIndex(pendingTop_);
        pendingTop_ = -1;
    }
    if (!revealed_) {
        view_.setLogRedraw(true);
    }
    revealed_ = false;
}

void LogList::revealBulk() {
    if (!deferring()) {
        return;
    }
    if (pendingTop_ >= 0) {
        view_.setLogTopIndex(pendingTop_);
        pendingTop_ = -1;
    }
    view_.setLogRedraw(true);
    revealed_ = true;
}

void LogList::concealBulk() {
    if (bulkDepth_ > 0 && revealed_) {
        revealed_ = false;
        view_.setLogRedraw(false);
    }
}

std::wstring LogList::content() const {
    std::wstring text;
    const int count = view_.logLineCount();
    for (int i = 0; i < count; ++i) {
        text += view_.logLineText(i);
        text += L'\n';
    }
    return text;
}

}  // namespace tindlow
