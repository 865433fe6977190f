#include <gtest/gtest.h>

#include <regex>

#include "app/control_ids.h"
#include "tray/tray_menu.h"
#include "torvane_driver.h"

using namespace torvane;

namespace {

constexpr DWORD kNormal = NORMAL_PRIORITY_CLASS;
constexpr DWORD kHigh = HIGH_PRIORITY_CLASS;
constexpr DWORD kRealtime = REALTIME_PRIORITY_CLASS;
// Two ticks of the booster's one-second timer, and a little slack.
constexpr DWORD kTwoTicks = 2600;

struct BoostSetup {
    explicit BoostSetup(const char* speedLevel, const char* enableSpeed = "1")
    {
        dir.WriteConfig("Normal", "EnableSpeed", enableSpeed);
        dir.WriteConfig("Speed", "SpeedLevel", speedLevel);
        dir.WriteConfig("Record", "EnableRecord", "1");
        dir.WriteConfig("Record", "RecordCount", "800");
    }
    ProgramDirectory dir;
};

int Count(const Torvane& torvane)
{
    return std::stoi(torvane.Text(ControlId::LabelCount));
}

} // namespace

TEST(Booster, SwitchingRaisesTheNewWindowAndReturnsThePreviousToNormal)
{
    struct Case {
        const char* speedLevel;
        DWORD raised;
        const wchar_t* modeText;
    };
    const Case cases[] = {
        {"1", kHigh, L" 普通提速，速度提升：[2-8]%"},
        {"2", kRealtime, L" 疯狂提速，速度提升：(?:[2-8]|1[2-8]|2[2-8])%"},
    };
    for (const Case& c : cases) {
        BoostSetup setup(c.speedLevel);
        TestWindow a(L"Alpha 测试窗口");
        TestWindow b(L"Beta 测试窗口");
        ASSERT_TRUE(a.window() && b.window());
        Torvane torvane(setup.dir);
        ASSERT_TRUE(torvane.started());

        ASSERT_TRUE(a.BringToFront());
        ASSERT_TRUE(WaitFor([&] { return a.PriorityClass() == c.raised; }, kTwoTicks)) << c.speedLevel;
        const int before = Count(torvane);

        ASSERT_TRUE(b.BringToFront());
        EXPECT_TRUE(WaitFor([&] { return b.PriorityClass() == c.raised && a.PriorityClass() == kNormal; },
                            kTwoTicks))
            << c.speedLevel << ": a " << a.PriorityClass() << ", b " << b.PriorityClass();
        WaitFor([&] { return Count(torvane) == before + 1; }, 1000);

        EXPECT_EQ(Count(torvane), before + 1);
        EXPECT_EQ(torvane.Text(ControlId::LabelInfo), L"Beta 测试窗口");
        EXPECT_EQ(torvane.Text(ControlId::LabelSpeedupTarget), L"Beta 测试窗口");
        EXPECT_EQ(torvane.Text(ControlId::LabelSpeedCount), L"已为系统提速 " + std::to_wstring(before + 1) + L" 次。");

        const std::wstring gain = torvane.Text(ControlId::LabelSpeed);
        const std::wstring history = torvane.Text(ControlId::TextHistory);
        const std::wregex lastLine(L"(?:^|\n)\\d{1,2}:\\d{2}:\\d{2} Beta 测试窗口" + std::wstring(c.modeText) +
                                   L"\r\n$");
        EXPECT_TRUE(std::regex_search(history, lastLine)) << c.speedLevel;
        EXPECT_GE(history.size(), gain.size() + 2);
        EXPECT_EQ(history.substr(history.size() - gain.size() - 2), gain + L"\r\n");
    }
}

TEST(Booster, TitleStartingWithTheLastBoostedIsSkippedAndTheNextBoostGivesBackBoth)
{
    BoostSetup setup("1");
    TestWindow a(L"Alpha window");
    TestWindow b(L"Beta window");
    TestWindow c(L"Beta window 2");
    ASSERT_TRUE(a.window() && b.window() && c.window());
    Torvane torvane(setup.dir);
    ASSERT_TRUE(torvane.started());

    ASSERT_TRUE(b.BringToFront());
    ASSERT_TRUE(WaitFor([&] { return b.PriorityClass() == kHigh; }, kTwoTicks));
    const int before = Count(torvane);

    ASSERT_TRUE(c.BringToFront());
    Sleep(kTwoTicks);
    EXPECT_EQ(c.PriorityClass(), kNormal);
    EXPECT_EQ(b.PriorityClass(), kHigh);
    EXPECT_EQ(Count(torvane), before);
    EXPECT_EQ(torvane.Text(ControlId::LabelInfo), L"Beta window");

    // The next boost lowers the window seen just before it, and gives back
    // the one raised last.
    ASSERT_TRUE(a.BringToFront());
    EXPECT_TRUE(WaitFor([&] { return a.PriorityClass() == kHigh; }, kTwoTicks));
    EXPECT_EQ(b.PriorityClass(), kNormal);
    EXPECT_EQ(c.PriorityClass(), kNormal);
    EXPECT_EQ(Count(torvane), before + 1);
}

