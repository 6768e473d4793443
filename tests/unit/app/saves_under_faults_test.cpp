// Every save of the program's own files (the settings file, the emitted reminders log and the
// restore's rewrite of it) against what a disk can do to it: the old file stays whole, no
// temporary file is left behind, the failure is answered so that it can be reported, and a save
// that succeeded survives a power loss.

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "fakes/fake_file_system.h"
#include "fakes/test_program.h"
#include "model/calendar.h"
#include "model/settings_file.h"
#include "model/text_files.h"
#include "schedule/emitted_log.h"
#include "ui/control_ids.h"

namespace tindlow {
namespace {

const std::wstring kDirectory = L"C:\\P\\_Files";
const std::wstring kPath = kDirectory + L"\\Own.txt";
const double kNow = dayNumberOf(9, 12, 2026) * 86400.0 + 12 * 3600;

std::string logLine(const char* key, double lastOutput) {
    char time[32];
    std::snprintf(time, sizeof time, "%.2f", lastOutput);
    return std::string(key) + "<@@@>0000 0000 0000 0000 0000 0000 0000 0001<@@@>" + time +
           "<@@@> info\r\n";
}

struct Save {
    const char* name;
    std::string oldContent;
    // Saves into the file system; answers what the save answered.
    std::function<int(FakeFileSystem&)> run;
    // Whether it reads the file first (a locked file then stops it before it writes).
    bool readsFirst = false;
};

std::vector<Save> everySave() {
    return {
        {"settings file", "Language = German\r\nStartPosition = 1,1\r\nPreviewLookbackDays = 5\r\n",
         [](FakeFileSystem& files) { return writeSettingsFile(files, kPath, Settings{}); }},
        {"emitted reminders log", logLine("[old]", kNow - 60),
         [](FakeFileSystem& files) {
             Dictionary today;
             ReminderEntry& entry = today.slot(L"[new]");
             entry.sKey = L"[new]";
             entry.remindMatrix = 1;
             entry.lastOutputSec = kNow;
             GivenReminders given;
             return saveEmittedLog(files, kPath, today, given, kNow, 259200);
         }},
        {"restore that drops outdated lines",
         logLine("[outdated]", kNow - 400000) + logLine("[kept]", kNow - 60),
         [](FakeFileSystem& files) {
             Dictionary today;
             GivenReminders given;
             return restoreEmittedLog(files, kPath, today, given, kNow, 259200);
         },
         true},
    };
}

std::vector<std::wstring> temporaryFiles(const FakeFileSystem& files) {
    std::vector<std::wstring> found;
    for (const auto& [path, bytes] : files.files()) {
        if (path.ends_with(L".tmp") || path.ends_with(L".TMP")) {
            found.push_back(path);
        }
    }
    return found;
}

TEST(SavesUnderFaults, AFailedSaveKeepsTheOldFileWholeAndLeavesNothingBehind) {
    const struct {
        const char* name;
        std::function<void(FakeFileSystem&)> fault;
        bool blocksReading = false;
    } kFaults[] = {
        {"the write stops part-way",
         [](FakeFileSystem& files) { files.failWritesPartWay(replacementPath(kPath), 7, 5); }},
        {"the disk is full", [](FakeFileSystem& files) { files.setFreeSpace(3); }},
        {"the swap fails", [](FakeFileSystem& files) { files.failWritesWith(kPath, 5); }},
        {"another program holds the file", [](FakeFileSystem& files) { files.lock(kPath); }, true},
        {"the directory is read-only",
         [](FakeFileSystem& files) { files.setReadOnly(kDirectory, true); }},
    };
    for (const Save& save : everySave()) {
        for (const auto& fault : kFaults) {
            SCOPED_TRACE(std::string(save.name) + ", " + fault.name);
            FakeFileSystem files;
            files.addFile(kPath, save.oldContent);
            fault.fault(files);

            const int answer = save.run(files);

            if (save.readsFirst && fault.blocksReading) {
                EXPECT_EQ(answer, 0);  // it read nothing, so it had nothing to rewrite
            } else {
                EXPECT_NE(answer, 0);
            }
            EXPECT_EQ(files.fileBytes(kPath), save.oldContent);
            EXPECT_EQ(temporaryFiles(files), std::vector<std::wstring>{});
        }
    }
}

TEST(SavesUnderFaults, ASaveSurvivesAPowerLossAndLeftoversOfACrash) {
    const struct {
        const char* name;
        std::function<void(FakeFileSystem&)> before;
        // Temporary files that are in the way and that the save cannot remove.
        std::vector<std::wstring> staying;
    } kCases[] = {
        {"nothing in the way", [](FakeFileSystem&) {}, {}},
        {"a temporary file left by a crash",
         [](FakeFileSystem& files) { files.addFile(replacementPath(kPath), "half"); },
         {}},
        {"a temporary file another program holds",
         [](FakeFileSystem& files) {
             files.addFile(replacementPath(kPath), "half");
             files.lock(replacementPath(kPath));
         },
         {replacementPath(kPath)}},
        {"a directory named like the temporary file",
         [](FakeFileSystem& files) { files.addDirectory(replacementPath(kPath)); },
         {}},
        {"every temporary name taken",
         [](FakeFileSystem& files) {
             for (int attempt = 0; attempt < kReplacementNames; ++attempt) {
                 files.addDirectory(replacementPath(kPath, attempt));
             }
         },
         {}},
    };
    for (const Save& save : everySave()) {
        FakeFileSystem reference;
        reference.addFile(kPath, save.oldContent);
        ASSERT_EQ(save.run(reference), 0);
        const std::string saved = *reference.fileBytes(kPath);
        ASSERT_NE(saved, save.oldContent);
        for (const auto& row : kCases) {
            SCOPED_TRACE(std::string(save.name) + ", " + row.name);
            FakeFileSystem files;
            files.addFile(kPath, save.oldContent);
            row.before(files);
            const bool allTaken = std::string(row.name) == "every temporary name taken";

            const int answer = save.run(files);
            files.losePower();

            if (allTaken) {
                // Reported, and the old file is still there.
                EXPECT_NE(answer, 0);
                EXPECT_EQ(files.fileBytes(kPath), save.oldContent);
            } else {
                EXPECT_EQ(answer, 0);
                EXPECT_EQ(files.fileBytes(kPath), saved);
            }
            EXPECT_EQ(temporaryFiles(files), row.staying);
        }
    }
}

// A report cut off by a full disk would pass for the whole of it.
TEST(SavesUnderFaults, AnExportThatCannotBeWrittenIsReportedAndLeavesNothing) {
    TestProgram program;
    program.start();
    program.fake.files.setFreeSpace(10);

    program.dialog.onButton(ids::kFutureEvents);

    EXPECT_TRUE(
        program.logged(L" could not be written. Reason: Error 28: no space left on device"));
    for (const std::wstring& path : program.fake.files.paths()) {
        EXPECT_EQ(path.find(L"Preview"), std::wstring::npos) << path;
    }
}

}  // namespace
}  // namespace tindlow
