#include <gtest/gtest.h>

#include <algorithm>

#include "app/control_ids.h"
#include "monitor/monitor_series.h"
#include "torvane_driver.h"

using namespace torvane;

namespace {

void PressAndDrag(DWORD down, DWORD up, int dx, int dy)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = down;
    SendInput(1, &input, sizeof input);
    Sleep(100);
    // Relative moves, as a mouse makes them, in five steps.
    for (int step = 0; step < 5; ++step) {
        INPUT move = {};
        move.type = INPUT_MOUSE;
        move.mi.dwFlags = MOUSEEVENTF_MOVE;
        move.mi.dx = dx / 5;
        move.mi.dy = dy / 5;
        SendInput(1, &move, sizeof move);
        Sleep(40);
    }
    input.mi.dwFlags = up;
    SendInput(1, &input, sizeof input);
    Sleep(300);
}

RECT WindowBox(HWND window)
{
    RECT box;
    GetWindowRect(window, &box);
    return box;
}

} // namespace

TEST(Chrome, ClickingEachTabShowsItsPageAndTip)
{
    ProgramDirectory dir;
    Torvane torvane(dir);
    ASSERT_TRUE(torvane.started());
    struct Case {
        int tab;
        int page;
        const wchar_t* tip;
    };
    const Case cases[] = {
        {ControlId::ImageRecords, ControlId::PictureRecords, L"提速记录，让您清楚了解历史提速效果。"},
        {ControlId::ImageSettings, ControlId::PictureSettings, L"请依个人习惯进行配置，让软件使用更轻松。"},
        {ControlId::ImageAbout, ControlId::PictureAbout, L"Torvane，打开即自动为系统提速！"},
        {ControlId::LabelExclusions, ControlId::PictureExclusions, L"这些程序不会被提速，也不会被改变优先级。"},
        {ControlId::LabelStatus, ControlId::PictureStatus, L"实时了解提速状态及系统性能情况。提速，有效看的见！"},
    };
    const int pages[] = {ControlId::PictureStatus, ControlId::PictureRecords, ControlId::PictureSettings,
                         ControlId::PictureAbout, ControlId::PictureExclusions};
    for (const Case& c : cases) {
        ASSERT_TRUE(torvane.RealClick(c.tab));
        EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(torvane.Control(c.page)) != 0; })) << c.tab;
        // The switch shows the chosen page before it hides the others and
        // sets the tip: until it is through.
        WaitFor([&] {
            for (int page : pages)
                if ((IsWindowVisible(torvane.Control(page)) != 0) != (page == c.page))
                    return false;
            return torvane.Text(ControlId::LabelTip) == c.tip;
        });
        for (int page : pages)
            EXPECT_EQ(IsWindowVisible(torvane.Control(page)) != 0, page == c.page) << c.tab << " " << page;
        EXPECT_EQ(torvane.Text(ControlId::LabelTip), c.tip);
    }
}

