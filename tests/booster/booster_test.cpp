#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "booster/booster.h"
#include "booster/excluded_programs.h"
#include "fakes/fake_booster_page.h"
#include "fakes/fake_process_table.h"
#include "fakes/scripted_random.h"

using namespace torvane;

namespace {

constexpr std::uint32_t kOwn = FakeProcessTable::kOwnId;

struct FakeForeground : ForegroundWindow {
    std::uintptr_t Window() override
    {
        ++reads;
        return front;
    }
    std::wstring Title(std::uintptr_t asked) override
    {
        ++titleReads;
        return asked == front ? title : L"";
    }
    std::wstring ProgramName(std::uintptr_t window) override
    {
        ++nameLookups;
        const auto found = programs.find(window);
        return found == programs.end() ? L"other.exe" : found->second;
    }
    std::vector<ChildWindow> Children(std::uintptr_t window) override
    {
        const auto found = children.find(window);
        return found == children.end() ? std::vector<ChildWindow>() : found->second;
    }
    std::map<std::uintptr_t, std::wstring> programs;
    std::map<std::uintptr_t, std::vector<ChildWindow>> children;
    int nameLookups = 0;
    void Show(std::uintptr_t handle, std::wstring text)
    {
        front = handle;
        title = std::move(text);
    }
    std::uintptr_t front = 0;
    std::wstring title;
    int reads = 0;
    int titleReads = 0;
};

struct FakeClock : LocalClock {
    std::wstring CurrentTimeText() override { return now; }
    std::wstring now = L"12:34:56";
};

class BoosterTest : public ::testing::Test {
protected:
    void SwitchTo(std::uintptr_t handle, const std::wstring& title)
    {
        foreground.Show(handle, title);
        page.Show(booster.Tick(page.Settings()));
    }

    FakeForeground foreground;
    FakeProcessTable priority;
    FakeLedgerStore store;
    FakeClock clock;
    ScriptedRandom random{{DrawFor(5)}};
    Booster booster{foreground, priority, store, clock, random};
    FakeBoosterPage page;
};

} // namespace

TEST_F(BoosterTest, FirstBoostRestoresOwnProcessAndRaisesTheNewWindow)
{
    SwitchTo(0x10, L"记事本");
    const std::vector<PriorityCall> expected = {{kOwn, 0x20}, {0x10, 0x80}};
    EXPECT_EQ(priority.calls, expected);
    EXPECT_EQ(booster.CurrentWindow(), 0x10u);
    EXPECT_EQ(booster.PreviousWindow(), 0u);
    EXPECT_EQ(booster.BoostCount(), 1);
}

TEST_F(BoosterTest, ModeTextChoosesTheRaisedClass)
{
    struct Case {
        std::wstring mode;
        std::uint32_t raised;
        const wchar_t* modeText;
    };
    const Case cases[] = {
        {L"普通提速", 0x80, L" 普通提速，速度提升："},
        {L"疯狂提速", 0x100, L" 疯狂提速，速度提升："},
        {L"", 0x100, L" 疯狂提速，速度提升："},
        {L"普通提速 ", 0x100, L" 疯狂提速，速度提升："},
    };
    for (const Case& c : cases) {
        Booster fresh{foreground, priority, store, clock, random};
        FakeBoosterPage freshPage;
        freshPage.speedMode = c.mode;
        priority.calls.clear();
        foreground.Show(0x20, L"A");
        freshPage.Show(fresh.Tick(freshPage.Settings()));
        ASSERT_EQ(priority.calls.size(), 2u);
        EXPECT_EQ(priority.calls[1].priorityClass, c.raised);
        EXPECT_NE(freshPage.history.find(c.modeText), std::wstring::npos);
    }
}

TEST_F(BoosterTest, SwitchingBackAndForthBoostsEachChange)
{
    SwitchTo(0xA, L"Alpha");
    SwitchTo(0xB, L"Beta");
    SwitchTo(0xA, L"Alpha");
    const std::vector<PriorityCall> expected = {
        {kOwn, 0x20}, {0xA, 0x80}, {0xA, 0x20}, {0xB, 0x80}, {0xB, 0x20}, {0xA, 0x80},
    };
    EXPECT_EQ(priority.calls, expected);
    EXPECT_EQ(page.count, L"3");
}

