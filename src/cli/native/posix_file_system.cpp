#include "cli/native/posix_file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string_view>
#include <vector>

#include "cli/utf8_text.h"

namespace tindlow {

namespace {

// A directory handle that closes itself.
struct DirectoryHandle {
    explicit DirectoryHandle(DIR* d) : dir(d) {}
    ~DirectoryHandle() {
        if (dir != nullptr) {
            closedir(dir);
        }
    }
    DirectoryHandle(const DirectoryHandle&) = delete;
    DirectoryHandle& operator=(const DirectoryHandle&) = delete;
    DIR* dir;
};

bool statOf(const std::wstring& path, struct stat& info) {
    const std::string posix = PosixFileSystem::posixPath(path);
    return !posix.empty() && ::stat(posix.c_str(), &info) == 0;
}

}  // namespace

PosixFileSystem::PosixFileSystem(const std::filesystem::path& programDirectory)
    : current_(windowsPath(std::filesystem::absolute(programDirectory).lexically_normal())) {}

std::string PosixFileSystem::posixPath(const std::wstring& path) {
    if (path.size() < 2 || path[1] != L':' || (path[0] != L'Z' && path[0] != L'z')) {
        return std::string();
    }
    std::wstring rest = path.substr(2);
    for (wchar_t& c : rest) {
        if (c == L'\\') {
            c = L'/';
        }
    }
    return rest.empty() ? "/" : utf8FromWide(rest);
}

std::wstring PosixFileSystem::windowsPath(const std::string& path) {
    std::wstring text = wideFromUtf8(path);
    for (wchar_t& c : text) {
        if (c == L'/') {
            c = L'\\';
        }
    }
    // The root itself is "Z:\"; every other directory has no trailing separator.
    while (text.size() > 1 && text.back() == L'\\') {
        text.pop_back();
    }
    return L"Z:" + text;
}

bool PosixFileSystem::exists(const std::wstring& path) const {
    struct stat info {};
    return statOf(path, info);
}

bool PosixFileSystem::isDirectory(const std::wstring& path) const {
    struct stat info {};
    return statOf(path, info) && S_ISDIR(info.st_mode);
}

std::optional<std::vector<DirectoryEntry>> PosixFileSystem::listDirectory(
    const std::wstring& directory) const {
    const std::string posix = posixPath(directory);
    if (posix.empty()) {
        return std::nullopt;
    }
    DirectoryHandle handle(opendir(posix.c_str()));
    if (handle.dir == nullptr) {
        return std::nullopt;
    }
    std::vector<DirectoryEntry> entries;
    while (const dirent* entry = readdir(handle.dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") {
            continue;
        }
        struct stat info {};
        const bool isDir =
            ::stat((posix + "/" + name).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
        entries.push_back({wideFromUtf8(name), isDir});
    }
    return entries;
}

FileRead PosixFileSystem::readFileInParts(const std::wstring& path,
                                          const FilePartSink& sink) const {
    const std::string posix = posixPath(path);
    if (posix.empty()) {
        return {ENOENT, static_cast<std::uint32_t>(ENOENT)};
    }
    const int fd = ::open(posix.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        return {error, static_cast<std::uint32_t>(error)};
    }
    FileRead result;
    std::vector<char> buffer(65536);
    for (;;) {
        const ssize_t got = ::read(fd, buffer.data(), buffer.size());
        if (got == 0) {
            break;
        }
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            // A directory opens but cannot be read (EISDIR): no file, as on Windows.
            const int error = errno;
            result = {error == EISDIR ? EACCES : error, static_cast<std::uint32_t>(error)};
            break;
        }
        sink(std::string_view(buffer.data(), static_cast<std::size_t>(got)));
    }
    ::close(fd);
    return result;
}

int PosixFileSystem::writeFile(const std::wstring&, const std::string&) {
    return EROFS;
}

int PosixFileSystem::replaceFile(const std::wstring&, const std::wstring&) {
    return EROFS;
}

std::wstring PosixFileSystem::errorText(int error) const {
    return wideFromUtf8(std::strerror(error));
}

}  // namespace tindlow
