#include "fakes/fake_file_system.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace tindlow {

namespace {

constexpr int kNoSuchFile = 2;
constexpr int kAccessDenied = 13;
constexpr int kNoSpace = 28;

// The system's own codes of a failed open, beside the C library's number.
constexpr std::uint32_t kWinFileNotFound = 2;
constexpr std::uint32_t kWinAccessDenied = 5;
constexpr std::uint32_t kWinSharingViolation = 32;

std::wstring upperAscii(std::wstring text) {
    for (wchar_t& c : text) {
        if (c >= L'a' && c <= L'z') {
            c = static_cast<wchar_t>(c - L'a' + L'A');
        }
    }
    return text;
}

bool isDriveRoot(const std::wstring& path) {
    return path.size() >= 2 && path[1] == L':' &&
           ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z'));
}

}  // namespace

FakeFileSystem::FakeFileSystem() {
    setCurrentDirectory(L"C:\\P");
}

FakeFileSystem::Resolved FakeFileSystem::resolve(const std::wstring& path) const {
    // Long simulations ask for the same few paths on every tick; resolving is pure for a given
    // current directory, so its results are kept.
    const auto cached = resolveCache_.find(path);
    if (cached != resolveCache_.end()) {
        return cached->second;
    }
    if (resolveCache_.size() >= kResolveCacheLimit) {
        resolveCache_.clear();
    }
    Resolved resolved = resolveUncached(path);
    resolveCache_.emplace(path, resolved);
    return resolved;
}

FakeFileSystem::Resolved FakeFileSystem::resolveUncached(const std::wstring& path) const {
    std::wstring text = path;
    std::replace(text.begin(), text.end(), L'/', L'\\');
    Resolved resolved;
    if (text.empty()) {
        return resolved;
    }

    std::wstring root;
    std::wstring rest;
    if (text.rfind(L"\\\\", 0) == 0) {
        // UNC: \\server is the root, the share is its first directory.
        const std::size_t end = text.find(L'\\', 2);
        root = text.substr(0, end);
        rest = end == std::wstring::npos ? std::wstring() : text.substr(end);
        if (root.size() == 2) {
            return resolved;
        }
    } else if (isDriveRoot(text)) {
        root = text.substr(0, 2);
        rest = text.substr(2);
    } else if (text.front() == L'\\') {
        // Rooted on the drive (or server) of the current directory.
        const Resolved current = resolve(currentDirectory_);
        root = current.path.substr(0, current.path.find(L'\\', 2));
        rest = text;
    } else {
        return resolve(currentDirectory_ + L"\\" + text);
    }

    std::vector<std::wstring> segments;
    std::size_t start = 0;
    while (start <= rest.size()) {
        std::size_t end = rest.find(L'\\', start);
        if (end == std::wstring::npos) {
            end = rest.size();
        }
        const std::wstring segment = rest.substr(start, end - start);
        if (segment == L"..") {
            if (!segments.empty()) {
                segments.pop_back();
            }
        } else if (!segment.empty() && segment != L".") {
            segments.push_back(segment);
        }
        start = end + 1;
    }

    resolved.trailingSeparator = !segments.empty() && text.back() == L'\\';
    resolved.path = root;
    for (std::size_t i = 0; i < segments.size(); ++i) {
        if (i + 1 == segments.size()) {
            resolved.parentPath = resolved.path;
            resolved.parentKey = upperAscii(resolved.path);
            resolved.name = segments[i];
        }
        resolved.path += L"\\" + segments[i];
    }
    if (segments.empty()) {
        resolved.name = root;
    }
    resolved.key = upperAscii(resolved.path);
    return resolved;
}

const FakeFileSystem::Node* FakeFileSystem::findNode(const Resolved& resolved) const {
    if (resolved.key.empty()) {
        return nullptr;
    }
    const auto it = nodes_.find(resolved.key);
    if (it == nodes_.end()) {
        return nullptr;
    }
    // "file.txt\" names no file.
    if (resolved.trailingSeparator && !it->second.isDirectory) {
        return nullptr;
    }
    return &it->second;
}