TEST_F(BoosterTest, NoBoostCases)
{
    struct Case {
        const char* name;
        std::wstring lastBoosted;
        std::uintptr_t handle;
        std::wstring title;
    };
    const Case cases[] = {
        {"empty title", L"无", 0x30, L""},
        {"spaces only", L"无", 0x30, L"    "},
        {"control characters only", L"无", 0x30, L"\t\r\n"},
        // Under Wine the title of no window reads as stray characters.
        {"null handle", L"无", 0, L"?4"},
        {"title starts with the last", L"Beta", 0x30, L"Beta 2"},
        {"same title", L"Beta", 0x30, L"Beta"},
        {"initial caption prefix", L"无", 0x30, L"无标题 - 记事本"},
        {"last has trailing spaces", L"Be  ", 0x30, L"Bex"},
    };
    for (const Case& c : cases) {
        // A fresh booster, which has boosted the last title when there is one.
        Booster fresh{foreground, priority, store, clock, random};
        FakeBoosterPage freshPage;
        if (c.lastBoosted != L"无") {
            foreground.Show(0x77, c.lastBoosted);
            fresh.Tick(freshPage.Settings());
            ASSERT_EQ(fresh.LastBoostedTitle(), c.lastBoosted) << c.name;
        }
        priority.calls.clear();
        fresh.Reset();
        foreground.Show(c.handle == 0 ? 0x99 : 0, L"");
        freshPage.Show(fresh.Tick(freshPage.Settings()));
        foreground.Show(c.handle, c.title);
        freshPage.Show(fresh.Tick(freshPage.Settings()));
        EXPECT_TRUE(priority.calls.empty()) << c.name;
        EXPECT_EQ(freshPage.count, L"0") << c.name;
        EXPECT_TRUE(freshPage.history.empty()) << c.name;
        // No window at all leaves the last one as the one to compare with.
        EXPECT_EQ(fresh.CurrentWindow(), c.handle == 0 ? 0x99 : c.handle) << c.name;
    }
}

TEST_F(BoosterTest, SameTitleSkipDoesNotRestoreAndTheNextBoostGivesBackTheRaisedOneToo)
{
    SwitchTo(0xB, L"Beta");
    SwitchTo(0xC, L"Beta - second");
    SwitchTo(0xD, L"Delta");
    const std::vector<PriorityCall> expected = {
        {kOwn, 0x20}, {0xB, 0x80}, {0xC, 0x20}, {0xB, 0x20}, {0xD, 0x80},
    };
    EXPECT_EQ(priority.calls, expected);
    EXPECT_EQ(page.count, L"2");
}

TEST_F(BoosterTest, UnchangedHandleDoesNothingButTheClock)
{
    SwitchTo(0xA, L"Alpha");
    clock.now = L"12:35:00";
    SwitchTo(0xA, L"Alpha");
    EXPECT_EQ(priority.calls.size(), 2u);
    EXPECT_EQ(store.writes, 1) << "a tick that changes nothing writes nothing";
    EXPECT_EQ(page.time, L"12:35:00");
    // The title is read for the window new in front, not again each second.
    EXPECT_EQ(foreground.titleReads, 1);
}

TEST_F(BoosterTest, PausedTickChangesNothingAndResumeComparesWithTheHandleBefore)
{
    SwitchTo(0xA, L"Alpha");
    page.speedUp = false;
    clock.now = L"99:99:99";
    SwitchTo(0xB, L"Beta");
    EXPECT_EQ(foreground.reads, 1);
    EXPECT_EQ(booster.CurrentWindow(), 0xAu);
    EXPECT_EQ(page.time, L"12:34:56");
    EXPECT_EQ(priority.calls.size(), 2u);

    page.speedUp = true;
    page.Show(booster.Tick(page.Settings()));
    const std::vector<PriorityCall> expected = {{kOwn, 0x20}, {0xA, 0x80}, {0xA, 0x20}, {0xB, 0x80}};
    EXPECT_EQ(priority.calls, expected);
}

TEST_F(BoosterTest, RecordingWritesTheLineAndTheStatusLabels)
{
    SwitchTo(0xA, L" 标题 A ");
    EXPECT_EQ(page.history, L"12:34:56  标题 A  普通提速，速度提升：5%\r\n");
    EXPECT_EQ(page.info, L" 标题 A ");
    EXPECT_EQ(page.tooltip, L" 标题 A ");
    EXPECT_EQ(page.target, L" 标题 A ");
    EXPECT_EQ(page.speedCount, L"已为系统提速 1 次。");
    EXPECT_EQ(page.speed, L"5%");
    EXPECT_EQ(page.count, L"1");
}

