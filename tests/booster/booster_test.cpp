#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "booster/booster.h"
#include "fakes/fake_booster_page.h"
#include "fakes/scripted_random.h"

using namespace torvane;

namespace {

struct FakeForeground : ForegroundWindow {
    ForegroundSnapshot Read() override
    {
        ++reads;
        return now;
    }
    void Show(std::uintptr_t handle, std::wstring title) { now = {handle, std::move(title)}; }
    ForegroundSnapshot now;
    int reads = 0;
};

struct PriorityCall {
    std::uint32_t processId;
    std::uintptr_t window;
    std::uint32_t priorityClass;
    bool operator==(const PriorityCall& o) const
    {
        return processId == o.processId && window == o.window && priorityClass == o.priorityClass;
    }
};

struct FakePriority : ProcessPriority {
    std::uint32_t SetProcessPriority(std::uint32_t processId, std::uintptr_t window, std::uint32_t cls) override
    {
        calls.push_back({processId, window, cls});
        return cls;
    }
    std::vector<PriorityCall> calls;
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
    FakePriority priority;
    FakeClock clock;
    ScriptedRandom random{{DrawFor(5)}};
    Booster booster{foreground, priority, clock, random};
    FakeBoosterPage page;
};

} // namespace

TEST_F(BoosterTest, FirstBoostRestoresOwnProcessAndRaisesTheNewWindow)
{
    SwitchTo(0x10, L"记事本");
    const std::vector<PriorityCall> expected = {{0, 0, 0x20}, {0, 0x10, 0x80}};
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
        Booster fresh{foreground, priority, clock, random};
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
        {0, 0, 0x20}, {0, 0xA, 0x80}, {0, 0xA, 0x20}, {0, 0xB, 0x80}, {0, 0xB, 0x20}, {0, 0xA, 0x80},
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
        {"null handle", L"无", 0, L""},
        {"title starts with the last", L"Beta", 0x30, L"Beta 2"},
        {"same title", L"Beta", 0x30, L"Beta"},
        {"initial caption prefix", L"无", 0x30, L"无标题 - 记事本"},
        {"last has trailing spaces", L"Be  ", 0x30, L"Bex"},
    };
    for (const Case& c : cases) {
        // A fresh booster, which has boosted the last title when there is one.
        Booster fresh{foreground, priority, clock, random};
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
        EXPECT_EQ(fresh.CurrentWindow(), c.handle) << c.name;
    }
}

TEST_F(BoosterTest, SameTitleSkipDoesNotRestoreAndNextBoostRestoresOnlyTheWindowJustBefore)
{
    SwitchTo(0xB, L"Beta");
    SwitchTo(0xC, L"Beta - second");
    SwitchTo(0xD, L"Delta");
    const std::vector<PriorityCall> expected = {
        {0, 0, 0x20}, {0, 0xB, 0x80}, {0, 0xC, 0x20}, {0, 0xD, 0x80},
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
    EXPECT_EQ(page.time, L"12:35:00");
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
    const std::vector<PriorityCall> expected = {{0, 0, 0x20}, {0, 0xA, 0x80}, {0, 0xA, 0x20}, {0, 0xB, 0x80}};
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
        Booster fresh{foreground, priority, clock, random};
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
