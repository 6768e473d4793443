#pragma once
#include "app/app_parts.h"

namespace tindlow {

// What the dialog's own controls do: the push buttons and the check box, and a choice in either
// drop-down menu.

// A push button or the check box was clicked.
void pressButton(AppParts& parts, int controlId);
// The document menu's selection changed: the chosen file or directory is opened.
void chooseDocument(AppParts& parts);
// The command menu's selection changed: the command at that place runs.
void chooseCommand(AppParts& parts);

// Hides the window, as the first instance only; other instances log that they stay.
void hideRequest(AppParts& parts);

}  // namespace tindlow
