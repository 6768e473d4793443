// The full reload sequence shared by the day change, the network probe and the Reload Data
// button.
#include "ui/tindlow_dlg.h"

namespace tindlow {

void CTindlowDlg::fullReload(bool /*saveFirst*/) {
    // The event files, the document menu and the day's reminder state are reloaded here as
    // their readers join the program.
}

}  // namespace tindlow