TEST_F(BoosterTest, RecordingOffStillCountsButLeavesTheRecordLabels)
{
    SwitchTo(0xA, L"Alpha");
    page.recording = false;
    SwitchTo(0xB, L"Beta");
    SwitchTo(0xC, L"Gamma");
    EXPECT_EQ(page.count, L"3");
    EXPECT_EQ(page.info, L"Gamma");
    EXPECT_EQ(page.target, L"Alpha");
    EXPECT_EQ(page.speedCount, L"已为系统提速 1 次。");
    EXPECT_EQ(page.history, L"12:34:56 Alpha 普通提速，速度提升：5%\r\n");
}

TEST(NextBoostCount, StopsAtTheLargest32BitValue)
{
    const std::int32_t max = std::numeric_limits<std::int32_t>::max();
    struct Case {
        std::int32_t count;
        std::int32_t next;
    };
    const Case cases[] = {{0, 1}, {41, 42}, {max - 1, max}, {max, max}};
    for (const Case& c : cases)
        EXPECT_EQ(NextBoostCount(c.count), c.next) << c.count;
}

TEST_F(BoosterTest, HistoryIsEmptiedOncePastTheLimitBeforeTheNewLine)
{
    // 8 (time) + 1 + 21 (title) + 11 (mode text) + 2 (gain) + 2 (CR LF) = 45 characters a line.
    struct Case {
        const char* name;
        std::wstring limit;
        std::vector<std::size_t> lengths;
    };
    const Case cases[] = {
        {"limit 50", L"50", {45, 90, 45, 90}},
        {"limit equal to the length keeps it", L"90", {45, 90, 135, 45}},
        {"a line longer than the limit stays until the next boost", L"30", {45, 45, 45}},
        {"limit read as a number", L"100 ", {45, 90, 135, 45}},
        {"no limit shown cleans every time", L"", {45, 45}},
    };
    for (const Case& c : cases) {
        Booster fresh{foreground, priority, store, clock, random};
        FakeBoosterPage freshPage;
        freshPage.limit = c.limit;
        for (std::size_t i = 0; i < c.lengths.size(); ++i) {
            const std::wstring title = (i % 2 ? L"B" : L"A") + std::wstring(20, L'x');
            foreground.Show(0x100 + i, title);
            freshPage.Show(fresh.Tick(freshPage.Settings()));
            EXPECT_EQ(freshPage.history.size(), c.lengths[i]) << c.name << " boost " << i + 1;
        }
    }
}

TEST_F(BoosterTest, RecordingOffLeavesTheHistoryAndOnAgainContinuesIt)
{
    page.limit = L"50";
    SwitchTo(0xA, std::wstring(21, L'a'));
    const std::wstring first = page.history;
    page.recording = false;
    SwitchTo(0xB, std::wstring(21, L'b'));
    SwitchTo(0xC, std::wstring(21, L'c'));
    EXPECT_EQ(page.history, first);
    EXPECT_EQ(page.clears, 0);
    page.recording = true;
    SwitchTo(0xD, std::wstring(21, L'd'));
    EXPECT_EQ(page.history.size(), 90u);
    EXPECT_EQ(page.history.substr(0, 45), first);
    // What the page shows is what the booster keeps, and "保存" saves.
    EXPECT_EQ(booster.history().Text(), page.history);
}

TEST_F(BoosterTest, ATitleIsRecordedOnOneLineAndNoWindowKeepsTheLastRaisedToRestore)
{
    SwitchTo(0xA, L"第一\r\n行\t尾");
    EXPECT_EQ(page.info, L"第一  行 尾");
    EXPECT_EQ(page.history, L"12:34:56 第一  行 尾 普通提速，速度提升：5%\r\n");
    SwitchTo(0, L"?4");
    SwitchTo(0xB, L"Beta");
    const std::vector<PriorityCall> expected = {{kOwn, 0x20}, {0xA, 0x80}, {0xA, 0x20}, {0xB, 0x80}};
    EXPECT_EQ(priority.calls, expected);
    EXPECT_EQ(page.count, L"2");
}

