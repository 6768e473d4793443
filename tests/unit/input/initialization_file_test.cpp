#include <gtest/gtest.h>

#include "fakes/recording_log.h"
#include "input/initialization_file.h"

namespace tindlow {
namespace {

struct Reading {
    RecordingLog log;
    InitializationSettings settings;
    void read(const std::vector<std::wstring>& lines) {
        applyInitializationLines(lines, L"C:\\P\\_IniFile\\IniFile.csv", englishTables(), L"---",
                                 log, settings);
    }
};

TEST(InitializationFile, LimitsValuesAndLogsEveryLine) {
    Reading reading;
    reading.read({L"Value;Key", L"0;[ExecutionLoop]", L"5;[WindowSize]", L"250;[NumFlashing]",
                  L"0;[RemindHours]", L""});
    EXPECT_EQ(reading.settings.executionLoopPeriod, 2);
    EXPECT_EQ(reading.settings.windowSizeMode, WindowSizeMode::Normal);
    EXPECT_EQ(reading.settings.flashLimit, 100);
    EXPECT_EQ(reading.settings.defaultPostTrigger, 259200.0);
    EXPECT_EQ(reading.log.lines, (std::vector<std::wstring>{
                                     L"Reading C:\\P\\_IniFile\\IniFile.csv:",
                                     L"Line 01: Value;Key", L"Line 02: [ExecutionLoop] = 1",
                                     L"Line 03: [WindowSize] = 2", L"Line 04: [NumFlashing] = 100",
                                     L"Line 05: [RemindHours] = 0", L"Line 06: ", L"---"}));
}

TEST(InitializationFile, ValueIsTheFirstColumnWhereverTheKeyStands) {
    const struct {
        const wchar_t* line;
        std::int32_t loopPeriod;
        WindowSizeMode windowSize;
        double postTrigger;
    } kCases[] = {
        {L"60;[ExecutionLoop];seconds between checks", 120, WindowSizeMode::Normal, 259200},
        {L"[ExecutionLoop];60", 2, WindowSizeMode::Normal, 259200},
        {L"60;[ExecutionLoop] [WindowSize]", 120, WindowSizeMode::Normal, 259200},
        {L"5 ;[WindowSize]", 1, WindowSizeMode::Normal, 259200},
        {L"five;[WindowSize]", 1, WindowSizeMode::Hidden, 259200},
        {L"1;[WindowSize]", 1, WindowSizeMode::Minimized, 259200},
        {L"-3;[WindowSize]", 1, WindowSizeMode::Hidden, 259200},
        {L"99999;[ExecutionLoop]", 7200, WindowSizeMode::Normal, 259200},
        {L"24;[RemindHours]", 1, WindowSizeMode::Normal, 86400},
        {L"23999;[RemindHours]", 1, WindowSizeMode::Normal, 23999 * 3600.0},
        {L"24000;[RemindHours]", 1, WindowSizeMode::Normal, 259200},
        {L"[ExecutionLoop]", 2, WindowSizeMode::Normal, 259200},
        {L"60;[executionloop]", 1, WindowSizeMode::Normal, 259200},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.line);
        Reading reading;
        reading.read({c.line});
        EXPECT_EQ(reading.settings.executionLoopPeriod, c.loopPeriod);
        EXPECT_EQ(reading.settings.windowSizeMode, c.windowSize);
        EXPECT_EQ(reading.settings.defaultPostTrigger, c.postTrigger);
    }
}

TEST(InitializationFile, NetworkPathGetsABackslashAndAnEmptyOneIsIgnored) {
    Reading reading;
    reading.read({L"\\\\server\\events;[NetworkPathDateFiles]", L";[NetworkPathDateFiles]",
                  L"  Z:\\shared\\  ;[NetworkPathDateFiles]"});
    EXPECT_EQ(reading.log.lines[1], L"Line 01: [NetworkPathDateFiles] = \\\\server\\events\\");
    EXPECT_EQ(reading.log.lines[2], L"Line 02: [NetworkPathDateFiles] = \\\\server\\events\\");
    EXPECT_EQ(reading.settings.networkPath, L"Z:\\shared\\");
    EXPECT_EQ(reading.settings.networkPathState, NetworkPathState::NotReached);
}

TEST(InitializationFile, KeysMissingFromTheFileKeepEarlierValues) {
    Reading reading;
    reading.read({L"10;[ExecutionLoop]", L"3;[NumFlashing]"});
    reading.read({L"5;[NumFlashing]"});
    EXPECT_EQ(reading.settings.executionLoopPeriod, 20);
    EXPECT_EQ(reading.settings.flashLimit, 5);
}

}  // namespace
}  // namespace tindlow
