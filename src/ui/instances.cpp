#include "ui/instances.h"

namespace tindlow {

std::int32_t countRunningInstances(const Processes& processes, std::vector<std::uint32_t>& ids) {
    ids.clear();
    for (const ProcessInfo& process : processes.list()) {
        if (process.moduleBaseName.find(L"Tindlow") != std::wstring::npos) {
            ids.push_back(process.id);
        }
    }
    return static_cast<std::int32_t>(ids.size());
}

}  // namespace tindlow
