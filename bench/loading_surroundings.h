#pragma once
// What a loading in the benchmarks needs around it: the window's numbered log list over a view,
// message boxes that are answered at once, the error box budget and both dictionaries, with the
// day fixed at 02.01.2026 12:00.

#include <cstdint>
#include <string>

#include "input/event_input.h"
#include "model/dictionary.h"
#include "model/error_boxes.h"
#include "model/text_tables.h"
#include "platform/file_system.h"
#include "platform/message_boxes.h"
#include "platform/view.h"
#include "ui/log_list.h"

namespace tindlow {

class SilentBoxes : public MessageBoxes {
  public:
    int show(const std::wstring&, const std::wstring&, BoxIcon) override { return 1; }
    std::uint32_t showFailure() const override { return 0; }
};

struct LoadingSurroundings {
    LoadingSurroundings(const FileSystem& files, View& view)
        : log(view),
          input{files,
                log,
                errorBoxes,
                englishTables(),
                complete,
                today,
                LocalTime{2026, 1, 2, 12, 0, 0, 0},
                259200.0,
                1,
                std::wstring(500, L'-')} {}
    LogList log;
    SilentBoxes boxes;
    std::int32_t boxCounter = 0;
    ErrorBoxes errorBoxes{boxes, boxCounter};
    Dictionary complete;
    Dictionary today;
    EventInput input;
};

}  // namespace tindlow
