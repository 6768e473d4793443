#pragma once
// The dialog window in memory: control texts, the log list, combo boxes, button faces, tooltips
// and every window command, recorded so tests can assert what the engine asked for.

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "fakes/fake_last_error.h"
#include "platform/view.h"

namespace tindlow {

class FakeView : public View {
  public:
    void prepareLogList() override {
        touchLastError();
        logListPrepared = true;
    }
    int addLogLine(const std::wstring& line) override {
        touchLastError();
        logLines.push_back(line);
        if (onLogLine) {
            onLogLine(line);
        }
        return static_cast<int>(logLines.size()) - 1;
    }
    int logLineCount() const override {
        touchLastError();
        return static_cast<int>(logLines.size());
    }
    std::wstring logLineText(int index) const override {
        touchLastError();
        return index >= 0 && index < logLineCount() ? logLines[index] : std::wstring();
    }
    int selectedLogLine() const override {
        touchLastError();
        return selectedLine;
    }
    void clearLogList() override {
        touchLastError();
        logLines.clear();
    }
    void setLogTopIndex(int index) override {
        touchLastError();
        topIndex = index;
        ++topIndexCalls;
    }
    void setLogRedraw(bool enabled) override {
        touchLastError();
        logRedraw = enabled;
    }

    void setControlText(int controlId, const std::wstring& text) override {
        touchLastError();
        texts[controlId] = text;
    }
    std::wstring controlText(int controlId) const override {
        touchLastError();
        auto it = texts.find(controlId);
        return it == texts.end() ? std::wstring() : it->second;
    }
    void setFocus(int controlId) override {
        touchLastError();
        focus = controlId;
    }
    bool isChecked(int controlId) const override {
        touchLastError();
        auto it = checked.find(controlId);
        return it != checked.end() && it->second;
    }

    void clearCombo(int controlId) override {
        touchLastError();
        combos[controlId].clear();
        comboSelections[controlId] = -1;
    }
    void addComboItem(int controlId, const std::wstring& text) override {
        touchLastError();
        combos[controlId].push_back(text);
    }
    void selectComboItem(int controlId, int index) override {
        touchLastError();
        comboSelections[controlId] = index;
    }
    int comboSelection(int controlId) const override {
        touchLastError();
        auto it = comboSelections.find(controlId);
        return it == comboSelections.end() ? -1 : it->second;
    }
    std::wstring comboItemText(int controlId, int index) const override {
        touchLastError();
        auto it = combos.find(controlId);
        if (it == combos.end() || index < 0 || index >= static_cast<int>(it->second.size())) {
            return std::wstring();
        }
        return it->second[index];
    }

    void setButtonFace(int controlId, Rgb colour) override {
        touchLastError();
        faces[controlId] = colour;
        ++faceChanges;
    }
    void setTooltip(int controlId, const std::wstring& text) override {
        touchLastError();
        tooltips[controlId] = text;
        ++tooltipBuilds;
    }

    void setAppIcon() override {
        touchLastError();
        iconSet = true;
    }
    void startTimer(int id, int periodMilliseconds) override {
        touchLastError();
        timerId = id;
        timerPeriod = periodMilliseconds;
    }
    void setTitle(const std::wstring& text) override {
        touchLastError();
        title = text;
    }
    bool findByTitle(const std::wstring& text) override {
        touchLastError();
        return findable && text == title;
    }
    // Applied as the platform applies it: hiding leaves the minimised state alone, minimising
    // shows the window iconic, a normal show restores it.
    void command(WindowCommand windowCommand) override {
        touchLastError();
        commands.push_back(windowCommand);
        switch (windowCommand) {
            case WindowCommand::Hide:
                visible = false;
                break;
            case WindowCommand::Minimize:
                visible = true;
                minimized = true;
                break;
            case WindowCommand::ShowNormal:
                visible = true;
                minimized = false;
                break;
        }
    }
    void toForeground() override {
        touchLastError();
        ++foregroundCount;
    }
    // A minimised window lies off the screen, where the platform parks it.
    ScreenRect windowRect() const override {
        touchLastError();
        return minimized ? kMinimizedRect : window;
    }
    bool isMinimized() const override {
        touchLastError();
        return minimized;
    }
    ScreenRect controlRect(int controlId) const override {
        touchLastError();
        auto it = controlRects.find(controlId);
        return it == controlRects.end() ? ScreenRect{} : it->second;
    }
    void moveWindow(int x, int y) override {
        touchLastError();
        const int width = window.width();
        const int height = window.height();
        window = ScreenRect{x, y, x + width, y + height};
        moves.push_back(ScreenPoint{x, y});
    }
    ScreenPoint cursorPos() const override {
        touchLastError();
        return cursor;
    }
    int virtualScreenWidth() const override {
        touchLastError();
        return screenWidth;
    }
    int virtualScreenHeight() const override {
        touchLastError();
        return screenHeight;
    }
    void trackMouseLeave() override {
        touchLastError();
        ++leaveTrackings;
    }
    void endDialog() override {
        touchLastError();
        ended = true;
    }

    // Runs as each line is added, for tests that must know the moment a line was written.
    std::function<void(const std::wstring&)> onLogLine;
    bool logListPrepared = false;
    std::vector<std::wstring> logLines;
    int selectedLine = -1;
    int topIndex = -1;
    int topIndexCalls = 0;
    bool logRedraw = true;
    std::map<int, std::wstring> texts;
    std::map<int, bool> checked;
    int focus = 0;
    std::map<int, std::vector<std::wstring>> combos;
    std::map<int, int> comboSelections;
    std::map<int, Rgb> faces;
    int faceChanges = 0;
    std::map<int, std::wstring> tooltips;
    int tooltipBuilds = 0;
    bool iconSet = false;
    int timerId = 0;
    int timerPeriod = 0;
    std::wstring title;
    bool findable = true;
    std::vector<WindowCommand> commands;
    int foregroundCount = 0;
    ScreenRect window{0, 0, 1000, 440};
    bool minimized = false;
    bool visible = true;
    static constexpr ScreenRect kMinimizedRect{-32000, -32000, -31840, -31972};
    std::map<int, ScreenRect> controlRects;
    std::vector<ScreenPoint> moves;
    ScreenPoint cursor{-100, -100};
    int screenWidth = 1920;
    int screenHeight = 1080;
    int leaveTrackings = 0;
    bool ended = false;
};

}  // namespace tindlow
