#include <gtest/gtest.h>

#include "app/control_ids.h"
#include "torvane_driver.h"

using namespace torvane;

TEST(Startup, FreshDirectoryStoresOnlyChangedControlsAndRemovesAnOldRunValue)
{
    SetRunValue(HKEY_LOCAL_MACHINE, "C:\\old\\Torvane.exe");
    SetRunValue(HKEY_CURRENT_USER, "C:\\old\\Torvane.exe");
    ProgramDirectory dir;
    Torvane torvane(dir);
    ASSERT_TRUE(torvane.started());

    EXPECT_EQ(dir.ReadConfig("Speed", "SpeedLevel"), std::string("2"));
    EXPECT_EQ(dir.ReadConfig("Record", "EnableRecord"), std::string("0"));
    EXPECT_EQ(dir.ReadConfig("Normal", "EnableSpeed"), std::string("0"));
    EXPECT_EQ(dir.ReadConfig("Normal", "AlwaysTop"), std::string("0"));
    EXPECT_FALSE(dir.ReadConfig("Normal", "AutoRun").has_value());
    EXPECT_FALSE(dir.ReadConfig("Normal", "AutoMin").has_value());
    EXPECT_FALSE(RunValue(HKEY_LOCAL_MACHINE).has_value());
    EXPECT_FALSE(RunValue(HKEY_CURRENT_USER).has_value());

    EXPECT_TRUE(IsWindowVisible(torvane.window()));
    EXPECT_FALSE(torvane.Topmost());
    EXPECT_EQ(torvane.Selection(ControlId::ComboSpeed), 1) << "疯狂提速";
    EXPECT_EQ(torvane.Checked(ControlId::CheckState), 0);
    EXPECT_EQ(torvane.Checked(ControlId::CheckEnableRecord), 0);
    EXPECT_EQ(torvane.Checked(ControlId::CheckAlwaysOnTop), 0);
    EXPECT_EQ(torvane.Checked(ControlId::CheckAutoRun), 0);
    EXPECT_EQ(torvane.Checked(ControlId::CheckAutoMin), 0);
    EXPECT_EQ(torvane.Text(ControlId::LabelInfo), L"无");
    EXPECT_EQ(torvane.Text(ControlId::LabelCount), L"0");
}

TEST(Startup, StoredTextsCountAsOnOnlyWhenTheirNumberIsOne)
{
    struct Case {
        const char* name;
        const char* values[4];
        int checked;
    };
    const Case cases[] = {
        {"on", {" 1 ", "01", "1.0", "1e0"}, 1},
        {"off", {"-1", "2", "True", ""}, 0},
    };
    const char* keys[4] = {"EnableSpeed", "EnableRecord", "AlwaysTop", "AutoRun"};
    const char* sections[4] = {"Normal", "Record", "Normal", "Normal"};
    const int boxes[4] = {ControlId::CheckState, ControlId::CheckEnableRecord, ControlId::CheckAlwaysOnTop,
                          ControlId::CheckAutoRun};
    for (const Case& c : cases) {
        ProgramDirectory dir;
        for (int i = 0; i < 4; ++i)
            dir.WriteConfig(sections[i], keys[i], c.values[i]);
        dir.WriteConfig("Record", "RecordCount", "300 abc");
        dir.WriteConfig("Speed", "SpeedLevel", c.values[0]);
        // Speed-up stays off in the "on" case: this test is about reading, not boosting.
        {
            Torvane torvane(dir);
            ASSERT_TRUE(torvane.started()) << c.name;
            for (int i = 0; i < 4; ++i)
                EXPECT_EQ(torvane.Checked(boxes[i]), c.checked) << c.name << " " << keys[i] << "=" << c.values[i];
            EXPECT_EQ(torvane.Selection(ControlId::ComboSpeed), c.checked ? 0 : 1) << c.name;
            EXPECT_EQ(torvane.Selection(ControlId::ComboAutoCleanCount), 2) << "300 abc gives 300";
            EXPECT_EQ(torvane.Topmost(), c.checked == 1) << c.name;
            EXPECT_EQ(RunValue(HKEY_LOCAL_MACHINE).has_value(), c.checked == 1) << c.name;
            // Turn speed-up off again before the booster can act on the test's windows.
            if (torvane.Checked(ControlId::CheckState))
                torvane.Click(ControlId::CheckState);
        }
        DeleteRunValue(HKEY_LOCAL_MACHINE);
    }
}

TEST(Startup, AutoMinKeepsTheWindowHiddenAndTheUsersWindowInFront)
{
    ProgramDirectory dir;
    dir.WriteConfig("Normal", "AutoMin", "1");
    // Always on top is on by default: putting the hidden window in that band
    // must not activate it.
    const TestWindow user(L"Alpha 用户窗口");
    ASSERT_TRUE(user.BringToFront());
    Torvane torvane(dir);
    ASSERT_TRUE(torvane.started());
    ASSERT_TRUE(torvane.Answers());
    EXPECT_FALSE(IsWindowVisible(torvane.window()));
    EXPECT_EQ(GetForegroundWindow(), user.window());
    EXPECT_EQ(torvane.Checked(ControlId::CheckAutoMin), 1);
    EXPECT_TRUE(torvane.process().Running());
}
