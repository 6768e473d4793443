// The preview and the event search skip the days on which nothing can happen; the day-by-day
// scan visits them all. Generated entries of every kind, with odd dates, intervals, pointers and
// times of day, must give byte for byte the same report, the same order, the same trigger times
// and the same found days as the scan of every day.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "commands/event_search.h"
#include "model/calendar.h"
#include "model/text_forms.h"
#include "reports/event_preview.h"
#include "reports/literal_day_scan.h"

namespace tindlow {
namespace {

constexpr std::int32_t kMin32 = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax32 = std::numeric_limits<std::int32_t>::max();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

const std::wstring kFiles[] = {L"C:\\P\\_PeriodicEvents\\A.csv", L"C:\\P\\_PeriodicEvents\\B.csv",
                               L"C:\\P\\_SingleEvents\\A.csv"};

class EntryGenerator {
  public:
    // monthEndPercent: how often an entry is a Months entry on the 29th to 31st with a small
    // interval, whose occurrences run over into the next month in the shorter months.
    explicit EntryGenerator(std::uint64_t seed, int monthEndPercent = 0)
        : random_(seed), monthEndPercent_(monthEndPercent) {}

    std::int64_t between(std::int64_t low, std::int64_t high) {
        return std::uniform_int_distribution<std::int64_t>(low, high)(random_);
    }
    bool chance(int percent) { return between(1, 100) <= percent; }
    template <typename T, std::size_t N>
    const T& oneOf(const T (&values)[N]) {
        return values[static_cast<std::size_t>(between(0, static_cast<std::int64_t>(N) - 1))];
    }

    ReminderEntry entry(const std::wstring& key) {
        ReminderEntry e;
        e.sKey = key;
        e.sWhat = chance(30) ? L"Since %diff years " : L"What ";
        e.sText = L"text";
        e.sRowNumber = intText(between(2, 99));
        e.sFile = oneOf(kFiles);
        e.incType = RecurrenceKind{kind()};
        e.interval = interval();
        e.dayPointer = dayPointer();
        e.sDate = dateText();
        e.dayTime = dayTime();
        e.nextEventTimeSec = storedEventTime();
        if (monthEndPercent_ > 0 && chance(monthEndPercent_)) {
            static const std::int32_t kIntervals[] = {1, 1, 1, 1, -1, 2, 3, -3, 5, 12};
            e.incType = RecurrenceKind::Months;
            e.interval = oneOf(kIntervals);
            e.sDate = intText(between(29, 31)) + L"." + intText(between(1, 12)) + L"." +
                      intText(chance(80) ? between(1901, 2999) : between(1850, 1900));
        }
        return e;
    }

    LocalTime now() {
        LocalTime t;
        const int choice = static_cast<int>(between(0, 9));
        if (choice <= 5) {
            setDate(t, between(1, 401767));  // 1901 .. 2999
        } else if (choice == 6) {
            setDate(t, between(kFirstClampedDayNumber - 1200, kFirstClampedDayNumber - 1));
        } else if (choice == 7) {
            // Before 1901: day numbers below 1, down to the calendar's lower limit.
            t.day = static_cast<int>(between(1, 31));
            t.month = static_cast<int>(between(1, 12));
            t.year = static_cast<int>(chance(50) ? between(1895, 1900) : between(-1000, 1900));
        } else if (choice == 8) {
            // Early days, where event times are small enough for a time of day just before
            // a midnight to round differently from later days.
            setDate(t, chance(50) ? between(1, 400) : between(1, 1100));
        } else {
            setDate(t, between(1, 999999));
        }
        t.hour = static_cast<int>(between(0, 23));
        t.minute = static_cast<int>(between(0, 59));
        t.second = static_cast<int>(between(0, 59));
        if (chance(3)) {
            // A clock that gives odd fields: the day cursor moves into other days.
            t.hour = static_cast<int>(between(-60, 60));
            t.minute = static_cast<int>(between(-3000, 3000));
        }
        return t;
    }

    std::int32_t days() {
        const int choice = static_cast<int>(between(0, 99));
        if (choice < 75) {
            return static_cast<std::int32_t>(between(0, 40));
        }
        if (choice < 97) {
            return static_cast<std::int32_t>(between(41, 200));
        }
        if (choice < 99) {
            return static_cast<std::int32_t>(between(201, 1000));
        }
        static const std::int32_t kOdd[] = {-5, kMin32, 1001, kMax32};
        return oneOf(kOdd);
    }

  private:
    static void setDate(LocalTime& t, std::int64_t dayNumber) {
        const DayMonthYear date = dateOfDayNumber(static_cast<std::int32_t>(dayNumber));
        t.day = date.day;
        t.month = date.month;
        t.year = date.year;
    }

