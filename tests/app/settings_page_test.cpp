#include <gtest/gtest.h>

#include <cmath>

#include "app/settings_page.h"
#include "fakes/fake_profile_store.h"
#include "fakes/fake_run_key.h"
#include "fakes/fake_settings_controls.h"

using namespace torvane;

namespace {

class SettingsPageTest : public ::testing::Test {
protected:
    SettingsPageTest() { page.FillCombos(); }

    FakeProfileStore store;
    ConfigSettings config{store};
    FakeRunKey runKey;
    Autorun autorun{runKey, L"C:\\Torvane\\Torvane.exe"};
    FakeSettingsControls controls;
    FakeZOrder zOrder;
    BoosterSettings boosting;
    SettingsPage page{controls, config, autorun, zOrder, boosting};
};

} // namespace

TEST_F(SettingsPageTest, CombosAreFilledInOrder)
{
    EXPECT_EQ(controls.items[SettingsControl::ComboSpeed], (std::vector<std::wstring>{L"普通提速", L"疯狂提速"}));
    EXPECT_EQ(controls.items[SettingsControl::ComboAutoCleanCount],
              (std::vector<std::wstring>{L"50", L"100", L"300", L"500", L"800"}));
}

TEST_F(SettingsPageTest, WithoutConfigOnlyChangedControlsStoreTheirKeys)
{
    page.ApplyStoredSettings(config.ReadAlwaysTop());
    const std::vector<std::wstring> expected = {
        L"Speed/SpeedLevel=2", L"Record/EnableRecord=0", L"Record/RecordCount=50",
        L"Normal/EnableSpeed=0", L"Normal/AlwaysTop=0",
    };
    EXPECT_EQ(store.writes, expected);
    EXPECT_EQ(zOrder.calls, std::vector<bool>{false});
    EXPECT_TRUE(runKey.calls.empty());
    EXPECT_EQ(controls.selected[SettingsControl::ComboSpeed], L"疯狂提速");
    EXPECT_EQ(controls.checks[SettingsControl::CheckState], 0);
}

TEST_F(SettingsPageTest, StoredValuesMatchingTheDesignedStatesWriteNothing)
{
    store.Set(L"Normal", L"EnableSpeed", L"1");
    store.Set(L"Normal", L"AlwaysTop", L"1");
    store.Set(L"Record", L"EnableRecord", L"01");
    store.Set(L"Speed", L"SpeedLevel", L"1");
    store.Set(L"Record", L"RecordCount", L"300 abc");
    page.ApplyStoredSettings(config.ReadAlwaysTop());
    const std::vector<std::wstring> expected = {L"Speed/SpeedLevel=1", L"Record/RecordCount=300"};
    EXPECT_EQ(store.writes, expected);
    EXPECT_TRUE(zOrder.calls.empty());
    EXPECT_EQ(controls.selected[SettingsControl::ComboSpeed], L"普通提速");
}

TEST_F(SettingsPageTest, AutoRunOnAtStartWritesTheEntryAgainAndStoresOne)
{
    store.Set(L"Normal", L"AutoRun", L" 1 ");
    page.ApplyStoredSettings(config.ReadAlwaysTop());
    EXPECT_EQ(runKey.machine[L"TV"], L"\"C:\\Torvane\\Torvane.exe\"");
    EXPECT_EQ(store.writes.front(), L"Normal/AutoRun=1");
}

TEST_F(SettingsPageTest, HandlersStoreTheirKeysAndAct)
{
    struct Case {
        SettingsControl control;
        int value;
        std::wstring written;
    };

    const Case cases[] = {
        {SettingsControl::CheckAutoMin, 1, L"Normal/AutoMin=1"},
        {SettingsControl::CheckAutoMin, 0, L"Normal/AutoMin=0"},
        {SettingsControl::CheckState, 1, L"Normal/EnableSpeed=1"},
        {SettingsControl::CheckState, 0, L"Normal/EnableSpeed=0"},
        {SettingsControl::CheckEnableRecord, 1, L"Record/EnableRecord=1"},
        {SettingsControl::CheckEnableRecord, 0, L"Record/EnableRecord=0"},
        {SettingsControl::CheckAlwaysOnTop, 1, L"Normal/AlwaysTop=1"},
        {SettingsControl::CheckAlwaysOnTop, 0, L"Normal/AlwaysTop=0"},
        {SettingsControl::CheckAutoRun, 1, L"Normal/AutoRun=1"},
        {SettingsControl::CheckAutoRun, 0, L"Normal/AutoRun=0"},
        {SettingsControl::CheckRestoreOriginal, 1, L"Speed/RestoreOriginal=1"},
        {SettingsControl::CheckRestoreOriginal, 0, L"Speed/RestoreOriginal=0"},
    };
    for (const Case& c : cases) {
        store.writes.clear();
        controls.SetCheckValue(c.control, c.value);
        page.OnClick(c.control);
        EXPECT_EQ(store.writes, std::vector<std::wstring>{c.written});
        // The booster reads what the boxes say, from the change on.
        if (c.control == SettingsControl::CheckState) {
            EXPECT_EQ(boosting.speedUp, c.value == 1) << c.written;
        }
        if (c.control == SettingsControl::CheckEnableRecord) {
            EXPECT_EQ(boosting.recording, c.value == 1) << c.written;
        }
        if (c.control == SettingsControl::CheckRestoreOriginal) {
            EXPECT_EQ(boosting.restoreOriginal, c.value == 1) << c.written;
        }
    }
    EXPECT_EQ(zOrder.calls, (std::vector<bool>{true, false}));
    EXPECT_EQ(runKey.calls.front(), L"set machine TV");
    EXPECT_TRUE(runKey.machine.empty());
}

TEST_F(SettingsPageTest, CombosStoreModeNumberAndLimitText)
{
    struct Case {
        SettingsControl combo;
        std::wstring item;
        std::wstring written;
    };
    const Case cases[] = {
        {SettingsControl::ComboSpeed, L"普通提速", L"Speed/SpeedLevel=1"},
        {SettingsControl::ComboSpeed, L"疯狂提速", L"Speed/SpeedLevel=2"},
        {SettingsControl::ComboAutoCleanCount, L"800", L"Record/RecordCount=800"},
        {SettingsControl::ComboAutoCleanCount, L"50", L"Record/RecordCount=50"},
    };
    for (const Case& c : cases) {
        store.writes.clear();
        controls.SelectComboItem(c.combo, c.item);
        page.OnClick(c.combo);
        EXPECT_EQ(store.writes, std::vector<std::wstring>{c.written});
        if (c.combo == SettingsControl::ComboSpeed) {
            EXPECT_EQ(boosting.mode, SpeedModeFromText(c.item)) << c.written;
        } else {
            EXPECT_EQ(boosting.recordLimit, std::stod(c.item)) << c.written;
        }
    }
}

TEST(AutoCleanCountItemFor, PicksTheMatchingOrNearestItem)
{
    struct Case {
        double stored;
        const wchar_t* item;
    };
    const Case cases[] = {
        {0, L"50"},   {-5, L"50"},   {50, L"50"},   {74, L"50"},  {75, L"100"}, {100, L"100"},
        {200, L"300"}, {300, L"300"}, {400, L"500"}, {650, L"800"}, {800, L"800"}, {1e9, L"800"},
        {NAN, L"50"}, {INFINITY, L"800"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AutoCleanCountItemFor(c.stored), c.item) << c.stored;
}
