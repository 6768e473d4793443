#include "ui/log_list.h"

#include "model/text_forms.h"

namespace tindlow {

void LogList::log(const std::wstring& text) {
    if (!enabled_) {
        return;
    }
    if (lineNumber_ < INT32_MAX) {
        ++lineNumber_;
    }
    const int index = view_.addLogLine(paddedIntText(lineNumber_, 3) + L"   " + text);
    if (index >= 0) {
        view_.setLogTopIndex(index);
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
