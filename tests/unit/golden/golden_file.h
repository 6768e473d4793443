#pragma once
// Golden files: whole outputs of the program, kept byte for byte under tests/golden/ and
// compared with what the program writes now. A difference is shown as the first differing line
// (decoded from UTF-16LE or UTF-8), so a failure reads like a text diff, not a byte dump.
//
// With TINDLOW_UPDATE_GOLDEN=1 in the environment the outputs are written into the golden files
// instead of being compared (scripts/update-golden does that), for an intended change of output.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace tindlow::golden {

// tests/golden/ of this source tree.
std::filesystem::path goldenDirectory();

// Compares `actual` with the golden file `name` byte for byte. In update mode writes it there
// instead (and says so on standard output), unless the running test has failed already.
::testing::AssertionResult matchesGolden(const std::string& name, const std::string& actual);

// The comparison behind matchesGolden: success when the bytes are equal; otherwise a message
// naming the golden file, the first differing line with its number, both versions of it and the
// column where they part. A file beginning with FF FE is read as UTF-16LE, any other as UTF-8.
::testing::AssertionResult compareOutput(const std::string& goldenName, const std::string& expected,
                                         const std::string& actual);

// The log list as a golden text: each list line in UTF-8 followed by "\n". A line feed or
// carriage return inside a list line is written as the two characters \n or \r, so that one
// list line stays one text line.
std::string logText(const std::vector<std::wstring>& lines);

// UTF-8 of a wide text (UTF-32 on this platform; what is no character becomes U+FFFD).
std::string utf8(const std::wstring& text);

}  // namespace tindlow::golden
