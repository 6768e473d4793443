#pragma once
#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "app/app_parts.h"
#include "app/menu_commands.h"
#include "model/text_tables.h"

namespace tindlow {

// One row per command of the "Further Commands" drop-down, in menu order: the command and what
// it does with the selected menu text. The menu and the dispatch are both made from the rows;
// adding a command is its name, its row and its text in both languages' command texts.
struct WindowCommandRow {
    MenuCommand command;
    void (*run)(AppParts& parts, const std::wstring& selectedText);
};
const std::array<WindowCommandRow, kCommandMenuCount>& windowCommandRows();

// The menu lines in the applied language, one per row.
std::vector<std::wstring> commandMenuLines(const TextTables& texts);

// Runs the command at this place of the menu; a place beyond the rows runs nothing.
void runWindowCommand(AppParts& parts, std::size_t menuIndex, const std::wstring& selectedText);

}  // namespace tindlow
