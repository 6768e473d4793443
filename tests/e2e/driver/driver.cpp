// tdriver: drives a running Tindlow.exe from a second process under the same Wine prefix.
//
// Usage: tdriver.exe [--title T] [--exact] [--index K] <command> [arguments]
//
// The target is a top-level window without an owner whose title begins with T (default
// "Tindlow v1.40 (a)"), or equals T with --exact; with several matches --index picks the K-th
// (from 0) in title order. Every command prints its result as UTF-8, one item per line, and
// exits 0; a failure prints a message on stderr and exits 1 (2 for a usage error).
//
// select-line <index> selects a log list line (-1: none); clipboard prints the Unicode text on
// the clipboard as one escaped line.
//
// repaint-check [control-id] [--save PATH-PREFIX] compares a control (default: the log list) as
// it is on the screen with the same control after a full repaint of it, frame and scroll bars
// included. It prints "equal <hash>" or "differ <hash before> <hash after> <pixels differing>";
// when they differ and --save is given, both pictures are written as PATH-PREFIX-before.bmp and
// PATH-PREFIX-after.bmp.
//
// watch-unpainted <control-id> <timeout-ms> clicks a control and then watches the log list until
// the window is hidden or the time is up. It prints "samples N unpainted U": of N looks at the
// list while the window was shown, U found a part of it that the program had not drawn yet.
//
// Messages that may reach a handler which opens a modal box are posted, never sent: a plain
// SendMessageW would block until the box is closed. Everything else is sent with a timeout.

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cwchar>
#include <optional>
#include <string>
#include <vector>

#include "ui/control_ids.h"

namespace {

constexpr UINT kSendTimeoutMs = 5000;
constexpr int kLogListId = tindlow::ids::kLogList;
const wchar_t* const kDefaultTitle = L"Tindlow v1.40 (a)";

struct Failure {
    std::wstring message;
};

struct Options {
    std::wstring title = kDefaultTitle;
    bool exact = false;
    int index = 0;
};

void writeUtf8(HANDLE out, const std::wstring& text) {
    if (text.empty()) {
        return;
    }
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size,
                        nullptr, nullptr);
    DWORD written = 0;
    WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

void printLine(const std::wstring& line) {
    writeUtf8(GetStdHandle(STD_OUTPUT_HANDLE), line + L"\n");
}

// One output line per item: line ends and backslashes inside a text are escaped.
std::wstring escaped(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : text) {
        switch (c) {
            case L'\\':
                out += L"\\\\";
                break;
            case L'\n':
                out += L"\\n";
                break;
            case L'\r':
                out += L"\\r";
                break;
            case L'\t':
                out += L"\\t";
                break;
            default:
                out += c;
        }
    }
    return out;
}

int parseInt(const std::wstring& text, int base = 10) {
    wchar_t* end = nullptr;
    const long value = std::wcstol(text.c_str(), &end, base);
    if (text.empty() || *end != L'\0') {
        throw Failure{L"not a number: " + text};
    }
    return static_cast<int>(value);
}

LRESULT sendTimeout(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(hwnd, msg, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                             &result)) {
        throw Failure{L"message " + std::to_wstring(msg) + L" timed out or failed"};
    }
    return static_cast<LRESULT>(result);
}

void post(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!PostMessageW(hwnd, msg, wParam, lParam)) {
        throw Failure{L"PostMessageW failed, error " + std::to_wstring(GetLastError())};
    }
}

std::wstring windowTitle(HWND hwnd) {
    wchar_t buffer[1024] = {};
    GetWindowTextW(hwnd, buffer, static_cast<int>(std::size(buffer)));
    return buffer;
}

std::wstring className(HWND hwnd) {
    wchar_t buffer[256] = {};
    GetClassNameW(hwnd, buffer, static_cast<int>(std::size(buffer)));
    return buffer;
}