// What the class read back says decides the record, the count and what the
// ledger keeps.
TEST_F(BoosterTest, TheClassReadBackDecidesTheRecordAndTheCount)
{
    struct Case {
        const char* name;
        const wchar_t* mode;
        std::map<std::uint32_t, std::uint32_t> grants;
        std::uint32_t openError;
        const wchar_t* line; // after "<time> <title>", before the gain
        int count;
        const char* ledger;
    };
    const Case cases[] = {
        {"high as asked", L"普通提速", {}, 0, L" 普通提速，速度提升：", 1, "81 7 16384 128\r\n"},
        {"real-time as asked", L"疯狂提速", {}, 0, L" 疯狂提速，速度提升：", 1, "81 7 16384 256\r\n"},
        {"high where real-time was asked", L"疯狂提速", {{0x100, 0x80}}, 0, L" 普通提速，速度提升：", 1,
         "81 7 16384 128\r\n"},
        {"class unchanged", L"普通提速", {{0x80, 0x4000}}, 0, L" 未能提速：优先级未改变\r\n", 0, ""},
        {"not opened, denied", L"疯狂提速", {}, 5, L" 未能提速：拒绝访问（可能需要以管理员身份运行）\r\n", 0, ""},
        {"not opened, other", L"普通提速", {}, 87, L" 未能提速：无法打开该程序（错误 87）\r\n", 0, ""},
    };
    for (const Case& c : cases) {
        FakeLedgerStore caseStore;
        Booster fresh{foreground, priority, caseStore, clock, random};
        FakeBoosterPage freshPage;
        freshPage.speedMode = c.mode;
        FakeProcess& elevated = priority.Process(0x51, 7, 0x4000);
        elevated.grants = c.grants;
        elevated.openError = c.openError;
        foreground.Show(0x51, L"Elevated");
        freshPage.Show(fresh.Tick(freshPage.Settings()));
        const std::wstring start = L"12:34:56 Elevated" + std::wstring(c.line);
        EXPECT_EQ(freshPage.history.substr(0, start.size()), start) << c.name;
        EXPECT_EQ(fresh.BoostCount(), c.count) << c.name;
        EXPECT_EQ(freshPage.count, std::to_wstring(c.count)) << c.name;
        EXPECT_EQ(freshPage.info, L"Elevated") << c.name;
        // A failure is not a boost the status page reports.
        EXPECT_EQ(freshPage.target, c.count ? L"Elevated" : L"无") << c.name;
        EXPECT_EQ(caseStore.text, c.ledger) << c.name;

        // The same window is not tried again on the next ticks.
        const std::size_t calls = priority.calls.size();
        freshPage.Show(fresh.Tick(freshPage.Settings()));
        freshPage.Show(fresh.Tick(freshPage.Settings()));
        EXPECT_EQ(priority.calls.size(), calls) << c.name;
        EXPECT_EQ(freshPage.history.find(L"\r\n"), freshPage.history.size() - 2) << c.name << ": one line";
    }
}

// Exit gives what was raised its own class back, through its identity, once;
// a pause does the same, and the next tick raises the window in front again.
TEST_F(BoosterTest, ExitAndPauseGiveBackOnceAndResumeRaisesAgain)
{
    priority.windows = {{0xA, 0x61}};
    priority.Process(0x61, 42, 0x4000);
    SwitchTo(0xA, L"Encoder");
    priority.calls.clear();
    booster.Pause();
    EXPECT_EQ(priority.calls, (std::vector<PriorityCall>{{0x61, 0x4000}}));
    SwitchTo(0xA, L"Encoder");
    EXPECT_EQ(priority.calls, (std::vector<PriorityCall>{{0x61, 0x4000}, {0x61, 0x80}}));
    EXPECT_EQ(page.count, L"2");
    EXPECT_EQ(store.text, "97 42 16384 128\r\n");

    priority.calls.clear();
    booster.GiveBackAll();
    booster.GiveBackAll();
    EXPECT_EQ(priority.calls, (std::vector<PriorityCall>{{0x61, 0x4000}}));
    EXPECT_EQ(store.text, "");

    // A process that could not be opened was not raised: nothing to give back.
    priority.Process(0xB).openError = 5;
    SwitchTo(0xB, L"Elevated");
    priority.calls.clear();
    booster.GiveBackAll();
    EXPECT_TRUE(priority.calls.empty());
}

