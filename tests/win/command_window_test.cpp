#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <vector>

#include "controls/win_command.h"
#include "gdi_object_count.h"
#include "platform/memory_property_bag.h"
#include "platform/win_handles.h"

using namespace torvane;

namespace {

// A plain parent window for the buttons under test.
class ParentWindow {
public:
    ParentWindow()
    {
        window_ = CreateWindowExW(0, L"STATIC", L"parent", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 300, 200,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    ~ParentWindow() { DestroyWindow(window_); }
    HWND get() const { return window_; }

private:
    HWND window_;
};


int CutPixels(HWND window, int width, int height)
{
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    int cut = -1;
    if (GetWindowRgn(window, region) != ERROR) {
        cut = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                cut += PtInRegion(region, x, y) ? 0 : 1;
    }
    DeleteObject(region);
    return cut;
}

// What the window shows on screen, read back from its window DC.
std::vector<COLORREF> ShownPixels(HWND window, int width, int height)
{
    std::vector<COLORREF> pixels;
    const WindowDc dc(window);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels.push_back(GetPixel(dc.get(), x, y));
    return pixels;
}

void PumpMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
}

} // namespace

TEST(CommandWindow, AButtonChangedWhileHiddenShowsItsLatestPictureWhenShown)
{
    // One button is changed on a hidden parent, which leaves its painting
    // for later; the other gets the same changes while it is on screen.
    ParentWindow hidden;
    ParentWindow shown;
    ShowWindow(shown.get(), SW_SHOWNOACTIVATE);
    const auto makeButton = [](HWND parent) {
        CommandCreateArgs args;
        args.parent = parent;
        args.width = 90;
        args.height = 30;
        CommandWindow* button = CommandWindow::Create(args);
        if (!button)
            return button;
        button->command().SetButtonType(4);
        button->command().SetCaption(L"第一");
        button->command().SetEnabled(false);
        button->command().SetCaption(L"排除(&X)");
        button->command().SetEnabled(true);
        return button;
    };
    CommandWindow* late = makeButton(hidden.get());
    CommandWindow* early = makeButton(shown.get());
    ASSERT_NE(late, nullptr);
    ASSERT_NE(early, nullptr);
    UpdateWindow(shown.get());
    PumpMessages();
    const std::vector<COLORREF> expected = ShownPixels(early->hwnd(), 90, 30);
    EXPECT_NE(std::count(expected.begin(), expected.end(), expected.front()), 90 * 30) << "a blank button";

    ShowWindow(shown.get(), SW_HIDE);
    ShowWindow(hidden.get(), SW_SHOWNOACTIVATE);
    UpdateWindow(hidden.get());
    PumpMessages();
    EXPECT_EQ(ShownPixels(late->hwnd(), 90, 30), expected);
}

TEST(CommandWindow, NewButtonShowsItsNameAndStoredOneTheStoredValues)
{
    ParentWindow parent;
    CommandCreateArgs args;
    args.parent = parent.get();
    args.name = L"CommandSaveRecords";
    CommandWindow* fresh = CommandWindow::Create(args);
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(fresh->command().Caption(), L"CommandSaveRecords");
    EXPECT_EQ(fresh->command().hWnd(), reinterpret_cast<std::uintptr_t>(fresh->hwnd()));
    EXPECT_EQ(fresh->command().BackColor(), GetSysColor(COLOR_BTNFACE));

    MemoryPropertyBag bag;
    bag.Set(L"Caption", std::wstring(L"保存(&S)"));
    bag.Set(L"Enabled", false);
    args.properties = &bag;
    CommandWindow* stored = CommandWindow::Create(args);
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->command().Caption(), L"保存(&S)");
    EXPECT_EQ(stored->accessKeys(), L"s");
    EXPECT_FALSE(IsWindowEnabled(stored->hwnd()));

    MemoryPropertyBag written;
    stored->command().WriteProperties(written);
    EXPECT_EQ(written.values().size(), 2u);
}

TEST(CommandWindow, OnlyTheCutCornerStylesGetARegionWithTwelvePixelsCut)
{
    ParentWindow parent;
    CommandCreateArgs args;
    args.parent = parent.get();
    CommandWindow* button = CommandWindow::Create(args);
    ASSERT_NE(button, nullptr);
    struct Case {
        int style;
        int cut;
    };
    const Case cases[] = {{3, 12}, {1, 0}, {4, 12}, {2, 0}, {5, 0}, {3, 12}};
    for (const Case& c : cases) {
        button->command().SetButtonType(c.style);
        EXPECT_EQ(CutPixels(button->hwnd(), 75, 23), c.cut) << c.style;
    }
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    button->command().SetButtonType(3);
    ASSERT_NE(GetWindowRgn(button->hwnd(), region), ERROR);
    for (POINT p : {POINT{0, 0}, POINT{1, 0}, POINT{0, 1}, POINT{73, 0}, POINT{74, 0}, POINT{74, 1}, POINT{0, 22},
                    POINT{1, 22}, POINT{0, 21}, POINT{73, 22}, POINT{74, 22}, POINT{74, 21}})
        EXPECT_FALSE(PtInRegion(region, p.x, p.y)) << p.x << "," << p.y;
    RECT box;
    GetRgnBox(region, &box);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.right, 75);
    EXPECT_EQ(box.bottom, 23);
    DeleteObject(region);
}

TEST(CommandWindow, TenThousandButtonsLeaveNoGdiObjectBehind)
{
    ParentWindow parent;
    const DWORD before = GdiObjectCount();
    ASSERT_GT(before, 0u) << "no way to count GDI objects here";
    for (int i = 0; i < 10000; ++i) {
        CommandCreateArgs args;
        args.parent = parent.get();
        args.width = 40 + i % 50;
        CommandWindow* button = CommandWindow::Create(args);
        ASSERT_NE(button, nullptr) << i;
        button->command().SetButtonType(1 + i % 5);
        button->command().SetButtonType(3);
        button->command().SetFont({L"Tahoma", 8.0 + i % 4, i % 2 == 0, false});
        button->command().SetEnabled(i % 3 != 0);
        SetWindowPos(button->hwnd(), nullptr, 0, 0, 60, 30, SWP_NOZORDER | SWP_NOMOVE);
        DestroyWindow(button->hwnd());
    }
    EXPECT_EQ(GdiObjectCount(), before);
}
