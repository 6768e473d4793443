#pragma once
#include "platform/file_system.h"

namespace tindlow {

// A file system that reads through to another one and refuses every change, so that the
// command-line program can never create or write anything in a program directory that a
// running window uses at the same time.
class ReadOnlyFileSystem : public FileSystem {
  public:
    // The error the refused writes answer: "the media is write protected" on Windows, EROFS
    // elsewhere; errorText passes it to the system below for its description.
    static constexpr int kRefused = 19;

    explicit ReadOnlyFileSystem(const FileSystem& files) : files_(files) {}

    std::wstring currentDirectory() const override { return files_.currentDirectory(); }
    bool exists(const std::wstring& path) const override { return files_.exists(path); }
    bool isDirectory(const std::wstring& path) const override { return files_.isDirectory(path); }
    bool createDirectory(const std::wstring&) override { return false; }
    bool deleteFile(const std::wstring&) override { return false; }
    std::optional<std::vector<DirectoryEntry>> listDirectory(
        const std::wstring& directory) const override {
        return files_.listDirectory(directory);
    }
    FileRead readFileInParts(const std::wstring& path, const FilePartSink& sink) const override {
        return files_.readFileInParts(path, sink);
    }
    int writeFile(const std::wstring&, const std::string&) override { return kRefused; }
    int writeFileDurably(const std::wstring&, const std::string&) override { return kRefused; }
    int replaceFile(const std::wstring&, const std::wstring&) override { return kRefused; }
    std::wstring errorText(int error) const override { return files_.errorText(error); }

  private:
    const FileSystem& files_;
};

}  // namespace tindlow
