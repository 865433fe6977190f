#include <gtest/gtest.h>

#include <limits>
#include <map>
#include <string>
#include <vector>

#include "booster/booster.h"
#include "booster/excluded_programs.h"
#include "fakes/fake_booster_page.h"
#include "fakes/scripted_random.h"

using namespace torvane;

namespace {

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
    std::map<std::uintptr_t, std::wstring> programs;
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

struct PriorityCall {
    std::uint32_t processId;
    std::uintptr_t window;
    std::uint32_t priorityClass;
    bool operator==(const PriorityCall& o) const
    {
        return processId == o.processId && window == o.window && priorityClass == o.priorityClass;
    }
};

// Every window's process is process `window` (started at time 1) at normal
// class, and takes the class asked, unless the test says otherwise.
struct FakePriority : ProcessPriority {
    PriorityChange SetWindowProcessClass(std::uintptr_t window, std::uint32_t cls) override
    {
        calls.push_back({0, window, cls});
        const auto scripted = answers.find(window);
        if (scripted != answers.end())
            return scripted->second;
        PriorityChange change;
        change.opened = true;
        change.process = {static_cast<std::uint32_t>(window), 1};
        change.before = 0x20;
        change.after = cls;
        return change;
    }
    bool SetProcessClass(const ProcessIdentity& process, std::uint32_t cls) override
    {
        restores.push_back({process.id, process.startTime, cls});
        return true;
    }
    std::vector<PriorityCall> calls;
    std::map<std::uintptr_t, PriorityChange> answers;
    struct Restore {
        std::uint32_t id;
        std::uint64_t startTime;
        std::uint32_t cls;
        bool operator==(const Restore& o) const { return id == o.id && startTime == o.startTime && cls == o.cls; }
    };
    std::vector<Restore> restores;
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
        EXPECT_TRUE(freshPage.history.empty()) << c.name;
        // No window at all leaves the last one as the one to compare with.
        EXPECT_EQ(fresh.CurrentWindow(), c.handle == 0 ? 0x99 : c.handle) << c.name;
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

TEST_F(BoosterTest, ATitleIsRecordedOnOneLineAndNoWindowKeepsTheLastRaisedToRestore)
{
    SwitchTo(0xA, L"第一\r\n行\t尾");
    EXPECT_EQ(page.info, L"第一  行 尾");
    EXPECT_EQ(page.history, L"12:34:56 第一  行 尾 普通提速，速度提升：5%\r\n");
    SwitchTo(0, L"?4");
    SwitchTo(0xB, L"Beta");
    const std::vector<PriorityCall> expected = {{0, 0, 0x20}, {0, 0xA, 0x80}, {0, 0xA, 0x20}, {0, 0xB, 0x80}};
    EXPECT_EQ(priority.calls, expected);
    EXPECT_EQ(page.count, L"2");
}

// What the class read back says decides the record and the count.
TEST_F(BoosterTest, TheClassReadBackDecidesTheRecordAndTheCount)
{
    const auto answer = [](bool opened, std::uint32_t after, std::uint32_t error) {
        PriorityChange change;
        change.opened = opened;
        change.process = {0x51, 7};
        change.before = 0x4000;
        change.after = after;
        change.error = error;
        return change;
    };
    struct Case {
        const char* name;
        const wchar_t* mode;
        PriorityChange change;
        const wchar_t* line; // after "<time> <title>", before the gain
        int count;
    };
    const Case cases[] = {
        {"high as asked", L"普通提速", answer(true, 0x80, 0), L" 普通提速，速度提升：", 1},
        {"real-time as asked", L"疯狂提速", answer(true, 0x100, 0), L" 疯狂提速，速度提升：", 1},
        {"high where real-time was asked", L"疯狂提速", answer(true, 0x80, 0), L" 普通提速，速度提升：", 1},
        {"class unchanged", L"普通提速", answer(true, 0x4000, 0), L" 未能提速：优先级未改变\r\n", 0},
        {"not opened, denied", L"疯狂提速", answer(false, 0, 5),
         L" 未能提速：拒绝访问（可能需要以管理员身份运行）\r\n", 0},
        {"not opened, other", L"普通提速", answer(false, 0, 87), L" 未能提速：无法打开该程序（错误 87）\r\n", 0},
    };
    for (const Case& c : cases) {
        Booster fresh{foreground, priority, clock, random};
        FakeBoosterPage freshPage;
        freshPage.speedMode = c.mode;
        priority.answers = {{0x51, c.change}};
        foreground.Show(0x51, L"Elevated");
        freshPage.Show(fresh.Tick(freshPage.Settings()));
        const std::wstring start = L"12:34:56 Elevated" + std::wstring(c.line);
        EXPECT_EQ(freshPage.history.substr(0, start.size()), start) << c.name;
        EXPECT_EQ(fresh.BoostCount(), c.count) << c.name;
        EXPECT_EQ(freshPage.count, std::to_wstring(c.count)) << c.name;
        EXPECT_EQ(freshPage.info, L"Elevated") << c.name;
        // A failure is not a boost the status page reports.
        EXPECT_EQ(freshPage.target, c.count ? L"Elevated" : L"无") << c.name;

        // The same window is not tried again on the next ticks.
        const std::size_t calls = priority.calls.size();
        freshPage.Show(fresh.Tick(freshPage.Settings()));
        freshPage.Show(fresh.Tick(freshPage.Settings()));
        EXPECT_EQ(priority.calls.size(), calls) << c.name;
        EXPECT_EQ(freshPage.history.find(L"\r\n"), freshPage.history.size() - 2) << c.name << ": one line";
    }
}

// Exit and pause give the process raised last its own class back, through
// its identity; nothing else is touched, and only once.
TEST_F(BoosterTest, RestoringGivesTheLastRaisedProcessItsClassBackOnce)
{
    PriorityChange below;
    below.opened = true;
    below.process = {0x61, 42};
    below.before = 0x4000;
    below.after = 0x80;
    priority.answers = {{0xA, below}};
    SwitchTo(0xA, L"Encoder");
    booster.RestoreLastRaised();
    booster.RestoreLastRaised();
    EXPECT_EQ(priority.restores, (std::vector<FakePriority::Restore>{{0x61, 42, 0x4000}}));

    // A process that could not be opened was not raised: nothing to restore.
    PriorityChange denied;
    denied.error = 5;
    priority.answers = {{0xB, denied}};
    priority.restores.clear();
    SwitchTo(0xB, L"Elevated");
    booster.RestoreLastRaised();
    EXPECT_TRUE(priority.restores.empty());
}

// With "恢复原优先级" the window left behind gets the class it had before
// Torvane raised it, through its process's identity; without it, normal.
TEST_F(BoosterTest, LeavingAWindowRestoresItsOwnClassOnlyWhenAsked)
{
    for (const bool restoreOriginal : {false, true}) {
        Booster fresh{foreground, priority, clock, random};
        FakeBoosterPage freshPage;
        PriorityChange encoder;
        encoder.opened = true;
        encoder.process = {0x71, 9};
        encoder.before = 0x4000;
        encoder.after = 0x80;
        priority.answers = {{0xE, encoder}};
        priority.calls.clear();
        priority.restores.clear();
        BoosterSettings settings = freshPage.Settings();
        settings.restoreOriginal = restoreOriginal;
        foreground.Show(0xE, L"Encoder");
        fresh.Tick(settings);
        foreground.Show(0xF, L"Editor");
        fresh.Tick(settings);
        if (restoreOriginal) {
            EXPECT_EQ(priority.restores, (std::vector<FakePriority::Restore>{{0x71, 9, 0x4000}}));
            // Nothing else: not Torvane itself before the first raise, not
            // the encoder by its window.
            EXPECT_EQ(priority.calls, (std::vector<PriorityCall>{{0, 0xE, 0x80}, {0, 0xF, 0x80}}));
        } else {
            EXPECT_TRUE(priority.restores.empty());
            EXPECT_EQ(priority.calls, (std::vector<PriorityCall>{{0, 0, 0x20}, {0, 0xE, 0x80}, {0, 0xE, 0x20}, {0, 0xF, 0x80}}));
        }
    }
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
    EXPECT_EQ(priority.calls, (std::vector<PriorityCall>{{0, 0xA, 0x20}, {0, 0xB, 0x80}}));
    EXPECT_EQ(page.count, L"2");
}

TEST(ExcludedPrograms, NamesAreComparedWithoutFolderExtensionOrCase)
{
    const ExcludedPrograms list(L" \"OBS64.exe\" ; ;notepad;'C:\\Tools\\录屏.EXE';;  ");
    const struct {
        const wchar_t* executable;
        bool excluded;
    } cases[] = {
        {L"obs64.exe", true},   {L"OBS64", true},         {L"NOTEPAD.EXE", true},
        {L"录屏.exe", true},     {L"D:\\x\\notepad.exe", true}, {L"notepad2.exe", false},
        {L"obs.exe", false},    {L"", false},             {L"exe", false},
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
