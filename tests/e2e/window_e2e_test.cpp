#include <gtest/gtest.h>

#include "torvane_driver.h"

TEST(MainWindow, ClosingHidesTheWindowAndTheProgramRunsOn)
{
    struct Case {
        const char* name;
        UINT message;
        WPARAM wParam;
    };
    const Case cases[] = {
        {"WM_CLOSE", WM_CLOSE, 0},
        {"system close command", WM_SYSCOMMAND, SC_CLOSE},
    };
    ProgramDirectory dir;
    Torvane torvane(dir);
    ASSERT_TRUE(torvane.started());
    for (const Case& c : cases) {
        ShowWindow(torvane.window(), SW_SHOW);
        ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(torvane.window()) != 0; }));
        PostMessageW(torvane.window(), c.message, c.wParam, 0);
        EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(torvane.window()); })) << c.name;
        // A loop that went on to end would answer at most the first of two.
        EXPECT_TRUE(torvane.Answers() && torvane.Answers()) << c.name;
        EXPECT_TRUE(torvane.process().Running()) << c.name;
        EXPECT_TRUE(IsWindow(torvane.window())) << c.name;
    }
}

TEST(MainWindow, LogOffLetsTheSessionEndAndTheProgramExits)
{
    ProgramDirectory dir;
    Torvane torvane(dir);
    ASSERT_TRUE(torvane.started());
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(torvane.window(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_BLOCK, 3000, &answer);
    EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE));
    SendMessageTimeoutW(torvane.window(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_BLOCK, 3000, &answer);
    EXPECT_EQ(WaitForSingleObject(torvane.process().handle(), 5000), static_cast<DWORD>(WAIT_OBJECT_0));
}
