#include "model/text_tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace tindlow {
namespace {

std::string show(const std::wstring& text) {
    return std::string(text.begin(), text.end());
}

bool isShown(int index) {
    return std::find(msg::kShown.begin(), msg::kShown.end(), index) != msg::kShown.end();
}

void expectSizes(const TextTables& tables) {
    EXPECT_EQ(tables.messages.size(), kMessageCount);
    EXPECT_EQ(tables.documentMenu.size(), kDocumentMenuCount);
    EXPECT_EQ(tables.commandMenu.size(), kCommandMenuCount);
    EXPECT_EQ(tables.labels.size(), kLabelCount);
    EXPECT_EQ(tables.buttonCaptions.size(), kButtonTextCount);
    EXPECT_EQ(tables.buttonTooltips.size(), kButtonTextCount);
}

TEST(TextTables, EveryCopyHasTheFixedSizes) {
    EXPECT_EQ(kMessageCount, 111u);
    EXPECT_EQ(kDocumentMenuCount, 18u);
    EXPECT_EQ(kCommandMenuCount, 19u);
    EXPECT_EQ(kLabelCount, 3u);
    EXPECT_EQ(kButtonTextCount, 8u);
    {
        SCOPED_TRACE("English");
        expectSizes(englishTables());
    }
    {
        SCOPED_TRACE("German");
        expectSizes(germanTables());
    }
    {
        SCOPED_TRACE("empty");
        expectSizes(emptyTables());
    }
}

TEST(TextTables, EmptyTablesHoldOnlyEmptyTexts) {
    const TextTables tables = emptyTables();
    for (const auto* table : {&tables.messages, &tables.documentMenu, &tables.commandMenu,
                              &tables.labels, &tables.buttonCaptions, &tables.buttonTooltips}) {
        for (const std::wstring& text : *table) {
            EXPECT_TRUE(text.empty());
        }
    }
}

TEST(TextTables, ShownIndicesAreAscendingAndInRange) {
    EXPECT_TRUE(std::is_sorted(msg::kShown.begin(), msg::kShown.end()));
    EXPECT_EQ(std::set<int>(msg::kShown.begin(), msg::kShown.end()).size(), msg::kShown.size());
    EXPECT_GE(msg::kShown.front(), 0);
    EXPECT_LT(msg::kShown.back(), static_cast<int>(kMessageCount));
}

// A shown entry has a text in both languages, and the German one is a translation; the unused
// indices stay empty so nothing stray is ever shown.
TEST(TextTables, ShownMessagesAreFilledAndTranslatedOthersEmpty) {
    const auto& en = englishTables().messages;
    const auto& de = germanTables().messages;
    for (int index = 0; index < static_cast<int>(kMessageCount); ++index) {
        SCOPED_TRACE(index);
        const auto i = static_cast<std::size_t>(index);
        if (isShown(index)) {
            EXPECT_FALSE(en[i].empty());
            EXPECT_FALSE(de[i].empty());
            EXPECT_NE(en[i], de[i]);
        } else {
            EXPECT_TRUE(en[i].empty());
            EXPECT_TRUE(de[i].empty());
        }
    }
}

TEST(TextTables, MenuLabelAndButtonTextsAreFilledAndTranslated) {
    const TextTables& en = englishTables();
    const TextTables& de = germanTables();
    const struct {
        const char* name;
        const std::vector<std::wstring>& english;
        const std::vector<std::wstring>& german;
    } kTables[] = {
        {"document menu", en.documentMenu, de.documentMenu},
        {"command menu", en.commandMenu, de.commandMenu},
        {"labels", en.labels, de.labels},
        {"button captions", en.buttonCaptions, de.buttonCaptions},
        {"button tooltips", en.buttonTooltips, de.buttonTooltips},
    };
    for (const auto& table : kTables) {
        for (std::size_t i = 0; i < table.english.size(); ++i) {
            SCOPED_TRACE(std::string(table.name) + " " + std::to_string(i));
            EXPECT_FALSE(table.english[i].empty());
            EXPECT_FALSE(table.german[i].empty());
            EXPECT_NE(table.english[i], table.german[i]);
        }
    }
}

// Fragments are joined with paths, numbers and other entries: a German fragment must keep the
// blanks and line ends at its edges that the joining relies on. Entries 37, 38 and 102 are
// shaped differently in German on purpose (" zu lesen. ..." continues "Versuche von " + dir).
TEST(TextTables, GermanFragmentsJoinLikeTheEnglishOnes) {
    const auto& en = englishTables().messages;
    const auto& de = germanTables().messages;
    const std::set<int> kOwnStart = {msg::kNoFilesFound, msg::kNetworkDriveNotFound,
                                     msg::kNoReminderToday};
    for (const int index : msg::kShown) {
        SCOPED_TRACE(show(en[static_cast<std::size_t>(index)]));
        const std::wstring& english = en[static_cast<std::size_t>(index)];
        const std::wstring& german = de[static_cast<std::size_t>(index)];
        EXPECT_EQ(english.back() == L' ', german.back() == L' ');
        EXPECT_EQ(english.back() == L'\n', german.back() == L'\n');
        EXPECT_EQ(english.find(L'\n') == std::wstring::npos,
                  german.find(L'\n') == std::wstring::npos);
        if (kOwnStart.count(index) == 0) {
            EXPECT_EQ(english.front() == L' ', german.front() == L' ');
        }
    }
}

// The command number is part of each text; the dispatcher matches whole texts.
TEST(TextTables, CommandTextsCarryTheirNumber) {
    for (std::size_t i = 0; i < kCommandMenuCount; ++i) {
        const std::wstring prefix = std::to_wstring(i + 1) + L". ";
        SCOPED_TRACE(i);
        EXPECT_EQ(englishTables().commandMenu[i].rfind(prefix, 0), 0u);
        EXPECT_EQ(germanTables().commandMenu[i].rfind(prefix, 0), 0u);
    }
}

// These entries become part of export file names.
TEST(TextTables, FileNameSuffixesAreValidInFileNames) {
    const int kSuffixes[] = {msg::kPreviewSuffix,        msg::kLookBackSuffix,
                             msg::kLastRemindersSuffix,  msg::kCompleteDictionarySuffix,
                             msg::kDateSimulationSuffix, msg::kTodaysDictionarySuffix};
    for (const TextTables* tables : {&englishTables(), &germanTables()}) {
        for (const int index : kSuffixes) {
            const std::wstring& suffix = tables->messages[static_cast<std::size_t>(index)];
            SCOPED_TRACE(show(suffix));
            EXPECT_EQ(suffix.front(), L' ');
            EXPECT_EQ(suffix.find_first_of(L"\\/:*?\"<>|\n"), std::wstring::npos);
        }
    }
}

// The help and initialization file paths are real relative paths in both languages.
TEST(TextTables, NoticesNameRealRelativePaths) {
    const struct {
        int index;
        const wchar_t* englishPath;
        const wchar_t* germanPath;
    } kCases[] = {
        {msg::kEnglishHelpMissing, L".\\_Help\\Help.pdf", L".\\_Help\\Help.pdf"},
        {msg::kGermanHelpMissing, L".\\_Help\\Hilfe.pdf", L".\\_Help\\Hilfe.pdf"},
        {msg::kIniFileMissing, L".\\_IniFile\\IniFile.csv", L".\\_IniFile\\IniFile.csv"},
        // Open Help opens the help file of the active language.
        {msg::kHelpOpenFailed, L".\\_Help\\Help.pdf", L".\\_Help\\Hilfe.pdf"},
    };
    for (const auto& row : kCases) {
        SCOPED_TRACE(row.index);
        const auto i = static_cast<std::size_t>(row.index);
        EXPECT_NE(englishTables().messages[i].find(row.englishPath), std::wstring::npos);
        EXPECT_NE(germanTables().messages[i].find(row.germanPath), std::wstring::npos);
    }
}

TEST(TextTables, TellingEntriesAreExact) {
    const auto& en = englishTables().messages;
    const auto& de = germanTables().messages;
    EXPECT_EQ(en[msg::kInstanceWord], L" Instance ");
    EXPECT_EQ(de[msg::kInstanceWord], L" Instanz ");
    EXPECT_EQ(en[msg::kReading], L"Reading ");
    EXPECT_EQ(de[msg::kReading], L"Lese ");
    EXPECT_EQ(de[msg::kStopEntriesCaption], L"Stoppe Eintr\u00e4ge");
    EXPECT_EQ(en[msg::kDaysFieldEmpty].substr(0, 9), L"Attetion,");
    EXPECT_EQ(en[msg::kEventFileMissingEnd], L" was not found an cannot be read.");
    EXPECT_EQ(de[msg::kOutdatedExportsDeleted],
              L"Die folgenden, veralteten Dateien im _Eports Ordner wurden gel\u00f6scht: ");
    EXPECT_EQ(de[msg::kSettingsFileNotOpened],
              L"Achtung, die Settings-Datei konnte nicht ge\u00f6ffnet werden. Beim Schlie\u00dfen "
              L"der Anwendung wird eine neue Datei erzeugt. Der Windows Fehlercode war: ");
    EXPECT_EQ(de[msg::kNoReminderToday], L"Heute wird keine Erinnerung ausgegeben.");
    EXPECT_EQ(en[msg::kLookBackSuffix], L" Loop-back");
    EXPECT_EQ(englishTables().buttonCaptions[0], L"Future Events");
    EXPECT_EQ(germanTables().buttonCaptions[7], L"L\u00f6sche Listbox");
    EXPECT_EQ(germanTables().labels[2], L"Befehle:");
}

TEST(TextTables, OnlyTheExactWordEnglishSelectsEnglish) {
    const struct {
        const wchar_t* setting;
        bool english;
    } kCases[] = {
        {L"English", true},  {L"German", false},   {L"english", false},
        {L"ENGLISH", false}, {L"English ", false}, {L"", false},
    };
    for (const auto& row : kCases) {
        SCOPED_TRACE(show(row.setting));
        EXPECT_EQ(selectsEnglish(row.setting), row.english);
        EXPECT_EQ(&tablesFor(row.setting), row.english ? &englishTables() : &germanTables());
        EXPECT_EQ(checkBoxTooltip(row.setting).rfind(row.english ? L"Stops/" : L"Stoppt/", 0), 0u);
    }
}

}  // namespace
}  // namespace tindlow
