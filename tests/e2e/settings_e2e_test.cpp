#include <gtest/gtest.h>

#include <algorithm>

#include "app/control_ids.h"
#include "torvane_driver.h"

using namespace torvane;

namespace {

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(tolower(c)); });
    return text;
}

std::string Ansi(const std::wstring& text)
{
    std::string bytes(text.size() * 2 + 1, '\0');
    const int size = WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(),
                                         static_cast<int>(bytes.size()), nullptr, nullptr);
    bytes.resize(static_cast<std::size_t>(size));
    return bytes;
}

} // namespace

TEST(Settings, AlwaysTopAtStartAndUncheckingActsAndStoresAtOnce)
{
    ProgramDirectory dir;
    dir.WriteConfig("Normal", "AlwaysTop", "1");
    Torvane torvane(dir);
    ASSERT_TRUE(torvane.started());
    EXPECT_TRUE(torvane.Topmost());
    EXPECT_EQ(torvane.Checked(ControlId::CheckAlwaysOnTop), 1);

    torvane.Click(ControlId::CheckAlwaysOnTop);
    EXPECT_FALSE(torvane.Topmost());
    EXPECT_EQ(dir.ReadConfig("Normal", "AlwaysTop"), std::string("0"));

    torvane.Click(ControlId::CheckAlwaysOnTop);
    EXPECT_TRUE(torvane.Topmost());
    EXPECT_EQ(dir.ReadConfig("Normal", "AlwaysTop"), std::string("1"));
}

TEST(Settings, AutoRunKeepsTheQuotedExecutablePathInTheRunKey)
{
    DeleteRunValue(HKEY_LOCAL_MACHINE);
    ProgramDirectory dir;
    dir.WriteConfig("Normal", "AutoRun", "1");
    {
        Torvane torvane(dir);
        ASSERT_TRUE(torvane.started());
        const std::optional<std::string> value = RunValue(HKEY_LOCAL_MACHINE);
        ASSERT_TRUE(value.has_value());
        EXPECT_EQ(Lower(*value), Lower("\"" + Ansi(dir.ExePath()) + "\""));
        EXPECT_FALSE(RunValue(HKEY_CURRENT_USER).has_value());
        EXPECT_EQ(torvane.Checked(ControlId::CheckAutoRun), 1);

        torvane.Click(ControlId::CheckAutoRun);
        EXPECT_FALSE(RunValue(HKEY_LOCAL_MACHINE).has_value());
        EXPECT_EQ(dir.ReadConfig("Normal", "AutoRun"), std::string("0"));

        torvane.Click(ControlId::CheckAutoRun);
        EXPECT_TRUE(RunValue(HKEY_LOCAL_MACHINE).has_value());
        EXPECT_EQ(dir.ReadConfig("Normal", "AutoRun"), std::string("1"));
    }
    DeleteRunValue(HKEY_LOCAL_MACHINE);
}

TEST(Settings, EachBoxStoresItsKeyTheMomentItChanges)
{
    ProgramDirectory dir;
    Torvane torvane(dir);
    ASSERT_TRUE(torvane.started());
    struct Case {
        int box;
        const char* section;
        const char* key;
    };
    const Case cases[] = {
        {ControlId::CheckAutoMin, "Normal", "AutoMin"},
        {ControlId::CheckEnableRecord, "Record", "EnableRecord"},
    };
    for (const Case& c : cases) {
        torvane.Click(c.box);
        EXPECT_EQ(dir.ReadConfig(c.section, c.key), std::string("1")) << c.key;
        torvane.Click(c.box);
        EXPECT_EQ(dir.ReadConfig(c.section, c.key), std::string("0")) << c.key;
    }
}
