#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "input/event_input.h"
#include "input/event_input_harness.h"
#include "model/same_entry.h"

namespace tindlow {
namespace {

const std::wstring kSingle = L"C:\\P\\_SingleEvents\\";
const std::wstring kPeriodic = L"C:\\P\\_PeriodicEvents\\";
const std::wstring kNetwork = L"\\\\Server\\Share\\Events\\";

std::string eventFile(const std::string& title, const std::string& key) {
    return "Title;Text;Date;Time;Pretrigger;Repeat;Interval;Key;Row\r\n" + title +
           ";;01.01.2025;0,5;0;0;365;" + key + ";2\r\n";
}

std::wstring noFilesLine(const std::wstring& directory) {
    return L"Trying to read from " + directory + L". No files were found there.";
}

class EventLoaderTest : public testing::Test {
  protected:
    void load(const std::wstring& networkPath = L"", KeyLookup* lookup = nullptr) {
        loadEventFiles(h.input, kSingle, kPeriodic, networkPath, networkPathState, lists, lookup);
    }
    std::vector<std::wstring> filesRead() const {
        std::vector<std::wstring> paths;
        for (const std::wstring& line : h.log.lines) {
            if (line.starts_with(L"Reading ")) {
                paths.push_back(line.substr(8, line.size() - 9));
            }
        }
        return paths;
    }

