#pragma once
#include <string>

#include "platform/clock.h"

namespace tindlow {

// Export files live in _Exports and are named by the time of writing, YYYY-MM-DD_hh.mm.ss,
// followed by a suffix that starts with a blank and carries the extension.
std::wstring exportTimeStamp(const LocalTime& now);
std::wstring exportPath(const std::wstring& exportsDirectory, const LocalTime& now,
                        const std::wstring& suffix);

inline constexpr const wchar_t* kListboxContentSuffix = L" ListboxContent.txt";

}  // namespace tindlow
