#include "model/lenient_number.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tindlow {
namespace {

constexpr std::int32_t kMin32 = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax32 = std::numeric_limits<std::int32_t>::max();

TEST(LeadingInt, ReadsBlanksSignAndLeadingDigits) {
    const struct {
        std::wstring text;
        std::int32_t expected;
    } kCases[] = {
        {L"", 0},
        {L"0", 0},
        {L"42", 42},
        {L"  42", 42},
        {L" \t\r\n\v\f42", 42},
        {L"+7", 7},
        {L"-7", -7},
        {L"  -7 ", -7},
        {L"- 7", 0},  // no blanks between sign and digits
        {L"++1", 0},
        {L"12abc", 12},
        {L"1.9", 1},
        {L"1 2", 1},
        {L"abc", 0},
        {L"-", 0},
        {L"0x1F", 0},
        {L"\u00A042", 0},  // a no-break space is no white space here
        {L"\u0661", 0},    // nor is an Arabic-Indic digit a digit
        {L"000000000000000000000000000001", 1},
        {L"2147483647", kMax32},
        {L"-2147483648", kMin32},
        {L"2147483646", kMax32 - 1},
        {L"-2147483647", kMin32 + 1},
        {L"2147483648", kMax32},
        {L"-2147483649", kMin32},
        {L"99999999999", kMax32},
        {L"-99999999999", kMin32},
        {std::wstring(1000, L'9'), kMax32},
        {L"-" + std::wstring(1000, L'9'), kMin32},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message() << '"' << c.text.substr(0, 40) << '"');
        EXPECT_EQ(leadingInt(c.text), c.expected);
    }
}

TEST(LeadingDouble, ReadsDigitsWithADecimalPointAndExponent) {
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        std::wstring text;
        double expected;
    } kCases[] = {
        {L"", 0.0},
        {L"0.5", 0.5},
        {L"  -1.25e3", -1250.0},
        {L"2.5E-1", 0.25},
        {L"1e+2x", 100.0},
        {L"1e", 1.0},  // an e without digits is not an exponent
        {L"1e+", 1.0},
        {L"1ex", 1.0},
        {L"1e 2", 1.0},
        {L"e5", 0.0},
        {L".e5", 0.0},
        {L"1e400", inf},
        {L"-1e400", -inf},
        {L"1e-400", 0.0},
        {L"0.001e310", 1e307},
        {L"1e99999999999999999999", inf},
        {L"1e-99999999999999999999", 0.0},
        {L"1,5", 1.0},  // a comma is no decimal point
        {L".5", 0.5},
        {L"5.", 5.0},
        {L"+3.75", 3.75},
        {L"\t 12.5xyz", 12.5},
        {L"0.1", 0.1},
        {L"0.041666666666666664", 1.0 / 24.0},
        {L"259200", 259200.0},
        {L".", 0.0},
        {L"-", 0.0},
        {L"-.", 0.0},
        {L"abc", 0.0},
        {L"- 1", 0.0},
        {L"1" + std::wstring(400, L'0'), inf},
        {L"-1" + std::wstring(400, L'0'), -inf},
        {L"0." + std::wstring(400, L'0') + L"1", 0.0},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message() << '"' << c.text.substr(0, 40) << '"');
        EXPECT_EQ(leadingDouble(c.text), c.expected);
    }
}

TEST(Trimmed, RemovesWhiteSpaceAtBothEnds) {
    const struct {
        const wchar_t* text;
        const wchar_t* expected;
    } kCases[] = {
        {L"", L""},         {L"   ", L""},
        {L"x", L"x"},       {L"  a b \t\r\n", L"a b"},
        {L"\v\fx\f", L"x"}, {L"\u00A0x\u00A0", L"\u00A0x\u00A0"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message() << '"' << c.text << '"');
        EXPECT_EQ(trimmed(c.text), c.expected);
    }
}

}  // namespace
}  // namespace tindlow