// WM_GETTEXT converts correctly across processes for every control; GetWindowTextW only knows
// the text the window manager keeps, which an edit control does not update.
std::wstring controlText(HWND hwnd) {
    const auto length = sendTimeout(hwnd, WM_GETTEXTLENGTH, 0, 0);
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 64, L'\0');
    const auto copied = sendTimeout(hwnd, WM_GETTEXT, static_cast<WPARAM>(buffer.size()),
                                    reinterpret_cast<LPARAM>(buffer.data()));
    std::wstring text(buffer.data(), static_cast<size_t>(std::max<LRESULT>(copied, 0)));
    if (text.empty()) {
        text = windowTitle(hwnd);
    }
    return text;
}

struct TopLevel {
    HWND hwnd;
    std::wstring title;
};

std::vector<TopLevel> topLevelWindows() {
    std::vector<TopLevel> windows;
    EnumWindows(
        [](HWND hwnd, LPARAM param) -> BOOL {
            reinterpret_cast<std::vector<TopLevel>*>(param)->push_back({hwnd, windowTitle(hwnd)});
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    return windows;
}

// Unowned top-level windows matching the title, in title order.
std::vector<TopLevel> mainWindows(const Options& options, bool visibleOnly) {
    std::vector<TopLevel> found;
    for (const auto& window : topLevelWindows()) {
        if (GetWindow(window.hwnd, GW_OWNER) != nullptr) {
            continue;
        }
        if (visibleOnly && !IsWindowVisible(window.hwnd)) {
            continue;
        }
        const bool matches =
            options.exact ? window.title == options.title : window.title.starts_with(options.title);
        if (matches) {
            found.push_back(window);
        }
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const TopLevel& a, const TopLevel& b) { return a.title < b.title; });
    return found;
}

HWND mainWindow(const Options& options) {
    // A visible window wins over a hidden one with the same title (a closing instance).
    auto found = mainWindows(options, true);
    if (found.size() <= static_cast<size_t>(options.index)) {
        found = mainWindows(options, false);
    }
    if (found.size() <= static_cast<size_t>(options.index)) {
        throw Failure{L"no window titled '" + options.title + L"' (index " +
                      std::to_wstring(options.index) + L")"};
    }
    return found[static_cast<size_t>(options.index)].hwnd;
}

HWND control(HWND dialog, const std::wstring& id) {
    HWND hwnd = GetDlgItem(dialog, parseInt(id));
    if (hwnd == nullptr) {
        throw Failure{L"no control " + id};
    }
    return hwnd;
}

std::vector<std::wstring> listItems(HWND hwnd, bool combo) {
    const UINT getCount = combo ? CB_GETCOUNT : LB_GETCOUNT;
    const UINT getLength = combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN;
    const UINT getText = combo ? CB_GETLBTEXT : LB_GETTEXT;
    std::vector<std::wstring> items;
    const auto count = sendTimeout(hwnd, getCount, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const auto length = sendTimeout(hwnd, getLength, static_cast<WPARAM>(i), 0);
        if (length < 0) {
            throw Failure{L"cannot read item " + std::to_wstring(i)};
        }
        std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
        const auto copied = sendTimeout(hwnd, getText, static_cast<WPARAM>(i),
                                        reinterpret_cast<LPARAM>(buffer.data()));
        items.emplace_back(buffer.data(), static_cast<size_t>(std::max<LRESULT>(copied, 0)));
    }
    return items;
}

// --- Screen sampling (icons of message boxes, button faces) ---

struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> colours;
};

