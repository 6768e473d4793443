#include "app/window_texts.h"

#include "app/reloading.h"
#include "app/window_commands.h"
#include "ui/control_ids.h"

namespace tindlow {

void fillCommandMenu(AppParts& parts) {
    parts.window.fillMenu(ids::kCommandMenu, commandMenuLines(parts.language.texts()));
}

void applyLanguage(AppParts& parts) {
    parts.language.apply();
    parts.window.applyFacesAndCaptions();
    parts.window.rebuildTooltips();
    if (parts.run.started) {
        fillDocumentMenu(parts);
        fillCommandMenu(parts);
    }
}

}  // namespace tindlow
