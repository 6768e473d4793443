// The lenient number reading that every file of the program goes through (event columns, the
// settings, the initialization file, the emitted reminders log). For any text, leadingInt and
// leadingDouble read what the C library reads from the same text; the numbers the program writes
// (intText, fixed2Text, the shortest form of a double) read back as the number written.

#include <algorithm>
#include <cerrno>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

#include "fuzz_support.h"
#include "model/lenient_number.h"
#include "model/text_forms.h"

namespace tindlow {
namespace {

// The text as the C library's narrow functions take it: characters beyond ASCII become DEL,
// which is neither a blank, a sign nor a digit for either reader.
std::string asciiCopy(const std::wstring& text) {
    std::string copy;
    for (const wchar_t c : text) {
        const auto code = static_cast<std::uint32_t>(c);
        copy.push_back(code < 0x80 ? static_cast<char>(code) : '\x7F');
    }
    return copy;
}

std::size_t afterBlanksAndSign(const std::string& text) {
    std::size_t at = 0;
    while (at < text.size() && std::strchr(" \t\n\v\f\r", text[at]) != nullptr &&
           text[at] != '\0') {
        ++at;
    }
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        ++at;
    }
    return at;
}

void checkLeadingInt(const std::wstring& text) {
    const std::string narrow = asciiCopy(text);
    errno = 0;
    const long long library = std::strtoll(narrow.c_str(), nullptr, 10);
    const long long expected =
        std::clamp<long long>(library, std::numeric_limits<std::int32_t>::min(),
                              std::numeric_limits<std::int32_t>::max());
    const std::int32_t value = leadingInt(text);
    FUZZ_CHECK_MSG(value == expected, "text \"" + fuzz::printable(text) + "\" read as " +
                                          std::to_string(value) + ", the C library reads " +
                                          std::to_string(expected));
}

void checkLeadingDouble(const std::wstring& text) {
    const std::string narrow = asciiCopy(text);
    const std::size_t number = afterBlanksAndSign(narrow);
    // Hexadecimal numbers, infinity and NaN are the C library's own; the program reads none.
    if (number < narrow.size() && std::strchr("iInN", narrow[number]) != nullptr &&
        narrow[number] != '\0') {
        return;
    }
    if (number + 1 < narrow.size() && narrow[number] == '0' &&
        (narrow[number + 1] == 'x' || narrow[number + 1] == 'X')) {
        return;
    }
    errno = 0;
    const double library = std::strtod(narrow.c_str(), nullptr);
    const bool outOfRange = errno == ERANGE;
    const double value = leadingDouble(text);
    const std::string detail = "text \"" + fuzz::printable(text) + "\" read as " +
                               std::to_string(value) + ", the C library reads " +
                               std::to_string(library);
    if (std::fabs(library) < DBL_MIN && library != 0.0) {
        // Below the normal range: the C library gives a subnormal, the program may give 0.
        FUZZ_CHECK_MSG(value == library || value == 0.0, detail);
        return;
    }
    if (outOfRange && library == 0.0) {
        FUZZ_CHECK_MSG(value == 0.0, detail);
        return;
    }
    FUZZ_CHECK_MSG(value == library && std::signbit(value) == std::signbit(library), detail);
}

// Every double the program writes reads back: the shortest form exactly, the two-decimal form
// of the emitted reminders log to within its rounding.
void checkWrittenDouble(double x) {
    if (!std::isfinite(x)) {
        return;
    }
    char buffer[64];
    const auto shortest = std::to_chars(buffer, buffer + sizeof buffer, x);
    const std::wstring text(buffer, shortest.ptr);
    const double back = leadingDouble(text);
    FUZZ_CHECK_MSG(back == x,
                   "\"" + fuzz::printable(text) + "\" read back as " + std::to_string(back));

    if (std::fabs(x) < 1e15) {
        const std::wstring fixed = fixed2Text(x);
        const double rounded = leadingDouble(fixed);
        const double ulp = std::nextafter(std::fabs(x), HUGE_VAL) - std::fabs(x);
        FUZZ_CHECK_MSG(std::fabs(rounded - x) <= 0.005 + 2 * ulp,
                       "\"" + fuzz::printable(fixed) + "\" is not " + std::to_string(x));
    }
}

void checkWrittenInt(std::int32_t n) {
    const std::wstring text = intText(n);
    FUZZ_CHECK_MSG(leadingInt(text) == n, fuzz::printable(text));
    FUZZ_CHECK_MSG(leadingInt(L" \t" + text + L"x1") == n, fuzz::printable(text));
    FUZZ_CHECK_MSG(leadingDouble(text) == static_cast<double>(n), fuzz::printable(text));
}

void checkTrimmed(const std::wstring& text) {
    const std::wstring cut = trimmed(text);
    FUZZ_CHECK(cut == trimmedView(text));
    FUZZ_CHECK(cut.empty() || (!isBlank(cut.front()) && !isBlank(cut.back())));
    std::size_t leading = 0;
    while (leading < text.size() && isBlank(text[leading])) {
        ++leading;
    }
    FUZZ_CHECK(text.compare(leading, cut.size(), cut) == 0);
    for (std::size_t i = leading + cut.size(); i < text.size(); ++i) {
        FUZZ_CHECK(isBlank(text[i]));
    }
}

}  // namespace
}  // namespace tindlow

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tindlow;
    const std::wstring text = fuzz::byteText(fuzz::bytesOf(data, size));
    checkLeadingInt(text);
    checkLeadingDouble(text);
    checkTrimmed(text);
    if (size >= 8) {
        double x = 0.0;
        std::memcpy(&x, data, sizeof x);
        checkWrittenDouble(x);
        std::int32_t n = 0;
        std::memcpy(&n, data, sizeof n);
        checkWrittenInt(n);
        checkWrittenDouble(static_cast<double>(n));
        checkWrittenDouble(static_cast<double>(n) / 100.0);
    }
    return 0;
}
