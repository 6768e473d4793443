#include "app/language.h"

namespace tindlow {

Language::Language() : texts_(emptyTables()) {}

void Language::apply() {
    texts_ = tablesFor(name_);
}

const std::wstring& Language::text(int messageIndex) const {
    static const std::wstring kNone;
    if (messageIndex < 0 || messageIndex >= static_cast<int>(texts_.messages.size())) {
        return kNone;
    }
    return texts_.messages[static_cast<std::size_t>(messageIndex)];
}

}  // namespace tindlow
