#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

#include <windows.h>

#include "controls/button_region.h"
#include "drawing/drawing_primitives.h"
#include "drawing/win_gdi_canvas.h"
#include "drawing/gradients.h"
#include "controls/win_button_region.h"
#include "gdi_object_count.h"
#include "platform/win_handles.h"

using namespace torvane;

namespace {

class TestWindow {
public:
    TestWindow()
        : window_(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 75, 23, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr))
    {
    }
    ~TestWindow() { DestroyWindow(window_); }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    HWND get() const { return window_; }

private:
    HWND window_;
};

// Every pixel from -1 to the size agrees with the portable rule.
testing::AssertionResult ShapeMatches(HRGN region, int type, int w, int h)
{
    for (int y = -1; y <= h; ++y)
        for (int x = -1; x <= w; ++x)
            if ((PtInRegion(region, x, y) != FALSE) != InButtonRegion(type, w, h, x, y))
                return testing::AssertionFailure() << "style " << type << " " << w << "x" << h << " pixel (" << x
                                                   << "," << y << ")";
    return testing::AssertionSuccess();
}

void DrawEverything(GdiCanvas& canvas, int i)
{
    DrawBox(canvas, 1, 1, canvas.Width() - 2, canvas.Height() - 2, Rgb(i & 255, 2, 3), false);
    DrawBox(canvas, 2, 2, canvas.Width() - 4, canvas.Height() - 4, Rgb(4, i & 255, 6), true);
    DrawLine(canvas, 1, 5, 40, 5, Rgb(7, 8, 9));
    PutPixel(canvas, 3, 3, Rgb(10, 11, 12));
    DrawRoundFrame(canvas, Rgb(0, 60, 115), Rgb(16, 77, 123));
    DrawFocusCue(canvas, Rgb(0, 0, 0));
    DrawFadeToWhite(canvas, Rgb(198, 197, 215), canvas.Height() - 2, 1, -1);
    DrawSplitGradient(canvas, Rgb(116, 200, 115), Rgb(183, 183, 183), Rgb(215, 246, 215), i % 101, i % 2 == 0);
    DrawGlossGradient(canvas, Rgb(124, 171, 255), Rgb(81, 107, 148), Rgb(191, 211, 255), 53);
    canvas.Text(L"保存", {0, 0, canvas.Width(), canvas.Height()},
                TextFlags::Center | TextFlags::VCenter | TextFlags::SingleLine, Rgb(0, 0, 0));
    canvas.MeasureText(L"清空 清空", 20, TextFlags::WordBreak);
}

// One button's worth of regions and pictures, all dropped again.
void BuildAndDrop(HWND window, HFONT font, int i)
{
    ButtonRegion handed = BuildRegion(i % 6, 75 + i % 5, 23);
    handed.HandTo(window, true);
    ButtonRegion kept = BuildRegion(3, 40, 20);
    kept = BuildRegion(4, 30, 30);
    ButtonRegion refused = BuildRegion(4, 40, 20);
    refused.HandTo(nullptr, false);

    GdiCanvas canvas(75, 23, Rgb(236, 233, 216));
    canvas.SetFont(font);
    DrawEverything(canvas, i);
    canvas.Resize(60, 20);
    DrawEverything(canvas, i + 1);
    canvas.Resize(0, 0);
    canvas.Resize(12, 9);
    DrawEverything(canvas, i + 2);
}

} // namespace

TEST(BuildRegion, StyleThreeLosesExactlyItsTwelveCornerPixels)
{
    const std::set<std::pair<int, int>> corners = {
        {0, 0},  {1, 0},  {0, 1},  {73, 0},  {74, 0},  {74, 1},
        {0, 22}, {1, 22}, {0, 21}, {73, 22}, {74, 22}, {74, 21},
    };
    const ButtonRegion region = BuildRegion(3, 75, 23);
    ASSERT_NE(region.get(), nullptr);
    RECT box{};
    EXPECT_EQ(GetRgnBox(region.get(), &box), COMPLEXREGION);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.right, 75);
    EXPECT_EQ(box.bottom, 23);
    std::set<std::pair<int, int>> cut;
    for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 75; ++x)
            if (!PtInRegion(region.get(), x, y))
                cut.insert({x, y});
    EXPECT_EQ(cut, corners);
    EXPECT_FALSE(PtInRegion(region.get(), 75, 5));
    EXPECT_FALSE(PtInRegion(region.get(), 5, 23));

    const ButtonRegion plain = BuildRegion(1, 75, 23);
    EXPECT_EQ(GetRgnBox(plain.get(), &box), SIMPLEREGION);
    EXPECT_EQ(box.right, 75);
    EXPECT_EQ(box.bottom, 23);
}

