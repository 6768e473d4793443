#include "model/text_forms.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <iterator>

namespace tindlow {

namespace {

std::wstring widened(const char* first, const char* last) {
    return std::wstring(first, last);
}

// Seconds of the day beyond this are not meaningful any more; clamping keeps every conversion
// to an integer defined (1e15 s is far above the never value's 1.7e14).
constexpr double kSecondsOfDayLimit = 1e15;

}  // namespace

void appendPaddedIntText(std::wstring& text, std::int64_t value, int width) {
    // The digits are made right to left in a buffer long enough for the sign and the 19 digits
    // of the 64-bit range; the magnitude is taken unsigned, so the lowest value has one too.
    wchar_t digits[20];
    std::size_t first = std::size(digits);
    std::uint64_t magnitude =
        value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    do {
        digits[--first] = static_cast<wchar_t>(L'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0) {
        digits[--first] = L'-';
    }
    const std::size_t length = std::size(digits) - first;
    // The zeros go in front of everything, the sign included: -5 at width 3 is "0-5".
    if (width > 0 && length < static_cast<std::size_t>(width)) {
        text.append(static_cast<std::size_t>(width) - length, L'0');
    }
    text.append(digits + first, length);
}

void appendIntText(std::wstring& text, std::int64_t value) {
    appendPaddedIntText(text, value, 0);
}

std::wstring intText(std::int64_t value) {
    std::wstring text;
    appendIntText(text, value);
    return text;
}

std::wstring paddedIntText(std::int64_t value, int width) {
    std::wstring text;
    appendPaddedIntText(text, value, width);
    return text;
}

std::wstring hexText(std::uint32_t value) {
    static constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
    std::wstring text = L"0x";
    for (int shift = 28; shift >= 0; shift -= 4) {
        text.push_back(kDigits[(value >> shift) & 0xFu]);
    }
    return text;
}

std::wstring binaryText(std::uint32_t value) {
    std::wstring text;
    for (int bit = 31; bit >= 0; --bit) {
        text.push_back((value >> bit) & 1u ? L'1' : L'0');
        if (bit % 4 == 0 && bit != 0) {
            text.push_back(L' ');
        }
    }
    return text;
}

std::wstring fixed2Text(double value) {
    if (std::isnan(value)) {
        return L"nan";
    }
    // Large enough for the longest double in fixed notation (309 digits, sign, point, 2 places).
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
    return widened(buffer, result.ptr);
}

void appendDate(std::wstring& text, const DayMonthYear& date) {
    appendPaddedIntText(text, date.day, 2);
    text += L'.';
    appendPaddedIntText(text, date.month, 2);
    text += L'.';
    appendIntText(text, date.year);
}

void appendTimeOfDay(std::wstring& text, SecondsOfDay secondsOfDay) {
    double s = std::isnan(secondsOfDay) ? 0.0 : secondsOfDay;
    s = std::clamp(s, -kSecondsOfDayLimit, kSecondsOfDayLimit);
    auto h = static_cast<std::int64_t>(std::trunc(s / 3600.0));
    auto m =
        static_cast<std::int64_t>(std::trunc((s - static_cast<double>(h) * 3600.0 + 0.5) / 60.0));
    if (m == 60) {
        h += 1;
        m = 0;
    }
    const auto sec = static_cast<std::int64_t>(
        std::trunc(s - static_cast<double>(h) * 3600.0 - static_cast<double>(m) * 60.0 + 0.5));
    appendPaddedIntText(text, h, 2);
    text += L':';
    appendPaddedIntText(text, m, 2);
    text += L':';
    appendPaddedIntText(text, sec, 2);
}

void appendDateTime(std::wstring& text, ProgramSeconds programSeconds) {
    // Clamped to the never value both ways: every day number past it clamps to the same date,
    // and the conversion to an integer stays defined.
    double t = std::isnan(programSeconds) ? 0.0 : programSeconds;
    t = std::clamp(t, -kNeverSec, kNeverSec);
    const auto dayNumber = static_cast<std::int64_t>(std::trunc(t / kSecondsPerDay));
    const double rest = t - static_cast<double>(dayNumber) * kSecondsPerDay;
    const auto clampedDay =
        static_cast<std::int32_t>(std::clamp<std::int64_t>(dayNumber, 0, kFirstClampedDayNumber));
    appendDate(text, dateOfDayNumber(clampedDay));
    text += L' ';
    appendTimeOfDay(text, rest);
}

std::wstring formatDate(const DayMonthYear& date) {
    std::wstring text;
    appendDate(text, date);
    return text;
}

std::wstring formatTimeOfDay(SecondsOfDay secondsOfDay) {
    std::wstring text;
    appendTimeOfDay(text, secondsOfDay);
    return text;
}

std::wstring formatDateTime(ProgramSeconds programSeconds) {
    std::wstring text;
    appendDateTime(text, programSeconds);
    return text;
}

std::wstring nowStamp(const LocalTime& now, const std::wstring& join,
                      const std::wstring& timeSeparator) {
    return formatDate({now.day, now.month, now.year}) + join + paddedIntText(now.hour, 2) +
           timeSeparator + paddedIntText(now.minute, 2) + timeSeparator +
           paddedIntText(now.second, 2);
}

std::wstring nowText(const LocalTime& now, const std::wstring& kind,
                     const std::wstring& dateSeparator, const std::wstring& timeSeparator,
                     const std::wstring& join) {
    const std::wstring date = paddedIntText(now.year, 4) + dateSeparator +
                              paddedIntText(now.month, 2) + dateSeparator +
                              paddedIntText(now.day, 2);
    const std::wstring time = paddedIntText(now.hour, 2) + timeSeparator +
                              paddedIntText(now.minute, 2) + timeSeparator +
                              paddedIntText(now.second, 2);
    if (kind == L"date") {
        return date;
    }
    if (kind == L"time") {
        return time;
    }
    if (kind == L"datetime") {
        return date + join + time;
    }
    return std::wstring();
}

}  // namespace tindlow
