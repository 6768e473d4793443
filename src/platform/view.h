#pragma once
#include <cstdint>
#include <string>

namespace tindlow {

struct Rgb {
    std::uint8_t r = 255;
    std::uint8_t g = 255;
    std::uint8_t b = 255;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

struct ScreenPoint {
    int x = 0;
    int y = 0;
};

struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

enum class WindowCommand { Hide, ShowNormal, Minimize };

// The dialog window and its controls, addressed by control id. Everything here is a plain
// request; the engine decides when and what.
class View {
  public:
    virtual ~View() = default;

    // Log list.
    virtual void prepareLogList() = 0;                     // font and horizontal extent
    virtual int addLogLine(const std::wstring& line) = 0;  // answers the new index
    virtual int logLineCount() const = 0;
    virtual std::wstring logLineText(int index) const = 0;
    virtual int selectedLogLine() const = 0;  // -1 when none
    virtual void clearLogList() = 0;
    virtual void setLogTopIndex(int index) = 0;
    virtual void setLogRedraw(bool enabled) = 0;

    // Plain control texts (labels, captions, the days field).
    virtual void setControlText(int controlId, const std::wstring& text) = 0;
    virtual std::wstring controlText(int controlId) const = 0;
    virtual void setFocus(int controlId) = 0;
    virtual bool isChecked(int controlId) const = 0;

    // Drop-down menus.
    virtual void clearCombo(int controlId) = 0;
    virtual void addComboItem(int controlId, const std::wstring& text) = 0;
    virtual void selectComboItem(int controlId, int index) = 0;
    virtual int comboSelection(int controlId) const = 0;
    virtual std::wstring comboItemText(int controlId, int index) const = 0;

    // Push buttons and tooltips.
    virtual void setButtonFace(int controlId, Rgb colour) = 0;  // redraws the button
    // Replaces the control's tooltip with a new one showing the text.
    virtual void setTooltip(int controlId, const std::wstring& text) = 0;

    // The window itself.
    virtual void setAppIcon() = 0;  // big and small window icon
    virtual void startTimer(int id, int periodMilliseconds) = 0;
    virtual void setTitle(const std::wstring& title) = 0;
    // Looks the window up by its complete title; false when the platform finds none.
    virtual bool findByTitle(const std::wstring& title) = 0;
    virtual void command(WindowCommand command) = 0;
    virtual void toForeground() = 0;
    virtual ScreenRect windowRect() const = 0;
    virtual bool isMinimized() const = 0;
    virtual ScreenRect controlRect(int controlId) const = 0;
    virtual void moveWindow(int x, int y) = 0;  // keeps size and z-order
    virtual ScreenPoint cursorPos() const = 0;
    virtual int virtualScreenWidth() const = 0;
    virtual int virtualScreenHeight() const = 0;
    virtual void trackMouseLeave() = 0;
    virtual void endDialog() = 0;
};

}  // namespace tindlow
