#pragma once
#include <windows.h>

#include <map>

#include "platform/view.h"

namespace tindlow::win32 {

// The dialog window and its controls. Also remembers what only the window procedure needs to
// draw: the face colours of the owner-drawn buttons.
class Win32View : public View {
  public:
    explicit Win32View(HINSTANCE instance) : instance_(instance) {}
    ~Win32View() override;

    void attach(HWND dialog) { dialog_ = dialog; }
    HWND dialog() const { return dialog_; }
    bool endRequested() const { return endRequested_; }
    // Draws an owner-drawn push button with its current face colour.
    void drawButton(const DRAWITEMSTRUCT& item) const;
    HICON bigIcon() const { return icon_; }

    void prepareLogList() override;
    int addLogLine(const std::wstring& line) override;
    int logLineCount() const override;
    std::wstring logLineText(int index) const override;
    int selectedLogLine() const override;
    void clearLogList() override;
    void setLogTopIndex(int index) override;
    void setLogRedraw(bool enabled) override;

    void setControlText(int controlId, const std::wstring& text) override;
    std::wstring controlText(int controlId) const override;
    void setFocus(int controlId) override;
    bool isChecked(int controlId) const override;

    void clearCombo(int controlId) override;
    void addComboItem(int controlId, const std::wstring& text) override;
    void selectComboItem(int controlId, int index) override;
    int comboSelection(int controlId) const override;
    std::wstring comboItemText(int controlId, int index) const override;

    void setButtonFace(int controlId, Rgb colour) override;
    void setTooltip(int controlId, const std::wstring& text) override;

    void setAppIcon() override;
    void startTimer(int id, int periodMilliseconds) override;
    void setTitle(const std::wstring& title) override;
    bool findByTitle(const std::wstring& title) override;
    void command(WindowCommand command) override;
    void toForeground() override;
    ScreenRect windowRect() const override;
    bool isMinimized() const override;
    ScreenRect controlRect(int controlId) const override;
    void moveWindow(int x, int y) override;
    ScreenPoint cursorPos() const override;
    int virtualScreenWidth() const override;
    int virtualScreenHeight() const override;
    void trackMouseLeave() override;
    void endDialog() override;

  private:
    HWND item(int controlId) const { return GetDlgItem(dialog_, controlId); }
    // Draws what the log list has left to draw, unless its redraw is switched off.
    void paintLogListNow();

    HINSTANCE instance_;
    HWND dialog_ = nullptr;
    HFONT logFont_ = nullptr;
    HICON icon_ = nullptr;
    HICON smallIcon_ = nullptr;
    bool endRequested_ = false;
    bool logRedraw_ = true;
    std::map<int, Rgb> faces_;
    std::map<int, HWND> tooltips_;
};

}  // namespace tindlow::win32
