#pragma once
#include <optional>
#include <string>

namespace tindlow {

inline constexpr const wchar_t* kNoListboxEntrySelected = L"No listbox entry was selected.";

// A reminder key such as [06.11.2018-10:09:27-963303772-775740099]: exactly two '.', two ':',
// three '-' and at least 20 decimal digits.
bool isKeyLine(const std::wstring& text);

// A log line written by the loader: "Reading " (in the given language's word) + path + ":".
bool isFileLine(const std::wstring& line, const std::wstring& readingWord);
// The path of a file line: the text after the reading word without trailing ':'.
std::wstring filePathOfLine(const std::wstring& line, const std::wstring& readingWord);

// The key in the last brackets of a log line, or nothing when the line carries none.
std::optional<std::wstring> extractKey(const std::wstring& line);

}  // namespace tindlow
