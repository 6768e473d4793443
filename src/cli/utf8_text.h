#pragma once
#include <string>
#include <string_view>

namespace tindlow {

// UTF-8 for the command line: arguments come in as UTF-8 and the output goes out as UTF-8,
// whatever the width of wchar_t (UTF-32 on Linux, UTF-16 on Windows).

// Bytes that are no UTF-8 become U+FFFD, so a wrong argument is shown, not dropped.
std::wstring wideFromUtf8(std::string_view bytes);
// A lone surrogate becomes U+FFFD.
std::string utf8FromWide(std::wstring_view text);
// The same, written at `out`, which has room for 4 bytes per code unit of `text`; answers the
// end of what was written. For output that goes through one buffer.
char* putUtf8(char* out, std::wstring_view text);

}  // namespace tindlow
