// One execution tick of the window (the 500 ms timer) over a today's dictionary of many entries:
// the reminder check looks at every entry on every tick, so a tick must stay in microseconds.

#include <benchmark/benchmark.h>

#include <string>

#include "fakes/test_program.h"

namespace tindlow {
namespace {

// `count` events of the program's day (09.12.2026), one a minute from 00:00 on, each with an
// hour of reminders before it, so that at the tick's moment some lie behind, some are due
// soon and most lie ahead.
std::string todaysEvents(int count) {
    std::string bytes = "Title;Text;Date;Time;Pretrigger;Repeat;Interval;Key;Row\r\n";
    for (int i = 0; i < count; ++i) {
        const std::string n = std::to_string(i);
        const double dayFraction = static_cast<double>(i % 1440) / 1440.0;
        std::string time = std::to_string(dayFraction);
        for (char& c : time) {
            c = c == '.' ? ',' : c;
        }
        bytes += "Event " + n + ";Text " + n + ";09.12.2026;" + time + ";60;3;" +
                 (i % 3 == 0 ? "" : "7") + ";[09.12.2026-08:00:00-" +
                 std::to_string(300000000 + i) + "];" + std::to_string(i + 2) + "\r\n";
    }
    return bytes;
}

void BM_ExecutionTick(benchmark::State& state) {
    TestProgram program;
    program.fake.files.addFile(L"C:\\P\\_SingleEvents\\Today.csv",
                               todaysEvents(static_cast<int>(state.range(0))));
    program.fake.clock.setTime(12, 0, 0);
    program.start();
    // The first ticks give the reminders of the morning in one box and hide the window; what
    // is measured is the tick after them, at the same moment, when nothing new is due.
    program.ticks(10);
    program.fake.boxes.shown.clear();
    for (auto _ : state) {
        program.dialog.onTimer();
    }
    state.counters["today"] = static_cast<double>(program.dialog.parts().events.today().size());
    state.counters["boxes"] = static_cast<double>(program.fake.boxes.shown.size());
}

// The walk over today's dictionary alone, as the reminder check makes it on every tick before it
// looks closer at any entry: next to the tick above, it shows what share of the tick is the walk.
void BM_WalkTodaysDictionary(benchmark::State& state) {
    TestProgram program;
    program.fake.files.addFile(L"C:\\P\\_SingleEvents\\Today.csv",
                               todaysEvents(static_cast<int>(state.range(0))));
    program.fake.clock.setTime(12, 0, 0);
    program.start();
    const Dictionary& today = program.dialog.parts().events.today();
    for (auto _ : state) {
        double earliest = 0.0;
        for (const auto& [key, entry] : today) {
            earliest = entry.nextAskSec < earliest ? entry.nextAskSec : earliest;
        }
        benchmark::DoNotOptimize(earliest);
    }
}

BENCHMARK(BM_ExecutionTick)->Arg(100)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WalkTodaysDictionary)->Arg(100)->Arg(10000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tindlow
