#include "model/dictionary.h"

#include "model/same_entry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
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

ReminderEntry entryNamed(const std::wstring& key, const std::wstring& what) {
    ReminderEntry entry;
    entry.sKey = key;
    entry.sWhat = what;
    return entry;
}

// The keys in traversal order, each with the title of the entry stored under it.
std::vector<std::wstring> keysWithTitles(const Dictionary& dictionary) {
    std::vector<std::wstring> texts;
    for (const auto& [key, entry] : dictionary) {
        texts.push_back(key + L"=" + entry.sWhat);
    }
    return texts;
}

TEST(Dictionary, StoresInOrdinalOrderWhateverTheOrderOfArrival) {
    // The keys share the long prefix of real keys; the place of the previous insert is tried
    // first, so every way of missing it must still find the right place. Staged entries are
    // sorted by the few code units after the prefix all keys share, and then whole.
    const std::wstring p = L"[02.01.2026-18:00:00-3000000";
    const struct {
        const char* name;
        std::vector<std::wstring> keys;  // stored in this order, the n-th titled n
        std::vector<std::wstring> expected;
    } kCases[] = {
        {"ascending", {p + L"1]", p + L"2]", p + L"3]"}, {p + L"1]=0", p + L"2]=1", p + L"3]=2"}},
        {"descending", {p + L"3]", p + L"2]", p + L"1]"}, {p + L"1]=2", p + L"2]=1", p + L"3]=0"}},
        {"back into the middle",
         {p + L"1]", p + L"5]", p + L"3]", p + L"4]", p + L"2]"},
         {p + L"1]=0", p + L"2]=4", p + L"3]=2", p + L"4]=3", p + L"5]=1"}},
        {"duplicates: the last one wins",
         {p + L"2]", p + L"2]", p + L"1]", p + L"2]", p + L"3]", p + L"1]"},
         {p + L"1]=5", p + L"2]=3", p + L"3]=4"}},
        {"a key that is a prefix of the previous one",
         {p + L"1]x", p + L"1]", p},
         {
             p + L"=2",
             p + L"1]=1",
             p + L"1]x=0",
         }},
        {"code units above Latin-1 and the empty key",
         {L"[\u00E4", L"[\u4E00", L"[a", L"", L"[\u00E4"},
         {L"=3", L"[a=2", L"[\u00E4=4", L"[\u4E00=1"}},
        {"the highest code units, equal in their first few",
         {L"[\uFFFF", L"[\uFFFE", L"[\uFFFD", L"[\uFFFF\uFFFF", L"[\uFFFFa"},
         {L"[\uFFFD=2", L"[\uFFFE=1", L"[\uFFFF=0", L"[\uFFFFa=4", L"[\uFFFF\uFFFF=3"}},
        {"keys equal far beyond the shared prefix",
         {p + L"1]-123456789", p + L"1]-123456788", p + L"1]-1234", p + L"1]-12345678"},
         {p + L"1]-1234=2", p + L"1]-12345678=3", p + L"1]-123456788=1", p + L"1]-123456789=0"}},
        {"one key", {p}, {p + L"=0"}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        Dictionary stored;
        Dictionary staged;
        for (std::size_t i = 0; i < c.keys.size(); ++i) {
            stored.store(c.keys[i], entryNamed(c.keys[i], std::to_wstring(i)));
            staged.stage(c.keys[i], entryNamed(c.keys[i], std::to_wstring(i)));
        }
        EXPECT_TRUE(staged.empty());  // nothing is seen before the commit
        staged.commitStaged();
        EXPECT_EQ(keysWithTitles(stored), c.expected);
        EXPECT_EQ(keysWithTitles(staged), c.expected);
        EXPECT_EQ(stored.size(), c.expected.size());
    }
}

TEST(Dictionary, StagedEntriesWinOverThoseStoredBeforeAndRecyclingDropsThem) {
    Dictionary dictionary;
    dictionary.store(L"[b]", entryNamed(L"[b]", L"stored"));
    dictionary.store(L"[d]", entryNamed(L"[d]", L"stored"));
    dictionary.stage(L"[d]", entryNamed(L"[d]", L"staged"));
    dictionary.stage(L"[a]", entryNamed(L"[a]", L"staged"));
    dictionary.stage(L"[c]", entryNamed(L"[c]", L"staged"));
    dictionary.commitStaged();
    EXPECT_EQ(
        keysWithTitles(dictionary),
        (std::vector<std::wstring>{L"[a]=staged", L"[b]=stored", L"[c]=staged", L"[d]=staged"}));
    dictionary.commitStaged();  // nothing staged: nothing changes
    EXPECT_EQ(dictionary.size(), 4u);

    // A loading nested in another recycles: what the outer one staged so far is gone, as its
    // stored entries are; what it stages afterwards goes in, in the old entries' storage.
    dictionary.recycle();
    dictionary.stage(L"[x]", entryNamed(L"[x]", L"outer, before"));
    dictionary.recycle();
    dictionary.stage(L"[n]", filledEntry(L"[n]"));
    dictionary.commitStaged();
    dictionary.stage(L"[m]", entryNamed(L"[m]", L"outer, after"));
    dictionary.commitStaged();
    dictionary.releaseRecycled();
    EXPECT_EQ(keysInOrder(dictionary), (std::vector<std::wstring>{L"[m]", L"[n]"}));
    expectSameEntry(*dictionary.find(L"[n]"), filledEntry(L"[n]"));
}

TEST(Dictionary, AnEntryStagedByMoveGoesInWholeFromFreshAndFromRecycledStorage) {
    // As the reader does: one working entry, filled anew for every line and moved in.
    Dictionary dictionary;
    for (const bool recycled : {false, true}) {
        SCOPED_TRACE(recycled);
        if (recycled) {
            dictionary.recycle();
        }
        const std::vector<ReminderEntry> lines = {filledEntry(L"[b]"), entryNamed(L"[a]", L"A"),
                                                  entryNamed(L"[b]", L"later line wins")};
        ReminderEntry working;
        for (const ReminderEntry& line : lines) {
            working = line;
            dictionary.stage(std::move(working));
        }
        dictionary.commitStaged();
        dictionary.releaseRecycled();
        EXPECT_EQ(keysInOrder(dictionary), (std::vector<std::wstring>{L"[a]", L"[b]"}));
        expectSameEntry(*dictionary.find(L"[a]"), lines[1]);
        expectSameEntry(*dictionary.find(L"[b]"), lines[2]);
    }
}

TEST(Dictionary, ScatteredKeysEndUpSortedAndFindable) {
    Dictionary dictionary;
    std::vector<std::wstring> sorted;
    // 0, 37, 74, ... modulo 1000 visits every number once, in long runs that go up and then
    // jump back; each key is stored twice, the second time over the first.
    Dictionary staged;
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < 1000; ++i) {
            const std::wstring key =
                L"[02.01.2026-18:00:00-" + std::to_wstring(1000 + i * 37 % 1000) + L"]";
            dictionary.store(key, entryNamed(key, std::to_wstring(round)));
            staged.stage(key, entryNamed(key, std::to_wstring(round)));
            if (round == 0) {
                sorted.push_back(key);
            }
        }
    }
    staged.commitStaged();
    std::sort(sorted.begin(), sorted.end());
    for (const Dictionary* d : {&dictionary, &staged}) {
        EXPECT_EQ(keysInOrder(*d), sorted);
        for (const std::wstring& key : sorted) {
            ASSERT_NE(d->find(key), nullptr);
            EXPECT_EQ(d->find(key)->sWhat, L"1");
        }
    }
}

