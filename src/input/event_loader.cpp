#include <algorithm>
#include <string>
#include <vector>

#include "input/event_input.h"

namespace tindlow {

namespace {

const std::wstring& message(const TextTables& texts, int index) {
    return texts.messages.at(static_cast<std::size_t>(index));
}

// Upper case for ASCII and Latin-1 letters, the way NTFS orders names.
wchar_t foldedCase(wchar_t c) {
    if ((c >= L'a' && c <= L'z') || (c >= L'\u00E0' && c <= L'\u00FE' && c != L'\u00F7')) {
        return static_cast<wchar_t>(c - 0x20);
    }
    return c;
}

// Ascending without regard to case, ties broken ordinally so the order never depends on the
// order the file system listed the names in.
bool namesInOrder(const std::wstring& a, const std::wstring& b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const wchar_t x = foldedCase(a[i]);
        const wchar_t y = foldedCase(b[i]);
        if (x != y) {
            return x < y;
        }
    }
    if (a.size() != b.size()) {
        return a.size() < b.size();
    }
    return a < b;
}

bool qualifies(const std::wstring& name, const std::wstring& extension) {
    if (name.size() <= 4) {
        return false;
    }
    return extension.ends_with(L".*") || name.ends_with(extension);
}

// Reads every event file of one directory; answers the number of files listed.
int readDirectory(EventInput& input, const std::wstring& directory,
                  std::vector<std::wstring>& names, KeyLookup* lookup) {
    const int count = listFiles(input.files, directory, L".csv", names);
    if (count == 0) {
        input.log.log(message(input.texts, msg::kTryingToRead) + directory +
                      message(input.texts, msg::kNoFilesFound));
        input.log.log(input.dashLine);
        return 0;
    }
    // A copy: a reload nested in a message box of the reader may refill the list.
    const std::vector<std::wstring> toRead = names;
    for (const std::wstring& name : toRead) {
        stageEventFile(input, directory + name, lookup);
    }
    return count;
}

// A loading rebuilds both dictionaries in the storage of their old entries (most lines are the
// same as last time). The entries it reads are staged and go in when the loading ends, on every
// way out of it; then what they did not take of the old storage is freed.
class RebuiltDictionaries {
  public:
    explicit RebuiltDictionaries(EventInput& input) : input_(input) {
        input_.today.recycle();
        input_.complete.recycle();
    }
    ~RebuiltDictionaries() {
        input_.today.commitStaged();
        input_.complete.commitStaged();
        input_.today.releaseRecycled();
        input_.complete.releaseRecycled();
    }
    RebuiltDictionaries(const RebuiltDictionaries&) = delete;
    RebuiltDictionaries& operator=(const RebuiltDictionaries&) = delete;

  private:
    EventInput& input_;
};

}  // namespace

int listFiles(const FileSystem& files, const std::wstring& directory, const std::wstring& extension,
              std::vector<std::wstring>& names) {
    names.clear();
    const auto entries = files.listDirectory(directory);
    if (!entries) {
        return 0;
    }
    for (const DirectoryEntry& entry : *entries) {
        if (!entry.isDirectory && qualifies(entry.name, extension)) {
            names.push_back(entry.name);
        }
    }
    // The later line of a duplicate key wins, so the reading order must be the same on every
    // machine: the order NTFS lists in, whatever the file system at hand does.
    std::sort(names.begin(), names.end(), namesInOrder);
    return static_cast<int>(names.size());
}

void loadEventFiles(EventInput& input, const std::wstring& singleEventsDirectory,
                    const std::wstring& periodicEventsDirectory, const std::wstring& networkPath,
                    NetworkPathState& networkPathState, EventFileLists& lists, KeyLookup* lookup) {
    const RebuiltDictionaries rebuilt(input);
    readDirectory(input, singleEventsDirectory, lists.singleEvents, lookup);
    readDirectory(input, periodicEventsDirectory, lists.periodicEvents, lookup);
    if (networkPath.empty()) {
        return;
    }
    if (!input.files.exists(networkPath)) {
        // No dash line here; the state stays, so the network probe keeps looking for the path.
        input.log.log(message(input.texts, msg::kTryingToRead) + networkPath +
                      message(input.texts, msg::kNetworkDriveNotFound));
        return;
    }
    networkPathState = NetworkPathState::Reached;
    const int count = listFiles(input.files, networkPath, L".csv", lists.networkEvents);
    if (count == 0) {
        input.log.log(message(input.texts, msg::kTryingToRead) + networkPath +
                      message(input.texts, msg::kNoFilesFound));
        input.log.log(input.dashLine);
        return;
    }
    const std::vector<std::wstring> toRead = lists.networkEvents;
    for (const std::wstring& name : toRead) {
        stageEventFile(input, networkPath + name, lookup);
        networkPathState = NetworkPathState::Read;
    }
}

}  // namespace tindlow