FakeFileSystem::Node* FakeFileSystem::findNode(const Resolved& resolved) {
    return const_cast<Node*>(std::as_const(*this).findNode(resolved));
}

bool FakeFileSystem::parentIsDirectory(const Resolved& resolved) const {
    if (resolved.parentKey.empty()) {
        return false;
    }
    const auto it = nodes_.find(resolved.parentKey);
    return it != nodes_.end() && it->second.isDirectory;
}

FakeFileSystem::Node& FakeFileSystem::makeNode(const Resolved& resolved, bool isDirectory) {
    Node& node = nodes_[resolved.key];
    node.path = resolved.path;
    node.parentKey = resolved.parentKey;
    node.name = resolved.name;
    node.isDirectory = isDirectory;
    node.bytes.clear();
    node.order = nextOrder_++;
    return node;
}

void FakeFileSystem::makeDirectories(const Resolved& resolved) {
    if (resolved.key.empty() || nodes_.count(resolved.key) != 0) {
        return;
    }
    if (!resolved.parentKey.empty()) {
        makeDirectories(resolve(resolved.parentPath));
    }
    makeNode(resolved, true);
}

int FakeFileSystem::writeFailure(const Resolved& resolved) const {
    const auto it = writeFailures_.find(resolved.key);
    return it == writeFailures_.end() ? 0 : it->second;
}

int FakeFileSystem::checkWritable(const Resolved& resolved) const {
    if (resolved.key.empty()) {
        return kNoSuchFile;
    }
    if (const int failure = writeFailure(resolved); failure != 0) {
        return failure;
    }
    const auto it = nodes_.find(resolved.key);
    if ((it != nodes_.end() && it->second.isDirectory) || isLocked(resolved) ||
        inReadOnlyDirectory(resolved)) {
        return kAccessDenied;
    }
    if (resolved.trailingSeparator || !parentIsDirectory(resolved)) {
        return kNoSuchFile;
    }
    return 0;
}

std::size_t FakeFileSystem::usedSpace(const std::wstring& except) const {
    std::size_t used = 0;
    for (const auto& [key, node] : nodes_) {
        if (key != except) {
            used += node.bytes.size();
        }
    }
    return used;
}

bool FakeFileSystem::exists(const std::wstring& path) const {
    return findNode(resolve(path)) != nullptr;
}

bool FakeFileSystem::isDirectory(const std::wstring& path) const {
    const Node* node = findNode(resolve(path));
    return node != nullptr && node->isDirectory;
}

bool FakeFileSystem::createDirectory(const std::wstring& path) {
    const Resolved resolved = resolve(path);
    if (resolved.key.empty() || nodes_.count(resolved.key) != 0 || !parentIsDirectory(resolved) ||
        inReadOnlyDirectory(resolved)) {
        return false;
    }
    makeNode(resolved, true);
    return true;
}

bool FakeFileSystem::deleteFile(const std::wstring& path) {
    const Resolved resolved = resolve(path);
    const Node* node = findNode(resolved);
    if (node == nullptr || node->isDirectory || isLocked(resolved) ||
        inReadOnlyDirectory(resolved)) {
        return false;
    }
    nodes_.erase(resolved.key);
    return true;
}

std::optional<std::vector<DirectoryEntry>> FakeFileSystem::listDirectory(
    const std::wstring& directory) const {
    const Resolved resolved = resolve(directory);
    const Node* node = findNode(resolved);
    if (node == nullptr || !node->isDirectory) {
        return std::nullopt;
    }
    std::vector<const Node*> children;
    for (const auto& [key, child] : nodes_) {
        if (child.parentKey == resolved.key) {
            children.push_back(&child);
        }
    }
    std::sort(children.begin(), children.end(),
              [](const Node* a, const Node* b) { return a->order < b->order; });
    std::vector<DirectoryEntry> entries;
    for (const Node* child : children) {
        entries.push_back({child->name, child->isDirectory});
    }
    return entries;
}

