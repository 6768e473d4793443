#include "ui/days_field.h"

#include <algorithm>

namespace tindlow {

std::wstring firstLine(const std::wstring& text) {
    const auto end = text.find_first_of(L"\r\n");
    return end == std::wstring::npos ? text : text.substr(0, end);
}

std::int32_t validateDaysField(const std::wstring& fieldText, LogSink& log,
                               const TextTables& texts) {
    const std::wstring line = firstLine(fieldText);
    if (line.empty()) {
        log.log(texts.messages[msg::kDaysFieldEmpty]);
        return kDaysFieldEmpty;
    }
    std::int64_t value = 0;
    for (wchar_t c : line) {
        if (c < L'0' || c > L'9') {
            log.log(texts.messages[msg::kDaysFieldWrongCharacter] + std::wstring(1, c));
            return kDaysFieldWrongCharacter;
        }
        value = std::min<std::int64_t>(value * 10 + (c - L'0'), INT32_MAX);
    }
    return static_cast<std::int32_t>(value);
}

DateTextCheck checkDateText(const std::wstring& fieldText) {
    std::wstring text = firstLine(fieldText);
    const auto first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos) {
        return {-1, L""};
    }
    text = text.substr(first, text.find_last_not_of(L' ') - first + 1);
    if (text.size() != 10) {
        return {1, L""};
    }
    if (text.find_first_not_of(L".0123456789") != std::wstring::npos) {
        return {2, L""};
    }
    if (std::count(text.begin(), text.end(), L'.') != 2) {
        return {3, L""};
    }
    if (text.find(L'.') != 2) {
        return {4, L""};
    }
    if (text.find(L'.', 3) != 5) {
        return {5, L""};
    }
    return {0, text};
}

}  // namespace tindlow
