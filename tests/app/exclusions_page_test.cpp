// The page "排除程序": the stored list shown and edited item by item, every
// change stored at once and in force at once, down to the booster giving
// back a program newly excluded.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/exclusions_page.h"
#include "booster/booster.h"
#include "booster/excluded_programs.h"
#include "fakes/fake_booster_page.h"
#include "fakes/fake_desktop.h"
#include "fakes/fake_process_table.h"
#include "fakes/fake_profile_store.h"
#include "fakes/scripted_random.h"

using namespace torvane;

namespace {

struct FakeExclusionsControls : ExclusionsControls {
    void ShowNames(const std::vector<std::wstring>& shown) override { names = shown; }
    void AddName(const std::wstring& name) override { names.push_back(name); }
    void RemoveName(int index) override { names.erase(names.begin() + index); }
    int SelectedName() override { return selected; }
    void SelectName(int index) override { selected = index; }
    void SetAvailable(ExclusionsButton button, bool on) override { available[static_cast<int>(button)] = on; }
    void ShowBoostedProgram(const std::wstring& program) override { boosted = program; }
    void Refuse(const std::wstring& message) override { refusals.push_back(message); }

    std::vector<std::wstring> names;
    int selected = -1;
    bool available[3] = {true, true, true};
    std::wstring boosted = L"?";
    std::vector<std::wstring> refusals;
};

class ExclusionsPageTest : public ::testing::Test {
protected:
    std::wstring Stored() const { return store.Get(L"Exclude", L"Programs").value_or(L"<none>"); }
    bool RemoveAvailable() const { return controls.available[static_cast<int>(ExclusionsButton::Remove)]; }
    bool ExcludeBoostedAvailable() const
    {
        return controls.available[static_cast<int>(ExclusionsButton::ExcludeBoosted)];
    }

    FakeProfileStore store;
    ConfigSettings config{store};
    BoosterSettings boosting;
    FakeExclusionsControls controls;
    ExclusionsPage page{controls, config, boosting};
};

} // namespace

TEST_F(ExclusionsPageTest, TheStoredNamesAreShownAndEachEditIsStoredAndInForceAtOnce)
{
    store.Set(L"Exclude", L"Programs", L" alpha.exe; Beta ;;");
    store.unkept = L"Ä";
    int changes = 0;
    page.onChanged = [&] { ++changes; };
    page.Load();
    EXPECT_EQ(controls.names, (std::vector<std::wstring>{L"alpha.exe", L"Beta"}));
    EXPECT_TRUE(boosting.excluded.Contains(L"C:\\x\\BETA.EXE"));
    EXPECT_FALSE(RemoveAvailable());
    EXPECT_FALSE(ExcludeBoostedAvailable());
    EXPECT_EQ(controls.boosted, L"");

    struct Step {
        const char* what;
        std::function<void()> act;
        std::vector<std::wstring> names;
        std::wstring stored;
        int selected;
        int refusals;
        int told; // changes the booster is told of
    };
    const Step steps[] = {
        {"删除 with none selected", [&] { page.RemoveSelected(); }, {L"alpha.exe", L"Beta"},
         L" alpha.exe; Beta ;;", -1, 0, 0},
        {"select alpha, 删除", [&] { controls.selected = 0; page.SelectionChanged(); page.RemoveSelected(); },
         {L"Beta"}, L"Beta", 0, 0, 1},
        {"添加 a full path", [&] { page.AddProgram(L"D:\\Games\\录屏 工具.exe"); }, {L"Beta", L"录屏 工具.exe"},
         L"Beta; 录屏 工具.exe", 1, 0, 1},
        {"the same program, other case, no .exe", [&] { page.AddProgram(L"C:\\BETA"); },
         {L"Beta", L"录屏 工具.exe"}, L"Beta; 录屏 工具.exe", 0, 0, 0},
        {"a name the file cannot keep", [&] { page.AddProgram(L"C:\\Äpp.exe"); }, {L"Beta", L"录屏 工具.exe"},
         L"Beta; 录屏 工具.exe", 0, 1, 0},
        {"a name the list would split", [&] { page.AddProgram(L"C:\\a;b.exe"); }, {L"Beta", L"录屏 工具.exe"},
         L"Beta; 录屏 工具.exe", 0, 2, 0},
        {"a name the list would trim", [&] { page.AddProgram(L"C:\\'quoted'.exe"); },
         {L"Beta", L"录屏 工具.exe"}, L"Beta; 录屏 工具.exe", 0, 3, 0},
        {"删除 the last two", [&] { page.RemoveSelected(); page.RemoveSelected(); }, {}, L"", -1, 3, 2},
    };
    for (const Step& step : steps) {
        const int changesBefore = changes;
        step.act();
        EXPECT_EQ(controls.names, step.names) << step.what;
        EXPECT_EQ(Stored(), step.stored) << step.what;
        EXPECT_EQ(controls.selected, step.selected) << step.what;
        EXPECT_EQ(RemoveAvailable(), step.selected >= 0) << step.what;
        EXPECT_EQ(static_cast<int>(controls.refusals.size()), step.refusals) << step.what;
        // In force as stored, and the booster told of every change.
        EXPECT_EQ(page.names(), ExcludedProgramItems(Stored())) << step.what;
        EXPECT_EQ(changes - changesBefore, step.told) << step.what;
    }
    EXPECT_NE(controls.refusals[0].find(L"Äpp.exe"), std::wstring::npos);
    EXPECT_TRUE(boosting.excluded.empty());
}

