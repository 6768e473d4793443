#pragma once
// The thread's last error code as the fakes keep it. On Windows nearly every call may change
// it, so a caller that reads it after any other platform call reads a foreign value. The fakes
// behave alike: every call leaves a fresh meaningless value behind, and a failing call its own
// error code, which stays only until the next call.

#include <cstdint>

namespace tindlow {

inline thread_local std::uint32_t tFakeLastError = 0;
inline thread_local std::uint32_t tFakeCallCount = 0;

// Any fake platform call: the last error becomes a value nobody set on purpose.
inline void touchLastError() {
    tFakeLastError = 0x7E000000u + (++tFakeCallCount & 0xFFFFFFu);
}
// A failing fake call: its own error code.
inline void failWithLastError(std::uint32_t code) {
    tFakeLastError = code;
}
inline std::uint32_t fakeLastError() {
    return tFakeLastError;
}

}  // namespace tindlow
