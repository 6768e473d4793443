#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tindlow {

struct ProcessInfo {
    std::uint32_t id = 0;
    std::wstring moduleBaseName;
};

class Processes {
  public:
    virtual ~Processes() = default;
    // The processes whose first module's base name could be read, in system order.
    virtual std::vector<ProcessInfo> list() const = 0;
};

}  // namespace tindlow
