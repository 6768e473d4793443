#pragma once
// Message boxes for unit tests: every box is recorded, the answers come from a script (IDOK = 1
// once the script is used up), and a hook runs while a box is "open", the way the real modal
// loop keeps delivering timer ticks. The hook may show further boxes; openCount() tells it how
// deeply nested it is, so it can avoid opening boxes forever.

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/message_boxes.h"

namespace tindlow {

class FakeMessageBoxes : public MessageBoxes {
  public:
    struct Box {
        std::wstring text;
        std::wstring caption;
        BoxIcon icon = BoxIcon::Information;
    };

    int show(const std::wstring& text, const std::wstring& caption, BoxIcon icon) override {
        shown.push_back(Box{text, caption, icon});
        int answer = defaultAnswer;
        if (!answers.empty()) {
            answer = answers.front();
            answers.pop_front();
        }
        if (onShow) {
            // A copy: nested boxes may grow `shown` while the hook runs.
            const Box box = shown.back();
            ++openCount_;
            onShow(box);
            --openCount_;
        }
        if (answer == 0) {
            failure_ = failureError;
        }
        return answer;
    }

    std::uint32_t showFailure() const override { return failure_; }

    // Boxes open at this moment (inside onShow: 1 for the outermost box).
    int openCount() const { return openCount_; }

    std::vector<Box> shown;                  // every box, in the order they were opened
    std::deque<int> answers;                 // answered first, one per box
    int defaultAnswer = 1;                   // IDOK
    std::uint32_t failureError = 1400;       // the system's reason of an answer of 0
    std::function<void(const Box&)> onShow;  // runs while the box is open

  private:
    int openCount_ = 0;
    std::uint32_t failure_ = 0;
};

}  // namespace tindlow
