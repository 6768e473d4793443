#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/log_sink.h"
#include "platform/message_boxes.h"
#include "platform/view.h"

namespace tindlow {

// The numbered log list of the main window. Lines are numbered 001, 002, ... 1000 over the
// whole run; clearing the list does not reset the numbering. While disabled, lines are dropped
// and not numbered.
class LogList : public LogSink {
  public:
    explicit LogList(View& view) : view_(view) {}

    void log(const std::wstring& text) override;
    // Many lines at once (a preview, a date simulation): the list shows them when all are in.
    void logAll(const std::vector<std::wstring>& lines);
    void clear() { view_.clearLogList(); }
    void setEnabled(bool enabled) { enabled_ = enabled; }
    bool enabled() const { return enabled_; }
    std::int32_t lineNumber() const { return lineNumber_; }

    // All lines of the list, each followed by "\n".
    std::wstring content() const;

    // A bulk of lines (a loading logs every line it reads): the list is neither repainted nor
    // scrolled per line, which would cost far more than the reading, and shows its end state
    // when the bulk ends. Bulks may nest.
    void beginBulk();
    void endBulk();
    // While a message box holds the screen during a bulk, the list shows the lines so far.
    void revealBulk();
    void concealBulk();

  private:
    // "001   text": the number, at least three digits, and three blanks before the text.
    static constexpr std::size_t kNumberWidth = 3;
    static constexpr std::size_t kMostDigits = 10;  // of the highest number, INT32_MAX
    static constexpr std::wstring_view kNumberGap = L"   ";

    bool deferring() const { return bulkDepth_ > 0 && !revealed_; }

    View& view_;
    bool enabled_ = true;
    std::int32_t lineNumber_ = 0;
    int bulkDepth_ = 0;
    bool revealed_ = false;
    int pendingTop_ = -1;
    // The storage of the last line built, reused for the next.
    std::wstring line_;
};

// A bulk for the time of a scope.
class LogBulk {
  public:
    explicit LogBulk(LogList& log) : log_(log) { log_.beginBulk(); }
    ~LogBulk() { log_.endBulk(); }
    LogBulk(const LogBulk&) = delete;
    LogBulk& operator=(const LogBulk&) = delete;

  private:
    LogList& log_;
};

// Message boxes that show the log list's lines so far while they are open.
class LogRevealingBoxes : public MessageBoxes {
  public:
    LogRevealingBoxes(MessageBoxes& boxes, LogList& log) : boxes_(boxes), log_(log) {}
    int show(const std::wstring& text, const std::wstring& caption, BoxIcon icon) override {
        log_.revealBulk();
        const int answer = boxes_.show(text, caption, icon);
        log_.concealBulk();
        return answer;
    }
    std::uint32_t showFailure() const override { return boxes_.showFailure(); }

  private:
    MessageBoxes& boxes_;
    LogList& log_;
};

}  // namespace tindlow
