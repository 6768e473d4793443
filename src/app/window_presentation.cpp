#include "app/window_presentation.h"

#include "model/text_forms.h"
#include "ui/button_hover.h"
#include "ui/control_ids.h"
#include "ui/instances.h"
#include "ui/start_position.h"

namespace tindlow {

void WindowPresentation::setTitle(std::int32_t instance) {
    titleInstanceWord_ = language_.text(msg::kInstanceWord);
    title_ = std::wstring(kWindowTitleBase) + titleInstanceWord_ + intText(instance);
    view_.setTitle(title_);
}

std::optional<std::int32_t> WindowPresentation::instanceNumber() const {
    return instanceNumberInTitle(title_, titleInstanceWord_);
}

bool WindowPresentation::findWindow() {
    if (!view_.findByTitle(title_)) {
        return false;
    }
    known_ = true;
    rect_ = view_.windowRect();
    return true;
}

void WindowPresentation::placeAtStartPosition() {
    const StartPositionCheck check = checkStartPosition(
        start_.x, start_.y, rect_, view_.virtualScreenWidth(), view_.virtualScreenHeight());
    start_ = {check.x, check.y};
    if (check.message) {
        feedback_.showCountedErrorBox(language_.text(*check.message));
    }
    view_.moveWindow(start_.x, start_.y);
    rect_ = view_.windowRect();
}

void WindowPresentation::setStartPosition(std::int32_t x, std::int32_t y) {
    start_ = {x, y};
}

void WindowPresentation::recordButtonRects() {
    for (ButtonRow& row : buttons_.rows) {
        row.rect = view_.controlRect(row.controlId);
    }
}

void WindowPresentation::onMove(bool started) {
    // A minimised window is moved off the screen by the platform; that is no position to start
    // from next time, and it would cost the user a correction box at every start.
    if (view_.isMinimized()) {
        return;
    }
    rect_ = view_.windowRect();
    if (started) {
        recordButtonRects();
        start_ = {rect_.left, rect_.top};
    }
}

void WindowPresentation::showAfterStartUp(WindowSizeMode mode) {
    switch (mode) {
        case WindowSizeMode::Hidden:
            hide();
            break;
        case WindowSizeMode::Minimized:
            view_.command(WindowCommand::Minimize);
            view_.toForeground();
            displayState_ = DisplayState::Minimized;
            break;
        case WindowSizeMode::Normal:
            view_.command(WindowCommand::ShowNormal);
            view_.toForeground();
            displayState_ = DisplayState::Normal;
            break;
    }
}

void WindowPresentation::showNormalInFront() {
    if (known_) {
        view_.command(WindowCommand::ShowNormal);
        view_.toForeground();
    }
    displayState_ = DisplayState::Normal;
}

void WindowPresentation::flash(bool minimise) {
    if (known_) {
        view_.command(minimise ? WindowCommand::Minimize : WindowCommand::ShowNormal);
        view_.toForeground();
    }
    displayState_ = minimise ? DisplayState::Minimized : DisplayState::Normal;
}

void WindowPresentation::hide() {
    view_.command(WindowCommand::Hide);
    displayState_ = DisplayState::Hidden;
}

void WindowPresentation::unhideFromKeys() {
    if (displayState_ == DisplayState::Hidden && known_) {
        view_.command(WindowCommand::ShowNormal);
        view_.toForeground();
    }
    displayState_ = DisplayState::Initial;
}

void WindowPresentation::applyFacesAndCaptions() {
    const TextTables& texts = language_.texts();
    for (std::size_t row = 0; row < kButtonCount; ++row) {
        const ButtonRow& button = buttons_.rows[row];
        view_.setButtonFace(button.controlId, button.normalFace);
        view_.setControlText(button.controlId, texts.buttonCaptions[row]);
    }
    view_.setControlText(ids::kDaysLabel, texts.labels[0]);
    view_.setControlText(ids::kDocumentsLabel, texts.labels[1]);
    view_.setControlText(ids::kCommandsLabel, texts.labels[2]);
    view_.setControlText(ids::kStopEntries, language_.text(msg::kStopEntriesCaption));
}

void WindowPresentation::rebuildTooltips() {
    if (!known_) {
        return;
    }
    for (std::size_t row = 0; row < kButtonCount; ++row) {
        view_.setTooltip(buttons_.rows[row].controlId, language_.texts().buttonTooltips[row]);
    }
    view_.setTooltip(ids::kStopEntries, checkBoxTooltip(language_.name()));
}

void WindowPresentation::fillMenu(int comboId, const std::vector<std::wstring>& lines) {
    view_.clearCombo(comboId);
    for (const std::wstring& line : lines) {
        view_.addComboItem(comboId, line);
    }
    view_.selectComboItem(comboId, 0);
}

void WindowPresentation::hoverTick() {
    hoverFromTick(buttons_, view_.cursorPos(), view_);
}

void WindowPresentation::onMouseMove() {
    hoverFromMouseMove(buttons_, view_);
}

void WindowPresentation::onMouseLeave() {
    hoverFromMouseLeave(buttons_, rect_, view_.cursorPos(), view_);
}

}  // namespace tindlow
