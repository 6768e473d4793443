#pragma once

namespace tindlow::ids {

inline constexpr int kDialog = 102;
inline constexpr int kIcon = 128;
inline constexpr int kTimer = 1;

inline constexpr int kLogList = 1000;
inline constexpr int kReloadData = 1001;
inline constexpr int kDocumentMenu = 1002;
inline constexpr int kHideWindow = 1003;
inline constexpr int kCommandMenu = 1004;
inline constexpr int kFutureEvents = 1005;
inline constexpr int kClearListbox = 1007;
inline constexpr int kOpenDirectory = 1008;
inline constexpr int kMissedEvents = 1009;
inline constexpr int kOpenHelp = 1010;
inline constexpr int kSwitchLanguage = 1011;
inline constexpr int kStopEntries = 1012;
inline constexpr int kDaysField = 1013;
inline constexpr int kDaysLabel = 1014;
inline constexpr int kDocumentsLabel = 1015;
inline constexpr int kCommandsLabel = 1016;

}  // namespace tindlow::ids
