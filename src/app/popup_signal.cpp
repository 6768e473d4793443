#include "app/popup_signal.h"

#include <string>

#include "model/directory_layout.h"

namespace tindlow {

namespace {

// The signal lasts this many ticks after it was given.
constexpr std::int32_t kPopupSignalTicks = 20;

}  // namespace

void PopupSignal::give(std::int32_t tick) {
    // Every instance creates C:\Temp\ at its start; should it have gone since, the signal would
    // silently fail to appear.
    if (!files_.exists(kTempDirectory)) {
        files_.createDirectory(kTempDirectory);
    }
    feedback_.reportWriteFailure(kPopupSignalFile,
                                 files_.writeFile(kPopupSignalFile, std::string()),
                                 UnwrittenFile::LeavesNothing);
    removalTick_ = tick + kPopupSignalTicks;
}

bool PopupSignal::present() const {
    return files_.exists(kPopupSignalFile);
}

void PopupSignal::removeIfDue(std::int32_t tick) {
    if (removalTick_ == tick) {
        remove();
    }
}

void PopupSignal::remove() {
    files_.deleteFile(kPopupSignalFile);
}

}  // namespace tindlow
