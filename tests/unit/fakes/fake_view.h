#pragma once
// The dialog window in memory: control texts, the log list, combo boxes, button faces, tooltips
// and every window command, recorded so tests can assert what the engine asked for.

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/view.h"

namespace tindlow {

class FakeView : public View {
  public:
    void prepareLogList() override { logListPrepared = true; }
    int addLogLine(const std::wstring& line) override {
        logLines.push_back(line);
        if (onLogLine) {
            onLogLine(line);
        }
        return static_cast<int>(logLines.size()) - 1;
    }
    int logLineCount() const override { return static_cast<int>(logLines.size()); }
    std::wstring logLineText(int index) const override {
        return index >= 0 && index < logLineCount() ? logLines[static_cast<std::size_t>(index)]
                                                    : std::wstring();
    }
    int selectedLogLine() const override { return selectedLine; }
    void clearLogList() override { logLines.clear(); }
    void setLogTopIndex(int index) override {
        topIndex = index;
        ++topIndexCalls;
    }
    void setLogRedraw(bool enabled) override { logRedraw = enabled; }

    void setControlText(int controlId, const std::wstring& text) override {
        texts[controlId] = text;
    }
    std::wstring controlText(int controlId) const override {
        auto it = texts.find(controlId);
        return it == texts.end() ? std::wstring() : it->second;
    }
    void setFocus(int controlId) override { focus = controlId; }
    bool isChecked(int controlId) const override {
        auto it = checked.find(controlId);
        return it != checked.end() && it->second;
    }

    void clearCombo(int controlId) override {
        combos[controlId].clear();
        comboSelections[controlId] = -1;
    }
    void addComboItem(int controlId, const std::wstring& text) override {
        combos[controlId].push_back(text);
    }
    void selectComboItem(int controlId, int index) override { comboSelections[controlId] = index; }
    int comboSelection(int controlId) const override {
        auto it = comboSelections.find(controlId);
        return it == comboSelections.end() ? -1 : it->second;
    }
    std::wstring comboItemText(int controlId, int index) const override {
        auto it = combos.find(controlId);
        if (it == combos.end() || index < 0 || index >= static_cast<int>(it->second.size())) {
            return std::wstring();
        }
        return it->second[static_cast<std::size_t>(index)];
    }

    void setButtonFace(int controlId, Rgb colour) override {
        faces[controlId] = colour;
        ++faceChanges;
    }
    void setTooltip(int controlId, const std::wstring& text) override {
        tooltips[controlId] = text;
        ++tooltipBuilds;
    }

    void setAppIcon() override { iconSet = true; }
    void startTimer(int id, int periodMilliseconds) override {
        timerId = id;
        timerPeriod = periodMilliseconds;
    }
    void setTitle(const std::wstring& text) override { title = text; }
    bool findByTitle(const std::wstring& text) override { return findable && text == title; }
    // Applied as the platform applies it: hiding leaves the minimised state alone, minimising
    // shows the window iconic, a normal show restores it.
    void command(WindowCommand windowCommand) override {
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
    void toForeground() override { ++foregroundCount; }
    // A minimised window lies off the screen, where the platform parks it.
    ScreenRect windowRect() const override { return minimized ? kMinimizedRect : window; }
    bool isMinimized() const override { return minimized; }
    ScreenRect controlRect(int controlId) const override {
        auto it = controlRects.find(controlId);
        return it == controlRects.end() ? ScreenRect{} : it->second;
    }
    void moveWindow(int x, int y) override {
        const int width = window.width();
        const int height = window.height();
        window = ScreenRect{x, y, x + width, y + height};
        moves.push_back(ScreenPoint{x, y});
    }
    ScreenPoint cursorPos() const override { return cursor; }
    int virtualScreenWidth() const override { return screenWidth; }
    int virtualScreenHeight() const override { return screenHeight; }
    void trackMouseLeave() override { ++leaveTrackings; }
    void endDialog() override { ended = true; }

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
