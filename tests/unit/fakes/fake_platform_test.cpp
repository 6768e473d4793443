// The small fakes behave as the platform does where the engine could come to rely on it.
#include <gtest/gtest.h>

#include "fakes/fake_platform.h"

namespace tindlow {
namespace {

TEST(FakeView, AppliesMinimiseHideAndShowAsTheWindowSystemDoes) {
    FakeView view;
    const ScreenRect normal = view.windowRect();
    view.command(WindowCommand::Minimize);
    EXPECT_TRUE(view.isMinimized());
    EXPECT_TRUE(view.visible);
    // A minimised window is parked off the screen.
    EXPECT_EQ(view.windowRect(), FakeView::kMinimizedRect);
    view.command(WindowCommand::Hide);
    EXPECT_FALSE(view.visible);
    EXPECT_TRUE(view.isMinimized());
    view.command(WindowCommand::ShowNormal);
    EXPECT_TRUE(view.visible);
    EXPECT_FALSE(view.isMinimized());
    EXPECT_EQ(view.windowRect(), normal);
}

// A failure comes with the system's reason in its own result, as the real platform reads it at
// once; nothing has to ask for a last error afterwards.
TEST(FakePlatform, FailuresAnswerTheirReasonWithTheResult) {
    FakePlatform fake;
    fake.shell.result = 2;
    fake.shell.error = 1155;
    const ShellResult opened = fake.shell.open(L"C:\\P\\x.txt");
    EXPECT_FALSE(opened.opened);
    EXPECT_EQ(opened.error, 1155u);

    EXPECT_EQ(fake.files.readFile(L"C:\\P\\missing.txt").systemError, 2u);
    fake.files.addFile(L"C:\\P\\locked.txt", "x");
    fake.files.lock(L"C:\\P\\locked.txt");
    EXPECT_EQ(fake.files.readFile(L"C:\\P\\locked.txt").systemError, 32u);

    fake.boxes.answers = {0};
    EXPECT_EQ(fake.boxes.show(L"text", L"caption", BoxIcon::Information), 0);
    EXPECT_EQ(fake.boxes.showFailure(), fake.boxes.failureError);
}

}  // namespace
}  // namespace tindlow
