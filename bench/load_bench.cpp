// Loading large event files the way the window does: every line read is logged into the
// numbered log list, which keeps it, inside one bulk. The reader must stay linear in the file
// size, and a load of 100,000 lines must stay well below a fifth of a second. Besides the warm
// loadings of a running program, BM_FirstLoadAndClearing measures what a start pays: a loading
// into memory the process has not touched yet, and freeing it all again.

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fakes/fake_view.h"
#include "input/event_input.h"
#include "loading_surroundings.h"
#include "model/dictionary.h"
#include "model/error_boxes.h"
#include "model/text_tables.h"
#include "platform/file_system.h"
#include "platform/message_boxes.h"
#include "ui/log_list.h"

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
    // In parts of 64 KiB, as a file is read.
    FileRead readFileInParts(const std::wstring& path, const FilePartSink& sink) const override {
        if (path != directory_ + name_) {
            return {2, 2};
        }
        for (std::size_t at = 0; at < bytes_.size(); at += kPart) {
            sink(std::string_view(bytes_).substr(at, kPart));
        }
        return {};
    }
    int writeFile(const std::wstring&, const std::string&) override { return 13; }
    int writeFileDurably(const std::wstring&, const std::string&) override { return 13; }
    int replaceFile(const std::wstring&, const std::wstring&) override { return 13; }
    std::wstring errorText(int) const override { return L"read-only"; }

  private:
    static constexpr std::size_t kPart = 65536;
    std::wstring directory_;
    std::wstring name_;
    std::string bytes_;
};

std::string twoDigits(int value) {
    std::string text = std::to_string(value);
    if (text.size() < 2) {
        text.insert(text.begin(), '0');
    }
    return text;
}

// The order in which the keys of a file arrive. A key is the creation stamp of its row and two
// running numbers, "[02.01.2026-18:00:00-300000001-400000001]".
enum class KeyOrder {
    Sorted,     // ascending, as rows created in one go
    Created,    // rows in the order they were created over many days: ascending runs of the
                // same day, then a jump, since the stamp begins with the day of the month
    Scattered,  // no order at all, as after sorting the rows by their event date
};

std::string keyOf(int row, int lines, KeyOrder order) {
    int n = row;
    std::string stamp = "02.01.2026-18:00:00";
    if (order == KeyOrder::Created) {
        const int day = row / 20;
        const int second = (row % 20) * 97;
        stamp = twoDigits(1 + day % 28) + "." + twoDigits(1 + day / 28 % 12) + "." +
                std::to_string(2024 + day / 336) + "-" + twoDigits(8 + second / 3600) + ":" +
                twoDigits(second / 60 % 60) + ":" + twoDigits(second % 60);
    } else if (order == KeyOrder::Scattered) {
        // A multiplicative permutation of the row numbers.
        n = static_cast<int>(static_cast<std::int64_t>(row) * 7919 % (lines + 1));
    }
    return "[" + stamp + "-" + std::to_string(300000000 + n) + "-" + std::to_string(400000000 + n) +
           "]";
}

// A file as the spreadsheet exports it: a header, a defaults line every fifty lines, UTF-8 titles
// and texts, times with a decimal comma, every kind of interval column (comments and switched
// off lines included), dates around the loading's day, and keys in the given order.
std::string eventFile(int lines, KeyOrder order) {
    static const char* const kIntervals[] = {"365",     "30",  "7",  "30mwd2",  "90mmd-1", "",
                                             "14abs",   "360", "0",  "#7",      "-1",      "1",
                                             "30mmd15", "31",  "60", "180mwd-1"};
    static const char* const kTitles[] = {"Geburtstag J\xC3\xBCrgen",
                                          "Meeting",
                                          "Zahnarzt",
                                          "Stra\xC3\x9F"
                                          "enfest",
                                          "Caf\xC3\xA9 mit Eva",
                                          ""};
    static const char* const kTexts[] = {
        "Gr\xC3\xBC\xC3\x9F"
        "e an alle",
        "Raum 3.14, bitte p\xC3\xBCnktlich", "", "Rechnung 42 \xE2\x82\xAC bezahlen",
        "Weekly sync"};
    std::string bytes =
        "Titel;Text;Datum;Zeit;Vorlauf;Wiederholung;Intervall;Schl\xC3\xBCssel;Zeile\r\n";
    bytes.reserve(static_cast<std::size_t>(lines) * 110);
    for (int i = 2; i <= lines; ++i) {
        if (i % 50 == 2) {
            bytes += "Default = Termin: ;Standardtext;;0,5;" + std::to_string(i % 90) + ";2;;;\r\n";
            continue;
        }
        const std::string date = twoDigits(1 + i % 28) + "." + twoDigits(1 + (i / 28) % 12) + "." +
                                 std::to_string(2025 + i % 3);
        bytes += kTitles[i % 6];
        bytes += ';';
        bytes += kTexts[i % 5];
        bytes += ';' + date + ';' + (i % 4 == 0 ? "" : "0," + std::to_string(i % 10)) + ';' +
                 std::to_string(i % 120) + ';' + std::to_string(i % 4) + ';' + kIntervals[i % 16] +
                 ';' + keyOf(i, lines, order) + ';' + std::to_string(i) + "\r\n";
    }
    return bytes;
}

