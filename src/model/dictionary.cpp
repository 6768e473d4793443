#include "model/dictionary.h"

#include <iterator>
#include <tuple>
#include <utility>

namespace tindlow {

Dictionary& Dictionary::operator=(const Dictionary& other) {
    if (this != &other) {
        entries_ = other.entries_;
        next_ = entries_.end();
    }
    return *this;
}

Dictionary& Dictionary::operator=(Dictionary&& other) noexcept {
    if (this != &other) {
        entries_ = std::move(other.entries_);
        next_ = entries_.end();
        other.clear();
    }
    return *this;
}

Dictionary::Map::iterator Dictionary::lowerBound(const std::wstring& key) {
    const bool afterPrevious = next_ == entries_.begin() || std::prev(next_)->first < key;
    const bool beforeNext = next_ == entries_.end() || !(next_->first < key);
    if (afterPrevious && beforeNext) {
        return next_;
    }
    return entries_.lower_bound(key);
}

void Dictionary::remember(Map::iterator at) {
    // The last entry is where ascending keys keep arriving; going past it from the entry would
    // climb the tree up to the root.
    next_ = at == std::prev(entries_.end()) ? entries_.end() : std::next(at);
}

ReminderEntry& Dictionary::slot(const std::wstring& key) {
    Map::iterator at = lowerBound(key);
    if (!holds(at, key)) {
        at = entries_.emplace_hint(at, std::piecewise_construct, std::forward_as_tuple(key),
                                   std::forward_as_tuple());
    }
    remember(at);
    return at->second;
}

ReminderEntry& Dictionary::store(const std::wstring& key, const ReminderEntry& entry) {
    Map::iterator at = lowerBound(key);
    if (holds(at, key)) {
        at->second = entry;
    } else if (!recycled_.empty()) {
        // Assigning, not constructing, so the texts land in the storage the node has.
        Map::node_type node = recycled_.extract(recycled_.begin());
        node.key() = key;
        node.mapped() = entry;
        at = entries_.insert(at, std::move(node));
    } else {
        at = entries_.emplace_hint(at, key, entry);
    }
    remember(at);
    return at->second;
}

void Dictionary::recycle() {
    if (recycled_.empty()) {
        recycled_.swap(entries_);
    }
    // A loading nested in a message box of another recycles again before the first has used
    // up the storage; one stock of it is enough.
    clear();
}

const ReminderEntry* Dictionary::find(const std::wstring& key) const {
    auto it = entries_.find(key);
    return it == entries_.end() ? nullptr : &it->second;
}

ReminderEntry* Dictionary::find(const std::wstring& key) {
    auto it = entries_.find(key);
    return it == entries_.end() ? nullptr : &it->second;
}

}  // namespace tindlow
