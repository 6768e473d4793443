#pragma once
#include <cstdint>
#include <string>

namespace tindlow {

class Shell {
public:
    virtual ~Shell() = default;
    // Opens a file or directory with its associated application; a result of 32 or less is a
    // failure.
    virtual std::intptr_t open(const std::wstring& path) = 0;
    // The calling thread's last Windows error code.
    virtual std::uint32_t lastError() const = 0;
    // Text of a Windows error code, as the system formats it.
    virtual std::wstring errorText(std::uint32_t code) const = 0;
};

}  // namespace tindlow
