#include "win32/win32_platform.h"

#include <shellapi.h>
#include <shlwapi.h>

#include <algorithm>
#include <cerrno>
#include <string_view>
#include <vector>

namespace tindlow::win32 {

namespace {

// The calling thread's last error, or `fallback` should a failed call have left none.
int lastErrorOr(DWORD fallback) {
    const DWORD error = GetLastError();
    return static_cast<int>(error != 0 ? error : fallback);
}

// The system's text for an error code, in the user's language, without the line end that
// FormatMessageW puts after it; empty when the system has none.
std::wstring systemErrorText(DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<LPWSTR>(&buffer),
        0, nullptr);
    std::wstring text = length > 0 && buffer != nullptr ? std::wstring(buffer, length) : L"";
    if (buffer != nullptr) {
        LocalFree(buffer);
    }
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) {
        text.pop_back();
    }
    return text;
}

// The C library's number for a failed open, as _wfopen would set errno: the callers and the
// messages know 2 (no such file) and 13 (access denied).
int cLibraryNumberOf(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME:
        case ERROR_BAD_PATHNAME:
        case ERROR_FILENAME_EXCED_RANGE:
            return ENOENT;
        case ERROR_TOO_MANY_OPEN_FILES:
            return EMFILE;
        case ERROR_NOT_ENOUGH_MEMORY:
        case ERROR_OUTOFMEMORY:
            return ENOMEM;
        default:
            return EACCES;
    }
}

// Creates or truncates the file and writes the bytes; `durable` waits until they are on the disk.
// The Win32 calls rather than the C runtime, so a failure answers the system's own reason (a full
// disk, a file locked by another program) instead of a coarse C error number.
int writeBytes(const std::wstring& path, const std::string& bytes, bool durable) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return lastErrorOr(ERROR_ACCESS_DENIED);
    }
    int error = 0;
    std::size_t done = 0;
    while (error == 0 && done < bytes.size()) {
        const std::size_t chunk = std::min<std::size_t>(bytes.size() - done, 1u << 30);
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, static_cast<DWORD>(chunk), &written, nullptr)) {
            error = lastErrorOr(ERROR_WRITE_FAULT);
        } else if (written == 0) {
            error = ERROR_DISK_FULL;
        }
        done += written;
    }
    if (error == 0 && durable && !FlushFileBuffers(file)) {
        error = lastErrorOr(ERROR_WRITE_FAULT);
    }
    if (!CloseHandle(file) && error == 0) {
        error = lastErrorOr(ERROR_WRITE_FAULT);
    }
    return error;
}

}  // namespace

LocalTime RealClock::localTime() const {
    SYSTEMTIME st;
    GetLocalTime(&st);
    return LocalTime{st.wYear,   st.wMonth,  st.wDay,         st.wHour,
                     st.wMinute, st.wSecond, st.wMilliseconds};
}

std::uint64_t RealClock::tickCount() const {
    return GetTickCount64();
}

std::wstring RealFileSystem::currentDirectory() const {
    DWORD needed = GetCurrentDirectoryW(0, nullptr);
    if (needed == 0) {
        return std::wstring();
    }
    std::wstring buffer(needed, L'\0');
    DWORD length = GetCurrentDirectoryW(needed, buffer.data());
    buffer.resize(length < needed ? length : 0);
    return buffer;
}

bool RealFileSystem::exists(const std::wstring& path) const {
    return PathFileExistsW(path.c_str()) != FALSE;
}

bool RealFileSystem::isDirectory(const std::wstring& path) const {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool RealFileSystem::createDirectory(const std::wstring& path) {
    return CreateDirectoryW(path.c_str(), nullptr) != FALSE;
}

bool RealFileSystem::deleteFile(const std::wstring& path) {
    return DeleteFileW(path.c_str()) != FALSE;
}

std::optional<std::vector<DirectoryEntry>> RealFileSystem::listDirectory(
    const std::wstring& directory) const {
    std::wstring pattern = directory;
    if (!pattern.empty() && pattern.back() != L'\\') {
        pattern += L'\\';
    }
    pattern += L'*';
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(pattern.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    std::vector<DirectoryEntry> entries;
    do {
        std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") {
            continue;
        }
        entries.push_back({name, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return entries;
}

FileRead RealFileSystem::readFileInParts(const std::wstring& path, const FilePartSink& sink) const {
    // Shared for writing and deleting too: the sink may show a message box for minutes, and a
    // spreadsheet program saving the file meanwhile must not fail because Tindlow reads it.
    HANDLE file = CreateFileW(
        path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return {cLibraryNumberOf(error), error};
    }
    FileRead result;
    std::vector<char> buffer(65536);
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr)) {
            const DWORD error = GetLastError();
            result = {EIO, error};
            break;
        }
        if (got == 0) {
            break;
        }
        sink(std::string_view(buffer.data(), got));
    }
    CloseHandle(file);
    return result;
}

int RealFileSystem::writeFile(const std::wstring& path, const std::string& bytes) {
    return writeBytes(path, bytes, false);
}

int RealFileSystem::writeFileDurably(const std::wstring& path, const std::string& bytes) {
    return writeBytes(path, bytes, true);
}

int RealFileSystem::replaceFile(const std::wstring& from, const std::wstring& to) {
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return 0;
    }
    return lastErrorOr(ERROR_ACCESS_DENIED);
}