TEST(Dictionary, StoreReplacesTheWholeEntryAndMayTakeTheKeyFromIt) {
    Dictionary dictionary;
    dictionary.store(L"[k]", filledEntry(L"[k]"));
    ReminderEntry later = entryNamed(L"[k]", L"Later");
    // The key is the entry's own field, as the reader passes it.
    const ReminderEntry& stored = dictionary.store(later.sKey, later);
    expectSameEntry(stored, later);
    EXPECT_EQ(dictionary.size(), 1u);
    EXPECT_EQ(later.sKey, L"[k]");  // the caller's entry is copied, not taken
}

TEST(Dictionary, RecycledDictionaryIsEmptyAndKeepsNothingOfTheOldEntries) {
    Dictionary dictionary;
    for (const wchar_t* key : {L"[a]", L"[b]", L"[c]"}) {
        dictionary.store(key, filledEntry(key));
    }
    dictionary.recycle();
    EXPECT_TRUE(dictionary.empty());
    EXPECT_EQ(dictionary.begin(), dictionary.end());
    EXPECT_EQ(dictionary.find(L"[a]"), nullptr);

    // New entries in the old storage: the same keys, others, and one whose texts are longer
    // than any old one. Each must be exactly what was stored.
    const ReminderEntry entries[] = {entryNamed(L"[b]", L"B"), entryNamed(L"[z]", L""),
                                     entryNamed(L"[a]", std::wstring(300, L'x'))};
    for (const ReminderEntry& entry : entries) {
        dictionary.store(entry.sKey, entry);
    }
    expectDefault(dictionary.slot(L"[c]"));
    dictionary.releaseRecycled();
    EXPECT_EQ(keysInOrder(dictionary), (std::vector<std::wstring>{L"[a]", L"[b]", L"[c]", L"[z]"}));
    for (const ReminderEntry& entry : entries) {
        SCOPED_TRACE(testing::Message() << entry.sKey);
        ASSERT_NE(dictionary.find(entry.sKey), nullptr);
        expectSameEntry(*dictionary.find(entry.sKey), entry);
    }

    // Recycling twice before the storage is used up, as a loading nested in another does.
    dictionary.recycle();
    dictionary.store(L"[n]", entryNamed(L"[n]", L"nested"));
    dictionary.recycle();
    EXPECT_TRUE(dictionary.empty());
    dictionary.store(L"[m]", entryNamed(L"[m]", L"outer"));
    dictionary.releaseRecycled();
    EXPECT_EQ(keysWithTitles(dictionary), std::vector<std::wstring>{L"[m]=outer"});
}

