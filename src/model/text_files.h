#pragma once
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace tindlow {

// UTF-16LE with byte-order mark, every "\n" written as CR LF. Answers 0 or the error code of the
// failed write; a write that failed part-way leaves no file behind.
[[nodiscard]] int writeUnicodeFile(FileSystem& files, const std::wstring& path,
                                   const std::wstring& text);

// Reads a text file with byte-order-mark detection (UTF-8, UTF-16LE; big-endian is refused with
// 22; anything else is 8-bit text, one character per byte) and appends its lines without their
// line ends. Answers the number of lines appended or the negated error code.
int readUnicodeLines(const FileSystem& files, const std::wstring& path,
                     std::vector<std::wstring>& lines);

// 8-bit text with CR LF line ends; characters above 255 are written as "?".
[[nodiscard]] int writeByteTextFile(FileSystem& files, const std::wstring& path,
                                    const std::wstring& text);

// Where a file's new content is written before it replaces the file: "<path>.tmp", and when
// something of that name is in the way, "<path>.1.tmp" and so on.
inline constexpr int kReplacementNames = 4;
std::wstring replacementPath(const std::wstring& path, int attempt = 0);

// Writes the bytes beside `path`, durably, and replaces the file only when the whole write
// succeeded, so that a crash, a power loss or a full disk never leaves a truncated or empty file
// behind. A leftover of an earlier crash under the temporary name (even one that cannot be
// removed, or a directory) does not stop the save. Answers 0 or the error; on failure the old
// file is untouched and no temporary file is left behind.
[[nodiscard]] int replaceFileContent(FileSystem& files, const std::wstring& path,
                                     const std::string& bytes);

// The encodings on their own, for readers that take the bytes of a file themselves.
std::string encodeByteText(const std::wstring& text);        // "\n" -> CR LF, >255 -> '?'
std::wstring decodeByteText(const std::string& bytes);       // one character per byte
std::string encodeUtf16LeWithBom(const std::wstring& text);  // "\n" -> CR LF

// How a CR that ends a text, with no LF after it, is read.
enum class FinalReturn {
    InLine,   // as a character of the last line, the way a text-mode stream reads it
    LineEnd,  // as the end of the last line: what is left of a CR LF cut after the CR
};

// Appends the lines of a text without their line ends, split like a text-mode stream read line
// by line: LF ends a line, a CR right before it belongs to the line end, a lone CR stays in the
// line (but see FinalReturn). A last line without a line end still counts; nothing follows a
// final line end. Answers the number of lines appended.
int appendTextLines(const std::wstring& text, std::vector<std::wstring>& lines,
                    FinalReturn finalReturn);

}  // namespace tindlow
