#include "model/dictionary.h"

#include <gtest/gtest.h>

#include <vector>

namespace tindlow {
namespace {

std::vector<std::wstring> keysInOrder(const Dictionary& dictionary) {
    std::vector<std::wstring> keys;
    for (const auto& [key, entry] : dictionary) {
        keys.push_back(key);
    }
    return keys;
}

ReminderEntry filledEntry(const std::wstring& key) {
    ReminderEntry entry;
    entry.sKey = key;
    entry.sWhat = L"What ";
    entry.sText = L"Text";
    entry.sDate = L"22.06.1957";
    entry.sTime = L"0.5";
    entry.sPretrigg = L"60";
    entry.sRepeat = L"3";
    entry.sInterval = L"1y";
    entry.sRowNumber = L"7";
    entry.sFile = L"C:\\P\\_PeriodicEvents\\Birthdays.csv";
    entry.dayTime = 43200.0;
    entry.preTrigger = 3600.0;
    entry.postTrigger = 259200.0;
    entry.nextAskSec = 1.0;
    entry.nextEventTimeSec = 2.0;
    entry.triggerEventTimeSec = 3.0;
    entry.lastOutputSec = 4.0;
    entry.repeat = 3;
    entry.interval = 1;
    entry.incType = RecurrenceKind::Years;
    entry.dayPointer = -2;
    entry.remindMatrix = 0x80000001u;
    return entry;
}

void expectDefault(const ReminderEntry& entry) {
    for (const std::wstring* text :
         {&entry.sKey, &entry.sWhat, &entry.sText, &entry.sDate, &entry.sTime, &entry.sPretrigg,
          &entry.sRepeat, &entry.sInterval, &entry.sRowNumber, &entry.sFile}) {
        EXPECT_TRUE(text->empty()) << *text;
    }
    for (const double value :
         {entry.dayTime, entry.preTrigger, entry.postTrigger, entry.nextAskSec,
          entry.nextEventTimeSec, entry.triggerEventTimeSec, entry.lastOutputSec}) {
        EXPECT_EQ(value, 0.0);
    }
    for (const std::int32_t value :
         {entry.repeat, entry.interval, number(entry.incType), entry.dayPointer}) {
        EXPECT_EQ(value, 0);
    }
    EXPECT_EQ(entry.remindMatrix, 0u);
}

TEST(Dictionary, TraversesKeysOrdinally) {
    Dictionary dictionary;
    for (const wchar_t* key : {L"[a", L"[B", L"[A", L"ab", L"abc", L"Z", L"", L"[\u00E4"}) {
        dictionary.slot(key).sKey = key;
    }
    EXPECT_EQ(keysInOrder(dictionary), (std::vector<std::wstring>{L"", L"Z", L"[A", L"[B", L"[a",
                                                                  L"[\u00E4", L"ab", L"abc"}));
    for (const auto& [key, entry] : dictionary) {
        EXPECT_EQ(entry.sKey, key);
    }
}

TEST(Dictionary, SlotInsertsOneDefaultEntryAndLaterAssignmentReplacesIt) {
    Dictionary dictionary;
    expectDefault(dictionary.slot(L"[k]"));
    EXPECT_EQ(dictionary.size(), 1u);

    dictionary.slot(L"[k]") = filledEntry(L"[k]");
    EXPECT_EQ(dictionary.size(), 1u);
    EXPECT_EQ(dictionary.slot(L"[k]").remindMatrix, 0x80000001u);
    EXPECT_EQ(dictionary.size(), 1u);

    // The later line wins completely, defaults included.
    ReminderEntry later;
    later.sKey = L"[k]";
    later.sWhat = L"Later";
    dictionary.slot(L"[k]") = later;
    const ReminderEntry* found = dictionary.find(L"[k]");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->sWhat, L"Later");
    EXPECT_TRUE(found->sDate.empty());
    EXPECT_EQ(found->remindMatrix, 0u);
    EXPECT_EQ(found->lastOutputSec, 0.0);
    EXPECT_EQ(found->dayPointer, 0);
}

TEST(Dictionary, FindNeverInserts) {
    Dictionary dictionary;
    const Dictionary& constView = dictionary;
    EXPECT_EQ(dictionary.find(L"[x]"), nullptr);
    EXPECT_EQ(constView.find(L"[x]"), nullptr);
    EXPECT_TRUE(dictionary.empty());

    dictionary.slot(L"[x]") = filledEntry(L"[x]");
    EXPECT_EQ(dictionary.find(L"[X]"), nullptr);  // case-sensitive
    EXPECT_EQ(dictionary.find(L"[x"), nullptr);
    ASSERT_NE(constView.find(L"[x]"), nullptr);
    EXPECT_EQ(constView.find(L"[x]")->sFile, L"C:\\P\\_PeriodicEvents\\Birthdays.csv");
    EXPECT_EQ(dictionary.size(), 1u);
}

TEST(Dictionary, EachDictionaryOwnsItsCopies) {
    Dictionary complete;
    Dictionary today;
    const ReminderEntry entry = filledEntry(L"[k]");
    today.slot(entry.sKey) = entry;
    complete.slot(entry.sKey) = entry;

    // What the reminder check does to today's copy, through find and through a traversal.
    ReminderEntry* todays = today.find(L"[k]");
    ASSERT_NE(todays, nullptr);
    todays->remindMatrix |= 1u << 30;
    todays->lastOutputSec = 12345.0;
    for (auto& [key, e] : today) {
        e.nextAskSec = 99.0;
        e.sText += L" changed";
    }

    const ReminderEntry* completes = complete.find(L"[k]");
    ASSERT_NE(completes, nullptr);
    EXPECT_EQ(completes->remindMatrix, 0x80000001u);
    EXPECT_EQ(completes->lastOutputSec, 4.0);
    EXPECT_EQ(completes->nextAskSec, 1.0);
    EXPECT_EQ(completes->sText, L"Text");
    EXPECT_EQ(today.find(L"[k]")->nextAskSec, 99.0);
    EXPECT_EQ(today.find(L"[k]")->remindMatrix, 0x80000001u | (1u << 30));

    // A copied dictionary is independent as well.
    Dictionary copy = today;
    copy.find(L"[k]")->remindMatrix = 0;
    copy.slot(L"[new]");
    EXPECT_EQ(today.find(L"[k]")->remindMatrix, 0x80000001u | (1u << 30));
    EXPECT_EQ(today.size(), 1u);
}

TEST(Dictionary, ClearRemovesEverything) {
    Dictionary dictionary;
    dictionary.slot(L"[a]") = filledEntry(L"[a]");
    dictionary.slot(L"[b]") = filledEntry(L"[b]");
    EXPECT_EQ(dictionary.size(), 2u);
    EXPECT_FALSE(dictionary.empty());

    dictionary.clear();
    EXPECT_EQ(dictionary.size(), 0u);
    EXPECT_TRUE(dictionary.empty());
    EXPECT_EQ(dictionary.find(L"[a]"), nullptr);
    EXPECT_EQ(dictionary.begin(), dictionary.end());
    expectDefault(dictionary.slot(L"[a]"));
}

}  // namespace
}  // namespace tindlow
