// Loading a large event file: the reader must stay linear in the file size.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "input/event_input.h"
#include "model/dictionary.h"
#include "model/error_boxes.h"
#include "model/log_sink.h"
#include "model/text_tables.h"
#include "platform/file_system.h"
#include "platform/message_boxes.h"

namespace tindlow {
namespace {

// One directory with one file; enough for the loader.
class OneFileSystem : public FileSystem {
  public:
    OneFileSystem(std::wstring directory, std::wstring name, std::string bytes)
        : directory_(std::move(directory)), name_(std::move(name)), bytes_(std::move(bytes)) {}

    std::wstring currentDirectory() const override { return L"C:\\P"; }
    bool exists(const std::wstring& path) const override {
        return path == directory_ || path == directory_ + name_;
    }
    bool isDirectory(const std::wstring& path) const override { return path == directory_; }
    bool createDirectory(const std::wstring&) override { return false; }
    bool deleteFile(const std::wstring&) override { return false; }
    std::optional<std::vector<DirectoryEntry>> listDirectory(
        const std::wstring& directory) const override {
        if (directory != directory_) {
            return std::nullopt;
        }
        return std::vector<DirectoryEntry>{{name_, false}};
    }
    FileBytes readFile(const std::wstring& path) const override {
        if (path != directory_ + name_) {
            return {2, {}};
        }
        return {0, bytes_};
    }
    int writeFile(const std::wstring&, const std::string&) override { return 13; }
    int replaceFile(const std::wstring&, const std::wstring&) override { return 13; }
    std::wstring errorText(int) const override { return L"read-only"; }

  private:
    std::wstring directory_;
    std::wstring name_;
    std::string bytes_;
};

class CountingLog : public LogSink {
  public:
    void log(const std::wstring& text) override { characters += text.size(); }
    std::size_t characters = 0;
};

class SilentBoxes : public MessageBoxes {
  public:
    int show(const std::wstring&, const std::wstring&, BoxIcon) override { return 1; }
    std::uint32_t showFailure() const override { return 0; }
};

std::string eventFile(int lines) {
    static const char* const kIntervals[] = {"365", "30", "7", "30mwd2", "90mmd-1", "", "14abs"};
    std::string bytes = "Title;Text;Date;Time;Pretrigger;Repeat;Interval;Key;Row\r\n";
    bytes += "Default = Event ;;;0,5;60;2;;;\r\n";
    for (int i = 2; i < lines; ++i) {
        const std::string n = std::to_string(i);
        bytes += ";Text of line " + n + ";" + std::to_string(1 + i % 28) + "." +
                 std::to_string(1 + i % 12) + ".2024;;;;" + kIntervals[i % 7] +
                 ";[01.01.2024-10:00:00-" + n + "-123456789];" + n + "\r\n";
    }
    return bytes;
}

void BM_LoadEventFiles(benchmark::State& state) {
    const std::wstring single = L"C:\\P\\_SingleEvents\\";
    const OneFileSystem files(single, L"Events.csv", eventFile(static_cast<int>(state.range(0))));
    CountingLog log;
    SilentBoxes boxes;
    std::int32_t boxCounter = 0;
    ErrorBoxes errorBoxes(boxes, boxCounter);
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
    EventFileLists lists;
    NetworkPathState networkPathState = NetworkPathState::None;
    for (auto _ : state) {
        loadEventFiles(input, single, L"C:\\P\\_PeriodicEvents\\", L"", networkPathState, lists,
                       nullptr);
        benchmark::DoNotOptimize(complete.size());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.counters["entries"] = static_cast<double>(complete.size());
}

BENCHMARK(BM_LoadEventFiles)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tindlow
