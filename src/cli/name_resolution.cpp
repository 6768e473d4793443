#include "cli/name_resolution.h"

#include <cwctype>
#include <set>

#include "commands/log_lines.h"

namespace tindlow {

namespace {

// Backslashes for slashes, lower case, no trailing separator.
std::wstring comparablePath(const std::wstring& path) {
    std::wstring text = path;
    for (wchar_t& c : text) {
        c = c == L'/' ? L'\\' : static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c)));
    }
    while (!text.empty() && text.back() == L'\\') {
        text.pop_back();
    }
    return text;
}

bool endsAtBoundary(const std::wstring& path, const std::wstring& tail) {
    if (tail.empty() || tail.size() > path.size() ||
        path.compare(path.size() - tail.size(), tail.size(), tail) != 0) {
        return false;
    }
    return tail.size() == path.size() || tail.front() == L'\\' ||
           path[path.size() - tail.size() - 1] == L'\\';
}

}  // namespace

std::optional<std::wstring> resolveKey(const Dictionary& complete, const std::wstring& typed) {
    std::vector<std::wstring> candidates{typed};
    if (!typed.starts_with(L'[')) {
        candidates.push_back(L"[" + typed + L"]");
    }
    if (const std::optional<std::wstring> fromLine = extractKey(typed)) {
        candidates.push_back(*fromLine);
    }
    for (const std::wstring& key : candidates) {
        if (complete.find(key) != nullptr) {
            return key;
        }
    }
    return std::nullopt;
}

FileResolution resolveEventFile(const std::vector<std::wstring>& eventFiles,
                                const std::wstring& typed) {
    const std::set<std::wstring> files(eventFiles.begin(), eventFiles.end());
    FileResolution result;
    if (files.count(typed) != 0) {
        result.path = typed;
        return result;
    }
    std::wstring tail = comparablePath(typed);
    // "./Health.csv" and ".\_PeriodicEvents\Health.csv" name the same tail.
    while (tail.starts_with(L".\\")) {
        tail.erase(0, 2);
    }
    for (const std::wstring& file : files) {
        if (endsAtBoundary(comparablePath(file), tail)) {
            result.candidates.push_back(file);
        }
    }
    if (result.candidates.size() == 1) {
        result.path = result.candidates.front();
    }
    return result;
}

}  // namespace tindlow