    std::int32_t kind() {
        static const std::int32_t kKinds[] = {0, 1, 2, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, -1};
        return oneOf(kKinds);
    }

    std::int32_t interval() {
        const int choice = static_cast<int>(between(0, 19));
        if (choice < 10) {
            return static_cast<std::int32_t>(between(1, 40));
        }
        if (choice < 13) {
            return static_cast<std::int32_t>(-between(1, 40));
        }
        static const std::int32_t kOdd[] = {0,      0,      365,     1461,      10000,
                                            100000, 999999, 1 << 20, -1461,     -99999,
                                            kMin32, kMax32, -kMax32, kMin32 + 1};
        return oneOf(kOdd);
    }

    std::int32_t dayPointer() {
        static const std::int32_t kPointers[] = {0,   1,  2,  3,       4,      5,      6,
                                                 -1,  -2, -3, -4,      -5,     -6,     31,
                                                 -31, 7,  -7, 1000000, kMax32, kMin32, -32};
        return oneOf(kPointers);
    }

    std::wstring dateText() {
        const int choice = static_cast<int>(between(0, 19));
        const std::int64_t day = between(1, 28);
        const std::int64_t month = between(1, 12);
        const std::wstring dm = intText(day) + L"." + intText(month) + L".";
        if (choice < 8) {
            return dm + intText(between(1901, 2099));
        }
        static const wchar_t* const kOdd[] = {
            L"31.01.2024",
            L"31.03.1999",
            L"31.12.2030",
            L"29.02.2024",
            L"29.02.2023",
            L"0.5.2020",
            L"99.5.2020",
            L"15.13.2020",
            L"15.0.2020",
            L"",
            L"abc",
            L"12.05",
            L"..",
            L"1.1.1901",
            L"31.12.1900",
            L"30.12.1900",
            L"1.1.1",
            L"7.7.-500",
            L"5.5.99999",
            L"2147483647.1.2000",
            L"1.2147483647.2000",
            L"1.1.2147483647",
            L" 3 . 4 . 2025 ",
            L"-5.3.2020",
            L"31.12.2999",
            L"1.1.4638",
            L"15.6.4637",
        };
        if (choice < 14) {
            return oneOf(kOdd);
        }
        if (choice < 17) {
            return dm + intText(between(1500, 1900));
        }
        return dm + intText(between(2100, 5000));
    }

    double dayTime() {
        const int choice = static_cast<int>(between(0, 21));
        if (choice < 8) {
            return static_cast<double>(between(0, 86399));
        }
        if (choice < 10) {
            return static_cast<double>(between(0, 86399)) + 0.5;
        }
        if (choice == 10) {
            return static_cast<double>(-between(1, 86400 * 3));
        }
        if (choice == 11) {
            return static_cast<double>(between(86400, 86400 * 40));
        }
        if (choice == 12) {
            // Several days, also whole grid periods away.
            return static_cast<double>(between(-400, 400)) * 86400.0 +
                   static_cast<double>(between(0, 86399));
        }
        if (choice == 13 || choice >= 20) {
            // Close to a midnight, where rounding decides the day.
            static const double kNear[] = {1e-5,  -1e-5, 1e-9,  -1e-9, -3e-10, -1e-7,
                                           -1e-6, 5e-5,  -5e-5, 2e-4,  -2e-4};
            return static_cast<double>(between(-3, 3)) * 86400.0 + oneOf(kNear);
        }
        if (choice == 14) {
            const double base = static_cast<double>(between(-3, 3)) * 86400.0;
            return chance(50) ? std::nextafter(base, kInf) : std::nextafter(base, -kInf);
        }
        static const double kOdd[] = {kNaN,     kInf,  -kInf,     1e15,      -1e15,
                                      1e20,     -1e20, 1.7e14,    -1.7e14,   86400.0,
                                      -86400.0, 0.0,   86399.999, 1e13 + 0.5};
        return oneOf(kOdd);
    }

    double storedEventTime() {
        const int choice = static_cast<int>(between(0, 9));
        if (choice < 4) {
            return static_cast<double>(between(-1000, 1200000)) * 86400.0 +
                   static_cast<double>(between(0, 86399));
        }
        static const double kOdd[] = {0.0, kNeverSec, -kNeverSec, kNaN, kInf, -kInf, 1e-3, -1.0};
        return oneOf(kOdd);
    }

    std::mt19937_64 random_;
    int monthEndPercent_ = 0;
};

std::string narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end());
}

std::string found(const std::optional<DayMonthYear>& day, const ReminderEntry& entry) {
    return day ? narrow(formatDate(*day) + L" " + formatDateTime(entry.triggerEventTimeSec)) : "-";
}

