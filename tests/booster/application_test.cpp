// The application behind a window in front: its program's helper processes
// and the app behind a UWP frame, raised, recorded and given back as one.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "booster/application_processes.h"
#include "booster/booster.h"
#include "booster/switch_settle.h"
#include "fakes/fake_booster_page.h"
#include "fakes/fake_desktop.h"
#include "fakes/fake_process_table.h"
#include "fakes/scripted_random.h"

using namespace torvane;

namespace {

const std::wstring kBrowser = L"C:\\Apps\\Browser\\browser.exe";

std::set<std::uint32_t> Ids(const Application& processes)
{
    std::set<std::uint32_t> ids;
    for (const auto& p : processes)
        ids.insert(p->Identity().id);
    return ids;
}

FakeProcess& Add(FakeProcessTable& table, std::uint32_t id, std::uint32_t parent, std::uint64_t start,
                 const std::wstring& path)
{
    FakeProcess& p = table.Process(id, start);
    p.parentId = parent;
    p.path = path;
    return p;
}

class ApplicationTest : public ::testing::Test {
protected:
    ApplicationTest() { table.autoCreate = false; }

    BoostTick Front(std::uintptr_t window, const std::wstring& title)
    {
        desktop.front = window;
        desktop.titles[window] = title;
        const BoostTick tick = booster.Tick(page.Settings());
        page.Show(tick);
        return tick;
    }

    Desktop desktop;
    FakeProcessTable table;
    FakeLedgerStore store;
    ScriptedRandom random{{0.5, 0.5, 0.5, 0.5, 0.5, 0.5}};
    Booster booster{desktop, table, store, desktop, random};
    FakeBoosterPage page;
};

} // namespace

// Which processes of a table are the root's helpers: the same program file,
// started by it or by one of its helpers, and every way a table can mislead.
TEST_F(ApplicationTest, HelpersAreTheSameProgramsDescendantsAndNothingElse)
{
    FakeProcess& root = Add(table, 100, 102, 10, kBrowser); // its parent id is a descendant's now: a cycle
    Add(table, 101, 100, 11, kBrowser);                      // a renderer: in
    Add(table, 102, 101, 12, kBrowser);                      // a renderer's own helper: in
    Add(table, 103, 100, 12, L"C:\\Apps\\Editor\\editor.exe"); // a program it started: out
    Add(table, 104, 103, 13, kBrowser);                      // started by that one: its application, out
    Add(table, 105, 100, 13, L"c:\\apps\\BROWSER\\Browser.EXE"); // the same file in other case: in
    Add(table, 106, 100, 13, L"D:\\Copy\\browser.exe");      // another file of the same name: out
    Add(table, 107, 100, 5, kBrowser);                       // older than its "parent": a reused id's, out
    Add(table, 108, 100, 14, kBrowser).openError = 5;         // cannot be opened: skipped, the rest raised
    Add(table, 109, 100, 14, kBrowser);                      // ends between the listing and the open: out
    Add(table, 111, 100, 14, L"C:\\Apps\\Browser\\browser.exe.bak"); // another name: never opened
    Add(table, 110, 200, 14, kBrowser);                      // another copy's helper: out
    table.onList = [this](std::vector<ListedProcess>&) {
        table.processes[109]->running = false;
        table.processes.erase(109);
    };
    std::uint32_t error = 0;
    const auto opened = table.Open(100, error);
    table.opens = 0;
    EXPECT_EQ(Ids(SameProgramHelpers(table, *opened, 63)), (std::set<std::uint32_t>{101, 102, 105}));
    EXPECT_EQ(table.opens, 7) << "only the same file name's children are opened";
    EXPECT_EQ(root.cls, 0x20u);

    // 10,000 processes: a chain of 9,000 helpers is cut at the bound, and
    // the thousand others are never opened.
    table.onList = nullptr;
    table.processes.clear();
    Add(table, 1, 0, 1, kBrowser);
    for (std::uint32_t id = 2; id <= 9000; ++id)
        Add(table, id, id - 1, id, kBrowser);
    for (std::uint32_t id = 9001; id <= 10000; ++id)
        Add(table, id, 1, id, L"C:\\Windows\\svchost.exe");
    const auto first = table.Open(1, error);
    table.opens = 0;
    EXPECT_EQ(SameProgramHelpers(table, *first, kApplicationProcessesMax - 1).size(), 63u);
    EXPECT_EQ(table.opens, 63);
}