Pixels grab(const RECT& rect) {
    Pixels pixels;
    pixels.width = rect.right - rect.left;
    pixels.height = rect.bottom - rect.top;
    if (pixels.width <= 0 || pixels.height <= 0) {
        return pixels;
    }
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = pixels.width;
    info.bmiHeader.biHeight = -pixels.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, pixels.width, pixels.height, screen, rect.left, rect.top, SRCCOPY);
    GdiFlush();
    const auto* raw = static_cast<const DWORD*>(bits);
    for (int i = 0; i < pixels.width * pixels.height; ++i) {
        const DWORD bgra = raw[i];
        pixels.colours.push_back(RGB((bgra >> 16) & 0xFF, (bgra >> 8) & 0xFF, bgra & 0xFF));
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// Samples `rect` until two pictures in a row are the same: what has been painted into a window
// reaches the screen a moment later. Gives up after `timeoutMs` and answers the last picture.
Pixels settledGrab(const RECT& rect, int timeoutMs) {
    Pixels last = grab(rect);
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(std::max(timeoutMs, 0));
    while (GetTickCount64() < deadline) {
        Sleep(150);
        Pixels next = grab(rect);
        const bool same = next.colours == last.colours;
        last = std::move(next);
        if (same) {
            break;
        }
    }
    return last;
}

std::wstring pixelHash(const Pixels& pixels) {
    // FNV-1a over the colours.
    unsigned long long hash = 14695981039346656037ull;
    for (COLORREF c : pixels.colours) {
        for (int shift = 0; shift < 32; shift += 8) {
            hash ^= (c >> shift) & 0xFF;
            hash *= 1099511628211ull;
        }
    }
    wchar_t text[32];
    swprintf(text, std::size(text), L"%016llx", hash);
    return text;
}

void saveBitmap(const Pixels& pixels, const std::wstring& path) {
    const DWORD rowBytes = static_cast<DWORD>(pixels.width) * 4;
    const DWORD imageBytes = rowBytes * static_cast<DWORD>(pixels.height);
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + imageBytes;
    info.biSize = sizeof(info);
    info.biWidth = pixels.width;
    info.biHeight = -pixels.height;
    info.biPlanes = 1;
    info.biBitCount = 32;
    info.biCompression = BI_RGB;
    std::vector<DWORD> raw;
    raw.reserve(pixels.colours.size());
    for (COLORREF c : pixels.colours) {
        raw.push_back((static_cast<DWORD>(GetRValue(c)) << 16) |
                      (static_cast<DWORD>(GetGValue(c)) << 8) | GetBValue(c));
    }
    HANDLE out = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) {
        throw Failure{L"cannot write " + path};
    }
    DWORD written = 0;
    WriteFile(out, &file, sizeof(file), &written, nullptr);
    WriteFile(out, &info, sizeof(info), &written, nullptr);
    WriteFile(out, raw.data(), imageBytes, &written, nullptr);
    CloseHandle(out);
}

// Waits until the window has nothing left to paint (its update region is empty).
void waitPainted(HWND hwnd, int timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(std::max(timeoutMs, 0));
    while (GetUpdateRect(hwnd, nullptr, FALSE)) {
        if (GetTickCount64() >= deadline) {
            throw Failure{L"the window still has a part to paint"};
        }
        Sleep(50);
    }
}

// The stock icons differ by their dominant colour: red stop, yellow exclamation mark, blue
// information. Icon handles cannot be compared across processes.
std::wstring iconKind(HWND icon) {
    RECT rect;
    GetWindowRect(icon, &rect);
    int red = 0;
    int yellow = 0;
    int blue = 0;
    for (COLORREF c : grab(rect).colours) {
        const int r = GetRValue(c);
        const int g = GetGValue(c);
        const int b = GetBValue(c);
        if (r > 170 && g < 100 && b < 100) {
            ++red;
        } else if (r > 170 && g > 150 && b < 100) {
            ++yellow;
        } else if (b > 150 && r < 120 && b > g + 30) {
            ++blue;
        }
    }
    const int most = std::max({red, yellow, blue});
    if (most < 20) {
        return L"?";
    }
    if (most == red) {
        return L"stop";
    }
    return most == yellow ? L"exclamation" : L"information";
}

