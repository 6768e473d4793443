#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "model/log_sink.h"
#include "model/text_tables.h"

namespace tindlow {

// The first line of an edit control's text.
std::wstring firstLine(const std::wstring& text);

// The number typed into the days field (0 or more); nothing for an empty field or one with a
// character that is not a digit, after logging which of the two it was. A number beyond the
// 32-bit range saturates; callers apply their own upper limits.
std::optional<std::int32_t> validateDaysField(const std::wstring& fieldText, LogSink& log,
                                              const TextTables& texts);

// The first line of the text without blanks around it, when it has the form DD.MM.YYYY with
// digits only; nothing otherwise.
std::optional<std::wstring> checkDateText(const std::wstring& fieldText);

}  // namespace tindlow