// One boost for the whole application: its helpers are raised with it,
// recorded with it as one line, given back with it (to normal, or with
// "恢复原优先级" to their own class), and one it starts later is raised
// within four ticks.
TEST_F(ApplicationTest, TheApplicationIsRaisedAndGivenBackWhole)
{
    for (const bool restore : {false, true}) {
        SCOPED_TRACE(restore ? "恢复原优先级" : "to normal");
        table.processes.clear();
        table.calls.clear();
        Add(table, 0x10, 1, 10, kBrowser);
        Add(table, 0x11, 0x10, 11, kBrowser).cls = 0x4000;
        Add(table, 0x12, 0x10, 11, L"C:\\Apps\\Editor\\editor.exe");
        Add(table, 0x20, 1, 10, L"C:\\Apps\\other.exe");
        Add(table, FakeProcessTable::kOwnId, 1, 1, L"C:\\Torvane\\Torvane.exe");
        page.restoreOriginal = restore;
        Booster fresh{desktop, table, store, desktop, random};
        FakeBoosterPage freshPage;
        freshPage.restoreOriginal = restore;
        const auto front = [&](std::uintptr_t window, const wchar_t* title) {
            desktop.front = window;
            desktop.titles[window] = title;
            freshPage.Show(fresh.Tick(freshPage.Settings()));
        };
        front(0x10, L"浏览器");
        EXPECT_EQ(table.processes[0x10]->cls, 0x80u);
        EXPECT_EQ(table.processes[0x11]->cls, 0x80u);
        EXPECT_EQ(table.processes[0x12]->cls, 0x20u) << "another program is another application";
        EXPECT_EQ(freshPage.count, L"1");
        EXPECT_EQ(std::count(freshPage.history.begin(), freshPage.history.end(), L'\n'), 1);
        EXPECT_EQ(ParseLedger(store.text, FakeProcessTable::kOwnId).size(), 2u);

        Add(table, 0x13, 0x11, 12, kBrowser);
        for (int tick = 0; tick < 3; ++tick)
            front(0x10, L"浏览器");
        EXPECT_EQ(table.processes[0x13]->cls, 0x20u);
        front(0x10, L"浏览器");
        EXPECT_EQ(table.processes[0x13]->cls, 0x80u) << "a helper started later, on the fourth tick";
        EXPECT_EQ(freshPage.count, L"1");

        front(0x20, L"其他");
        EXPECT_EQ(table.processes[0x10]->cls, 0x20u);
        EXPECT_EQ(table.processes[0x11]->cls, restore ? 0x4000u : 0x20u);
        EXPECT_EQ(table.processes[0x13]->cls, 0x20u);
        EXPECT_EQ(table.processes[0x20]->cls, 0x80u);
        fresh.GiveBackAll();
        EXPECT_TRUE(store.text.empty());
    }
}

// A UWP frame: the app inside it is raised, the shared frame host never is,
// and the record carries the frame's title. A frame with nothing inside is
// not boosted until it comes in front again with its app.
TEST_F(ApplicationTest, TheAppBehindAFrameIsRaisedAndTheFrameHostLeftAlone)
{
    constexpr std::uint32_t kHost = 0xF00, kApp = 0xA00, kOther = 0xB00;
    Add(table, kHost, 1, 5, L"C:\\Windows\\System32\\ApplicationFrameHost.exe");
    Add(table, kApp, 1, 6, L"C:\\Program Files\\WindowsApps\\Calc\\Calculator.exe");
    Add(table, kOther, 1, 6, L"C:\\Apps\\other.exe");
    Add(table, FakeProcessTable::kOwnId, 1, 1, L"C:\\Torvane\\Torvane.exe");
    for (const std::uintptr_t frame : {0xF1u, 0xF2u, 0xF3u}) {
        table.windows[frame] = kHost;
        desktop.programs[frame] = L"APPLICATIONFRAMEHOST.EXE";
    }
    table.windows[0xA1] = kApp;
    table.windows[0xB1] = kOther;
    desktop.children[0xF1] = {{0xF11, L"ApplicationFrameTitleBarWindow", kHost},
                              {0xF12, L"Windows.UI.Core.CoreWindow", kApp}};
    desktop.children[0xF2] = {{0xF21, L"ApplicationFrameTitleBarWindow", kHost}, {0xF22, L"SomeChild", kOther}};
    table.windows[0xF12] = kApp;
    table.windows[0xF22] = kOther;

    Front(0xF1, L"计算器");
    EXPECT_EQ(table.processes[kApp]->cls, 0x80u);
    EXPECT_EQ(page.target, L"计算器");
    Front(0xF2, L"其他应用");
    EXPECT_EQ(table.processes[kApp]->cls, 0x20u);
    EXPECT_EQ(table.processes[kOther]->cls, 0x80u) << "no CoreWindow: the first child of another process";

    const std::wstring history = page.history;
    Front(0xF3, L"挂起的应用"); // nothing inside
    EXPECT_EQ(table.processes[kOther]->cls, 0x80u);
    EXPECT_EQ(page.history, history);
    EXPECT_EQ(page.count, L"2");
    desktop.children[0xF3] = {{0xF31, L"Windows.UI.Core.CoreWindow", kApp}};
    table.windows[0xF31] = kApp;
    Front(0xF3, L"挂起的应用");
    EXPECT_EQ(page.count, L"2") << "tried again only when it comes in front again";
    Front(0xB1, L"其他");
    Front(0xF3, L"挂起的应用");
    EXPECT_EQ(table.processes[kApp]->cls, 0x80u);
    EXPECT_EQ(page.count, L"4");
    for (const PriorityCall& call : table.calls)
        EXPECT_NE(call.processId, kHost) << "the frame host is never touched";

    // The app's own program name is the one an exclusion names.
    BoosterSettings settings = page.Settings();
    settings.excluded = ExcludedPrograms(L"calculator");
    desktop.front = 0xF1;
    booster.Tick(settings);
    EXPECT_EQ(table.processes[kApp]->cls, 0x80u) << "left as it was, neither raised nor lowered";
    EXPECT_EQ(page.count, L"4");
}

