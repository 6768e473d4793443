#pragma once
// Checks every field of a reminder entry, for tests that no field of an earlier entry is left
// over where entries are made in reused storage.

#include <gtest/gtest.h>

#include "model/reminder_entry.h"

namespace tindlow {

inline void expectSameEntry(const ReminderEntry& actual, const ReminderEntry& expected) {
    EXPECT_EQ(actual.sKey, expected.sKey);
    EXPECT_EQ(actual.sWhat, expected.sWhat);
    EXPECT_EQ(actual.sText, expected.sText);
    EXPECT_EQ(actual.sDate, expected.sDate);
    EXPECT_EQ(actual.sTime, expected.sTime);
    EXPECT_EQ(actual.sPretrigg, expected.sPretrigg);
    EXPECT_EQ(actual.sRepeat, expected.sRepeat);
    EXPECT_EQ(actual.sInterval, expected.sInterval);
    EXPECT_EQ(actual.sRowNumber, expected.sRowNumber);
    EXPECT_EQ(actual.sFile, expected.sFile);
    EXPECT_EQ(actual.dayTime, expected.dayTime);
    EXPECT_EQ(actual.preTrigger, expected.preTrigger);
    EXPECT_EQ(actual.postTrigger, expected.postTrigger);
    EXPECT_EQ(actual.nextAskSec, expected.nextAskSec);
    EXPECT_EQ(actual.nextEventTimeSec, expected.nextEventTimeSec);
    EXPECT_EQ(actual.triggerEventTimeSec, expected.triggerEventTimeSec);
    EXPECT_EQ(actual.lastOutputSec, expected.lastOutputSec);
    EXPECT_EQ(actual.repeat, expected.repeat);
    EXPECT_EQ(actual.interval, expected.interval);
    EXPECT_EQ(actual.incType, expected.incType);
    EXPECT_EQ(actual.dayPointer, expected.dayPointer);
    EXPECT_EQ(actual.remindMatrix, expected.remindMatrix);
}

}  // namespace tindlow
