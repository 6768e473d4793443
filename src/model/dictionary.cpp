#include "model/dictionary.h"

#include <algorithm>
#include <cstdint>
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

namespace {

// The code units of a key from `offset` on, four of them packed into one number whose order is
// that of the keys as far as it goes: each unit is mapped into 16 bits without changing its
// order (units outside share the ends) and the end of the key gives 0. Equal numbers say nothing;
// the keys are then compared whole.
std::uint64_t orderPrefix(const std::wstring& key, std::size_t offset) {
    std::uint64_t prefix = 0;
    for (std::size_t i = offset; i < offset + 4; ++i) {
        std::int64_t unit = 0;
        if (i < key.size()) {
            unit = std::clamp<std::int64_t>(static_cast<std::int64_t>(key[i]), -1, 0xFFFD) + 2;
        }
        prefix = (prefix << 16) | static_cast<std::uint64_t>(unit);
    }
    return prefix;
}

}  // namespace

void Dictionary::stage(const std::wstring& key, const ReminderEntry& entry) {
    Map::node_type node;
    if (!recycled_.empty()) {
        node = recycled_.extract(recycled_.begin());
        node.key() = key;
        node.mapped() = entry;
    } else {
        // A map of one entry is the way to a node of its own.
        Map one;
        one.emplace(key, entry);
        node = one.extract(one.begin());
    }
    staged_.push_back(std::move(node));
}

void Dictionary::stage(ReminderEntry&& entry) {
    if (!recycled_.empty()) {
        // Copied into the recycled entry's storage, which fits it as a rule: the texts of a
        // reload are those of the loading before. The caller's entry keeps its own storage.
        stage(entry.sKey, entry);
        return;
    }
    Map one;
    std::wstring key = entry.sKey;
    one.emplace(std::move(key), std::move(entry));
    staged_.push_back(one.extract(one.begin()));
}

void Dictionary::commitStaged() {
    if (staged_.empty()) {
        return;
    }
    // Keys staged in ascending order, as most event files list them, go in as they are.
    const auto descending = [](const Map::node_type& a, const Map::node_type& b) {
        return !(a.key() < b.key());
    };
    if (std::adjacent_find(staged_.begin(), staged_.end(), descending) == staged_.end()) {
        for (Map::node_type& node : staged_) {
            put(std::move(node));
        }
        staged_.clear();
        return;
    }
    // The prefix all staged keys share says nothing about their order.
    const std::wstring& first = staged_.front().key();
    std::size_t shared = first.size();
    for (const Map::node_type& node : staged_) {
        const std::wstring& key = node.key();
        const auto end = key.begin() + static_cast<std::ptrdiff_t>(std::min(shared, key.size()));
        shared = static_cast<std::size_t>(std::mismatch(key.begin(), end, first.begin()).first -
                                          key.begin());
    }
    struct Place {
        std::uint64_t prefix;
        std::size_t index;
    };
    std::vector<Place> order;
    order.reserve(staged_.size());
    for (std::size_t i = 0; i < staged_.size(); ++i) {
        order.push_back({orderPrefix(staged_[i].key(), shared), i});
    }
    // By key, and keys staged more than once in the order they were staged.
    std::sort(order.begin(), order.end(), [&](const Place& a, const Place& b) {
        if (a.prefix != b.prefix) {
            return a.prefix < b.prefix;
        }
        const int byKey = staged_[a.index].key().compare(staged_[b.index].key());
        return byKey != 0 ? byKey < 0 : a.index < b.index;
    });
    for (std::size_t i = 0; i < order.size(); ++i) {
        Map::node_type& node = staged_[order[i].index];
        // A key staged again later: that one wins.
        if (i + 1 < order.size() && staged_[order[i + 1].index].key() == node.key()) {
            continue;
        }
        put(std::move(node));
    }
    staged_.clear();
}

void Dictionary::put(Map::node_type&& node) {
    Map::iterator at = lowerBound(node.key());
    if (holds(at, node.key())) {
        at->second = std::move(node.mapped());
    } else {
        at = entries_.insert(at, std::move(node));
    }
    remember(at);
}

void Dictionary::recycle() {
    staged_.clear();
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