FileRead FakeFileSystem::readFileInParts(const std::wstring& path, const FilePartSink& sink) const {
    const Resolved resolved = resolve(path);
    const Node* node = findNode(resolved);
    if (node == nullptr) {
        return {kNoSuchFile, kWinFileNotFound};
    }
    if (node->isDirectory || isLocked(resolved)) {
        return {kAccessDenied, isLocked(resolved) ? kWinSharingViolation : kWinAccessDenied};
    }
    // The content the reading began with: the sink may change the file, or remove it.
    const std::string bytes = node->bytes;
    for (std::size_t at = 0; at < bytes.size(); at += readPartSize_) {
        sink(std::string_view(bytes).substr(at, readPartSize_));
    }
    return {};
}

int FakeFileSystem::writeFile(const std::wstring& path, const std::string& bytes) {
    return write(path, bytes, false);
}

int FakeFileSystem::writeFileDurably(const std::wstring& path, const std::string& bytes) {
    return write(path, bytes, true);
}

int FakeFileSystem::write(const std::wstring& path, const std::string& bytes, bool durable) {
    const Resolved resolved = resolve(path);
    if (const int error = checkWritable(resolved); error != 0) {
        return error;
    }
    Node* node = findNode(resolved);
    if (node == nullptr) {
        node = &makeNode(resolved, false);
    }
    // Created or truncated; then as much is written as the faults let through.
    std::size_t kept = bytes.size();
    int error = 0;
    if (const auto partial = partialWrites_.find(resolved.key); partial != partialWrites_.end()) {
        kept = std::min(kept, partial->second.kept);
        error = partial->second.error;
    }
    if (capacity_) {
        const std::size_t used = usedSpace(resolved.key);
        const std::size_t room = *capacity_ > used ? *capacity_ - used : 0;
        if (kept > room) {
            kept = room;
            error = kNoSpace;
        }
    }
    node->bytes.assign(bytes, 0, kept);
    node->durable = durable && error == 0;
    if (error == 0) {
        ++writeCounts_[resolved.key];
    }
    return error;
}

int FakeFileSystem::replaceFile(const std::wstring& from, const std::wstring& to) {
    const Resolved source = resolve(from);
    const Resolved target = resolve(to);
    const Node* sourceNode = findNode(source);
    int error = 0;
    if (sourceNode == nullptr) {
        error = kNoSuchFile;
    } else if (sourceNode->isDirectory || isLocked(source) || inReadOnlyDirectory(source)) {
        error = kAccessDenied;
    } else {
        error = checkWritable(target);
    }
    if (error != 0) {
        return error;
    }
    if (source.key == target.key) {
        return 0;
    }
    std::string bytes = sourceNode->bytes;
    const bool durable = sourceNode->durable;
    nodes_.erase(source.key);
    Node* targetNode = findNode(target);
    if (targetNode == nullptr) {
        targetNode = &makeNode(target, false);
    }
    // The rename itself is written through; the content is as durable as it was.
    targetNode->bytes = std::move(bytes);
    targetNode->durable = durable;
    ++writeCounts_[target.key];
    return 0;
}

std::wstring FakeFileSystem::errorText(int error) const {
    std::wstring meaning = L"unknown error";
    switch (error) {
        case kNoSuchFile:
            meaning = L"no such file or directory";
            break;
        case kAccessDenied:
            meaning = L"permission denied";
            break;
        case kNoSpace:
            meaning = L"no space left on device";
            break;
        default:
            break;
    }
    return L"Error " + std::to_wstring(error) + L": " + meaning;
}

void FakeFileSystem::setCurrentDirectory(const std::wstring& path) {
    const Resolved resolved = resolve(path);
    makeDirectories(resolved);
    currentDirectory_ = resolved.path;
    // Relative paths resolve against the new directory now.
    resolveCache_.clear();
}

void FakeFileSystem::removeTree(const std::wstring& path) {
    const Resolved resolved = resolve(path);
    if (resolved.key.empty()) {
        return;
    }
    const std::wstring below = resolved.key + L"\\";
    for (auto it = nodes_.begin(); it != nodes_.end();) {
        if (it->first == resolved.key || it->first.starts_with(below)) {
            it = nodes_.erase(it);
        } else {
            ++it;
        }
    }
}

