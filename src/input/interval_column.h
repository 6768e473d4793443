#pragma once
#include <cstdint>
#include <string>

#include <vector>
#include "model/reminder_entry.h"

#include "model/text_tables.h"

namespace tindlow {

// What the keyword parser found in an interval column. Exactly one of `keyword` and
// `invalidChars` is non-empty.
struct IntervalParts {
    std::int32_t numberBefore = 0;  // the integer before the keyword
    std::int32_t numberAfter = 0;   // the integer after the keyword
    std::wstring keyword;           // "abs", "mwd" or "mmd"
    std::wstring invalidChars;      // every non-digit in order, or "nocharsfound"
};

// Looks for "abs", "mwd" and "mmd" (in this order, case-sensitive) in the trimmed text and reads
// the numbers on both sides of the first one found; without a keyword, collects the characters
// that are not digits.
IntervalParts parseIntervalText(const std::wstring& text);

// The recurrence an interval column stands for, or why it was refused.
struct IntervalDecision {
    bool accepted = false;
    RecurrenceKind incType = RecurrenceKind::NotUsed;
    std::int32_t interval = 0;
    std::int32_t dayPointer = 0;
    // Refused for characters that belong to no form (message A): the characters shown.
    std::wstring invalidChars;
    // Refused by the checks of "mwd" or "mmd" (message B): the message table entries of the
    // failed checks, in the order their texts are joined.
    std::vector<int> failedChecks;
};

// Decides a trimmed interval column that is not empty, "0", "-1" or a comment: a plain number of
// days (made months or years when it divides evenly), or one of the keyword forms. Numbers are
// read saturating at the 32-bit limits.
IntervalDecision decideInterval(const std::wstring& trimmedText);

// The text of a refused column's message box: message A for invalid characters, message B with
// the joined texts of the failed checks. `lineNumber` is the line counter of the event file.
std::wstring intervalRejectionMessage(const IntervalDecision& decision,
                                      const std::wstring& trimmedText, const std::wstring& path,
                                      std::int64_t lineNumber, const TextTables& texts);

}  // namespace tindlow
