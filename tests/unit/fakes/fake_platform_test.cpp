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

// The last error is the failed call's code only until the next platform call of any kind.
TEST(FakeShell, TheLastErrorChangesWithEveryCall) {
    FakePlatform fake;
    fake.shell.result = 2;
    fake.shell.error = 1155;
    fake.shell.open(L"C:\\P\\x.txt");
    EXPECT_EQ(fake.shell.lastError(), 1155u);
    EXPECT_EQ(fake.shell.lastError(), 1155u);  // reading it is no call that changes it
    fake.view.addLogLine(L"a line");
    EXPECT_NE(fake.shell.lastError(), 1155u);

    fake.shell.open(L"C:\\P\\x.txt");
    fake.files.exists(L"C:\\P");
    EXPECT_NE(fake.shell.lastError(), 1155u);
    EXPECT_FALSE(fake.files.readFile(L"C:\\P\\missing.txt").ok());
    EXPECT_EQ(fake.shell.lastError(), 2u);

    fake.boxes.answers = {0};
    EXPECT_EQ(fake.boxes.show(L"text", L"caption", BoxIcon::Information), 0);
    EXPECT_EQ(fake.shell.lastError(), fake.boxes.failureError);
}

}  // namespace
}  // namespace tindlow
