#include <gtest/gtest.h>

#include "app/control_ids.h"
#include "torvane_driver.h"
#include "tray/tray_menu.h"

#include <shellapi.h>

using namespace torvane;

namespace {

constexpr UINT kTrayCallback = 2025;

HWND OpenMenuOf(DWORD pid)
{
    return VisibleWindowOfClass(pid, L"#32768");
}

bool ShowsPage(const Torvane& torvane, int page)
{
    return IsWindowVisible(torvane.window()) && !IsIconic(torvane.window()) &&
           IsWindowVisible(torvane.Control(page));
}

} // namespace

TEST(Tray, DoubleClickBringsAHiddenWindowBackOnItsLastPageAndLeavesAShownOneAlone)
{
    ProgramDirectory dir;
    Torvane torvane(dir);
    ASSERT_TRUE(torvane.started());
    // The icon follows the window's first paint.
    EXPECT_TRUE(WaitFor([] { return TrayIconCount() == 1; }));
    ASSERT_TRUE(torvane.RealClick(ControlId::ImageSettings));
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(torvane.Control(ControlId::PictureSettings)) != 0; }));
    PostMessageW(torvane.window(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(torvane.window()); }));

    PostMessageW(torvane.window(), kTrayCallback, 0, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(WaitFor([&] { return ShowsPage(torvane, ControlId::PictureSettings); }));

    SendMessageW(torvane.window(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(WaitFor([&] { return IsIconic(torvane.window()) != 0; }));
    // Sent, not posted: once it returns, the double click has been handled.
    SendMessageW(torvane.window(), kTrayCallback, 0, WM_LBUTTONDBLCLK);
    ASSERT_TRUE(torvane.Answers());
    EXPECT_TRUE(IsIconic(torvane.window()));
}

TEST(Tray, AStartAsATrayIconComesBackOnTheStatusPage)
{
    ProgramDirectory dir;
    dir.WriteConfig("Normal", "AutoMin", "1");
    Torvane torvane(dir);
    ASSERT_TRUE(torvane.started());
    ASSERT_TRUE(torvane.Answers());
    ASSERT_FALSE(IsWindowVisible(torvane.window()));
    PostMessageW(torvane.window(), kTrayCallback, 0, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(WaitFor([&] { return ShowsPage(torvane, ControlId::PictureStatus); }));
}

TEST(Tray, RightButtonOpensTheMenuAndEachPageEntryShowsItsPage)
{
    ProgramDirectory dir;
    Torvane torvane(dir);
    ASSERT_TRUE(torvane.started());
    PostMessageW(torvane.window(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(torvane.window()); }));

    PostMessageW(torvane.window(), kTrayCallback, 0, WM_RBUTTONDOWN);
    HWND menuWindow = nullptr;
    // A new prefix booting beside it (the package tests) can hold it up for seconds.
    ASSERT_TRUE(WaitFor([&] { return (menuWindow = OpenMenuOf(torvane.process().id())) != nullptr; }, 15000));
    // The entries themselves are checked by the unit tests; Wine does not
    // let another process read a menu's items.
    EXPECT_FALSE(IsWindowVisible(torvane.window()));
    SendMessageW(torvane.window(), WM_CANCELMODE, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return OpenMenuOf(torvane.process().id()) == nullptr; }));

    struct Case {
        int entry;
        int page;
        bool minimiseFirst;
    };
    const Case cases[] = {
        {TrayMenuId::Setting, ControlId::PictureSettings, false},
        {TrayMenuId::State, ControlId::PictureStatus, true},
        {TrayMenuId::Record, ControlId::PictureRecords, false},
        {TrayMenuId::About, ControlId::PictureAbout, true},
    };
    for (const Case& c : cases) {
        if (c.minimiseFirst)
            SendMessageW(torvane.window(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
        else
            SendMessageW(torvane.window(), WM_CLOSE, 0, 0);
        PostMessageW(torvane.window(), WM_COMMAND, static_cast<WPARAM>(c.entry), 0);
        EXPECT_TRUE(WaitFor([&] { return ShowsPage(torvane, c.page); })) << c.entry;
    }
}

TEST(Tray, TaskbarCreatedAddsTheIconAgainAndExitRemovesItAndEnds)
{
    ProgramDirectory dir;
    Torvane torvane(dir);
    ASSERT_TRUE(torvane.started());
    ASSERT_TRUE(WaitFor([] { return TrayIconCount() == 1; }));

    // The shell loses the icon, then a new shell announces itself.
    NOTIFYICONDATAW lost = {};
    lost.cbSize = sizeof lost;
    lost.hWnd = torvane.window();
    lost.uID = 0;
    Shell_NotifyIconW(NIM_DELETE, &lost);
    ASSERT_TRUE(WaitFor([] { return TrayIconCount() == 0; }));
    PostMessageW(torvane.window(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(WaitFor([] { return TrayIconCount() == 1; }));

    PostMessageW(torvane.window(), WM_COMMAND, TrayMenuId::Exit, 0);
    EXPECT_EQ(WaitForSingleObject(torvane.process().handle(), 1000), static_cast<DWORD>(WAIT_OBJECT_0));
    DWORD code = 1;
    GetExitCodeProcess(torvane.process().handle(), &code);
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(WaitFor([] { return TrayIconCount() == 0; }, 2000));
}
