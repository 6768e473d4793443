#include "input/interval_column.h"

#include <algorithm>
#include <array>

#include "model/lenient_number.h"
#include "model/text_forms.h"

namespace tindlow {

namespace {

bool isDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

bool isDigitsOnly(const std::wstring& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), isDigit);
}

const std::wstring& message(const TextTables& texts, int index) {
    return texts.messages.at(static_cast<std::size_t>(index));
}

// The checks of the two month forms; `limit` is the largest pointer either way (5 weeks or 31
// days), `aboveLimit` the entry reporting a pointer beyond it.
std::vector<int> monthFormChecks(const IntervalParts& parts, std::int32_t limit, int aboveLimit,
                                 bool zeroAllowed) {
    std::vector<int> failed;
    if (parts.numberBefore % 30 != 0) {
        failed.push_back(msg::kMonthNotDivisibleBy30);
    }
    if (parts.numberAfter > limit || parts.numberAfter < -limit) {
        failed.push_back(aboveLimit);
    }
    if (!zeroAllowed && parts.numberAfter == 0) {
        failed.push_back(msg::kWeekZero);
    }
    return failed;
}

}  // namespace

IntervalParts parseIntervalText(const std::wstring& text) {
    const std::wstring trimmedText = trimmed(text);
    IntervalParts parts;
    static const std::array<const wchar_t*, 3> kKeywords = {L"abs", L"mwd", L"mmd"};
    for (const wchar_t* keyword : kKeywords) {
        const std::size_t at = trimmedText.find(keyword);
        if (at == std::wstring::npos) {
            continue;
        }
        parts.keyword = keyword;
        parts.numberBefore = leadingInt(trimmed(std::wstring_view(trimmedText).substr(0, at)));
        parts.numberAfter =
            leadingInt(trimmed(std::wstring_view(trimmedText).substr(at + parts.keyword.size())));
        return parts;
    }
    for (const wchar_t c : trimmedText) {
        if (!isDigit(c)) {
            parts.invalidChars.push_back(c);
        }
    }
    if (parts.invalidChars.empty()) {
        parts.invalidChars = L"nocharsfound";
    }
    return parts;
}

IntervalDecision decideInterval(const std::wstring& trimmedText) {
    IntervalDecision decision;
    if (isDigitsOnly(trimmedText)) {
        // Beyond 32 bits the value saturates at 2147483647, which is a plain number of days.
        const std::int32_t value = leadingInt(trimmedText);
        decision.accepted = true;
        if (value % 30 == 0) {
            decision.incType = RecurrenceKind::Months;
            decision.interval = value / 30;
        } else if (value % 365 == 0) {
            decision.incType = RecurrenceKind::Years;
            decision.interval = value / 365;
        } else {
            decision.incType = RecurrenceKind::Days;
            decision.interval = value;
        }
        return decision;
    }
    const IntervalParts parts = parseIntervalText(trimmedText);
    if (!parts.invalidChars.empty()) {
        decision.invalidChars = parts.invalidChars;
        return decision;
    }
    if (parts.keyword == L"abs") {
        decision.accepted = true;
        decision.incType = RecurrenceKind::Days;
        decision.interval = parts.numberBefore;
        return decision;
    }
    const bool weekday = parts.keyword == L"mwd";
    decision.failedChecks = weekday ? monthFormChecks(parts, 5, msg::kWeekAbove5, false)
                                    : monthFormChecks(parts, 31, msg::kMonthDayAbove31, true);
    if (!decision.failedChecks.empty()) {
        return decision;
    }
    decision.accepted = true;
    decision.incType = weekday ? RecurrenceKind::MonthWeekday : RecurrenceKind::MonthDay;
    decision.interval = parts.numberBefore / 30;
    decision.dayPointer = parts.numberAfter;
    return decision;
}

std::wstring intervalRejectionMessage(const IntervalDecision& decision,
                                      const std::wstring& trimmedText, const std::wstring& path,
                                      std::int64_t lineNumber, const TextTables& texts) {
    std::wstring text;
    if (!decision.invalidChars.empty()) {
        text = message(texts, msg::kIntervalInvalidCharacters) + trimmedText + L"; " +
               message(texts, msg::kInvalidCharacters) + decision.invalidChars;
    } else {
        text = message(texts, msg::kIntervalFailedChecks);
        for (const int entry : decision.failedChecks) {
            text += message(texts, entry);
        }
    }
    text += L"\n" + message(texts, msg::kFilePathLabel) + path + L"\n" +
            message(texts, msg::kLineNumberLabel) + intText(lineNumber);
    return text;
}

}  // namespace tindlow
