#include <gtest/gtest.h>

#include <climits>

#include "model/calendar.h"
#include "model/text_forms.h"
#include "reports/event_preview.h"

namespace tindlow {
namespace {

const std::wstring kFile = L"C:\\P\\_PeriodicEvents\\Team.csv";
const LocalTime kNow{2026, 12, 9, 8, 30, 0, 0};

ReminderEntry entry(const std::wstring& key, const std::wstring& date, double dayTime,
                    std::int32_t incType, std::int32_t interval, const std::wstring& file = kFile) {
    ReminderEntry e;
    e.sKey = key;
    e.sWhat = L"What ";
    e.sText = L"text";
    e.sDate = date;
    e.dayTime = dayTime;
    e.incType = RecurrenceKind{incType};
    e.interval = interval;
    e.sFile = file;
    e.sRowNumber = L"2";
    return e;
}

ReminderEntry daily(const std::wstring& key, double dayTime, const std::wstring& file = kFile) {
    return entry(key, L"01.01.2020", dayTime, 2, 1, file);
}

ReminderEntry single(const std::wstring& key, const std::wstring& date, double dayTime) {
    return entry(key, date, dayTime, 1, INT32_MAX);
}

void add(Dictionary& dictionary, const ReminderEntry& e) {
    dictionary.slot(e.sKey) = e;
}

// The keys of the lines, in the order of the run.
std::vector<std::wstring> keysOf(const PreviewResult& result) {
    std::vector<std::wstring> keys;
    for (const std::wstring& line : result.logLines) {
        const auto at = line.rfind(L"[Key: ");
        keys.push_back(line.substr(at + 6, line.size() - at - 8));  // without "]\n"
    }
    return keys;
}

std::wstring dateText(std::int32_t dayNumber) {
    return formatDate(dateOfDayNumber(dayNumber));
}

TEST(EventPreview, AnEmptyRunIsTheHeaderAlone) {
    const struct {
        bool lookBack;
        bool german;
        const wchar_t* header;
    } kCases[] = {
        {false, false, L"Event Preview 11 days:\n"},
        {true, false, L"Event Loop-back 11 days:\n"},
        {false, true, L"Ereignis Vorschau 11 Tage:\n"},
        {true, true, L"Ereignis R\u00fcckschau 11 Tage:\n"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.header);
        Dictionary none;
        const PreviewResult result = eventPreview(none, kNow, 11, c.lookBack, L"",
                                                  c.german ? germanTables() : englishTables());
        EXPECT_EQ(result.reportText, c.header);
        EXPECT_TRUE(result.logLines.empty());
    }
}

TEST(EventPreview, ADailyEventGivesOneLinePerDayWithThatDaysTriggerDate) {
    Dictionary dictionary;
    add(dictionary, daily(L"[d]", 36000));
    const std::int32_t today = todayDayNumber(kNow);
    for (const bool lookBack : {false, true}) {
        SCOPED_TRACE(lookBack);
        const PreviewResult result =
            eventPreview(dictionary, kNow, 3, lookBack, L"", englishTables());
        ASSERT_EQ(result.logLines.size(), 4u);
        std::wstring report = lookBack ? L"Event Loop-back 3 days:\n" : L"Event Preview 3 days:\n";
        for (int i = 0; i < 4; ++i) {
            const std::wstring expected =
                L"0" + intText(i + 1) +
                L") Event: What text [Input Date: 01.01.2020] [Trigger Date: " +
                dateText(lookBack ? today - i : today + i) +
                L" 10:00:00] [File: C:\\P\\_PeriodicEvents\\Team.csv] [Line: 2] [Key: [d]]\n";
            EXPECT_EQ(result.logLines[static_cast<std::size_t>(i)], expected);
            report += expected;
        }
        EXPECT_EQ(result.reportText, report);
    }
}

TEST(EventPreview, AnEventBelongsToTheDayWhoseMidnightBeginsIt) {
    // Today 09.12.2026 08:30, two further days.
    const struct {
        bool lookBack;
        const wchar_t* date;
        double dayTime;
        bool found;
    } kCases[] = {
        {false, L"09.12.2026", 0, true},  // today, already past
        {false, L"09.12.2026", 86399, true}, {false, L"11.12.2026", 86399, true},
        {false, L"12.12.2026", 0, false},    {false, L"08.12.2026", 86399, false},
        {true, L"09.12.2026", 86399, true},  // today, still to come
        {true, L"07.12.2026", 0, true},      {true, L"06.12.2026", 86399, false},
        {true, L"10.12.2026", 0, false},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(std::wstring(c.date) + L" " + formatTimeOfDay(c.dayTime) +
                     (c.lookBack ? L" look-back" : L" preview"));
        Dictionary dictionary;
        add(dictionary, single(L"[s]", c.date, c.dayTime));
        const PreviewResult result =
            eventPreview(dictionary, kNow, 2, c.lookBack, L"", englishTables());
        ASSERT_EQ(result.logLines.size(), c.found ? 1u : 0u);
        if (c.found) {
            EXPECT_NE(result.logLines[0].find(L"[Trigger Date: " + std::wstring(c.date) + L" " +
                                              formatTimeOfDay(c.dayTime) + L"]"),
                      std::wstring::npos);
        }
    }
}

TEST(EventPreview, LinesAreOrderedByDayThenByKey) {
    Dictionary dictionary;
    add(dictionary, single(L"[a]", L"10.12.2026", 0));
    add(dictionary, single(L"[b]", L"09.12.2026", 72000));
    add(dictionary, single(L"[c]", L"09.12.2026", 21600));
    add(dictionary, single(L"[e]", L"08.12.2026", 0));
    EXPECT_EQ(keysOf(eventPreview(dictionary, kNow, 1, false, L"", englishTables())),
              (std::vector<std::wstring>{L"[b]", L"[c]", L"[a]"}));
    EXPECT_EQ(keysOf(eventPreview(dictionary, kNow, 1, true, L"", englishTables())),
              (std::vector<std::wstring>{L"[b]", L"[c]", L"[e]"}));
}

TEST(EventPreview, TheFileFilterIsExactAndCaseSensitive) {
    const std::wstring single = L"C:\\P\\_SingleEvents\\Team.csv";
    Dictionary dictionary;
    add(dictionary, daily(L"[a]", 36000, single));
    add(dictionary, daily(L"[b]", 36000, kFile));
    add(dictionary, daily(L"[c]", 36000, L"C:\\P\\_SingleEvents\\team.csv"));
    const struct {
        std::wstring filter;
        std::vector<std::wstring> keys;
    } kCases[] = {
        {L"", {L"[a]", L"[b]", L"[c]"}},         {single, {L"[a]"}}, {kFile, {L"[b]"}},
        {L"C:\\P\\_SingleEvents\\TEAM.csv", {}}, {L"Team.csv", {}},  {single + L" ", {}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.filter);
        EXPECT_EQ(keysOf(eventPreview(dictionary, kNow, 0, false, c.filter, englishTables())),
                  c.keys);
    }
}

TEST(EventPreview, OnlyTheTriggerTimeOfTheFoundEntriesChanges) {
    Dictionary dictionary;
    ReminderEntry found = daily(L"[d]", 36000);
    found.nextEventTimeSec = 123.0;
    found.nextAskSec = 456.0;
    found.remindMatrix = 5;
    add(dictionary, found);
    add(dictionary, single(L"[old]", L"01.01.2000", 0));
    eventPreview(dictionary, kNow, 3, false, L"", englishTables());

    const ReminderEntry& after = *dictionary.find(L"[d]");
    // The last day of the run that found it.
    EXPECT_EQ(after.triggerEventTimeSec, (todayDayNumber(kNow) + 3) * kSecondsPerDay + 36000);
    EXPECT_EQ(after.nextEventTimeSec, 123.0);
    EXPECT_EQ(after.nextAskSec, 456.0);
    EXPECT_EQ(after.remindMatrix, 5u);
    EXPECT_EQ(dictionary.find(L"[old]")->triggerEventTimeSec, 0.0);
}

TEST(EventPreview, DiffCountsFromTheYearOfTheDayUnderScan) {
    Dictionary dictionary;
    ReminderEntry birthday = entry(L"[b]", L"02.01.1957", 0, 4, 1);
    birthday.sWhat = L"Birthday of Anna (%diff) ";
    add(dictionary, birthday);
    const LocalTime newYearsEve{2026, 12, 30, 20, 0, 0, 0};
    const PreviewResult result =
        eventPreview(dictionary, newYearsEve, 5, false, L"", englishTables());
    ASSERT_EQ(result.logLines.size(), 1u);
    EXPECT_NE(result.logLines[0].find(L"Birthday of Anna (70) text"), std::wstring::npos);
    EXPECT_NE(result.logLines[0].find(L"[Trigger Date: 02.01.2027 00:00:00]"), std::wstring::npos);
}

TEST(EventPreview, NumbersHaveAtLeastTwoDigits) {
    Dictionary dictionary;
    add(dictionary, daily(L"[d]", 0));
    const PreviewResult result = eventPreview(dictionary, kNow, 99, false, L"", englishTables());
    ASSERT_EQ(result.logLines.size(), 100u);
    EXPECT_EQ(result.logLines[0].substr(0, 4), L"01) ");
    EXPECT_EQ(result.logLines[9].substr(0, 4), L"10) ");
    EXPECT_EQ(result.logLines[99].substr(0, 5), L"100) ");
}

TEST(EventPreview, ADaysValueOutOfAllReasonIsLimited) {
    Dictionary dictionary;
    add(dictionary, daily(L"[d]", 0));
    const struct {
        std::int32_t days;
        std::int32_t used;
    } kCases[] = {
        {INT32_MIN, 0}, {-5, 0}, {0, 0}, {1000, 1000}, {1001, 1000}, {99999999, 1000},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.days);
        const PreviewResult result =
            eventPreview(dictionary, kNow, c.days, true, L"", englishTables());
        EXPECT_EQ(result.reportText.substr(0, result.reportText.find(L'\n')),
                  L"Event Loop-back " + intText(c.used) + L" days:");
        EXPECT_EQ(result.logLines.size(), static_cast<std::size_t>(c.used) + 1);
    }
}

TEST(EventPreview, TheLookBackEndsAtTheBeginningOfTheCalendar) {
    Dictionary dictionary;
    add(dictionary, single(L"[first]", L"01.01.1901", 43200));
    // Before the calendar's day 0: a day cursor below zero is never scanned.
    add(dictionary, single(L"[before]", L"30.12.1900", 43200));
    const LocalTime early{1901, 1, 2, 8, 30, 0, 0};
    EXPECT_EQ(keysOf(eventPreview(dictionary, early, 11, true, L"", englishTables())),
              (std::vector<std::wstring>{L"[first]"}));
}

TEST(EventPreview, APreviewFromBeforeTheCalendarScansAllItsDays) {
    Dictionary dictionary;
    add(dictionary, single(L"[first]", L"01.01.1901", 43200));
    add(dictionary, single(L"[before]", L"30.12.1900", 43200));
    add(dictionary, single(L"[zero]", L"31.12.1900", 0));
    // 30.12.1900 is day -1: its day cursor lies below 0, yet the preview begins there.
    const LocalTime early{1900, 12, 30, 8, 30, 0, 0};
    EXPECT_EQ(keysOf(eventPreview(dictionary, early, 2, false, L"", englishTables())),
              (std::vector<std::wstring>{L"[before]", L"[zero]", L"[first]"}));
    // Far before it, on the calendar's lowest day number, the look-back finds nothing.
    Dictionary ancientEvent;
    add(ancientEvent, single(L"[a]", L"01.01.-3000", 3600));
    const LocalTime ancient{-3000, 1, 1, 8, 30, 0, 0};
    EXPECT_EQ(keysOf(eventPreview(ancientEvent, ancient, 4, false, L"", englishTables())),
              (std::vector<std::wstring>{L"[a]"}));
    EXPECT_TRUE(
        eventPreview(ancientEvent, ancient, 4, true, L"", englishTables()).logLines.empty());
}

// The trigger dates of the lines, in the order of the run.
std::vector<std::wstring> triggerDatesOf(const PreviewResult& result) {
    std::vector<std::wstring> dates;
    for (const std::wstring& line : result.logLines) {
        const auto at = line.find(L"[Trigger Date: ");
        dates.push_back(line.substr(at + 15, 10));
    }
    return dates;
}

// A monthly event on the 31st falls in every month: in a month without a 31st on the first
// days of the next month (31.11. is 01.12., 31.02.2027 is 03.03.2027), besides that month's own.
TEST(EventPreview, AMonthlyEventOnTheLastDaysShowsInEveryMonth) {
    Dictionary dictionary;
    add(dictionary, entry(L"[rent]", L"31.10.2026", 9 * 3600, 3, 1));
    const std::vector<std::wstring> kFirstSeven = {L"31.10.2026", L"01.12.2026", L"31.12.2026",
                                                   L"31.01.2027", L"03.03.2027", L"31.03.2027",
                                                   L"01.05.2027"};
    std::vector<std::wstring> year = kFirstSeven;
    for (const wchar_t* date :
         {L"31.05.2027", L"01.07.2027", L"31.07.2027", L"31.08.2027", L"01.10.2027"}) {
        year.push_back(date);
    }
    const std::vector<std::wstring> kFirstSevenBackwards(kFirstSeven.rbegin(), kFirstSeven.rend());
    const struct {
        const char* what;
        LocalTime now;
        std::int32_t days;
        bool lookBack;
        std::vector<std::wstring> dates;
    } kCases[] = {
        // 200 days from 25.10.2026 end on 13.05.2027.
        {"200 days", {2026, 10, 25, 8, 30, 0, 0}, 200, false, kFirstSeven},
        {"a year", {2026, 10, 25, 8, 30, 0, 0}, 365, false, year},
        {"200 days back", {2027, 5, 13, 20, 0, 0, 0}, 200, true, kFirstSevenBackwards},
        {"from the day that ran over",
         {2026, 12, 1, 23, 0, 0, 0},
         30,
         false,
         {L"01.12.2026", L"31.12.2026"}},
        {"back to the day that ran over", {2027, 3, 30, 8, 0, 0, 0}, 27, true, {L"03.03.2027"}},
        {"February alone", {2027, 2, 1, 8, 0, 0, 0}, 27, false, {}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(triggerDatesOf(
                      eventPreview(dictionary, c.now, c.days, c.lookBack, L"", englishTables())),
                  c.dates);
    }
}

TEST(ScanDay, AppendsTheLinesOfTheCursorsDay) {
    Dictionary dictionary;
    add(dictionary, daily(L"[d]", 36000));
    add(dictionary, single(L"[s]", L"15.03.2025", 30000));
    // 15.03.2025 at 17:00.
    const double secondsOfDay = 17 * 3600.0;
    const ScanDay day{dayNumberOf(15, 3, 2025) * kSecondsPerDay + secondsOfDay, secondsOfDay};
    std::vector<std::wstring> lines{L"earlier"};
    scanDay(dictionary, day, L"", englishTables(), kNow, lines);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], L"earlier");
    EXPECT_NE(lines[1].find(L"[Trigger Date: 15.03.2025 10:00:00]"), std::wstring::npos);
    EXPECT_NE(lines[2].find(L"[Trigger Date: 15.03.2025 08:20:00]"), std::wstring::npos);
}

}  // namespace
}  // namespace tindlow