std::wstring colourText(COLORREF c) {
    wchar_t text[16];
    swprintf(text, std::size(text), L"%d,%d,%d", GetRValue(c), GetGValue(c), GetBValue(c));
    return text;
}

// Face colour of a button: the most frequent colour inside its border.
std::wstring faceColour(HWND hwnd) {
    RECT rect;
    GetWindowRect(hwnd, &rect);
    InflateRect(&rect, -3, -3);
    const Pixels pixels = grab(rect);
    std::vector<std::pair<COLORREF, int>> counts;
    for (COLORREF c : pixels.colours) {
        auto it = std::find_if(counts.begin(), counts.end(),
                               [c](const auto& entry) { return entry.first == c; });
        if (it == counts.end()) {
            counts.emplace_back(c, 1);
        } else {
            ++it->second;
        }
    }
    if (counts.empty()) {
        throw Failure{L"empty control rectangle"};
    }
    const auto best =
        std::max_element(counts.begin(), counts.end(),
                         [](const auto& a, const auto& b) { return a.second < b.second; });
    return colourText(best->first);
}

// --- Message boxes ---

struct Box {
    HWND hwnd;
    std::wstring caption;
    std::wstring text;
    HWND icon;
};

std::vector<Box> messageBoxes(HWND dialog) {
    DWORD dialogProcess = 0;
    GetWindowThreadProcessId(dialog, &dialogProcess);
    std::vector<Box> boxes;
    for (const auto& window : topLevelWindows()) {
        if (window.hwnd == dialog || !IsWindowVisible(window.hwnd) ||
            className(window.hwnd) != L"#32770") {
            continue;
        }
        DWORD process = 0;
        GetWindowThreadProcessId(window.hwnd, &process);
        if (process != dialogProcess && GetWindow(window.hwnd, GW_OWNER) != dialog) {
            continue;
        }
        Box box{window.hwnd, window.title, L"", nullptr};
        for (HWND child = GetWindow(window.hwnd, GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT)) {
            if (className(child) != L"Static") {
                continue;
            }
            if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
                box.icon = child;
            } else if (box.text.empty()) {
                box.text = controlText(child);
            }
        }
        boxes.push_back(box);
    }
    return boxes;
}

std::wstring boxLine(const Box& box) {
    std::wstring kind = L"?";
    if (box.icon != nullptr) {
        // A box that has just appeared may not be painted yet.
        for (int attempt = 0; attempt < 10 && kind == L"?"; ++attempt) {
            if (attempt > 0) {
                Sleep(50);
            }
            kind = iconKind(box.icon);
        }
    } else {
        kind = L"none";
    }
    return escaped(box.caption) + L"\t" + escaped(box.text) + L"\t" + kind;
}

template <typename Predicate>
bool waitFor(int timeoutMs, Predicate ready) {
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(std::max(timeoutMs, 0));
    while (true) {
        if (ready()) {
            return true;
        }
        if (GetTickCount64() >= deadline) {
            return false;
        }
        Sleep(50);
    }
}

// --- Commands ---

using Args = std::vector<std::wstring>;

void need(const Args& args, size_t count, const wchar_t* usage) {
    if (args.size() < count) {
        throw Failure{std::wstring(L"usage: ") + usage};
    }
}

