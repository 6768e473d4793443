#include "app/reloading.h"

#include "ui/control_ids.h"
#include "ui/document_menu.h"

namespace tindlow {

void fillDocumentMenu(AppParts& parts) {
    parts.window.fillMenu(ids::kDocumentMenu,
                          documentMenuLines(parts.language.texts(), parts.events.fileLists()));
}

bool reloadEvents(AppParts& parts, bool saveFirst) {
    if (!parts.events.load(saveFirst)) {
        return false;
    }
    fillDocumentMenu(parts);
    return true;
}

}  // namespace tindlow
