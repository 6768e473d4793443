#pragma once
#include <cstdint>
#include <vector>

#include "platform/processes.h"

namespace tindlow {

// Counts the running processes whose module base name contains "Tindlow" (case-sensitive), the
// counting process included, and replaces the list with their ids in system order.
std::int32_t countRunningInstances(const Processes& processes, std::vector<std::uint32_t>& ids);

}  // namespace tindlow
