#pragma once
#include "app/app_parts.h"

namespace tindlow {

// Fills the command menu in the applied language.
void fillCommandMenu(AppParts& parts);

// Applies the named language to the window: captions, tooltips and, once start-up is done,
// both menus.
void applyLanguage(AppParts& parts);

}  // namespace tindlow
