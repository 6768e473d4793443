#include <gtest/gtest.h>

#include "model/text_replace.h"

namespace tindlow {
namespace {

TEST(TextReplace, ReplacesEveryOccurrenceWithoutRescanningTheInsertion) {
    const struct {
        const wchar_t* text;
        const wchar_t* from;
        const wchar_t* to;
        const wchar_t* expected;
    } kCases[] = {
        {L"Plan.csv.csv", L".csv", L".xlsm", L"Plan.xlsm.xlsm"},
        {L"%dat and %dat", L"%dat", L"01.02.1990", L"01.02.1990 and 01.02.1990"},
        {L"aaa", L"a", L"aa", L"aaaaaa"},
        {L"no match", L"x", L"y", L"no match"},
        {L"empty pattern", L"", L"y", L"empty pattern"},
        {L"", L"a", L"b", L""},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.expected);
        EXPECT_EQ(replacedAll(c.text, c.from, c.to), c.expected);
    }
}

}  // namespace
}  // namespace tindlow
