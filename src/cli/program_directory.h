#pragma once
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "input/event_input.h"
#include "input/initialization_file.h"
#include "model/dictionary.h"
#include "model/directory_layout.h"
#include "model/log_sink.h"
#include "model/settings_file.h"
#include "model/text_tables.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/message_boxes.h"

namespace tindlow {

// Message boxes that are written down instead of shown: a program without a window collects
// what the window would show in boxes.
class CollectedBoxes : public MessageBoxes {
  public:
    int show(const std::wstring& text, const std::wstring&, BoxIcon) override {
        texts.push_back(text);
        return 1;
    }
    std::uint32_t showFailure() const override { return 0; }
    std::vector<std::wstring> texts;
};

class DiscardedLog : public LogSink {
  public:
    void log(const std::wstring&) override {}
};

// A program directory read as the window reads it at start-up: settings, initialization file,
// every event file, and today's reminder state from the emitted reminders log. Nothing is
// created or written: a missing settings file gives the settings the window would write.
struct ProgramDirectory {
    DirectoryLayout paths;
    Settings settings;
    const TextTables* texts = nullptr;  // the language of --lang, else of the settings file
    InitializationSettings ini;
    Dictionary complete;
    Dictionary today;
    EventFileLists lists;
    CollectedBoxes boxes;  // what the window would have shown in boxes
    std::wstring dashLine;
    std::optional<std::wstring> iniFailure;  // the system's reason when the file cannot be read
};

enum class DirectoryReading { Done, NoDirectory, IniFileUnreadable };

// The program directory of one command. When the process ends right after the command, what it
// loaded is left to the operating system, which takes it back at once, instead of being freed
// entry by entry.
class LoadedDirectory {
  public:
    explicit LoadedDirectory(bool processEndsAfter)
        : directory_(std::make_unique<ProgramDirectory>()), processEndsAfter_(processEndsAfter) {}
    ~LoadedDirectory() {
        if (processEndsAfter_) {
            static_cast<void>(directory_.release());
        }
    }
    LoadedDirectory(const LoadedDirectory&) = delete;
    LoadedDirectory& operator=(const LoadedDirectory&) = delete;
    ProgramDirectory& operator*() { return *directory_; }

  private:
    std::unique_ptr<ProgramDirectory> directory_;
    bool processEndsAfter_;
};

// Reads the settings file (and takes the language, unless one is given) and the
// initialization file. The event files are read by loadEvents.
DirectoryReading readProgramSettings(const FileSystem& files,
                                     const std::optional<std::wstring>& language, LogSink& log,
                                     ProgramDirectory& directory);

// Loads every event file into the dictionaries, as of `now`, and gives today's entries the
// reminders the emitted reminders log records for them. `log` receives the loading's log lines,
// `observer` (when given) what the loading makes of each line.
void loadEvents(FileSystem& files, const LocalTime& now, LogSink& log, ProgramDirectory& directory,
                LoadObserver* observer = nullptr);

}  // namespace tindlow
