#pragma once
#include <optional>
#include <string>
#include <vector>

#include "model/dictionary.h"

namespace tindlow {

// The reminder key a user typed: the key as the dictionaries store it, the same without its
// brackets, or a whole reminder line that ends with the key. Nothing when no entry has it.
std::optional<std::wstring> resolveKey(const Dictionary& complete, const std::wstring& typed);

struct FileResolution {
    std::optional<std::wstring> path;      // the event file's path as its entries carry it
    std::vector<std::wstring> candidates;  // several files matched: all of them
};

// The event file a user named among the event files a loading read: its full path, a path that
// ends in it at a directory boundary ("_PeriodicEvents/Health.csv"), or its name; either kind
// of slash, letters in any case.
FileResolution resolveEventFile(const std::vector<std::wstring>& eventFiles,
                                const std::wstring& typed);

}  // namespace tindlow
