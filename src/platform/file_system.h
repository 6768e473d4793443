#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tindlow {

struct DirectoryEntry {
    std::wstring name;
    bool isDirectory = false;
};

// Result of reading a whole file: the bytes, or the C library error number of the failed open
// (2 = no such file, 13 = access denied) with the system's own error code of it.
struct FileBytes {
    int error = 0;
    std::string bytes;
    std::uint32_t systemError = 0;
    bool ok() const { return error == 0; }
};

// Result of reading a file in parts: the same numbers, the bytes having gone to the reader.
struct FileRead {
    int error = 0;
    std::uint32_t systemError = 0;
    bool ok() const { return error == 0; }
};

using FilePartSink = std::function<void(std::string_view part)>;

// Byte-level file access on Windows paths ("C:\P\_Settings\Settings.txt"). The engine does all
// text encoding itself; implementations only move bytes.
class FileSystem {
  public:
    virtual ~FileSystem() = default;
    virtual std::wstring currentDirectory() const = 0;
    virtual bool exists(const std::wstring& path) const = 0;
    virtual bool isDirectory(const std::wstring& path) const = 0;
    // Creates one directory level; false when it could not be created.
    virtual bool createDirectory(const std::wstring& path) = 0;
    virtual bool deleteFile(const std::wstring& path) = 0;
    // The entries of a directory in the order the system lists them, without "." and "..";
    // nothing when the directory cannot be listed.
    virtual std::optional<std::vector<DirectoryEntry>> listDirectory(
        const std::wstring& directory) const = 0;
    // Reads the file from its start and hands its bytes on in parts, as they are read, so that a
    // file of any size is never held whole. The sink runs while the file is open (it may show a
    // message box for minutes): other programs may meanwhile write, replace or delete the file,
    // and the reading goes on with the content it began with. An error part-way is answered
    // after the parts read before it.
    virtual FileRead readFileInParts(const std::wstring& path, const FilePartSink& sink) const = 0;
    // The whole file at once, for files the program reads whole anyway. Nothing on error.
    FileBytes readFile(const std::wstring& path) const {
        FileBytes file;
        const FileRead read =
            readFileInParts(path, [&file](std::string_view part) { file.bytes.append(part); });
        if (!read.ok()) {
            file.bytes.clear();
        }
        file.error = read.error;
        file.systemError = read.systemError;
        return file;
    }
    // Creates or truncates the file and writes the bytes; 0 or the system's error code.
    [[nodiscard]] virtual int writeFile(const std::wstring& path, const std::string& bytes) = 0;
    // The same, answering only when the bytes are on the disk, so that a power loss right after
    // cannot leave the file empty or damaged.
    [[nodiscard]] virtual int writeFileDurably(const std::wstring& path,
                                               const std::string& bytes) = 0;
    // Replaces `to` with `from` in one step (the old `to` stays intact until then); 0 or the
    // system's error code.
    [[nodiscard]] virtual int replaceFile(const std::wstring& from, const std::wstring& to) = 0;
    // The system's description of a system error code (one that writeFile or replaceFile
    // answered, or a FileBytes::systemError), for telling the user why a file failed.
    virtual std::wstring errorText(int error) const = 0;
};

}  // namespace tindlow
