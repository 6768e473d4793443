#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace tindlow {

// Reads leading white space, an optional sign and the leading decimal digits; a text without
// leading digits gives 0. Saturates at the 32-bit limits instead of overflowing.
std::int32_t leadingInt(std::wstring_view text);
// Like leadingInt for a floating-point number: the digits, a decimal point and more digits, then
// an exponent ("0.5", "-1.25e3", "2.5E-1"; "1,5" stops at the comma, "1e" and "1ex" at the e).
// A number beyond the double range gives infinity (or 0.0 when it is too small), as the C
// library does; unreadable text gives 0.0.
double leadingDouble(std::wstring_view text);

bool isBlank(wchar_t c);                                // blank, tab, CR, LF, VT or FF
std::wstring trimmed(std::wstring_view text);           // leading and trailing white space removed
std::wstring_view trimmedView(std::wstring_view text);  // the same part, without a copy

}  // namespace tindlow
