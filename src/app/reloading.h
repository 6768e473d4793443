#pragma once
#include "app/app_parts.h"

namespace tindlow {

// Fills the document menu from the event files loaded.
void fillDocumentMenu(AppParts& parts);

// Loads every event file anew and refills the document menu; deferred while a loading runs
// (with whether the command menu is to be refilled then). Answers whether the loading ran now.
bool reloadEvents(AppParts& parts, bool saveFirst, bool refillCommandMenu = false);

}  // namespace tindlow
