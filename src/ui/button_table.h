#pragma once
#include <array>
#include <cstddef>
#include <optional>

#include "platform/view.h"
#include "ui/control_ids.h"

namespace tindlow {

// One row per push button, in the fixed order that captions and tooltips follow too.
struct ButtonRow {
    int controlId = 0;
    Rgb normalFace{255, 255, 255};
    Rgb hoverFace{255, 0, 0};
    ScreenRect rect{0, 0, 100, 0};  // screen rectangle, valid from the first paint on
};

inline constexpr std::size_t kButtonCount = 8;

struct ButtonTable {
    std::array<ButtonRow, kButtonCount> rows{};
    std::optional<std::size_t> highlighted;  // the row under the cursor, shown in its hover face
};

// The ids and normal face colours of the eight buttons.
inline void fillButtonTable(ButtonTable& table) {
    struct Face {
        int id;
        Rgb colour;
    };
    static constexpr Face kFaces[kButtonCount] = {
        {ids::kFutureEvents, {255, 239, 213}},   {ids::kMissedEvents, {240, 255, 240}},
        {ids::kReloadData, {255, 105, 180}},     {ids::kOpenHelp, {171, 130, 255}},
        {ids::kOpenDirectory, {255, 127, 36}},   {ids::kHideWindow, {230, 230, 250}},
        {ids::kSwitchLanguage, {240, 255, 240}}, {ids::kClearListbox, {255, 225, 255}},
    };
    for (std::size_t row = 0; row < kButtonCount; ++row) {
        table.rows[row].controlId = kFaces[row].id;
        table.rows[row].normalFace = kFaces[row].colour;
        table.rows[row].hoverFace = Rgb{255, 0, 0};
    }
}

}  // namespace tindlow
