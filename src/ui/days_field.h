#pragma once
#include <cstdint>
#include <string>

#include "model/log_sink.h"
#include "model/text_tables.h"

namespace tindlow {

inline constexpr std::int32_t kDaysFieldEmpty = -1;
inline constexpr std::int32_t kDaysFieldWrongCharacter = -2;

// The first line of an edit control's text.
std::wstring firstLine(const std::wstring& text);

// The number typed into the days field (0 or more), or -1 for an empty field, or -2 at the
// first character that is not a digit; the last two are logged. A number beyond the 32-bit
// range saturates; callers apply their own upper limits.
std::int32_t validateDaysField(const std::wstring& fieldText, LogSink& log,
                               const TextTables& texts);

struct DateTextCheck {
    int code = -1;      // 0 when the text has the form DD.MM.YYYY with digits only
    std::wstring text;  // the trimmed text when the code is 0, otherwise empty
};

DateTextCheck checkDateText(const std::wstring& fieldText);

}  // namespace tindlow
