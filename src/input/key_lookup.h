#pragma once
#include <string>

namespace tindlow {

// Filled by the event file reader when it meets the line that carries `key`.
struct KeyLookup {
    std::wstring key;       // in
    std::wstring filePath;  // out: the event file with ".csv" replaced by ".xlsm"
    std::wstring rowNumber;
    std::wstring foundKey;
    bool found = false;
};

}  // namespace tindlow