    EventInputHarness h;
    NetworkPathState networkPathState = NetworkPathState::None;
    EventFileLists lists;
};

TEST_F(EventLoaderTest, EmptyOrMissingDirectoriesLeaveEmptyDictionaries) {
    h.complete.slot(L"[old]");
    h.today.slot(L"[old]");
    h.files.addDirectory(kSingle);  // _PeriodicEvents does not exist at all
    load();
    EXPECT_EQ(h.log.lines, (std::vector<std::wstring>{noFilesLine(kSingle), h.dash(),
                                                      noFilesLine(kPeriodic), h.dash()}));
    EXPECT_TRUE(h.complete.empty());
    EXPECT_TRUE(h.today.empty());
    EXPECT_EQ(networkPathState, NetworkPathState::None);
}

TEST_F(EventLoaderTest, ReadsOnlyFilesEndingInLowerCaseCsv) {
    h.files.addFile(kSingle + L"Birthdays.CSV", eventFile("B", "[upper]"));
    h.files.addFile(kSingle + L".csv", eventFile("D", "[dot]"));
    h.files.addFile(kSingle + L"notes.txt", eventFile("N", "[txt]"));
    h.files.addFile(kSingle + L"a.csv.bak", eventFile("K", "[bak]"));
    h.files.addFile(kSingle + L"Archive.csv\\inner.csv", eventFile("I", "[inner]"));
    h.files.addFile(kSingle + L"a.csv", eventFile("A", "[a]"));
    load();
    EXPECT_EQ(lists.singleEvents, std::vector<std::wstring>{L"a.csv"});
    EXPECT_EQ(filesRead(), std::vector<std::wstring>{kSingle + L"a.csv"});
    ASSERT_EQ(h.complete.size(), 1u);
    EXPECT_NE(h.complete.find(L"[a]"), nullptr);
}

TEST_F(EventLoaderTest, ListFilesQualifiesByExtension) {
    for (const wchar_t* name : {L"Birthdays.CSV", L".csv", L"a.csv", L"notes.txt", L"abcd"}) {
        h.files.addFile(kSingle + name);
    }
    h.files.addDirectory(kSingle + L"Archive.csv");
    const struct {
        const wchar_t* extension;
        std::vector<std::wstring> names;
    } kCases[] = {
        {L".csv", {L"a.csv"}},
        {L".CSV", {L"Birthdays.CSV"}},
        {L".txt", {L"notes.txt"}},
        // ".*" takes every file name longer than four characters.
        {L".*", {L"a.csv", L"Birthdays.CSV", L"notes.txt"}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message() << '"' << c.extension << '"');
        std::vector<std::wstring> names = {L"stale"};
        EXPECT_EQ(listFiles(h.files, kSingle, c.extension, names),
                  static_cast<int>(c.names.size()));
        EXPECT_EQ(names, c.names);
    }
    std::vector<std::wstring> names = {L"stale"};
    EXPECT_EQ(listFiles(h.files, L"C:\\P\\Missing\\", L".*", names), 0);
    EXPECT_TRUE(names.empty());
}

TEST_F(EventLoaderTest, ReadsNamesInCaseInsensitiveOrderWhateverTheListingOrder) {
    // The later line of a duplicate key wins, so the order decides what is loaded. Upper-case
    // folding puts "_" after the letters, as NTFS does.
    const std::vector<std::wstring> sorted = {L"Alpha.csv",        L"alpha2.csv", L"a_x.csv",
                                              L"beta.csv",         L"Zeta.csv",   L"\u00e4rger.csv",
                                              L"\u00c9t\u00e9.csv"};
    const std::vector<std::vector<std::wstring>> listingOrders = {
        sorted,
        {sorted.rbegin(), sorted.rend()},
        {L"beta.csv", L"\u00c9t\u00e9.csv", L"Alpha.csv", L"Zeta.csv", L"a_x.csv",
         L"\u00e4rger.csv", L"alpha2.csv"},
    };
    for (const auto& order : listingOrders) {
        SCOPED_TRACE(testing::Message() << "first listed: " << order.front());
        EventInputHarness fresh;
        for (const std::wstring& name : order) {
            fresh.files.addFile(kPeriodic + name,
                                eventFile(std::string(name.begin(), name.end() - 4), "[dup]"));
        }
        EventFileLists freshLists;
        NetworkPathState state = NetworkPathState::None;
        loadEventFiles(fresh.input, kSingle, kPeriodic, L"", state, freshLists, nullptr);
        EXPECT_EQ(freshLists.periodicEvents, sorted);
        ASSERT_NE(fresh.complete.find(L"[dup]"), nullptr);
        EXPECT_EQ(fresh.complete.find(L"[dup]")->sFile, kPeriodic + sorted.back());
    }
}

TEST_F(EventLoaderTest, PeriodicEventsWinOverSingleEventsForTheSameKey) {
    h.files.addFile(kPeriodic + L"Periodic.csv", eventFile("Periodic", "[same]"));
    h.files.addFile(kSingle + L"Single.csv", eventFile("Single", "[same]"));
    load();
    EXPECT_EQ(filesRead(),
              (std::vector<std::wstring>{kSingle + L"Single.csv", kPeriodic + L"Periodic.csv"}));
    ASSERT_NE(h.complete.find(L"[same]"), nullptr);
    EXPECT_EQ(h.complete.find(L"[same]")->sWhat, L"Periodic");
}

TEST_F(EventLoaderTest, NetworkPathStates) {
    const struct {
        const char* name;
        bool exists;
        bool withFile;
        NetworkPathState stateAfter;
        std::vector<std::wstring> logTail;
        std::vector<std::wstring> networkList;
    } kCases[] = {
        {"not connected",
         false,
         false,
         NetworkPathState::NotReached,
         {L"Trying to read from " + kNetwork + L". The network drive was not yet found."},
         {L"old.csv"}},  // the list of the last loading that reached the path stays
        {"no event files",
         true,
         false,
         NetworkPathState::Reached,
         {noFilesLine(kNetwork), std::wstring(500, L'-')},
         {}},
        {"event files",
         true,
         true,
         NetworkPathState::Read,
         {std::wstring(500, L'-')},
         {L"Net.csv"}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        EventInputHarness fresh;
        if (c.exists) {
            fresh.files.addDirectory(kNetwork);
        }
        if (c.withFile) {
            fresh.files.addFile(kNetwork + L"Net.csv", eventFile("Net", "[net]"));
        }
        EventFileLists freshLists;
        freshLists.networkEvents = {L"old.csv"};
        NetworkPathState state = NetworkPathState::NotReached;
        loadEventFiles(fresh.input, kSingle, kPeriodic, kNetwork, state, freshLists, nullptr);
        EXPECT_EQ(state, c.stateAfter);
        ASSERT_GE(fresh.log.lines.size(), 4u + c.logTail.size());
        EXPECT_EQ(std::vector<std::wstring>(
                      fresh.log.lines.end() - static_cast<std::ptrdiff_t>(c.logTail.size()),
                      fresh.log.lines.end()),
                  c.logTail);
        EXPECT_EQ(freshLists.networkEvents, c.networkList);
        EXPECT_EQ(fresh.complete.find(L"[net]") != nullptr, c.withFile);
    }
}

TEST_F(EventLoaderTest, ReloadGivesTheSameDictionariesAsAFirstLoading) {
    // A reload makes its entries in the storage of the old ones; whatever the old ones were and
    // whatever the reminder check wrote into them, the result is that of a first loading.
    const std::string header = "Title;Text;Date;Time;Pretrigger;Repeat;Interval;Key;Row\r\n";
    h.files.addFile(
        kSingle + L"Events.csv",
        header +
            "Old title that is rather long;Old text;15.06.2025;0,5;60;3;30mwd2;[a];2\r\n"
            "Gone;;15.06.2025;0,5;60;1;;[gone];3\r\n"
            "Year;;01.01.2025;0,25;0;0;365;[b];4\r\n");
    load();
    for (Dictionary* dictionary : {&h.today, &h.complete}) {
        for (auto& [key, entry] : *dictionary) {
            entry.remindMatrix = 0xFFFFFFFFu;
            entry.lastOutputSec = 1.0;
            entry.nextAskSec = 2.0;
        }
    }
    const std::string reloaded = header +
                                 "New;;15.06.2025;0,75;0;0;;[a];2\r\n"
                                 "Year;;01.01.2025;0,25;0;0;7;[b];3\r\n"
                                 "Added;;15.06.2025;0,5;30;2;;[c];4\r\n";
    h.files.addFile(kSingle + L"Events.csv", reloaded);
    load();

    EventInputHarness first;
    first.files.addFile(kSingle + L"Events.csv", reloaded);
    NetworkPathState firstState = NetworkPathState::None;
    EventFileLists firstLists;
    loadEventFiles(first.input, kSingle, kPeriodic, L"", firstState, firstLists, nullptr);
    for (const auto& [dictionary, expected] :
         {std::pair{&h.complete, &first.complete}, std::pair{&h.today, &first.today}}) {
        ASSERT_EQ(dictionary->size(), expected->size());
        for (const auto& [key, entry] : *expected) {
            SCOPED_TRACE(testing::Message() << key);
            ASSERT_NE(dictionary->find(key), nullptr);
            expectSameEntry(*dictionary->find(key), entry);
        }
    }
    EXPECT_EQ(first.today.size(), 2u);  // [a] and [c]
}

TEST_F(EventLoaderTest, LoadingNestedInABoxOfTheReaderLeavesBothLoadingsComplete) {
    // The window reloads from a tick inside a message box of the reader: the nested loading
    // empties and refills the dictionaries while the outer one is in the middle of a file and
    // goes on storing its remaining lines afterwards.
    h.files.addFile(kSingle + L"Events.csv",
                    "Title;Text;Date;Time;Pretrigger;Repeat;Interval;Key;Row\r\n"
                    "First;;15.06.2025;0,5;60;1;365;[a1];2\r\n"
                    "Refused;;15.06.2025;0,5;60;1;7d;[bad];3\r\n"
                    "Second;;15.06.2025;0,75;60;1;;[a2];4\r\n");
    h.boxes.onShow = [this](const FakeMessageBoxes::Box&) {
        if (h.boxes.shown.size() == 1) {
            load();
        }
    };
    load();
    EXPECT_EQ(h.boxes.shown.size(), 2u);  // the outer loading's box and the nested one's

    EventInputHarness first;
    first.files.addFile(kSingle + L"Events.csv", *h.files.fileBytes(kSingle + L"Events.csv"));
    NetworkPathState firstState = NetworkPathState::None;
    EventFileLists firstLists;
    loadEventFiles(first.input, kSingle, kPeriodic, L"", firstState, firstLists, nullptr);
    for (const auto& [dictionary, expected] :
         {std::pair{&h.complete, &first.complete}, std::pair{&h.today, &first.today}}) {
        ASSERT_EQ(dictionary->size(), expected->size());
        for (const auto& [key, entry] : *expected) {
            SCOPED_TRACE(testing::Message() << key);
            ASSERT_NE(dictionary->find(key), nullptr);
            expectSameEntry(*dictionary->find(key), entry);
        }
    }
    EXPECT_EQ(first.complete.size(), 2u);
}

TEST_F(EventLoaderTest, LookupIsPassedToEveryFileAndTheLastFileReadWins) {
    h.files.addFile(kSingle + L"Single.csv", eventFile("S", "[k]"));
    h.files.addFile(kPeriodic + L"Periodic.csv", eventFile("P", "[k]"));
    KeyLookup lookup;
    lookup.key = L"[k]";
    load(L"", &lookup);
    EXPECT_TRUE(lookup.found);
    EXPECT_EQ(lookup.filePath, kPeriodic + L"Periodic.xlsm");
    // Only the lines about directories without files would be logged.
    EXPECT_TRUE(h.log.lines.empty());
}

}  // namespace
}  // namespace tindlow