// What the system reports is decided a settle time after the last switch
// to another window, for the window that stayed; reports for the same
// window do not put it off, and a gone window or none does nothing.
TEST(SwitchSettle, ABurstGivesOneDecisionForTheWindowThatStayed)
{
    SwitchSettle settle;
    EXPECT_FALSE(settle.Reported(0, 0));
    EXPECT_TRUE(settle.Reported(0xA, 1000));
    for (const std::uint64_t at : {1010u, 1020u, 1030u})
        EXPECT_FALSE(settle.Reported(at == 1020 ? 0xB : 0xC, at));
    EXPECT_EQ(settle.TimerFired(1050).wait, 30u) << "50 ms after the last switch, at 1030";
    EXPECT_EQ(settle.TimerFired(1080).window, 0xCu);
    EXPECT_EQ(settle.TimerFired(1200).window, 0u) << "one decision";

    // 1,000 reports a second for the same window: one decision a settle time.
    int decisions = 0;
    std::uint64_t due = 0;
    for (std::uint64_t now = 2000; now < 12000; ++now) {
        if (settle.Reported(0xD, now))
            due = now + SwitchSettle::kSettleMs;
        if (due != 0 && now >= due) {
            const SwitchSettle::Due fired = settle.TimerFired(now);
            decisions += fired.window != 0;
            due = fired.window != 0 ? 0 : now + fired.wait;
        }
    }
    EXPECT_LE(decisions, 10000 / static_cast<int>(SwitchSettle::kSettleMs));
    EXPECT_GE(decisions, 100);
}

// A report for a window that is gone, and any while speed-up is off, does nothing.
TEST_F(ApplicationTest, AReportedSwitchDecidesAsATickDoes)
{
    Add(table, 0xA, 1, 5, kBrowser);
    Add(table, FakeProcessTable::kOwnId, 1, 1, L"C:\\Torvane\\Torvane.exe");
    desktop.titles[0xA] = L"浏览器";
    table.windows[0xDEAD] = 0;
    EXPECT_FALSE(booster.Switched(0xDEAD, page.Settings()).ran);
    page.speedUp = false;
    EXPECT_FALSE(booster.Switched(0xA, page.Settings()).ran);
    page.speedUp = true;
    const BoostTick tick = booster.Switched(0xA, page.Settings());
    EXPECT_TRUE(tick.boosted);
    EXPECT_EQ(table.processes[0xA]->cls, 0x80u);
    desktop.front = 0xA;
    EXPECT_FALSE(booster.Tick(page.Settings()).boosted) << "the tick after finds it decided";

    // Torvane's own window in front: it starts no helpers, so the list is
    // never taken for it, however long it stays.
    const int lists = table.lists;
    table.windows[0x70] = FakeProcessTable::kOwnId;
    EXPECT_TRUE(Front(0x70, L"Torvane").boosted);
    for (int second = 0; second < 8; ++second)
        Front(0x70, L"Torvane");
    EXPECT_EQ(table.lists, lists);
}
