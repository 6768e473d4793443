#pragma once
// One loading's surroundings for the event reader and loader tests: an in-memory file system,
// the recorded log and boxes, and both dictionaries, with the day fixed at 15.06.2025 12:00.

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>

#include "fakes/fake_file_system.h"
#include "fakes/fake_message_boxes.h"
#include "fakes/recording_log.h"
#include "input/event_input.h"
#include "model/dictionary.h"
#include "model/error_boxes.h"
#include "model/text_tables.h"

namespace tindlow {

inline std::string fixtureBytes(const std::string& name) {
    std::ifstream in(std::string(TINDLOW_TEST_DATA) + "/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct EventInputHarness {
    FakeFileSystem files;
    RecordingLog log;
    FakeMessageBoxes boxes;
    std::int32_t boxCounter = 0;
    ErrorBoxes errorBoxes{boxes, boxCounter};
    Dictionary complete;
    Dictionary today;
    EventInput input{files,
                     log,
                     errorBoxes,
                     englishTables(),
                     complete,
                     today,
                     LocalTime{2025, 6, 15, 12, 0, 0, 0},
                     259200.0,
                     1,
                     std::wstring(500, L'-')};

    const std::wstring& dash() const { return input.dashLine; }

    // The texts of the boxes shown so far that begin with `start`.
    std::vector<std::wstring> boxesStartingWith(const std::wstring& start) const {
        std::vector<std::wstring> texts;
        for (const auto& box : boxes.shown) {
            if (box.text.starts_with(start)) {
                texts.push_back(box.text);
            }
        }
        return texts;
    }
};

}  // namespace tindlow
