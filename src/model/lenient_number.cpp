#include "model/lenient_number.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>
#include <string>

namespace tindlow {

namespace {

bool isDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

// Skips white space and one sign; answers whether the sign was a minus.
bool skipBlanksAndSign(std::wstring_view text, std::size_t& pos) {
    while (pos < text.size() && isBlank(text[pos])) {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == L'+' || text[pos] == L'-')) {
        negative = text[pos] == L'-';
        ++pos;
    }
    return negative;
}

}  // namespace

bool isBlank(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\v' || c == L'\f' || c == L'\r';
}

std::wstring_view trimmedView(std::wstring_view text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && isBlank(text[first])) {
        ++first;
    }
    while (last > first && isBlank(text[last - 1])) {
        --last;
    }
    return text.substr(first, last - first);
}

std::wstring trimmed(std::wstring_view text) {
    return std::wstring(trimmedView(text));
}

std::int32_t leadingInt(std::wstring_view text) {
    std::size_t pos = 0;
    const bool negative = skipBlanksAndSign(text, pos);
    // Accumulate the magnitude wide and stop growing it once it passes the 32-bit range, so any
    // number of digits saturates instead of overflowing.
    constexpr std::int64_t kLimit =
        static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::max()) + 1;
    std::int64_t magnitude = 0;
    for (; pos < text.size() && isDigit(text[pos]); ++pos) {
        if (magnitude <= kLimit) {
            magnitude = magnitude * 10 + (text[pos] - L'0');
        }
    }
    if (negative) {
        return static_cast<std::int32_t>(-std::min(magnitude, kLimit));
    }
    return static_cast<std::int32_t>(std::min(magnitude, kLimit - 1));
}

double leadingDouble(std::wstring_view text) {
    std::size_t pos = 0;
    const bool negative = skipBlanksAndSign(text, pos);
    // Gather the digits, at most one point and the digits after it, then an exponent, as plain
    // ASCII for the locale-independent conversion.
    std::string number;
    bool anyDigit = false;
    // Decimal magnitude of the first significant digit (1 for "1", 0 for "0.1", -1 for "0.01"), so
    // that a number beyond the double range can be told to be huge or tiny.
    std::int64_t magnitude = 0;
    bool significant = false;
    for (; pos < text.size() && isDigit(text[pos]); ++pos) {
        number.push_back(static_cast<char>(text[pos]));
        anyDigit = true;
        significant = significant || text[pos] != L'0';
        magnitude += significant ? 1 : 0;
    }
    if (pos < text.size() && text[pos] == L'.') {
        number.push_back('.');
        for (++pos; pos < text.size() && isDigit(text[pos]); ++pos) {
            number.push_back(static_cast<char>(text[pos]));
            anyDigit = true;
            if (!significant) {
                significant = text[pos] != L'0';
                magnitude -= significant ? 0 : 1;
            }
        }
    }
    if (!anyDigit) {
        return 0.0;
    }
    // An exponent counts only with at least one digit: "1e" and "1e+" stop before the e.
    if (pos < text.size() && (text[pos] == L'e' || text[pos] == L'E')) {
        std::size_t digits = pos + 1;
        bool negativeExponent = false;
        if (digits < text.size() && (text[digits] == L'+' || text[digits] == L'-')) {
            negativeExponent = text[digits] == L'-';
            ++digits;
        }
        if (digits < text.size() && isDigit(text[digits])) {
            // Saturated far beyond any double exponent, and far below overflowing the sum.
            constexpr std::int64_t kExponentLimit = 1000000000000LL;
            std::int64_t exponent = 0;
            for (; digits < text.size() && isDigit(text[digits]); ++digits) {
                exponent = std::min(exponent * 10 + (text[digits] - L'0'), kExponentLimit);
            }
            exponent = negativeExponent ? -exponent : exponent;
            magnitude += exponent;
            number += 'e';
            number += std::to_string(exponent);
        }
    }
    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value,
                                        std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        // Beyond the double range: infinity like the C library for a huge number, zero for a
        // tiny one.
        value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negative ? -value : value;
}

}  // namespace tindlow
