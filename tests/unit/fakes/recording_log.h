#pragma once
// A log sink that keeps every line it is given, for asserting what a subsystem reported.

#include <string>
#include <vector>

#include "model/log_sink.h"

namespace tindlow {

class RecordingLog : public LogSink {
  public:
    void log(const std::wstring& text) override { lines.push_back(text); }

    // True when some line contains `part`.
    bool contains(const std::wstring& part) const {
        for (const std::wstring& line : lines) {
            if (line.find(part) != std::wstring::npos) {
                return true;
            }
        }
        return false;
    }

    std::vector<std::wstring> lines;
};

}  // namespace tindlow
