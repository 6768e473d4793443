#pragma once
#include "platform/clipboard.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/key_poll.h"
#include "platform/message_boxes.h"
#include "platform/processes.h"
#include "platform/shell.h"
#include "platform/sleeper.h"
#include "platform/view.h"

namespace tindlow {

// Everything the engine asks of the operating system, handed to the dialog in one piece.
struct Platform {
    Clock& clock;
    FileSystem& files;
    Shell& shell;
    View& view;
    MessageBoxes& boxes;
    KeyPoll& keys;
    Processes& processes;
    Clipboard& clipboard;
    Sleeper& sleeper;
};

}  // namespace tindlow
