#pragma once
#include <string>

namespace tindlow {

enum class ClipboardResult { Ok, OpenFailed, AllocFailed, SetFailed };

class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual ClipboardResult setText(const std::wstring& text) = 0;
};

}  // namespace tindlow
