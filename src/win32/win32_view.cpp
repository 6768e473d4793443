#include "win32/win32_view.h"

#include <commctrl.h>

#include <iterator>
#include <string_view>

#include "win32/resource.h"

namespace tindlow::win32 {

namespace {

ScreenRect toScreenRect(const RECT& rect) {
    return ScreenRect{rect.left, rect.top, rect.right, rect.bottom};
}

// A drop-down list is as wide as its combo box unless told otherwise, which cuts off the longer
// German commands and long event file names; it is widened to its widest item.
void widenDropDownFor(HWND combo, const std::wstring& text) {
    HDC dc = GetDC(combo);
    if (dc == nullptr) {
        return;
    }
    const HGDIOBJ previous =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(combo, WM_GETFONT, 0, 0)));
    SIZE size{};
    const BOOL measured =
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, previous);
    ReleaseDC(combo, dc);
    if (!measured) {
        return;
    }
    const int needed = size.cx + 4 * GetSystemMetrics(SM_CXEDGE) + GetSystemMetrics(SM_CXVSCROLL);
    if (needed > SendMessageW(combo, CB_GETDROPPEDWIDTH, 0, 0)) {
        SendMessageW(combo, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(needed), 0);
    }
}

// While a box of the dialog is open the dialog is disabled; bringing the dialog to the front
// would leave the box on top of it without the keyboard, so Enter would not close it. The
// window to bring to the front is then the box (a dialog-class window the dialog owns).
HWND frontWindowOf(HWND dialog) {
    struct Search {
        HWND owner;
        HWND box;
    } search{dialog, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM param) -> BOOL {
            auto* wanted = reinterpret_cast<Search*>(param);
            wchar_t className[16] = {};
            GetClassNameW(hwnd, className, static_cast<int>(std::size(className)));
            if (GetWindow(hwnd, GW_OWNER) == wanted->owner && IsWindowEnabled(hwnd) &&
                std::wstring_view(className) == L"#32770") {
                wanted->box = hwnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.box != nullptr ? search.box : dialog;
}

}  // namespace

Win32View::~Win32View() {
    if (logFont_ != nullptr) {
        DeleteObject(logFont_);
    }
}

void Win32View::drawButton(const DRAWITEMSTRUCT& item) const {
    const auto face = faces_.find(static_cast<int>(item.CtlID));
    const Rgb colour = face != faces_.end() ? face->second : Rgb{240, 240, 240};
    RECT rect = item.rcItem;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;

    HBRUSH brush = CreateSolidBrush(RGB(colour.r, colour.g, colour.b));
    FillRect(item.hDC, &rect, brush);
    DeleteObject(brush);
    DrawEdge(item.hDC, &rect, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);

    wchar_t caption[256] = {};
    GetWindowTextW(item.hwndItem, caption, 256);
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, RGB(0, 0, 0));
    RECT textRect = rect;
    InflateRect(&textRect, -2, -1);
    if (pressed) {
        OffsetRect(&textRect, 1, 1);
    }
    // Centre one or more lines vertically: measure first, then draw.
    RECT measured = textRect;
    DrawTextW(item.hDC, caption, -1, &measured, DT_CENTER | DT_WORDBREAK | DT_CALCRECT);
    const int offset = ((textRect.bottom - textRect.top) - (measured.bottom - measured.top)) / 2;
    if (offset > 0) {
        textRect.top += offset;
    }
    DrawTextW(item.hDC, caption, -1, &textRect, DT_CENTER | DT_WORDBREAK);
    if (item.itemState & ODS_FOCUS) {
        RECT focus = rect;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(item.hDC, &focus);
    }
}