// The tabs show one drawing per state between them: only the chosen tab
// may look chosen, and each label's background must be the part of its own
// tab's picture behind it.
TEST(Chrome, OnlyTheChosenTabLooksChosenAndItsLabelSitsOnItsPicture)
{
    ProgramDirectory dir;
    Torvane torvane(dir);
    ASSERT_TRUE(torvane.started());
    SetForegroundWindow(torvane.window());
    constexpr int kTabs = 5;
    const int tabs[kTabs] = {ControlId::ImageStatus, ControlId::ImageRecords, ControlId::ImageSettings,
                             ControlId::ImageAbout, ControlId::ImageExclusions};
    const int labels[kTabs] = {ControlId::LabelStatus, ControlId::LabelRecords, ControlId::LabelSettings,
                               ControlId::LabelAbout, ControlId::LabelExclusions};
    const int pages[kTabs] = {ControlId::PictureStatus, ControlId::PictureRecords, ControlId::PictureSettings,
                              ControlId::PictureAbout, ControlId::PictureExclusions};
    for (int chosen : {1, 4, 3, 0, 2}) {
        ASSERT_TRUE(torvane.RealClick(tabs[chosen]));
        ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(torvane.Control(pages[chosen])) != 0; })) << chosen;
        SetCursorPos(0, 0);
        // Until the tabs have been drawn for the choice and the pointer's
        // leaving: the strips of the others alike, the chosen one's not.
        SteadyScreenPixels(WindowBox(torvane.window()), [&](const std::vector<std::uint32_t>&) {
            std::vector<std::uint32_t> strips[kTabs];
            for (int i = 0; i < kTabs; ++i) {
                const RECT tab = WindowBox(torvane.Control(tabs[i]));
                strips[i] = ScreenPixels({tab.left, tab.top, WindowBox(torvane.Control(labels[i])).left, tab.bottom});
            }
            for (int i = 0; i < kTabs; ++i)
                if (i != chosen && (strips[i] == strips[chosen] || strips[i] != strips[(chosen + 1) % kTabs]))
                    return false;
            return true;
        });
        // Each tab's strip left of its label, where no text is.
        std::vector<std::vector<std::uint32_t>> strips;
        for (int i = 0; i < kTabs; ++i) {
            const RECT tab = WindowBox(torvane.Control(tabs[i]));
            const RECT label = WindowBox(torvane.Control(labels[i]));
            ASSERT_GT(label.left, tab.left);
            strips.push_back(ScreenPixels({tab.left, tab.top, label.left, tab.bottom}));
            // The label's last column against the tab's column below it: the
            // tab pictures are alike down each column there.
            const int x = label.right - 1;
            const int below = label.bottom + (tab.bottom - label.bottom) / 2;
            ASSERT_LT(below, tab.bottom - 1);
            const std::vector<std::uint32_t> inLabel = ScreenPixels({x, label.bottom - 2, x + 1, label.bottom - 1});
            const std::vector<std::uint32_t> onTab = ScreenPixels({x, below, x + 1, below + 1});
            EXPECT_EQ(inLabel, onTab) << "label " << i << " with tab " << chosen << " chosen";
        }
        const int other = (chosen + 1) % kTabs;
        for (int i = 0; i < kTabs; ++i) {
            if (i == chosen)
                continue;
            EXPECT_NE(strips[i], strips[chosen]) << "tab " << i << " looks chosen with tab " << chosen;
            EXPECT_EQ(strips[i], strips[other]) << "tabs " << i << " and " << other << " with tab " << chosen;
        }
    }
}

TEST(Chrome, DraggingTheCaptionBarMovesTheWindow)
{
    ProgramDirectory dir;
    Torvane torvane(dir);
    ASSERT_TRUE(torvane.started());
    RECT title;
    ASSERT_TRUE(GetWindowRect(torvane.Control(ControlId::LabelCaption), &title));
    const RECT window = WindowBox(torvane.window());
    struct Case {
        const char* where;
        POINT offset;  // from the window's top left corner
    };
    const Case cases[] = {
        {"on the title", {(title.left + title.right) / 2 - window.left, (title.top + title.bottom) / 2 - window.top}},
        {"on the bare bar", {(window.right - window.left) / 2, 12}},
    };
    for (const Case& c : cases) {
        const RECT start = WindowBox(torvane.window());
        SetCursorPos(start.left + c.offset.x, start.top + c.offset.y);
        Sleep(100);
        // Steps of at most six pixels: larger relative moves are sped up by
        // the system's mouse acceleration.
        PressAndDrag(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, 30, 25);
        EXPECT_TRUE(WaitFor([&] { return WindowBox(torvane.window()).top == start.top + 25; })) << c.where;
        const RECT now = WindowBox(torvane.window());
        EXPECT_EQ(now.left, start.left + 30) << c.where;
        EXPECT_EQ(now.top, start.top + 25) << c.where;
        EXPECT_EQ(now.right - now.left, start.right - start.left) << c.where;
        // A press on the caption starts no page switch and no close.
        EXPECT_TRUE(IsWindowVisible(torvane.window())) << c.where;
        EXPECT_TRUE(IsWindowVisible(torvane.Control(ControlId::PictureStatus))) << c.where;
    }
}

