#pragma once
#include <filesystem>

#include "platform/file_system.h"

namespace tindlow {

// The file system of a POSIX system, seen as Wine shows it to the window: the root directory is
// drive Z:, so "/home/ann/Tindlow" is "Z:\home\ann\Tindlow" and the command-line program writes
// the same paths into its reports as the window does on the same directory. It only reads.
class PosixFileSystem : public FileSystem {
  public:
    // `programDirectory` becomes the current directory the engine sees.
    explicit PosixFileSystem(const std::filesystem::path& programDirectory);

    std::wstring currentDirectory() const override { return current_; }
    bool exists(const std::wstring& path) const override;
    bool isDirectory(const std::wstring& path) const override;
    bool createDirectory(const std::wstring&) override { return false; }
    bool deleteFile(const std::wstring&) override { return false; }
    std::optional<std::vector<DirectoryEntry>> listDirectory(
        const std::wstring& directory) const override;
    FileRead readFileInParts(const std::wstring& path, const FilePartSink& sink) const override;
    int writeFile(const std::wstring&, const std::string&) override;
    int writeFileDurably(const std::wstring& path, const std::string& bytes) override {
        return writeFile(path, bytes);
    }
    int replaceFile(const std::wstring&, const std::wstring&) override;
    std::wstring errorText(int error) const override;

    // The POSIX path of a Windows path on drive Z:; empty for any other drive or a UNC path.
    static std::string posixPath(const std::wstring& path);
    // The Windows path on drive Z: of an absolute POSIX path.
    static std::wstring windowsPath(const std::string& path);

  private:
    std::wstring current_;
};

}  // namespace tindlow