TEST(BuildRegion, EveryStyleAndSmallSizeFollowsTheRule)
{
    for (int type = 0; type <= 6; ++type) {
        for (int w = 1; w <= 12; ++w) {
            for (int h = 1; h <= 12; ++h) {
                const ButtonRegion region = BuildRegion(type, w, h);
                ASSERT_NE(region.get(), nullptr);
                ASSERT_TRUE(ShapeMatches(region.get(), type, w, h));
            }
        }
    }
}

TEST(ButtonRegion, ARegionKeptIsDeletedWithItsOwner)
{
    HRGN handle = nullptr;
    {
        const ButtonRegion region = BuildRegion(3, 20, 10);
        handle = region.get();
        EXPECT_EQ(GetObjectType(handle), static_cast<DWORD>(OBJ_REGION));
    }
    EXPECT_EQ(GetObjectType(handle), 0u);

    ButtonRegion replaced = BuildRegion(4, 20, 10);
    handle = replaced.get();
    replaced = BuildRegion(1, 20, 10);
    EXPECT_EQ(GetObjectType(handle), 0u);
    EXPECT_EQ(GetObjectType(replaced.get()), static_cast<DWORD>(OBJ_REGION));

    ButtonRegion moved = std::move(replaced);
    EXPECT_EQ(replaced.get(), nullptr);
    EXPECT_EQ(GetObjectType(moved.get()), static_cast<DWORD>(OBJ_REGION));
}

TEST(ButtonRegion, ARegionRefusedByTheWindowStaysWithItsOwner)
{
    ButtonRegion region = BuildRegion(3, 20, 10);
    HRGN handle = region.get();
    EXPECT_FALSE(region.HandTo(nullptr, false));
    EXPECT_EQ(region.get(), handle);
    EXPECT_EQ(GetObjectType(handle), static_cast<DWORD>(OBJ_REGION));
    region = ButtonRegion();
    EXPECT_EQ(GetObjectType(handle), 0u);
}

TEST(ButtonRegion, ARegionHandedOverBelongsToTheWindow)
{
    TestWindow window;
    ASSERT_NE(window.get(), nullptr);
    {
        ButtonRegion region = BuildRegion(3, 75, 23);
        ASSERT_TRUE(region.HandTo(window.get(), true));
        EXPECT_EQ(region.get(), nullptr);
        EXPECT_FALSE(region.HandTo(window.get(), true));
    }
    const ScopedGdiObject<HRGN> copy(CreateRectRgn(0, 0, 0, 0));
    ASSERT_EQ(GetWindowRgn(window.get(), copy.get()), COMPLEXREGION);
    EXPECT_TRUE(ShapeMatches(copy.get(), 3, 75, 23));

    ButtonRegion plain = BuildRegion(2, 75, 23);
    ASSERT_TRUE(plain.HandTo(window.get(), false));
    EXPECT_EQ(GetWindowRgn(window.get(), copy.get()), SIMPLEREGION);
}

TEST(GdiObjects, ManyRegionsAndCanvasesLeaveNoneBehind)
{
    TestWindow window;
    ASSERT_NE(window.get(), nullptr);
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    // The first memory DC and the first text fill the process's caches.
    BuildAndDrop(window.get(), font, 0);
    const DWORD start = GdiObjectCount();
    ASSERT_GT(start, 0u);
    {
        const ScopedGdiObject<HBRUSH> probe(CreateSolidBrush(Rgb(1, 2, 3)));
        ASSERT_EQ(GdiObjectCount(), start + 1) << "the count must see a new brush";
    }
    for (int i = 1; i <= 2000; ++i)
        BuildAndDrop(window.get(), font, i);
    EXPECT_EQ(GdiObjectCount(), start);
}
