#include <gtest/gtest.h>

#include "app/tindlow_dlg.h"
#include "fakes/test_program.h"
#include "model/text_files.h"
#include "ui/control_ids.h"

namespace tindlow {
namespace {

const std::wstring& kRoot = kTestRoot;

struct Program : TestProgram {
    std::vector<std::wstring> log() const { return fake.view.logLines; }
};

TEST(Startup, EmptyDirectoryGetsTheLayoutAndADefaultSettingsFile) {
    Program program;
    program.start();
    FakeFileSystem& files = program.fake.files;
    for (const wchar_t* dir : {L"_Settings", L"_IniFile", L"_PeriodicEvents", L"_SingleEvents",
                               L"_EmittedReminders", L"_Exports", L"_UserDocuments", L"_Help"}) {
        SCOPED_TRACE(dir);
        EXPECT_TRUE(files.isDirectory(kRoot + L"\\" + dir));
    }
    EXPECT_TRUE(files.isDirectory(L"C:\\Temp"));
    EXPECT_EQ(files.fileBytes(kRoot + L"\\_EmittedReminders\\EmittedReminders.txt"), "");
    EXPECT_EQ(files.fileBytes(kRoot + L"\\_Settings\\Settings.txt"),
              "Language = English\r\nStartPosition = 0,0\r\nPreviewLookbackDays = 11\r\n");
    EXPECT_EQ(program.fake.view.title, L"Tindlow v1.40 (a) Instance 1");
    EXPECT_EQ(program.fake.view.timerId, 1);
    EXPECT_EQ(program.fake.view.timerPeriod, 500);
    EXPECT_TRUE(program.dialog.parts().run.started);
    EXPECT_EQ(program.dialog.parts().events.loadedDate(), (DayMonthYear{9, 12, 2026}));
    EXPECT_EQ(program.dialog.parts().dashLine, std::wstring(500, L'-'));
}

TEST(Startup, ExistingFilesAreLeftUntouched) {
    Program program;
    FakeFileSystem& files = program.fake.files;
    const std::string settings =
        "Language = German\r\nStartPosition = 10,20\r\nPreviewLookbackDays = 25\r\n";
    files.addFile(kRoot + L"\\_Settings\\Settings.txt", settings);
    files.addFile(kRoot + L"\\_EmittedReminders\\EmittedReminders.txt", "x;1;2\r\n");
    files.addFile(kRoot + L"\\_UserDocuments\\notes.txt", "mine");
    program.start();
    EXPECT_EQ(files.fileBytes(kRoot + L"\\_Settings\\Settings.txt"), settings);
    EXPECT_EQ(files.fileBytes(kRoot + L"\\_EmittedReminders\\EmittedReminders.txt"), "x;1;2\r\n");
    EXPECT_EQ(files.fileBytes(kRoot + L"\\_UserDocuments\\notes.txt"), "mine");
    EXPECT_EQ(program.fake.view.title, L"Tindlow v1.40 (a) Instanz 1");
    EXPECT_EQ(program.dialog.parts().daysInput.days(), 25);
    EXPECT_EQ(program.fake.view.texts[ids::kDaysField], L"25");
    EXPECT_EQ(program.fake.view.moves.back().x, 10);
    EXPECT_EQ(program.fake.view.moves.back().y, 20);
}

TEST(Startup, LeftoverPopupSignalIsDeleted) {
    Program program;
    program.fake.files.addFile(L"C:\\Temp\\PopupHiddenReminders.txt");
    program.start();
    EXPECT_FALSE(program.fake.files.exists(L"C:\\Temp\\PopupHiddenReminders.txt"));
}

TEST(Startup, InstanceNumberCountsTindlowProcesses) {
    Program program;
    program.fake.processes.processes = {
        {1, L"explorer.exe"}, {2, L"Tindlow.exe"}, {3, L"tindlow.exe"}, {4, L"MyTindlowTool.exe"}};
    program.start();
    EXPECT_EQ(program.fake.view.title, L"Tindlow v1.40 (a) Instance 2");
}

TEST(Startup, NoticesAreShownOnceStartupIsDone) {
    Program program;
    program.start();
    const auto lines = program.log();
    auto has = [&](const std::wstring& part) {
        for (const auto& line : lines) {
            if (line.find(part) != std::wstring::npos)
                return true;
        }
        return false;
    };
    EXPECT_TRUE(has(L"The settings-file was missing and newly created."));
    EXPECT_TRUE(has(L".\\_Help\\Help.pdf was not found"));
    EXPECT_TRUE(has(L".\\_Help\\Hilfe.pdf was not found"));
    EXPECT_TRUE(has(L".\\_IniFile\\IniFile.csv was not found"));
}

TEST(Startup, WindowSizeModeDecidesHowTheWindowAppears) {
    Program program;
    program.start();
    ASSERT_FALSE(program.fake.view.commands.empty());
    EXPECT_EQ(program.fake.view.commands.back(), WindowCommand::ShowNormal);
    EXPECT_EQ(program.dialog.parts().window.displayState(), DisplayState::Normal);
}

TEST(Startup, MissingWindowEndsTheDialogAfterABox) {
    Program program;
    program.fake.view.findable = false;
    program.start();
    ASSERT_EQ(program.fake.boxes.shown.size(), 1u);
    EXPECT_NE(program.fake.boxes.shown[0].text.find(L"No handle to The Tindlow window"),
              std::wstring::npos);
    EXPECT_TRUE(program.fake.view.ended);
    EXPECT_FALSE(program.dialog.parts().run.started);
}

TEST(Startup, UnreadableInitializationFileEndsTheProgramAfterABox) {
    Program program;
    program.fake.files.addFile(kRoot + L"\\_IniFile\\IniFile.csv", "1;[ExecutionLoop]\r\n");
    program.fake.files.lock(kRoot + L"\\_IniFile\\IniFile.csv");
    program.start();
    ASSERT_EQ(program.fake.boxes.shown.size(), 1u);
    EXPECT_EQ(program.fake.boxes.shown[0].caption, L"GetLastError");
    EXPECT_EQ(program.fake.boxes.shown[0].icon, BoxIcon::Information);
    EXPECT_TRUE(program.fake.view.ended);
    EXPECT_FALSE(program.dialog.parts().run.started);
}

TEST(Startup, InitializationFileSettingsAreApplied) {
    Program program;
    program.fake.files.addFile(kRoot + L"\\_IniFile\\IniFile.csv",
                               "Value;Key\r\n1;[WindowSize]\r\n30;[ExecutionLoop]\r\n");
    program.start();
    EXPECT_EQ(program.dialog.parts().events.ini().executionLoopPeriod, 60);
    EXPECT_EQ(program.fake.view.commands.back(), WindowCommand::Minimize);
    EXPECT_EQ(program.dialog.parts().window.displayState(), DisplayState::Minimized);
}

TEST(CloseSequence, SavesSettingsExportsTheLogAndRemovesTheSignal) {
    Program program;
    program.start();
    program.dialog.parts().daysInput.setDays(30);
    program.fake.files.addFile(L"C:\\Temp\\PopupHiddenReminders.txt");
    program.fake.clock.set(LocalTime{2026, 12, 9, 17, 5, 9, 0});
    program.dialog.onClose();
    EXPECT_EQ(program.fake.files.fileBytes(kRoot + L"\\_Settings\\Settings.txt"),
              "Language = English\r\nStartPosition = 0,0\r\nPreviewLookbackDays = 30\r\n");
    EXPECT_FALSE(program.fake.files.exists(L"C:\\Temp\\PopupHiddenReminders.txt"));
    const auto exported =
        program.fake.files.fileBytes(kRoot + L"\\_Exports\\2026-12-09_17.05.09 ListboxContent.txt");
    ASSERT_TRUE(exported.has_value());
    EXPECT_EQ(exported->substr(0, 2), "\xFF\xFE");
    EXPECT_TRUE(program.fake.view.ended);
}

TEST(CloseSequence, CancelEndsWithoutIt) {
    Program program;
    program.start();
    const auto before = program.fake.files.fileBytes(kRoot + L"\\_Settings\\Settings.txt");
    program.dialog.parts().daysInput.setDays(30);
    program.dialog.onCancel();
    EXPECT_TRUE(program.fake.view.ended);
    EXPECT_EQ(program.fake.files.fileBytes(kRoot + L"\\_Settings\\Settings.txt"), before);
}

TEST(Dialog, EnterIsSwallowedOtherKeysPass) {
    Program program;
    program.start();
    EXPECT_TRUE(program.dialog.onKeyDown(KeyPress::Enter));
    EXPECT_FALSE(program.dialog.onKeyDown(KeyPress::Other));
}

}  // namespace
}  // namespace tindlow
