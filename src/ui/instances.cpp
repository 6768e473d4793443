#include "ui/instances.h"

#include "model/lenient_number.h"

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

std::optional<std::int32_t> instanceNumberInTitle(const std::wstring& title,
                                                  const std::wstring& instanceWord) {
    if (instanceWord.empty()) {
        return std::nullopt;
    }
    const auto at = title.find(instanceWord);
    if (at == std::wstring::npos) {
        return std::nullopt;
    }
    return leadingInt(trimmed(title.substr(at + instanceWord.size())));
}

}  // namespace tindlow
