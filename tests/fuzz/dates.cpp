// The program's calendar and the date texts it reads and writes: the event files' date column,
// the date simulation's field and the days field. Day numbers and dates convert into each other
// without loss over the whole calendar, a written date reads back as the same day, the lenient
// day number of an unchecked date follows its documented rules, and the two field checks accept
// exactly the texts of their forms.

#include <cstdint>
#include <cstring>
#include <string>

#include "fakes/recording_log.h"
#include "fuzz_support.h"
#include "model/calendar.h"
#include "model/date_text.h"
#include "model/text_forms.h"
#include "model/text_tables.h"

namespace tindlow {
namespace {

constexpr std::int32_t kLowest = -kFirstClampedDayNumber;
constexpr std::int32_t kHighest = kFirstClampedDayNumber;

std::string dateDetail(const DayMonthYear& date) {
    return std::to_string(date.day) + "." + std::to_string(date.month) + "." +
           std::to_string(date.year);
}

bool isCalendarDate(const DayMonthYear& date) {
    return date.month >= 1 && date.month <= 12 && date.day >= 1 &&
           date.day <= monthLength(date.month, date.year);
}

bool unclamped(std::int32_t dayNumber) {
    return dayNumber > kLowest && dayNumber < kHighest;
}

// A day number of the calendar, with a time of day, as the clock and the event times give them.
void checkDayNumber(std::int32_t dayNumber, std::int32_t secondOfDay) {
    const DayMonthYear date = dateOfDayNumber(dayNumber);
    const std::string detail = std::to_string(dayNumber) + " -> " + dateDetail(date);
    FUZZ_CHECK_MSG(isCalendarDate(date), detail);
    FUZZ_CHECK_MSG(dayNumberOf(date.day, date.month, date.year) == dayNumber, detail);
    FUZZ_CHECK_MSG(weekdayIndex(dayNumber + 1) == (weekdayIndex(dayNumber) + 1) % 7, detail);

    const std::wstring text = formatDate(date);
    FUZZ_CHECK_MSG(parseDateText(text) == date, detail + " " + fuzz::printable(text));
    const std::optional<std::wstring> check = checkDateText(text);
    FUZZ_CHECK_MSG(check && *check == text, fuzz::printable(text));

    const double seconds = static_cast<double>(dayNumber) * kSecondsPerDay + secondOfDay;
    FUZZ_CHECK_MSG(dateOfSeconds(seconds) == date, detail);
    const std::wstring stamp = formatDateTime(seconds);
    const std::wstring time = paddedIntText(secondOfDay / 3600, 2) + L":" +
                              paddedIntText(secondOfDay / 60 % 60, 2) + L":" +
                              paddedIntText(secondOfDay % 60, 2);
    FUZZ_CHECK_MSG(stamp == text + L" " + time, fuzz::printable(stamp));
}

// Any three numbers as an unchecked date: day and month run on into the next month and year.
void checkUncheckedDate(std::int32_t day, std::int32_t month, std::int32_t year) {
    const std::int32_t n = dayNumberOf(day, month, year);
    const std::string detail = dateDetail({day, month, year});
    FUZZ_CHECK_MSG(n >= kLowest && n <= kHighest, detail);
    if (day < INT32_MAX) {
        const std::int32_t next = dayNumberOf(day + 1, month, year);
        if (unclamped(n) && unclamped(next)) {
            FUZZ_CHECK_MSG(next == n + 1, detail);
        }
    }
    if (year < INT32_MAX) {
        // Month 13 is January of the next year, month 14 and later carry 12 months a year; months
        // below 1 add nothing.
        if (month >= 13) {
            const std::int32_t carried = dayNumberOf(day, month - 12, year + 1);
            if (unclamped(n) && unclamped(carried)) {
                FUZZ_CHECK_MSG(n == carried, detail);
            }
        }
    }
    if (month < 1) {
        FUZZ_CHECK_MSG(n == dayNumberOf(day, 1, year), detail);
    }
    if (year > -10000 && year < 10000) {
        const std::int32_t march = dayNumberOf(1, 3, year);
        const std::int32_t february = dayNumberOf(1, 2, year);
        if (unclamped(march) && unclamped(february)) {
            FUZZ_CHECK_MSG(march - february == (year % 4 == 0 ? 29 : 28), detail);
        }
    }
    const DayMonthYear date{day, month, year};
    if (isCalendarDate(date) && year >= 1901 && year <= 2999) {
        FUZZ_CHECK_MSG(dateOfDayNumber(n) == date, detail);
    }
}

bool isDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

std::int32_t digitsValue(const std::wstring& text, std::size_t from, std::size_t count) {
    std::int32_t value = 0;
    for (std::size_t i = from; i < from + count; ++i) {
        value = value * 10 + (text[i] - L'0');
    }
    return value;
}

// The texts typed into the days field.
void checkFieldTexts(const std::wstring& text) {
    std::wstring line = text.substr(0, text.find_first_of(L"\r\n"));
    FUZZ_CHECK(firstLine(text) == line);

    RecordingLog log;
    const std::optional<std::int32_t> days = validateDaysField(text, log, englishTables());
    bool allDigits = !line.empty();
    std::int64_t value = 0;
    for (const wchar_t c : line) {
        allDigits = allDigits && isDigit(c);
        if (allDigits) {
            value = std::min<std::int64_t>(value * 10 + (c - L'0'), INT32_MAX);
        }
    }
    const std::optional<std::int64_t> expected =
        allDigits ? std::optional<std::int64_t>(value) : std::nullopt;
    FUZZ_CHECK_MSG(days == expected,
                   fuzz::printable(text) + " -> " + (days ? std::to_string(*days) : "none"));
    FUZZ_CHECK_MSG(log.lines.size() == (days ? 0u : 1u), fuzz::printable(text));

    // The date field: blanks around the first line are allowed, the rest is DD.MM.YYYY.
    const std::optional<std::wstring> check = checkDateText(text);
    const std::size_t first = line.find_first_not_of(L' ');
    const std::wstring inner = first == std::wstring::npos
                                   ? std::wstring()
                                   : line.substr(first, line.find_last_not_of(L' ') - first + 1);
    bool form = inner.size() == 10 && inner[2] == L'.' && inner[5] == L'.';
    for (std::size_t i = 0; form && i < inner.size(); ++i) {
        form = i == 2 || i == 5 || isDigit(inner[i]);
    }
    FUZZ_CHECK_MSG(check.has_value() == form, fuzz::printable(text));
    if (form) {
        FUZZ_CHECK(*check == inner);
        const DayMonthYear date = parseDateText(*check);
        FUZZ_CHECK(date.day == digitsValue(inner, 0, 2));
        FUZZ_CHECK(date.month == digitsValue(inner, 3, 2));
        FUZZ_CHECK(date.year == digitsValue(inner, 6, 4));
    }
    // Any text reads as some date without trouble; its day number stays in the calendar.
    const DayMonthYear any = parseDateText(text);
    const std::int32_t n = dayNumberOf(any.day, any.month, any.year);
    FUZZ_CHECK(n >= kLowest && n <= kHighest);
}

}  // namespace
}  // namespace tindlow

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tindlow;
    checkFieldTexts(fuzz::byteText(fuzz::bytesOf(data, size)));
    if (size >= 12) {
        std::int32_t numbers[3];
        std::memcpy(numbers, data, sizeof numbers);
        checkUncheckedDate(numbers[0], numbers[1], numbers[2]);
        // Small numbers too, where the dates of the calendar lie.
        checkUncheckedDate(numbers[0] % 40, numbers[1] % 30, 1850 + numbers[2] % 1200);
        const auto unsignedDay = static_cast<std::uint32_t>(numbers[0]);
        const auto unsignedSecond = static_cast<std::uint32_t>(numbers[1]);
        checkDayNumber(static_cast<std::int32_t>(1 + unsignedDay % (kHighest - 1)),
                       static_cast<std::int32_t>(unsignedSecond % 86400));
    }
    return 0;
}
