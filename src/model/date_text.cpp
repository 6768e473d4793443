#include "model/date_text.h"

#include <algorithm>

namespace tindlow {

std::wstring firstLine(const std::wstring& text) {
    const auto end = text.find_first_of(L"\r\n");
    return end == std::wstring::npos ? text : text.substr(0, end);
}

std::optional<std::int32_t> validateDaysField(const std::wstring& fieldText, LogSink& log,
                                              const TextTables& texts) {
    const std::wstring line = firstLine(fieldText);
    if (line.empty()) {
        log.log(texts.messages[msg::kDaysFieldEmpty]);
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (wchar_t c : line) {
        if (c < L'0' || c > L'9') {
            log.log(texts.messages[msg::kDaysFieldWrongCharacter] + std::wstring(1, c));
            return std::nullopt;
        }
        value = std::min<std::int64_t>(value * 10 + (c - L'0'), INT32_MAX);
    }
    return static_cast<std::int32_t>(value);
}

std::optional<std::wstring> checkDateText(const std::wstring& fieldText) {
    std::wstring text = firstLine(fieldText);
    const auto first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos) {
        return std::nullopt;
    }
    text = text.substr(first, text.find_last_not_of(L' ') - first + 1);
    const bool form =
        text.size() == 10 && text[2] == L'.' && text[5] == L'.' &&
        std::all_of(text.begin(), text.end(),
                    [](wchar_t c) { return c == L'.' || (c >= L'0' && c <= L'9'); }) &&
        std::count(text.begin(), text.end(), L'.') == 2;
    if (!form) {
        return std::nullopt;
    }
    return text;
}

}  // namespace tindlow
