// Tindlow.exe: the application object, the dialog host and the message loop. Every decision is
// made by CTindlowDlg; this file only turns window messages into its handler calls.
#include <windows.h>
// commctrl.h needs the types of windows.h.
#include <commctrl.h>

#include "app/tindlow_dlg.h"
#include "win32/resource.h"
#include "win32/win32_platform.h"
#include "win32/win32_view.h"

namespace tindlow::win32 {

namespace {

struct Host {
    Win32View& view;
    RealMessageBoxes& boxes;
    RealClipboard& clipboard;
    CTindlowDlg& dialog;
};

void paintMinimizedIcon(HWND window, HDC dc, HICON icon) {
    RECT client;
    GetClientRect(window, &client);
    const int x = (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, icon);
}

// A WM_COMMAND as the engine's event: Escape's cancel, a click, a menu choice, the days field
// taking the focus. Enter's IDOK and every other notification mean nothing to the program.
void dispatchCommand(CTindlowDlg& dialog, int id, int code) {
    if (id == IDCANCEL) {
        dialog.onCancel();
    } else if (id == IDC_DAYS_FIELD) {
        if (code == EN_SETFOCUS) {
            dialog.onDaysFieldFocus();
        }
    } else if (id == IDC_DOCUMENT_MENU || id == IDC_COMMAND_MENU) {
        if (code == CBN_SELCHANGE) {
            dialog.onMenuChoice(id);
        }
    } else if (id != IDOK && code == BN_CLICKED) {
        dialog.onButton(id);
    }
}

KeyPress keyPressOf(WPARAM virtualKey) {
    if (virtualKey == VK_RETURN) {
        return KeyPress::Enter;
    }
    if (virtualKey >= '0' && virtualKey <= '9') {
        return KeyPress::Digit;
    }
    return KeyPress::Other;
}

INT_PTR CALLBACK dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Host* host = reinterpret_cast<Host*>(GetWindowLongPtrW(window, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG:
            host = reinterpret_cast<Host*>(lParam);
            SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(host));
            host->view.attach(window);
            host->boxes.setOwner(window);
            host->clipboard.setOwner(window);
            host->dialog.onInitDialog();
            return TRUE;
        case WM_PAINT: {
            if (host == nullptr) {
                return FALSE;
            }
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            if (IsIconic(window)) {
                paintMinimizedIcon(window, dc, host->view.bigIcon());
            }
            EndPaint(window, &paint);
            host->dialog.onPaint();
            return TRUE;
        }
        case WM_QUERYDRAGICON:
            return host != nullptr ? reinterpret_cast<INT_PTR>(host->view.bigIcon()) : 0;
        case WM_TIMER:
            if (host != nullptr) {
                host->dialog.onTimer();
            }
            return TRUE;
        case WM_DRAWITEM:
            if (host != nullptr) {
                host->view.drawButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            }
            return TRUE;
        case WM_COMMAND:
            if (host == nullptr) {
                return FALSE;
            }
            dispatchCommand(host->dialog, LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case WM_MOVE:
            if (host != nullptr) {
                host->dialog.onMove();
            }
            return FALSE;
        case WM_MOUSEMOVE:
            if (host != nullptr) {
                host->dialog.onMouseMove();
            }
            return FALSE;
        case WM_MOUSELEAVE:
            if (host != nullptr) {
                host->dialog.onMouseLeave();
            }
            return FALSE;
        case WM_CLOSE:
            if (host != nullptr) {
                host->dialog.onClose();
            }
            return TRUE;
        case WM_ENDSESSION:
            if (host != nullptr && wParam != FALSE) {
                host->dialog.onEndSession();
            }
            return TRUE;
        default:
            return FALSE;
    }
}

int runDialog(HINSTANCE instance) {
    RealClock clock;
    RealFileSystem files;
    RealShell shell;
    Win32View view(instance);
    RealMessageBoxes boxes;
    RealKeyPoll keys;
    RealProcesses processes;
    RealClipboard clipboard;
    RealSleeper sleeper;
    Platform platform{clock, files, shell, view, boxes, keys, processes, clipboard, sleeper};
    CTindlowDlg dialog(platform);
    Host host{view, boxes, clipboard, dialog};

    HWND window = CreateDialogParamW(instance, MAKEINTRESOURCEW(IDD_TINDLOW_DIALOG), nullptr,
                                     dialogProc, reinterpret_cast<LPARAM>(&host));
    if (window == nullptr) {
        return 1;
    }
    // The dialog's own modal loop, so that key-down messages pass the pre-filter first.
    MSG message;
    while (!view.endRequested()) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            break;
        }
        if (message.message == WM_KEYDOWN &&
            (message.hwnd == window || IsChild(window, message.hwnd)) &&
            dialog.onKeyDown(keyPressOf(message.wParam))) {
            continue;
        }
        if (!IsDialogMessageW(window, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    KillTimer(window, 1);
    DestroyWindow(window);
    return 0;
}

}  // namespace

}  // namespace tindlow::win32

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, 0xFF};
    InitCommonControlsEx(&controls);
    return tindlow::win32::runDialog(instance);
}
