#pragma once
#include <windows.h>

#include "platform/platform.h"

namespace tindlow::win32 {

class RealClock : public Clock {
  public:
    LocalTime localTime() const override;
    std::uint64_t tickCount() const override;
};

class RealFileSystem : public FileSystem {
  public:
    std::wstring currentDirectory() const override;
    bool exists(const std::wstring& path) const override;
    bool isDirectory(const std::wstring& path) const override;
    bool createDirectory(const std::wstring& path) override;
    bool deleteFile(const std::wstring& path) override;
    std::optional<std::vector<DirectoryEntry>> listDirectory(
        const std::wstring& directory) const override;
    FileRead readFileInParts(const std::wstring& path, const FilePartSink& sink) const override;
    int writeFile(const std::wstring& path, const std::string& bytes) override;
    int writeFileDurably(const std::wstring& path, const std::string& bytes) override;
    int replaceFile(const std::wstring& from, const std::wstring& to) override;
    std::wstring errorText(int error) const override;
};

class RealShell : public Shell {
  public:
    ShellResult open(const std::wstring& path) override;
};

class RealMessageBoxes : public MessageBoxes {
  public:
    void setOwner(HWND owner) { owner_ = owner; }
    int show(const std::wstring& text, const std::wstring& caption, BoxIcon icon) override;
    std::uint32_t showFailure() const override { return failure_; }

  private:
    HWND owner_ = nullptr;
    std::uint32_t failure_ = 0;
};

class RealKeyPoll : public KeyPoll {
  public:
    bool pressedSinceLastPoll(UnhideKey key) override;
    bool otherKeyPressedSinceLastPoll() override;
};

class RealProcesses : public Processes {
  public:
    std::vector<ProcessInfo> list() const override;
};

class RealClipboard : public Clipboard {
  public:
    void setOwner(HWND owner) { owner_ = owner; }
    ClipboardResult setText(const std::wstring& text) override;

  private:
    HWND owner_ = nullptr;
};

class RealSleeper : public Sleeper {
  public:
    void sleepMilliseconds(int milliseconds) override;
};

}  // namespace tindlow::win32