std::string describe(const ReminderEntry& e) {
    std::ostringstream out;
    out.precision(17);
    out << "key " << narrow(e.sKey) << " incType " << number(e.incType) << " interval "
        << e.interval << " dayPointer " << e.dayPointer << " sDate '" << narrow(e.sDate)
        << "' dayTime " << e.dayTime << " nextEventTimeSec " << e.nextEventTimeSec << " file "
        << narrow(e.sFile);
    return out.str();
}

std::string describe(const LocalTime& t) {
    std::ostringstream out;
    out << t.day << "." << t.month << "." << t.year << " " << t.hour << ":" << t.minute << ":"
        << t.second << " (day " << todayDayNumber(t) << ")";
    return out.str();
}

std::string describe(const Dictionary& dictionary) {
    std::string text;
    for (const auto& [key, entry] : dictionary) {
        text += "\n  " + describe(entry);
    }
    return text;
}

bool sameTime(double a, double b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

ScanDay scanDayOf(const LocalTime& now) {
    return ScanDay{nowSeconds(now), secondsOfDay(now)};
}

// The first difference between the two runs, or nothing.
std::string previewDifference(const PreviewResult& fast, const PreviewResult& literal,
                              const Dictionary& fastDictionary,
                              const Dictionary& literalDictionary) {
    const std::size_t common = std::min(fast.logLines.size(), literal.logLines.size());
    for (std::size_t i = 0; i < common; ++i) {
        if (fast.logLines[i] != literal.logLines[i]) {
            std::wostringstream out;
            out << L"line " << i << L":\n  fast    " << fast.logLines[i] << L"  literal "
                << literal.logLines[i];
            return narrow(out.str());
        }
    }
    if (fast.logLines.size() != literal.logLines.size()) {
        return "line count " + std::to_string(fast.logLines.size()) + " instead of " +
               std::to_string(literal.logLines.size());
    }
    if (fast.reportText != literal.reportText) {
        return "report text";
    }
    auto f = fastDictionary.begin();
    for (const auto& [key, entry] : literalDictionary) {
        if (!sameTime(f->second.triggerEventTimeSec, entry.triggerEventTimeSec)) {
            std::ostringstream out;
            out.precision(17);
            out << "triggerEventTimeSec " << f->second.triggerEventTimeSec << " instead of "
                << entry.triggerEventTimeSec << " for " << describe(entry);
            return out.str();
        }
        ++f;
    }
    return {};
}

// One run of the comparison: a few generated entries, a moment, a number of days, the
// direction, and (when `varied`) a file filter and the language; the preview and the literal
// day scan must agree. Answers the difference, with what the run was, or nothing.
std::string previewRunDifference(EntryGenerator& generate, int mostEntries, bool varied, int run) {
    Dictionary dictionary;
    const int entries = static_cast<int>(generate.between(1, mostEntries));
    for (int i = 0; i < entries; ++i) {
        const std::wstring key = L"[" + intText(generate.between(0, 99)) + L"]";
        dictionary.slot(key) = generate.entry(key);
    }
    const LocalTime now = generate.now();
    const std::int32_t days = generate.days();
    const bool lookBack = generate.chance(50);
    const std::wstring filter = varied && !generate.chance(80) ? kFiles[run % 3] : L"";
    const TextTables& texts = varied && run % 7 == 0 ? germanTables() : englishTables();

    Dictionary literalDictionary = dictionary;
    const PreviewResult fast = eventPreview(dictionary, now, days, lookBack, filter, texts);
    const PreviewResult literal =
        literal::eventPreview(literalDictionary, now, days, lookBack, filter, texts);
    const std::string difference = previewDifference(fast, literal, dictionary, literalDictionary);
    if (difference.empty()) {
        return difference;
    }
    std::ostringstream what;
    what << difference << "\nrun " << run << " now " << describe(now) << " days " << days
         << (lookBack ? " look-back" : " preview");
    if (varied) {
        what << " filter " << narrow(filter);
    }
    what << describe(literalDictionary);
    return what.str();
}

TEST(PreviewMatchesDayScan, OnGeneratedEntriesAndRanges) {
    for (const std::uint64_t seed : {1u, 2u, 3u}) {
        EntryGenerator generate(seed);
        for (int run = 0; run < 1700; ++run) {
            ASSERT_EQ(previewRunDifference(generate, 5, true, run), "") << "seed " << seed;
        }
    }
}

// Monthly entries on the last days of a month, whose occurrences run over into the next month
// where a month is shorter: the days up to such an occurrence and the rest of that month have
// different events.
TEST(PreviewMatchesDayScan, OnMonthlyEntriesThatRunOverTheMonthsEnd) {
    for (const std::uint64_t seed : {21u, 22u}) {
        EntryGenerator generate(seed, 70);
        for (int run = 0; run < 1200; ++run) {
            ASSERT_EQ(previewRunDifference(generate, 4, false, run), "") << "seed " << seed;
        }
    }
}

// The search, compared with the walk over ranges the walk can afford: up to a few leap cycles,
// so that the month kinds' periods (1461 days and more) are passed as well.
TEST(EventSearchMatchesDayWalk, OnGeneratedEntriesAndLimits) {
    for (const std::uint64_t seed : {11u, 12u, 13u}) {
        EntryGenerator generate(seed);
        for (int run = 0; run < 2500; ++run) {
            const ReminderEntry entry = generate.entry(L"[k]");
            const LocalTime now = generate.now();
            const bool backwards = generate.chance(50);
            const std::int32_t limit = static_cast<std::int32_t>(
                generate.chance(92) ? generate.between(0, 120)
                                    : generate.between(121, generate.chance(85) ? 1500 : 11000));
            ReminderEntry fast = entry;
            ReminderEntry walked = entry;
            const auto byEngine = findEventDay(fast, scanDayOf(now), backwards, limit);
            const auto byWalk = literal::walkForEventDay(walked, scanDayOf(now), backwards, limit);
            ASSERT_TRUE(byEngine == byWalk &&
                        sameTime(fast.triggerEventTimeSec, walked.triggerEventTimeSec))
                << "seed " << seed << " run " << run << " now " << describe(now)
                << (backwards ? " backwards" : " forwards") << " limit " << limit << " found "
                << found(byEngine, fast) << " instead of " << found(byWalk, walked) << "\n  "
                << describe(entry);
        }
    }
}

TEST(EventSearchMatchesDayWalk, OnMonthlyEntriesThatRunOverTheMonthsEnd) {
    for (const std::uint64_t seed : {31u, 32u}) {
        EntryGenerator generate(seed, 85);
        for (int run = 0; run < 1500; ++run) {
            const ReminderEntry entry = generate.entry(L"[k]");
            const LocalTime now = generate.now();
            const bool backwards = generate.chance(50);
            const std::int32_t limit = static_cast<std::int32_t>(
                generate.chance(85) ? generate.between(0, 120) : generate.between(121, 3000));
            ReminderEntry fast = entry;
            ReminderEntry walked = entry;
            const auto byEngine = findEventDay(fast, scanDayOf(now), backwards, limit);
            const auto byWalk = literal::walkForEventDay(walked, scanDayOf(now), backwards, limit);
            ASSERT_TRUE(byEngine == byWalk &&
                        sameTime(fast.triggerEventTimeSec, walked.triggerEventTimeSec))
                << "seed " << seed << " run " << run << " now " << describe(now)
                << (backwards ? " backwards" : " forwards") << " limit " << limit << " found "
                << found(byEngine, fast) << " instead of " << found(byWalk, walked) << "\n  "
                << describe(entry);
        }
    }
}

// A few searches over the whole million days, where the walk visits every one of them.
TEST(EventSearchMatchesDayWalk, OverTheWholeRange) {
    const struct {
        const char* what;
        const wchar_t* date;
        double dayTime;
        std::int32_t incType;
        std::int32_t interval;
        std::int32_t startDay;
        bool backwards;
    } kCases[] = {
        // 40 days after each month's date: never within that month.
        {"monthly, never", L"15.01.2000", 40 * kSecondsPerDay, 3, 1, 45000, false},
        // Once in 990000 days: the second event lies near the end of the range.
        {"days, far apart", L"01.01.1901", 3600, 2, 990000, 45000, false},
        // Back to the beginning of the calendar without a match.
        {"month weekday, never", L"07.03.2024", -3 * kSecondsPerDay, 5, 1, 999000, true},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        ReminderEntry walked;
        walked.sDate = c.date;
        walked.dayTime = c.dayTime;
        walked.incType = RecurrenceKind{c.incType};
        walked.interval = c.interval;
        walked.dayPointer = 1;
        ReminderEntry searched = walked;
        const double secondsOfDay = 8 * 3600.0;
        const ScanDay from{c.startDay * kSecondsPerDay + secondsOfDay, secondsOfDay};
        const auto byWalk = literal::walkForEventDay(walked, from, c.backwards, kEventSearchDays);
        EXPECT_EQ(findEventDay(searched, from, c.backwards), byWalk);
        EXPECT_EQ(searched.triggerEventTimeSec, walked.triggerEventTimeSec);
    }
}

}  // namespace
}  // namespace tindlow
