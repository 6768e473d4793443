#pragma once
#include <cstdint>
#include <string>

#include "platform/view.h"
#include "ui/log_sink.h"

namespace tindlow {

// The numbered log list of the main window. Lines are numbered 001, 002, ... 1000 over the
// whole run; clearing the list does not reset the numbering. While disabled, lines are dropped
// and not numbered.
class LogList : public LogSink {
  public:
    explicit LogList(View& view) : view_(view) {}

    void log(const std::wstring& text) override;
    void clear() { view_.clearLogList(); }
    void setEnabled(bool enabled) { enabled_ = enabled; }
    bool enabled() const { return enabled_; }
    std::int32_t lineNumber() const { return lineNumber_; }

    // All lines of the list, each followed by "\n".
    std::wstring content() const;

  private:
    View& view_;
    bool enabled_ = true;
    std::int32_t lineNumber_ = 0;
};

}  // namespace tindlow
