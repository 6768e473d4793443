#include "ui/button_hover.h"

namespace tindlow {

bool rectContains(const ScreenRect& rect, const ScreenPoint& point) {
    return rect.left <= point.x && point.x <= rect.right && rect.top <= point.y &&
           point.y <= rect.bottom;
}

namespace {

void restoreHighlighted(ButtonTable& table, View& view) {
    if (table.highlighted && *table.highlighted < kButtonCount) {
        const ButtonRow& row = table.rows[*table.highlighted];
        view.setButtonFace(row.controlId, row.normalFace);
    }
    table.highlighted.reset();
}

}  // namespace

void hoverFromTick(ButtonTable& table, const ScreenPoint& cursor, View& view) {
    for (std::size_t i = 0; i < kButtonCount; ++i) {
        if (!rectContains(table.rows[i].rect, cursor)) {
            continue;
        }
        if (table.highlighted == i) {
            return;
        }
        restoreHighlighted(table, view);
        view.setButtonFace(table.rows[i].controlId, table.rows[i].hoverFace);
        table.highlighted = i;
        return;
    }
    if (table.highlighted) {
        restoreHighlighted(table, view);
    }
}

void hoverFromMouseMove(ButtonTable& table, View& view) {
    if (table.highlighted) {
        restoreHighlighted(table, view);
    }
    view.trackMouseLeave();
}

void hoverFromMouseLeave(ButtonTable& table, const ScreenRect& window, const ScreenPoint& cursor,
                         View& view) {
    if (!rectContains(window, cursor)) {
        return;
    }
    for (std::size_t i = 0; i < kButtonCount; ++i) {
        if (rectContains(table.rows[i].rect, cursor)) {
            view.setButtonFace(table.rows[i].controlId, table.rows[i].hoverFace);
            table.highlighted = i;
            return;
        }
    }
}

}  // namespace tindlow
