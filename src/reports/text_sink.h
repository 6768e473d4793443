#pragma once
#include <string>

namespace tindlow {

// Receives a report piece by piece as it is made, so that no report has to be held whole.
class TextSink {
  public:
    virtual ~TextSink() = default;
    virtual void write(const std::wstring& text) = 0;
};

// Collects the pieces into one text.
class CollectingTextSink : public TextSink {
  public:
    void write(const std::wstring& text) override { text_ += text; }
    std::wstring& text() { return text_; }

  private:
    std::wstring text_;
};

}  // namespace tindlow
