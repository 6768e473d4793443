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
    return entry;
}

TEST(EmittedLog, LineFormat) {
    EXPECT_EQ(
        emittedLogLine(L"[k]", entryWith(L"[k]", 1u << 30, 3884234405.0)),
        L"[k]<@@@>0100 0000 0000 0000 0000 0000 0000 0000<@@@>3884234405.00<@@@> [Key] "
        L"[remindMatrix] [lastOutputSec] weitere Informationen: Dentist at the clinic; Datei: "
        L"C:\\Rem\\_SingleEvents\\Health.csv; Zeile: 5");
}

TEST(EmittedLog, SaveWritesEntriesWithBitsInKeyOrderButNeverTheTestReminder) {
    FakeFileSystem files;
    files.addDirectory(L"C:\\P\\_EmittedReminders");
    Dictionary today;
    today.slot(L"[b]") = entryWith(L"[b]", 1, 100);
    today.slot(L"[a]") = entryWith(L"[a]", 2, 200);
    today.slot(L"[c]") = entryWith(L"[c]", 0, 0);
    today.slot(kTestReminderKey) = entryWith(kTestReminderKey, 1u << 30, 300);
    ASSERT_EQ(saveEmittedLog(files, kLog, today), 0);
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
    today.slot(L"[a]") = entryWith(L"[a]", 1, 1);
    EXPECT_EQ(saveEmittedLog(files, kLog, today), 28);
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
                                line("[old]", "1", now - 259201) +
                                line("[older]", "1", now - 259201) + line("[short]", "11", now - 5);
    files.addFile(kLog, content);
    Dictionary today;
    today.slot(L"[a]") = entryWith(L"[a]", 1u << 4, now - 7200);
    today.slot(L"[old]") = entryWith(L"[old]", 0, 0);
    today.slot(L"[short]") = entryWith(L"[short]", 0, 0);
    EXPECT_EQ(restoreEmittedLog(files, kLog, today, now, 259200), 0);
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
        today.slot(L"[e]") = recurring(c.date, c.incType, c.interval, c.today);
        const double now = dayNumberOf(c.today.day, c.today.month, c.today.year) * 86400.0 + 3600;
        EXPECT_EQ(restoreEmittedLog(files, kLog, today, now, 259200), 0);
        EXPECT_EQ(today.find(L"[e]")->remindMatrix, c.restored ? 1u : 0u);
        EXPECT_EQ(today.find(L"[e]")->lastOutputSec, c.restored ? c.given : 0.0);
        // A line stays while it is young or while its occurrence is current.
        const bool outdated = now > c.given + 259200;
        EXPECT_EQ(files.fileBytes(kLog), outdated && !c.restored ? "" : line);
    }
}

TEST(EmittedLog, RestoreWithoutOutdatedLinesLeavesTheFileAlone) {
    FakeFileSystem files;
    files.addFile(kLog, "junk line\r\n[x]<@@@>1<@@@>100.00<@@@>\r\n");
    Dictionary today;
    EXPECT_EQ(restoreEmittedLog(files, kLog, today, 200, 259200), 0);
    EXPECT_EQ(files.fileBytes(kLog), "junk line\r\n[x]<@@@>1<@@@>100.00<@@@>\r\n");
    EXPECT_EQ(files.writeCount(kLog), 0);
}

TEST(EmittedLog, SaveAndRestoreRoundTrip) {
    FakeFileSystem files;
    files.addDirectory(L"C:\\P\\_EmittedReminders");
    Dictionary before;
    before.slot(L"[k]") = entryWith(L"[k]", 0x80000007u, 3884234405.0);
    EXPECT_EQ(saveEmittedLog(files, kLog, before), 0);
    Dictionary after;
    after.slot(L"[k]") = entryWith(L"[k]", 0, 0);
    EXPECT_EQ(restoreEmittedLog(files, kLog, after, 3884234405.0 + 10, 259200), 0);
    EXPECT_EQ(after.find(L"[k]")->remindMatrix, 0x80000007u);
    EXPECT_EQ(after.find(L"[k]")->lastOutputSec, 3884234405.0);
}

}  // namespace
}  // namespace tindlow