// A ledger file that cannot be written (a read-only folder) costs only the
// safety after a kill: boosting and giving back go on.
TEST_F(BoosterTest, ALedgerFileThatCannotBeWrittenCostsOnlyTheCrashSafety)
{
    store.failing = true;
    SwitchTo(0xA, L"Alpha");
    SwitchTo(0xB, L"Beta");
    booster.GiveBackAll();
    EXPECT_EQ(priority.calls,
              (std::vector<PriorityCall>{{kOwn, 0x20}, {0xA, 0x80}, {0xA, 0x20}, {0xB, 0x80}, {0xB, 0x20}}));
    EXPECT_EQ(page.count, L"2");
}

// With "恢复原优先级" the window left behind gets the class it had before
// Torvane raised it, through its process's identity; without it, normal.
TEST_F(BoosterTest, LeavingAWindowRestoresItsOwnClassOnlyWhenAsked)
{
    for (const bool restoreOriginal : {false, true}) {
        Booster fresh{foreground, priority, store, clock, random};
        FakeBoosterPage freshPage;
        priority.windows = {{0xE, 0x71}};
        priority.Process(0x71, 9, 0x4000);
        priority.calls.clear();
        BoosterSettings settings = freshPage.Settings();
        settings.restoreOriginal = restoreOriginal;
        foreground.Show(0xE, L"Encoder");
        fresh.Tick(settings);
        foreground.Show(0xF, L"Editor");
        fresh.Tick(settings);
        if (restoreOriginal) {
            // Nothing else: not Torvane itself before the first raise.
            EXPECT_EQ(priority.calls, (std::vector<PriorityCall>{{0x71, 0x80}, {0x71, 0x4000}, {0xF, 0x80}}));
        } else {
            EXPECT_EQ(priority.calls, (std::vector<PriorityCall>{{kOwn, 0x20}, {0x71, 0x80}, {0x71, 0x20}, {0xF, 0x80}}));
        }
    }
}

// At the next boost the process raised before is given back only while it
// is that process, still runs and still has the class Torvane set, whatever
// became of its window and whatever came in front between.
TEST_F(BoosterTest, TheRaisedProcessIsGivenBackOnlyWhileItIsTheSameAndUnmoved)
{
    struct Case {
        const char* name;
        std::function<void(FakeProcessTable&)> meanwhile;
        std::vector<PriorityCall> afterRaise; // from leaving A to raising B
    };
    const Case cases[] = {
        {"untouched", [](FakeProcessTable&) {}, {{0xA, 0x20}, {0xB, 0x80}}},
        {"the user chose another class", [](FakeProcessTable& t) { t.processes[0xA]->cls = 0x4000; }, {{0xB, 0x80}}},
        {"it ended", [](FakeProcessTable& t) { t.processes[0xA]->running = false; }, {{0xB, 0x80}}},
        {"its id names another process", [](FakeProcessTable& t) { t.Process(0xA, 2, 0x80); }, {{0xB, 0x80}}},
        {"its window closed, the process runs on", [](FakeProcessTable& t) { t.windows[0xA] = 0; },
         {{0xA, 0x20}, {0xB, 0x80}}},
    };
    for (const Case& c : cases) {
        for (const std::wstring between : {L"", L"AlphaWin 2"}) {
            FakeProcessTable table;
            FakeLedgerStore ledger;
            Booster fresh{foreground, table, ledger, clock, random};
            FakeBoosterPage freshPage;
            const auto tick = [&](std::uintptr_t window, const std::wstring& title) {
                foreground.Show(window, title);
                freshPage.Show(fresh.Tick(freshPage.Settings()));
            };
            tick(0xA, L"AlphaWin");
            table.windows[0xC] = 0xC0;
            tick(0xC, between); // not boosted: untitled, or the same title
            c.meanwhile(table);
            table.calls.clear();
            tick(0xB, L"BetaWin");
            std::vector<PriorityCall> expected = {{0xC0, 0x20}};
            expected.insert(expected.end(), c.afterRaise.begin(), c.afterRaise.end());
            EXPECT_EQ(table.calls, expected) << c.name << " / \"" << std::string(between.begin(), between.end()) << "\"";
            EXPECT_EQ(ledger.text, "11 1 32 128\r\n") << c.name;
        }
    }
}

// A program that was closed and started again is raised, though its title is
// the one boosted last; while it runs, a window with that title is not.
TEST_F(BoosterTest, TheSameTitleSkipsOnlyWhileTheProcessRaisedForItRuns)
{
    SwitchTo(0xA, L"AlphaWin");
    SwitchTo(0xC, L"AlphaWin 2");
    EXPECT_EQ(page.count, L"1");
    priority.processes[0xA]->running = false;
    priority.calls.clear();
    SwitchTo(0xD, L"AlphaWin");
    EXPECT_EQ(priority.calls, (std::vector<PriorityCall>{{0xC, 0x20}, {0xD, 0x80}}));
    EXPECT_EQ(page.count, L"2");
}