int run(const Options& options, const std::wstring& command, const Args& args) {
    if (command == L"wait-window") {
        need(args, 2, L"wait-window <title-prefix> <timeout-ms>");
        Options wanted = options;
        wanted.title = args[0];
        std::wstring title;
        const bool found = waitFor(parseInt(args[1]), [&] {
            const auto windows = mainWindows(wanted, true);
            if (windows.size() <= static_cast<size_t>(wanted.index)) {
                return false;
            }
            title = windows[static_cast<size_t>(wanted.index)].title;
            return true;
        });
        if (!found) {
            throw Failure{L"no visible window titled '" + args[0] + L"' appeared"};
        }
        printLine(title);
        return 0;
    }
    if (command == L"windows") {
        Options wanted = options;
        if (!args.empty()) {
            wanted.title = args[0];
        }
        for (const auto& window : mainWindows(wanted, false)) {
            printLine(window.title);
        }
        return 0;
    }

    HWND dialog = mainWindow(options);
    if (command == L"title") {
        printLine(windowTitle(dialog));
    } else if (command == L"pid") {
        DWORD process = 0;
        GetWindowThreadProcessId(dialog, &process);
        printLine(std::to_wstring(process));
    } else if (command == L"text") {
        need(args, 1, L"text <control-id>");
        printLine(escaped(controlText(control(dialog, args[0]))));
    } else if (command == L"list") {
        const HWND list = args.empty() ? GetDlgItem(dialog, kLogListId) : control(dialog, args[0]);
        for (const auto& item : listItems(list, false)) {
            printLine(escaped(item));
        }
    } else if (command == L"combo") {
        need(args, 1, L"combo <combo-id>");
        for (const auto& item : listItems(control(dialog, args[0]), true)) {
            printLine(escaped(item));
        }
    } else if (command == L"foreground") {
        // The caption of the window in front, which gets the keyboard.
        printLine(escaped(windowTitle(GetForegroundWindow())));
    } else if (command == L"dropped-width") {
        // The width of the combo box's drop-down list and of the box itself.
        need(args, 1, L"dropped-width <combo-id>");
        HWND combo = control(dialog, args[0]);
        RECT box{};
        GetWindowRect(combo, &box);
        printLine(std::to_wstring(sendTimeout(combo, CB_GETDROPPEDWIDTH, 0, 0)) + L" " +
                  std::to_wstring(box.right - box.left));
    } else if (command == L"cursel") {
        need(args, 1, L"cursel <list-or-combo-id>");
        HWND hwnd = control(dialog, args[0]);
        const bool combo = className(hwnd) == L"ComboBox";
        printLine(std::to_wstring(sendTimeout(hwnd, combo ? CB_GETCURSEL : LB_GETCURSEL, 0, 0)));
    } else if (command == L"click" || command == L"check") {
        need(args, 1, L"click <control-id>");
        post(control(dialog, args[0]), BM_CLICK, 0, 0);
    } else if (command == L"checked") {
        need(args, 1, L"checked <control-id>");
        printLine(std::to_wstring(sendTimeout(control(dialog, args[0]), BM_GETCHECK, 0, 0)));
    } else if (command == L"settext") {
        need(args, 2, L"settext <control-id> <text>");
        sendTimeout(control(dialog, args[0]), WM_SETTEXT, 0,
                    reinterpret_cast<LPARAM>(args[1].c_str()));
    } else if (command == L"focus") {
        need(args, 1, L"focus <control-id>");
        post(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control(dialog, args[0])), TRUE);
    } else if (command == L"focused") {
        GUITHREADINFO info = {};
        info.cbSize = sizeof(info);
        const DWORD thread = GetWindowThreadProcessId(dialog, nullptr);
        if (!GetGUIThreadInfo(thread, &info)) {
            throw Failure{L"GetGUIThreadInfo failed"};
        }
        printLine(info.hwndFocus == nullptr ? L"none"
                                            : std::to_wstring(GetDlgCtrlID(info.hwndFocus)));
    } else if (command == L"key") {
        // Key presses as the keyboard makes them; the receiving message loop translates them
        // into characters.
        need(args, 2, L"key <control-id> <vk-hex> [...]");
        HWND target = control(dialog, args[0]);
        for (size_t i = 1; i < args.size(); ++i) {
            const UINT vk = static_cast<UINT>(parseInt(args[i], 16));
            const UINT scan = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
            const LPARAM down = 1 | static_cast<LPARAM>(scan << 16);
            const LPARAM up = down | (LPARAM{1} << 30) | (LPARAM{1} << 31);
            post(target, WM_KEYDOWN, vk, down);
            post(target, WM_KEYUP, vk, up);
        }
    } else if (command == L"type") {
        need(args, 2, L"type <control-id> <text>");
        HWND target = control(dialog, args[0]);
        for (wchar_t c : args[1]) {
            post(target, WM_CHAR, c, 1);
        }
    } else if (command == L"select") {
        need(args, 2, L"select <combo-id> <index>");
        HWND combo = control(dialog, args[0]);
        sendTimeout(combo, CB_SETCURSEL, static_cast<WPARAM>(parseInt(args[1])), 0);
        post(dialog, WM_COMMAND, MAKEWPARAM(parseInt(args[0]), CBN_SELCHANGE),
             reinterpret_cast<LPARAM>(combo));
    } else if (command == L"select-line") {
        // Selects a log list line as a click would; a list box does not notify a selection
        // made by program, and none of the dialog's handlers needs it.
        need(args, 1, L"select-line <index>");
        HWND list = GetDlgItem(dialog, kLogListId);
        if (sendTimeout(list, LB_SETCURSEL, static_cast<WPARAM>(parseInt(args[0])), 0) == LB_ERR &&
            parseInt(args[0]) >= 0) {
            throw Failure{L"no log list line " + args[0]};
        }
    } else if (command == L"clipboard") {
        // The Unicode text on the clipboard; fails when there is none.
        if (!OpenClipboard(nullptr)) {
            throw Failure{L"cannot open the clipboard"};
        }
        HANDLE data = GetClipboardData(CF_UNICODETEXT);
        const auto* text =
            data != nullptr ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr;
        std::wstring copied = text != nullptr ? std::wstring(text) : std::wstring();
        if (text != nullptr) {
            GlobalUnlock(data);
        }
        CloseClipboard();
        if (text == nullptr) {
            throw Failure{L"no Unicode text on the clipboard"};
        }
        printLine(escaped(copied));
    } else if (command == L"boxes") {
        for (const auto& box : messageBoxes(dialog)) {
            printLine(boxLine(box));
        }
    } else if (command == L"close-box") {
        int timeoutMs = 0;
        if (args.size() >= 2 && args[0] == L"--wait") {
            timeoutMs = parseInt(args[1]);
        }
        std::optional<Box> box;
        waitFor(timeoutMs, [&] {
            const auto boxes = messageBoxes(dialog);
            if (!boxes.empty()) {
                box = boxes.front();
            }
            return box.has_value();
        });
        if (!box) {
            throw Failure{L"no message box is open"};
        }
        const std::wstring line = boxLine(*box);
        HWND button = GetDlgItem(box->hwnd, IDOK);
        if (button == nullptr) {
            button = GetDlgItem(box->hwnd, IDCANCEL);
        }
        if (button == nullptr) {
            throw Failure{L"the message box has no OK or Cancel button"};
        }
        post(button, BM_CLICK, 0, 0);
        if (!waitFor(static_cast<int>(kSendTimeoutMs), [&] { return !IsWindow(box->hwnd); })) {
            throw Failure{L"the message box did not close"};
        }
        printLine(line);
    } else if (command == L"close") {
        post(dialog, WM_CLOSE, 0, 0);
    } else if (command == L"cancel") {
        post(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    } else if (command == L"rect") {
        HWND hwnd = args.empty() ? dialog : control(dialog, args[0]);
        RECT rect;
        GetWindowRect(hwnd, &rect);
        printLine(std::to_wstring(rect.left) + L" " + std::to_wstring(rect.top) + L" " +
                  std::to_wstring(rect.right) + L" " + std::to_wstring(rect.bottom));
    } else if (command == L"visible") {
        printLine(std::wstring(L"visible=") + (IsWindowVisible(dialog) ? L"1" : L"0") +
                  L" iconic=" + (IsIconic(dialog) ? L"1" : L"0"));
    } else if (command == L"face") {
        need(args, 1, L"face <control-id>");
        printLine(faceColour(control(dialog, args[0])));
    } else if (command == L"repaint-check") {
        HWND target = GetDlgItem(dialog, kLogListId);
        std::wstring savePrefix;
        for (size_t i = 0; i < args.size(); ++i) {
            if (args[i] == L"--save" && i + 1 < args.size()) {
                savePrefix = args[++i];
            } else {
                target = control(dialog, args[i]);
            }
        }
        RECT rect;
        GetWindowRect(target, &rect);
        // What the screen shows now, once every pending paint is done.
        waitPainted(target, static_cast<int>(kSendTimeoutMs));
        const Pixels before = settledGrab(rect, 3000);
        // Everything the control shows drawn anew: background, items, frame and scroll bars.
        if (!RedrawWindow(
                target, nullptr, nullptr,
                RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW)) {
            throw Failure{L"RedrawWindow failed"};
        }
        waitPainted(target, static_cast<int>(kSendTimeoutMs));
        const Pixels after = settledGrab(rect, 3000);
        if (before.colours == after.colours) {
            printLine(L"equal " + pixelHash(before));
        } else {
            if (!savePrefix.empty()) {
                saveBitmap(before, savePrefix + L"-before.bmp");
                saveBitmap(after, savePrefix + L"-after.bmp");
            }
            size_t differing = 0;
            for (size_t i = 0; i < before.colours.size() && i < after.colours.size(); ++i) {
                differing += before.colours[i] != after.colours[i] ? 1u : 0u;
            }
            printLine(L"differ " + pixelHash(before) + L" " + pixelHash(after) + L" " +
                      std::to_wstring(differing));
        }
    } else if (command == L"watch-unpainted") {
        // A part left to paint is what the screen shows wrongly while the program is busy:
        // the update region of the list, read from the window system, not from the program.
        need(args, 2, L"watch-unpainted <control-id> <timeout-ms>");
        HWND list = GetDlgItem(dialog, kLogListId);
        waitPainted(list, static_cast<int>(kSendTimeoutMs));
        post(control(dialog, args[0]), BM_CLICK, 0, 0);
        int samples = 0;
        int unpainted = 0;
        waitFor(parseInt(args[1]), [&] {
            if (!IsWindowVisible(dialog)) {
                return true;
            }
            const bool pending = GetUpdateRect(list, nullptr, FALSE) != FALSE;
            if (IsWindowVisible(dialog)) {
                ++samples;
                unpainted += pending ? 1 : 0;
            }
            return false;
        });
        printLine(L"samples " + std::to_wstring(samples) + L" unpainted " +
                  std::to_wstring(unpainted));
    } else if (command == L"cursor") {
        need(args, 2, L"cursor <x> <y>");
        SetCursorPos(parseInt(args[0]), parseInt(args[1]));
    } else {
        throw Failure{L"unknown command: " + command};
    }
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    Options options;
    Args words;
    try {
        for (int i = 1; i < argc; ++i) {
            const std::wstring arg = argv[i];
            if (words.empty() && arg == L"--title" && i + 1 < argc) {
                options.title = argv[++i];
            } else if (words.empty() && arg == L"--exact") {
                options.exact = true;
            } else if (words.empty() && arg == L"--index" && i + 1 < argc) {
                options.index = parseInt(argv[++i]);
            } else {
                words.push_back(arg);
            }
        }
        if (words.empty()) {
            writeUtf8(GetStdHandle(STD_ERROR_HANDLE),
                      L"usage: tdriver [--title T] [--exact] [--index K] <command> [args]\n");
            return 2;
        }
        const std::wstring command = words.front();
        words.erase(words.begin());
        return run(options, command, words);
    } catch (const Failure& failure) {
        writeUtf8(GetStdHandle(STD_ERROR_HANDLE), L"tdriver: " + failure.message + L"\n");
        return 1;
    }
}
