// What Torvane raised is given back: past windows it does not boost, past a
// window that closed while its process ran on, after a kill, and never over
// a class the user chose since.
#include <gtest/gtest.h>

#include <optional>

#include "app/control_ids.h"
#include "tray/tray_menu.h"
#include "torvane_driver.h"

using namespace torvane;

namespace {

constexpr DWORD kNormal = NORMAL_PRIORITY_CLASS;
constexpr DWORD kHigh = HIGH_PRIORITY_CLASS;
constexpr DWORD kRealtime = REALTIME_PRIORITY_CLASS;
constexpr DWORD kIdle = IDLE_PRIORITY_CLASS;
constexpr DWORD kBelow = BELOW_NORMAL_PRIORITY_CLASS;
// Two ticks of the booster's one-second timer, and a little slack.
constexpr DWORD kTwoTicks = 2600;

struct LedgerSetup {
    explicit LedgerSetup(const char* speedLevel = "1")
    {
        dir.WriteConfig("Normal", "EnableSpeed", "1");
        dir.WriteConfig("Speed", "SpeedLevel", speedLevel);
    }
    std::wstring LedgerPath() const { return dir.path() + L"\\Raised.txt"; }
    ProgramDirectory dir;
};

// Brings the window in front and waits for Torvane to raise it.
bool Raised(const TestWindow& window, DWORD cls)
{
    return window.BringToFront() && WaitFor([&] { return window.PriorityClass() == cls; }, kTwoTicks);
}

void Exit(Torvane& torvane)
{
    PostMessageW(torvane.window(), WM_COMMAND, TrayMenuId::Exit, 0);
    EXPECT_EQ(WaitForSingleObject(torvane.process().handle(), 3000), static_cast<DWORD>(WAIT_OBJECT_0));
}

} // namespace

// A window without a title, or one whose title begins with the last raised
// one's, is not boosted; the application raised before it is given back at
// the next boost all the same, in both modes.
TEST(Ledger, WhatWasRaisedIsGivenBackPastWindowsThatAreNotBoosted)
{
    for (const char* level : {"1", "2"}) {
        const DWORD raised = level[0] == '1' ? kHigh : kRealtime;
        LedgerSetup setup(level);
        TestWindow alpha(L"AlphaWin");
        TestWindow alpha2(L"AlphaWin 2");
        TestWindow beta(L"BetaWin");
        TestWindow untitled(L"");
        ASSERT_TRUE(alpha.window() && alpha2.window() && beta.window() && untitled.window());
        Torvane torvane(setup.dir);
        ASSERT_TRUE(torvane.started());

        for (const TestWindow* between : {&untitled, &alpha2}) {
            ASSERT_TRUE(Raised(alpha, raised)) << level;
            ASSERT_TRUE(between->BringToFront());
            Sleep(kTwoTicks);
            EXPECT_EQ(between->PriorityClass(), kNormal) << level;
            EXPECT_EQ(alpha.PriorityClass(), raised) << level << ": held while nothing else is boosted";
            ASSERT_TRUE(Raised(beta, raised)) << level;
            EXPECT_TRUE(WaitFor([&] { return alpha.PriorityClass() == kNormal; }, 1000))
                << level << ": AlphaWin still at " << std::hex << alpha.PriorityClass();
        }
        Exit(torvane);
        EXPECT_EQ(beta.PriorityClass(), kNormal) << level;
        EXPECT_TRUE(FileBytes(setup.LedgerPath()).empty()) << level;
    }
}

// A raised program that closes its window and runs on is given back by the
// next boost, and by "退出".
TEST(Ledger, AProgramThatClosedItsWindowIsGivenBackAtTheNextBoostAndOnExit)
{
    LedgerSetup setup;
    TestWindow resident(L"Resident 测试窗口");
    TestWindow stays(L"Stays 测试窗口");
    TestWindow other(L"Other 测试窗口");
    ASSERT_TRUE(resident.window() && stays.window() && other.window());
    ASSERT_TRUE(stays.SetPriorityClass(kBelow));
    Torvane torvane(setup.dir);
    ASSERT_TRUE(torvane.started());

    ASSERT_TRUE(Raised(resident, kHigh));
    ASSERT_TRUE(resident.CloseWindowOnly());
    ASSERT_TRUE(Raised(other, kHigh));
    EXPECT_TRUE(WaitFor([&] { return resident.PriorityClass() == kNormal; }, 1000))
        << std::hex << resident.PriorityClass();

    ASSERT_TRUE(Raised(stays, kHigh));
    ASSERT_TRUE(stays.CloseWindowOnly());
    Exit(torvane);
    EXPECT_EQ(stays.PriorityClass(), kBelow);
}

