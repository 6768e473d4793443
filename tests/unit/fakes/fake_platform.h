#pragma once
// The remaining small fakes and a whole fake platform, so a test builds a fresh program in one
// line: `TestProgram program;`.

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "fakes/fake_clock.h"
#include "fakes/fake_file_system.h"
#include "fakes/fake_last_error.h"
#include "fakes/fake_message_boxes.h"
#include "fakes/fake_view.h"
#include "platform/platform.h"

namespace tindlow {

class FakeShell : public Shell {
  public:
    // A failed open leaves `error` as the last error, until the next platform call.
    std::intptr_t open(const std::wstring& path) override {
        touchLastError();
        opened.push_back(path);
        if (result <= 32) {
            failWithLastError(error);
        }
        return result;
    }
    std::uint32_t lastError() const override { return fakeLastError(); }
    std::wstring errorText(std::uint32_t) const override { return L"error"; }

    std::vector<std::wstring> opened;
    std::intptr_t result = 42;
    std::uint32_t error = 0;
};

class FakeKeyPoll : public KeyPoll {
  public:
    bool pressedSinceLastPoll(int virtualKey) override {
        touchLastError();
        polled.push_back(virtualKey);
        return pressed.erase(virtualKey) > 0;
    }
    std::set<int> pressed;  // each press is reported once
    std::vector<int> polled;
};

class FakeProcesses : public Processes {
  public:
    std::vector<ProcessInfo> list() const override {
        touchLastError();
        return processes;
    }
    std::vector<ProcessInfo> processes{{4711, L"Tindlow.exe"}};
};

class FakeClipboard : public Clipboard {
  public:
    ClipboardResult setText(const std::wstring& text) override {
        touchLastError();
        if (result == ClipboardResult::Ok) {
            content = text;
        }
        return result;
    }
    ClipboardResult result = ClipboardResult::Ok;
    std::wstring content;
};

class FakeSleeper : public Sleeper {
  public:
    void sleepMilliseconds(int milliseconds) override {
        touchLastError();
        slept.push_back(milliseconds);
    }
    std::vector<int> slept;
};

struct FakePlatform {
    FakeClock clock;
    FakeFileSystem files;
    FakeShell shell;
    FakeView view;
    FakeMessageBoxes boxes;
    FakeKeyPoll keys;
    FakeProcesses processes;
    FakeClipboard clipboard;
    FakeSleeper sleeper;
    Platform platform{clock, files, shell, view, boxes, keys, processes, clipboard, sleeper};
};

}  // namespace tindlow