TEST(Chrome, ARightButtonPressOnTheCaptionBarDoesNotMoveTheWindow)
{
    ProgramDirectory dir;
    Torvane torvane(dir);
    ASSERT_TRUE(torvane.started());
    const RECT start = WindowBox(torvane.window());
    SetCursorPos(start.left + 200, start.top + 12);
    Sleep(100);
    PressAndDrag(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP, 40, 30);
    RECT now = WindowBox(torvane.window());
    EXPECT_EQ(now.left, start.left);
    EXPECT_EQ(now.top, start.top);
    EXPECT_TRUE(IsWindowVisible(torvane.window()));
}

TEST(Chrome, MinimiseMinimisesAndCloseHides)
{
    ProgramDirectory dir;
    Torvane torvane(dir);
    ASSERT_TRUE(torvane.started());
    ASSERT_TRUE(torvane.RealClick(ControlId::ImageMin));
    EXPECT_TRUE(WaitFor([&] { return IsIconic(torvane.window()) != 0; }));
    EXPECT_TRUE(IsWindowVisible(torvane.window()));

    ShowWindow(torvane.window(), SW_RESTORE);
    ASSERT_TRUE(WaitFor([&] { return !IsIconic(torvane.window()); }));
    SetForegroundWindow(torvane.window());
    ASSERT_TRUE(torvane.RealClick(ControlId::ImageExit));
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(torvane.window()); }));
    // A loop that went on to end would answer at most the first of two.
    EXPECT_TRUE(torvane.Answers() && torvane.Answers());
    EXPECT_TRUE(torvane.process().Running());
}

TEST(Chrome, LeavingAButtonForTheBackgroundRestsIt)
{
    // Away from where the window comes up, so no button starts out hovered.
    SetCursorPos(0, 0);
    ProgramDirectory dir;
    Torvane torvane(dir);
    ASSERT_TRUE(torvane.started());
    SetForegroundWindow(torvane.window());
    const RECT window = WindowBox(torvane.window());
    RECT button;
    GetWindowRect(torvane.Control(ControlId::ImageExit), &button);
    SetCursorPos(window.left + 20, window.bottom - 20);
    const std::vector<std::uint32_t> resting = SteadyScreenPixels(button);
    SetCursorPos((button.left + button.right) / 2, (button.top + button.bottom) / 2);
    WaitFor([&] { return ScreenPixels(button) != resting; }, 2000);
    EXPECT_NE(ScreenPixels(button), resting);
    SetCursorPos(window.left + 20, window.bottom - 20);
    WaitFor([&] { return ScreenPixels(button) == resting; }, 2000);
    EXPECT_EQ(ScreenPixels(button), resting);
}

namespace {

// Sets the screen's logical DPI for programs started from now on; restores
// the earlier setting at the end.
class LogicalDpi {
public:
    explicit LogicalDpi(DWORD dpi)
    {
        RegCreateKeyW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", &key_);
        DWORD size = sizeof previous_;
        hadPrevious_ = RegQueryValueExW(key_, L"LogPixels", nullptr, nullptr, reinterpret_cast<BYTE*>(&previous_),
                                        &size) == ERROR_SUCCESS;
        RegSetValueExW(key_, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
    }
    ~LogicalDpi()
    {
        if (hadPrevious_)
            RegSetValueExW(key_, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&previous_), sizeof previous_);
        else
            RegDeleteValueW(key_, L"LogPixels");
        RegCloseKey(key_);
    }

private:
    HKEY key_ = nullptr;
    DWORD previous_ = 0;
    bool hadPrevious_ = false;
};

// The left edge of the first square of `side` pixels all in `colour`
// (0x00BBGGRR) in a screenshot `width` pixels wide; -1 when there is none.
// The monitor's one-pixel lines in the same colours never make one.
int LeftOfSquare(const std::vector<std::uint32_t>& pixels, int width, std::uint32_t colour, int side)
{
    const std::uint32_t wanted = ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
    const int height = static_cast<int>(pixels.size()) / width;
    const auto at = [&](int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x] & 0xFFFFFF; };
    for (int y = 0; y + side <= height; ++y)
        for (int x = 0; x + side <= width; ++x) {
            bool whole = true;
            for (int dy = 0; dy < side && whole; ++dy)
                for (int dx = 0; dx < side && whole; ++dx)
                    whole = at(x + dx, y + dy) == wanted;
            if (whole)
                return x;
        }
    return -1;
}

