#pragma once
#include <string>

#include "app/app_parts.h"

namespace tindlow {

// The reports the window writes and opens in the editor.

// The Future Events / Missed Events run; a non-empty filter restricts it to one event file and
// suppresses the button's own log line.
void runEventPreview(AppParts& parts, bool lookBack, const std::wstring& fileFilter);
// The dictionary reports ignore a failed open: they leave no trace in the log list.
void completeDictionaryReport(AppParts& parts);
void todaysDictionaryReport(AppParts& parts);

}  // namespace tindlow
