#pragma once
// A whole program on the fake platform: `TestProgram program; program.start();` runs the dialog
// initialisation and the first paint in the program directory C:\P on 09.12.2026 08:30:00.

#include <string>
#include <vector>

#include "app/tindlow_dlg.h"
#include "app/window_commands.h"
#include "fakes/fake_platform.h"
#include "ui/control_ids.h"

namespace tindlow {

inline const std::wstring kTestRoot = L"C:\\P";

struct TestProgram {
    FakePlatform fake;
    CTindlowDlg dialog{fake.platform};

    TestProgram() {
        fake.files.setCurrentDirectory(kTestRoot);
        fake.clock.set(LocalTime{2026, 12, 9, 8, 30, 0, 0});
    }
    void start() {
        dialog.onInitDialog();
        dialog.onPaint();
    }
    void ticks(int count) {
        for (int i = 0; i < count; ++i) {
            fake.clock.advanceMilliseconds(500);
            dialog.onTimer();
        }
    }
    AppParts& parts() { return dialog.parts(); }
    // The command's place in the command menu.
    static std::size_t menuPlace(MenuCommand command) {
        const auto& rows = windowCommandRows();
        std::size_t place = 0;
        while (place < rows.size() && rows[place].command != command) {
            ++place;
        }
        return place;
    }
    // Chooses the command in the command menu.
    void choose(MenuCommand command) {
        fake.view.comboSelections[ids::kCommandMenu] = static_cast<int>(menuPlace(command));
        dialog.onMenuChoice(ids::kCommandMenu);
    }
    const std::vector<std::wstring>& logLines() const { return fake.view.logLines; }
    // The last log line without its number.
    std::wstring lastLog() const {
        const auto& lines = fake.view.logLines;
        if (lines.empty())
            return std::wstring();
        const auto at = lines.back().find(L"   ");
        return at == std::wstring::npos ? lines.back() : lines.back().substr(at + 3);
    }
    bool logged(const std::wstring& part) const {
        for (const auto& line : fake.view.logLines) {
            if (line.find(part) != std::wstring::npos)
                return true;
        }
        return false;
    }
};

// Shows the five error boxes of the run's budget, so later ones are dropped, and forgets them.
inline void spendErrorBoxBudget(TestProgram& program) {
    while (program.parts().feedback.errorBoxCount() < ErrorBoxes::kShownPerRun) {
        program.parts().feedback.showCountedErrorBox(L"spent");
    }
    program.fake.boxes.shown.clear();
}

}  // namespace tindlow
