#pragma once
#include <map>
#include <string>
#include <vector>

#include "model/reminder_entry.h"

namespace tindlow {

// An ordered map from reminder key to entry, compared ordinally code unit by code unit. The
// complete dictionary and today's dictionary are two independent instances; each owns copies.
//
// Made for being filled from event files of many thousand lines:
// - Every insert remembers where it went, and the next key is first tried right after it: keys
//   that arrive in ascending order, as an exported event file lists them, are placed with two
//   comparisons instead of a search from the root, and any other key costs two more than a plain
//   insert.
// - A reload rebuilds the dictionary from nearly the same lines. recycle() empties it but keeps
//   the old entries' storage, and store() copies the next entries into it, so the texts of the
//   new entries need no allocation as long as they fit where the old ones were.
// - A loading stages its entries and commits them at its end: keys that arrive in no order are
//   sorted once, by the code units after the prefix all of them share, instead of each being
//   searched for through the tree with comparisons over that prefix.
class Dictionary {
  public:
    using Map = std::map<std::wstring, ReminderEntry>;

    Dictionary() = default;
    // Copies and moves take the entries only; the remembered place and the recycled storage
    // stay with the old dictionary.
    Dictionary(const Dictionary& other) : entries_(other.entries_) {}
    Dictionary(Dictionary&& other) noexcept : entries_(std::move(other.entries_)) { other.clear(); }
    Dictionary& operator=(const Dictionary& other);
    Dictionary& operator=(Dictionary&& other) noexcept;
    ~Dictionary() = default;

    // The entry under the key; a default entry is inserted first when the key is absent.
    ReminderEntry& slot(const std::wstring& key);
    // Puts a copy of the entry under the key, replacing the one there: the later line of a
    // duplicate key wins. The key may be the entry's own sKey.
    ReminderEntry& store(const std::wstring& key, const ReminderEntry& entry);
    // Keeps a copy of the entry for commitStaged(), which puts every staged entry under its key
    // as store() would, in the order they were staged. Until then find(), slot() and the
    // iteration do not see it.
    void stage(const std::wstring& key, const ReminderEntry& entry);
    // Stages the entry under its own key. With no storage of before the last recycle() left, it
    // takes the entry's texts instead of copying them (a first loading); otherwise it copies
    // them into that storage and the entry keeps its own, so a reader that fills the same entry
    // line after line allocates nothing on a reload. Either way the entry is to be filled anew.
    void stage(ReminderEntry&& entry);
    void commitStaged();
    // nullptr when absent.
    const ReminderEntry* find(const std::wstring& key) const;
    ReminderEntry* find(const std::wstring& key);
    void clear() {
        entries_.clear();
        next_ = entries_.end();
    }
    // Empties the dictionary like clear() and drops what was staged, keeping the entries' storage
    // for the entries stored next until releaseRecycled().
    void recycle();
    // Frees the recycled storage that was not used again.
    void releaseRecycled() { recycled_.clear(); }
    std::size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }

    // In key order; entries may be updated in place.
    Map::iterator begin() { return entries_.begin(); }
    Map::iterator end() { return entries_.end(); }
    Map::const_iterator begin() const { return entries_.begin(); }
    Map::const_iterator end() const { return entries_.end(); }

  private:
    // The first entry whose key is not less than `key`: where the key is or would go.
    Map::iterator lowerBound(const std::wstring& key);
    // Puts the node's entry under its key, over an entry there, and remembers the place.
    void put(Map::node_type&& node);
    // Remembers the place right after the entry for the next key.
    void remember(Map::iterator at);
    bool holds(Map::iterator at, const std::wstring& key) const {
        return at != entries_.end() && !(key < at->first);
    }

    Map entries_;
    // Right after the last key inserted or stored: where an ascending key goes. Entries are only
    // ever removed all at once, so it stays valid until clear(), recycle(), a copy or a move.
    Map::iterator next_ = entries_.end();
    // The entries of before the last recycle(), there for their storage only.
    Map recycled_;
    // Entries waiting for commitStaged(), in the order they were staged.
    std::vector<Map::node_type> staged_;
};

}  // namespace tindlow