TEST(Dictionary, CopiesAndMovesGoOnInsertingInOrder) {
    // Each dictionary remembers where it inserted last; a copy or a move must not take that
    // place along into a map it does not belong to.
    Dictionary original;
    original.store(L"[b]", entryNamed(L"[b]", L"b"));
    original.store(L"[d]", entryNamed(L"[d]", L"d"));

    Dictionary copy = original;
    copy.store(L"[e]", entryNamed(L"[e]", L"e"));
    copy.store(L"[c]", entryNamed(L"[c]", L"c"));
    original.store(L"[a]", entryNamed(L"[a]", L"a"));
    EXPECT_EQ(keysInOrder(copy), (std::vector<std::wstring>{L"[b]", L"[c]", L"[d]", L"[e]"}));
    EXPECT_EQ(keysInOrder(original), (std::vector<std::wstring>{L"[a]", L"[b]", L"[d]"}));

    Dictionary moved = std::move(copy);
    moved.store(L"[f]", entryNamed(L"[f]", L"f"));
    moved.slot(L"[a]");
    EXPECT_EQ(keysInOrder(moved),
              (std::vector<std::wstring>{L"[a]", L"[b]", L"[c]", L"[d]", L"[e]", L"[f]"}));

    Dictionary assigned;
    assigned.store(L"[x]", entryNamed(L"[x]", L"x"));
    assigned = original;
    assigned.store(L"[c]", entryNamed(L"[c]", L"c"));
    EXPECT_EQ(keysInOrder(assigned), (std::vector<std::wstring>{L"[a]", L"[b]", L"[c]", L"[d]"}));
    assigned = std::move(moved);
    assigned.store(L"[0]", entryNamed(L"[0]", L"0"));
    EXPECT_EQ(assigned.size(), 7u);
    EXPECT_EQ(keysInOrder(assigned).front(), L"[0]");
}

}  // namespace
}  // namespace tindlow