void Win32View::prepareLogList() {
    logFont_ =
        CreateFontW(14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, 0, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Tahoma");
    SendMessageW(item(IDC_LOG_LIST), WM_SETFONT, reinterpret_cast<WPARAM>(logFont_), TRUE);
    SendMessageW(item(IDC_LOG_LIST), LB_SETHORIZONTALEXTENT, 3000, 0);
}

int Win32View::addLogLine(const std::wstring& line) {
    LRESULT index =
        SendMessageW(item(IDC_LOG_LIST), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    return index < 0 ? -1 : static_cast<int>(index);
}

int Win32View::logLineCount() const {
    LRESULT count = SendMessageW(item(IDC_LOG_LIST), LB_GETCOUNT, 0, 0);
    return count < 0 ? 0 : static_cast<int>(count);
}

std::wstring Win32View::logLineText(int index) const {
    HWND list = item(IDC_LOG_LIST);
    LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length < 0) {
        return std::wstring();
    }
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    LRESULT copied = SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index),
                                  reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied < 0 ? 0 : static_cast<size_t>(copied));
    return text;
}

int Win32View::selectedLogLine() const {
    LRESULT selection = SendMessageW(item(IDC_LOG_LIST), LB_GETCURSEL, 0, 0);
    return selection < 0 ? -1 : static_cast<int>(selection);
}

void Win32View::clearLogList() {
    SendMessageW(item(IDC_LOG_LIST), LB_RESETCONTENT, 0, 0);
}

