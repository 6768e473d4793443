// The settings file, read from any bytes. Whatever was read is written and read back as the same
// settings (the file is 8-bit text: a language character beyond 8 bits is written as "?"), a
// second write gives the same bytes, and no temporary file stays behind.

#include <cstdint>
#include <string>

#include "fakes/fake_file_system.h"
#include "fakes/fake_message_boxes.h"
#include "fakes/recording_log.h"
#include "fuzz_support.h"
#include "model/settings_file.h"
#include "model/text_files.h"

namespace tindlow {
namespace {

const std::wstring kPath = L"C:\\P\\_Settings\\Settings.txt";
const std::wstring kDash = L"----";

// Only a big-endian file is refused, with the box, and then every value stays as it was.
Settings read(const FakeFileSystem& files) {
    RecordingLog log;
    FakeMessageBoxes boxes;
    Settings settings;
    readSettingsFile(files, log, boxes, kPath, kDash, settings);
    const bool refused = files.fileBytes(kPath).value_or("").starts_with("\xFE\xFF");
    FUZZ_CHECK(boxes.shown.size() == (refused ? 1u : 0u));
    if (refused) {
        const Settings unchanged;
        FUZZ_CHECK(settings.language == unchanged.language && settings.days == unchanged.days);
    }
    return settings;
}

std::string describe(const Settings& settings) {
    return "language \"" + fuzz::printable(settings.language) + "\", position " +
           std::to_string(settings.startX) + "," + std::to_string(settings.startY) + ", days " +
           std::to_string(settings.days);
}

}  // namespace
}  // namespace tindlow

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tindlow;
    FakeFileSystem files;
    files.addFile(kPath, std::string(fuzz::bytesOf(data, size)));
    const Settings first = read(files);
    FUZZ_CHECK(first.days >= kSettingsMinDays && first.days <= kSettingsMaxDays);

    FUZZ_CHECK(writeSettingsFile(files, kPath, first) == 0);
    const std::string written = files.fileBytes(kPath).value_or("");
    FUZZ_CHECK(!files.exists(settingsTempPath(kPath)));

    Settings expected = first;
    for (wchar_t& c : expected.language) {
        if (static_cast<std::uint32_t>(c) > 0xFF) {
            c = L'?';
        }
    }
    const Settings second = read(files);
    FUZZ_CHECK_MSG(second.language == expected.language && second.startX == expected.startX &&
                       second.startY == expected.startY && second.days == expected.days,
                   "read " + describe(first) + ", read back " + describe(second));

    FUZZ_CHECK(writeSettingsFile(files, kPath, second) == 0);
    FUZZ_CHECK(files.fileBytes(kPath).value_or("") == written);
    FUZZ_CHECK(written == encodeByteText(settingsText(second)));
    return 0;
}
