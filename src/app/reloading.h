#pragma once
#include "app/app_parts.h"

namespace tindlow {

// Fills the document menu from the event files loaded.
void fillDocumentMenu(AppParts& parts);

// Loads every event file anew and refills the document menu; deferred while a loading runs.
// Answers whether the loading ran now.
bool reloadEvents(AppParts& parts, bool saveFirst);

}  // namespace tindlow
