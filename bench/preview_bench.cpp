// The preview, the look-back's engine, the date simulation and the key searches on large
// dictionaries. Every benchmark also shows `vs_literal`: how many times faster it is than the
// day-by-day scan of the same work, measured once in the same run (the literal scans of the
// largest cases take seconds, so each is timed a single time). The previews up to 10 million
// entry-days also show `vs_copying_literal`: the same against the day scan that computes every
// entry's event on a copy of the whole entry, as the program did before.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "commands/command_menu.h"
#include "commands/event_search.h"
#include "model/calendar.h"
#include "model/dictionary.h"
#include "model/text_forms.h"
#include "model/text_tables.h"
#include "reports/event_preview.h"
#include "reports/literal_day_scan.h"
#include "schedule/event_computation.h"
#include "schedule/reminder_text.h"

namespace tindlow {
namespace {

const LocalTime kNow{2026, 12, 9, 8, 30, 0, 0};

// A dictionary as a large household or club might keep: mostly birthdays and single dates,
// some monthly and weekly duties, a few daily ones.
Dictionary realisticDictionary(int entries) {
    std::mt19937 random(7);
    const auto between = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    Dictionary dictionary;
    for (int i = 0; i < entries; ++i) {
        ReminderEntry e;
        e.sKey = L"[01.01.2024-10:00:00-" + intText(i) + L"-123456789]";
        e.sText = L"text of line " + intText(i);
        e.sFile = L"C:\\P\\_PeriodicEvents\\Events" + intText(i % 20) + L".csv";
        e.sRowNumber = intText(i + 2);
        const int kind = between(0, 999);
        const std::wstring dayMonth =
            intText(between(1, 28)) + L"." + intText(between(1, 12)) + L".";
        if (kind < 500) {  // birthdays
            e.sWhat = L"Birthday (%diff) ";
            e.sDate = dayMonth + intText(between(1930, 2020));
            e.incType = RecurrenceKind::Years;
            e.interval = 1;
        } else if (kind < 750) {  // single dates, past and future
            e.sWhat = L"Appointment ";
            e.sDate = dayMonth + intText(between(2020, 2032));
            e.dayTime = between(8, 18) * 3600.0;
            e.incType = RecurrenceKind::Single;
            e.interval = 1;
        } else if (kind < 830) {  // monthly, quarterly
            e.sWhat = L"Monthly ";
            e.sDate = dayMonth + L"2024";
            e.dayTime = 9 * 3600.0;
            e.incType = RecurrenceKind::Months;
            e.interval = kind < 800 ? 1 : 3;
        } else if (kind < 870) {  // the 2nd Tuesday, the last Friday
            e.sWhat = L"Meeting ";
            e.sDate = dayMonth + L"2024";
            e.dayTime = 19 * 3600.0;
            e.incType = RecurrenceKind::MonthWeekday;
            e.interval = 1;
            e.dayPointer = kind % 2 == 0 ? 2 : -1;
        } else if (kind < 900) {  // the last day of the month
            e.sWhat = L"Invoice ";
            e.sDate = dayMonth + L"2024";
            e.incType = RecurrenceKind::MonthDay;
            e.interval = 1;
            e.dayPointer = -1;
        } else if (kind < 995) {  // weekly, fortnightly
            e.sWhat = L"Weekly ";
            e.sDate = dayMonth + L"2024";
            e.dayTime = 18 * 3600.0;
            e.incType = RecurrenceKind::Days;
            e.interval = kind < 950 ? 7 : 14;
        } else {  // daily
            e.sWhat = L"Daily ";
            e.sDate = L"01.01.2024";
            e.dayTime = 7 * 3600.0;
            e.incType = RecurrenceKind::Days;
            e.interval = 1;
        }
        dictionary.slot(e.sKey) = e;
    }
    return dictionary;
}

const Dictionary& dictionaryOf(int entries) {
    static std::map<int, Dictionary> made;
    auto found = made.find(entries);
    if (found == made.end()) {
        found = made.emplace(entries, realisticDictionary(entries)).first;
    }
    return found->second;
}

// Writes the report as a program writes a file: UTF-16 bytes through a buffer of 256 KiB that
// goes to the null device whenever it is full.
class EncodingSink : public PreviewSink {
  public:
    EncodingSink() : device_(std::fopen("/dev/null", "wb")) { bytes_.reserve(kBufferBytes); }
    ~EncodingSink() override {
        if (device_ != nullptr) {
            std::fclose(device_);
        }
    }
    EncodingSink(const EncodingSink&) = delete;
    EncodingSink& operator=(const EncodingSink&) = delete;

    void header(const std::wstring& text) override {
        bytes_.clear();
        written_ = 0;
        append(text);
    }
    void numberedLine(const std::wstring& text) override {
        append(text);
        ++lines;
    }
    // Every byte of the report so far, written or still in the buffer.
    std::size_t size() const { return written_ + bytes_.size(); }
    std::size_t lines = 0;

