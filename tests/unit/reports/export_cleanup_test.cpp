#include <gtest/gtest.h>

#include "fakes/fake_file_system.h"
#include "fakes/recording_log.h"
#include "reports/export_cleanup.h"
#include "reports/export_files.h"

namespace tindlow {
namespace {

const std::wstring kExports = L"C:\\P\\_Exports\\";

TEST(ExportFiles, PathCarriesTheTimeStampOfWriting) {
    EXPECT_EQ(exportPath(kExports, LocalTime{2025, 3, 7, 9, 5, 42, 0}, L" Preview.txt"),
              L"C:\\P\\_Exports\\2025-03-07_09.05.42 Preview.txt");
}

TEST(ExportCleanup, DeletesOnlyExportsSixOrMoreDaysOld) {
    FakeFileSystem files;
    files.addDirectory(kExports);
    const struct {
        const wchar_t* name;
        bool kept;
    } kCases[] = {
        {L"2026-12-03_23.59.59 Preview.txt", false},   // six days ago
        {L"2026-12-04_00.00.00 Reminders.txt", true},  // five days ago
        {L"2026-12-20_10.00.00 Preview.txt", true},    // in the future
        {L"2019-01-01_10.00.00 ListboxContent.txt", false},
        {L"a.tx", true},
        {L"my notes.txt", true},  // not an export of the program
        {L"2019-01-01 notes.txt", true},
    };
    for (const auto& c : kCases)
        files.addFile(kExports + c.name, "x");
    files.addDirectory(kExports + L"2019-01-01_10.00.00 folder");
    RecordingLog log;
    cleanUpExports(files, kExports, LocalTime{2026, 12, 9, 0, 0, 1, 0}, englishTables(), L"---",
                   log);
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(files.exists(kExports + c.name), c.kept);
    }
    EXPECT_TRUE(files.isDirectory(kExports + L"2019-01-01_10.00.00 folder"));
    ASSERT_EQ(log.lines.size(), 4u);
    EXPECT_EQ(log.lines[0], L"The following outdated files in the _Exports folder were deleted: ");
    EXPECT_EQ(log.lines[1], kExports + L"2019-01-01_10.00.00 ListboxContent.txt");
    EXPECT_EQ(log.lines[3], L"---");
}

TEST(ExportCleanup, NothingToDeleteLogsNothing) {
    FakeFileSystem files;
    files.addFile(kExports + L"2026-12-08_10.00.00 Preview.txt", "x");
    RecordingLog log;
    cleanUpExports(files, kExports, LocalTime{2026, 12, 9, 8, 0, 0, 0}, englishTables(), L"---",
                   log);
    EXPECT_TRUE(log.lines.empty());
}

}  // namespace
}  // namespace tindlow
