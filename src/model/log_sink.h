#pragma once
#include <string>

namespace tindlow {

// Where every subsystem reports to the user: the numbered log list of the main window.
class LogSink {
  public:
    virtual ~LogSink() = default;
    virtual void log(const std::wstring& text) = 0;
};

}  // namespace tindlow
