#include "model/text_replace.h"

namespace tindlow {

std::wstring replacedAll(const std::wstring& text, std::wstring_view from, std::wstring_view to) {
    if (from.empty()) {
        return text;
    }
    std::wstring result;
    std::size_t start = 0;
    for (std::size_t at = text.find(from); at != std::wstring::npos; at = text.find(from, start)) {
        result.append(text, start, at - start);
        result.append(to);
        start = at + from.size();
    }
    result.append(text, start, std::wstring::npos);
    return result;
}

}  // namespace tindlow
