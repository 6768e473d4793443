#pragma once
#include <map>
#include <string>

#include "model/reminder_entry.h"

namespace tindlow {

// An ordered map from reminder key to entry, compared ordinally code unit by code unit. The
// complete dictionary and today's dictionary are two independent instances; each owns copies.
class Dictionary {
  public:
    using Map = std::map<std::wstring, ReminderEntry>;

    // The entry under the key; a default entry is inserted first when the key is absent.
    ReminderEntry& slot(const std::wstring& key) { return entries_[key]; }
    // nullptr when absent.
    const ReminderEntry* find(const std::wstring& key) const;
    ReminderEntry* find(const std::wstring& key);
    void clear() { entries_.clear(); }
    std::size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }

    // In key order; entries may be updated in place.
    Map::iterator begin() { return entries_.begin(); }
    Map::iterator end() { return entries_.end(); }
    Map::const_iterator begin() const { return entries_.begin(); }
    Map::const_iterator end() const { return entries_.end(); }

  private:
    Map entries_;
};

}  // namespace tindlow
