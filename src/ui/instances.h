#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/processes.h"

namespace tindlow {

// Counts the running processes whose module base name contains "Tindlow" (case-sensitive), the
// counting process included, and replaces the list with their ids in system order.
std::int32_t countRunningInstances(const Processes& processes, std::vector<std::uint32_t>& ids);

// The instance number written after the instance word in the window title: the text after the
// word's first occurrence, trimmed, read as a leading-digit number; -1 when the title does not
// contain the word.
std::optional<std::int32_t> instanceNumberInTitle(const std::wstring& title,
                                                  const std::wstring& instanceWord);

}  // namespace tindlow