void BM_LoadEventFiles(benchmark::State& state) {
    const std::wstring single = L"C:\\P\\_SingleEvents\\";
    const OneFileSystem files(
        single, L"Events.csv",
        eventFile(static_cast<int>(state.range(0)), static_cast<KeyOrder>(state.range(1))));
    FakeView view;
    LoadingSurroundings surroundings(files, view);
    LogList& log = surroundings.log;
    EventInput& input = surroundings.input;
    Dictionary& complete = surroundings.complete;
    Dictionary& today = surroundings.today;
    EventFileLists lists;
    NetworkPathState networkPathState = NetworkPathState::None;
    const bool reload = state.range(2) != 0;
    std::size_t entries = 0;
    std::size_t todays = 0;
    // One loading before the timed ones: memory a process touches for the first time costs a
    // page fault per page, which on this virtual machine is dearer than the whole loading (a
    // first loading of 100,000 lines in a fresh process takes 0.55 s instead of 0.2 s). The
    // figures are those of the loadings that follow, as in a running program.
    {
        const LogBulk bulk(log);
        loadEventFiles(input, single, L"C:\\P\\_PeriodicEvents\\", L"", networkPathState, lists,
                       nullptr);
    }
    view.clearLogList();
    if (!reload) {
        complete.clear();
        today.clear();
    }
    for (auto _ : state) {
        {
            const LogBulk bulk(log);
            loadEventFiles(input, single, L"C:\\P\\_PeriodicEvents\\", L"", networkPathState, lists,
                           nullptr);
        }
        entries = complete.size();
        todays = today.size();
        // The window's list keeps growing over a run; each load here starts from an empty one.
        // A reload finds the dictionaries of the load before; the first load of a run finds
        // them empty.
        state.PauseTiming();
        view.clearLogList();
        if (!reload) {
            complete.clear();
            today.clear();
        }
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.counters["entries"] = static_cast<double>(entries);
    state.counters["today"] = static_cast<double>(todays);
}

BENCHMARK(BM_LoadEventFiles)
    ->ArgNames({"lines", "order", "reload"})
    ->ArgsProduct({{1000, 10000, 100000},
                   {static_cast<int>(KeyOrder::Sorted), static_cast<int>(KeyOrder::Created),
                    static_cast<int>(KeyOrder::Scattered)},
                   {1, 0}})
    ->Unit(benchmark::kMillisecond);

// The first loading of a run and the clearing at its end: dictionaries and log list are made
// and destroyed inside the timed region, and between two runs the freed memory goes back to the
// operating system, so every loading touches fresh pages as a new process does.
void BM_FirstLoadAndClearing(benchmark::State& state) {
    const std::wstring single = L"C:\\P\\_SingleEvents\\";
    const OneFileSystem files(
        single, L"Events.csv",
        eventFile(static_cast<int>(state.range(0)), static_cast<KeyOrder>(state.range(1))));
    std::size_t entries = 0;
    for (auto _ : state) {
        {
            FakeView view;
            const auto surroundings = std::make_unique<LoadingSurroundings>(files, view);
            EventFileLists lists;
            NetworkPathState networkPathState = NetworkPathState::None;
            {
                const LogBulk bulk(surroundings->log);
                loadEventFiles(surroundings->input, single, L"C:\\P\\_PeriodicEvents\\", L"",
                               networkPathState, lists, nullptr);
            }
            entries = surroundings->complete.size();
        }
        state.PauseTiming();
        malloc_trim(0);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.counters["entries"] = static_cast<double>(entries);
}

BENCHMARK(BM_FirstLoadAndClearing)
    ->ArgNames({"lines", "order"})
    ->ArgsProduct({{1000, 10000, 100000},
                   {static_cast<int>(KeyOrder::Sorted), static_cast<int>(KeyOrder::Scattered)}})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tindlow
