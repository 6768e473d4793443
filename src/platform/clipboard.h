#pragma once
#include <string>

namespace tindlow {

// Where a copy to the clipboard failed: opening it, emptying it, or placing the text on it
// (the memory block for the text could not be made, or the clipboard did not take it).
enum class ClipboardResult { Ok, OpenFailed, EmptyFailed, AllocFailed, SetFailed };

class Clipboard {
  public:
    virtual ~Clipboard() = default;
    // Opens the clipboard for the main window, empties it, puts the text on it as Unicode text
    // and closes it again; a failure after the opening closes it as well.
    virtual ClipboardResult setText(const std::wstring& text) = 0;
};

}  // namespace tindlow
