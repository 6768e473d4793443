#include "model/dictionary.h"

namespace tindlow {

const ReminderEntry* Dictionary::find(const std::wstring& key) const {
    auto it = entries_.find(key);
    return it == entries_.end() ? nullptr : &it->second;
}

ReminderEntry* Dictionary::find(const std::wstring& key) {
    auto it = entries_.find(key);
    return it == entries_.end() ? nullptr : &it->second;
}

}  // namespace tindlow
