#pragma once
#include "platform/view.h"
#include "ui/button_table.h"

namespace tindlow {

// Edges count as inside.
bool rectContains(const ScreenRect& rect, const ScreenPoint& point);

// The tick's walk: the first row under the cursor turns red, the previous highlight returns to
// its normal face, and a highlight is cleared once the cursor has left every button.
void hoverFromTick(ButtonTable& table, const ScreenPoint& cursor, View& view);

// The cursor moved over the dialog's own surface: no button can be under it.
void hoverFromMouseMove(ButtonTable& table, View& view);

// The cursor left the dialog surface onto a control or out of the window.
void hoverFromMouseLeave(ButtonTable& table, const ScreenRect& window, const ScreenPoint& cursor,
                         View& view);

}  // namespace tindlow