std::wstring RealFileSystem::errorText(int error) const {
    const std::wstring text = systemErrorText(static_cast<DWORD>(error));
    return text.empty() ? L"Error " + std::to_wstring(error) : text;
}

ShellResult RealShell::open(const std::wstring& path) {
    HINSTANCE result =
        ShellExecuteW(nullptr, nullptr, path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    // A result of 32 or less is a failure; its reason is the last error, read at once.
    if (reinterpret_cast<std::intptr_t>(result) > 32) {
        return ShellResult{};
    }
    return ShellResult{false, GetLastError()};
}

int RealMessageBoxes::show(const std::wstring& text, const std::wstring& caption, BoxIcon icon) {
    UINT flags = MB_OK;
    switch (icon) {
        case BoxIcon::Information:
            flags |= MB_ICONINFORMATION;
            break;
        case BoxIcon::Exclamation:
            flags |= MB_ICONEXCLAMATION;
            break;
        case BoxIcon::Stop:
            flags |= MB_ICONSTOP;
            break;
    }
    const int answer = MessageBoxW(owner_, text.c_str(), caption.c_str(), flags);
    if (answer == 0) {
        failure_ = GetLastError();
    }
    return answer;
}

namespace {

bool pressedSince(int virtualKey) {
    return (GetAsyncKeyState(virtualKey) & 1) != 0;
}

}  // namespace

bool RealKeyPoll::pressedSinceLastPoll(UnhideKey key) {
    // Some platforms (Wine among them) report a press of Shift or Ctrl only on the left or right
    // key's code; poll those too so that every one of them counts as the generic key.
    switch (key) {
        case UnhideKey::Shift:
            return pressedSince(VK_SHIFT) | pressedSince(VK_LSHIFT) | pressedSince(VK_RSHIFT);
        case UnhideKey::Ctrl:
            return pressedSince(VK_CONTROL) | pressedSince(VK_LCONTROL) | pressedSince(VK_RCONTROL);
        case UnhideKey::D:
            return pressedSince('D');
        case UnhideKey::R:
            return pressedSince('R');
    }
    return false;
}

bool RealKeyPoll::otherKeyPressedSinceLastPoll() {
    // Page up (0x21) to F16 (0x7F), D and R excepted; the scan stops at the first press, so the
    // keys after it keep their press for the next poll.
    for (int key = VK_PRIOR; key <= VK_F16; ++key) {
        if (key != 'D' && key != 'R' && pressedSince(key)) {
            return true;
        }
    }
    return false;
}

std::vector<ProcessInfo> RealProcesses::list() const {
    using EnumProcessesFn = BOOL(WINAPI*)(DWORD*, DWORD, DWORD*);
    using EnumProcessModulesFn = BOOL(WINAPI*)(HANDLE, HMODULE*, DWORD, DWORD*);
    using GetModuleBaseNameFn = DWORD(WINAPI*)(HANDLE, HMODULE, LPWSTR, DWORD);

    std::vector<ProcessInfo> processes;
    HMODULE psapi = LoadLibraryW(L"PSAPI.DLL");
    if (psapi == nullptr) {
        return processes;
    }
    auto enumProcesses = reinterpret_cast<EnumProcessesFn>(
        reinterpret_cast<void*>(GetProcAddress(psapi, "EnumProcesses")));
    auto enumModules = reinterpret_cast<EnumProcessModulesFn>(
        reinterpret_cast<void*>(GetProcAddress(psapi, "EnumProcessModules")));
    auto baseName = reinterpret_cast<GetModuleBaseNameFn>(
        reinterpret_cast<void*>(GetProcAddress(psapi, "GetModuleBaseNameW")));
    DWORD ids[1024];
    DWORD bytes = 0;
    if (enumProcesses != nullptr && enumModules != nullptr && baseName != nullptr &&
        enumProcesses(ids, sizeof ids, &bytes)) {
        const DWORD count = bytes / sizeof(DWORD);
        for (DWORD i = 0; i < count; ++i) {
            HANDLE process =
                OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, ids[i]);
            if (process == nullptr) {
                continue;
            }
            HMODULE module = nullptr;
            DWORD needed = 0;
            if (enumModules(process, &module, sizeof module, &needed)) {
                wchar_t name[260] = {};
                if (baseName(process, module, name, 260) > 0) {
                    processes.push_back({ids[i], name});
                }
            }
            CloseHandle(process);
        }
    }
    FreeLibrary(psapi);
    return processes;
}

ClipboardResult RealClipboard::setText(const std::wstring& text) {
    if (!OpenClipboard(owner_)) {
        return ClipboardResult::OpenFailed;
    }
    if (!EmptyClipboard()) {
        CloseClipboard();
        return ClipboardResult::EmptyFailed;
    }
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (memory == nullptr) {
        CloseClipboard();
        return ClipboardResult::AllocFailed;
    }
    void* target = GlobalLock(memory);
    if (target == nullptr) {
        GlobalFree(memory);
        CloseClipboard();
        return ClipboardResult::AllocFailed;
    }
    memcpy(target, text.c_str(), bytes);
    GlobalUnlock(memory);
    if (SetClipboardData(CF_UNICODETEXT, memory) == nullptr) {
        GlobalFree(memory);
        CloseClipboard();
        return ClipboardResult::SetFailed;
    }
    CloseClipboard();
    return ClipboardResult::Ok;
}

void RealSleeper::sleepMilliseconds(int milliseconds) {
    Sleep(static_cast<DWORD>(milliseconds));
}

}  // namespace tindlow::win32
