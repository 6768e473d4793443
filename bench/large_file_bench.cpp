// Loading very large event files from the disk, as the window does: time, and the memory the
// loading needs beyond what the process held before it.
//
// - 100 MB of event lines as a spreadsheet exports them (about a million lines, most of them
//   stored as entries);
// - one line of 10 million characters (read as ten thousand lines of 998 characters, none of
//   them an event).
//
// Counters: `file_MB`; `peak_MB`, the growth of the resident memory of the process during the
// loading (the peak is reset before it); `list_MB`, the text the window's log list would hold
// for the lines logged (UTF-16, as a list box keeps it; the benchmark's list only counts it);
// `per_file_byte`, (peak + list) / file size; `entries`.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "cli/native/posix_file_system.h"
#include "fakes/fake_view.h"
#include "input/event_input.h"
#include "loading_surroundings.h"
#include "model/dictionary.h"
#include "model/error_boxes.h"
#include "model/text_tables.h"
#include "platform/message_boxes.h"
#include "ui/log_list.h"

namespace tindlow {
namespace {

// A list that keeps nothing and counts what a list box would keep: every line as UTF-16.
class CountingView : public FakeView {
  public:
    int addLogLine(const std::wstring& line) override {
        bytes += 2 * (line.size() + 1);
        return static_cast<int>(count++);
    }
    int logLineCount() const override { return static_cast<int>(count); }
    void clearLogList() override {
        count = 0;
        bytes = 0;
    }
    std::size_t count = 0;
    std::size_t bytes = 0;
};

// A line of the process's status file in kB ("VmHWM:", "VmRSS:").
std::size_t statusKilobytes(const std::string& field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.starts_with(field)) {
            return std::stoul(line.substr(field.size()));
        }
    }
    return 0;
}

// From now on the peak of the resident memory starts again from the present.
void resetPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

const std::filesystem::path kDirectory =
    std::filesystem::temp_directory_path() / "tindlow-large-file-bench";

std::string twoDigits(std::int64_t value) {
    char text[24];
    std::snprintf(text, sizeof text, "%02lld", static_cast<long long>(value));
    return text;
}

// About `megabytes` of lines of every interval form, keys scattered, a defaults line every fifty.
void writeEventLines(const std::filesystem::path& path, std::size_t megabytes) {
    static const char* const kIntervals[] = {"365", "30",      "7",  "30mwd2", "90mmd-1", "",
                                             "1",   "30mmd15", "14", "#7",     "-1",      "360"};
    std::ofstream out(path, std::ios::binary);
    out << "Titel;Text;Datum;Zeit;Vorlauf;Wiederholung;Intervall;Schl\xC3\xBCssel;Zeile\r\n";
    std::size_t written = 0;
    for (std::int64_t i = 2; written < megabytes * 1000000; ++i) {
        std::string line;
        if (i % 50 == 2) {
            line = "Default = Termin: ;Standardtext;;0,5;30;2;;;\r\n";
        } else {
            const std::int64_t n = i * 7919 % 100000007;
            line = "Event " + std::to_string(i) + ";Note of the event;" + twoDigits(1 + i % 28) +
                   "." + twoDigits(1 + i / 28 % 12) + "." + std::to_string(2020 + i % 8) + ";0," +
                   std::to_string(i % 10) + ";" + std::to_string(i % 120) + ";" +
                   std::to_string(i % 4) + ";" + kIntervals[i % 12] + ";[01.01.2026-10:00:00-" +
                   std::to_string(100000000 + n) + "-123456789];" + std::to_string(i) + "\r\n";
        }
        out << line;
        written += line.size();
    }
}

void writeOneLongLine(const std::filesystem::path& path, std::size_t characters) {
    std::ofstream out(path, std::ios::binary);
    out << "Title;Text;Date;Time;Pretrigger;Repeat;Interval;Key;Row\r\nLong;";
    out << std::string(characters, 'x');
    out << ";01.01.2026;0,5;0;0;7;[long];2\r\n";
}

// The program directory of a case, made once per machine.
std::filesystem::path programDirectory(int which) {
    const std::filesystem::path root = kDirectory / (which == 0 ? "lines" : "long-line");
    const std::filesystem::path file = root / "_SingleEvents" / "Events.csv";
    if (!std::filesystem::exists(file)) {
        std::filesystem::create_directories(file.parent_path());
        if (which == 0) {
            writeEventLines(file, 100);
        } else {
            writeOneLongLine(file, 10000000);
        }
    }
    return root;
}

void BM_LoadLargeFile(benchmark::State& state) {
    const std::filesystem::path root = programDirectory(static_cast<int>(state.range(0)));
    const double fileBytes =
        static_cast<double>(std::filesystem::file_size(root / "_SingleEvents" / "Events.csv"));
    PosixFileSystem files(root);
    CountingView view;
    LoadingSurroundings surroundings(files, view);
    LogList& log = surroundings.log;
    EventInput& input = surroundings.input;
    Dictionary& complete = surroundings.complete;
    Dictionary& today = surroundings.today;
    const std::wstring single = files.currentDirectory() + L"\\_SingleEvents\\";
    EventFileLists lists;
    NetworkPathState networkPathState = NetworkPathState::None;
    double peak = 0.0;
    double list = 0.0;
    std::size_t entries = 0;
    for (auto _ : state) {
        state.PauseTiming();
        complete.clear();
        today.clear();
        view.clearLogList();
        // What the last loading freed goes back to the system, so that this one's memory shows.
        malloc_trim(0);
        const double before = static_cast<double>(statusKilobytes("VmRSS:")) * 1024.0;
        resetPeak();
        state.ResumeTiming();
        {
            const LogBulk bulk(log);
            loadEventFiles(input, single, L"", L"", networkPathState, lists, nullptr);
        }
        state.PauseTiming();
        peak = static_cast<double>(statusKilobytes("VmHWM:")) * 1024.0 - before;
        list = static_cast<double>(view.bytes);
        entries = complete.size();
        state.ResumeTiming();
    }
    state.counters["file_MB"] = fileBytes / 1e6;
    state.counters["peak_MB"] = peak / 1e6;
    state.counters["list_MB"] = list / 1e6;
    state.counters["per_file_byte"] = (peak + list) / fileBytes;
    state.counters["entries"] = static_cast<double>(entries);
}

BENCHMARK(BM_LoadLargeFile)
    ->ArgName("file")  // 0: 100 MB of event lines, 1: one line of 10 million characters
    ->Arg(0)
    ->Arg(1)
    ->Iterations(2)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tindlow