// 2,000 names with spaces, quotes, code page 936 characters, empty items and
// duplicates: every one shown whole, and removing one loses no other.
TEST_F(ExclusionsPageTest, ALongAndUntidyListLosesNothingWhenEdited)
{
    std::wstring stored;
    std::vector<std::wstring> expected;
    for (int i = 0; i < 2000; ++i) {
        const std::wstring name = (i % 3 == 0 ? L"程序 " : L"prog\"") + std::to_wstring(i % 1900) + L".exe";
        stored += (i % 4 == 0 ? L" \"" + name + L"\" " : name) + (i % 5 == 0 ? L";;" : L";");
        expected.push_back(name);
    }
    store.Set(L"Exclude", L"Programs", stored);
    page.Load();
    ASSERT_EQ(controls.names, expected);
    controls.selected = 1000;
    page.RemoveSelected();
    expected.erase(expected.begin() + 1000);
    EXPECT_EQ(ExcludedProgramItems(Stored()), expected);
    EXPECT_EQ(controls.names, expected);
    EXPECT_EQ(controls.selected, 1000);
    // A duplicate stays a line of its own until it is removed itself.
    EXPECT_EQ(std::count(expected.begin(), expected.end(), expected[1900]), 2);
}

// "排除正在提速的程序" while Torvane holds the application raised: the
// program is stored, it and its helper get their classes back at once, and
// it is neither raised again nor lowered when the user leaves it.
TEST_F(ExclusionsPageTest, ExcludingTheBoostedProgramGivesItBackAtOnceForGood)
{
    Desktop desktop;
    FakeProcessTable table;
    table.autoCreate = false;
    FakeLedgerStore ledger;
    ScriptedRandom random{{0.5, 0.5, 0.5}};
    Booster booster{desktop, table, ledger, desktop, random};
    FakeBoosterPage shown;
    const std::wstring game = L"C:\\Games\\Game.exe";
    FakeProcess& root = table.Process(0x10, 10, 0x4000);
    root.path = game;
    FakeProcess& helper = table.Process(0x11, 11, 0x40);
    helper.path = game;
    helper.parentId = 0x10;
    table.Process(0x20, 10).path = L"C:\\Apps\\editor.exe";
    table.Process(FakeProcessTable::kOwnId, 1).path = L"C:\\Torvane\\Torvane.exe";
    shown.restoreOriginal = true;
    const auto front = [&](std::uintptr_t window, const wchar_t* title) {
        desktop.front = window;
        desktop.titles[window] = title;
        BoosterSettings settings = shown.Settings();
        settings.excluded = boosting.excluded;
        const BoostTick tick = booster.Tick(settings);
        shown.Show(tick);
        if (tick.boosted)
            page.SetBoostedProgram(booster.LastBoostedProgram());
    };
    page.onChanged = [&] { booster.ExclusionsChanged(boosting.excluded); };
    page.Load();
    front(0x10, L"游戏");
    ASSERT_EQ(root.cls, 0x80u);
    ASSERT_EQ(helper.cls, 0x80u);
    EXPECT_EQ(controls.boosted, L"Game.exe");
    EXPECT_TRUE(ExcludeBoostedAvailable());

    page.ExcludeBoosted();
    EXPECT_EQ(Stored(), L"Game.exe");
    EXPECT_EQ(root.cls, 0x4000u) << "given back at once, to the class it had";
    EXPECT_EQ(helper.cls, 0x40u);
    table.calls.clear();
    for (int tick = 0; tick < 5; ++tick)
        front(0x10, L"游戏");
    EXPECT_TRUE(table.calls.empty()) << "not raised again, helpers included";
    front(0x20, L"编辑器");
    EXPECT_EQ(table.processes[0x20]->cls, 0x80u);
    EXPECT_EQ(root.cls, 0x4000u) << "an excluded window left is not lowered";
    EXPECT_EQ(shown.count, L"2");
    // Excluding a program not boosted last gives nothing back.
    page.AddProgram(L"other.exe");
    EXPECT_EQ(table.processes[0x20]->cls, 0x80u);
}