void FakeFileSystem::addDirectory(const std::wstring& path) {
    makeDirectories(resolve(path));
}

void FakeFileSystem::addFile(const std::wstring& path, const std::string& bytes) {
    const Resolved resolved = resolve(path);
    const auto it = nodes_.find(resolved.key);
    if (resolved.parentKey.empty() || resolved.trailingSeparator ||
        (it != nodes_.end() && it->second.isDirectory)) {
        throw std::invalid_argument("addFile needs the path of a file");
    }
    makeDirectories(resolve(resolved.parentPath));
    Node& node = it != nodes_.end() ? it->second : makeNode(resolved, false);
    node.bytes = bytes;
    node.durable = true;
}

std::optional<std::string> FakeFileSystem::fileBytes(const std::wstring& path) const {
    const Node* node = findNode(resolve(path));
    if (node == nullptr || node->isDirectory) {
        return std::nullopt;
    }
    return node->bytes;
}

void FakeFileSystem::lock(const std::wstring& path) {
    locks_.insert(resolve(path).key);
}

void FakeFileSystem::unlock(const std::wstring& path) {
    locks_.erase(resolve(path).key);
}

void FakeFileSystem::failWritesWith(const std::wstring& path, int error) {
    const std::wstring key = resolve(path).key;
    if (error == 0) {
        writeFailures_.erase(key);
    } else {
        writeFailures_[key] = error;
    }
}

void FakeFileSystem::failWritesPartWay(const std::wstring& path, std::size_t kept, int error) {
    const std::wstring key = resolve(path).key;
    if (error == 0) {
        partialWrites_.erase(key);
    } else {
        partialWrites_[key] = {kept, error};
    }
}

void FakeFileSystem::setFreeSpace(std::optional<std::size_t> bytes) {
    capacity_.reset();
    if (bytes) {
        capacity_ = usedSpace(std::wstring()) + *bytes;
    }
}

void FakeFileSystem::setReadOnly(const std::wstring& directory, bool readOnly) {
    const std::wstring key = resolve(directory).key;
    if (readOnly) {
        readOnly_.insert(key);
    } else {
        readOnly_.erase(key);
    }
}

void FakeFileSystem::losePower() {
    for (auto& [key, node] : nodes_) {
        if (!node.isDirectory && !node.durable) {
            node.bytes.clear();
            node.durable = true;
        }
    }
}

int FakeFileSystem::writeCount(const std::wstring& path) const {
    const auto it = writeCounts_.find(resolve(path).key);
    return it == writeCounts_.end() ? 0 : it->second;
}

void FakeFileSystem::setListOrder(const std::wstring& directory,
                                  const std::vector<std::wstring>& names) {
    const Resolved resolved = resolve(directory);
    for (const std::wstring& name : names) {
        const auto it = nodes_.find(resolved.key + L"\\" + upperAscii(name));
        if (it != nodes_.end()) {
            it->second.order = nextOrder_++;
        }
    }
    // The others follow, keeping their order among themselves.
    std::vector<Node*> others;
    for (auto& [key, node] : nodes_) {
        if (node.parentKey == resolved.key &&
            std::none_of(names.begin(), names.end(), [&node = node](const std::wstring& name) {
                return upperAscii(name) == upperAscii(node.name);
            })) {
            others.push_back(&node);
        }
    }
    std::sort(others.begin(), others.end(),
              [](const Node* a, const Node* b) { return a->order < b->order; });
    for (Node* node : others) {
        node->order = nextOrder_++;
    }
}

std::vector<std::wstring> FakeFileSystem::paths() const {
    std::vector<std::wstring> result;
    for (const auto& [key, node] : nodes_) {
        result.push_back(node.isDirectory ? node.path + L"\\" : node.path);
    }
    return result;
}

std::map<std::wstring, std::string> FakeFileSystem::files() const {
    std::map<std::wstring, std::string> result;
    for (const auto& [key, node] : nodes_) {
        if (!node.isDirectory) {
            result.emplace(node.path, node.bytes);
        }
    }
    return result;
}

}  // namespace tindlow
