#pragma once

// The ids of the dialog, its icon and its controls are written down once, in the engine's
// control id header, which the resource compiler can read as well.
#include "ui/control_ids.h"