void Win32View::setLogTopIndex(int index) {
    SendMessageW(item(IDC_LOG_LIST), LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
    paintLogListNow();
}

void Win32View::setLogRedraw(bool enabled) {
    HWND list = item(IDC_LOG_LIST);
    logRedraw_ = enabled;
    SendMessageW(list, WM_SETREDRAW, enabled ? TRUE : FALSE, 0);
    if (enabled) {
        // While redraw was off the list box still moved its pixels when its top index was set,
        // without drawing the rows it uncovered, and its scroll bars stood still: draw all of
        // it, frame and scroll bars included, before anything else can hold the screen.
        RedrawWindow(list, nullptr, nullptr,
                     RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
}

void Win32View::paintLogListNow() {
    // Setting the top index scrolls the list box at once (its pixels move up), but the rows it
    // uncovers are drawn only by a later paint message. When a message box or other long work
    // follows the line, that paint waits, and the screen meanwhile shows the old bottom line
    // twice or more. Drawing right away keeps the screen equal to the list's lines.
    if (logRedraw_) {
        UpdateWindow(item(IDC_LOG_LIST));
    }
}

void Win32View::setControlText(int controlId, const std::wstring& text) {
    SetDlgItemTextW(dialog_, controlId, text.c_str());
}

std::wstring Win32View::controlText(int controlId) const {
    HWND control = item(controlId);
    int length = GetWindowTextLengthW(control);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    int copied = GetWindowTextW(control, text.data(), length + 1);
    text.resize(copied < 0 ? 0 : static_cast<size_t>(copied));
    return text;
}

void Win32View::setFocus(int controlId) {
    SetFocus(item(controlId));
}

bool Win32View::isChecked(int controlId) const {
    return IsDlgButtonChecked(dialog_, controlId) == BST_CHECKED;
}

void Win32View::clearCombo(int controlId) {
    HWND combo = item(controlId);
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    SendMessageW(combo, CB_SETDROPPEDWIDTH, 0, 0);  // back to the width of the box
}

void Win32View::addComboItem(int controlId, const std::wstring& text) {
    HWND combo = item(controlId);
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    widenDropDownFor(combo, text);
}

void Win32View::selectComboItem(int controlId, int index) {
    SendMessageW(item(controlId), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int Win32View::comboSelection(int controlId) const {
    LRESULT selection = SendMessageW(item(controlId), CB_GETCURSEL, 0, 0);
    return selection < 0 ? -1 : static_cast<int>(selection);
}

std::wstring Win32View::comboItemText(int controlId, int index) const {
    HWND combo = item(controlId);
    LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length < 0) {
        return std::wstring();
    }
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    LRESULT copied = SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index),
                                  reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied < 0 ? 0 : static_cast<size_t>(copied));
    return text;
}

void Win32View::setButtonFace(int controlId, Rgb colour) {
    faces_[controlId] = colour;
    HWND button = item(controlId);
    if (button != nullptr) {
        InvalidateRect(button, nullptr, TRUE);
        UpdateWindow(button);
    }
}

void Win32View::setTooltip(int controlId, const std::wstring& text) {
    auto old = tooltips_.find(controlId);
    if (old != tooltips_.end()) {
        DestroyWindow(old->second);
        tooltips_.erase(old);
    }
    HWND control = item(controlId);
    if (controlId == 0 || dialog_ == nullptr || control == nullptr || text.empty()) {
        return;
    }
    HWND tip = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_BALLOON,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialog_,
                               nullptr, instance_, nullptr);
    if (tip == nullptr) {
        return;
    }
    TOOLINFOW info = {};
    info.cbSize = sizeof info;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = dialog_;
    info.uId = reinterpret_cast<UINT_PTR>(control);
    std::wstring buffer = text;
    info.lpszText = buffer.data();
    SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    SendMessageW(tip, TTM_SETMAXTIPWIDTH, 0, 400);
    tooltips_[controlId] = tip;
}

void Win32View::setAppIcon() {
    icon_ =
        static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON,
                                      GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
    smallIcon_ = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(IDR_MAINFRAME),
                                               IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), 0));
    SendMessageW(dialog_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    SendMessageW(dialog_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
}

void Win32View::startTimer(int id, int periodMilliseconds) {
    SetTimer(dialog_, static_cast<UINT_PTR>(id), static_cast<UINT>(periodMilliseconds), nullptr);
}

void Win32View::setTitle(const std::wstring& title) {
    SetWindowTextW(dialog_, title.c_str());
}

bool Win32View::findByTitle(const std::wstring& title) {
    // The lookup only confirms that the title is set; window commands keep addressing this
    // dialog, so a second instance with the same title never moves the other one's window.
    return FindWindowW(nullptr, title.c_str()) != nullptr;
}

void Win32View::command(WindowCommand windowCommand) {
    switch (windowCommand) {
        case WindowCommand::Hide:
            ShowWindow(dialog_, SW_HIDE);
            break;
        case WindowCommand::ShowNormal:
            ShowWindow(dialog_, SW_SHOWNORMAL);
            break;
        case WindowCommand::Minimize:
            ShowWindow(dialog_, SW_MINIMIZE);
            break;
    }
}

void Win32View::toForeground() {
    SetForegroundWindow(frontWindowOf(dialog_));
}

ScreenRect Win32View::windowRect() const {
    RECT rect = {};
    GetWindowRect(dialog_, &rect);
    return toScreenRect(rect);
}

bool Win32View::isMinimized() const {
    return IsIconic(dialog_) != FALSE;
}

ScreenRect Win32View::controlRect(int controlId) const {
    RECT rect = {};
    GetWindowRect(item(controlId), &rect);
    return toScreenRect(rect);
}

void Win32View::moveWindow(int x, int y) {
    SetWindowPos(dialog_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

ScreenPoint Win32View::cursorPos() const {
    POINT point = {};
    GetCursorPos(&point);
    return ScreenPoint{point.x, point.y};
}

int Win32View::virtualScreenWidth() const {
    return GetSystemMetrics(SM_CXVIRTUALSCREEN);
}

int Win32View::virtualScreenHeight() const {
    return GetSystemMetrics(SM_CYVIRTUALSCREEN);
}

void Win32View::trackMouseLeave() {
    TRACKMOUSEEVENT track = {};
    track.cbSize = sizeof track;
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = dialog_;
    TrackMouseEvent(&track);
}

void Win32View::endDialog() {
    endRequested_ = true;
}

}  // namespace tindlow::win32
