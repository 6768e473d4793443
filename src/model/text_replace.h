#pragma once
#include <string>
#include <string_view>

namespace tindlow {

// The text with every occurrence of `from` replaced by `to`, left to right, without rescanning
// what was inserted. An empty `from` changes nothing.
std::wstring replacedAll(const std::wstring& text, std::wstring_view from, std::wstring_view to);

}  // namespace tindlow
