#pragma once

namespace tindlow {

// A key pressed in the dialog, as far as the program tells keys apart: Enter is swallowed (it
// must never end the dialog), a digit re-arms the days field check, the rest passes.
enum class KeyPress { Enter, Digit, Other };

// The keys of the unhide key sequence, polled while the window is hidden.
enum class UnhideKey { Shift, Ctrl, D, R };

}  // namespace tindlow