  private:
    static constexpr std::size_t kBufferBytes = 256 * 1024;

    void append(const std::wstring& text) {
        for (std::size_t done = 0; done < text.size();) {
            if (bytes_.size() + 8 > kBufferBytes) {
                flush();
            }
            const std::size_t room = (kBufferBytes - bytes_.size()) / 4;
            const std::size_t count = std::min(room, text.size() - done);
            encode(std::wstring_view(text).substr(done, count));
            done += count;
        }
    }
    // Grows the buffer once per piece and writes the code units in place.
    void encode(std::wstring_view text) {
        const std::size_t at = bytes_.size();
        bytes_.resize(at + 4 * text.size());
        char* out = bytes_.data() + at;
        for (const wchar_t c : text) {
            const auto unit = static_cast<std::uint32_t>(c);
            if (unit >= 0x10000) {
                const std::uint32_t v = unit - 0x10000;
                out = appendUnit(out, 0xD800 + (v >> 10));
                out = appendUnit(out, 0xDC00 + (v & 0x3FF));
            } else {
                out = appendUnit(out, unit);
            }
        }
        bytes_.resize(static_cast<std::size_t>(out - bytes_.data()));
    }
    void flush() {
        if (device_ != nullptr) {
            std::fwrite(bytes_.data(), 1, bytes_.size(), device_);
        }
        written_ += bytes_.size();
        bytes_.clear();
    }
    static char* appendUnit(char* out, std::uint32_t unit) {
        out[0] = static_cast<char>(unit & 0xFF);
        out[1] = static_cast<char>(unit >> 8);
        return out + 2;
    }
    std::FILE* device_;
    std::string bytes_;
    std::size_t written_ = 0;
};

double secondsOf(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The literal scan's time for a piece of work, measured once per run.
double literalSeconds(const std::string& name, const std::function<void()>& work) {
    static std::map<std::string, double> measured;
    auto found = measured.find(name);
    if (found == measured.end()) {
        found = measured.emplace(name, secondsOf(work)).first;
    }
    return found->second;
}

// Runs the benchmark's loop and puts the ratio to the literal scan into its counters; answers
// the mean time of one run.
double runAgainstLiteral(benchmark::State& state, double literal,
                         const std::function<void()>& work) {
    double total = 0.0;
    for (auto _ : state) {
        total += secondsOf(work);
    }
    const double mean = total / static_cast<double>(state.iterations());
    state.counters["literal_s"] = literal;
    state.counters["vs_literal"] = literal / mean;
    return mean;
}

void encodeLiteralPreview(Dictionary& dictionary, std::int32_t days, bool lookBack) {
    const PreviewResult result =
        literal::eventPreview(dictionary, kNow, days, lookBack, L"", englishTables());
    EncodingSink sink;
    sink.header(result.reportText);
    benchmark::DoNotOptimize(sink.size());
}

// The day scan as the program ran it before it walked occurrences: every day, every entry, the
// event computed on a copy of the whole entry. Timed for the cases where it takes seconds, not
// minutes.
void encodeCopyingPreview(Dictionary& dictionary, std::int32_t days, bool lookBack) {
    const SecondsOfDay time = secondsOfDay(kNow);
    double dayCursor = momentOf(todayDayNumber(kNow), time);
    std::vector<std::wstring> found;
    for (std::int32_t i = 0; i <= days && (!lookBack || dayCursor >= 0.0); ++i) {
        const DayMonthYear cursorDate = dateOfSeconds(dayCursor);
        const double dayStart = dayCursor - time;
        const ReminderTextContext context{englishTables(), kNow, true, cursorDate};
        for (auto& [key, entry] : dictionary) {
            ReminderEntry copy = entry;
            computeEvent(copy, cursorDate);
            const double t = copy.nextEventTimeSec;
            if (t < kNeverSec && t >= dayStart && t < dayStart + kSecondsPerDay) {
                entry.triggerEventTimeSec = t;
                found.push_back(reminderLine(entry, context));
            }
        }
        dayCursor += lookBack ? -kSecondsPerDay : kSecondsPerDay;
    }
    std::wstring text = L"header\n";
    std::vector<std::wstring> logLines;
    appendNumberedLines(found, text, logLines);
    EncodingSink sink;
    sink.header(text);
    benchmark::DoNotOptimize(sink.size());
}

void BM_Preview(benchmark::State& state) {
    const auto days = static_cast<std::int32_t>(state.range(0));
    const auto entries = static_cast<int>(state.range(1));
    const bool lookBack = state.range(2) != 0;
    Dictionary dictionary = dictionaryOf(entries);
    const double literal =
        literalSeconds("preview " + std::to_string(days) + " " + std::to_string(entries) + " " +
                           std::to_string(lookBack),
                       [&] { encodeLiteralPreview(dictionary, days, lookBack); });
    EncodingSink sink;
    const double mean = runAgainstLiteral(state, literal, [&] {
        sink.lines = 0;
        writeEventPreview(dictionary, kNow, days, lookBack, L"", englishTables(), sink);
        benchmark::DoNotOptimize(sink.size());
    });
    state.counters["lines"] = static_cast<double>(sink.lines);
    state.counters["MB_utf16"] = static_cast<double>(sink.size()) / 1e6;
    if (static_cast<std::int64_t>(days) * entries <= 10000000) {
        const double copying =
            literalSeconds("copying " + std::to_string(days) + " " + std::to_string(entries) + " " +
                               std::to_string(lookBack),
                           [&] { encodeCopyingPreview(dictionary, days, lookBack); });
        state.counters["vs_copying_literal"] = copying / mean;
    }
}

BENCHMARK(BM_Preview)
    ->ArgNames({"days", "entries", "lookBack"})
    ->Args({12, 10000, 0})
    ->Args({366, 10000, 0})
    ->Args({1000, 10000, 0})
    ->Args({1000, 10000, 1})
    ->Args({12, 100000, 0})
    ->Args({366, 100000, 0})
    ->Args({1000, 100000, 0})
    ->Unit(benchmark::kMillisecond);

ScanDay startOf(const LocalTime& now) {
    return ScanDay{nowSeconds(now), secondsOfDay(now)};
}

// The next event of every entry over the whole million days. The walk of every entry would
// take hours (a past single date walks all million days), so the literal time is that of every
// 500th entry, times 500.
void BM_NextEventOfEveryEntry(benchmark::State& state) {
    const auto entries = static_cast<int>(state.range(0));
    Dictionary dictionary = dictionaryOf(entries);
    constexpr int kSampleStep = 500;
    const double literal = kSampleStep * literalSeconds("next " + std::to_string(entries), [&] {
                               int i = 0;
                               for (auto& [key, entry] : dictionary) {
                                   if (i++ % kSampleStep == 0) {
                                       benchmark::DoNotOptimize(literal::walkForEventDay(
                                           entry, startOf(kNow), false, kEventSearchDays));
                                   }
                               }
                           });
    runAgainstLiteral(state, literal, [&] {
        std::size_t found = 0;
        for (auto& [key, entry] : dictionary) {
            found += findEventDay(entry, startOf(kNow), false) ? 1u : 0u;
        }
        benchmark::DoNotOptimize(found);
    });
}

BENCHMARK(BM_NextEventOfEveryEntry)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_DateSimulation(benchmark::State& state) {
    const auto entries = static_cast<int>(state.range(0));
    Dictionary dictionary = dictionaryOf(entries);
    const double literal = literalSeconds("date " + std::to_string(entries), [&] {
        std::vector<std::wstring> lines;
        const double secondsOfDay = 8 * 3600.0 + 30 * 60.0;
        literal::scanOneDay(
            dictionary,
            ScanDay{dayNumberOf(3, 2, 2027) * kSecondsPerDay + secondsOfDay, secondsOfDay}, L"",
            englishTables(), kNow, lines);
        benchmark::DoNotOptimize(lines.size());
    });
    runAgainstLiteral(state, literal, [&] {
        benchmark::DoNotOptimize(
            dateSimulation(dictionary, L"03.02.2027", kNow, englishTables()).text.size());
    });
}

BENCHMARK(BM_DateSimulation)->Arg(100000)->Unit(benchmark::kMillisecond);

// Key searches that find nothing in a million days, the slowest kinds of work the search has:
// month grids whose event never lies in its month (33,000 months), with a time of day that
// rounds differently as event times grow, and a daily grid that does the same.
void BM_WorstKeySearch(benchmark::State& state) {
    ReminderEntry entry;
    entry.sDate = L"15.01.2000";
    entry.dayPointer = -1;
    const int which = static_cast<int>(state.range(0));
    const RecurrenceKind kinds[] = {RecurrenceKind::Months, RecurrenceKind::MonthWeekday,
                                    RecurrenceKind::MonthWeekday, RecurrenceKind::Days,
                                    RecurrenceKind::Years};
    const double dayTimes[] = {40 * kSecondsPerDay, 40 * kSecondsPerDay - 1e-7, -3 * kSecondsPerDay,
                               -1e-7, 400 * kSecondsPerDay};
    entry.incType = kinds[which];
    entry.dayTime = dayTimes[which];
    entry.interval = 1;
    const bool backwards = state.range(1) != 0;
    const LocalTime start = backwards ? LocalTime{4600, 1, 1, 8, 30, 0, 0} : kNow;
    ReminderEntry walked = entry;
    const double literal =
        literalSeconds("worst " + std::to_string(which) + std::to_string(backwards), [&] {
            benchmark::DoNotOptimize(
                literal::walkForEventDay(walked, startOf(start), backwards, kEventSearchDays));
        });
    runAgainstLiteral(state, literal, [&] {
        benchmark::DoNotOptimize(findEventDay(entry, startOf(start), backwards));
    });
}

BENCHMARK(BM_WorstKeySearch)
    ->ArgNames({"case", "backwards"})
    ->ArgsProduct({{0, 1, 2, 3, 4}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tindlow