// Shows every page by a click on its tab and keeps a screenshot of each;
// each page must look different from the others.
void ShootEveryPage(Torvane& torvane, int dpi)
{
    constexpr int kPages = 5;
    const int tabs[kPages] = {ControlId::ImageStatus, ControlId::ImageRecords, ControlId::ImageSettings,
                              ControlId::ImageAbout, ControlId::ImageExclusions};
    const char* names[kPages] = {"status", "records", "settings", "about", "exclusions"};
    const int pages[kPages] = {ControlId::PictureStatus, ControlId::PictureRecords, ControlId::PictureSettings,
                               ControlId::PictureAbout, ControlId::PictureExclusions};
    std::vector<std::vector<std::uint32_t>> shots;
    for (int i = 0; i < kPages; ++i) {
        ASSERT_TRUE(torvane.RealClick(tabs[i]));
        ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(torvane.Control(pages[i])) != 0; })) << names[i];
        // Every control of the page lies inside it, none cut off by its edge.
        const RECT page = WindowBox(torvane.Control(pages[i]));
        for (HWND child = GetWindow(torvane.Control(pages[i]), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            const RECT whole = WindowBox(child);
            RECT inside = {};
            IntersectRect(&inside, &whole, &page);
            if (!EqualRect(&inside, &whole))
                ADD_FAILURE() << names[i] << " at " << dpi << " dpi: control " << GetDlgCtrlID(child) << " is cut off";
        }
        SetCursorPos(0, 0);
        const RECT box = WindowBox(torvane.window());
        // Until the page is drawn: settled, and unlike the pages before it.
        SteadyScreenPixels(box, [&](const std::vector<std::uint32_t>& now) {
            return std::find(shots.begin(), shots.end(), now) == shots.end();
        });
        SaveScreenBmp(box, "page_" + std::string(names[i]) + "_" + std::to_string(dpi) + ".bmp");
        shots.push_back(ScreenPixels(box));
    }
    // The status page's legend: a square of each series' colour (inside
    // its grey frame), left to right in the legend's order.
    const RECT window = WindowBox(torvane.window());
    const int width = window.right - window.left;
    const int side = (150 * dpi + 720) / 1440 / 2;
    int left = -1;
    for (int entry : kLegendOrder) {
        const int x = LeftOfSquare(shots[0], width, kMonitorSeries[entry].colour, side);
        EXPECT_GT(x, left) << "legend entry " << entry << " at " << dpi << " dpi";
        left = x;
    }
    for (int i = 0; i < kPages; ++i)
        for (int j = i + 1; j < kPages; ++j)
            EXPECT_NE(shots[i], shots[j]) << names[i] << " and " << names[j] << " look the same";
}

} // namespace

TEST(Chrome, ScreenshotsOfEveryPageAt96And144And192Dpi)
{
    for (DWORD dpi : {96u, 144u, 192u}) {
        LogicalDpi setting(dpi);
        ProgramDirectory dir;
        dir.WriteConfig("Exclude", "Programs", "obs64.exe; \xC2\xBC\xC6\xC1 \xB9\xA4\xBE\xDF.exe; ffmpeg");
        Torvane torvane(dir);
        ASSERT_TRUE(torvane.started());
        SetForegroundWindow(torvane.window());
        const RECT box = WindowBox(torvane.window());
        // 11760 x 7560 twips.
        EXPECT_EQ(box.right - box.left, static_cast<LONG>((11760 * dpi + 720) / 1440)) << dpi;
        EXPECT_EQ(box.bottom - box.top, static_cast<LONG>((7560 * dpi + 720) / 1440)) << dpi;
        ShootEveryPage(torvane, static_cast<int>(dpi));
    }
}