// Killed while it holds a program raised, Torvane gives it back as it next
// starts, before its window is up, then boosts as usual.
TEST(Ledger, AKilledCopyIsFollowedByOneThatGivesBackWhatItLeftRaised)
{
    LedgerSetup setup;
    TestWindow helper(L"Helper 测试窗口");
    TestWindow next(L"Next 测试窗口");
    ASSERT_TRUE(helper.window() && next.window());
    ASSERT_TRUE(helper.SetPriorityClass(kIdle));
    {
        Torvane killed(setup.dir);
        ASSERT_TRUE(killed.started());
        ASSERT_TRUE(Raised(helper, kHigh));
        EXPECT_FALSE(FileBytes(setup.LedgerPath()).empty());
        ASSERT_TRUE(TerminateProcess(killed.process().handle(), 1));
        ASSERT_EQ(WaitForSingleObject(killed.process().handle(), 3000), static_cast<DWORD>(WAIT_OBJECT_0));
    }
    EXPECT_EQ(helper.PriorityClass(), kHigh) << "nothing gave it back yet";
    ASSERT_TRUE(next.BringToFront());

    DWORD givenBackMs = 0;
    Torvane again(setup.dir, [&] {
        const DWORD started = GetTickCount();
        WaitFor([&] { return helper.PriorityClass() == kIdle; }, 3000);
        givenBackMs = GetTickCount() - started;
    });
    ASSERT_TRUE(again.started());
    EXPECT_EQ(helper.PriorityClass(), kIdle);
    EXPECT_LT(givenBackMs, 1000u);
    EXPECT_TRUE(FileBytes(setup.LedgerPath()).empty());
    // Its own window came up in front; then boosting goes on as usual.
    EXPECT_TRUE(Raised(next, kHigh));
    EXPECT_EQ(helper.PriorityClass(), kIdle);
    Exit(again);
}

// A class the user sets after the raise stands through a switch, a pause
// and "退出"; a pause gives back and resuming raises the window in front
// again within a second.
TEST(Ledger, TheUsersClassStandsAndResumingRaisesAgain)
{
    LedgerSetup setup;
    TestWindow helper(L"Helper 用户优先级");
    TestWindow other(L"Other 用户优先级");
    ASSERT_TRUE(helper.window() && other.window());
    Torvane torvane(setup.dir);
    ASSERT_TRUE(torvane.started());

    // Pause with the helper in front: given back, then raised again.
    ASSERT_TRUE(Raised(helper, kHigh));
    torvane.Click(ControlId::CheckState);
    ASSERT_EQ(torvane.Checked(ControlId::CheckState), 0);
    EXPECT_TRUE(WaitFor([&] { return helper.PriorityClass() == kNormal; }, 1000));
    torvane.Click(ControlId::CheckState);
    ASSERT_EQ(torvane.Checked(ControlId::CheckState), 1);
    // The click leaves the helper's window behind; back in front, it is the
    // title boosted last, and raised again all the same.
    ASSERT_TRUE(helper.BringToFront());
    EXPECT_TRUE(WaitFor([&] { return helper.PriorityClass() == kHigh; }, 1300)) << "raised again on resuming";

    // The user's class, through a pause...
    ASSERT_TRUE(helper.SetPriorityClass(kBelow));
    torvane.Click(ControlId::CheckState);
    Sleep(300);
    EXPECT_EQ(helper.PriorityClass(), kBelow);
    torvane.Click(ControlId::CheckState);
    ASSERT_TRUE(helper.BringToFront());
    ASSERT_TRUE(WaitFor([&] { return helper.PriorityClass() == kHigh; }, 1300));

    // ...a switch...
    ASSERT_TRUE(helper.SetPriorityClass(kBelow));
    ASSERT_TRUE(Raised(other, kHigh));
    Sleep(300);
    EXPECT_EQ(helper.PriorityClass(), kBelow);

    // ...and "退出".
    ASSERT_TRUE(Raised(helper, kHigh));
    ASSERT_TRUE(helper.SetPriorityClass(kBelow));
    Exit(torvane);
    EXPECT_EQ(helper.PriorityClass(), kBelow);
}

// The program raised last, closed and started again with the same title, is
// raised: the same-title rule holds only while the raised process runs.
TEST(Ledger, AProgramStartedAgainWithTheSameTitleIsRaised)
{
    LedgerSetup setup;
    std::optional<TestWindow> first(L"Restarted 测试窗口");
    TestWindow other(L"Other 重启测试");
    ASSERT_TRUE(first->window() && other.window());
    Torvane torvane(setup.dir);
    ASSERT_TRUE(torvane.started());
    ASSERT_TRUE(Raised(*first, kHigh));
    const int count = std::stoi(torvane.Text(ControlId::LabelCount));
    first.reset();

    TestWindow second(L"Restarted 测试窗口");
    ASSERT_TRUE(second.window());
    EXPECT_TRUE(Raised(second, kHigh)) << std::hex << second.PriorityClass();
    EXPECT_EQ(std::stoi(torvane.Text(ControlId::LabelCount)), count + 1);
}
