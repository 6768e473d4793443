// The resource ids of the dialog, its icon and its controls, written down once, here. The
// resource script and the Win32 code use the macros (through win32/resource.h), the engine the
// constants in tindlow::ids, which are defined from the macros, and the end-to-end tests and their
// driver read the same macros (tests/e2e/tindlow_e2e.py parses the "#define ID..." lines). The
// resource compiler preprocesses this file as C with RC_INVOKED defined and sees only the macros.
// Keep every id a plain "#define NAME number" line, so that all of them can read it.
#pragma once

#define IDD_TINDLOW_DIALOG 102
#define IDR_MAINFRAME 128

#define IDC_LOG_LIST 1000
#define IDC_RELOAD_DATA 1001
#define IDC_DOCUMENT_MENU 1002
#define IDC_HIDE_WINDOW 1003
#define IDC_COMMAND_MENU 1004
#define IDC_FUTURE_EVENTS 1005
#define IDC_CLEAR_LISTBOX 1007
#define IDC_OPEN_DIRECTORY 1008
#define IDC_MISSED_EVENTS 1009
#define IDC_OPEN_HELP 1010
#define IDC_SWITCH_LANGUAGE 1011
#define IDC_STOP_ENTRIES 1012
#define IDC_DAYS_FIELD 1013
#define IDC_DAYS_LABEL 1014
#define IDC_DOCUMENTS_LABEL 1015
#define IDC_COMMANDS_LABEL 1016

#ifndef RC_INVOKED

namespace tindlow::ids {

inline constexpr int kDialog = IDD_TINDLOW_DIALOG;
inline constexpr int kIcon = IDR_MAINFRAME;
// The id of the dialog's one timer: no resource, so not among the macros.
inline constexpr int kTimer = 1;

inline constexpr int kLogList = IDC_LOG_LIST;
inline constexpr int kReloadData = IDC_RELOAD_DATA;
inline constexpr int kDocumentMenu = IDC_DOCUMENT_MENU;
inline constexpr int kHideWindow = IDC_HIDE_WINDOW;
inline constexpr int kCommandMenu = IDC_COMMAND_MENU;
inline constexpr int kFutureEvents = IDC_FUTURE_EVENTS;
inline constexpr int kClearListbox = IDC_CLEAR_LISTBOX;
inline constexpr int kOpenDirectory = IDC_OPEN_DIRECTORY;
inline constexpr int kMissedEvents = IDC_MISSED_EVENTS;
inline constexpr int kOpenHelp = IDC_OPEN_HELP;
inline constexpr int kSwitchLanguage = IDC_SWITCH_LANGUAGE;
inline constexpr int kStopEntries = IDC_STOP_ENTRIES;
inline constexpr int kDaysField = IDC_DAYS_FIELD;
inline constexpr int kDaysLabel = IDC_DAYS_LABEL;
inline constexpr int kDocumentsLabel = IDC_DOCUMENTS_LABEL;
inline constexpr int kCommandsLabel = IDC_COMMANDS_LABEL;

}  // namespace tindlow::ids

#endif  // RC_INVOKED
