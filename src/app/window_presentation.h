#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/feedback.h"
#include "app/language.h"
#include "input/initialization_file.h"
#include "platform/view.h"
#include "ui/button_table.h"

namespace tindlow {

inline constexpr const wchar_t* kWindowTitleBase = L"Tindlow v1.40 (a)";

// What the program last did to the window (not what the platform reports); the numbers are the
// show commands they stand for.
enum class DisplayState : std::int32_t {
    Hidden = 0,
    Normal = 1,
    Initial = 2,  // before start-up has shown it, and after the unhide key sequence
    Minimized = 6,
};

// The window as the user sees it: its title, where it stands, whether it shows, the faces,
// captions and tooltips of its buttons and the lines of its two menus.
class WindowPresentation {
  public:
    WindowPresentation(View& view, const Language& language, Feedback& feedback)
        : view_(view), language_(language), feedback_(feedback) {
        fillButtonTable(buttons_);
    }

    // The title with the instance number, in the language applied now; a later switch keeps it.
    void setTitle(std::int32_t instance);
    const std::wstring& title() const { return title_; }
    // The instance number the title carries, or nothing when it carries none.
    std::optional<std::int32_t> instanceNumber() const;
    // Looks the window up by its title; answers whether it was found.
    bool findWindow();
    bool known() const { return known_; }

    // Moves the window to the saved start position, corrected (with a counted box) when it
    // would not be seen.
    void placeAtStartPosition();
    void setStartPosition(std::int32_t x, std::int32_t y);
    ScreenPoint startPosition() const { return start_; }
    void recordButtonRects();
    // The window was moved; a move before start-up is done changes no start position.
    void onMove(bool started);

    // Shows the window as the initialization file asks after start-up.
    void showAfterStartUp(WindowSizeMode mode);
    void showNormalInFront();
    // One step of the flashing: minimised or normal, asked to the front either way.
    void flash(bool minimise);
    void hide();
    // The unhide key sequence was typed.
    void unhideFromKeys();
    DisplayState displayState() const { return displayState_; }

    // Faces and captions of the buttons, labels and check box in the applied language.
    void applyFacesAndCaptions();
    // The tooltips, once the window is known.
    void rebuildTooltips();
    void fillMenu(int comboId, const std::vector<std::wstring>& lines);

    // Button highlighting under the cursor.
    void hoverTick();
    void onMouseMove();
    void onMouseLeave();
    const ButtonTable& buttons() const { return buttons_; }

  private:
    View& view_;
    const Language& language_;
    Feedback& feedback_;
    std::wstring title_ = kWindowTitleBase;
    // The instance word the title was made with, so a later language switch does not change
    // what the hide request looks for.
    std::wstring titleInstanceWord_;
    bool known_ = false;
    ScreenRect rect_{};
    ScreenPoint start_{};
    ButtonTable buttons_;
    DisplayState displayState_ = DisplayState::Initial;
};

}  // namespace tindlow
