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
#include "fakes/fake_message_boxes.h"
#include "fakes/fake_view.h"
#include "platform/platform.h"

namespace tindlow {

class FakeShell : public Shell {
  public:
    // Opened when `result` is above 32, as the system's open answers; otherwise fails with
    // `error`.
    ShellResult open(const std::wstring& path) override {
        opened.push_back(path);
        if (result <= 32) {
            return ShellResult{false, error};
        }
        return ShellResult{};
    }

    std::vector<std::wstring> opened;
    std::intptr_t result = 42;
    std::uint32_t error = 0;
};

class FakeKeyPoll : public KeyPoll {
  public:
    bool pressedSinceLastPoll(UnhideKey key) override {
        ++polls;
        return pressed.erase(key) > 0;
    }
    bool otherKeyPressedSinceLastPoll() override {
        ++polls;
        if (otherPresses == 0) {
            return false;
        }
        --otherPresses;
        return true;
    }
    std::set<UnhideKey> pressed;  // each press is reported once
    int otherPresses = 0;         // presses of other keys, reported one per poll
    int polls = 0;
};

class FakeProcesses : public Processes {
  public:
    std::vector<ProcessInfo> list() const override { return processes; }
    std::vector<ProcessInfo> processes{{4711, L"Tindlow.exe"}};
};

class FakeClipboard : public Clipboard {
  public:
    ClipboardResult setText(const std::wstring& text) override {
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
    void sleepMilliseconds(int milliseconds) override { slept.push_back(milliseconds); }
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
