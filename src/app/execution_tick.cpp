// The execution tick: one call per 500 ms timer event drives everything that is not a user
// action. Each step below is one numbered step of the tick, in its fixed order.
#include "app/tindlow_dlg.h"
#include "app/unhide_keys.h"
#include "model/text_forms.h"
#include "ui/button_hover.h"
#include "ui/control_ids.h"
#include "ui/days_field.h"

namespace tindlow {

void CTindlowDlg::onTimer() {
    ++state_.tickCounter;
    ++state_.loopCounter;
    state_.lastTickCount = platform_.clock.tickCount();
    hoverFromTick(state_.buttons, platform_.view.cursorPos(), platform_.view);
    popupSignalStep();
    dayChangeStep();
    runDeferredReload();
    if (state_.ini.networkPathState == NetworkPathState::NotReached &&
        state_.tickCounter % 10 == 0) {
        networkProbe();
    }
    oneTimeStep();
    if (state_.tickCounter == state_.popupRemovalTick) {
        platform_.files.deleteFile(kPopupSignalFile);
    }
    if (state_.loopCounter >= state_.ini.executionLoopPeriod) {
        state_.loopCounter = 0;
        runReminderCheck();
    }
    flashingStep();
    if (state_.tickCounter == state_.daysRevalidationTick) {
        daysFieldStep();
    }
    if (state_.displayState == DisplayState::Hidden) {
        unhideKeyStep();
    }
    if (state_.tickCounter == state_.keySequenceDeadline) {
        state_.keySequenceStep = 0;
        state_.keySequenceDeadline = 0;
    }
}

void CTindlowDlg::showNormalInFront() {
    if (state_.windowKnown) {
        platform_.view.command(WindowCommand::ShowNormal);
        platform_.view.toForeground();
    }
    state_.displayState = DisplayState::Normal;
}

void CTindlowDlg::popupSignalStep() {
    if (state_.windowKnown && platform_.files.exists(kPopupSignalFile)) {
        showNormalInFront();
    }
}

void CTindlowDlg::dayChangeStep() {
    const DayMonthYear today = dateOf(platform_.clock.localTime());
    if (today == state_.rememberedDate) {
        return;
    }
    // Before the first paint has loaded, a reload would save the still empty today's
    // dictionary over the day's emitted reminders. The change stays unnoticed until then: the
    // first paint remembers the day its loading computes for, so a midnight passed inside one
    // of its boxes is seen by the first tick after it.
    if (!state_.firstPaintDone) {
        return;
    }
    state_.rememberedDate = today;
    if (state_.ini.networkPathState != NetworkPathState::None) {
        state_.ini.networkPathState = NetworkPathState::NotReached;
    }
    fullReload(true);
}

void CTindlowDlg::networkProbe() {
    if (!state_.windowKnown) {
        return;
    }
    if (platform_.files.exists(state_.ini.networkPath)) {
        state_.ini.networkPathState = NetworkPathState::Reached;
        fullReload(true, true);
        return;
    }
    if (networkProbeCounter_ < INT32_MAX) {
        ++networkProbeCounter_;
    }
    if (networkProbeCounter_ % 500 == 0) {
        log_.log(L"The network path " + state_.ini.networkPath + L" was not found on " +
                 nowText(platform_.clock.localTime(), L"time", L"", L":", L"") + L".");
    }
}

void CTindlowDlg::oneTimeStep() {
    if (oneTimeStepDone_ || state_.tickCounter < 5 ||
        (state_.ini.networkPathState == NetworkPathState::NotReached && state_.tickCounter < 20)) {
        return;
    }
    oneTimeStepDone_ = true;
    if (state_.ini.windowSizeMode == 0) {
        hideRequest();
    }
}

void CTindlowDlg::flashingStep() {
    if (!state_.flashing) {
        return;
    }
    if (state_.flashCounter < INT32_MAX) {
        ++state_.flashCounter;
    }
    if (state_.flashCounter > state_.ini.flashLimit) {
        showNormalInFront();
        state_.flashCounter = -1;
        state_.flashing = false;
        return;
    }
    const bool minimise = state_.tickCounter % 2 == 0;
    if (state_.windowKnown) {
        platform_.view.command(minimise ? WindowCommand::Minimize : WindowCommand::ShowNormal);
        platform_.view.toForeground();
    }
    state_.displayState = minimise ? DisplayState::Minimized : DisplayState::Normal;
}

void CTindlowDlg::daysFieldStep() {
    View& view = platform_.view;
    const std::wstring field = view.controlText(ids::kDaysField);
    const std::int32_t days = validateDaysField(field, log_, texts_);
    if (days > 0) {
        state_.days = days;
    } else if (checkDateText(field).code != 0) {
        view.setControlText(ids::kDaysField, intText(state_.days));
    }
    state_.daysFieldEditFlag = 0;
    state_.daysRevalidationTick = 0;
    view.setFocus(ids::kLogList);
}

void CTindlowDlg::unhideKeyStep() {
    if (!pollUnhideKeys(platform_.keys, state_.tickCounter, state_.keySequenceStep,
                        state_.keySequenceDeadline)) {
        return;
    }
    if (state_.displayState == DisplayState::Hidden && state_.windowKnown) {
        platform_.view.command(WindowCommand::ShowNormal);
        platform_.view.toForeground();
    }
    state_.displayState = DisplayState::Initial;
}

}  // namespace tindlow