// At start, what a killed copy left is given back under the same rules, and
// the file is emptied.
TEST_F(BoosterTest, WhatAKilledCopyLeftIsGivenBackAtStartWhereItIsStillOurs)
{
    priority.autoCreate = false;
    priority.Process(0x10, 5, 0x80);          // still as it was left
    priority.Process(0x11, 5, 0x4000);        // moved by the user since
    priority.Process(0x12, 6, 0x100);         // the id names another process
    priority.Process(0x13, 5, 0x100).running = false;
    store.text = "16 5 64 128\r\n17 5 32 128\r\n18 5 32 256\r\n19 5 32 256\r\n20 5 32 128\r\n"
                 "24095 1 32 128\r\n";
    booster.GiveBackLeftBehind();
    EXPECT_EQ(priority.calls, (std::vector<PriorityCall>{{0x10, 0x40}}));
    EXPECT_EQ(store.text, "");
    EXPECT_EQ(store.writes, 1);

    // Nothing left: nothing written.
    booster.GiveBackLeftBehind();
    EXPECT_EQ(store.writes, 1);
}

// An excluded program's window: nothing raised, lowered, recorded or counted,
// and leaving it brings down the window raised before it.
TEST_F(BoosterTest, AnExcludedProgramIsNeverTouched)
{
    foreground.programs = {{0xE, L"Encoder.EXE"}};
    BoosterSettings settings = page.Settings();
    settings.excluded = ExcludedPrograms(L" \"encoder\" ;;");
    const auto tick = [&](std::uintptr_t window, const wchar_t* title) {
        foreground.Show(window, title);
        page.Show(booster.Tick(settings));
    };
    tick(0xA, L"Alpha");
    priority.calls.clear();
    foreground.nameLookups = 0;
    tick(0xE, L"Encoder");
    tick(0xE, L"Encoder");
    EXPECT_TRUE(priority.calls.empty());
    EXPECT_EQ(page.count, L"1");
    EXPECT_EQ(page.info, L"Alpha");
    EXPECT_EQ(page.history.find(L"Encoder"), std::wstring::npos);
    EXPECT_EQ(foreground.nameLookups, 1) << "an excluded window is looked up once";

    tick(0xB, L"Beta");
    EXPECT_EQ(priority.calls, (std::vector<PriorityCall>{{0xA, 0x20}, {0xB, 0x80}}));
    EXPECT_EQ(page.count, L"2");
}

TEST(ExcludedPrograms, NamesAreComparedWithoutFolderExtensionOrCase)
{
    const ExcludedPrograms list(L" \"OBS64.exe\" ; ;notepad;'C:\\Tools\\录屏.EXE';;  ;Äpp.exe;ПРИВЕТ;ΣΟΦΊΑ.exe;straße");
    const struct {
        const wchar_t* executable;
        bool excluded;
    } cases[] = {
        {L"obs64.exe", true},   {L"OBS64", true},         {L"NOTEPAD.EXE", true},
        {L"录屏.exe", true},     {L"D:\\x\\notepad.exe", true}, {L"notepad2.exe", false},
        {L"obs.exe", false},    {L"", false},             {L"exe", false},
        // Case in every script, one letter for one, as Windows folds it.
        {L"äpp.EXE", true},     {L"App.exe", false},      {L"привет.exe", true},
        {L"σοφία", true},       {L"ΣΟΦΙΑ", false},        {L"STRASSE", false},
        {L"STRAßE.exe", true},
    };
    int row = 0;
    for (const auto& c : cases)
        EXPECT_EQ(list.Contains(c.executable), c.excluded) << "row " << row++;

    // A long list keeps every name whole.
    std::wstring longList;
    for (int i = 0; i < 200; ++i)
        longList += L"program" + std::to_wstring(i) + L".exe;";
    ASSERT_GT(longList.size(), 2000u);
    const ExcludedPrograms many(longList);
    EXPECT_TRUE(many.Contains(L"program0.exe"));
    EXPECT_TRUE(many.Contains(L"program199.exe"));
    EXPECT_FALSE(many.Contains(L"program200.exe"));
    EXPECT_TRUE(ExcludedPrograms(L" ; ;\"\"").empty());
}
