#pragma once
// An in-memory file system with Windows path rules, for unit tests. It lives in namespace
// tindlow next to the interface it implements (not in a nested "testing" namespace, which would
// hide GoogleTest's ::testing inside namespace tindlow).
//
// Paths: "C:\P\_Settings\Settings.txt". Forward slashes count as backslashes, repeated
// separators as one, "." and ".." segments are resolved, ASCII letters match without regard to
// case, and a trailing backslash is accepted on a directory (on a file it makes the path
// missing). A path without a drive ("C:") or UNC root ("\\server") is taken relative to the
// current directory. Names keep the case in which they were created.
//
// Directories exist only when made: the drive C: and the current directory C:\P exist from the
// start; createDirectory makes one level, addDirectory and addFile make every missing level.
//
// Failures, as the C library reports them: 2 when the file or its directory is missing, 13 when
// the path is a directory, is locked or lies in a read-only directory, 28 when the disk is full,
// and any number set with failWritesWith or failWritesPartWay.
//
// Reads hand the bytes on in parts of 4093 bytes (setReadPartSize), so that lines run across
// parts as they do in real reads, and a file changed while it is read is read to its end with the
// content the reading began with. Writes are durable only when made so (writeFileDurably, or a
// file put there by addFile); losePower() empties every other file, as a power loss may leave a
// file whose content never reached the disk.
//
// Listing order is the order of creation (rewriting a file keeps its place), so tests can check
// that callers sort; setListOrder puts chosen names first.

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/file_system.h"

namespace tindlow {

class FakeFileSystem : public FileSystem {
  public:
    FakeFileSystem();

    // FileSystem
    std::wstring currentDirectory() const override { return currentDirectory_; }
    bool exists(const std::wstring& path) const override;
    bool isDirectory(const std::wstring& path) const override;
    // False when the path exists already (file or directory), or its parent directory is missing.
    bool createDirectory(const std::wstring& path) override;
    // False for a missing path, a directory or a locked file.
    bool deleteFile(const std::wstring& path) override;
    std::optional<std::vector<DirectoryEntry>> listDirectory(
        const std::wstring& directory) const override;
    FileRead readFileInParts(const std::wstring& path, const FilePartSink& sink) const override;
    int writeFile(const std::wstring& path, const std::string& bytes) override;
    int writeFileDurably(const std::wstring& path, const std::string& bytes) override;
    // Moves `from` onto `to`; counts as a write of `to` (so failWritesWith(to) applies).
    int replaceFile(const std::wstring& from, const std::wstring& to) override;
    // "Error N: " and a short description of the C library's meaning of N, so a test can see
    // that the number reached the user.
    std::wstring errorText(int error) const override;

    // Test helpers. None of them counts as a write.
    void setCurrentDirectory(const std::wstring& path);  // created when missing
    void addDirectory(const std::wstring& path);         // with every missing level
    // Creates or overwrites a file, and its parents. Throws std::invalid_argument for a path that
    // names a directory or a root.
    void addFile(const std::wstring& path, const std::string& bytes = {});
    std::optional<std::string> fileBytes(const std::wstring& path) const;  // nothing for no file
    // Removes the file or directory with everything below it (a network share going away).
    void removeTree(const std::wstring& path);
    void lock(const std::wstring& path);  // reads, writes, replacing and deleting fail with 13
    void unlock(const std::wstring& path);
    // Every later write of the path answers the error (0 removes the failure) and changes
    // nothing. The path need not exist.
    void failWritesWith(const std::wstring& path, int error);
    // Like failWritesWith, but every later write of the path first stores the first `kept` bytes,
    // as a write cut off part-way (a network drive gone, a device error).
    void failWritesPartWay(const std::wstring& path, std::size_t kept, int error);
    // The disk has room for this many more bytes of file content (nothing: no limit). A write
    // that does not fit stores what fits and answers 28.
    void setFreeSpace(std::optional<std::size_t> bytes);
    // Creating, writing, replacing, renaming and deleting files in the directory fail with 13.
    void setReadOnly(const std::wstring& directory, bool readOnly);
    // Every file whose content was written but not made durable is left empty.
    void losePower();
    void setReadPartSize(std::size_t bytes) { readPartSize_ = bytes; }
    // Successful writeFile and replaceFile calls on the path.
    int writeCount(const std::wstring& path) const;
    // Lists the named entries of the directory first, in this order, then the others as before.
    void setListOrder(const std::wstring& directory, const std::vector<std::wstring>& names);
    // Every directory (with a trailing backslash) and file, sorted without regard to case; for
    // asserting what exists or that nothing changed.
    std::vector<std::wstring> paths() const;
    // Every file with its bytes, keyed like paths().
    std::map<std::wstring, std::string> files() const;

  private:
    struct Node {
        std::wstring path;       // as created, normalised separators, no trailing backslash
        std::wstring parentKey;  // empty for a root
        std::wstring name;       // last segment
        bool isDirectory = false;
        std::string bytes;
        bool durable = true;
        std::uint64_t order = 0;
    };
    struct Resolved {
        std::wstring key;         // upper-case ASCII, empty when the path has no root
        std::wstring path;        // display form
        std::wstring parentKey;   // empty for a root
        std::wstring parentPath;  // display form of the parent
        std::wstring name;        // last segment
        bool trailingSeparator = false;
    };

    Resolved resolve(const std::wstring& path) const;
    Resolved resolveUncached(const std::wstring& path) const;
    const Node* findNode(const Resolved& resolved) const;
    Node* findNode(const Resolved& resolved);
    bool parentIsDirectory(const Resolved& resolved) const;
    bool isLocked(const Resolved& resolved) const { return locks_.count(resolved.key) != 0; }
    Node& makeNode(const Resolved& resolved, bool isDirectory);
    void makeDirectories(const Resolved& resolved);
    int writeFailure(const Resolved& resolved) const;
    int write(const std::wstring& path, const std::string& bytes, bool durable);
    bool inReadOnlyDirectory(const Resolved& resolved) const {
        return readOnly_.count(resolved.parentKey) != 0;
    }
    // Bytes of file content on the disk, but those of the file `except`.
    std::size_t usedSpace(const std::wstring& except) const;
    // The checks every write of a file runs, writeFile and replaceFile alike: 0 or the error.
    int checkWritable(const Resolved& resolved) const;

    std::map<std::wstring, Node> nodes_;  // by key
    struct PartialWrite {
        std::size_t kept = 0;
        int error = 0;
    };
    std::map<std::wstring, int> writeFailures_;
    std::map<std::wstring, PartialWrite> partialWrites_;
    std::set<std::wstring> readOnly_;
    std::optional<std::size_t> capacity_;
    std::size_t readPartSize_ = 4093;
    std::map<std::wstring, int> writeCounts_;
    std::set<std::wstring> locks_;
    std::wstring currentDirectory_;
    static constexpr std::size_t kResolveCacheLimit = 4096;
    mutable std::unordered_map<std::wstring, Resolved> resolveCache_;
    std::uint64_t nextOrder_ = 1;
};

}  // namespace tindlow
