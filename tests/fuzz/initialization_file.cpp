// The initialization file, read from the program directory of an in-memory file system as the
// dialog reads it. Whatever its bytes, every setting ends within its limits, every line is logged
// once between the reading line and the dash line, a value outside a limit is moved to it (or, for
// [RemindHours], ignored), and a loading with the network path it names runs without trouble.

#include <cstdint>
#include <string>

#include "fakes/fake_file_system.h"
#include "fakes/fake_message_boxes.h"
#include "fakes/recording_log.h"
#include "fuzz_support.h"
#include "input/event_input.h"
#include "input/event_line.h"
#include "input/initialization_file.h"
#include "model/dictionary.h"
#include "model/error_boxes.h"
#include "model/text_tables.h"

namespace tindlow {
namespace {

const std::wstring kPath = L"C:\\P\\_IniFile\\IniFile.csv";
const std::wstring kDash = L"----";

}  // namespace
}  // namespace tindlow

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tindlow;
    FakeFileSystem files;
    files.addFile(kPath, std::string(fuzz::bytesOf(data, size)));
    files.addDirectory(L"C:\\N\\Events");
    files.addFile(L"C:\\N\\Events\\Net.csv", "h\r\nNet;x;01.01.2030;0,5;0;0;;[n1];2\r\n");

    const FileBytes content = files.readFile(kPath);
    FUZZ_CHECK(content.ok());
    const std::vector<std::wstring> lines = eventFileLines(content.bytes);
    RecordingLog log;
    InitializationSettings settings;
    applyInitializationLines(lines, kPath, englishTables(), kDash, log, settings);

    FUZZ_CHECK(log.lines.size() == lines.size() + 2);
    FUZZ_CHECK(log.lines.back() == kDash);
    FUZZ_CHECK(settings.executionLoopPeriod == 1 ||
               (settings.executionLoopPeriod % 2 == 0 &&
                settings.executionLoopPeriod >= 2 * kExecutionLoopSecondsMin &&
                settings.executionLoopPeriod <= 2 * kExecutionLoopSecondsMax));
    FUZZ_CHECK(settings.windowSizeMode == WindowSizeMode::Hidden ||
               settings.windowSizeMode == WindowSizeMode::Minimized ||
               settings.windowSizeMode == WindowSizeMode::Normal);
    FUZZ_CHECK(settings.flashLimit >= 0 && settings.flashLimit <= kFlashLimitMax);
    const double hours = settings.defaultPostTrigger / 3600.0;
    FUZZ_CHECK(settings.defaultPostTrigger == 259200.0 ||
               (hours >= kRemindHoursMin && hours <= kRemindHoursMax &&
                hours == static_cast<double>(static_cast<std::int32_t>(hours))));
    FUZZ_CHECK((settings.networkPathState == NetworkPathState::NotReached) ==
               !settings.networkPath.empty());
    FUZZ_CHECK(settings.networkPathState == NetworkPathState::None ||
               settings.networkPathState == NetworkPathState::NotReached);
    FUZZ_CHECK(settings.networkPath.empty() || settings.networkPath.back() == L'\\');

    // A loading with these settings: whatever the network path names, it is either read or
    // reported missing.
    FakeMessageBoxes boxes;
    std::int32_t counter = 0;
    ErrorBoxes errorBoxes(boxes, counter);
    Dictionary complete;
    Dictionary today;
    EventInput input{files,
                     log,
                     errorBoxes,
                     englishTables(),
                     complete,
                     today,
                     LocalTime{2029, 12, 31, 12, 0, 0, 0},
                     settings.defaultPostTrigger,
                     settings.executionLoopPeriod,
                     kDash};
    EventFileLists lists;
    NetworkPathState state = settings.networkPathState;
    loadEventFiles(input, L"C:\\P\\_SingleEvents\\", L"C:\\P\\_PeriodicEvents\\",
                   settings.networkPath, state, lists, nullptr);
    if (state == NetworkPathState::Read) {
        FUZZ_CHECK(!lists.networkEvents.empty());
    } else {
        FUZZ_CHECK(complete.empty());
    }
    return 0;
}