TEST(Booster, SpeedUpOffChangesNothing)
{
    BoostSetup setup("1", "0");
    TestWindow a(L"Alpha window");
    TestWindow b(L"Beta window");
    ASSERT_TRUE(a.window() && b.window());
    Torvane torvane(setup.dir);
    ASSERT_TRUE(torvane.started());
    const std::wstring time = torvane.Text(ControlId::LabelTime);

    ASSERT_TRUE(a.BringToFront());
    Sleep(1200);
    ASSERT_TRUE(b.BringToFront());
    Sleep(kTwoTicks);
    EXPECT_EQ(a.PriorityClass(), kNormal);
    EXPECT_EQ(b.PriorityClass(), kNormal);
    EXPECT_EQ(torvane.Text(ControlId::LabelCount), L"0");
    EXPECT_EQ(torvane.Text(ControlId::LabelInfo), L"无");
    EXPECT_EQ(torvane.Text(ControlId::LabelTime), time);
    EXPECT_EQ(torvane.Text(ControlId::TextHistory), L"");
}

// No boost outlives Torvane: the application raised last gets the class it
// had back, on exit through the tray menu and when speed-up is unticked.
TEST(Booster, ExitAndPauseGiveTheLastRaisedApplicationItsOwnClassBack)
{
    for (const bool exit : {true, false}) {
        const char* name = exit ? "exit" : "pause";
        BoostSetup setup("1");
        TestWindow encoder(L"Encoder 测试窗口");
        ASSERT_TRUE(encoder.window());
        ASSERT_TRUE(encoder.SetPriorityClass(BELOW_NORMAL_PRIORITY_CLASS));
        Torvane torvane(setup.dir);
        ASSERT_TRUE(torvane.started());
        ASSERT_TRUE(encoder.BringToFront());
        ASSERT_TRUE(WaitFor([&] { return encoder.PriorityClass() == kHigh; }, kTwoTicks)) << name;

        if (exit) {
            PostMessageW(torvane.window(), WM_COMMAND, TrayMenuId::Exit, 0);
            EXPECT_EQ(WaitForSingleObject(torvane.process().handle(), 2000), static_cast<DWORD>(WAIT_OBJECT_0));
        } else {
            torvane.Click(ControlId::CheckState);
            EXPECT_EQ(torvane.Checked(ControlId::CheckState), 0);
        }
        EXPECT_TRUE(WaitFor([&] { return encoder.PriorityClass() == BELOW_NORMAL_PRIORITY_CLASS; }, 1000))
            << name << ": class " << std::hex << encoder.PriorityClass();
    }
}

// "恢复原优先级": the window left behind gets its own class back; without
// the key it goes to normal, as designed.
TEST(Booster, RestoreOriginalGivesTheWindowLeftBehindItsOwnClass)
{
    for (const bool restoreOriginal : {true, false}) {
        BoostSetup setup("1");
        if (restoreOriginal)
            setup.dir.WriteConfig("Speed", "RestoreOriginal", "1");
        TestWindow encoder(L"Encoder 恢复测试");
        TestWindow editor(L"Editor 恢复测试");
        ASSERT_TRUE(encoder.window() && editor.window());
        ASSERT_TRUE(encoder.SetPriorityClass(BELOW_NORMAL_PRIORITY_CLASS));
        Torvane torvane(setup.dir);
        ASSERT_TRUE(torvane.started());
        EXPECT_EQ(torvane.Checked(ControlId::CheckRestoreOriginal), restoreOriginal ? 1 : 0);
        ASSERT_TRUE(encoder.BringToFront());
        ASSERT_TRUE(WaitFor([&] { return encoder.PriorityClass() == kHigh; }, kTwoTicks));
        ASSERT_TRUE(editor.BringToFront());
        const DWORD left = restoreOriginal ? BELOW_NORMAL_PRIORITY_CLASS : kNormal;
        EXPECT_TRUE(WaitFor([&] { return editor.PriorityClass() == kHigh && encoder.PriorityClass() == left; },
                            kTwoTicks))
            << restoreOriginal << ": class " << std::hex << encoder.PriorityClass();
    }
}
