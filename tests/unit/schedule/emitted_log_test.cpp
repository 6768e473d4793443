#include <gtest/gtest.h>

#include "fakes/fake_file_system.h"
#include "model/calendar.h"
#include "model/text_files.h"
#include "schedule/emitted_log.h"
#include "schedule/event_computation.h"

namespace tindlow {
namespace {

const std::wstring kLog = L"C:\\P\\_EmittedReminders\\EmittedReminders.txt";

ReminderEntry entryWith(const std::wstring& key, std::uint32_t matrix, double lastOutput) {
    ReminderEntry entry;
    entry.sKey = key;
    entry.sWhat = L"Dentist ";
    entry.sText = L"at the clinic";
    entry.sFile = L"C:\\Rem\\_SingleEvents\\Health.csv";
    entry.sRowNumber = L"5";
    entry.remindMatrix = matrix;
    entry.lastOutputSec = lastOutput;
    entry.nextEventTimeSec = 3884234400.0;
    return entry;
}

TEST(EmittedLog, LineFormat) {
    EXPECT_EQ(
        emittedLogLine(L"[k]", entryWith(L"[k]", 1u << 30, 3884234405.0)),
        L"[k]<@@@>0100 0000 0000 0000 0000 0000 0000 0000<@@@>3884234405.00<@@@>3884234400.00<@@@> "
        L"[Key] "
        L"[remindMatrix] [lastOutputSec] weitere Informationen: Dentist at the clinic; Datei: "
        L"C:\\Rem\\_SingleEvents\\Health.csv; Zeile: 5");
}

TEST(EmittedLog, SaveWritesEntriesWithBitsInKeyOrderButNeverTheTestReminder) {
    FakeFileSystem files;
    files.addDirectory(L"C:\\P\\_EmittedReminders");
    Dictionary today;
    GivenReminders given;
    today.slot(L"[b]") = entryWith(L"[b]", 1, 100);
    today.slot(L"[a]") = entryWith(L"[a]", 2, 200);
    today.slot(L"[c]") = entryWith(L"[c]", 0, 0);
    today.slot(kTestReminderKey) = entryWith(kTestReminderKey, 1u << 30, 300);
    ASSERT_EQ(saveEmittedLog(files, kLog, today, given, 300, 259200), 0);
    const std::string bytes = *files.fileBytes(kLog);
    const auto a = bytes.find("[a]<@@@>");
    const auto b = bytes.find("[b]<@@@>");
    EXPECT_EQ(a, 0u);
    EXPECT_NE(b, std::string::npos);
    EXPECT_EQ(bytes.find("[c]"), std::string::npos);
    EXPECT_EQ(bytes.find("[06.11.2018"), std::string::npos);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
}

TEST(EmittedLog, FailedSaveKeepsTheOldFile) {
    FakeFileSystem files;
    files.addFile(kLog, "old");
    files.failWritesWith(replacementPath(kLog), 28);
    Dictionary today;
    GivenReminders given;
    today.slot(L"[a]") = entryWith(L"[a]", 1, 1);
    EXPECT_EQ(saveEmittedLog(files, kLog, today, given, 300, 259200), 28);
    EXPECT_EQ(files.fileBytes(kLog), "old");
}

TEST(EmittedLog, RestoreMergesBitsKeepsTheLaterTimeAndDropsOutdatedLines) {
    FakeFileSystem files;
    const double now = dayNumberOf(9, 12, 2026) * 86400.0 + 12 * 3600;
    auto line = [](const char* key, const char* matrix, double last) {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.2f", last);
        return std::string(key) + "<@@@>" + matrix + "<@@@>" + buffer + "<@@@> info\r\n";
    };
    const std::string content = line("[a]", "0000 0000 0000 0000 0000 0000 0000 0001", now - 3600) +
                                line("[a]", "0100 0000 0000 0000 0000 0000 0000 0000", now - 60) +
                                line("[gone]", "1", now - 60) + "no separator here\r\n" +
                                line("[old]", "1", now - 345601) +
                                line("[older]", "1", now - 345601) + line("[short]", "11", now - 5);
    files.addFile(kLog, content);
    Dictionary today;
    GivenReminders given;
    today.slot(L"[a]") = entryWith(L"[a]", 1u << 4, now - 7200);
    today.slot(L"[old]") = entryWith(L"[old]", 0, 0);
    today.slot(L"[short]") = entryWith(L"[short]", 0, 0);
    EXPECT_EQ(restoreEmittedLog(files, kLog, today, given, now, 259200), 0);
    EXPECT_EQ(today.find(L"[a]")->remindMatrix, (1u << 4) | 1u | (1u << 30));
    EXPECT_EQ(today.find(L"[a]")->lastOutputSec, now - 60);
    // Old, but still the state of the entry's current occurrence: restored, and kept in the
    // file, which the program may never save again before it ends. An old line of a key that
    // is not today's goes.
    EXPECT_EQ(today.find(L"[old]")->remindMatrix, 0x80000000u);
    EXPECT_EQ(today.find(L"[short]")->remindMatrix, 0xC0000000u);
    const std::string rewritten = *files.fileBytes(kLog);
    EXPECT_NE(rewritten.find("[old]"), std::string::npos);
    EXPECT_EQ(rewritten.find("[older]"), std::string::npos);
    EXPECT_EQ(rewritten.find("no separator"), std::string::npos);
    EXPECT_NE(rewritten.find("[gone]"), std::string::npos);
}

// A line restores its bits only into the occurrence they were given for: the one the entry had
// on the day of the line's last output.
TEST(EmittedLog, RestoreOnlyIntoTheOccurrenceTheRemindersWereGivenFor) {
    auto recurring = [](const wchar_t* date, std::int32_t incType, std::int32_t interval,
                        const DayMonthYear& today) {
        ReminderEntry entry = entryWith(L"[e]", 0, 0);
        entry.sDate = date;
        entry.dayTime = 10 * 3600;
        entry.preTrigger = 5 * 86400;
        entry.incType = RecurrenceKind{incType};
        entry.interval = interval;
        computeEvent(entry, today);
        return entry;
    };
    auto at = [](int day, int month, int hour) {
        return dayNumberOf(day, month, 2026) * 86400.0 + hour * 3600;
    };
    const struct {
        const char* name;
        const wchar_t* date;
        std::int32_t incType;
        std::int32_t interval;
        DayMonthYear today;
        double given;
        bool restored;
    } kCases[] = {
        {"daily, yesterday's", L"01.12.2026", 2, 1, {10, 12, 2026}, at(9, 12, 10), false},
        {"daily, today's", L"01.12.2026", 2, 1, {10, 12, 2026}, at(10, 12, 9), true},
        {"2-daily, event day", L"01.12.2026", 2, 2, {10, 12, 2026}, at(9, 12, 10), true},
        {"2-daily, before", L"01.12.2026", 2, 2, {11, 12, 2026}, at(9, 12, 23), false},
        {"monthly, a slot", L"20.01.2026", 3, 1, {18, 12, 2026}, at(16, 12, 8), true},
        {"monthly, last month", L"02.01.2026", 3, 1, {1, 12, 2026}, at(30, 11, 8), false},
        {"daily, days ago", L"01.12.2026", 2, 1, {10, 12, 2026}, at(5, 12, 10), false},
        // Given four days before the event: too old to stay in the file, but its bit belongs to
        // the occurrence that is still current.
        {"monthly, long ago", L"20.01.2026", 3, 1, {19, 12, 2026}, at(15, 12, 8), true},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        FakeFileSystem files;
        const std::string line = "[e]<@@@>0000 0000 0000 0000 0000 0000 0000 0001<@@@>" +
                                 std::to_string(static_cast<long long>(c.given)) +
                                 ".00<@@@> info\r\n";
        files.addFile(kLog, line);
        Dictionary today;
        GivenReminders given;
        today.slot(L"[e]") = recurring(c.date, c.incType, c.interval, c.today);
        const double now = dayNumberOf(c.today.day, c.today.month, c.today.year) * 86400.0 + 3600;
        EXPECT_EQ(restoreEmittedLog(files, kLog, today, given, now, 259200), 0);
        EXPECT_EQ(today.find(L"[e]")->remindMatrix, c.restored ? 1u : 0u);
        EXPECT_EQ(today.find(L"[e]")->lastOutputSec, c.restored ? c.given : 0.0);
        // A line stays while it is young or while its occurrence is current.
        const bool outdated = now > c.given + 259200 + 86400;
        EXPECT_EQ(files.fileBytes(kLog), outdated && !c.restored ? "" : line);
    }
}

TEST(EmittedLog, RestoreWithoutOutdatedLinesLeavesTheFileAlone) {
    FakeFileSystem files;
    files.addFile(kLog, "junk line\r\n[x]<@@@>1<@@@>100.00<@@@>\r\n");
    Dictionary today;
    GivenReminders given;
    EXPECT_EQ(restoreEmittedLog(files, kLog, today, given, 200, 259200), 0);
    EXPECT_EQ(files.fileBytes(kLog), "junk line\r\n[x]<@@@>1<@@@>100.00<@@@>\r\n");
    EXPECT_EQ(files.writeCount(kLog), 0);
}

TEST(EmittedLog, SaveAndRestoreRoundTrip) {
    FakeFileSystem files;
    files.addDirectory(L"C:\\P\\_EmittedReminders");
    Dictionary before;
    GivenReminders given;
    before.slot(L"[k]") = entryWith(L"[k]", 0x80000007u, 3884234405.0);
    GivenReminders restored;
    EXPECT_EQ(saveEmittedLog(files, kLog, before, given, 3884234405.0, 259200), 0);
    Dictionary after;
    after.slot(L"[k]") = entryWith(L"[k]", 0, 0);
    EXPECT_EQ(restoreEmittedLog(files, kLog, after, restored, 3884234405.0 + 10, 259200), 0);
    EXPECT_EQ(after.find(L"[k]")->remindMatrix, 0x80000007u);
    EXPECT_EQ(after.find(L"[k]")->lastOutputSec, 3884234405.0);
}

// A log line as the program writes it now: with the event time of the occurrence.
std::string lineFor(const char* key, std::uint32_t matrix, double lastOutput, double event) {
    char times[96];
    std::snprintf(times, sizeof times, "%.2f<@@@>%.2f", lastOutput, event);
    std::string bits;
    for (int bit = 31; bit >= 0; --bit) {
        bits += (matrix >> bit) & 1u ? '1' : '0';
    }
    return std::string(key) + "<@@@>" + bits + "<@@@>" + times + "<@@@> info\r\n";
}

// A line's bits go back only into the occurrence they were given for: an edited line whose event
// moved (to another time of the day, to another day) is reminded anew; one whose event stayed
// keeps its state, whatever else changed.
TEST(EmittedLog, RestoreOnlyIntoTheSameEventTime) {
    const double event = dayNumberOf(9, 12, 2026) * 86400.0 + 10 * 3600;
    const struct {
        const char* name;
        double entryEvent;
        bool restored;
    } kCases[] = {
        {"the same occurrence", event, true},       {"moved to 14:00", event + 4 * 3600, false},
        {"moved one second", event + 1, false},     {"moved to the next day", event + 86400, false},
        {"moved a day back", event - 86400, false},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        FakeFileSystem files;
        files.addFile(kLog, lineFor("[e]", 1u << 30, event, event));
        Dictionary today;
        GivenReminders given;
        ReminderEntry& entry = today.slot(L"[e]") = entryWith(L"[e]", 0, 0);
        entry.nextEventTimeSec = c.entryEvent;
        EXPECT_EQ(restoreEmittedLog(files, kLog, today, given, event + 60, 259200), 0);
        EXPECT_EQ(today.find(L"[e]")->remindMatrix, c.restored ? 1u << 30 : 0u);
        EXPECT_EQ(today.find(L"[e]")->lastOutputSec, c.restored ? event : 0.0);
    }
}

// An entry that is missing from today's dictionary at a save (its event file away for one
// loading) keeps its state: in memory, and in the file for the next run, until its occurrence is
// over. An occurrence ahead (a reminder given days before the event) stays until its event time
// is past as well.
TEST(EmittedLog, SaveKeepsTheStateOfEntriesThatAreAway) {
    const double now = dayNumberOf(9, 12, 2026) * 86400.0 + 12 * 3600;
    const double day = 86400;
    FakeFileSystem files;
    files.addDirectory(L"C:\\P\\_EmittedReminders");
    GivenReminders given;
    Dictionary all;
    ReminderEntry& meeting = all.slot(L"[meeting]") = entryWith(L"[meeting]", 1u << 30, now - 60);
    meeting.nextEventTimeSec = now - 60;
    ReminderEntry& trip = all.slot(L"[trip]") = entryWith(L"[trip]", 1, now - 5 * day);
    trip.nextEventTimeSec = now + 5 * day;
    ASSERT_EQ(saveEmittedLog(files, kLog, all, given, now, 259200), 0);
    const std::string saved = *files.fileBytes(kLog);

    // Both away: this run and a new run (which knows only the file) keep them.
    Dictionary none;
    ASSERT_EQ(saveEmittedLog(files, kLog, none, given, now + 60, 259200), 0);
    EXPECT_EQ(files.fileBytes(kLog), saved);
    GivenReminders nextRun;
    ASSERT_EQ(saveEmittedLog(files, kLog, none, nextRun, now + 120, 259200), 0);
    EXPECT_EQ(files.fileBytes(kLog), saved);

    // Back: the state goes into the same occurrences.
    Dictionary back;
    back.slot(L"[meeting]") = meeting;
    back.slot(L"[trip]") = trip;
    back.find(L"[meeting]")->remindMatrix = 0;
    back.find(L"[trip]")->remindMatrix = 0;
    ASSERT_EQ(restoreEmittedLog(files, kLog, back, nextRun, now + 180, 259200), 0);
    EXPECT_EQ(back.find(L"[meeting]")->remindMatrix, 1u << 30);
    EXPECT_EQ(back.find(L"[trip]")->remindMatrix, 1u);

    // Four days on, the meeting is over (its post-event period and a day have passed); the trip
    // lies only a day back.
    ASSERT_EQ(saveEmittedLog(files, kLog, none, nextRun, now + 4 * day, 259200), 0);
    EXPECT_EQ(files.fileBytes(kLog)->find("[meeting]"), std::string::npos);
    EXPECT_NE(files.fileBytes(kLog)->find("[trip]"), std::string::npos);
    ASSERT_EQ(saveEmittedLog(files, kLog, none, nextRun, now + 10 * day, 259200), 0);
    EXPECT_EQ(files.fileBytes(kLog), "");
}

// A save that fails (a full disk) loses nothing while the program runs: the restore after the
// next loading gives the state back from memory, and writes the file once it can.
TEST(EmittedLog, AFailedSaveLosesNothingWhileTheProgramRuns) {
    const double now = 3884234405.0;
    FakeFileSystem files;
    files.addFile(kLog, "");
    GivenReminders given;
    Dictionary today;
    today.slot(L"[k]") = entryWith(L"[k]", 1u << 30, now);
    files.failWritesWith(replacementPath(kLog), 28);
    EXPECT_EQ(saveEmittedLog(files, kLog, today, given, now, 259200), 28);
    EXPECT_EQ(files.fileBytes(kLog), "");

    Dictionary rebuilt;
    rebuilt.slot(L"[k]") = entryWith(L"[k]", 0, 0);
    EXPECT_EQ(restoreEmittedLog(files, kLog, rebuilt, given, now + 60, 259200), 28);
    EXPECT_EQ(rebuilt.find(L"[k]")->remindMatrix, 1u << 30);

    files.failWritesWith(replacementPath(kLog), 0);
    rebuilt.find(L"[k]")->remindMatrix = 0;
    EXPECT_EQ(restoreEmittedLog(files, kLog, rebuilt, given, now + 120, 259200), 0);
    EXPECT_EQ(rebuilt.find(L"[k]")->remindMatrix, 1u << 30);
    EXPECT_EQ(files.fileBytes(kLog),
              encodeByteText(emittedLogLine(L"[k]", *today.find(L"[k]")) + L"\n"));
}

// A line written before the event time was recorded is matched as before, then carried over as
// the record of that occurrence: the next save writes it once, with its event time.
TEST(EmittedLog, ALineWithoutEventTimeBecomesTheRecordOfItsOccurrence) {
    const double event = dayNumberOf(9, 12, 2026) * 86400.0 + 10 * 3600;
    FakeFileSystem files;
    files.addFile(kLog, "[d]<@@@>0100 0000 0000 0000 0000 0000 0000 0000<@@@>" +
                            std::to_string(static_cast<long long>(event)) + ".00<@@@> info\r\n");
    GivenReminders given;
    Dictionary today;
    ReminderEntry& daily = today.slot(L"[d]") = entryWith(L"[d]", 0, 0);
    daily.sDate = L"01.12.2026";
    daily.dayTime = 10 * 3600;
    daily.incType = RecurrenceKind{2};
    daily.interval = 1;
    computeEvent(daily, {9, 12, 2026});
    ASSERT_EQ(restoreEmittedLog(files, kLog, today, given, event + 60, 259200), 0);
    EXPECT_EQ(today.find(L"[d]")->remindMatrix, 1u << 30);
    ASSERT_EQ(saveEmittedLog(files, kLog, today, given, event + 120, 259200), 0);
    EXPECT_EQ(files.fileBytes(kLog),
              encodeByteText(emittedLogLine(L"[d]", *today.find(L"[d]")) + L"\n"));
}

}  // namespace
}  // namespace tindlow
