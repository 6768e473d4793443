#pragma once
#include <cstdint>
#include <string>

namespace tindlow {

// What opening a path came to: opened, or the system's error code of the failure.
struct [[nodiscard]] ShellResult {
    bool opened = true;
    std::uint32_t error = 0;
};

class Shell {
  public:
    virtual ~Shell() = default;
    // Opens a file or directory with its associated application.
    virtual ShellResult open(const std::wstring& path) = 0;
};

}  // namespace tindlow
